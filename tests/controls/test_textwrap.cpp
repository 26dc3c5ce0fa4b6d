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
    visible.remove(u'\r');
    visible.remove(u'\n');
    return 10.0 * visible.size();
}

QString wrapFive(const QString &msg) // a box of five characters
{
    return WrapStr2Pic(msg, fixedWidth, 50);
}

struct WrapCase {
    const char *name;
    QString msg;
    QString wrapped;
};

class FixedWidthWrap : public ::testing::TestWithParam<WrapCase> {};
} // namespace

TEST_P(FixedWidthWrap, GivesExpectedLines)
{
    EXPECT_EQ(wrapFive(GetParam().msg), GetParam().wrapped);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixedWidthWrap,
    ::testing::Values(
        WrapCase{"EmptyTextIsOneLineBreak", "", "\r\n"},
        WrapCase{"ShortTextGetsClosingBreak", "abc", "abc\r\n"},
        WrapCase{"ExactFitStaysOnOneLine", "abcde", "abcde\r\n"},
        WrapCase{"ExplicitBreaksKept", "ab\r\ncd", "ab\r\ncd\r\n"},
        WrapCase{"TrailingBreakStillGetsClosingBreak", "abc\r\n", "abc\r\n\r\n"},
        WrapCase{"LoneLineFeedKept", "ab\ncd", "ab\ncd\r\n"},
        WrapCase{"BreaksAfterLastSpaceWhichStaysOnLine", "ab cdef", "ab \r\ncdef\r\n"},
        WrapCase{"SpaceThatOverflowsEndsTheLine", "hello world", "hello \r\nworld\r\n"},
        WrapCase{"RestOfWordStartsNextLine", "a bc defgh ij", "a bc \r\ndefgh \r\nij\r\n"},
        WrapCase{"LongWordSplitWithHyphens", "abcdefghijkl", "abcde-\r\nfghij-\r\nkl\r\n"},
        WrapCase{"LongWordAfterShortOne", "ab cdefghij", "ab \r\ncdefg-\r\nhij\r\n"},
        WrapCase{"LeadingSpaceOnlyIsSplitLikeAWord", "x\r\n abcdef", "x\r\n abcd-\r\nef\r\n"}),
    [](const ::testing::TestParamInfo<WrapCase> &info) { return std::string(info.param.name); });

TEST(NarrowBoxWrap, OneCharacterPerLineAndTheWrapEnds)
{
    EXPECT_EQ(WrapStr2Pic("abc", fixedWidth, 5), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(WrapStr2Pic("a bc", fixedWidth, 0), "a \r\nb\r\nc\r\n") << "spaces still end lines";
    EXPECT_EQ(WrapStr2Pic("ab\r\nc", fixedWidth, -15), "a\r\nb\r\nc\r\n")
        << "explicit breaks join the character before them";
    EXPECT_EQ(WrapStr2Pic("x\r\n ab", fixedWidth, 0), "x\r\n \r\na\r\nb\r\n");
}

TEST(RealFontWrap, LinesFitTheBoxAndKeepEveryCharacter)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    const QFontMetricsF metrics(font);
    const auto measure = [&metrics](const QString &line) {
        QString visible = line;
        visible.remove(u'\r');
        visible.remove(u'\n');
        return metrics.horizontalAdvance(visible);
    };
    const QString msg = "The quick brown fox jumps over the lazy dog while "
                        "Supercalifragilisticexpialidocious sits on the fence";
    const double limit = metrics.horizontalAdvance("The quick brown") + 1;

    const QString wrapped = WrapStr2Pic(msg, measure, limit);
    EXPECT_TRUE(wrapped.startsWith("The quick brown \r\nfox jumps over \r\n")) << wrapped.toStdString();
    ASSERT_TRUE(wrapped.endsWith("\r\n"));

    QStringList lines = wrapped.split("\r\n");
    lines.removeLast();
    ASSERT_GT(lines.size(), 4);
    bool hyphenated = false;
    for (const QString &line : lines) {
        QString body = line;
        if (body.endsWith('-')) {
            hyphenated = true;
            body.chop(1);
        }
        if (body.endsWith(' '))
            body.chop(1);
        EXPECT_LE(metrics.horizontalAdvance(body), limit) << line.toStdString();
    }
    EXPECT_TRUE(hyphenated) << "the long word is split";
    QString joined = wrapped;
    joined.replace("-\r\n", "").replace("\r\n", "");
    EXPECT_EQ(joined, msg);
}
