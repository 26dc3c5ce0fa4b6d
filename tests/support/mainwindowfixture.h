#pragma once
// A test that drives the real main window offscreen: settings kept in a
// temporary folder, today fixed at 12/06/2026, prompts answered by a script.
// It brings what the window tests reach for: the pages, the grid, the
// payment dialog and the common widgets.
#include "app/amortizationpage.h"
#include "app/mainwindow.h"
#include "app/quotepage.h"
#include "controls/grid.h"
#include "fakeprompts.h"
#include "ledger/paymentdialog.h"
#include "ledger/paymentspage.h"
#include "storage/loanfile.h"
#include "storage/settings.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString &name) const;
    // 100,000.00 at 6 over 360 payments, first paid 01/15/08, with `payments`
    // monthly payments of 250 escrow and `extra` extra principal.
    static LoanFileData standardLoan(int payments = 0, double extra = 0);
    static void writeLoan(const QString &file, const LoanFileData &data);
    static void writeBytes(const QString &file, const QByteArray &bytes);
    static QByteArray readAll(const QString &file);
    // The rows `grid` shows below its headings, as a spreadsheet reads the
    // program's CSV: amounts without grouping, dates as 2008-01-15.
    static std::vector<QStringList> plainRows(const Grid *grid);
    // Opens a main window on `file`, active, after its start-up has run;
    // `problem` is a start-up problem found before the window was made,
    // `sample` says the file is the sample just copied for a first start.
    MainWindow *start(const QString &file, const QString &problem = QString(), bool sample = false);
    // Writes `data` to `name` in the folder and starts `w` on it.
    MainWindow *open(const QString &name, const LoanFileData &data);
    // Waits until `w` has run its deferred work and no button is held down
    // (an access key clicks its button the animated way).
    void settle();
    // Shows a page of `w`, as clicking its tab does.
    void show(CommandPage *page);
    // Clicks the command bar's button for the current page's command `text`
    // ("&Schedule", "Delete &Last").
    void trigger(const QString &text);
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier); // on the focus
    // Gives `field` the focus and types into it, replacing the text of a box.
    static void typeInto(QWidget *field, const QString &text);
    // The text of a PDF as poppler's pdftotext reads it, pages ending in a form feed.
    static QString pdfText(const QString &file);
    // Triggers the command `text` of a menu button (an Export button).
    static void runMenu(const QToolButton *button, const QString &text);
    // The next file dialog returns `name` under filter pair `filter`.
    void choose(const QString &name, int filter = 1);

    QTemporaryDir dir;
    FakePrompts prompts;
    std::vector<std::unique_ptr<MainWindow>> windows;
    MainWindow *w = nullptr;
};
