#pragma once
// The main window: the loan terms on the first tab, the four tabs with the
// commands that follow them, start-up and closing. It wires the parts
// together and holds no arithmetic of its own.
#include <QTimer>
#include <QWidget>
#include <array>

#include "ledger/paymentstable.h"
#include "loan/loanterms.h"
#include "storage/filecmdlg.h"

class AmortizationPage;
class DateBox;
class MyButton;
class PaymentsPage;
class QuotePage;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Loan-term field by index (LoanTerms::Field); the date box separately.
    QLineEdit *Text1(int index) const { return m_text1[size_t(index)]; }
    DateBox *MaskEdBox1() const { return m_maskEdBox1; }
    QTabWidget *SSTab1() const { return m_ssTab1; }
    // Command1 "&Exit" .. Command5 "&Help".
    QPushButton *Command(int index) const { return m_command[size_t(index)]; }
    // The picture buttons of the first tab: New, Open, Save, About, Help.
    MyButton *MyButton1(int index) const { return m_myButton1[size_t(index)]; }
    FileCmdlg &FileDialog() { return m_fileDialog; }
    PaymentsTable &payments() { return m_payments; }
    AmortizationPage *amortizationPage() const { return m_amortization; }
    PaymentsPage *paymentsPage() const { return m_paymentsPage; }
    QuotePage *quotePage() const { return m_quote; }
    // The outlines that frame the button of the schedule view built last.
    QFrame *Shape1(int index) const { return m_shape1[size_t(index)]; }
    int helpContext() const { return m_helpContext; }
    int currentField() const { return m_currentField; }
    LoanTerms::Texts texts() const;
    // True while deferred work (the start-up load, a tab's arrival, a
    // calculation) is queued and has not run yet.
    bool hasDeferredWork() const
    {
        return m_timer2.isActive() || m_timer3.isActive() || m_general.isActive();
    }

    // The payment calculation over the current terms.
    void CalLoan();
    // Starts an empty loan bound to `path` (deleting a file there).
    void NewLoan(QString &path);
    // Reads / writes a loan file; an empty path becomes the default one. False,
    // with a message shown and nothing changed, when the file cannot be used.
    bool LoadData(QString &path);
    bool Save(QString &path);

    // The main action of the current tab, and the two others.
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    // Builds schedule view 0, 1 or 2; ignored while a build is running.
    void Amort(int view);
    // The extra principal quote for ExtraMode 1, 2 or 0.
    void ExtraPrn(int mode);
    // The picture buttons' command by index; others do nothing.
    void MyButton1_Click(int index);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMainTab(QWidget *page);
    void setField(int index, const QString &text);
    void Text1_Change(int index);
    void Text1_GotFocus(int index);
    void Text1_LostFocus(int index);
    void Timer2_Timer();
    void Timer3_Timer();
    void General_Timer();
    void setTermsAvailable(bool available);
    void setCommands(const char *c2, const char *c3, const char *c4);
    void showOutlines(bool shown);
    void setCaption(const QString &prefix, const QString &path);
    void showHelp(int context);
    void newFile();
    void openFile();
    void saveFile();

    std::array<QLineEdit *, LoanTerms::kFieldCount> m_text1{};
    DateBox *m_maskEdBox1 = nullptr;
    QTabWidget *m_ssTab1 = nullptr;
    std::array<QPushButton *, 6> m_command{};   // 1..5 used
    std::array<MyButton *, 5> m_myButton1{};
    FileCmdlg m_fileDialog;
    std::array<QFrame *, 2> m_shape1{};
    QFrame *m_focusOutline = nullptr;
    AmortizationPage *m_amortization = nullptr;
    PaymentsPage *m_paymentsPage = nullptr;
    QuotePage *m_quote = nullptr;
    QTimer m_timer2;
    QTimer m_timer3;
    QTimer m_general;
    bool m_suspendChange = false;
    int m_currentField = -1;                     // none until a field has the focus
    int m_helpContext = 3;
    PaymentsTable m_payments;
};
