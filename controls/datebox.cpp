#include "datebox.h"

#include <QFocusEvent>
#include <QTimer>

DateBox::DateBox(QWidget *parent)
    : QLineEdit(parent)
{
    setInputMask(QStringLiteral("99/99/99;_"));
}

QString DateBox::withSeparators() const
{
    return displayText();
}

QString DateBox::value() const
{
    QString t = displayText();
    if (!m_includeLiterals)
        t.remove(u'/');
    return t;
}

void DateBox::setValue(const QString &text)
{
    QString digits;
    for (QChar c : text)
        if (c.isDigit() || c == u'_' || c == u' ')
            digits += c;
    digits = digits.left(6).leftJustified(6, u' ');
    digits.replace(u'_', u' ');
    setText(digits.left(2) + u'/' + digits.mid(2, 2) + u'/' + digits.mid(4, 2));
}

void DateBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Coming back to the window, or from a menu, leaves the box as it was.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    // The caret goes to the start and the whole text is selected; deferred so
    // that a mouse click placing the caret does not undo it.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus()) {
            setCursorPosition(0);
            selectAll();
        }
    });
}

void DateBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        deselect();
}
