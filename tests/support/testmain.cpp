// Shared main of the test programs: one QApplication for the whole run,
// offscreen unless the caller chose a platform, settings kept out of the
// user's own store.
#include "testsupport.h"

#include <QApplication>
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
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quillhaven");
    QApplication::setOrganizationName("Quillhaven");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
