#pragma once
// Where the program's own files are: the files bundled with it (help pages,
// the sample loan) and the per-user folder where loan files are written.
#include <QString>

namespace BundledFiles {

// A bundled file or folder by its relative name: beside the executable in a
// build tree first, then where an installed program keeps its shared files.
// Empty when none exists.
QString find(const QString &relative);

// The per-user data folder, created on demand; loan files are written here
// because an installed program's own folder is not writable.
QString dataFolder();

// The path that stands for an empty loan file name.
QString defaultLoanPath();

} // namespace BundledFiles
