// A loan file's numbers as typed terms, and back.
#include "storage/loanfileterms.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace LoanTerms;

TEST(LoanFileTerms, DerivedAndComputedAsAfterALoadAndStoredBack)
{
    LoanFileData d;
    d.terms[Price] = 125000;
    d.terms[DownAmount] = 25000;
    d.terms[LoanAmount] = 1; // stale: the price less the down amount wins
    d.terms[AnnualRate] = 6;
    d.terms[NumberOfPayments] = 360;
    d.terms[DownPercent] = -3; // none
    d.firstPaymentDate = 11508;
    const Terms t = LoanFile::terms(d);
    EXPECT_EQ(t.loanAmount(), 100000.0);
    EXPECT_EQ(t.texts()[MonthlyPayment], "599.55");
    EXPECT_EQ(t.firstPaymentText(), "01/15/08");

    LoanFileData back;
    LoanFile::store(t, back);
    EXPECT_EQ(back.terms[LoanAmount], 100000.0);
    EXPECT_EQ(back.terms[DownPercent], 0.0);
    EXPECT_EQ(back.terms[MonthlyPayment], 599.55);
    EXPECT_EQ(back.terms[TotalInterest], 115838.45); // to the cent, as it is shown
    EXPECT_EQ(back.firstPaymentDate, 11508.0);

    d.firstPaymentDate = 1011508; // too many digits: the date the loan had before stays
    EXPECT_EQ(LoanFile::terms(d, "020108").firstPaymentText(), "02/01/08");
    EXPECT_EQ(LoanFile::terms(d).firstPaymentText(), "__/__/__");
}
