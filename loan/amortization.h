#pragma once
// The payment arithmetic shared by the loan calculation, the schedule and the
// extra principal quote: one loop, three users.
#include <algorithm>
#include <cmath>
#include <optional>
#include <type_traits>
#include <vector>

#include "numtext.h"

namespace Amortization {

// Longest loan the program computes (the counters are 16-bit).
constexpr int kMaxPayments = 32767;

// An annual rate above 1 is a percentage, 1 or less a fraction; monthly = annual / 12.
double monthlyRate(double annualRate);
// The annual rate in percent by the same rule: 6.5 and 0.065 are both 6.5.
double annualPercent(double annualRate);
// The annual rate as it is shown wherever it is not being typed: "6.5 %" for
// 6.5 and for 0.065. Empty when it is not finite.
QString rateText(double annualRate);
// L × r / (1 − 1 / (1 + r)^n), rounded to cents. Not finite when undefined (r = 0).
double regularPayment(double loanAmount, double monthlyRate, double payments);

// What the loop does at one row besides paying it: from this row on, a new
// monthly rate with the payment worked out again on the balance before it;
// after this row, a recast of the payment on the balance it leaves.
struct RowChange {
    std::optional<double> monthlyRate;
    bool recast = false;
};
// Index = row; rows past its end change nothing.
using RowChanges = std::vector<RowChange>;

// A × r / (1 − 1 / (1 + r)^k): the payment that pays `balance` off over k
// more rows at the monthly rate r, rounded to cents.
inline double paymentOver(double balance, double r, double k)
{
    return NumText::roundCents(balance * (r / (1 - 1 / std::pow(1 + r, k))));
}

struct Row {
    int number = 0;
    double payment = 0;        // the regular payment in force for this row
    double principal = 0;      // payment less interest, plus the extra; on the
                               // pay-off row the principal still owed
    double interest = 0;       // rounded to cents
    double balance = 0;        // after the payment; exactly 0 on the pay-off row
    double interestToDate = 0;
};

struct Result {
    int rows = 0;              // rows computed (the pay-off row or n)
    double totalInterest = 0;
    double rawBalance = 0;     // balance after the last row before any pay-off
                               // adjustment: ≤ 0 when paid off, > 0 for a remainder
    bool paidOff = false;
};

// extra(i), or extra(row) for a caller that needs the row's payment and
// interest to say its extra principal.
template <class ExtraFn>
double extraOf(ExtraFn &extra, const Row &row)
{
    if constexpr (std::is_invocable_v<ExtraFn &, const Row &>)
        return extra(row);
    else
        return extra(row.number);
}

// Runs rows 1, 2, … while row ≤ n (at most kMaxPayments). extra(i) is the
// extra principal of row i; visit(const Row &) sees every row. `changes`
// (none when empty) changes the rate or recasts the payment at given rows,
// on the balance of this run: a view with extra principal re-amortizes on
// its own balance, as a lender does.
template <class ExtraFn, class VisitFn>
Result run(double loanAmount, double monthlyRate, double payment, double payments,
           ExtraFn &&extra, VisitFn &&visit, const RowChanges &changes = {})
{
    Result res;
    double cumulative = 0;
    double interestToDate = 0;
    double balance = loanAmount;
    const double last = std::min(payments, double(kMaxPayments));
    for (int i = 1; i <= last; ++i) {
        const RowChange *change = size_t(i) < changes.size() ? &changes[size_t(i)] : nullptr;
        if (change && change->monthlyRate) {
            monthlyRate = *change->monthlyRate;
            payment = paymentOver(loanAmount - cumulative, monthlyRate, payments - i + 1);
        }
        Row row;
        row.number = i;
        row.payment = payment;
        row.interest = NumText::roundCents(monthlyRate * (loanAmount - cumulative));
        double p = payment - row.interest + extraOf(extra, row);
        cumulative += p;
        interestToDate += row.interest;
        balance = loanAmount - cumulative;
        row.interestToDate = interestToDate;
        res.rows = i;
        res.totalInterest = interestToDate;
        res.rawBalance = balance;
        if (balance <= 0) {
            row.principal = p + balance;
            row.balance = 0;
            res.paidOff = true;
            visit(row);
            break;
        }
        row.principal = p;
        row.balance = balance;
        visit(row);
        if (change && change->recast)
            payment = paymentOver(balance, monthlyRate, payments - i);
    }
    if (res.rows == 0)
        res.rawBalance = loanAmount;
    return res;
}

// The loan calculation's outputs.
struct Payment {
    double monthlyPayment = 0;
    double totalInterest = 0;
    double lastPayment = 0;    // payment + the balance after the last month
};
Payment calculate(double loanAmount, double annualRate, double payments);

} // namespace Amortization
