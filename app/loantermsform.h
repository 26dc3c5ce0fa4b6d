#pragma once
// The first tab's loan terms: the fields and the first payment date, with the
// rules that run while the user types (validity, derivations, reformatting on
// leaving a field) and the moves between fields. The terms as typed go to the
// loan document at every edit; Calculate shows the document's figures. It
// applies the plain rules of LoanTerms and holds no arithmetic of its own.
#include <QTimer>
#include <array>

#include "controls/commandpage.h"
#include "loan/terms.h"

class DateBox;
class QLabel;
class QLineEdit;
class LoanDocument;

class LoanTermsForm : public CommandPage {
    Q_OBJECT
public:
    explicit LoanTermsForm(LoanDocument &document, QWidget *parent = nullptr);

    // A field by LoanTerms::Field; none for the total interest and the last
    // payment, which no field shows.
    QLineEdit *field(int index) const { return m_fields[size_t(index)]; }
    DateBox *firstPaymentDate() const { return m_firstPaymentDate; }
    // The field that had the focus last (-1 until one had it); the
    // derivations follow it.
    int currentField() const { return m_currentField; }
    LoanTerms::Texts texts() const;
    // The terms as read from the fields and the date box.
    Terms terms() const;
    // The line under the computed fields that says it, or that the first
    // payment date is not a date; hidden while there is nothing to say.
    QLabel *whyLine() const { return m_whyLine; }
    // In the why line's place while it has nothing to say: that the loan shown
    // is the sample copied at the first start, until the loan is first changed
    // or another one comes.
    QLabel *sampleNote() const { return m_sampleNote; }
    void showSampleNote();

    // The payment calculation over the current terms.
    void calculatePayment();
    // Every field empty; the date is left as it is.
    void clear();
    // Shows `terms` in the fields and the date box.
    void load(const Terms &terms);
    // Gives the price the focus, as at start-up.
    void enterPrice();

    void arrive() override;
    // A calculation asked for and not yet run.
    bool calculationPending() const { return m_calculateTimer.isActive(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setField(int index, const QString &text);
    void fieldEdited(int index);
    // What follows every edit: the why line, the computed fields of terms
    // that cannot be computed, the validity.
    void termsEdited();
    // Enter in a field, or the focus leaving one: Calculate, while the terms
    // can be computed and this page is shown.
    void calculateIfShown();
    // The terms as typed become a change that can be undone.
    void commit(QLineEdit *box, int index);
    // Selects the box of a field (or the date) whose change was undone or redone.
    void showChange(int index);
    static constexpr int kDateField = LoanTerms::kFieldCount;
    void fieldEntered(int index);
    void fieldLeft(int index);
    void showWhy();
    // What the first tab says of a payment that the Changes tab moves.
    QString changedPayment() const;

    LoanDocument &m_document;
    QAction *m_calculate = nullptr;
    QTimer m_calculateTimer;
    std::array<QLineEdit *, LoanTerms::kFieldCount> m_fields{};
    DateBox *m_firstPaymentDate = nullptr;
    QLabel *m_whyLine = nullptr;
    QLabel *m_sampleNote = nullptr;
    bool m_sample = false;
    bool m_suspendChange = false;
    int m_currentField = -1;
};
