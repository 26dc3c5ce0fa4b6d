// Shared main of the test programs: one application object for the whole run
// (no GUI for the plain layers),
// offscreen unless the caller chose a platform, settings kept out of the
// user's own store.
#include "testsupport.h"

#ifdef QH_TEST_CORE
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif
#include <QDir>
#include <QStandardPaths>
#include <gtest/gtest.h>

QString qhtest::tempPath(const QTemporaryDir &dir, const QString &name)
{
    return QDir(dir.path()).filePath(name);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    TestApplication app(argc, argv);
    TestApplication::setApplicationName("Quillhaven");
    TestApplication::setOrganizationName("Quillhaven");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
