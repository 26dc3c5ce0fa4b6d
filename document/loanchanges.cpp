#include "loanchanges.h"

TermsChange::TermsChange(LoanDocument &document, const Terms &before, const Terms &after,
                         int field)
    : QUndoCommand(QStringLiteral("Change of the terms"))
    , m_document(document)
    , m_before(before)
    , m_after(after)
    , m_field(field)
{
}

void TermsChange::undo()
{
    m_document.restoreTerms(m_before, m_field);
}

void TermsChange::redo()
{
    if (std::exchange(m_made, false))
        return;
    m_document.restoreTerms(m_after, m_field);
}

PaymentsChange::PaymentsChange(LoanDocument &document, const PaymentsTable &before,
                               const PaymentsTable &after, int payment, const QString &text)
    : QUndoCommand(text)
    , m_document(document)
    , m_before(std::make_unique<PaymentsTable>(before))
    , m_after(std::make_unique<PaymentsTable>(after))
    , m_payment(payment)
{
}

void PaymentsChange::undo()
{
    m_document.restorePayments(*m_before, m_payment);
}

void PaymentsChange::redo()
{
    if (std::exchange(m_made, false))
        return;
    m_document.restorePayments(*m_after, m_payment);
}

PlanChange::PlanChange(LoanDocument &document, const ExtraPlan &before, const ExtraPlan &after)
    : QUndoCommand(QStringLiteral("Change of the plan"))
    , m_document(document)
    , m_before(before)
    , m_after(after)
{
}

void PlanChange::undo()
{
    m_document.restorePlan(m_before);
}

void PlanChange::redo()
{
    if (std::exchange(m_made, false))
        return;
    m_document.restorePlan(m_after);
}

bool PlanChange::mergeWith(const QUndoCommand *other)
{
    m_after = static_cast<const PlanChange *>(other)->m_after;
    return true;
}

ChangesChange::ChangesChange(LoanDocument &document, const DatedChanges &before,
                             const DatedChanges &after)
    : QUndoCommand(QStringLiteral("Change of the dated changes"))
    , m_document(document)
    , m_before(before)
    , m_after(after)
{
}

void ChangesChange::undo()
{
    m_document.restoreChanges(m_before);
}

void ChangesChange::redo()
{
    if (std::exchange(m_made, false))
        return;
    m_document.restoreChanges(m_after);
}

StatementChange::StatementChange(LoanDocument &document, const Statement &before,
                                 const Statement &after, const QString &text)
    : QUndoCommand(text)
    , m_document(document)
    , m_before(before)
    , m_after(after)
{
}

void StatementChange::undo()
{
    m_document.restoreStatement(m_before);
}

void StatementChange::redo()
{
    if (std::exchange(m_made, false))
        return;
    m_document.restoreStatement(m_after);
}
