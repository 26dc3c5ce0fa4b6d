// A loan file's terms as a window started on it uses them on its tabs.
#include "storage/loanfileterms.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace LoanTerms;

TEST(LoanFileTerms, DerivedAndCalculatedAsAfterALoad)
{
    LoanFileData d;
    d.terms[Price] = 125000;
    d.terms[DownAmount] = 25000;
    d.terms[LoanAmount] = 1; // stale: the price less the down amount wins
    d.terms[AnnualRate] = 6;
    d.terms[NumberOfPayments] = 360;
    d.firstPaymentDate = 11508;
    auto shown = LoanFile::shownTerms(d);
    EXPECT_EQ(shown.texts[LoanAmount], "100,000.00");
    EXPECT_EQ(shown.texts[MonthlyPayment], "599.55");
    EXPECT_EQ(shown.firstPaymentDate, "01/15/08");

    d.firstPaymentDate = 1011508; // too many digits: the date box stays empty
    EXPECT_EQ(LoanFile::shownTerms(d).firstPaymentDate, "__/__/__");
}
