#include "app/mainwindow.h"
#include "app/commandline.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>

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
    QString problem;
    if (const int code = CommandLine::prepareWindow(QCoreApplication::arguments(), &problem);
        code >= 0)
        return code;
    MainWindow window;
    window.setStartupProblem(problem);
    window.show();
    return app.exec();
}
