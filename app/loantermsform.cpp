#include "loantermsform.h"

#include "controls/datebox.h"
#include "document/loandocument.h"
#include "loan/dates.h"
#include "loan/numtext.h"
#include "loan/schedule.h"
#include "storage/loanfile.h"


#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <cmath>

using namespace LoanTerms;

namespace {

// The rows top to bottom, with the label caption and the sign beside the field.
struct FieldPlace {
    int field;                 // -1: the first payment date
    const char *caption;
    const char *sign;          // "$", "%" or none
};

} // namespace

LoanTermsForm::LoanTermsForm(LoanDocument &document, QWidget *parent)
    : CommandPage(parent)
    , m_document(document)
{
    m_calculate = addCommand(QStringLiteral("&Calculate"), [this] { m_calculateTimer.start(); });
    setHelpContext(3);
    m_calculateTimer.setSingleShot(true);
    m_calculateTimer.setInterval(1);
    connect(&m_calculateTimer, &QTimer::timeout, this, &LoanTermsForm::calculatePayment);

    const FieldPlace rows[] = {
        {Price, "Price :", "$"},
        {DownPercent, "Down :", "%"},
        {LoanAmount, "Loan Amount :", "$"},
        {AnnualRate, "Annual Percentage Rate :", nullptr},
        {NumberOfPayments, "No of Monthly Payments :", nullptr},
        {AnnualTax, "Annual  Tax :", "$"},
        {AnnualInsurance, "Annual  Insurance :", "$"},
        {-1, "First Payment Date :", nullptr},
        {MonthlyPayment, "Monthly Principal && Interest :", "$"},
        {MonthlyTaxInsurance, "Monthly Tax && Insurance :", "$"},
        {TotalMonthlyPayment, "Total Monthly Payment :", "$"},
    };
    for (int i = 0; i < kFieldCount; ++i) {
        // Total interest and the last payment are the document's to compute:
        // no field holds them.
        if (i == TotalInterest || i == LastPayment)
            continue;
        auto *e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("field_%1").arg(i));
        m_fields[size_t(i)] = e;
        connect(e, &QLineEdit::textChanged, this, [this, i] { fieldEdited(i); });
        e->installEventFilter(this);
    }
    m_firstPaymentDate = new DateBox(this);
    m_firstPaymentDate->setYearOfTwoDigits(&Dates::expandYear);
    connect(m_firstPaymentDate, &DateBox::refusalChanged, this, &LoanTermsForm::showWhy);
    m_firstPaymentDate->setObjectName(QStringLiteral("firstPaymentDate"));
    m_firstPaymentDate->installEventFilter(this);

    const int labelX = 10, signX = 184, boxX = 196, boxW = 120, h = 21;
    auto sign = [&](const char *s, int x, int y) {
        auto *l = new QLabel(QString::fromLatin1(s), this);
        l->setGeometry(x, y, 12, h);
    };
    int y = 12;
    for (const auto &r : rows) {
        if (r.field == MonthlyPayment) {
            auto *rule = new QFrame(this);
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Sunken);
            rule->setGeometry(labelX, y, 360, 4);
            y += 8;
        }
        auto *label = new QLabel(QString::fromLatin1(r.caption), this);
        label->setGeometry(labelX, y, 168, h);
        QWidget *box = r.field < 0 ? static_cast<QWidget *>(m_firstPaymentDate) : field(r.field);
        if (r.field == DownPercent) {
            box->setGeometry(boxX, y, 58, h);
            sign("%", boxX + 61, y);
            sign("$", boxX + 76, y);
            field(DownAmount)->setGeometry(boxX + 88, y, 86, h);
            field(DownAmount)->setAccessibleName(QStringLiteral("Down amount"));
            box->setAccessibleName(QStringLiteral("Down percent"));
        } else {
            box->setGeometry(boxX, y, r.field < 0 ? 70 : boxW, h);
            if (r.sign)
                sign(r.sign, signX, y);
            box->setAccessibleName(label->text().remove(QStringLiteral(" :")).replace(
                QStringLiteral("&&"), QStringLiteral("&")).simplified());
        }
        label->setBuddy(box);
        y += 24;
    }

    // The computed fields are the program's to write.
    for (int f : {MonthlyPayment, MonthlyTaxInsurance, TotalMonthlyPayment}) {
        field(f)->setReadOnly(true);
        field(f)->setFocusPolicy(Qt::ClickFocus);
    }
    for (int f : {Price, DownAmount, LoanAmount, AnnualTax, AnnualInsurance, MonthlyPayment,
                  MonthlyTaxInsurance, TotalMonthlyPayment})
        field(f)->setAlignment(Qt::AlignRight);

    // Under the computed fields, in the room left above the page's bottom.
    m_whyLine = new QLabel(this);
    m_whyLine->setObjectName(QStringLiteral("whyLine"));
    // Two lines: the longest says what the Changes tab does to the payment.
    m_whyLine->setGeometry(labelX, y, 360, 30);
    m_whyLine->setWordWrap(true);
    m_whyLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette warning = m_whyLine->palette();
    warning.setColor(QPalette::WindowText, QColor(0xa0, 0x10, 0x10));
    m_whyLine->setPalette(warning);
    m_sampleNote = new QLabel(
        QStringLiteral("This is a sample loan to explore. New (Ctrl+N) starts your own."), this);
    m_sampleNote->setObjectName(QStringLiteral("sampleNote"));
    m_sampleNote->setGeometry(m_whyLine->geometry());
    m_sampleNote->setWordWrap(true);
    m_sampleNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_sampleNote->hide();
    // The first change of the loan makes it the user's own; another loan is not the sample.
    auto endSample = [this] {
        m_sample = false;
        m_sampleNote->hide();
    };
    connect(&m_document.undoStack(), &QUndoStack::indexChanged, this, endSample);
    connect(&m_document, &LoanDocument::loanReplaced, this, endSample);
    connect(m_firstPaymentDate, &QLineEdit::textChanged, this, [this] {
        if (!m_suspendChange)
            termsEdited();
    });
    // A loan opened or started anew, or terms changed elsewhere, are shown.
    connect(&m_document, &LoanDocument::termsChanged, this, [this] {
        if (m_document.terms() != terms())
            load(m_document.terms());
    });
    connect(&m_document, &LoanDocument::changesChanged, this, &LoanTermsForm::showWhy);
    // A change undone or redone: the field it changed is selected.
    connect(&m_document, &LoanDocument::changeShown, this,
            [this](LoanDocument::Part part, int index) {
                if (part == LoanDocument::Part::Terms)
                    showChange(index);
            });
    termsEdited();
}

QString LoanTermsForm::changedPayment() const
{
    // The first tab shows the loan as first contracted; the payment after the
    // last rate change or recast of the schedule is said beside it.
    if (!m_document.paymentsMove() || !m_document.terms().valid())
        return QString();
    const Schedule::Table t = Schedule::build(ScheduleView::Contract, m_document.inputs());
    for (size_t k = t.rows.size(); k-- > 2;)
        if (t.rows[k].payment != t.rows[k - 1].payment)
            return QStringLiteral("The payment changes with the Changes tab: %1 from %2.")
                .arg(NumText::amount(t.rows[k].payment), t.rows[k].dateText);
    return QString();
}

void LoanTermsForm::arrive()
{
    calculatePayment();
    field(Price)->setFocus();
}

void LoanTermsForm::showWhy()
{
    const Texts t = texts();
    QString why = LoanTerms::whyInvalid(t);
    if (why.isEmpty())
        why = LoanTerms::caution(t);
    if (why.isEmpty())
        why = changedPayment();
    if (why.isEmpty())
        why = m_firstPaymentDate->refusal();
    if (why.isEmpty())
        why = LoanTerms::whyDateInvalid(m_firstPaymentDate->withSeparators());
    m_whyLine->setText(why);
    m_whyLine->setVisible(!why.isEmpty());
    if (m_sampleNote)
        m_sampleNote->setVisible(m_sample && why.isEmpty());
}

void LoanTermsForm::showSampleNote()
{
    m_sample = true;
    showWhy();
}

Terms LoanTermsForm::terms() const
{
    return Terms::read(texts(), m_firstPaymentDate->withSeparators());
}

LoanTerms::Texts LoanTermsForm::texts() const
{
    Texts t;
    for (int i = 0; i < kFieldCount; ++i)
        if (m_fields[size_t(i)])
            t[size_t(i)] = m_fields[size_t(i)]->text();
    return t;
}

void LoanTermsForm::setField(int index, const QString &text)
{
    // Setting a field to the text it holds is no change, which lets the
    // derivations come to rest.
    if (field(index) && field(index)->text() != text)
        field(index)->setText(text);
}

void LoanTermsForm::fieldEdited(int)
{
    if (m_suspendChange)
        return;
    termsEdited();
    // Each assignment re-enters this handler at once, as a change does.
    for (const auto &a : LoanTerms::derive(texts(), m_currentField))
        setField(a.field, a.text);
}

void LoanTermsForm::termsEdited()
{
    showWhy();
    // The document holds the terms as typed; Calculate only shows its figures.
    m_document.setTerms(terms());
    const bool valid = m_document.terms().valid();
    // Terms that cannot be computed show no payment: the one shown would be
    // that of other terms.
    if (!valid)
        calculatePayment();
    setCommandsEnabled(valid);
}

void LoanTermsForm::fieldEntered(int index)
{
    m_currentField = index;
    QLineEdit *e = field(index);
    // Deferred so that a mouse click placing the caret does not undo it.
    QTimer::singleShot(0, e, [e] {
        if (e->hasFocus()) {
            e->setCursorPosition(0);
            e->selectAll();
        }
    });
}

void LoanTermsForm::fieldLeft(int index)
{
    if (const auto text = LoanTerms::textOnLeave(index, field(index)->text()))
        setField(index, *text);
    commit(field(index), index);
    calculateIfShown();
}

void LoanTermsForm::commit(QLineEdit *box, int index)
{
    m_document.commitTerms(index);
    // What was typed is the loan's now: Ctrl+Z in the box undoes the loan's
    // change, not the box's typing again. Setting the text anew clears the
    // box's own history.
    const QSignalBlocker quiet(box);
    box->setText(box->text());
}

void LoanTermsForm::showChange(int index)
{
    QLineEdit *box = index == kDateField ? m_firstPaymentDate : field(index);
    if (!isVisible() || !box)
        return;
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

void LoanTermsForm::calculateIfShown()
{
    if (isVisible() && m_calculate->isEnabled())
        m_calculate->trigger();
}

bool LoanTermsForm::eventFilter(QObject *watched, QEvent *event)
{
    int index = -1;
    for (int i = 0; i < kFieldCount; ++i)
        if (watched == m_fields[size_t(i)])
            index = i;
    const bool dateBox = watched == m_firstPaymentDate;
    if (index < 0 && !dateBox)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        // Only moves inside the window count: switching to another program
        // and back, or a menu popping up, leaves the field as it was.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        const bool insideWindow = reason != Qt::ActiveWindowFocusReason
                                  && reason != Qt::PopupFocusReason;
        if (index >= 0 && insideWindow) {
            if (event->type() == QEvent::FocusIn)
                fieldEntered(index);
            else
                fieldLeft(index);
        } else if (dateBox && insideWindow && event->type() == QEvent::FocusOut) {
            commit(m_firstPaymentDate, kDateField);
        }
        break;
    }
    case QEvent::ShortcutOverride: {
        // Ctrl+Z undoes the typing not yet committed, as the box's own undo;
        // with none left, the loan's last change (and Redo likewise).
        auto *key = static_cast<QKeyEvent *>(event);
        auto *box = static_cast<QLineEdit *>(watched);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo)
                          || key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
        if ((undo && !box->isUndoAvailable()) || (redo && !box->isRedoAvailable())) {
            event->ignore();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            focusNextPrevChild(key->key() == Qt::Key_Down);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (dateBox) {
                field(Price)->setFocus(Qt::TabFocusReason);
                return true;
            }
            focusNextPrevChild(true);
            calculateIfShown();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void LoanTermsForm::calculatePayment()
{
    // The program's own results derive nothing: re-deriving the down payment
    // from its percentage would move a loan that was only looked at.
    const bool suspended = m_suspendChange;
    m_suspendChange = true;
    const Texts shown = m_document.terms().texts();
    for (int f : {MonthlyPayment, TotalMonthlyPayment})
        setField(f, shown[size_t(f)]);
    m_suspendChange = suspended;
}

void LoanTermsForm::clear()
{
    m_suspendChange = true;
    for (QLineEdit *e : m_fields)
        if (e)
            e->setText(QString());
    m_suspendChange = false;
    fieldEdited(AnnualRate);
}

void LoanTermsForm::load(const Terms &terms)
{
    // Shown as they are: nothing is derived, whichever field had the focus.
    m_suspendChange = true;
    const Texts t = terms.texts();
    for (int i = 0; i < kFieldCount; ++i)
        if (field(i))
            field(i)->setText(t[size_t(i)]);
    m_firstPaymentDate->setValue(terms.firstPaymentDigits);
    m_suspendChange = false;
    termsEdited();
}

void LoanTermsForm::enterPrice()
{
    field(Price)->setFocus(Qt::OtherFocusReason);
    fieldEntered(Price);
}
