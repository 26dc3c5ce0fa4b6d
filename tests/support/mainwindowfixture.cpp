#include "mainwindowfixture.h"

#include "loan/dates.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QDir>
#include <QSettings>

void MainWindowFixture::SetUp()
{
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, dir.filePath("config"));
    Dates::setToday(QDate(2026, 12, 6));
}

void MainWindowFixture::TearDown()
{
    windows.clear();
    Dates::setToday(QDate());
}

QString MainWindowFixture::path(const QString &name) const
{
    return QDir(dir.path()).filePath(name);
}

LoanFileData MainWindowFixture::standardLoan(int payments, double extra)
{
    LoanFileData d;
    d.terms[LoanTerms::LoanAmount] = 100000;
    d.terms[LoanTerms::AnnualRate] = 6;
    d.terms[LoanTerms::NumberOfPayments] = 360;
    d.firstPaymentDate = 11508;
    for (int k = 1; k <= payments; ++k)
        d.payments.push_back({250, extra, QDate(2008, 1, 15).addMonths(k - 1).toString("MM/dd/yy")});
    return d;
}

void MainWindowFixture::writeLoan(const QString &file, const LoanFileData &data)
{
    ASSERT_EQ(LoanFile::write(file, data).reason, "");
}

void MainWindowFixture::writeBytes(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

QByteArray MainWindowFixture::readAll(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::vector<QStringList> MainWindowFixture::plainRows(const Grid *grid)
{
    std::vector<QStringList> out;
    for (int r = 1; r < grid->rows() && !grid->cell(r, 1).isEmpty(); ++r) {
        QStringList row;
        for (int c = 0; c < grid->cols(); ++c)
            row << grid->cell(r, c).trimmed().remove(u',');
        // Every date shown lies in this century; other text stays as it is.
        const QDate date = QDate::fromString(row[1], "MM/dd/yy").addYears(100);
        if (date.isValid())
            row[1] = date.toString(Qt::ISODate);
        out.push_back(row);
    }
    return out;
}

MainWindow *MainWindowFixture::start(const QString &file, const QString &problem, bool sample)
{
    windows.push_back(std::make_unique<MainWindow>());
    MainWindow *w = windows.back().get();
    w->setStartFile(file, problem, sample);
    w->show();
    QApplication::setActiveWindow(w);
    EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    EXPECT_TRUE(QTest::qWaitFor([w] {
        return w->windowTitle() != "Quillhaven" && w->windowTitle() != "Loading";
    }));
    return w;
}

MainWindow *MainWindowFixture::open(const QString &name, const LoanFileData &data)
{
    writeLoan(path(name), data);
    return w = start(path(name));
}

void MainWindowFixture::settle()
{
    ASSERT_TRUE(QTest::qWaitFor([this] {
        for (QWidget *b : QApplication::allWidgets())
            if (auto *ab = qobject_cast<QAbstractButton *>(b); ab && ab->isDown())
                return false;
        return !w || !w->hasDeferredWork();
    }));
}

void MainWindowFixture::show(CommandPage *page)
{
    w->tabs()->setCurrentWidget(page);
    settle();
}

void MainWindowFixture::trigger(const QString &text)
{
    for (int i = 0; i < 3; ++i) {
        QPushButton *b = w->commandButton(i);
        if (b->isVisible() && b->text() == text) {
            b->click();
            settle();
            return;
        }
    }
    ADD_FAILURE() << "no command " << text.toStdString() << " on the page shown";
}

void MainWindowFixture::press(Qt::Key key, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(QApplication::focusWidget(), key, mods);
    settle();
}

void MainWindowFixture::typeInto(QWidget *field, const QString &text)
{
    field->setFocus();
    QApplication::processEvents();
    if (auto *e = qobject_cast<QLineEdit *>(field)) {
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
    }
    QTest::keyClicks(field, text);
}

void MainWindowFixture::choose(const QString &name, int filter)
{
    prompts.fileResults.push_back({true, path(name), filter});
}

QString MainWindowFixture::pdfText(const QString &file)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", file, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished(20000)) << "tools/deps.sh installs poppler-utils";
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

void MainWindowFixture::runMenu(const QToolButton *button, const QString &text)
{
    for (QAction *a : button->menu()->actions())
        if (a->text() == text)
            a->trigger();
}
