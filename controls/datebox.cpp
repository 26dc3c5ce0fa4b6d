#include "datebox.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMenu>
#include <QTimer>
#include <algorithm>

DateBox::DateBox(QWidget *parent)
    : QLineEdit(parent)
{
    setInputMask(QStringLiteral("99/99/99;_"));
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_refusing)
            setRefusal(QString());
    });
}

void DateBox::setRefusal(const QString &why)
{
    if (why == m_refusal)
        return;
    m_refusal = why;
    emit refusalChanged();
}

void DateBox::takeFourDigitYear(const QString &monthDay, const QString &year)
{
    const QString twoDigits = year.right(2);
    if (m_yearOfTwoDigits && m_yearOfTwoDigits(twoDigits.toInt()) == year.toInt()) {
        setValue(monthDay + twoDigits);
        return;
    }
    // The year is left empty: two digits would name another year.
    m_refusing = true;
    setValue(monthDay);
    m_refusing = false;
    if (!m_yearOfTwoDigits) {
        setRefusal(QStringLiteral("The year %1 cannot be written in two digits.").arg(year));
        return;
    }
    int low = m_yearOfTwoDigits(0), high = low;
    for (int yy = 1; yy < 100; ++yy) {
        low = std::min(low, m_yearOfTwoDigits(yy));
        high = std::max(high, m_yearOfTwoDigits(yy));
    }
    setRefusal(QStringLiteral("The year %1 is outside %2 to %3: type a year within them.")
                   .arg(year).arg(low).arg(high));
}

void DateBox::pasteText(const QString &text)
{
    m_yearTyped.clear();
    QString digits;
    for (QChar c : text)
        if (c.isDigit())
            digits += c;
    if (digits.size() == 8) {
        takeFourDigitYear(digits.left(4), digits.mid(4));
        return;
    }
    insert(text);
}

void DateBox::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        pasteText(QApplication::clipboard()->text());
        return;
    }
    // A digit typed past a full year continues it: "2027" typed into the
    // year gives 27.
    const QString typed = event->text();
    const QString shown = displayText();
    const bool yearFull = shown.size() == 8 && shown[6].isDigit() && shown[7].isDigit();
    if (typed.size() == 1 && typed[0].isDigit() && cursorPosition() == 8 && !hasSelectedText()
        && yearFull) {
        if (m_yearTyped.isEmpty())
            m_yearTyped = shown.mid(6, 2);
        m_yearTyped += typed;
        if (m_yearTyped.size() == 4) {
            const QString year = m_yearTyped;
            m_yearTyped.clear();
            QString monthDay = shown.left(5);
            monthDay.remove(u'/');
            takeFourDigitYear(monthDay, year);
        }
        return;
    }
    m_yearTyped.clear();
    QLineEdit::keyPressEvent(event);
}

void DateBox::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's Paste follows the four-digit year rule too.
    if (QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
        paste->disconnect();
        connect(paste, &QAction::triggered, this,
                [this] { pasteText(QApplication::clipboard()->text()); });
    }
    menu->popup(event->globalPos());
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
