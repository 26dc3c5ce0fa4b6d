// Inputs the number fuzzer found, kept so the faults stay mended.
#include "loan/numtext.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace NumText;

TEST(NumberFuzzFindings, LargeAmountsRoundToCentsLikeTheirText)
{
    // With eleven or twelve integer digits the text keeps only three or four
    // decimals, and its rounding to 15 digits carries these up to the next
    // cent; rounding to cents must follow the text, not the raw double.
    EXPECT_EQ(fixed(999999999999.99487, 2), "1000000000000.00");
    EXPECT_EQ(roundCents(999999999999.99487), 1000000000000.0);
    EXPECT_EQ(roundCents(-999999999999.99487), -1000000000000.0);
    EXPECT_EQ(roundCents(99999999999.99496), 100000000000.0);
    EXPECT_EQ(roundCents(12345678901.23496), 12345678901.24);
}

TEST(NumberFuzzFindings, CentRoundingAgreesWithTheTextAtEveryMagnitude)
{
    // Just below a half cent and just below the next cent, at each power of
    // ten up to 1e15, where the 15-digit text starts to drop the cents.
    for (double scale = 1; scale <= 1e15; scale *= 10) {
        for (double frac : {0.004949, 0.00495, 0.004996, 0.00499, 0.00999, 0.009996}) {
            for (double v : {scale + frac, scale * 9.87654321 + frac}) {
                ASSERT_EQ(roundCents(v), value(fixed(v, 2))) << fixed(v, 6).toStdString();
                ASSERT_EQ(roundCents(-v), value(fixed(-v, 2))) << fixed(-v, 6).toStdString();
            }
        }
    }
}
