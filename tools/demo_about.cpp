// Screenshot host: the About box, and the five file buttons in a row with
// the second one hovered and the third held down.
#include "dialogs/aboutdialog.h"
#include "controls/picturebutton.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QMouseEvent>
#include <QTimer>

namespace {

// A button that believes the pointer rests on it.
class HoveredButton : public PictureButton {
protected:
    bool pointerIsOver() override { return true; }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/icons/quillhaven.png")));

    QWidget row;
    row.setWindowTitle(QStringLiteral("Buttons"));
    auto *layout = new QHBoxLayout(&row);
    const char *icons[] = {"newfile", "openfile", "savefile", "about", "help"};
    const char *tips[] = {" New File ", " Open File ", " Save File ", " About Quillhaven ",
                          " Help "};
    PictureButton *pressed = nullptr;
    for (int i = 0; i < 5; ++i) {
        PictureButton *b = i == 1 ? new HoveredButton : new PictureButton;
        b->setFixedSize(53, 49);
        b->setToolTip(QString::fromLatin1(tips[i]));
        b->setPicture(QPixmap(QStringLiteral(":/resources/icons/%1.png").arg(icons[i])));
        layout->addWidget(b);
        if (i == 2)
            pressed = b;
    }
    row.move(20, 20);
    row.show();

    AboutDialog about;
    about.show();

    QTimer::singleShot(300, [pressed] {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), pressed->mapToGlobal(QPointF(10, 10)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pressed, &press);
    });
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    if (seconds > 0)
        QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
