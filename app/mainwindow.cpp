#include "mainwindow.h"

#include "app/amortizationpage.h"
#include "app/changespage.h"
#include "app/chartpage.h"
#include "app/loanexports.h"
#include "app/quotepage.h"
#include "app/windowplace.h"
#include "controls/datebox.h"
#include "controls/picturebutton.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/prompts.h"
#include "ledger/paymentspage.h"
#include "storage/bundledfiles.h"
#include "storage/paths.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

namespace {

constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

// The window as designed, 7395 × 5985 twips: the smallest it may be.
const QSize kDesignedSize(px(7395), px(5985));

const QString kTitle = QStringLiteral("Quillhaven");

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
    , m_files(m_document, m_fileDialog, this)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(kTitle);
    // Opens at its designed size; it may grow, never shrink below it.
    setMinimumSize(kDesignedSize);
    resize(kDesignedSize);

    // The tabs, in the one place that knows their order.
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->setGeometry(px(135), px(120), px(7020), px(4935));
    m_terms = new LoanTermsForm(m_document);
    m_amortization = new AmortizationPage(m_document);
    m_paymentsPage = new PaymentsPage(m_document);
    setAcceptDrops(true);
    m_quote = new QuotePage(m_document);
    m_chart = new ChartPage(m_document);
    m_changes = new ChangesPage(m_document);
    m_tabs->addTab(m_terms, QStringLiteral("Main "));
    m_tabs->addTab(m_amortization, QStringLiteral("Amortization"));
    m_tabs->addTab(m_paymentsPage, QStringLiteral("Payments"));
    m_tabs->addTab(m_quote, QStringLiteral("Extra Principal Quote"));
    m_tabs->addTab(m_chart, QStringLiteral("Chart"));
    m_tabs->addTab(m_changes, QStringLiteral("Changes"));
    // Six tabs fit the designed width only a point smaller; none is hidden
    // behind scroll arrows.
    QFont tabFont = m_tabs->tabBar()->font();
    tabFont.setPointSizeF(tabFont.pointSizeF() - 1);
    m_tabs->tabBar()->setFont(tabFont);

    // The picture buttons stand in a column at the right of the first tab;
    // places on a tab are measured from the tab control's top, and the page
    // starts below the tab bar.
    m_pictures = new PicturePanel(m_terms);
    m_pictures->setGeometry(px(5700), px(480) - m_tabs->tabBar()->sizeHint().height() + 4,
                            px(1155), px(4185));
    connect(m_pictures, &PicturePanel::actionRequested, this, &MainWindow::runPictureAction);

    auto makeButton = [this](const char *name, const QString &caption, int left) {
        auto *btn = new QPushButton(caption, this);
        btn->setObjectName(QString::fromLatin1(name));
        btn->setGeometry(px(left), px(5160), px(1170), px(350));
        return btn;
    };
    m_helpButton = makeButton("helpButton", QStringLiteral("&Help"), 180);
    m_commandButtons[2] = makeButton("commandButton_2", QString(), 1620);
    m_commandButtons[1] = makeButton("commandButton_1", QString(), 3060);
    m_commandButtons[0] = makeButton("commandButton_0", QString(), 4500);
    m_exitButton = makeButton("exitButton", QStringLiteral("&Exit"), 5940);
    for (int i = 0; i < 3; ++i)
        connect(m_commandButtons[size_t(i)], &QPushButton::clicked, this, [this, i] {
            const QList<QAction *> &commands = currentPage()->commands();
            if (i < commands.size())
                commands[i]->trigger();
        });
    connect(m_exitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_helpButton, &QPushButton::clicked, this, [this] { showHelp(m_helpContext); });

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

    // Tab order: the input fields, the date box, the commands, then the
    // picture buttons top to bottom.
    using namespace LoanTerms;
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

    for (QTimer *t : {&m_loadTimer, &m_arrivalTimer}) {
        t->setSingleShot(true);
        t->setInterval(1);
    }
    connect(&m_loadTimer, &QTimer::timeout, this, [this] {
        setWindowTitle(QStringLiteral("Loading"));
        m_files.openAtStart(m_startFile, m_startupProblem);
        if (m_startsOnSample && !m_document.path().isEmpty())
            m_terms->showSampleNote();
        m_terms->enterPrice();
    });
    connect(&m_arrivalTimer, &QTimer::timeout, this, &MainWindow::arriveOnTab);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { m_arrivalTimer.start(); });
    // The command bar follows the commands of the page shown.
    for (int t = 0; t < m_tabs->count(); ++t)
        for (QAction *a : static_cast<CommandPage *>(m_tabs->widget(t))->commands())
            connect(a, &QAction::changed, this, &MainWindow::showCommands);

    connect(&m_document, &LoanDocument::termsChanged, this, &MainWindow::followTerms);
    connect(&m_document, &LoanDocument::pathChanged, this, &MainWindow::setCaption);
    connect(&m_document, &LoanDocument::changedStateChanged, this, &MainWindow::setCaption);
    // Undo and redo of every change to the loan, on every tab.
    QAction *undo = m_document.undoStack().createUndoAction(this);
    undo->setShortcuts(QKeySequence::Undo);
    QAction *redo = m_document.undoStack().createRedoAction(this);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addActions({undo, redo});
    // Nothing of the loan before stays framed.
    connect(&m_document, &LoanDocument::loanReplaced, this, [this] { showOutlines(false); });

    m_fileDialog.setOwner(this);
    // "*" rather than "*.*": on this system a name need not have a dot.
    m_fileDialog.setFilter(QStringLiteral("Quillhaven File|*.qhv|All Files|*"));
    m_fileDialog.setInitDir(BundledFiles::dataFolder());

    // The usual keys for what the picture buttons do; Ctrl+S saves the loan
    // where it is, Ctrl+Shift+S as the Save picture does, with the dialog.
    const struct { QKeySequence key; PictureAction action; } keys[] = {
        {QKeySequence::New, PictureAction::New}, {QKeySequence::Open, PictureAction::Open},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), PictureAction::Save}};
    for (const auto &k : keys) {
        auto *sc = new QShortcut(k.key, this);
        connect(sc, &QShortcut::activated, this, [this, a = k.action] { runPictureAction(a); });
    }
    auto *save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, [this] { m_files.saveInPlace(); });
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { showHelp(m_helpContext); });

    WindowPlace::restore(this, kDesignedSize);
    followTerms();
    showCommands();
    new LoanExports(m_document, m_amortization, m_paymentsPage, m_quote, this);
    m_loadTimer.start();
}

MainWindow::~MainWindow()
{
    // The pages outlive this object's members: closing the window moves the
    // focus out of a field, and nothing may reach a window that is half gone.
    m_document.disconnect(this);
}

CommandPage *MainWindow::currentPage() const
{
    return static_cast<CommandPage *>(m_tabs->currentWidget());
}

void MainWindow::followTerms()
{
    const bool available = m_document.terms().valid();
    const QString why = available ? QString() : m_document.terms().whyInvalid();
    for (int t = 1; t < m_tabs->count(); ++t) {
        m_tabs->setTabEnabled(t, available);
        m_tabs->setTabToolTip(t, why);
    }
}

void MainWindow::showCommands()
{
    const QList<QAction *> &commands = currentPage()->commands();
    for (int i = 0; i < 3; ++i) {
        QPushButton *b = m_commandButtons[size_t(i)];
        b->setVisible(i < commands.size());
        if (i < commands.size()) {
            b->setText(commands[i]->text());
            b->setEnabled(commands[i]->isEnabled());
        }
    }
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

void MainWindow::showOutlines(bool shown)
{
    for (QFrame *shape : m_viewOutlines)
        shape->setVisible(shown);
}

void MainWindow::arriveOnTab()
{
    CommandPage *page = currentPage();
    showCommands();
    // The view built last stays framed on its own tab only.
    showOutlines(page == m_amortization && m_amortization->yearList()->count() > 0);
    page->arrive();
    m_helpContext = page->helpContext();
}

void MainWindow::setCaption()
{
    const QString &path = m_document.path();
    QString title = kTitle + QStringLiteral("  (no file)");
    if (!path.isEmpty()) {
        title = kTitle + (m_document.isNewLoan() ? QStringLiteral("   NEW (") : QStringLiteral("  ("))
                + splitPath(path, PathPart::FileName) + u')';
        // Changed since the last load or save.
        if (m_document.isChanged())
            title += u'*';
        // Said once, where it stays in view: nothing keeps another window off the file.
        if (!m_document.guard().locked())
            title += QStringLiteral(" - ") + LoanGuard::notLockedText();
    }
    setWindowTitle(title);
}

namespace {

// The one local .csv file a drag carries; empty for anything else.
QString droppedStatement(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return QString();
    const QUrl url = data->urls().front();
    const QString path = url.toLocalFile();
    return url.isLocalFile() && path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
               ? path
               : QString();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedStatement(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedStatement(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    m_tabs->setCurrentWidget(m_paymentsPage);
    m_paymentsPage->importStatement(path);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_files.close()) {
        event->ignore(); // cancelled, or a message was shown: nothing is lost
        return;
    }
    WindowPlace::remember(this);
    event->accept();
}

void MainWindow::runPictureAction(PictureAction action)
{
    switch (action) {
    case PictureAction::New: m_files.newFile(); break;
    case PictureAction::Open: m_files.openFile(); break;
    case PictureAction::Save: m_files.saveFile(); break;
    case PictureAction::About: {
        AboutDialog about(this);
        about.exec();
        break;
    }
    case PictureAction::Help: showHelp(0); break;
    }
}

void MainWindow::showHelp(int context)
{
    Prompts::current().showHelp(this, context);
}
