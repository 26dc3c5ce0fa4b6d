#include "loandocument.h"

#include "storage/loanfileterms.h"

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
    m_terms = terms;
    emit termsChanged();
    noteChange();
}

bool LoanDocument::appendPayment(const PaymentRecord &record)
{
    if (!m_payments->append(record))
        return false;
    emit paymentsChanged(m_payments->paymentsMade());
    noteChange();
    return true;
}

void LoanDocument::setPayment(int k, const PaymentRecord &record)
{
    if (k < 1 || k > m_payments->paymentsMade() || m_payments->at(k) == record)
        return;
    m_payments->set(k, record);
    emit paymentsChanged(k);
    noteChange();
}

void LoanDocument::removeLastPayment()
{
    const int made = m_payments->paymentsMade();
    m_payments->removeLast();
    emit paymentsChanged(std::max(1, made));
    noteChange();
}

void LoanDocument::removeAllPayments()
{
    m_payments->setPaymentsMade(0);
    emit paymentsChanged(1);
    noteChange();
}

void LoanDocument::setPlan(const ExtraPlan &plan)
{
    if (plan.mode == m_plan.mode && plan.amount == m_plan.amount && plan.payment == m_plan.payment
        && plan.includeActual == m_plan.includeActual)
        return;
    m_plan = plan;
    emit planChanged();
}

ScheduleInputs LoanDocument::inputs() const
{
    ScheduleInputs in;
    in.terms = m_terms;
    in.plan = m_plan;
    in.recorded = m_payments->recordedExtra();
    return in;
}

double LoanDocument::monthlyPayment() const
{
    const auto payment = m_terms.payment();
    return payment ? payment->monthlyPayment : 0.0;
}

Result LoanDocument::load(const QString &path, Use use)
{
    const LoanFile::ReadResult file = LoanFile::read(path);
    if (!file)
        return file;
    // A stored date the date box cannot show leaves the one it had.
    m_terms = LoanFile::terms(file.data, m_terms.firstPaymentDigits);
    auto payments = std::make_unique<PaymentsTable>();
    for (size_t k = 0; k < file.data.payments.size(); ++k)
        payments->set(int(k) + 1, file.data.payments[k]);
    payments->setPaymentsMade(int(file.data.payments.size()));
    m_payments = std::move(payments);
    if (use == Use::Edit)
        m_guard.hold(path);
    setPath(path, false);
    markSaved();
    emit termsChanged();
    emit loanReplaced();
    return {};
}

Result LoanDocument::save(const QString &path)
{
    const LoanFileData image = data();
    if (const Result saved = LoanFile::write(path, image); !saved)
        return saved;
    m_guard.hold(path);
    setPath(path, false);
    m_savedImage = LoanFile::encode(image);
    noteChange();
    return {};
}

void LoanDocument::startNew(const QString &path)
{
    Terms fresh;
    fresh.firstPaymentDigits = m_terms.firstPaymentDigits;
    m_terms = fresh;
    m_payments->setPaymentsMade(0);
    m_guard.hold(path);
    setPath(path, true);
    markSaved();
    emit termsChanged();
    emit loanReplaced();
}

void LoanDocument::detachFromFile()
{
    m_guard.hold(QString());
    setPath(QString(), false);
    markSaved();
}

LoanFileData LoanDocument::data() const
{
    LoanFileData data;
    LoanFile::store(m_terms, data);
    for (int k = 1; k <= m_payments->paymentsMade(); ++k)
        data.payments.push_back(m_payments->at(k));
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

void LoanDocument::noteChange()
{
    const bool changed = isChanged();
    if (changed == m_changed)
        return;
    m_changed = changed;
    emit changedStateChanged(changed);
}
