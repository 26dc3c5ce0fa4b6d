#pragma once
// The loan the window works on, as one object: its terms, its recorded
// payments, the quote's plan, the file it lives in with the lock on that
// file, the image of the file as last loaded or saved, and the stack of the
// changes that can be undone. It is the loan's only owner: pages read it,
// change it through it, and learn of every change from its signals.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QJsonObject>
#include <QUndoStack>
#include <memory>

#include "document/loanguard.h"
#include "loan/datedchange.h"
#include "loan/paymentstable.h"
#include "loan/schedule.h"
#include "loan/reconciliation.h"
#include "loan/statement.h"
#include "loan/terms.h"
#include "storage/loanfile.h"
#include "storage/result.h"

class LoanDocument : public QObject {
    Q_OBJECT
public:
    explicit LoanDocument(QObject *parent = nullptr);
    ~LoanDocument() override;

    // What a change that is undone or redone touched, for the page that
    // shows it to select.
    enum class Part { Terms, Payments, Plan };

    const Terms &terms() const { return m_terms; }
    // The terms as typed, at every edit; they become a change that can be
    // undone when committed (a field left, Enter), one per committed field.
    void setTerms(const Terms &terms);
    void commitTerms(int field);

    const PaymentsTable &payments() const { return *m_payments; }
    // Each change to the payments says which payment it touched first.
    // False, and nothing changes, when the ledger is full.
    bool appendPayment(const PaymentRecord &record);
    void setPayment(int k, const PaymentRecord &record);
    void removeLastPayment();
    void removeAllPayments();

    // The dated changes of the terms (rate changes, recasts, escrow), which
    // every view honours.
    const DatedChanges &changes() const { return m_changes; }
    void setChanges(const DatedChanges &changes);

    const ExtraPlan &plan() const { return m_plan; }
    // A change of the plan; one undoes a run of changes to the plan.
    void setPlan(const ExtraPlan &plan);
    // The plan as the program picks it for the user (the quote tab's first
    // visit): no change to undo.
    void adoptPlan(const ExtraPlan &plan);

    // The servicer's statement kept with the loan (empty: none).
    const Statement &statement() const { return m_statement; }
    // Keeps `statement` in place of the one kept (an import, a removal), as a
    // change that can be undone named `text`. Fails, and nothing changes,
    // when the loan file could not hold it.
    Result setStatement(const Statement &statement, const QString &text);
    // The statement's lines matched to the recorded payments, worked out
    // again after a change of either.
    const StatementMatch &statementMatch() const;
    // `statement` (the one kept, or one read and not kept) set beside the
    // Actual view, payment by payment.
    Reconciliation::Report reconcile(const Statement &statement) const;
    // The payments recordFromStatement() would add.
    std::vector<PaymentRecord> paymentsFromStatement() const;
    // Records the statement's payments dated after the ledger's last one, as
    // one change; how many were recorded (fewer when the ledger fills up).
    int recordFromStatement();

    // Every change above, to undo and redo; emptied by a load and by New.
    QUndoStack &undoStack() { return m_undo; }

    // What a schedule view, the quote and the chart read: the terms, the
    // plan and the recorded extra principal (valid while the document lives).
    ScheduleInputs inputs() const;
    // The monthly payment, total interest and last payment of the terms,
    // worked out once for each change of them; all 0 while they cannot be
    // computed. The monthly payment is what the ledger shows beside every payment.
    const Amortization::Payment &payment() const { return m_payment; }
    double monthlyPayment() const { return m_payment.monthlyPayment; }
    // The loan payment of recorded payment k: the payment in force for row k
    // of the Actual view, which rate changes and recasts move.
    double paymentFor(int k) const;
    // Whether the changes move the payment (rate changes or recasts).
    bool paymentsMove() const;
    // The monthly tax and insurance in force on `date` (escrow changes).
    double escrowOn(const QDate &date) const;

    // The loan file; empty while the loan has none (it is written nowhere
    // until it is given a name).
    const QString &path() const { return m_path; }
    // Started by New and not saved since.
    bool isNewLoan() const { return m_new; }
    LoanGuard &guard() { return m_guard; }
    const LoanGuard &guard() const { return m_guard; }

    // What could not be read of the changes and the plan kept with the file
    // last loaded (the plain loan opened all the same); empty when all was.
    const QString &extensionProblem() const { return m_extensionProblem; }
    // Whether a save to `path` would write over a section that could not be
    // read, which the user is asked about first.
    bool wouldOverwriteUnreadSection(const QString &path) const;

    // Reads the loan file at `path`: on success the whole loan is the file's
    // and the path is `path`; on failure nothing changes. Unless only `reading`
    // (the command line), the file is held (locked) while it is the loan's.
    enum class Use { Edit, Read };
    Result load(const QString &path, Use use = Use::Edit);
    // Writes the loan to `path`, which becomes its file.
    Result save(const QString &path);
    // An empty loan bound to `path` (a file there stays as it is until the
    // loan is saved over it); the first payment date is kept.
    void startNew(const QString &path);
    // The loan as it is, bound to no file.
    void detachFromFile();

    // The loan as a loan file holds it, and the bytes a save would write.
    LoanFileData data() const;
    // Whether a save would now write other bytes than the last load, save or
    // New left in the file.
    bool isChanged() const;

signals:
    void termsChanged();
    // Payments `first` to `last` changed, or were added or removed there.
    void paymentsChanged(int first, int last);
    void planChanged();
    void changesChanged();
    void statementChanged();
    // The file, or whether it is new or locked, changed.
    void pathChanged();
    void changedStateChanged(bool changed);
    // A whole other loan came (a load or New): every view shows it anew.
    void loanReplaced();
    // A change was undone or redone: the field (LoanTerms::Field) or the
    // payment it touched, for the page that shows it to select.
    void changeShown(LoanDocument::Part part, int index);

public:
    // Used by the changes on the undo stack: the state they restore.
    void restoreTerms(const Terms &terms, int field);
    void restorePayments(const PaymentsTable &payments, int payment);
    void restorePlan(const ExtraPlan &plan);
    void restoreChanges(const DatedChanges &changes);
    void restoreStatement(const Statement &statement);

private:
    // Pushes a change of the payments from `before` to what they are now.
    void pushPayments(const PaymentsTable &before, int payment, const QString &text);
    // Emits paymentsChanged for the payments that differ from `before`.
    void notePayments(const PaymentsTable &before);
    void setPath(const QString &path, bool isNew);
    void markSaved();
    void noteChange();
    // The terms are `terms` now: their payment is worked out again.
    void takeTerms(const Terms &terms);
    // The plan of a loan without one saved: 100.00 with payment 1.
    static ExtraPlan startingPlan() { return {ExtraMode::None, 100, int16_t(1), false}; }

    Terms m_terms;
    Terms m_committed;              // the terms as the last change left them
    Amortization::Payment m_payment;
    std::unique_ptr<PaymentsTable> m_payments;
    ExtraPlan m_plan = startingPlan();
    DatedChanges m_changes;
    Statement m_statement;
    mutable std::optional<StatementMatch> m_match;   // none: to be worked out
    QJsonObject m_unknownKeys;      // of the extension section, written back
    mutable std::optional<QByteArray> m_extension;   // its payload; none: to be worked out
    QString m_extensionProblem;
    // The Actual view's payment per row, worked out when first asked for
    // after a change of the terms, the payments or the changes.
    mutable std::vector<double> m_actualPayments;
    mutable bool m_actualStale = true;
    QString m_path;
    LoanGuard m_guard;
    QByteArray m_savedImage;        // what the last load, save or New left
    bool m_changed = false;
    bool m_new = false;
    QUndoStack m_undo;
};
