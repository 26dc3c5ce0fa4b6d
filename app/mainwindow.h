#pragma once
// The main window: the tabs of the loan's pages, the command bar that shows
// the current page's commands, the picture buttons with the file commands,
// and the window's place. It owns the loan document, lays the pages out and
// never carries one page's data to another: each page listens to the
// document.
#include <QTimer>
#include <QWidget>
#include <array>

#include "app/fileflow.h"
#include "app/loantermsform.h"
#include "app/picturepanel.h"
#include "dialogs/loanfiledialog.h"
#include "document/loandocument.h"

class AmortizationPage;
class ChangesPage;
class ChartPage;
class CommandPage;
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

    LoanDocument &document() { return m_document; }
    FileFlow &files() { return m_files; }
    LoanTermsForm *termsForm() const { return m_terms; }
    // A loan-term field by LoanTerms::Field, and the first payment date.
    QLineEdit *field(int index) const { return m_terms->field(index); }
    DateBox *firstPaymentDate() const { return m_terms->firstPaymentDate(); }
    QTabWidget *tabs() const { return m_tabs; }
    QPushButton *exitButton() const { return m_exitButton; }
    QPushButton *helpButton() const { return m_helpButton; }
    // The current page's commands, left to right.
    QPushButton *commandButton(int index) const { return m_commandButtons[size_t(index)]; }
    PictureButton *pictureButton(PictureAction action) const { return m_pictures->button(action); }
    LoanFileDialog &fileDialog() { return m_fileDialog; }
    const PaymentsTable &payments() const { return m_document.payments(); }
    AmortizationPage *amortizationPage() const { return m_amortization; }
    PaymentsPage *paymentsPage() const { return m_paymentsPage; }
    QuotePage *quotePage() const { return m_quote; }
    ChartPage *chartPage() const { return m_chart; }
    ChangesPage *changesPage() const { return m_changes; }
    // The outlines that frame the button of the schedule view built last.
    QFrame *viewOutline(int index) const { return m_viewOutlines[size_t(index)]; }
    // The help page of the tab shown.
    int helpContext() const { return m_helpContext; }
    // True while deferred work (the start-up load, a tab's arrival, a
    // calculation) is queued and has not run yet.
    bool hasDeferredWork() const
    {
        return m_loadTimer.isActive() || m_arrivalTimer.isActive()
               || m_terms->calculationPending();
    }

    // The loan file opened at the start (empty: the default one), or the
    // problem found before the window was made, which then opens no file.
    // `sample`: the file is the sample loan just copied for a first start,
    // which the first tab then says.
    void setStartFile(const QString &path, const QString &problem = QString(),
                      bool sample = false)
    {
        m_startFile = path;
        m_startupProblem = problem;
        m_startsOnSample = sample;
    }
    // The file commands, as FileFlow does them.
    bool loadLoan(QString &path) { return m_files.load(path); }
    bool saveLoan(QString &path) { return m_files.save(path); }
    void newLoan(const QString &path) { m_files.startNew(path); }
    bool isChanged() const { return m_document.isChanged(); }
    void runPictureAction(PictureAction action);

protected:
    void closeEvent(QCloseEvent *event) override;
    // A servicer's statement (.csv) dropped on the window is imported.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    CommandPage *currentPage() const;
    void arriveOnTab();
    // The command bar shows the current page's commands as they are now.
    void showCommands();
    // Tabs after the first wait for terms that can be computed, and say why.
    void followTerms();
    void setCaption();
    void showOutlines(bool shown);
    // Frames the button of the view built last, wherever it stands now.
    void placeOutlines();
    void showHelp(int context);

    LoanDocument m_document;
    LoanFileDialog m_fileDialog;
    FileFlow m_files;
    LoanTermsForm *m_terms = nullptr;
    AmortizationPage *m_amortization = nullptr;
    PaymentsPage *m_paymentsPage = nullptr;
    QuotePage *m_quote = nullptr;
    ChartPage *m_chart = nullptr;
    ChangesPage *m_changes = nullptr;
    QTabWidget *m_tabs = nullptr;
    QPushButton *m_exitButton = nullptr;
    QPushButton *m_helpButton = nullptr;
    std::array<QPushButton *, 3> m_commandButtons{};
    PicturePanel *m_pictures = nullptr;
    std::array<QFrame *, 2> m_viewOutlines{};
    int m_outlinedButton = 0;       // the command button the outlines frame
    QTimer m_loadTimer;
    QTimer m_arrivalTimer;
    int m_helpContext = 3;
    QString m_startFile;
    QString m_startupProblem;
    bool m_startsOnSample = false;
};
