#pragma once
// The changes to a loan document that can be undone: each holds the state
// before and after and asks the document to restore one or the other. They
// are pushed once the change is made, so their first redo does nothing.
#include <QUndoCommand>

#include "document/loandocument.h"

class TermsChange : public QUndoCommand {
public:
    TermsChange(LoanDocument &document, const Terms &before, const Terms &after, int field);
    void undo() override;
    void redo() override;

private:
    LoanDocument &m_document;
    Terms m_before, m_after;
    int m_field;
    bool m_made = true;
};

class PaymentsChange : public QUndoCommand {
public:
    PaymentsChange(LoanDocument &document, const PaymentsTable &before,
                   const PaymentsTable &after, int payment, const QString &text);
    void undo() override;
    void redo() override;

private:
    LoanDocument &m_document;
    std::unique_ptr<PaymentsTable> m_before, m_after;
    int m_payment;
    bool m_made = true;
};

// Changes of the plan that follow each other are one change: typing an
// amount is one step back, not one per key.
class PlanChange : public QUndoCommand {
public:
    PlanChange(LoanDocument &document, const ExtraPlan &before, const ExtraPlan &after);
    void undo() override;
    void redo() override;
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    LoanDocument &m_document;
    ExtraPlan m_before, m_after;
    bool m_made = true;
};

class ChangesChange : public QUndoCommand {
public:
    ChangesChange(LoanDocument &document, const DatedChanges &before, const DatedChanges &after);
    void undo() override;
    void redo() override;

private:
    LoanDocument &m_document;
    DatedChanges m_before, m_after;
    bool m_made = true;
};

// An import of the servicer's statement, or its removal.
class StatementChange : public QUndoCommand {
public:
    StatementChange(LoanDocument &document, const Statement &before, const Statement &after,
                    const QString &text);
    void undo() override;
    void redo() override;

private:
    LoanDocument &m_document;
    Statement m_before, m_after;
    bool m_made = true;
};
