#pragma once
// The "Extra Principal Quote" tab: the plan (amount, every or one payment,
// the payment number with its spinner, whether the ledger counts) and the
// comparison grid that quoteExtraPrincipal fills.
#include "controls/commandpage.h"
#include "loan/schedule.h"

class Grid;
class LoanDocument;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

class QuotePage : public CommandPage {
    Q_OBJECT
public:
    explicit QuotePage(LoanDocument &document, QWidget *parent = nullptr);

    // Writes the quote grid's six cells for `mode` over the document's loan.
    // A payment number that is not a 16-bit whole number leaves the previous
    // quote.
    void quoteExtraPrincipal(ExtraMode mode);

    // The mode of the option picked; None when neither is.
    ExtraMode selectedMode() const;
    // The plan as the "&Projected" schedule reads it.
    ExtraPlan plan() const;

    // The tab is shown: picks "One payment #" when nothing is picked and the
    // loan can be computed, offers "Include actual payments data" once
    // payments are recorded, and asks for the quote.
    void arrive() override;

    Grid *grid() const { return m_grid; }
    QLineEdit *amountBox() const { return m_text[0]; }
    QLineEdit *paymentBox() const { return m_text[1]; }
    QRadioButton *option(ExtraMode mode) const
    {
        return mode == ExtraMode::EveryPayment ? m_option[0]
               : mode == ExtraMode::OnePayment ? m_option[1]
                                               : nullptr;
    }
    QCheckBox *includeActual() const { return m_check; }
    QScrollBar *spinner() const { return m_spinner; }
    QLabel *paymentLabel() const { return m_paymentLabel; }
    // Why the amount or the payment number counts for nothing; hidden while
    // both read.
    QLabel *whyLine() const { return m_whyLine; }

signals:
    // The plan changed: it is the document's now, and quoted while the terms
    // can be computed.
    void recomputeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void optionClicked(ExtraMode mode);
    void checkClicked(bool checked);
    void textChanged();
    void spinnerChanged(int value);
    void showWhy();
    // The controls say `plan` (undone or redone).
    void showPlan(const ExtraPlan &plan);

    Grid *m_grid;
    QLabel *m_amountLabel;
    QLineEdit *m_text[2];
    QRadioButton *m_option[2];
    QScrollBar *m_spinner;
    QLabel *m_paymentLabel;
    QCheckBox *m_check;
    QLabel *m_whyLine;
    LoanDocument &m_document;
    QAction *m_calculate = nullptr;
    bool m_showingPlan = false;     // the controls follow the document's plan
    int m_paymentsMade = 0;
};
