#include "controls/textwrap.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
// Every visible character is 10 units wide; line breaks take no width.
double fixedWidth(const QString &line)
{
    return 10.0 * QString(line).remove(u'\r').remove(u'\n').size();
}
} // namespace

TEST(FixedWidthWrap, GivesExpectedLines)
{
    // A width of 50 is a box of five characters.
    const struct { const char *name, *msg; double width; const char *wrapped; } cases[] = {
        {"EmptyTextIsOneLineBreak", "", 50, "\r\n"},
        {"ExactFitStaysOnOneLine", "abcde", 50, "abcde\r\n"},
        {"SpaceThatOverflowsEndsTheLine", "hello world", 50, "hello \r\nworld\r\n"},
        {"LongWordSplitWithHyphens", "abcdefghijkl", 50, "abcde-\r\nfghij-\r\nkl\r\n"},
        {"NarrowBoxSpacesStillEndLines", "a bc", 0, "a \r\nb\r\nc\r\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(wrapToWidth(c.msg, fixedWidth, c.width), c.wrapped) << c.name;
}

TEST(RealFontWrap, BreaksAfterWholeWordsAndKeepsEveryCharacter)
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
    EXPECT_EQ(QString(wrapped).replace("-\r\n", "").replace("\r\n", ""), msg);
}
