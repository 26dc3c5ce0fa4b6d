#include "app/frmmain.h"
#include "app/maincode.h"

#include <QApplication>
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
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/icons/quillhaven.png")));
    MainCode::loadCurrentFile();
    frmMain window;
    window.show();
    return app.exec();
}
