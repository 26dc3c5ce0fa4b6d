// Shared main of the test programs: one application object for the whole run
// (no GUI for the plain layers), offscreen unless the caller chose a
// platform, settings and loan files kept out of the user's own store, in a
// home folder of the program's own, so that test programs run side by side
// (ctest -j, two builds, two clones) never share a data folder.
#include "testsupport.h"

#ifdef QH_TEST_CORE
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

QString qhtest::tempPath(const QTemporaryDir &dir, const QString &name)
{
    return QDir(dir.path()).filePath(name);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Fonts and other caches stay where they were: only the data is private.
    const QByteArray home = qgetenv("HOME");
    if (qEnvironmentVariableIsEmpty("XDG_CACHE_HOME") && !home.isEmpty())
        qputenv("XDG_CACHE_HOME", home + "/.cache");
    QTemporaryDir ownHome;
    if (ownHome.isValid())
        qputenv("HOME", QFile::encodeName(ownHome.path()));
    QStandardPaths::setTestModeEnabled(true);
    TestApplication app(argc, argv);
    TestApplication::setApplicationName("Quillhaven");
    TestApplication::setOrganizationName("Quillhaven");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
