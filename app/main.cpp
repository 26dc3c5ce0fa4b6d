#include "app/mainwindow.h"
#include "app/currentloan.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillhaven"));
    QApplication::setOrganizationName(QStringLiteral("Quillhaven"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(QH_VERSION_MAJOR)
                                            .arg(QH_VERSION_MINOR)
                                            .arg(QH_VERSION_PATCH));
    QGuiApplication::setDesktopFileName(QStringLiteral("quillhaven"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/icons/quillhaven.png")));
    // The window's fixed layout was drawn for an Arial-sized font; use the
    // metric-compatible one where it is installed.
    if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    const QString problem = CurrentLoan::restore();
    MainWindow window;
    window.setStartupProblem(problem);
    window.show();
    return app.exec();
}
