#include "frmmain.h"

#include "app/amortizationpage.h"
#include "app/maincode.h"
#include "app/quotepage.h"
#include "controls/datebox.h"
#include "controls/grid.h"
#include "controls/frmabout.h"
#include "controls/mybutton.h"
#include "controls/prompts.h"
#include "ledger/paymentspage.h"
#include "loan/dates.h"
#include "loan/numtext.h"
#include "storage/bundledfiles.h"
#include "storage/loanfile.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace LoanTerms;

namespace {

constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

const char *const kTitle = "Quillhaven";

// Tab 0 rows, top to bottom, with the label caption and where the field sits.
struct FieldPlace {
    int field;
    const char *caption;
    const char *sign;   // "$", "%" or none
};

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(kTitle));
    // The window is 7395 × 5985 twips and cannot be resized.
    setFixedSize(px(7395), px(5985));

    m_ssTab1 = new QTabWidget(this);
    m_ssTab1->setObjectName(QStringLiteral("SSTab1"));
    m_ssTab1->setGeometry(px(135), px(120), px(7020), px(4935));
    auto *mainPage = new QWidget;
    m_ssTab1->addTab(mainPage, QStringLiteral("Main "));
    m_amortization = new AmortizationPage;
    m_paymentsPage = new PaymentsPage(m_payments);
    m_quote = new QuotePage;
    m_ssTab1->addTab(m_amortization, QStringLiteral("Amortization"));
    m_ssTab1->addTab(m_paymentsPage, QStringLiteral("Payments"));
    m_ssTab1->addTab(m_quote, QStringLiteral("Extra Principal Quote"));
    buildMainTab(mainPage);
    m_paymentsPage->monthlyPaymentText = [this] { return Text1(MonthlyPayment)->text(); };
    m_paymentsPage->monthlyTaxInsuranceText = [this] { return Text1(MonthlyTaxInsurance)->text(); };
    m_paymentsPage->firstPaymentDateText = [this] { return m_maskEdBox1->withSeparators(); };
    connect(m_quote, &QuotePage::recomputeRequested, this, [this] {
        if (m_command[2]->isEnabled())
            Command2_Click();
    });

    const struct { int index; const char *caption; int left; } buttons[] = {
        {5, "&Help", 180}, {4, "", 1620}, {3, "", 3060}, {2, "&Calculate", 4500}, {1, "&Exit", 5940},
    };
    for (const auto &b : buttons) {
        auto *btn = new QPushButton(QString::fromLatin1(b.caption), this);
        btn->setObjectName(QStringLiteral("Command%1").arg(b.index));
        btn->setGeometry(px(b.left), px(5160), px(1170), px(350));
        m_command[size_t(b.index)] = btn;
    }
    m_command[3]->hide();
    m_command[4]->hide();

    // Two outlines, one over the other, frame the button of the schedule
    // view built last.
    const char *outline[] = {"border: 1px solid palette(shadow);",
                             "border: 1px dotted palette(highlight);"};
    for (int i = 0; i < 2; ++i) {
        auto *shape = new QFrame(this);
        shape->setObjectName(QStringLiteral("Shape1_%1").arg(i));
        shape->setStyleSheet(QString::fromLatin1(outline[i]));
        shape->setAttribute(Qt::WA_TransparentForMouseEvents);
        shape->setGeometry(px(4500) - 4 + i, px(5160) - 3 + i, px(1170) + 8 - 2 * i,
                           px(350) + 6 - 2 * i);
        shape->lower();
        shape->hide();
        m_shape1[size_t(i)] = shape;
    }
    connect(m_amortization, &AmortizationPage::built, this, [this](int view) {
        // Step 8 of a build: frame the button of the view, 60 twips to its left.
        QPushButton *b = m_command[size_t(view == 0 ? 2 : view == 1 ? 3 : 4)];
        for (int i = 0; i < 2; ++i)
            m_shape1[size_t(i)]->move(b->x() - px(60) + i, m_shape1[size_t(i)]->y());
        showOutlines(true);
    });
    for (int i : {2, 3, 4})
        m_command[size_t(i)]->setEnabled(false);
    connect(m_command[1], &QPushButton::clicked, this, &QWidget::close);
    connect(m_command[5], &QPushButton::clicked, this, [this] { showHelp(m_helpContext); });
    connect(m_command[2], &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(m_command[3], &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(m_command[4], &QPushButton::clicked, this, &frmMain::Command4_Click);

    // Tab order: the input fields, the date box, then the primary command.
    QWidget *order[] = {Text1(Price), Text1(DownPercent), Text1(DownAmount), Text1(LoanAmount),
                        Text1(AnnualRate), Text1(NumberOfPayments), Text1(AnnualTax),
                        Text1(AnnualInsurance), m_maskEdBox1, m_command[2], m_command[3],
                        m_command[4], m_command[1], m_command[5], m_myButton1[0],
                        m_myButton1[1], m_myButton1[2], m_myButton1[3], m_myButton1[4]};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    // Tabs 1 to 3 wait for valid loan terms.
    for (int t = 1; t <= 3; ++t)
        m_ssTab1->setTabEnabled(t, false);

    for (QTimer *t : {&m_timer2, &m_timer3, &m_general}) {
        t->setSingleShot(true);
        t->setInterval(1);
    }
    connect(&m_timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    connect(&m_timer3, &QTimer::timeout, this, &frmMain::Timer3_Timer);
    connect(&m_general, &QTimer::timeout, this, &frmMain::General_Timer);
    connect(m_ssTab1, &QTabWidget::currentChanged, this, [this] { m_timer3.start(); });

    m_fileDialog.sethWnd(this);
    m_fileDialog.setFilter(QStringLiteral("Quillhaven File|*.qhv|All Files|*.*"));
    m_fileDialog.setInitDir(BundledFiles::dataFolder());

    // The usual keys for what the picture buttons do.
    const struct { QKeySequence key; int button; } keys[] = {
        {QKeySequence::New, 0}, {QKeySequence::Open, 1}, {QKeySequence::Save, 2},
        {QKeySequence::HelpContents, -1}};
    for (const auto &k : keys) {
        auto *sc = new QShortcut(k.key, this);
        connect(sc, &QShortcut::activated, this, [this, b = k.button] {
            if (b < 0)
                showHelp(m_helpContext);
            else
                MyButton1_Click(b);
        });
    }

    // Centred on the screen.
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->geometry();
        move(avail.left() + (avail.width() - width()) / 2,
             avail.top() + (avail.height() - height()) / 2);
    }
    m_amortization->setupGrid();
    m_paymentsPage->setupGrid();
    m_timer2.start();
}

frmMain::~frmMain() = default;

void frmMain::buildMainTab(QWidget *page)
{
    const FieldPlace rows[] = {
        {Price, "Price :", "$"},
        {DownPercent, "Down :", "%"},
        {LoanAmount, "Loan Amount :", "$"},
        {AnnualRate, "Annual Percentage Rate :", nullptr},
        {NumberOfPayments, "No of Monthly Payments :", nullptr},
        {AnnualTax, "Annual  Tax :", "$"},
        {AnnualInsurance, "Annual  Insurance :", "$"},
        {-1, "First Payment Date :", nullptr},
        {MonthlyPayment, "Monthly Principal && Interest :", "$"},
        {MonthlyTaxInsurance, "Monthly Tax && Insurance :", "$"},
        {TotalMonthlyPayment, "Total Monthly Payment :", "$"},
    };
    for (int i = 0; i < kFieldCount; ++i) {
        auto *e = new QLineEdit(page);
        e->setObjectName(QStringLiteral("Text1_%1").arg(i));
        m_text1[size_t(i)] = e;
        connect(e, &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
        e->installEventFilter(this);
    }
    m_maskEdBox1 = new DateBox(page);
    m_maskEdBox1->setObjectName(QStringLiteral("MaskEdBox1"));
    m_maskEdBox1->installEventFilter(this);

    const int labelX = 10, signX = 184, boxX = 196, boxW = 120, h = 21;
    auto sign = [&](const char *s, int x, int y) {
        auto *l = new QLabel(QString::fromLatin1(s), page);
        l->setGeometry(x, y, 12, h);
    };
    int y = 12;
    for (const auto &r : rows) {
        if (r.field == MonthlyPayment) {
            auto *rule = new QFrame(page);
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Sunken);
            rule->setGeometry(labelX, y, 360, 4);
            y += 8;
        }
        auto *label = new QLabel(QString::fromLatin1(r.caption), page);
        label->setGeometry(labelX, y, 168, h);
        QWidget *box = r.field < 0 ? static_cast<QWidget *>(m_maskEdBox1) : Text1(r.field);
        if (r.field == DownPercent) {
            box->setGeometry(boxX, y, 58, h);
            sign("%", boxX + 61, y);
            sign("$", boxX + 76, y);
            Text1(DownAmount)->setGeometry(boxX + 88, y, 86, h);
            Text1(DownAmount)->setAccessibleName(QStringLiteral("Down amount"));
            box->setAccessibleName(QStringLiteral("Down percent"));
        } else {
            box->setGeometry(boxX, y, r.field < 0 ? 70 : boxW, h);
            if (r.sign)
                sign(r.sign, signX, y);
            box->setAccessibleName(label->text().remove(QStringLiteral(" :")).replace(
                QStringLiteral("&&"), QStringLiteral("&")).simplified());
        }
        label->setBuddy(box);
        y += 24;
    }
    // The file commands, the About box and the help, in a column on the right.
    auto *frame = new QFrame(page);
    frame->setObjectName(QStringLiteral("Frame1_1"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    // Places on the tab are measured from the tab control's top; the page
    // starts below the tab bar.
    const int tabBar = m_ssTab1->tabBar()->sizeHint().height();
    frame->setGeometry(px(5700), px(480) - tabBar + 4, px(1155), px(4185));
    const struct { const char *tip; const char *icon; } pictures[] = {
        {" New File ", "newfile"}, {" Open File ", "openfile"}, {" Save File ", "savefile"},
        {" About Quillhaven ", "about"}, {" Help ", "help"}};
    const int tops[] = {210, 990, 1770, 2550, 3330};
    for (int i = 0; i < 5; ++i) {
        auto *b = new MyButton(frame);
        b->setObjectName(QStringLiteral("MyButton1_%1").arg(i));
        b->setGeometry(px(180), px(tops[i]), px(795), px(735));
        b->setToolTip(QString::fromLatin1(pictures[i].tip));
        b->setAccessibleName(QString::fromLatin1(pictures[i].tip).trimmed());
        b->setPicture(QPixmap(QStringLiteral(":/resources/icons/%1.png")
                                  .arg(QLatin1String(pictures[i].icon))));
        // Reached with Tab; Space or Enter runs its command, as on any button.
        b->setFocusPolicy(Qt::TabFocus);
        b->installEventFilter(this);
        connect(b, &MyButton::Click, this, [this, i] { MyButton1_Click(i); });
        connect(b, &MyButton::KeyPress, this, [this, i](qint16 key) {
            if (key == 13 || key == 32)
                MyButton1_Click(i);
        });
        m_myButton1[size_t(i)] = b;
    }
    // The picture buttons draw no focus rectangle; this outline shows which
    // one has the keyboard focus.
    m_focusOutline = new QFrame(frame);
    m_focusOutline->setObjectName(QStringLiteral("FocusOutline"));
    m_focusOutline->setStyleSheet(QStringLiteral("border: 1px dotted palette(text);"));
    m_focusOutline->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_focusOutline->hide();

    // The computed fields are the program's to write.
    for (int f : {MonthlyPayment, MonthlyTaxInsurance, TotalMonthlyPayment, TotalInterest,
                  LastPayment}) {
        Text1(f)->setReadOnly(true);
        Text1(f)->setFocusPolicy(Qt::ClickFocus);
    }
    for (int f : {Price, DownAmount, LoanAmount, AnnualTax, AnnualInsurance, MonthlyPayment,
                  MonthlyTaxInsurance, TotalMonthlyPayment})
        Text1(f)->setAlignment(Qt::AlignRight);
    // Total interest and the last payment are kept for the other tabs and the
    // file, out of sight.
    const struct { int field; const char *caption; } hidden[] = {
        {TotalInterest, "Total  Interest  $"}, {LastPayment, "Last payment $"}};
    for (const auto &hdn : hidden) {
        auto *label = new QLabel(QString::fromLatin1(hdn.caption), page);
        label->setBuddy(Text1(hdn.field));
        label->hide();
        Text1(hdn.field)->setGeometry(-1000, 0, boxW, h);
        Text1(hdn.field)->hide();
    }
}

LoanTerms::Texts frmMain::texts() const
{
    Texts t;
    for (int i = 0; i < kFieldCount; ++i)
        t[size_t(i)] = m_text1[size_t(i)]->text();
    return t;
}

void frmMain::setField(int index, const QString &text)
{
    // Setting a field to the text it holds is no change, which lets the
    // derivations come to rest.
    if (Text1(index)->text() != text)
        Text1(index)->setText(text);
}

void frmMain::setTermsAvailable(bool available)
{
    for (int i : {2, 3, 4})
        m_command[size_t(i)]->setEnabled(available);
    for (int t = 1; t <= 3; ++t)
        m_ssTab1->setTabEnabled(t, available);
}

void frmMain::Text1_Change(int)
{
    if (m_suspendChange)
        return;
    setTermsAvailable(LoanTerms::valid(texts()));
    // Each assignment re-enters this handler at once, as a change does.
    for (const auto &a : LoanTerms::derive(texts(), m_currentField))
        setField(a.field, a.text);
}

void frmMain::Text1_GotFocus(int index)
{
    m_currentField = index;
    QLineEdit *e = Text1(index);
    // Deferred so that a mouse click placing the caret does not undo it.
    QTimer::singleShot(0, e, [e] {
        if (e->hasFocus()) {
            e->setCursorPosition(0);
            e->selectAll();
        }
    });
}

void frmMain::Text1_LostFocus(int index)
{
    if (LoanTerms::reformatsOnLeave(index) && NumText::isNumeric(Text1(index)->text()))
        setField(index, NumText::amount(NumText::value(Text1(index)->text())));
    if (m_command[2]->isEnabled() && m_ssTab1->currentIndex() == 0)
        Command2_Click();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    for (MyButton *b : m_myButton1) {
        if (watched != b)
            continue;
        if (event->type() == QEvent::FocusIn) {
            m_focusOutline->setGeometry(b->geometry().adjusted(-3, -3, 3, 3));
            m_focusOutline->show();
            m_focusOutline->lower();
        } else if (event->type() == QEvent::FocusOut) {
            m_focusOutline->hide();
        }
        return QWidget::eventFilter(watched, event);
    }
    int index = -1;
    for (int i = 0; i < kFieldCount; ++i)
        if (watched == m_text1[size_t(i)])
            index = i;
    const bool dateBox = watched == m_maskEdBox1;
    if (index < 0 && !dateBox)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn:
        if (index >= 0)
            Text1_GotFocus(index);
        break;
    case QEvent::FocusOut:
        if (index >= 0)
            Text1_LostFocus(index);
        break;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            focusNextPrevChild(key->key() == Qt::Key_Down);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (dateBox) {
                Text1(Price)->setFocus(Qt::TabFocusReason);
                return true;
            }
            focusNextPrevChild(true);
            if (m_command[2]->isEnabled())
                Command2_Click();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::CalLoan()
{
    for (const auto &a : LoanTerms::calculate(texts()))
        setField(a.field, a.text);
}

void frmMain::General_Timer()
{
    CalLoan();
}

void frmMain::Command2_Click()
{
    switch (m_ssTab1->currentIndex()) {
    case 0: m_general.start(); break;
    case 1: Amort(0); break;
    case 2: m_paymentsPage->addPayment(); break;
    case 3: ExtraPrn(m_quote->selectedMode()); break;
    default: break;
    }
}

void frmMain::Command3_Click()
{
    switch (m_ssTab1->currentIndex()) {
    case 1: Amort(1); break;
    case 2: m_paymentsPage->deleteLast(); break;
    default: break;
    }
}

void frmMain::Command4_Click()
{
    switch (m_ssTab1->currentIndex()) {
    case 1: Amort(2); break;
    case 2: m_paymentsPage->deleteAll(); break;
    default: break;
    }
}

void frmMain::Amort(int view)
{
    if (m_amortization->building())
        return;
    ScheduleInputs in;
    in.texts = texts();
    in.firstPaymentDate = m_maskEdBox1->withSeparators();
    if (view == 2)
        in.plan = m_quote->plan();
    in.table = &m_payments;
    m_amortization->build(view, in);
}

void frmMain::ExtraPrn(int mode)
{
    m_quote->ExtraPrn(mode, texts(), m_payments);
}

void frmMain::setCommands(const char *c2, const char *c3, const char *c4)
{
    m_command[2]->setText(QString::fromLatin1(c2));
    m_command[3]->setVisible(c3 != nullptr);
    m_command[4]->setVisible(c4 != nullptr);
    if (c3)
        m_command[3]->setText(QString::fromLatin1(c3));
    if (c4)
        m_command[4]->setText(QString::fromLatin1(c4));
}

void frmMain::showOutlines(bool shown)
{
    for (QFrame *shape : m_shape1)
        shape->setVisible(shown);
}

void frmMain::Timer3_Timer()
{
    CalLoan();
    const int tab = m_ssTab1->currentIndex();
    switch (tab) {
    case 0:
        Text1(Price)->setFocus();
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
        m_paymentsPage->onTabShown(m_command[2]->isEnabled());
        setCommands("&Make", "Delete &Last", "Delete &All");
        showOutlines(false);
        break;
    case 3:
        setCommands("&Calculate", nullptr, nullptr);
        showOutlines(false);
        // Picks a plan if none is picked and asks for the quote at once.
        m_quote->onTabShown(m_payments.paymentsMade(), m_command[2]->isEnabled());
        break;
    default:
        break;
    }
    m_helpContext = tab + 3;
}

void frmMain::setCaption(const QString &prefix, const QString &path)
{
    setWindowTitle(QString::fromLatin1(kTitle) + prefix + MainCode::SplitPath(path, 1)
                   + QStringLiteral(")"));
}

void frmMain::NewLoan(QString &path)
{
    if (MainCode::FileExists(path))
        QFile::remove(path);
    m_suspendChange = true;
    for (int i = 0; i < kFieldCount; ++i)
        Text1(i)->setText(QString());
    m_suspendChange = false;
    Text1_Change(AnnualRate);
    m_payments.setPaymentsMade(0);
    m_paymentsPage->ShowPayments();
    MainCode::CurrentFile = path;
    setCaption(QStringLiteral("   NEW ("), path);
}

bool frmMain::LoadData(QString &path)
{
    if (path.isEmpty())
        path = BundledFiles::defaultLoanPath();
    LoanFile::ReadResult file = LoanFile::read(path);
    if (!file.ok) {
        Prompts::current().message(this, QMessageBox::Warning, file.error, QMessageBox::Ok);
        return false;
    }
    m_payments.setPaymentsMade(0);
    m_paymentsPage->ShowPayments();

    m_suspendChange = true;
    for (int i = 0; i < kFieldCount; ++i) {
        const double v = file.data.terms[size_t(i)];
        QString text;
        if (v > 0)
            text = (i == AnnualRate || i == NumberOfPayments || i == DownPercent)
                       ? NumText::plainDecimal(v)
                       : NumText::amount(v);
        Text1(i)->setText(text);
    }
    const double date = file.data.firstPaymentDate;
    const QString s = NumText::plainDecimal(date);
    if (s.size() < 5 || date < 0 || date != std::floor(date))
        m_maskEdBox1->setValue(Dates::today().toString(QStringLiteral("MMddyy")));
    else if (s.size() == 5)
        m_maskEdBox1->setValue(QStringLiteral("0") + s);
    else if (s.size() == 6)
        m_maskEdBox1->setValue(s);
    m_suspendChange = false;
    Text1_Change(AnnualRate);

    for (size_t k = 0; k < file.data.payments.size(); ++k)
        m_payments.set(int(k) + 1, file.data.payments[k]);
    m_payments.setPaymentsMade(int(file.data.payments.size()));
    m_paymentsPage->fillYearList();

    MainCode::CurrentFile = path;
    setCaption(QStringLiteral("  ("), path);
    return true;
}

bool frmMain::Save(QString &path)
{
    if (path.isEmpty())
        path = BundledFiles::defaultLoanPath();
    LoanFileData data;
    for (int i = 0; i < kFieldCount; ++i)
        data.terms[size_t(i)] = NumText::value(Text1(i)->text());
    m_maskEdBox1->setIncludeLiterals(false);
    data.firstPaymentDate = NumText::leadingNumber(m_maskEdBox1->value());
    for (int k = 1; k <= m_payments.paymentsMade(); ++k)
        data.payments.push_back(m_payments.at(k));
    const QString error = LoanFile::write(path, data);
    if (!error.isEmpty()) {
        Prompts::current().message(this, QMessageBox::Warning, error, QMessageBox::Ok);
        return false;
    }
    MainCode::CurrentFile = path;
    setCaption(QStringLiteral("  ("), path);
    return true;
}

void frmMain::Timer2_Timer()
{
    setWindowTitle(QStringLiteral("Loading"));
    if (!LoadData(MainCode::CurrentFile)) {
        // A file that was refused is never written over by a later save.
        MainCode::CurrentFile.clear();
    }
    setCaption(QStringLiteral("  ("), MainCode::CurrentFile.isEmpty()
                                           ? BundledFiles::defaultLoanPath()
                                           : MainCode::CurrentFile);
    Text1(Price)->setFocus(Qt::OtherFocusReason);
    Text1_GotFocus(Price);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    const auto answer = Prompts::current().message(
        this, QMessageBox::Question, QStringLiteral("Would Like to save changes?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        if (!Save(MainCode::CurrentFile)) {
            event->ignore(); // the message is shown; nothing is lost
            return;
        }
        MainCode::writeCurrentFileSetting(MainCode::CurrentFile);
        event->accept();
    } else if (answer == QMessageBox::No) {
        event->accept();
    } else {
        event->ignore();
    }
}

void frmMain::MyButton1_Click(int index)
{
    switch (index) {
    case 0: newFile(); break;
    case 1: openFile(); break;
    case 2: saveFile(); break;
    case 3: {
        frmAbout about(this);
        about.exec();
        break;
    }
    case 4: showHelp(0); break;
    default: break;
    }
}

void frmMain::newFile()
{
    m_fileDialog.setDialogTitle(QStringLiteral("New Loan File"));
    m_fileDialog.ShowOpen();
    QString name = m_fileDialog.FileName();
    if (name.isEmpty())
        return;
    if (MainCode::FileExists(name)) {
        const auto answer = Prompts::current().message(
            this, QMessageBox::Critical,
            name + QStringLiteral("\nThis file already exist.\n\nReplace existing file?"),
            QMessageBox::Ok | QMessageBox::Cancel);
        if (answer != QMessageBox::Ok)
            return;
    }
    NewLoan(name);
}

void frmMain::openFile()
{
    m_fileDialog.setDialogTitle(QStringLiteral("Open Loan File"));
    m_fileDialog.ShowOpen();
    QString name = m_fileDialog.FileName();
    if (!name.isEmpty())
        LoadData(name);
}

void frmMain::saveFile()
{
    m_fileDialog.setDialogTitle(QStringLiteral("Save Loan File"));
    m_fileDialog.ShowSave();
    QString name = m_fileDialog.FileName();
    if (!name.isEmpty())
        Save(name);
}

void frmMain::showHelp(int context)
{
    Prompts::current().showHelp(this, context);
}
