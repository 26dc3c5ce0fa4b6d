#include "loan/dates.h"
#include "loan/numtext.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace NumText;

TEST(NumberFormat, RoundsHalvesAwayFromZeroAfterFifteenDigits)
{
    EXPECT_EQ(fixed(2.675, 2), "2.68");
    EXPECT_EQ(fixed(1.005, 2), "1.01");
    EXPECT_EQ(fixed(-1.005, 2), "-1.01");
    EXPECT_EQ(fixed(0.125, 2), "0.13");
    EXPECT_EQ(fixed(0.0049, 2), "0.00");
    EXPECT_EQ(fixed(-0.001, 2), "0.00");
    EXPECT_EQ(fixed(9.995, 2), "10.00");
    EXPECT_EQ(fixed(10, 5), "10.00000");
    EXPECT_EQ(fixed(20.0 / 3, 5), "6.66667");
    EXPECT_DOUBLE_EQ(roundCents(2.675), 2.68);
    EXPECT_DOUBLE_EQ(roundCents(1.005), 1.01);
    EXPECT_DOUBLE_EQ(roundCents(-1.005), -1.01);
}

TEST(NumberFormat, FastCentRoundingAgreesWithTheText)
{
    // Every value on a fine grid, including the half cents, rounds the same
    // way through the fast path as through the formatted text.
    for (int i = 0; i < 200000; ++i) {
        double v = i * 0.0005 + (i % 7) * 1e-9;
        ASSERT_EQ(roundCents(v), value(fixed(v, 2))) << v;
        ASSERT_EQ(roundCents(-v), value(fixed(-v, 2))) << -v;
        ASSERT_EQ(amount(v).remove(u','), fixed(v, 2)) << v;
        ASSERT_EQ(amount(-v * 997).remove(u','), fixed(-v * 997, 2)) << v;
    }
    // Half cents, tiny and huge values, negatives, every grouping width.
    for (double v : {0.0, -0.0, 0.004, 0.005, -0.005, 2.675, 999.995, 99999.995, 1234567.895,
                     123456789.125, 999999999.99, 1e9, 1e15, -1234.5, 0.285, 4.445}) {
        EXPECT_EQ(roundCents(v), value(fixed(v, 2))) << v;
        EXPECT_EQ(amount(v).remove(u','), fixed(v, 2)) << v;
    }
}

TEST(NumberFormat, AmountsAreGroupedAndNonFiniteIsEmpty)
{
    EXPECT_EQ(amount(0), "0.00");
    EXPECT_EQ(amount(999.999), "1,000.00");
    EXPECT_EQ(amount(1234567.891), "1,234,567.89");
    EXPECT_EQ(amount(-250000), "-250,000.00");
    EXPECT_EQ(amount(0.5), "0.50");
    EXPECT_EQ(amount(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(amount(std::nan("")), "");
}

TEST(NumberParse, ValuesOfTexts)
{
    EXPECT_EQ(parse("1,200.00"), 1200.0);
    EXPECT_EQ(parse("$150,000.00"), 150000.0);
    EXPECT_EQ(parse("  -12.5 "), -12.5);
    EXPECT_EQ(parse("-$5"), -5.0);
    EXPECT_EQ(parse(".5"), 0.5);
    EXPECT_EQ(parse("6.5"), 6.5);
    EXPECT_FALSE(parse("abc"));
    EXPECT_FALSE(parse(""));
    EXPECT_FALSE(parse("   "));
    EXPECT_FALSE(parse("1.2.3"));
    EXPECT_FALSE(parse(",100"));
    EXPECT_FALSE(parse("12abc"));
    EXPECT_FALSE(parse("1e5"));
    EXPECT_FALSE(parse("."));
    EXPECT_EQ(value("abc"), 0.0);
    EXPECT_EQ(value(""), 0.0);
}

TEST(NumberParse, LeadingNumbers)
{
    EXPECT_EQ(leadingNumber("10,000"), 10.0);
    EXPECT_EQ(leadingNumber("  100.00"), 100.0);
    EXPECT_EQ(leadingNumber("-3.5x"), -3.5);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("$5"), 0.0);
    EXPECT_EQ(leadingNumber("12."), 12.0);
}

TEST(NumberParse, SixteenBitWholeNumbers)
{
    EXPECT_EQ(toInt16("360"), int16_t(360));
    EXPECT_EQ(toInt16("2.5"), int16_t(2));
    EXPECT_EQ(toInt16("3.5"), int16_t(4));
    EXPECT_EQ(toInt16("32,767"), int16_t(32767));
    EXPECT_EQ(toInt16("-32768"), int16_t(-32768));
    EXPECT_FALSE(toInt16("32768"));
    EXPECT_FALSE(toInt16("-32769"));
    EXPECT_FALSE(toInt16("12a"));
    EXPECT_FALSE(toInt16(""));
}

TEST(NumberFormat, PlainDecimalText)
{
    EXPECT_EQ(plainDecimal(6.5), "6.5");
    EXPECT_EQ(plainDecimal(360), "360");
    EXPECT_EQ(plainDecimal(87.5), "87.5");
    EXPECT_EQ(plainDecimal(0.065), "0.065");
    EXPECT_EQ(plainDecimal(0.1 + 0.2), "0.3");
    EXPECT_EQ(plainDecimal(123107), "123107");
    EXPECT_EQ(plainDecimal(1e20), "100000000000000000000");
    EXPECT_EQ(plainDecimal(-2.25), "-2.25");
    EXPECT_EQ(plainDecimal(0), "0");
}

TEST(DateRules, ValidityWindowAndMonthArithmetic)
{
    Dates::setToday(QDate(2026, 12, 6));
    EXPECT_EQ(Dates::parse("12/31/07"), QDate(2007, 12, 31));
    EXPECT_EQ(Dates::parse("01/05/08"), QDate(2008, 1, 5));
    EXPECT_EQ(Dates::parse("1/5/1999"), QDate(1999, 1, 5));
    EXPECT_EQ(Dates::parse("06/01/75"), QDate(2075, 6, 1));
    EXPECT_EQ(Dates::parse("06/01/76"), QDate(1976, 6, 1));
    EXPECT_FALSE(Dates::parse("02/30/08"));
    EXPECT_FALSE(Dates::parse("13/01/08"));
    EXPECT_FALSE(Dates::parse("__/__/__"));
    EXPECT_FALSE(Dates::parse(""));
    EXPECT_TRUE(Dates::isDate("02/29/08"));
    EXPECT_FALSE(Dates::isDate("02/29/07"));
    EXPECT_EQ(Dates::format(Dates::addMonths(QDate(2008, 1, 31), 1)), "02/29/08");
    EXPECT_EQ(Dates::format(Dates::addMonths(QDate(2007, 10, 31), 1)), "11/30/07");
    EXPECT_EQ(Dates::format(Dates::addMonths(QDate(2008, 1, 31), 4)), "05/31/08");
    EXPECT_EQ(Dates::today(), QDate(2026, 12, 6));
    Dates::setToday(QDate());
    EXPECT_EQ(Dates::today(), QDate::currentDate());
}
