#include "loandocument.h"

#include "document/loanchanges.h"
#include "storage/loanextension.h"
#include "storage/loanfileterms.h"

#include <QFileInfo>

LoanDocument::LoanDocument(QObject *parent)
    : QObject(parent)
    , m_payments(std::make_unique<PaymentsTable>())
{
    markSaved();
}

LoanDocument::~LoanDocument() = default;

void LoanDocument::setTerms(const Terms &terms)
{
    if (terms == m_terms)
        return;
    takeTerms(terms);
    emit termsChanged();
    noteChange();
}

namespace {

bool samePlan(const ExtraPlan &a, const ExtraPlan &b)
{
    return a.mode == b.mode && a.amount == b.amount && a.payment == b.payment
           && a.includeActual == b.includeActual;
}

} // namespace

void LoanDocument::commitTerms(int field)
{
    if (m_terms == m_committed)
        return;
    m_undo.push(new TermsChange(*this, m_committed, m_terms, field));
    m_committed = m_terms;
}

void LoanDocument::restoreTerms(const Terms &terms, int field)
{
    takeTerms(terms);
    m_committed = terms;
    emit termsChanged();
    noteChange();
    emit changeShown(Part::Terms, field);
}

void LoanDocument::pushPayments(const PaymentsTable &before, int payment, const QString &text)
{
    // Terms typed and not yet committed come first, as they were made first.
    commitTerms(-1);
    m_undo.push(new PaymentsChange(*this, before, *m_payments, payment, text));
    notePayments(before);
}

void LoanDocument::notePayments(const PaymentsTable &before)
{
    m_match.reset();
    // Only the payments that differ are shown anew: a cell changed among
    // 1,600 payments redraws one row.
    const int made = std::max(before.paymentsMade(), m_payments->paymentsMade());
    int first = 0, last = 0;
    for (int k = 1; k <= made; ++k) {
        const bool counted = k <= before.paymentsMade() && k <= m_payments->paymentsMade();
        if (!counted || !(before.at(k) == m_payments->at(k))) {
            first = first ? first : k;
            last = k;
        }
    }
    if (first)
        emit paymentsChanged(first, last);
    noteChange();
}

void LoanDocument::restorePayments(const PaymentsTable &payments, int payment)
{
    const PaymentsTable before = *m_payments;
    *m_payments = payments;
    notePayments(before);
    emit changeShown(Part::Payments, payment);
}

bool LoanDocument::appendPayment(const PaymentRecord &record)
{
    const PaymentsTable before = *m_payments;
    if (!m_payments->append(record))
        return false;
    pushPayments(before, m_payments->paymentsMade(), QStringLiteral("Payment made"));
    return true;
}

void LoanDocument::setPayment(int k, const PaymentRecord &record)
{
    if (k < 1 || k > m_payments->paymentsMade() || m_payments->at(k) == record)
        return;
    const PaymentsTable before = *m_payments;
    m_payments->set(k, record);
    pushPayments(before, k, QStringLiteral("Payment changed"));
}

void LoanDocument::removeLastPayment()
{
    const int made = m_payments->paymentsMade();
    if (made == 0)
        return;
    const PaymentsTable before = *m_payments;
    m_payments->removeLast();
    pushPayments(before, made, QStringLiteral("Delete Last"));
}

void LoanDocument::removeAllPayments()
{
    if (m_payments->paymentsMade() == 0)
        return;
    const PaymentsTable before = *m_payments;
    m_payments->setPaymentsMade(0);
    pushPayments(before, 1, QStringLiteral("Delete All"));
}

void LoanDocument::setPlan(const ExtraPlan &plan)
{
    if (samePlan(plan, m_plan))
        return;
    m_undo.push(new PlanChange(*this, m_plan, plan));
    m_plan = plan;
    m_extension.reset();
    emit planChanged();
    noteChange(); // the plan is kept in the loan file
}

void LoanDocument::adoptPlan(const ExtraPlan &plan)
{
    if (samePlan(plan, m_plan))
        return;
    m_plan = plan;
    m_extension.reset();
    emit planChanged();
    noteChange();
}

void LoanDocument::restorePlan(const ExtraPlan &plan)
{
    m_plan = plan;
    m_extension.reset();
    emit planChanged();
    noteChange();
    emit changeShown(Part::Plan, 0);
}

void LoanDocument::setChanges(const DatedChanges &changes)
{
    if (changes == m_changes)
        return;
    m_undo.push(new ChangesChange(*this, m_changes, changes));
    restoreChanges(changes);
}

void LoanDocument::restoreChanges(const DatedChanges &changes)
{
    m_changes = changes;
    m_extension.reset();
    emit changesChanged();
    noteChange();
}

Result LoanDocument::setStatement(const Statement &statement, const QString &text)
{
    if (statement == m_statement)
        return {};
    const qint64 size = LoanFile::kExtensionOffset + LoanFile::kExtensionHeader
                        + LoanExtension{m_changes, m_plan, statement, m_unknownKeys}.payload().size();
    if (size > LoanFile::kMaxFileSizeWithExtension)
        return Result::failed(QStringLiteral("its %1 lines would make the loan file larger "
                                             "than 1 MiB")
                                  .arg(statement.lines.size()));
    commitTerms(-1);
    m_undo.push(new StatementChange(*this, m_statement, statement, text));
    restoreStatement(statement);
    return {};
}

void LoanDocument::restoreStatement(const Statement &statement)
{
    m_statement = statement;
    m_match.reset();
    m_extension.reset();
    emit statementChanged();
    noteChange();
}

const StatementMatch &LoanDocument::statementMatch() const
{
    if (!m_match)
        m_match = Statements::match(m_statement, m_payments->payments());
    return *m_match;
}

Reconciliation::Report LoanDocument::reconcile(const Statement &statement) const
{
    const ScheduleInputs in = inputs();
    const auto ledger = m_payments->payments();
    const StatementMatch match = &statement == &m_statement ? statementMatch()
                                                            : Statements::match(statement, ledger);
    return Reconciliation::reconcile(statement, match, ledger, in,
                                     Schedule::build(ScheduleView::Actual, in));
}

std::vector<PaymentRecord> LoanDocument::paymentsFromStatement() const
{
    return Statements::paymentsToRecord(m_statement, statementMatch().toRecord, inputs(),
                                        [this](const QDate &date) { return escrowOn(date); });
}

int LoanDocument::recordFromStatement()
{
    const std::vector<PaymentRecord> records = paymentsFromStatement();
    const PaymentsTable before = *m_payments;
    int recorded = 0;
    for (const PaymentRecord &record : records)
        recorded += m_payments->append(record) ? 1 : 0;
    if (recorded)
        pushPayments(before, before.paymentsMade() + 1,
                     recorded == 1 ? QStringLiteral("Record 1 payment from the statement")
                                   : QStringLiteral("Record %1 payments from the statement")
                                         .arg(recorded));
    return recorded;
}

bool LoanDocument::wouldOverwriteUnreadSection(const QString &path) const
{
    return !m_extensionProblem.isEmpty() && !m_path.isEmpty()
           && QFileInfo(path).absoluteFilePath() == QFileInfo(m_path).absoluteFilePath();
}

ScheduleInputs LoanDocument::inputs() const
{
    ScheduleInputs in;
    in.terms = m_terms;
    in.changes = m_changes;
    in.plan = m_plan;
    in.recorded = m_payments->recordedExtra();
    return in;
}

void LoanDocument::takeTerms(const Terms &terms)
{
    m_terms = terms;
    m_payment = terms.payment().value_or(Amortization::Payment{});
}

Result LoanDocument::load(const QString &path, Use use)
{
    const LoanFile::ReadResult file = LoanFile::read(path);
    if (!file)
        return file;
    // A stored date the date box cannot show leaves the one it had.
    m_committed = LoanFile::terms(file.data, m_terms.firstPaymentDigits);
    takeTerms(m_committed);
    m_undo.clear();
    auto payments = std::make_unique<PaymentsTable>();
    for (size_t k = 0; k < file.data.payments.size(); ++k)
        payments->set(int(k) + 1, file.data.payments[k]);
    payments->setPaymentsMade(int(file.data.payments.size()));
    m_payments = std::move(payments);
    // The changes and the plan kept with the loan; what cannot be read of
    // them is said, and the plain loan opens all the same.
    LoanExtension extension;
    m_extensionProblem = file.data.extensionProblem;
    if (m_extensionProblem.isEmpty() && !file.data.extension.isEmpty()) {
        if (const Result read = LoanExtension::read(file.data.extension, extension); !read)
            m_extensionProblem = read.reason;
    }
    if (!m_extensionProblem.isEmpty()) {
        m_extensionProblem = QStringLiteral("The changes, the plan and the statement kept in "
                                            "the loan file "
                                            "\"%1\" could not be read: %2. The loan opens "
                                            "without them.")
                                 .arg(QFileInfo(path).fileName(), m_extensionProblem);
        extension = LoanExtension{};
    }
    m_changes = extension.changes;
    m_statement = extension.statement;
    m_match.reset();
    m_extension.reset();
    m_unknownKeys = extension.unknown;
    m_plan = extension.plan.value_or(startingPlan());
    if (use == Use::Edit)
        m_guard.hold(path);
    markSaved();
    setPath(path, false);
    emit termsChanged();
    emit changesChanged();
    emit statementChanged();
    emit planChanged();
    emit loanReplaced();
    return {};
}

Result LoanDocument::save(const QString &path)
{
    const LoanFileData image = data();
    if (const Result saved = LoanFile::write(path, image); !saved)
        return saved;
    m_guard.hold(path);
    m_extensionProblem.clear();
    m_savedImage = LoanFile::encode(image);
    noteChange();
    setPath(path, false);
    return {};
}

void LoanDocument::startNew(const QString &path)
{
    Terms fresh;
    fresh.firstPaymentDigits = m_terms.firstPaymentDigits;
    m_committed = fresh;
    takeTerms(fresh);
    m_payments->setPaymentsMade(0);
    m_changes.clear();
    m_statement = {};
    m_match.reset();
    m_extension.reset();
    m_unknownKeys = {};
    m_extensionProblem.clear();
    m_plan = startingPlan();
    m_undo.clear();
    m_guard.hold(path);
    markSaved();
    setPath(path, true);
    emit termsChanged();
    emit changesChanged();
    emit statementChanged();
    emit planChanged();
    emit loanReplaced();
}

void LoanDocument::detachFromFile()
{
    m_guard.hold(QString());
    markSaved();
    setPath(QString(), false);
}

LoanFileData LoanDocument::data() const
{
    LoanFileData data;
    LoanFile::store(m_terms, data);
    for (int k = 1; k <= m_payments->paymentsMade(); ++k)
        data.payments.push_back(m_payments->at(k));
    // Worked out again only when what it holds changed: a statement of 1,600
    // lines would otherwise cost every keystroke its JSON.
    if (!m_extension)
        m_extension = LoanExtension{m_changes, m_plan, m_statement, m_unknownKeys}.payload();
    data.extension = *m_extension;
    return data;
}

bool LoanDocument::isChanged() const
{
    return LoanFile::encode(data()) != m_savedImage;
}

void LoanDocument::setPath(const QString &path, bool isNew)
{
    m_path = path;
    m_new = isNew;
    emit pathChanged();
}

void LoanDocument::markSaved()
{
    m_savedImage = LoanFile::encode(data());
    noteChange();
}

bool LoanDocument::paymentsMove() const
{
    return std::any_of(m_changes.begin(), m_changes.end(), [](const DatedChange &c) {
        return c.kind != DatedChange::Kind::Escrow;
    });
}

double LoanDocument::paymentFor(int k) const
{
    if (!paymentsMove())
        return m_payment.monthlyPayment;
    if (m_actualStale) {
        m_actualPayments.clear();
        const Schedule::Table actual = Schedule::build(ScheduleView::Actual, inputs());
        for (const ScheduleRow &row : actual.rows)
            m_actualPayments.push_back(row.payment);
        m_actualStale = false;
    }
    // A payment past the schedule's end pays what the last row's did.
    if (k < 1 || m_actualPayments.size() < 2)
        return m_payment.monthlyPayment;
    return m_actualPayments[std::min(size_t(k), m_actualPayments.size() - 1)];
}

double LoanDocument::escrowOn(const QDate &date) const
{
    return Changes::escrowOn(m_changes, date, m_terms.monthlyTaxInsurance());
}

void LoanDocument::noteChange()
{
    m_actualStale = true;
    const bool changed = isChanged();
    if (changed == m_changed)
        return;
    m_changed = changed;
    emit changedStateChanged(changed);
}
