// A loan file's terms as a window started on it uses them on its tabs.
#include "loan/dates.h"
#include "storage/loanfileterms.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace LoanTerms;

TEST(LoanFileTerms, DerivedAndCalculatedAsAfterALoad)
{
    Dates::setToday(QDate(2026, 12, 6));
    LoanFileData d;
    d.terms[Price] = 125000;
    d.terms[DownAmount] = 25000;
    d.terms[LoanAmount] = 1; // stale: the price less the down amount wins
    d.terms[AnnualRate] = 6;
    d.terms[NumberOfPayments] = 360;
    d.terms[MonthlyTaxInsurance] = 250;
    d.firstPaymentDate = 11508;
    auto shown = LoanFile::shownTerms(d);
    EXPECT_EQ(shown.texts[LoanAmount], "100,000.00");
    EXPECT_EQ(shown.texts[AnnualRate], "6");
    EXPECT_EQ(shown.texts[MonthlyPayment], "599.55");
    EXPECT_EQ(shown.texts[TotalMonthlyPayment], "849.55");
    EXPECT_EQ(shown.texts[TotalInterest], "115,838.45");
    EXPECT_EQ(shown.firstPaymentDate, "01/15/08");

    const struct { double stored; const char *shown; } dates[] = {
        {123108, "12/31/08"}, {0, "12/06/26"}, {11508.5, "12/06/26"}, {1011508, "__/__/__"}};
    for (const auto &c : dates) {
        d.firstPaymentDate = c.stored;
        EXPECT_EQ(LoanFile::shownTerms(d).firstPaymentDate, c.shown) << c.stored;
    }
    Dates::setToday(QDate());
}
