#include "loan/amortization.h"
#include "loan/loanterms.h"
#include "loan/terms.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {
Texts applyRules(Texts t, int focus)
{
    for (const auto &a : derive(t, focus))
        t[a.field] = a.text;
    return t;
}
} // namespace

TEST(PaymentCalculation, UndefinedResultsLeaveTheBoxesEmpty)
{
    Texts t;
    t[LoanAmount] = "100,000.00";
    t[AnnualRate] = "0";
    t[NumberOfPayments] = "360";
    t[MonthlyTaxInsurance] = "300.00";
    const Texts computed = Terms::read(t, QString()).texts();
    for (int f : {TotalInterest, MonthlyPayment, TotalMonthlyPayment, LastPayment})
        EXPECT_EQ(computed[size_t(f)], "") << f; // no total of escrow and a payment that is none
}

// "$" and "%" as people type them; a "%" always means percent, and leaving
// the field writes the number the file stores. (The window's walk through the
// first tab shows the same texts with the line each gives.)
TEST(LoanTermReader, MoneyAndPercentagesReadAsTyped)
{
    EXPECT_EQ(read(AnnualRate, "0.5%"), 0.005); // half a percent, not half the loan
    EXPECT_EQ(read(AnnualRate, "0.5"), 0.5);    // without the sign, a fraction
    EXPECT_EQ(read(DownPercent, "20%"), 20.0);
    for (const auto &[field, text] : {std::pair{int(Price), "20%"}, {int(AnnualRate), "%"}})
        EXPECT_EQ(read(field, text), std::nullopt) << text;
    EXPECT_EQ(textOnLeave(AnnualRate, "0.5%"), "0.005");
    EXPECT_EQ(textOnLeave(AnnualRate, "6.5"), std::nullopt); // the rate is never reformatted
    EXPECT_EQ(textOnLeave(Price, "$350000"), "350,000.00");
}

TEST(LoanTermRules, TaxInsuranceDownAndLoanAmountCopiesComeToRest)
{
    Texts t;
    t[Price] = "150,000.00";
    t[AnnualTax] = "2,400.00";
    t[AnnualInsurance] = "1,200.00";
    t = applyRules(t, AnnualTax);
    EXPECT_EQ(t[MonthlyTaxInsurance], "300.00");
    EXPECT_EQ(t[LoanAmount], "150,000.00"); // down amount empty: price copied as typed
    t[AnnualInsurance] = "abc";
    EXPECT_EQ(applyRules(t, AnnualInsurance)[MonthlyTaxInsurance], "200.00");

    // Applying the rules to their own result changes nothing more, which is
    // what lets the window's nested change events stop.
    t[DownAmount] = "15000";
    t = applyRules(t, DownAmount);
    EXPECT_EQ(t[DownPercent], "10.00000");
    EXPECT_EQ(t[LoanAmount], "135,000.00");
    EXPECT_EQ(applyRules(t, DownAmount), t);

    Texts typed;
    typed[LoanAmount] = "90000";
    EXPECT_TRUE(derive(typed, LoanAmount).empty()); // no price: nothing derived
    typed[Price] = "0";
    typed[DownAmount] = "5,000.00";
    typed[DownPercent] = "7";
    auto t2 = applyRules(typed, DownAmount);
    EXPECT_EQ(t2[DownPercent], "7"); // no price to take a percentage of
    EXPECT_EQ(t2[LoanAmount], "-5,000.00");
}

// Valid terms are three positive numbers, at most 32767 whole payments and a
// payment that can be worked out; otherwise the first rule broken is told.
// Money and percentages read as people type them; text that is not wholly a
// number is named, never cut to its leading number.
TEST(LoanTermRules, ValidityAndWhyInvalidNameTheFirstRuleBroken)
{
    const QString amount = "Enter a loan amount above 0";
    const QString rate = "Enter an annual rate above 0";
    const QString count = "Number of payments: from 1 to 32,767";
    const QString huge = "1" + QString(300, '0');
    const struct { QString loan, rate, n, why; } cases[] = {
        {"0", "", "", amount}, // the first rule broken is the one told
        {"$100,000", "6.5%", "360", ""},
        {"350k", "6", "360", "Loan amount: \"350k\" is not a number."},
        {"100000", "6.5.1", "360", "Annual rate: \"6.5.1\" is not a number."},
        {"100000", "6", "abc", "Number of payments: \"abc\" is not a number."},
        {"100000", "0", "360", rate},
        {"100000", "0%", "360", rate},
        {"100000", "6", "0.99", count},
        {"100000", "6", "32768", count},
        {"100000", "6", "32767", ""},
        {"100000", "6", "1", ""},
        {"100000", "0.0000000000000001", "360",
         "The annual rate is too small to work out a payment"},
        {huge, huge, "360", "The loan amount and rate are too large to work out a payment"},
        {huge, "6", "360", ""},
    };
    for (const auto &c : cases) {
        Texts t;
        t[LoanAmount] = c.loan;
        t[AnnualRate] = c.rate;
        t[NumberOfPayments] = c.n;
        SCOPED_TRACE(c.loan.left(12).toStdString() + " " + c.rate.left(12).toStdString() + " "
                     + c.n.toStdString());
        EXPECT_EQ(whyInvalid(t), c.why);
        EXPECT_EQ(Terms::read(t, QString()).valid(), c.why.isEmpty());
    }
}

TEST(LoanTermRules, AFirstPaymentDateThatIsNoDateIsTold)
{
    const QString told = "The first payment date is not a valid date: today is used";
    EXPECT_EQ(whyDateInvalid("02/29/08"), "");
    for (const char *bad : {"02/30/08", "01/1_/08"})
        EXPECT_EQ(whyDateInvalid(bad), told) << bad;
}
