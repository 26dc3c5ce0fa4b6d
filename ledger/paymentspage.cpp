#include "paymentspage.h"

#include "controls/exportbutton.h"
#include "controls/grid.h"
#include "dialogs/prompts.h"
#include "ledger/ledgermodel.h"
#include "document/loandocument.h"
#include "ledger/paymentdialog.h"
#include "controls/menubutton.h"
#include "ledger/reconciliationview.h"
#include "ledger/statementimport.h"
#include "loan/paymentstable.h"
#include "loan/dates.h"
#include "loan/numtext.h"

#include <QComboBox>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>
#include <optional>

namespace {

constexpr int kCols = 6;

// Busy pointer for the length of a refill, restored on every way out.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// The year of a stored payment date; none when the text is not a date.
std::optional<int> yearOf(const QString &payDate)
{
    if (auto d = Dates::parse(payDate))
        return d->year();
    return std::nullopt;
}

QString caption(int n)
{
    // The number is written as a positive number always was: after a blank.
    return QStringLiteral("Payment # %1").arg(n);
}

} // namespace

PaymentsPage::PaymentsPage(LoanDocument &document, QWidget *parent)
    : CommandPage(parent)
    , m_document(document)
    , m_yearLabel(new QLabel(tr("Year:"), this))
    , m_yearList(new QComboBox(this))
    , m_frame(new QFrame(this))
    , m_model(new LedgerModel(this))
    , m_grid(new Grid(kCols, m_frame))
    , m_totalLabel(new QLabel(tr("Total:"), this))
    , m_statementButton(new MenuButton(QStringLiteral("S&tatement"), this))
    , m_statementLine(new QLabel(this))
    , m_reconcileButton(new QToolButton(this))
    , m_reconciliation(new ReconciliationView(document, this))
    , m_exportButton(new ExportButton(m_grid, this))
{
    addCommand(QStringLiteral("&Make"), [this] { addPayment(); });
    addCommand(QStringLiteral("Delete &Last"), [this] { deleteLast(); });
    addCommand(QStringLiteral("Delete &All"), [this] { deleteAll(); });
    setHelpContext(5);
    connect(&m_document, &LoanDocument::termsChanged, this, [this] {
        setCommandsEnabled(m_document.terms().valid());
        loanPaymentChanged();
    });
    setCommandsEnabled(m_document.terms().valid());
    connect(&m_document, &LoanDocument::paymentsChanged, this, &PaymentsPage::paymentsChanged);
    // Rate changes and recasts move the loan payment of the rows they reach.
    connect(&m_document, &LoanDocument::changesChanged, this, &PaymentsPage::loanPaymentChanged);
    // A change undone or redone: the payment it touched is selected.
    connect(&m_document, &LoanDocument::changeShown, this,
            [this](LoanDocument::Part part, int payment) {
                if (part != LoanDocument::Part::Payments)
                    return;
                const int row = std::min(payment, m_document.payments().paymentsMade() + 1);
                m_grid->setCurrentCell(std::max(row, 1), 1);
                m_grid->showRow(std::max(row, 1));
            });
    // The ledger's years and totals are the new loan's; shown at once when
    // the tab is.
    connect(&m_document, &LoanDocument::loanReplaced, this, [this] {
        stopEditing();
        // The rows are filled on arrival, with the newest in view.
        m_model->setRows(2);
        m_model->showEmpty(1);
        fillYearList();
        if (isVisible())
            arrive();
    });

    // The statement's commands, in a menu beside the year list.
    QMenu *statementMenu = m_statementButton->menu();
    m_importAction = statementMenu->addAction(QStringLiteral("&Import statement..."), this,
                                              [this] { importStatement(); });
    m_recordAction = statementMenu->addAction(QString(), this, [this] { recordFromStatement(); });
    m_removeAction = statementMenu->addAction(QStringLiteral("&Remove statement"), this,
                                              [this] { removeStatement(); });
    m_statementButton->setObjectName(QStringLiteral("statementButton"));
    m_statementButton->setToolTip(QStringLiteral("Import the servicer's payment history (CSV) "
                                                 "and record the payments it has"));
    m_reconcileButton->setText(QStringLiteral("Reco&ncile"));
    m_reconcileButton->setObjectName(QStringLiteral("reconcileButton"));
    m_reconcileButton->setCheckable(true);
    m_reconcileButton->setToolTip(QStringLiteral("Set the statement beside the loan, payment by "
                                                 "payment, and say why they differ"));
    connect(m_reconcileButton, &QToolButton::toggled, this, [this](bool on) { setReconciling(on); });
    m_reconciliation->hide();
    m_statementLine->setObjectName(QStringLiteral("statementLine"));
    m_statementLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(&m_document, &LoanDocument::statementChanged, this, [this] { showStatement(); });
    connect(&m_document, &LoanDocument::paymentsChanged, this, [this] { showStatement(); });

    m_yearList->setObjectName(QStringLiteral("ledgerYearList"));
    m_yearLabel->setBuddy(m_yearList);
    m_frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_frame->setLineWidth(1);
    m_grid->setObjectName(QStringLiteral("ledgerGrid"));
    m_grid->setCells(m_model);
    m_totalLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int i = 0; i < 4; ++i) {
        m_totals[i] = new QLabel(this);
        m_totals[i]->setObjectName(QStringLiteral("totalLabel_%1").arg(i));
        m_totals[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_totals[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_totals[i]->setText(NumText::amount(0));
    }

    connect(m_yearList, &QComboBox::currentIndexChanged, this, [this] { yearFilter(); });
    connect(m_grid, &Grid::doubleClicked, this, [this] { editOnDoubleClick(); });
    connect(m_grid, &Grid::keyDown, this,
            [this](int key, Qt::KeyboardModifiers mods) { keyDownInGrid(key, mods); });
    connect(m_grid, &Grid::keyPress, this, [this](int ch) { keyPressInGrid(ch); });
    // Typing left in a cell without Enter is not kept.
    connect(m_grid, &Grid::currentCellChanged, this, [this] {
        const QPoint was = m_editing;
        if (was.isNull() || was == QPoint(m_grid->col(), m_grid->row()))
            return;
        stopEditing();
        if (was.y() <= m_document.payments().paymentsMade())
            fillRow(was.y());
    });
    // The totals stay under their columns.
    connect(m_grid, &Grid::columnsPlaced, this, [this] { placeTotals(); });

    resize(460, 300);
    showStatement();
    setupGrid();
}

QLabel *PaymentsPage::totalLabel(int i) const
{
    return i >= 0 && i < 4 ? m_totals[i] : nullptr;
}

void PaymentsPage::setupGrid()
{
    static const int widths[kCols] = {500, 1000, 1200, 1200, 1200, 1300};
    static const char *const headers[kCols] = {"", "Date", "Loan Payment", "Escrow",
                                               "Extra Principal", "Total Payment"};
    for (int c = 0; c < kCols; ++c) {
        m_grid->setColWidth(c, widths[c]);
        m_grid->setCell(0, c, QString::fromLatin1(headers[c]));
    }
    // The headings are set a little smaller than the cells so that "Loan
    // Payment" and "Extra Principal" fit their 1200-twip columns.
    QFont headerFont = m_grid->horizontalHeader()->font();
    headerFont.setPointSizeF(std::min(headerFont.pointSizeF(), 7.5));
    m_grid->horizontalHeader()->setFont(headerFont);
    // Wider than the 450 pixels inside its frame at the designed size, the
    // grid shares the width among its columns.
    m_grid->setWidenFrom(450);
    m_grid->setFixedAlignment(1, Qt::AlignHCenter);
    for (int c = 2; c < kCols; ++c) {
        m_grid->setColAlignment(c, Qt::AlignRight);
        m_grid->setFixedAlignment(c, Qt::AlignHCenter);
    }
    placeTotals();
}

void PaymentsPage::fillRow(int k)
{
    m_model->showPayment(k, m_document.payments().at(k), m_document.paymentFor(k));
}

void PaymentsPage::showStatement()
{
    const Statement &statement = m_document.statement();
    const bool kept = !statement.isEmpty();
    const StatementMatch &match = m_document.statementMatch();
    std::vector<QDate> matched;
    for (int line : match.lineOfPayment)
        matched.push_back(line >= 0 ? statement.lines[size_t(line)].date : QDate());
    m_model->setMatched(matched);

    const int toRecord = int(match.toRecord.size());
    m_recordAction->setText(toRecord == 0   ? QStringLiteral("Re&cord payments from the statement")
                            : toRecord == 1 ? QStringLiteral("Re&cord 1 payment from the statement")
                                            : QStringLiteral("Re&cord %1 payments from the statement")
                                                  .arg(toRecord));
    m_recordAction->setEnabled(toRecord > 0);
    m_removeAction->setEnabled(kept);

    QStringList parts;
    QStringList details;
    if (kept) {
        parts << QStringLiteral("Statement: %1 of %2 payments matched (✓)")
                     .arg(match.matched)
                     .arg(statement.payments());
        if (toRecord)
            parts << QStringLiteral("%1 to record").arg(toRecord);
        auto dates = [&](const std::vector<int> &lines) {
            QStringList out;
            for (int i : lines)
                out << Dates::format(statement.lines[size_t(i)].date);
            return out.join(QStringLiteral(", "));
        };
        if (!match.missingFromLedger.empty()) {
            parts << QStringLiteral("%1 missing from the ledger").arg(match.missingFromLedger.size());
            details << QStringLiteral("Missing from the ledger (it only adds after its last "
                                      "payment): %1")
                           .arg(dates(match.missingFromLedger));
        }
        if (!match.notPayments.empty()) {
            parts << (match.notPayments.size() == 1
                          ? QStringLiteral("1 other line")
                          : QStringLiteral("%1 other lines").arg(match.notPayments.size()));
            details << QStringLiteral("Not payments (fees, escrow disbursements): %1")
                           .arg(dates(match.notPayments));
        }
    }
    m_statementLine->setText(parts.join(QStringLiteral("; ")));
    m_statementLine->setToolTip(details.join(u'\n'));
    m_statementLine->setVisible(kept);
    m_reconcileButton->setVisible(kept);
    if (!kept)
        setReconciling(false);
    layoutChildren();
}

void PaymentsPage::setReconciling(bool on)
{
    on = on && !m_document.statement().isEmpty();
    if (on == m_reconciling)
        return;
    m_reconciling = on;
    {
        const QSignalBlocker quiet(m_reconcileButton);
        m_reconcileButton->setChecked(on);
    }
    m_frame->setVisible(!on);
    // The ledger's year list and exports stand aside: the view has its own.
    m_exportButton->setVisible(!on);
    m_yearList->setEnabled(!on);
    m_totalLabel->setVisible(!on);
    for (QLabel *total : m_totals)
        total->setVisible(!on);
    m_reconciliation->setVisible(on);
    layoutChildren();
    if (on)
        m_reconciliation->selectFirstDifference();
}

void PaymentsPage::importStatement(const QString &path)
{
    StatementImport::run(m_document, this, path);
}

void PaymentsPage::recordFromStatement()
{
    if (m_document.statementMatch().toRecord.empty() || refuseFullTable())
        return;
    m_document.recordFromStatement();
    showNewest();
}

void PaymentsPage::removeStatement()
{
    m_document.setStatement(Statement{}, QStringLiteral("Remove statement"));
}

void PaymentsPage::emptyLastRow()
{
    const int last = m_document.payments().paymentsMade() + 1;
    m_model->showEmpty(last);
    m_grid->setCurrentCell(last, kCols - 1);
}

void PaymentsPage::showPayments()
{
    BusyCursor busy;
    const int made = m_document.payments().paymentsMade();
    m_model->setRows(made + 2);
    for (int k = 1; k <= made; ++k)
        fillRow(k);
    emptyLastRow();
}

void PaymentsPage::paymentsChanged(int first, int last)
{
    const int made = m_document.payments().paymentsMade();
    m_model->setRows(made + 2);
    // Where a recast or a rate change moves the payment, a payment changed
    // moves those after it too.
    if (m_document.paymentsMove())
        last = made;
    for (int k = std::max(first, 1); k <= std::min(last, made); ++k)
        fillRow(k);
    emptyLastRow();
    followYears();
    yearFilter();
}

void PaymentsPage::showPayment(int n)
{
    m_model->setRows(m_document.payments().paymentsMade() + 2);
    if (n > 0)
        fillRow(n);
    emptyLastRow();
    followYears();
    yearFilter();
}

void PaymentsPage::yearFilter()
{
    const int first = showTotals();
    // A year without a payment has no row to show: the grid falls back once,
    // and a refusal there is of no consequence.
    if (!m_grid->bringToTop(first))
        m_grid->setTopRow(m_grid->rows() - 15);
}

int PaymentsPage::showTotals()
{
    const int index = m_yearList->currentIndex();
    const QString year = index > 0 ? m_yearList->itemText(index).trimmed() : QString();
    const LedgerTotals t = ledgerTotals(m_document.payments().payments(),
                                        [this](int k) { return m_document.paymentFor(k); }, year);
    const auto texts = t.texts();
    for (int i = 0; i < 4; ++i)
        m_totals[i]->setText(texts[size_t(i)]);
    return t.firstRow;
}

void PaymentsPage::loanPaymentChanged()
{
    // Rows already on screen show the new payment; an empty grid is filled
    // on arrival. The totals follow either way.
    const int made = m_document.payments().paymentsMade();
    if (m_grid->rows() == made + 2 && !m_grid->cell(1, 0).isEmpty()) {
        for (int k = 1; k <= made; ++k)
            fillRow(k);
    }
    showTotals();
}

void PaymentsPage::showNewest()
{
    // The empty row under it too, when the grid has room for both.
    const int made = m_document.payments().paymentsMade();
    if (made > 0) {
        m_grid->showRow(made + 1);
        m_grid->showRow(made);
    }
}

QStringList PaymentsPage::yearItems() const
{
    QStringList items{QStringLiteral("All")};
    std::optional<int> before;
    for (int k = 1; k <= m_document.payments().paymentsMade(); ++k) {
        const std::optional<int> year = yearOf(m_document.payments().at(k).payDate);
        // Years in file order, neither sorted nor unique; the first
        // payment always counts as differing.
        if (year && (k == 1 || year != before))
            items << QString::number(*year);
        before = year;
    }
    return items;
}

void PaymentsPage::fillYearList()
{
    {
        const QSignalBlocker block(m_yearList);
        m_yearList->clear();
        m_yearList->addItems(yearItems());
        m_yearList->setCurrentIndex(0);
    }
    yearFilter();
}

void PaymentsPage::followYears()
{
    const QStringList items = yearItems();
    QStringList shown;
    for (int i = 0; i < m_yearList->count(); ++i)
        shown << m_yearList->itemText(i);
    if (items == shown)
        return;
    // The year chosen stays chosen while it still has a payment.
    const QSignalBlocker block(m_yearList);
    const QString chosen = m_yearList->currentText();
    m_yearList->clear();
    m_yearList->addItems(items);
    m_yearList->setCurrentIndex(std::max(0, int(items.indexOf(chosen))));
}

bool PaymentsPage::refuseFullTable()
{
    if (m_document.payments().paymentsMade() < PaymentsTable::kSlots)
        return false;
    Prompts::current().message(
        this, QMessageBox::Warning,
        tr("This loan already has %1 payments recorded, the most the ledger can hold. "
           "No further payment can be added.")
            .arg(PaymentsTable::kSlots),
        QMessageBox::Ok);
    return true;
}

void PaymentsPage::addPayment()
{
    if (refuseFullTable())
        return;
    const int made = m_document.payments().paymentsMade();
    {
        PaymentDialog dlg(this);
        dlg.setWindowTitle(caption(made + 1));
        // The next due date: the first payment date plus one month per payment
        // made, a day past the month's end clamped to its last day.
        const QDate firstDate = m_document.terms().firstPaymentDate();
        const QDate due = firstDate.isValid() ? Dates::addMonths(firstDate, made) : Dates::today();
        dlg.setDateText(Dates::format(due));
        // The escrow in force then: the first tab's, unless a change moved it.
        const double escrow = m_document.escrowOn(due);
        dlg.setEscrowText(escrow == m_document.terms().monthlyTaxInsurance()
                              ? m_document.terms().texts()[LoanTerms::MonthlyTaxInsurance]
                              : NumText::amount(escrow));
        Prompts::current().runDialog(dlg);
        if (dlg.result() != QLatin1String("Cancel"))
            m_document.appendPayment({dlg.escrow(), dlg.extraPrincipal(), dlg.dateText()});
    }
    showNewest();
}

void PaymentsPage::editPayment(int row)
{
    if (row < 1 || row > m_document.payments().paymentsMade())
        return;
    {
        const PaymentRecord p = m_document.payments().at(row);
        PaymentDialog dlg(this);
        dlg.setWindowTitle(caption(row));
        dlg.setEscrowText(NumText::plainDecimal(p.escrow));
        dlg.setExtraText(NumText::plainDecimal(p.extraPrincipal));
        // A stored date that is not a date is shown as it was stored.
        const std::optional<QDate> date = Dates::parse(p.payDate);
        dlg.setDateText(date ? Dates::format(*date) : p.payDate);
        Prompts::current().runDialog(dlg);
        if (dlg.result() != QLatin1String("Cancel"))
            m_document.setPayment(row, {dlg.escrow(), dlg.extraPrincipal(), dlg.dateText()});
    }
}

void PaymentsPage::deleteLast()
{
    m_document.removeLastPayment();
    showNewest();
}

void PaymentsPage::deleteAll()
{
    const int made = m_document.payments().paymentsMade();
    if (made == 0)
        return;
    const auto answer = Prompts::current().message(
        this, QMessageBox::Question, QStringLiteral("Delete all %1 recorded payments?").arg(made),
        QMessageBox::Yes | QMessageBox::No, QStringLiteral("Quillhaven"), QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    m_document.removeAllPayments();
}

void PaymentsPage::arrive()
{
    m_grid->setCurrentCell(1, 0);
    if (m_document.terms().valid() && m_grid->text().isEmpty()) {
        showPayments();
        showNewest();
    }
}

void PaymentsPage::editOnDoubleClick()
{
    const int row = m_grid->row();
    const int col = m_grid->col();
    if (row == m_document.payments().paymentsMade() + 1) {
        addPayment();
        return;
    }
    if (row < 1)
        return;
    if (col == 3 || col == 4) {
        const QString prompt = col == 3 ? QStringLiteral("\r Escro Amount:")
                                        : QStringLiteral("\r Extra Principal Amount:");
        const std::optional<QString> answer = Prompts::current().inputText(
            this, QStringLiteral("Payment #%1").arg(row), prompt, m_grid->cell(row, col));
        if (!answer || answer->isEmpty())
            return;
        const std::optional<double> amount = NumText::parseAmount(*answer);
        if (!amount) {
            refuseAmount(row, col, *answer);
            return;
        }
        PaymentRecord p = m_document.payments().at(row);
        (col == 3 ? p.escrow : p.extraPrincipal) = *amount;
        m_document.setPayment(row, p);
        return;
    }
    editPayment(row);
}

void PaymentsPage::keyDownInGrid(int key, Qt::KeyboardModifiers)
{
    if (m_grid->row() > PaymentsTable::kSlots || m_grid->row() > m_document.payments().paymentsMade())
        return;
    if (key == Qt::Key_Delete) {
        startEditing();
        setTyped(QString());
    }
}

void PaymentsPage::refuseAmount(int row, int col, const QString &text)
{
    // The old value stays; the user is told which cell refused what.
    Prompts::current().message(
        this, QMessageBox::Warning,
        QStringLiteral("Payment #%1, %2: \"%3\" is not an amount.")
            .arg(row)
            .arg(col == 3 ? QStringLiteral("Escrow") : QStringLiteral("Extra Principal"),
                 text.trimmed()),
        QMessageBox::Ok);
}

void PaymentsPage::startEditing()
{
    const QPoint cell(m_grid->col(), m_grid->row());
    if (m_editing == cell)
        return;
    // The first key typed into a cell replaces its text, as in a spreadsheet.
    m_editing = cell;
    setTyped(QString());
}

void PaymentsPage::setTyped(const QString &text)
{
    m_model->setTyped(m_grid->row(), m_grid->col(), text);
}

void PaymentsPage::stopEditing()
{
    m_editing = QPoint();
}

void PaymentsPage::keyPressInGrid(int character)
{
    const int row = m_grid->row();
    // The empty row below a full table has no slot behind it.
    if (row > PaymentsTable::kSlots) {
        refuseFullTable();
        return;
    }
    // The empty row below the last payment is no payment: what is typed
    // there would land in a slot that nothing shows or counts.
    if (row > m_document.payments().paymentsMade())
        return;
    switch (character) {
    case 8: {
        const bool editing = m_editing == QPoint(m_grid->col(), row);
        startEditing();
        if (editing) {
            QString text = m_grid->text();
            text.chop(1);
            setTyped(text);
        }
        break;
    }
    case 13: {
        const int col = m_grid->col();
        const QString text = m_grid->text().trimmed();
        stopEditing();
        if (col == 3 || col == 4) {
            const std::optional<double> amount =
                text.isEmpty() ? std::optional<double>(0.0) : NumText::parseAmount(text);
            if (!amount) {
                showPayment(row);
                refuseAmount(row, col, text);
                return;
            }
            PaymentRecord p = m_document.payments().at(row);
            (col == 3 ? p.escrow : p.extraPrincipal) = *amount;
            m_document.setPayment(row, p);
        }
        showPayment(row);
        break;
    }
    case 27:
        stopEditing();
        showPayment(row);
        break;
    default:
        startEditing();
        setTyped(m_grid->text() + QChar(character));
    }
}

void PaymentsPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void PaymentsPage::layoutChildren()
{
    // Year list on top, the framed grid filling the middle, the totals line
    // at the bottom under the amount columns. A larger page gives the grid
    // more rows and wider columns.
    const int margin = 4;
    const int lineHeight = 22;
    m_yearLabel->setGeometry(margin, margin, 34, lineHeight);
    m_yearList->setGeometry(margin + 36, margin, 90, lineHeight);
    m_exportButton->setGeometry(margin + 130, margin, m_exportButton->sizeHint().width(), lineHeight);
    // The statement's buttons at the right, where the grid ends.
    const int right = width() - 2 * margin;
    const int menuWidth = m_statementButton->sizeHint().width();
    m_statementButton->setGeometry(right - menuWidth, margin, menuWidth, lineHeight);
    m_reconcileButton->setGeometry(right - menuWidth - 4 - 76, margin, 76, lineHeight);
    int top = margin + lineHeight + 4;
    // The statement's line, while one is kept, takes a line off the grid.
    if (!m_statementLine->isHidden()) {
        m_statementLine->setGeometry(margin, top - 2, right - margin, lineHeight - 4);
        top += lineHeight - 4;
    }
    const int bottom = height() - margin - lineHeight - 2;
    // Twice the margin on the right, as the page has always had it.
    m_frame->setGeometry(margin, top, std::max(0, width() - 3 * margin),
                         std::max(0, bottom - top));
    m_grid->setGeometry(m_frame->contentsRect());
    m_reconciliation->setGeometry(margin, top, width() - 3 * margin,
                                  std::max(0, height() - margin - top));
    placeTotals();
}

void PaymentsPage::placeTotals()
{
    const int lineHeight = 22;
    const int y = height() - 4 - lineHeight;
    const int gridLeft = m_frame->x() + m_grid->x() + m_grid->frameWidth()
                         + m_grid->verticalHeader()->width();
    auto colLeft = [&](int col) { return gridLeft + m_grid->columnViewportPosition(col - 1); };
    for (int i = 0; i < 4; ++i) {
        const int col = i + 2;
        m_totals[i]->setGeometry(colLeft(col), y, m_grid->columnWidth(col - 1), lineHeight);
    }
    const int labelRight = colLeft(2) - 4;
    m_totalLabel->setGeometry(m_frame->x(), y, std::max(0, labelRight - m_frame->x()),
                              lineHeight);
}
