#include "settings.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QSettings store()
{
    return QSettings(QStringLiteral("Quillhaven"), QStringLiteral("Quillhaven"));
}

const QString kFile = QStringLiteral("Properties/CurrentFile");
const QString kGeometry = QStringLiteral("Window/Geometry");
const QString kMaximized = QStringLiteral("Window/Maximized");

} // namespace

std::optional<QString> Settings::rememberedFile() const
{
    const QSettings s = store();
    if (!s.contains(kFile))
        return std::nullopt;
    return s.value(kFile).toString();
}

Result Settings::rememberFile(const QString &path)
{
    QSettings s = store();
    s.setValue(kFile, path.isEmpty() ? path : QFileInfo(path).absoluteFilePath());
    s.sync();
    if (s.status() == QSettings::NoError)
        return {};
    return Result::failed(QFileInfo(s.fileName()).absolutePath());
}

QRect Settings::windowGeometry() const
{
    return store().value(kGeometry).toRect();
}

bool Settings::windowMaximized() const
{
    return store().value(kMaximized).toBool();
}

void Settings::rememberWindow(const QRect &normalGeometry, bool maximized)
{
    QSettings s = store();
    s.setValue(kGeometry, normalGeometry);
    s.setValue(kMaximized, maximized);
}
