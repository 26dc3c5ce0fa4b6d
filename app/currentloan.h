#pragma once
// The loan file in use and the per-user setting that remembers it between
// runs (application "Quillhaven", group "Properties", key "CurrentFile").
#include <QString>

namespace CurrentLoan {

// Full path of the loan file in use; empty while the loan has no file.
extern QString path;

QString readSetting();   // empty when there is no setting
// Stores `path` made absolute. Empty when the setting was written; else the
// folder that could not be written, for the message.
QString writeSetting(const QString &path);

// Sets `path` from the setting; without one, the sample loan in the per-user
// data folder, copied there from the bundled Sample.qhv unless a Sample.qhv
// is there already. A relative name is read against the data folder. A
// remembered name that did not survive as text (bytes that are not UTF-8), or
// of a file that no longer exists, is refused: `path` stays empty and the
// message for the user is returned.
QString restore();

} // namespace CurrentLoan
