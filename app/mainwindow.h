#pragma once
// The main window: the tabs with the commands that follow them, the picture
// buttons with the file commands, start-up and closing. It wires the parts
// together and holds no arithmetic of its own.
#include <QTimer>
#include <QWidget>
#include <array>

#include "app/loanguard.h"
#include "app/loantermsform.h"
#include "app/picturepanel.h"
#include "dialogs/loanfiledialog.h"
#include "loan/paymentstable.h"
#include "loan/schedule.h"
#include "storage/loanfile.h"

class AmortizationPage;
class ChartPage;
class DateBox;
class PictureButton;
class PaymentsPage;
class QuotePage;
class QFrame;
class QLineEdit;
class QPushButton;
class QTabWidget;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    LoanTermsForm *termsForm() const { return m_terms; }
    // A loan-term field by LoanTerms::Field, and the first payment date.
    QLineEdit *field(int index) const { return m_terms->field(index); }
    DateBox *firstPaymentDate() const { return m_terms->firstPaymentDate(); }
    QTabWidget *tabs() const { return m_tabs; }
    QPushButton *exitButton() const { return m_exitButton; }
    QPushButton *helpButton() const { return m_helpButton; }
    // The current tab's three commands, left to right.
    QPushButton *commandButton(int index) const { return m_commandButtons[size_t(index)]; }
    PictureButton *pictureButton(PictureAction action) const
    {
        return m_pictures->button(action);
    }
    LoanFileDialog &fileDialog() { return m_fileDialog; }
    PaymentsTable &payments() { return m_payments; }
    AmortizationPage *amortizationPage() const { return m_amortization; }
    PaymentsPage *paymentsPage() const { return m_paymentsPage; }
    QuotePage *quotePage() const { return m_quote; }
    ChartPage *chartPage() const { return m_chart; }
    // The outlines that frame the button of the schedule view built last.
    QFrame *viewOutline(int index) const { return m_viewOutlines[size_t(index)]; }
    int helpContext() const { return m_helpContext; }
    int currentField() const { return m_terms->currentField(); }
    LoanTerms::Texts texts() const { return m_terms->texts(); }
    // True while deferred work (the start-up load, a tab's arrival, a
    // calculation) is queued and has not run yet.
    bool hasDeferredWork() const
    {
        return m_loadTimer.isActive() || m_arrivalTimer.isActive()
               || m_calculateTimer.isActive();
    }

    // The payment calculation over the current terms.
    void calculatePayment();
    // Starts an empty loan bound to `path`. A file there stays as it is
    // until the new loan is saved over it.
    void newLoan(QString &path);
    // Reads / writes a loan file; an empty path becomes the default one. False,
    // with a message shown and nothing changed, when the file cannot be used.
    bool loadLoan(QString &path);
    bool saveLoan(QString &path);
    // Whether a save would now write other bytes than the last load, save or
    // New left in the file.
    bool isChanged() const;
    // A problem found before the window was created (the remembered name
    // could not be read): shown at start-up, which then opens no file.
    void setStartupProblem(const QString &message) { m_startupProblem = message; }

    // Command `index` (0 to 2) of the current tab.
    void runTabCommand(int index);
    // Builds one schedule view; ignored while a build is running.
    void buildSchedule(ScheduleView view);
    // The extra principal quote for a mode.
    void quoteExtraPrincipal(ExtraMode mode);
    // The chart of the three views over the current terms, ledger and plan;
    // unless `force`, drawn only when one of them changed.
    void drawChart(bool force);
    void runPictureAction(PictureAction action);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Deferred work, each run by its 1 ms single-shot timer.
    void loadAtStart();
    void arriveOnTab();
    void calculateLater();
    void setTermsAvailable(bool available);
    void setCommands(const char *first, const char *second, const char *third);
    void showOutlines(bool shown);
    // Frames the button of the view built last, wherever it stands now.
    void placeOutlines();
    // The size and place of the last close, or the designed size centred.
    // After New or Open: every tab shows the loan now current.
    void showLoanAnew();
    void setCaption(const QString &prefix, const QString &path);
    void showHelp(int context);
    void newFile();
    void openFile();
    void saveFile();
    LoanFileData currentData() const;
    void markSaved();
    // Asks the closing question when the loan changed; false when the user
    // cancelled or the save failed.
    bool offerToSave();
    // Saves to the loan's file, or asks for one when the loan has none.
    bool saveCurrent();
    // Runs the Save dialog until a name is chosen that is the loan's own file,
    // a new one, or one the user agrees to replace; empty when cancelled.
    QString chooseSaveName(const QString &title);
    void showNoFile();

    LoanTermsForm *m_terms = nullptr;
    QTabWidget *m_tabs = nullptr;
    QPushButton *m_exitButton = nullptr;
    QPushButton *m_helpButton = nullptr;
    std::array<QPushButton *, 3> m_commandButtons{};
    PicturePanel *m_pictures = nullptr;
    LoanFileDialog m_fileDialog;
    std::array<QFrame *, 2> m_viewOutlines{};
    int m_outlinedButton = 0;       // the command button the outlines frame
    AmortizationPage *m_amortization = nullptr;
    PaymentsPage *m_paymentsPage = nullptr;
    QuotePage *m_quote = nullptr;
    ChartPage *m_chart = nullptr;
    QTimer m_loadTimer;
    QTimer m_arrivalTimer;
    QTimer m_calculateTimer;
    int m_helpContext = 3;
    PaymentsTable m_payments;
    QByteArray m_savedImage;        // what the last load, save or New left
    QString m_startupProblem;
    LoanGuard m_guard;
};
