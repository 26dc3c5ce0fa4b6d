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

// The one reader of a term's text, used wherever a term is read: blanks
// trimmed, an optional "$", an optional sign, digits with commas allowed in the
// whole part (the US rule: "6,5" is 65), an optional decimal part. In the rate
// and the down percentage a trailing "%" may follow; it always means percent,
// so "0.5%" is the rate 0.005 (half a percent) and "6.5%" the rate 6.5.
// nullopt for an empty text or one that does not read wholly as a number.
std::optional<double> read(int field, const QString &text);
// read(), with 0 where the text gives no number.
double valueOf(const Texts &texts, int field);
// The name of a term in what the user is told ("Price", "Annual rate").
QString fieldName(int field);

// The first rule of valid terms (Terms::whyInvalid) the texts break, in
// words for the user; empty when the terms are valid. A text that is not a
// number is named with its field: Price: "350k" is not a number.
QString whyInvalid(const Texts &texts);
// What the user should know of valid terms that may not mean what was typed:
// a comma in the rate, which the US rule reads as a thousands separator.
QString caution(const Texts &texts);
// What the user is told of a first payment date ("mm/dd/yy") that is not a
// date: the schedule and the ledger then start from today. Empty for a date.
QString whyDateInvalid(const QString &firstPaymentDate);

// The assignments a change makes, in order: the derivation chosen by the field
// that has the focus (-1: none), then the loan amount. Empty when the price is
// not a number. Each assignment may be applied as it comes: applying the rules
// again to the result gives the same texts.
std::vector<Assignment> derive(const Texts &texts, int currentField);

// The text a field takes when it loses the focus, nullopt to leave it: the
// amounts in the amount format, a percentage typed with "%" as the plain
// number it is stored as ("6.5%" gives 6.5, "0.5%" gives 0.005). Text that is
// not a number is left as it is.
std::optional<QString> textOnLeave(int field, const QString &text);

} // namespace LoanTerms
