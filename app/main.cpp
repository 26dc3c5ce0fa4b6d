#include "app/mainwindow.h"
#include "app/commandline.h"
#include "app/settingsfile.h"
#include "dialogs/prompts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    // A CSV, the help or the version need no display: no QApplication, so no
    // platform plugin is loaded.
    if (CommandLine::runsWithoutWindow(argc, argv)) {
        QCoreApplication app(argc, argv);
        CommandLine::nameApplication();
        return CommandLine::runWithoutWindow();
    }
    QApplication app(argc, argv);
    CommandLine::nameApplication();
    QGuiApplication::setDesktopFileName(QStringLiteral("quillhaven"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/icons/quillhaven.png")));
    // The window's fixed layout was drawn for an Arial-sized font; use the
    // metric-compatible one where it is installed.
    if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    // Before anything reads a setting: a settings file that is a pipe would
    // hold the start for ever.
    const QString settingsProblem = SettingsFile::setAsideIfUnusable();
    if (!settingsProblem.isEmpty())
        std::fprintf(stderr, "%s\n", settingsProblem.toLocal8Bit().constData());
    QString file, problem;
    bool firstStart = false;
    if (const int code = CommandLine::prepareWindow(QCoreApplication::arguments(), &file,
                                                    &problem, &firstStart);
        code >= 0)
        return code;
    MainWindow window;
    window.setStartFile(file, problem, firstStart);
    window.show();
    if (!settingsProblem.isEmpty())
        QTimer::singleShot(0, &window, [&window, settingsProblem] {
            Prompts::current().message(&window, QMessageBox::Warning, settingsProblem,
                                       QMessageBox::Ok);
        });
    return app.exec();
}
