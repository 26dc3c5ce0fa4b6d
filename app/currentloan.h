#pragma once
// The loan file in use and the per-user setting that remembers it between
// runs (application "Quillhaven", group "Properties", key "CurrentFile").
#include <QString>

namespace CurrentLoan {

// Full path of the loan file in use.
extern QString path;

QString readSetting();   // empty when there is no setting
void writeSetting(const QString &path);

// Sets `path` from the setting; without one, the sample loan in the per-user
// data folder, copied there from the bundled Sample.qhv unless a Sample.qhv
// is there already.
void restore();

} // namespace CurrentLoan
