#pragma once
// The loan's terms as values: what the schedule, the quote, the chart, the
// ledger and the loan file read. They are read once from the texts a person
// typed, by the one reader of LoanTerms::read, and formatted once back. The
// monthly payment, the total interest and the last payment are never kept:
// they are computed from the terms.
#include <QDate>
#include <QString>
#include <array>
#include <optional>

#include "amortization.h"
#include "loanterms.h"

// One term: a number, nothing at all, or text that reads as no number (kept,
// so that what was not read can be named).
struct Term {
    std::optional<double> number;
    QString unread;

    // The number; 0 when there is none, as every reader of a term counts it.
    double value() const { return number.value_or(0.0); }
    bool operator==(const Term &) const = default;
};

struct Terms {
    // The terms a person gives, and the monthly tax and insurance derived from
    // two of them (kept, as the loan file keeps it), by LoanTerms::Field. The
    // computed fields (payment, total interest, total monthly payment, last
    // payment) hold nothing here.
    std::array<Term, LoanTerms::kFieldCount> term{};
    // The first payment date as six digits "mmddyy", as typed: it may be no
    // date, and blanks stand for what was not typed.
    QString firstPaymentDigits;
    // The rate as typed when it holds a comma, which the US rule reads as a
    // thousands separator ("6,5" is 65): the user is told so.
    QString rateWithComma;

    const Term &operator[](int field) const { return term[size_t(field)]; }
    Term &operator[](int field) { return term[size_t(field)]; }
    double value(int field) const { return term[size_t(field)].value(); }

    double loanAmount() const { return value(LoanTerms::LoanAmount); }
    double annualRate() const { return value(LoanTerms::AnnualRate); }
    double payments() const { return value(LoanTerms::NumberOfPayments); }
    double monthlyTaxInsurance() const { return value(LoanTerms::MonthlyTaxInsurance); }
    // Invalid when the digits are no date: the schedule then starts today.
    QDate firstPaymentDate() const;
    // "mm/dd/yy", or what stands in the date box ("__/__/__" when empty).
    QString firstPaymentText() const;

    // Every input term either empty or a number; loan amount, rate and number
    // of payments above 0, 1 to 32,767 payments, and a regular payment that is
    // finite. whyInvalid() names the first rule broken, empty when valid.
    bool valid() const { return whyInvalid().isEmpty(); }
    QString whyInvalid() const;
    // A comma in the rate, which the US rule reads as a thousands separator.
    QString caution() const;

    // The monthly payment, total interest and last payment; nullopt while the
    // terms cannot be computed.
    std::optional<Amortization::Payment> payment() const;

    // The one reader: the fields' texts and the date box's text ("mm/dd/yy").
    static Terms read(const LoanTerms::Texts &texts, const QString &firstPaymentDate);
    // Formatted back: the rate, the number of payments and the down percentage
    // as plain decimals, every other term in the amount format, a term of 0 or
    // less as an empty field; the computed fields from payment().
    LoanTerms::Texts texts() const;

    bool operator==(const Terms &) const = default;
};
