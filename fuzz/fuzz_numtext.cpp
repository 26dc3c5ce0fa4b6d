// Feeds arbitrary text to the number and date readers, read both as Latin-1
// and as UTF-8, and arbitrary doubles to the number writers. Besides not
// crashing or hanging, every number they accept must survive being written
// the way the program shows it and read back.
#include "loan/dates.h"
#include "loan/numtext.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

[[noreturn]] void fail(const char *what, double v)
{
    std::fprintf(stderr, "fuzz_numtext: %s (value %.17g)\n", what, v);
    std::abort();
}

void check(bool ok, const char *what, double v = 0)
{
    if (!ok)
        fail(what, v);
}

// Written with 15 significant digits, values from here up round past the
// largest double, so their text no longer reads back as a number.
constexpr double kRoundsPastMax = 1.797693134862315e308;

// A written number read back may be off by the rounding to `decimals` places
// plus the rounding to 15 significant digits.
bool near(double back, double v, int decimals)
{
    const double places = 0.5 * std::pow(10.0, -decimals);
    return std::fabs(back - v) <= places * (1 + 1e-9) + std::fabs(v) * 1e-14;
}

void checkValue(double v)
{
    if (!std::isfinite(v)) {
        check(NumText::amount(v).isEmpty(), "a value that is not finite was shown");
        check(NumText::fixed(v, 2).isEmpty(), "a value that is not finite was shown");
        check(NumText::plainDecimal(v).isEmpty(), "a value that is not finite was shown");
        return;
    }
    const QString amount = NumText::amount(v);
    const QString cents = NumText::fixed(v, 2);
    const QString plain = NumText::plainDecimal(v);
    check(!amount.isEmpty() && !cents.isEmpty() && !plain.isEmpty(), "a finite value shown empty", v);
    if (std::fabs(v) >= kRoundsPastMax)
        return;

    const auto amountBack = NumText::parse(amount);
    check(amountBack.has_value(), "an amount does not read back", v);
    check(near(*amountBack, v, 2), "an amount reads back more than a cent off", v);

    const auto centsBack = NumText::parse(cents);
    check(centsBack.has_value(), "fixed(v, 2) does not read back", v);
    check(near(*centsBack, v, 2), "fixed(v, 2) reads back more than a cent off", v);
    check(*centsBack == *amountBack, "the grouped and plain amounts differ", v);
    check(NumText::roundCents(v) == *centsBack, "roundCents differs from reading fixed(v, 2) back", v);
    check(NumText::leadingNumber(cents) == *centsBack, "leadingNumber disagrees with value", v);

    for (int decimals : {0, 5}) {
        const auto back = NumText::parse(NumText::fixed(v, decimals));
        check(back.has_value() && near(*back, v, decimals), "fixed(v, n) reads back off", v);
    }

    const auto plainBack = NumText::parse(plain);
    check(plainBack.has_value(), "plainDecimal does not read back", v);
    check(std::fabs(*plainBack - v) <= std::fabs(v) * 1e-14, "plainDecimal reads back off", v);
    check(!plain.contains(u',') && !(plain.contains(u'.') && plain.endsWith(u'0')),
          "plainDecimal is grouped or has trailing zeros", v);

    const auto whole = NumText::toInt16(v);
    if (whole) {
        check(std::fabs(*whole - v) <= 0.5, "toInt16 is more than a half off", v);
    } else {
        check(std::nearbyint(v) < -32768.0 || std::nearbyint(v) > 32767.0,
              "toInt16 refused a value in range", v);
    }
}

void checkText(const QString &text)
{
    const auto parsed = NumText::parse(text);
    check(NumText::isNumeric(text) == parsed.has_value(), "isNumeric disagrees with parse");
    const double value = NumText::value(text);
    check(value == parsed.value_or(0.0), "value disagrees with parse", value);
    if (parsed) {
        check(std::isfinite(*parsed), "a text read as a value that is not finite", *parsed);
        checkValue(*parsed);
        check(NumText::toInt16(text) == NumText::toInt16(*parsed), "toInt16 of text and value differ",
              *parsed);
    } else {
        check(!NumText::toInt16(text).has_value(), "toInt16 accepted a text that is not a number");
    }
    check(std::isfinite(NumText::leadingNumber(text)), "leadingNumber not finite");

    if (const auto date = Dates::parse(text)) {
        check(date->isValid(), "an invalid date accepted");
        const QString shown = Dates::format(*date);
        check(shown.size() == 8, "a date not shown as mm/dd/yy");
        // A year inside the two-digit window comes back from its own text.
        if (Dates::expandYear(date->year() % 100) == date->year())
            check(Dates::parse(shown) == date, "a shown date reads back different");
        check(Dates::isDate(text), "isDate disagrees with parse");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Fixed "today", so the two-digit year window does not move during a run.
    Dates::setToday(QDate(2026, 3, 15));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *chars = reinterpret_cast<const char *>(data);
    checkText(QString::fromLatin1(chars, qsizetype(size)));
    checkText(QString::fromUtf8(chars, qsizetype(size)));
    if (size >= sizeof(double)) {
        double v;
        std::memcpy(&v, data, sizeof v);
        checkValue(v);
    }
    return 0;
}
