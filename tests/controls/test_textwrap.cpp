#include "controls/textwrap.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
// Every visible character is 10 units wide; line breaks take no width.
double fixedWidth(const QString &line)
{
    QString visible = line;
    visible.remove(u'\r').remove(u'\n');
    return 10.0 * visible.size();
}

struct WrapCase {
    const char *name;
    QString msg;
    double width; // 50: a box of five characters
    QString wrapped;
};

class FixedWidthWrap : public ::testing::TestWithParam<WrapCase> {};
} // namespace

TEST_P(FixedWidthWrap, GivesExpectedLines)
{
    EXPECT_EQ(wrapToWidth(GetParam().msg, fixedWidth, GetParam().width), GetParam().wrapped);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixedWidthWrap,
    ::testing::Values(
        WrapCase{"EmptyTextIsOneLineBreak", "", 50, "\r\n"},
        WrapCase{"ExactFitStaysOnOneLine", "abcde", 50, "abcde\r\n"},
        WrapCase{"ExplicitBreaksKept", "ab\r\ncd", 50, "ab\r\ncd\r\n"},
        WrapCase{"TrailingBreakStillGetsClosingBreak", "abc\r\n", 50, "abc\r\n\r\n"},
        WrapCase{"LoneLineFeedKept", "ab\ncd", 50, "ab\ncd\r\n"},
        WrapCase{"BreaksAfterLastSpaceWhichStaysOnLine", "ab cdef", 50, "ab \r\ncdef\r\n"},
        WrapCase{"SpaceThatOverflowsEndsTheLine", "hello world", 50, "hello \r\nworld\r\n"},
        WrapCase{"RestOfWordStartsNextLine", "a bc defgh ij", 50, "a bc \r\ndefgh \r\nij\r\n"},
        WrapCase{"LongWordSplitWithHyphens", "abcdefghijkl", 50, "abcde-\r\nfghij-\r\nkl\r\n"},
        WrapCase{"LongWordAfterShortOne", "ab cdefghij", 50, "ab \r\ncdefg-\r\nhij\r\n"},
        WrapCase{"LeadingSpaceOnlyIsSplitLikeAWord", "x\r\n abcdef", 50, "x\r\n abcd-\r\nef\r\n"},
        WrapCase{"NarrowBoxOneCharPerLine", "abc", 5, "a\r\nb\r\nc\r\n"},
        WrapCase{"NarrowBoxSpacesStillEndLines", "a bc", 0, "a \r\nb\r\nc\r\n"},
        WrapCase{"NarrowBoxBreakJoinsCharBefore", "ab\r\nc", -15, "a\r\nb\r\nc\r\n"},
        WrapCase{"NarrowBoxLeadingSpace", "x\r\n ab", 0, "x\r\n \r\na\r\nb\r\n"}),
    [](const ::testing::TestParamInfo<WrapCase> &info) { return std::string(info.param.name); });

TEST(RealFontWrap, LinesFitTheBoxAndKeepEveryCharacter)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    const QFontMetricsF metrics(font);
    const auto measure = [&metrics](const QString &line) {
        return metrics.horizontalAdvance(QString(line).remove(u'\r').remove(u'\n'));
    };
    const QString msg = "The quick brown fox jumps over the lazy dog while "
                        "Supercalifragilisticexpialidocious sits on the fence";
    const double limit = metrics.horizontalAdvance("The quick brown") + 1;

    const QString wrapped = wrapToWidth(msg, measure, limit);
    EXPECT_TRUE(wrapped.startsWith("The quick brown \r\nfox jumps over \r\n")) << wrapped.toStdString();
    ASSERT_TRUE(wrapped.endsWith("\r\n"));
    EXPECT_TRUE(wrapped.contains("-\r\n")) << "the long word is split";
    QStringList lines = wrapped.split("\r\n");
    lines.removeLast();
    for (const QString &line : lines) {
        QString body = line;
        if (body.endsWith('-') || body.endsWith(' '))
            body.chop(1);
        EXPECT_LE(metrics.horizontalAdvance(body), limit) << line.toStdString();
    }
    EXPECT_EQ(QString(wrapped).replace("-\r\n", "").replace("\r\n", ""), msg);
}
