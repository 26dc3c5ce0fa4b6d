#pragma once
// Helpers shared by the test programs.
#include <QString>
#include <QTemporaryDir>

namespace qhtest {

// A fresh temporary folder per test; removed with the object.
QString tempPath(const QTemporaryDir &dir, const QString &name);

} // namespace qhtest

#include <ostream>
// Lets test failures show QString values as text.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
