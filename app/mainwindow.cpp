#include "mainwindow.h"

#include "app/amortizationpage.h"
#include "app/chartpage.h"
#include "app/currentloan.h"
#include "app/loanexports.h"
#include "app/quotepage.h"
#include "app/windowplace.h"
#include "controls/datebox.h"
#include "controls/grid.h"
#include "controls/picturebutton.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/prompts.h"
#include "ledger/paymentspage.h"
#include "storage/bundledfiles.h"
#include "storage/loanfile.h"
#include "storage/loanfileterms.h"
#include "storage/paths.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

using namespace LoanTerms;

namespace {

constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

// The window as designed, 7395 × 5985 twips: the smallest it may be.
const QSize kDesignedSize(px(7395), px(5985));

const char *const kTitle = "Quillhaven";

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QString::fromLatin1(kTitle));
    // Opens at its designed size; it may grow, never shrink below it.
    setMinimumSize(kDesignedSize);
    resize(kDesignedSize);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->setGeometry(px(135), px(120), px(7020), px(4935));
    m_terms = new LoanTermsForm;
    m_tabs->addTab(m_terms, QStringLiteral("Main "));
    m_amortization = new AmortizationPage;
    m_paymentsPage = new PaymentsPage(m_payments);
    m_quote = new QuotePage;
    m_tabs->addTab(m_amortization, QStringLiteral("Amortization"));
    m_tabs->addTab(m_paymentsPage, QStringLiteral("Payments"));
    m_tabs->addTab(m_quote, QStringLiteral("Extra Principal Quote"));
    m_chart = new ChartPage;
    m_tabs->addTab(m_chart, QStringLiteral("Chart"));
    // The picture buttons stand in a column at the right of the first tab;
    // places on a tab are measured from the tab control's top, and the page
    // starts below the tab bar.
    m_pictures = new PicturePanel(m_terms);
    m_pictures->setGeometry(px(5700), px(480) - m_tabs->tabBar()->sizeHint().height() + 4,
                            px(1155), px(4185));
    connect(m_pictures, &PicturePanel::actionRequested, this, &MainWindow::runPictureAction);
    connect(m_terms, &LoanTermsForm::validityChanged, this, &MainWindow::setTermsAvailable);
    connect(m_terms, &LoanTermsForm::calculationWanted, this, [this] {
        if (m_commandButtons[0]->isEnabled() && m_tabs->currentIndex() == 0)
            runTabCommand(0);
    });
    m_paymentsPage->monthlyPaymentText = [this] { return field(MonthlyPayment)->text(); };
    m_paymentsPage->monthlyTaxInsuranceText = [this] { return field(MonthlyTaxInsurance)->text(); };
    m_paymentsPage->firstPaymentDateText = [this] { return firstPaymentDate()->withSeparators(); };
    connect(field(MonthlyPayment), &QLineEdit::textChanged, m_paymentsPage,
            &PaymentsPage::loanPaymentChanged);
    connect(m_quote, &QuotePage::recomputeRequested, this, [this] {
        if (m_commandButtons[0]->isEnabled())
            runTabCommand(0);
    });

    auto makeButton = [this](const char *name, const char *caption, int left) {
        auto *btn = new QPushButton(QString::fromLatin1(caption), this);
        btn->setObjectName(QString::fromLatin1(name));
        btn->setGeometry(px(left), px(5160), px(1170), px(350));
        return btn;
    };
    m_helpButton = makeButton("helpButton", "&Help", 180);
    m_commandButtons[2] = makeButton("commandButton_2", "", 1620);
    m_commandButtons[1] = makeButton("commandButton_1", "", 3060);
    m_commandButtons[0] = makeButton("commandButton_0", "&Calculate", 4500);
    m_exitButton = makeButton("exitButton", "&Exit", 5940);
    m_commandButtons[1]->hide();
    m_commandButtons[2]->hide();

    // Two outlines, one over the other, frame the button of the schedule
    // view built last.
    const char *outline[] = {"border: 1px solid palette(shadow);",
                             "border: 1px dotted palette(highlight);"};
    for (int i = 0; i < 2; ++i) {
        auto *shape = new QFrame(this);
        shape->setObjectName(QStringLiteral("viewOutline_%1").arg(i));
        shape->setStyleSheet(QString::fromLatin1(outline[i]));
        shape->setAttribute(Qt::WA_TransparentForMouseEvents);
        shape->lower();
        shape->hide();
        m_viewOutlines[size_t(i)] = shape;
    }
    placeOutlines();
    connect(m_amortization, &AmortizationPage::built, this, [this](ScheduleView view) {
        m_outlinedButton = int(view);
        placeOutlines();
        showOutlines(true);
    });
    for (QPushButton *b : m_commandButtons)
        b->setEnabled(false);
    connect(m_exitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_helpButton, &QPushButton::clicked, this, [this] { showHelp(m_helpContext); });
    for (int i = 0; i < 3; ++i)
        connect(m_commandButtons[size_t(i)], &QPushButton::clicked, this,
                [this, i] { runTabCommand(i); });

    // Tab order: the input fields, the date box, the commands, then the
    // picture buttons top to bottom.
    std::vector<QWidget *> order = {field(Price), field(DownPercent), field(DownAmount),
                                    field(LoanAmount), field(AnnualRate), field(NumberOfPayments),
                                    field(AnnualTax), field(AnnualInsurance), firstPaymentDate(),
                                    m_commandButtons[0], m_commandButtons[1], m_commandButtons[2],
                                    m_exitButton, m_helpButton};
    for (auto action : {PictureAction::New, PictureAction::Open, PictureAction::Save,
                        PictureAction::About, PictureAction::Help})
        order.push_back(pictureButton(action));
    for (size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    // Tabs 1 to 4 wait for valid loan terms.
    for (int t = 1; t <= 4; ++t)
        m_tabs->setTabEnabled(t, false);

    for (QTimer *t : {&m_loadTimer, &m_arrivalTimer, &m_calculateTimer}) {
        t->setSingleShot(true);
        t->setInterval(1);
    }
    connect(&m_loadTimer, &QTimer::timeout, this, &MainWindow::loadAtStart);
    connect(&m_arrivalTimer, &QTimer::timeout, this, &MainWindow::arriveOnTab);
    connect(&m_calculateTimer, &QTimer::timeout, this, &MainWindow::calculateLater);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { m_arrivalTimer.start(); });

    m_fileDialog.setOwner(this);
    // "*" rather than "*.*": on this system a name need not have a dot.
    m_fileDialog.setFilter(QStringLiteral("Quillhaven File|*.qhv|All Files|*"));
    m_fileDialog.setInitDir(BundledFiles::dataFolder());

    // The usual keys for what the picture buttons do.
    const struct { QKeySequence key; PictureAction action; } keys[] = {
        {QKeySequence::New, PictureAction::New}, {QKeySequence::Open, PictureAction::Open},
        {QKeySequence::Save, PictureAction::Save}};
    for (const auto &k : keys) {
        auto *sc = new QShortcut(k.key, this);
        connect(sc, &QShortcut::activated, this, [this, a = k.action] { runPictureAction(a); });
    }
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { showHelp(m_helpContext); });

    WindowPlace::restore(this, kDesignedSize);
    // A greyed tab says why from the start.
    setTermsAvailable(m_terms->termsValid());
    m_amortization->setupGrid();
    m_paymentsPage->setupGrid();
    new LoanExports(this); // copy, CSV, print and PDF on the grids
    m_loadTimer.start();
}

MainWindow::~MainWindow()
{
    // The form outlives this object's members: closing the window moves the
    // focus out of a field, and the form's signals must not reach a window
    // that is half gone.
    m_terms->disconnect(this);
}

void MainWindow::setTermsAvailable(bool available)
{
    for (QPushButton *b : m_commandButtons)
        b->setEnabled(available);
    for (int t = 1; t <= 4; ++t)
        m_tabs->setTabEnabled(t, available);
    // Every tab after the first waits for the terms, and says why while greyed.
    const QString why = available ? QString() : m_terms->whyInvalid();
    for (int t = 1; t < m_tabs->count(); ++t)
        m_tabs->setTabToolTip(t, why);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The tabs take the room beyond the designed size; Help keeps its place
    // from the bottom left, the other buttons theirs from the bottom right.
    const int dw = width() - kDesignedSize.width();
    const int dh = height() - kDesignedSize.height();
    m_tabs->setGeometry(px(135), px(120), px(7020) + dw, px(4935) + dh);
    m_helpButton->move(px(180), px(5160) + dh);
    const struct { QPushButton *button; int left; } right[] = {
        {m_commandButtons[2], 1620}, {m_commandButtons[1], 3060},
        {m_commandButtons[0], 4500}, {m_exitButton, 5940}};
    for (const auto &b : right)
        b.button->move(px(b.left) + dw, px(5160) + dh);
    placeOutlines();
}

void MainWindow::placeOutlines()
{
    // Two outlines, one inside the other, from 60 twips left of the button.
    const QRect b = m_commandButtons[size_t(m_outlinedButton)]->geometry();
    for (int i = 0; i < 2; ++i)
        m_viewOutlines[size_t(i)]->setGeometry(b.x() - px(60) + i, b.y() - 3 + i,
                                               b.width() + 8 - 2 * i, b.height() + 6 - 2 * i);
}

void MainWindow::calculatePayment()
{
    m_terms->calculatePayment();
}

void MainWindow::calculateLater()
{
    calculatePayment();
}

void MainWindow::runTabCommand(int index)
{
    const int tab = m_tabs->currentIndex();
    if (index == 0) {
        switch (tab) {
        case 0: m_calculateTimer.start(); break;
        case 1: buildSchedule(ScheduleView::Contract); break;
        case 2: m_paymentsPage->addPayment(); break;
        case 3: quoteExtraPrincipal(m_quote->selectedMode()); break;
        case 4: drawChart(true); break;
        default: break;
        }
    } else if (index == 1) {
        switch (tab) {
        case 1: buildSchedule(ScheduleView::Actual); break;
        case 2: m_paymentsPage->deleteLast(); break;
        default: break;
        }
    } else if (index == 2) {
        switch (tab) {
        case 1: buildSchedule(ScheduleView::Projected); break;
        case 2: m_paymentsPage->deleteAll(); break;
        default: break;
        }
    }
}

void MainWindow::buildSchedule(ScheduleView view)
{
    ScheduleInputs in;
    in.terms = m_terms->terms();
    if (view == ScheduleView::Projected)
        in.plan = m_quote->plan();
    in.recorded = m_payments.recordedExtra();
    m_amortization->build(view, in);
}

void MainWindow::quoteExtraPrincipal(ExtraMode mode)
{
    m_quote->quoteExtraPrincipal(mode, m_terms->terms(), m_payments.recordedExtra());
}

void MainWindow::drawChart(bool force)
{
    if (!m_terms->termsValid()) {
        m_chart->clear();
        return;
    }
    ScheduleInputs in;
    in.terms = m_terms->terms();
    in.plan = m_quote->plan();
    in.recorded = m_payments.recordedExtra();
    m_chart->draw(in, force);
}

void MainWindow::setCommands(const char *first, const char *second, const char *third)
{
    m_commandButtons[0]->setText(QString::fromLatin1(first));
    m_commandButtons[1]->setVisible(second != nullptr);
    m_commandButtons[2]->setVisible(third != nullptr);
    if (second)
        m_commandButtons[1]->setText(QString::fromLatin1(second));
    if (third)
        m_commandButtons[2]->setText(QString::fromLatin1(third));
}

void MainWindow::showOutlines(bool shown)
{
    for (QFrame *shape : m_viewOutlines)
        shape->setVisible(shown);
}

void MainWindow::arriveOnTab()
{
    calculatePayment();
    const int tab = m_tabs->currentIndex();
    switch (tab) {
    case 0:
        field(Price)->setFocus();
        setCommands("&Calculate", nullptr, nullptr);
        showOutlines(false);
        break;
    case 1:
        m_amortization->grid()->setCurrentCell(1, 0);
        setCommands("&Schedule", "&Actual", "&Projected");
        if (m_amortization->yearList()->count() > 0)
            showOutlines(true);
        break;
    case 2:
        m_paymentsPage->onTabShown(m_commandButtons[0]->isEnabled());
        setCommands("&Make", "Delete &Last", "Delete &All");
        showOutlines(false);
        break;
    case 3:
        setCommands("&Calculate", nullptr, nullptr);
        showOutlines(false);
        // Picks a plan if none is picked and asks for the quote at once.
        m_quote->onTabShown(m_payments.paymentsMade(), m_commandButtons[0]->isEnabled());
        break;
    case 4:
        setCommands("&Calculate", nullptr, nullptr);
        showOutlines(false);
        drawChart(false);
        break;
    default:
        break;
    }
    m_helpContext = tab + 3;
}

void MainWindow::setCaption(const QString &prefix, const QString &path)
{
    QString title = QString::fromLatin1(kTitle) + prefix + splitPath(path, PathPart::FileName)
                    + QStringLiteral(")");
    // Said once, where it stays in view: nothing keeps another window off the file.
    if (!m_guard.locked())
        title += QStringLiteral(" - ") + LoanGuard::notLockedText();
    setWindowTitle(title);
}

void MainWindow::newLoan(QString &path)
{
    m_terms->clear();
    m_payments.setPaymentsMade(0);
    m_paymentsPage->showPayments();
    showLoanAnew();
    CurrentLoan::path = path;
    m_guard.hold(path);
    setCaption(QStringLiteral("   NEW ("), path);
    markSaved();
}

bool MainWindow::loadLoan(QString &path)
{
    if (path.isEmpty())
        path = BundledFiles::defaultLoanPath();
    const LoanGuard::Claim claim = m_guard.claim(path, this, LoanGuard::Use::Open);
    if (!claim)
        return false;
    LoanFile::ReadResult file = LoanFile::read(path);
    if (!file.ok) {
        Prompts::current().message(this, QMessageBox::Warning, file.reason, QMessageBox::Ok);
        return false;
    }
    m_payments.setPaymentsMade(0);
    m_paymentsPage->showPayments();
    m_terms->load(LoanFile::terms(file.data, m_terms->terms().firstPaymentDigits));

    for (size_t k = 0; k < file.data.payments.size(); ++k)
        m_payments.set(int(k) + 1, file.data.payments[k]);
    m_payments.setPaymentsMade(int(file.data.payments.size()));
    showLoanAnew();

    CurrentLoan::path = path;
    m_guard.hold(path);
    setCaption(QStringLiteral("  ("), path);
    markSaved();
    return true;
}

LoanFileData MainWindow::currentData() const
{
    LoanFileData data;
    LoanFile::store(m_terms->terms(), data);
    for (int k = 1; k <= m_payments.paymentsMade(); ++k)
        data.payments.push_back(m_payments.at(k));
    return data;
}

void MainWindow::markSaved()
{
    m_savedImage = LoanFile::encode(currentData());
}

bool MainWindow::isChanged() const
{
    return LoanFile::encode(currentData()) != m_savedImage;
}

void MainWindow::showLoanAnew()
{
    // Nothing of the loan before stays in view: no schedule of it, and the
    // ledger's years and totals are the new loan's; on the Payments tab its
    // grid is filled at once, as on arrival.
    m_amortization->clear();
    m_chart->clear();
    showOutlines(false);
    m_paymentsPage->fillYearList();
    if (m_tabs->currentIndex() == 2)
        m_paymentsPage->onTabShown(m_commandButtons[0]->isEnabled());
    if (m_tabs->currentIndex() == 4)
        drawChart(true);
}

bool MainWindow::saveLoan(QString &path)
{
    if (path.isEmpty())
        path = BundledFiles::defaultLoanPath();
    const LoanGuard::Claim claim = m_guard.claim(path, this, LoanGuard::Use::Save);
    if (!claim)
        return false;
    const LoanFileData data = currentData();
    if (const Result saved = LoanFile::write(path, data); !saved) {
        Prompts::current().message(this, QMessageBox::Warning, saved.reason, QMessageBox::Ok);
        return false;
    }
    CurrentLoan::path = path;
    m_guard.hold(path);
    setCaption(QStringLiteral("  ("), path);
    m_savedImage = LoanFile::encode(data);
    return true;
}

void MainWindow::showNoFile()
{
    // A loan without a file is never written anywhere until the user names one.
    CurrentLoan::path.clear();
    setWindowTitle(QString::fromLatin1(kTitle) + QStringLiteral("  (no file)"));
    markSaved();
}

void MainWindow::loadAtStart()
{
    setWindowTitle(QStringLiteral("Loading"));
    if (!m_startupProblem.isEmpty()) {
        Prompts::current().message(this, QMessageBox::Warning, m_startupProblem, QMessageBox::Ok);
        showNoFile();
    } else if (!loadLoan(CurrentLoan::path)) {
        showNoFile();
    }
    m_terms->enterPrice();
}

bool MainWindow::offerToSave()
{
    if (!isChanged())
        return true;
    const auto answer = Prompts::current().message(
        this, QMessageBox::Question, QStringLiteral("Would Like to save changes?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return saveCurrent();
    return answer == QMessageBox::No;
}

bool MainWindow::saveCurrent()
{
    if (!CurrentLoan::path.isEmpty())
        return saveLoan(CurrentLoan::path);
    m_fileDialog.setFileName(BundledFiles::defaultLoanPath());
    QString name = chooseSaveName(QStringLiteral("Save Loan File"));
    return !name.isEmpty() && saveLoan(name);
}

QString MainWindow::chooseSaveName(const QString &title)
{
    m_fileDialog.setDialogTitle(title);
    for (;;) {
        m_fileDialog.showSave();
        const QString name = m_fileDialog.fileName();
        if (name.isEmpty())
            return QString();
        const QFileInfo chosen(name);
        const bool ownFile = !CurrentLoan::path.isEmpty()
                             && chosen.absoluteFilePath()
                                    == QFileInfo(CurrentLoan::path).absoluteFilePath();
        if (ownFile || !chosen.exists())
            return name;
        const auto answer = Prompts::current().message(
            this, QMessageBox::Warning,
            QStringLiteral("%1 already exists.\nDo you want to replace it?")
                .arg(splitPath(name, PathPart::FileName)),
            QMessageBox::Yes | QMessageBox::No, QString::fromLatin1(kTitle), QMessageBox::No);
        if (answer == QMessageBox::Yes)
            return name;
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    const auto answer = Prompts::current().message(
        this, QMessageBox::Question, QStringLiteral("Would Like to save changes?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        if (!saveCurrent()) {
            event->ignore(); // a message was shown or the dialog cancelled; nothing is lost
            return;
        }
        const QString folder = CurrentLoan::writeSetting(CurrentLoan::path);
        if (!folder.isEmpty())
            Prompts::current().message(
                this, QMessageBox::Warning,
                QStringLiteral("The loan was saved, but its name could not be remembered for "
                               "the next start: the settings folder %1 cannot be written.")
                    .arg(folder),
                QMessageBox::Ok);
        WindowPlace::remember(this);
        event->accept();
    } else if (answer == QMessageBox::No) {
        WindowPlace::remember(this);
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::runPictureAction(PictureAction action)
{
    switch (action) {
    case PictureAction::New: newFile(); break;
    case PictureAction::Open: openFile(); break;
    case PictureAction::Save: saveFile(); break;
    case PictureAction::About: {
        AboutDialog about(this);
        about.exec();
        break;
    }
    case PictureAction::Help: showHelp(0); break;
    }
}

void MainWindow::newFile()
{
    if (!offerToSave())
        return;
    m_fileDialog.setDialogTitle(QStringLiteral("New Loan File"));
    m_fileDialog.showOpen();
    QString name = m_fileDialog.fileName();
    if (name.isEmpty())
        return;
    const LoanGuard::Claim claim = m_guard.claim(name, this, LoanGuard::Use::Replace);
    if (!claim)
        return;
    if (isReadableFile(name)) {
        const auto answer = Prompts::current().message(
            this, QMessageBox::Critical,
            name + QStringLiteral("\nThis file already exist.\n\nReplace existing file?"),
            QMessageBox::Ok | QMessageBox::Cancel);
        if (answer != QMessageBox::Ok)
            return;
    }
    newLoan(name);
}

void MainWindow::openFile()
{
    if (!offerToSave())
        return;
    m_fileDialog.setDialogTitle(QStringLiteral("Open Loan File"));
    m_fileDialog.showOpen();
    QString name = m_fileDialog.fileName();
    if (!name.isEmpty())
        loadLoan(name);
}

void MainWindow::saveFile()
{
    QString name = chooseSaveName(QStringLiteral("Save Loan File"));
    if (!name.isEmpty())
        saveLoan(name);
}

void MainWindow::showHelp(int context)
{
    Prompts::current().showHelp(this, context);
}
