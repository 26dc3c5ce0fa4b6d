#include "quotepage.h"

#include "controls/grid.h"
#include "document/loandocument.h"
#include "loan/numtext.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// The payment number box keeps its caret where it was when it gets the focus
// by Tab, Enter or an access key, where a line edit would select its whole text.
class CaretKeepingEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        const int caret = cursorPosition();
        QLineEdit::focusInEvent(event);
        const Qt::FocusReason why = event->reason();
        if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason
            || why == Qt::ShortcutFocusReason) {
            deselect();
            setCursorPosition(caret);
        }
    }
};

} // namespace

QuotePage::QuotePage(LoanDocument &document, QWidget *parent)
    : CommandPage(parent)
    , m_grid(new Grid(4, this))
    , m_amountLabel(new QLabel(QStringLiteral("Extra principal  $"), this))
    , m_text{new QLineEdit(QStringLiteral("100.00"), this), new CaretKeepingEdit(QStringLiteral("1"), this)}
    , m_option{new QRadioButton(QStringLiteral("Every payment"), this),
               new QRadioButton(QStringLiteral("One payment #"), this)}
    , m_spinner(new QScrollBar(Qt::Vertical, this))
    , m_paymentLabel(new QLabel(this))
    , m_check(new QCheckBox(QStringLiteral("Include actual payments data"), this))
    , m_whyLine(new QLabel(this))
    , m_document(document)
{
    m_calculate = addCommand(QStringLiteral("&Calculate"),
                             [this] { quoteExtraPrincipal(selectedMode()); });
    setHelpContext(6);
    auto follow = [this] { setCommandsEnabled(m_document.terms().valid()); };
    connect(&m_document, &LoanDocument::termsChanged, this, follow);
    follow();
    // A plan undone or redone is shown in the controls, and quoted.
    connect(&m_document, &LoanDocument::planChanged, this, [this] { showPlan(m_document.plan()); });
    connect(&m_document, &LoanDocument::changesChanged, this, [this] {
        if (m_calculate->isEnabled())
            m_calculate->trigger();
    });
    // The plan is the document's, and quoted at once while the loan can be computed.
    connect(this, &QuotePage::recomputeRequested, this, [this] {
        if (m_showingPlan)
            return;
        m_document.setPlan(plan());
        if (m_calculate->isEnabled())
            m_calculate->trigger();
    });
    resize(460, 300);
    // The column widths are the program's own, in twips, sized for an 8-point face.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    m_grid->setObjectName(QStringLiteral("quoteGrid"));
    m_grid->setRows(3);
    const int widths[4] = {920, 1755, 1755, 1755};
    for (int c = 0; c < 4; ++c)
        m_grid->setColWidth(c, widths[c]);
    m_grid->setRowHeight(0, 300);
    m_grid->setRowHeight(1, 500);
    m_grid->setRowHeight(2, 500);
    const QStringList headings{QString(), QStringLiteral("Scheduled"), QStringLiteral("Projected"),
                               QStringLiteral("Difference")};
    for (int c = 1; c < 4; ++c) {
        m_grid->setCell(0, c, headings[c]);
        m_grid->setFixedAlignment(c, Qt::AlignHCenter);
        m_grid->setColAlignment(c, Qt::AlignHCenter);
    }
    m_grid->setCell(1, 0, QStringLiteral(" Payments"));
    m_grid->setCell(2, 0, QStringLiteral(" Interest"));
    m_grid->setCurrentCell(1, 1);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setGeometry(22, 16, (920 + 3 * 1755) / 15 + 2 * m_grid->frameWidth() + 1,
                        (300 + 500 + 500) / 15 + 2 * m_grid->frameWidth() + 2);

    m_amountLabel->setObjectName(QStringLiteral("Label1_16"));
    m_amountLabel->setGeometry(40, 140, 110, 22);
    m_text[0]->setObjectName(QStringLiteral("extraAmount"));
    m_text[0]->setGeometry(150, 140, 90, 22);
    m_text[0]->setAlignment(Qt::AlignRight);
    m_option[0]->setObjectName(QStringLiteral("everyPayment"));
    m_option[0]->setGeometry(40, 174, 200, 22);
    m_option[1]->setObjectName(QStringLiteral("onePayment"));
    m_option[1]->setGeometry(40, 202, 110, 22);
    m_text[1]->setObjectName(QStringLiteral("paymentNumber"));
    m_text[1]->setGeometry(150, 202, 60, 22);
    m_text[1]->setAlignment(Qt::AlignRight);
    m_spinner->setObjectName(QStringLiteral("VScroll1"));
    m_spinner->setGeometry(210, 202, 16, 22);
    m_paymentLabel->setObjectName(QStringLiteral("Label1_17"));
    m_paymentLabel->setGeometry(232, 202, 60, 22);
    m_check->setObjectName(QStringLiteral("includeRecorded"));
    m_check->setGeometry(40, 236, 260, 22);
    m_check->setEnabled(false);
    // Under the plan: why a text of it counts for nothing.
    m_whyLine->setObjectName(QStringLiteral("quoteWhyLine"));
    m_whyLine->setGeometry(40, 262, 400, 16);
    QPalette warning = m_whyLine->palette();
    warning.setColor(QPalette::WindowText, QColor(0xa0, 0x10, 0x10));
    m_whyLine->setPalette(warning);
    m_whyLine->hide();

    // K runs 1..32767 with 32767 at the top, so the upper arrow raises it:
    // the scroll bar's steps are turned round as they happen (a scroll bar
    // otherwise lowers its value with the upper arrow), and so is the wheel.
    m_spinner->setRange(1, 32767);
    m_spinner->setValue(1);
    m_spinner->setInvertedControls(true);
    m_spinner->setFocusPolicy(Qt::NoFocus);
    connect(m_spinner, &QAbstractSlider::actionTriggered, this, [this](int action) {
        int step = 0;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: step = m_spinner->singleStep(); break;
        case QAbstractSlider::SliderSingleStepAdd: step = -m_spinner->singleStep(); break;
        case QAbstractSlider::SliderPageStepSub: step = m_spinner->pageStep(); break;
        case QAbstractSlider::SliderPageStepAdd: step = -m_spinner->pageStep(); break;
        default: return;
        }
        m_spinner->setSliderPosition(
            std::clamp(m_spinner->value() + step, m_spinner->minimum(), m_spinner->maximum()));
    });

    for (int i = 0; i < 2; ++i) {
        m_text[i]->installEventFilter(this);
        connect(m_text[i], &QLineEdit::textChanged, this, [this] { textChanged(); });
        connect(m_option[i], &QRadioButton::clicked, this, [this, i] {
            optionClicked(i == 0 ? ExtraMode::EveryPayment : ExtraMode::OnePayment);
        });
    }
    m_spinner->installEventFilter(this);
    connect(m_spinner, &QScrollBar::valueChanged, this, [this](int v) { spinnerChanged(v); });
    connect(m_check, &QCheckBox::toggled, this, [this](bool on) { checkClicked(on); });
}

ExtraMode QuotePage::selectedMode() const
{
    if (m_option[0]->isChecked())
        return ExtraMode::EveryPayment;
    if (m_option[1]->isChecked())
        return ExtraMode::OnePayment;
    return ExtraMode::None;
}

ExtraPlan QuotePage::plan() const
{
    ExtraPlan p;
    p.mode = selectedMode();
    // Text that is not an amount adds nothing, here as in every view of the plan.
    p.amount = Schedule::planAmount(m_text[0]->text()).value_or(0.0);
    p.payment = NumText::toInt16(m_text[1]->text());
    p.includeActual = m_check->isChecked();
    return p;
}

void QuotePage::showPlan(const ExtraPlan &plan)
{
    const ExtraPlan shown = this->plan();
    if (shown.mode == plan.mode && shown.amount == plan.amount && shown.payment == plan.payment
        && shown.includeActual == plan.includeActual)
        return;
    // The controls follow the document's plan; they change no plan meanwhile.
    m_showingPlan = true;
    if (plan.mode != ExtraMode::None && plan.mode != selectedMode()) {
        option(plan.mode)->setChecked(true);
        optionClicked(plan.mode);
    }
    if (shown.amount != plan.amount)
        m_text[0]->setText(NumText::amount(plan.amount));
    if (plan.payment && shown.payment != plan.payment)
        m_text[1]->setText(QString::number(*plan.payment));
    if (m_check->isChecked() != plan.includeActual)
        m_check->setChecked(plan.includeActual);
    m_showingPlan = false;
    if (m_calculate->isEnabled())
        m_calculate->trigger();
}

void QuotePage::showWhy()
{
    QString why = Schedule::whyNotPlanAmount(m_text[0]->text());
    const std::optional<int16_t> k = NumText::toInt16(m_text[1]->text());
    if (why.isEmpty() && m_text[1]->isEnabled() && (!k || *k < 1))
        why = QStringLiteral("Payment #: from 1 to 32,767.");
    m_whyLine->setText(why);
    m_whyLine->setVisible(!why.isEmpty());
}

void QuotePage::quoteExtraPrincipal(ExtraMode mode)
{
    const Terms &terms = m_document.terms();
    const RecordedExtra recorded = m_document.payments().recordedExtra();
    ExtraPlan p = plan();
    p.mode = mode;
    // Only the one-payment plan needs K; a K that is no 16-bit number keeps
    // the quote as it was.
    if (mode == ExtraMode::OnePayment && !p.payment)
        return;
    const DatedChanges &changes = m_document.changes();
    const auto q = Schedule::quote(terms, Schedule::ruleForQuote(mode, p, recorded), changes);
    // Scheduled is the schedule with its changes, not only the first contract.
    const double scheduled = m_document.paymentsMove()
                                 ? Schedule::quote(terms, {}, changes).interest
                                 : m_document.payment().totalInterest;
    const auto cells = Schedule::quoteCells(terms, scheduled, q);
    for (int k = 0; k < 6; ++k)
        m_grid->setCell(1 + k / 3, 1 + k % 3, cells[size_t(k)]);
}

void QuotePage::arrive()
{
    const int paymentsMade = m_document.payments().paymentsMade();
    const bool termsValid = m_document.terms().valid();
    m_paymentsMade = paymentsMade;
    if (selectedMode() == ExtraMode::None && termsValid) {
        // Picked for the user, not by the user: no change to undo.
        m_showingPlan = true;
        m_option[1]->setChecked(true);
        optionClicked(ExtraMode::OnePayment);
        m_showingPlan = false;
        m_document.adoptPlan(plan());
    }
    if (paymentsMade > 0)
        m_check->setEnabled(true);
    emit recomputeRequested();
}

void QuotePage::optionClicked(ExtraMode mode)
{
    const bool one = mode == ExtraMode::OnePayment;
    m_text[0]->setEnabled(true);
    m_amountLabel->setEnabled(true);
    m_text[1]->setEnabled(one);
    m_spinner->setEnabled(one);
    m_paymentLabel->setEnabled(one);
    showWhy();
    emit recomputeRequested();
}

void QuotePage::checkClicked(bool checked)
{
    emit recomputeRequested();
    if (checked) {
        const int low = std::min(m_paymentsMade + 1, m_spinner->maximum());
        // Raising the lower end moves a value below it up, which puts the new
        // number into the payment number box and recomputes through the change chain.
        m_spinner->setMinimum(low);
        m_option[0]->setText(QStringLiteral("Every remaining payment"));
    } else {
        m_spinner->setMinimum(1);
        m_option[0]->setText(QStringLiteral("Every payment"));
    }
}

void QuotePage::textChanged()
{
    showWhy();
    const double k = NumText::leadingNumber(m_text[1]->text());
    if (k > 0) {
        // Halves to even, as every 16-bit whole number the program reads:
        // 2.5 is 2. Outside the spinner's range the spinner stays where it is.
        const std::optional<int16_t> r = NumText::toInt16(k);
        if (r && *r >= m_spinner->minimum() && *r <= m_spinner->maximum())
            m_spinner->setValue(*r);
        emit recomputeRequested();
    } else {
        m_text[1]->setText(QStringLiteral("1")); // runs this handler again, which recomputes
        if (m_spinner->minimum() <= 1)
            m_spinner->setValue(1);
    }
}

void QuotePage::spinnerChanged(int value)
{
    m_text[1]->setText(QString::number(value));
}

bool QuotePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_spinner && event->type() == QEvent::FocusIn) {
        m_text[1]->setFocus();
        return false;
    }
    if (watched == m_text[0] && event->type() == QEvent::FocusIn) {
        // After the line edit's own focus handling, which may place the caret.
        QTimer::singleShot(0, m_text[0], &QLineEdit::selectAll);
        return false;
    }
    if ((watched == m_text[0] || watched == m_text[1]) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild();
            emit recomputeRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
