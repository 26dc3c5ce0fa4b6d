#pragma once
// The loan the window works on, as one object: its terms, its recorded
// payments, the quote's plan, the file it lives in with the lock on that
// file, and the image of the file as last loaded or saved. It is the loan's
// only owner: pages read it, change it through it, and learn of every change
// from its signals.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

#include "document/loanguard.h"
#include "loan/paymentstable.h"
#include "loan/schedule.h"
#include "loan/terms.h"
#include "storage/loanfile.h"
#include "storage/result.h"

class LoanDocument : public QObject {
    Q_OBJECT
public:
    explicit LoanDocument(QObject *parent = nullptr);
    ~LoanDocument() override;

    const Terms &terms() const { return m_terms; }
    void setTerms(const Terms &terms);

    const PaymentsTable &payments() const { return *m_payments; }
    // Each change to the payments says which payment it touched first.
    // False, and nothing changes, when the ledger is full.
    bool appendPayment(const PaymentRecord &record);
    void setPayment(int k, const PaymentRecord &record);
    void removeLastPayment();
    void removeAllPayments();

    const ExtraPlan &plan() const { return m_plan; }
    void setPlan(const ExtraPlan &plan);

    // What a schedule view, the quote and the chart read: the terms, the
    // plan and the recorded extra principal (valid while the document lives).
    ScheduleInputs inputs() const;
    // The monthly payment the ledger shows beside every payment; 0 while the
    // terms cannot be computed.
    double monthlyPayment() const;

    // The loan file; empty while the loan has none (it is written nowhere
    // until it is given a name).
    const QString &path() const { return m_path; }
    // Started by New and not saved since.
    bool isNewLoan() const { return m_new; }
    LoanGuard &guard() { return m_guard; }
    const LoanGuard &guard() const { return m_guard; }

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
    // `first`: the first payment whose record changed (1 for all of them).
    void paymentsChanged(int first);
    void planChanged();
    // The file, or whether it is new or locked, changed.
    void pathChanged();
    void changedStateChanged(bool changed);
    // A whole other loan came (a load or New): every view shows it anew.
    void loanReplaced();

private:
    void setPath(const QString &path, bool isNew);
    void markSaved();
    void noteChange();

    Terms m_terms;
    std::unique_ptr<PaymentsTable> m_payments;
    ExtraPlan m_plan;
    QString m_path;
    LoanGuard m_guard;
    QByteArray m_savedImage;        // what the last load, save or New left
    bool m_changed = false;
    bool m_new = false;
};
