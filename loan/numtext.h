#pragma once
// Text and number rules shared by every part of the program. Numbers are
// always written and read in the US form (comma grouping, dot decimal),
// whatever the system locale, because loan files and dates use that form.
#include <QString>
#include <cstdint>
#include <optional>

namespace NumText {

// "###,###,##0.00": grouped, two decimals, at least one integer digit.
// Empty for a value that is not finite.
QString amount(double v);
// Fixed decimals without grouping: "0.00" is fixed(v, 2), "0.00000" fixed(v, 5).
QString fixed(double v, int decimals);
// Rounds to cents the way the program always has: format "0.00", read back.
double roundCents(double v);

// value(text): blanks trimmed, optional "$", optional sign, digits with commas
// allowed in the integer part, optional decimal part. nullopt: not a number.
std::optional<double> parse(const QString &text);
bool isNumeric(const QString &text);
// An amount as people write it: parse(), with commas only as thousands
// separators ("1,000.50"; not "100,5" nor "1,,000").
std::optional<double> parseAmount(const QString &text);
// parse(), with 0 where the text is not a number.
double value(const QString &text);

// The number at the start of a text: blanks skipped, optional sign, digits,
// optional "." and digits; any other character ends it. "10,000" gives 10.
double leadingNumber(const QString &text);

// value(text) rounded half to even; nullopt when not a number or outside
// -32768..32767.
std::optional<int16_t> toInt16(const QString &text);
// A double rounded half to even into 16 bits, nullopt when out of range.
std::optional<int16_t> toInt16(double v);

// Shortest plain decimal text: at most 15 significant digits, no grouping,
// no trailing zeros (6.5, 360, 87.5). Empty for a value that is not finite.
QString plainDecimal(double v);
// A percentage as plain decimal text with " %" after it ("6.5 %"). Empty for
// a value that is not finite.
QString percentText(double percent);

} // namespace NumText
