#pragma once
// The loan a window opens at the start when none is named on the command
// line: the one remembered from the last time; at the very first start, the
// sample loan in the per-user data folder, copied there from the bundled
// Sample.qhv unless a Sample.qhv is there already.
#include <QString>

namespace StartingLoan {

// The path to open, or empty to start with no file; `problem` is what the
// user is told at the start (a remembered name that did not survive as text,
// or a remembered file that is gone: nothing is made in its place).
// `firstStart` tells whether this start copied the sample loan into place.
QString choose(QString *problem, bool *firstStart = nullptr);

} // namespace StartingLoan
