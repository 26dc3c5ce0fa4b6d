#pragma once
// The "Extra Principal Quote" tab: the plan (amount, every or one payment,
// the payment number with its spinner, whether the ledger counts) and the
// comparison grid Grid3 that ExtraPrn fills.
#include <QWidget>

#include "loan/schedule.h"

class Grid;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

class QuotePage : public QWidget {
    Q_OBJECT
public:
    explicit QuotePage(QWidget *parent = nullptr);

    // Writes Grid3's six cells for ExtraMode `mode` (1, 2 or 0). A payment
    // number that is not a 16-bit whole number leaves the previous quote.
    void ExtraPrn(int mode, const LoanTerms::Texts &texts, const PaymentsTable &table);

    // 1 or 2 for the first selected option, 0 for none.
    int selectedMode() const;
    // The plan as the "&Projected" schedule reads it.
    ExtraPlan plan() const;

    // The tab is shown: picks "One payment #" when nothing is picked and the
    // loan can be computed, offers Check1 once payments are recorded, and
    // asks for the quote.
    void onTabShown(int paymentsMade, bool command2Enabled);
    void setPaymentsMade(int paymentsMade) { m_paymentsMade = paymentsMade; }

    Grid *grid() const { return m_grid; }
    QLineEdit *amountBox() const { return m_text[0]; }
    QLineEdit *paymentBox() const { return m_text[1]; }
    QRadioButton *option(int i) const { return i == 1 || i == 2 ? m_option[i - 1] : nullptr; }
    QCheckBox *includeActual() const { return m_check; }
    QScrollBar *spinner() const { return m_spinner; }
    QLabel *paymentLabel() const { return m_label17; }

signals:
    // The plan changed: the main window runs its Calculate command when Command2 is enabled.
    void recomputeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void optionClicked(int index);
    void checkClicked(bool checked);
    void textChanged();
    void spinnerChanged(int value);

    Grid *m_grid;
    QLabel *m_label16;
    QLineEdit *m_text[2];
    QRadioButton *m_option[2];
    QScrollBar *m_spinner;
    QLabel *m_label17;
    QCheckBox *m_check;
    int m_paymentsMade = 0;
};
