#pragma once
// The loan terms are the texts of thirteen fields; these rules derive the
// dependent terms from them while the user types. The window only applies them.
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace LoanTerms {

// Field indices; the order is that of the loan file.
enum Field : int {
    LoanAmount = 0,
    AnnualRate = 1,
    NumberOfPayments = 2,
    MonthlyPayment = 3,
    TotalInterest = 4,
    DownAmount = 5,
    DownPercent = 6,
    Price = 7,
    AnnualTax = 8,
    MonthlyTaxInsurance = 9,
    TotalMonthlyPayment = 10,
    LastPayment = 11,
    AnnualInsurance = 12,
};
constexpr int kFieldCount = 13;

using Texts = std::array<QString, kFieldCount>;

struct Assignment {
    int field;
    QString text;
};

// Loan amount, rate and number of payments each numeric with a leading number
// above 0, 1 to 32,767 payments, and a regular payment that is finite.
bool valid(const Texts &texts);
// The first of those rules the texts break, in words for the user; empty
// when the terms are valid. valid() is this being empty.
QString whyInvalid(const Texts &texts);
// What the user is told of a first payment date ("mm/dd/yy") that is not a
// date: the schedule and the ledger then start from today. Empty for a date.
QString whyDateInvalid(const QString &firstPaymentDate);

// The assignments a change makes, in order: the derivation chosen by the field
// that has the focus (-1: none), then the loan amount. Empty when the price is
// not a number. Each assignment may be applied as it comes: applying the rules
// again to the result gives the same texts.
std::vector<Assignment> derive(const Texts &texts, int currentField);

// Fields rewritten in the amount format when they lose the focus.
bool reformatsOnLeave(int field);

// The loan calculation over the texts: writes, in order, TotalInterest,
// MonthlyPayment, TotalMonthlyPayment and LastPayment (empty where the result
// is not finite).
std::vector<Assignment> calculate(const Texts &texts);

} // namespace LoanTerms
