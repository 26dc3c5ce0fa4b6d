#include "loan/amortization.h"
#include "loan/loanterms.h"

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
    for (const auto &a : calculate(t))
        if (a.field != TotalMonthlyPayment)
            EXPECT_EQ(a.text, "") << a.field;
}

TEST(LoanTermRules, DerivationsComeToRest)
{
    // Applying the rules to their own result changes nothing more, which is
    // what lets the window's nested change events stop.
    Texts t;
    t[Price] = "250,000.00";
    t[DownAmount] = "25000";
    t = applyRules(t, DownAmount);
    EXPECT_EQ(t[DownPercent], "10.00000");
    EXPECT_EQ(applyRules(t, DownAmount), t);
    t[DownPercent] = "12.5";
    t = applyRules(t, DownPercent);
    EXPECT_EQ(applyRules(t, DownPercent), t);
}

TEST(LoanTermRules, TaxInsuranceAndLoanAmountCopies)
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

TEST(LoanTermRules, ValidityNeedsThreePositiveNumbers)
{
    Texts t;
    t[LoanAmount] = "100,000.00";
    t[AnnualRate] = "6";
    t[NumberOfPayments] = "360";
    EXPECT_TRUE(valid(t));
    for (int field : {LoanAmount, AnnualRate, NumberOfPayments})
        for (const char *bad : {"", "0", "abc", "-1"}) {
            Texts u = t;
            u[field] = bad;
            EXPECT_FALSE(valid(u)) << field << " " << bad;
        }
    // At most 32767 and at least one whole payment, and a payment that can be computed.
    for (const auto &[field, text, ok] : {std::tuple{NumberOfPayments, "32767", true}, {NumberOfPayments, "32768", false},
                                          {NumberOfPayments, "1", true}, {NumberOfPayments, "0.99", false},
                                          {AnnualRate, "0.0000000000000001", false}}) {
        Texts u = t;
        u[field] = text;
        EXPECT_EQ(valid(u), ok) << field << " " << text;
    }
}
