#pragma once
// The program's per-user settings, in one place: the loan file to open at the
// next start (group "Properties", key "CurrentFile") and where the window was
// (group "Window": its normal geometry and whether it was maximised), kept by
// QSettings under the organisation and application "Quillhaven".
#include <QRect>
#include <QString>
#include <optional>

#include "storage/result.h"

class Settings {
public:
    // The remembered loan file; nullopt when nothing was ever remembered, an
    // empty text when "no file" was.
    std::optional<QString> rememberedFile() const;
    // Stored as an absolute path: a relative one would be read against
    // wherever the next start happens to be. On failure the reason names the
    // settings folder that could not be written.
    Result rememberFile(const QString &path);

    QRect windowGeometry() const;      // invalid when none was kept
    bool windowMaximized() const;
    // Nothing is said when it cannot be written: the window then opens as designed.
    void rememberWindow(const QRect &normalGeometry, bool maximized);
};
