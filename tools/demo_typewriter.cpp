// Shows a TypewriterText in a small window, part way through typing a few lines, for
// looking at the control on its own. Quits by itself after the number of
// seconds given as the first argument (default: runs until closed).
#include "controls/typewritertext.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Quillhaven");
    auto *layout = new QVBoxLayout(&window);
    auto *words = new QLabel("Word 1");
    auto *fx = new TypewriterText(&window);
    fx->initNew();
    fx->setBorderStyle(1);
    fx->setBackColor(QColor(255, 253, 240));
    fx->setForeColor(QColor(30, 40, 90));
    fx->setFixedSize(260, 110);
    layout->addWidget(fx);
    layout->addWidget(words);
    QObject::connect(fx, &TypewriterText::nextWordStart,
                     [words](int &pos) { words->setText(QString("Word %1").arg(pos)); });
    window.show();

    fx->setText("Your loan, line by line.\r\n"
                "A payment of 1,250.00 each month pays the interest first and "
                "the principal after it; extra principal paid early shortens the "
                "loan and saves interest.\r\n"
                "Keep every payment in the ledger.");
    fx->setScrollSteps(5);
    // Start part way through, then let the control type on at its own pace.
    for (int i = 0; i < 120; ++i)
        fx->typeNext();
    fx->setAnimate(true);

    if (argc > 1)
        QTimer::singleShot(QString(argv[1]).toInt() * 1000, &app, &QApplication::quit);
    return app.exec();
}
