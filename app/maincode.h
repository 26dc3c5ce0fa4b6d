#pragma once
// Start-up: the loan file in use, the per-user setting that remembers it,
// and two small path functions used across the program.
#include <QString>

namespace MainCode {

// Full path of the loan file in use.
extern QString CurrentFile;

// The setting's location: application "Quillhaven", group "Properties", key
// "CurrentFile".
QString readCurrentFileSetting();   // empty when there is no setting
void writeCurrentFileSetting(const QString &path);

// Reads CurrentFile from the setting; without one, the sample loan in the
// per-user data folder, copied there from the bundled Sample.qhv unless a
// Sample.qhv is there already.
void loadCurrentFile();

// Part of a path by selector: 0 the folder with its trailing separator, 1 the
// file name, 2 the name without extension, 3 the extension with its dot; any
// other selector the empty text.
QString SplitPath(const QString &path, int selector);

// Whether the file can be opened for reading (a folder cannot).
bool FileExists(const QString &path);

} // namespace MainCode
