#pragma once
// The program's command line: a loan file to open in the window, and for
// scripts the CSV of a schedule or of the ledger written to standard output
// without a window. Exit codes: 0 done, 1 a file or terms that cannot be used
// (or help that could not be written), 2 a command line that cannot be
// understood (one line on standard error says what, and points to --help).
#include <QStringList>

namespace CommandLine {

enum ExitCode { Done = 0, FileUnusable = 1, Usage = 2 };

// Names the application and its version; after the application object exists.
void nameApplication();

// Whether the arguments ask for something done without a window (a CSV, the
// help, the version), which must run with no display and no platform plugin.
bool runsWithoutWindow(int argc, char **argv);
// Runs such a request under a QCoreApplication; returns the exit code.
int runWithoutWindow();

// Under the window's QApplication: the loan file to open, the one named on
// the command line (never created when it does not exist) or else the one
// remembered, and what to tell at the start. `arguments` as
// QCoreApplication::arguments() gives them; `firstStart` whether the sample
// loan was just copied into place for a first start. -1 to go on with the
// window, or the exit code of a usage error.
int prepareWindow(const QStringList &arguments, QString *startFile = nullptr,
                  QString *startupProblem = nullptr, bool *firstStart = nullptr);

} // namespace CommandLine
