#include "picturepanel.h"

#include "controls/picturebutton.h"

#include <QEvent>

namespace {

constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

} // namespace

PicturePanel::PicturePanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("pictureFrame"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    const struct { const char *tip; const char *icon; } pictures[] = {
        {" New File ", "newfile"}, {" Open File ", "openfile"}, {" Save File ", "savefile"},
        {" About Quillhaven ", "about"}, {" Help ", "help"}};
    const int tops[] = {210, 990, 1770, 2550, 3330};
    for (int i = 0; i < 5; ++i) {
        const auto action = PictureAction(i);
        auto *b = new PictureButton(this);
        b->setObjectName(QStringLiteral("pictureButton_%1").arg(i));
        b->setGeometry(px(180), px(tops[i]), px(795), px(735));
        b->setToolTip(QString::fromLatin1(pictures[i].tip));
        b->setAccessibleName(QString::fromLatin1(pictures[i].tip).trimmed());
        b->setPicture(QPixmap(QStringLiteral(":/resources/icons/%1.png")
                                  .arg(QLatin1String(pictures[i].icon))));
        // Reached with Tab; Space or Enter runs its command, as on any button.
        b->setFocusPolicy(Qt::TabFocus);
        b->installEventFilter(this);
        connect(b, &PictureButton::clicked, this, [this, action] { emit actionRequested(action); });
        connect(b, &PictureButton::keyPress, this, [this, action](qint16 key) {
            if (key == 13 || key == 32)
                emit actionRequested(action);
        });
        m_buttons[size_t(i)] = b;
    }
    m_focusOutline = new QFrame(this);
    m_focusOutline->setObjectName(QStringLiteral("FocusOutline"));
    m_focusOutline->setStyleSheet(QStringLiteral("border: 1px dotted palette(text);"));
    m_focusOutline->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_focusOutline->hide();
}

bool PicturePanel::eventFilter(QObject *watched, QEvent *event)
{
    for (PictureButton *b : m_buttons) {
        if (watched != b)
            continue;
        if (event->type() == QEvent::FocusIn) {
            m_focusOutline->setGeometry(b->geometry().adjusted(-3, -3, 3, 3));
            m_focusOutline->show();
            m_focusOutline->lower();
        } else if (event->type() == QEvent::FocusOut) {
            m_focusOutline->hide();
        }
        break;
    }
    return QFrame::eventFilter(watched, event);
}
