#pragma once
// A test that drives the real main window offscreen: settings kept in a
// temporary folder, today fixed at 12/06/2026, prompts answered by a script.
#include "app/mainwindow.h"
#include "fakeprompts.h"
#include "storage/loanfile.h"

#include <QTemporaryDir>
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
    static QByteArray readAll(const QString &file);
    // Opens a main window on `file`, active, after its start-up has run;
    // `problem` is a start-up problem found before the window was made.
    MainWindow *start(const QString &file, const QString &problem = QString());

    QTemporaryDir dir;
    FakePrompts prompts;
    std::vector<std::unique_ptr<MainWindow>> windows;
};
