#include "controls/propertybag.h"
#include "controls/typewritertext.h"
#include "testsupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// A control whose box is wide enough for every test line and three and a
// half lines high, so the scroll rule fires at a known line break.
struct Typist {
    TypewriterText fx;
    QStringList events; // "W<n>" for nextWordStart, "C" for nextCycle

    explicit Typist(int scrollSteps = 5, const QString &text = "one\r\ntwo\r\nthree\r\nfour")
    {
        QFont font("DejaVu Sans");
        font.setPixelSize(12);
        fx.initNew();
        fx.setTextFont(font);
        fx.resize(302, int(std::ceil(3.5 * fx.lineHeight())) + 2);
        fx.show(); // a hidden widget is resized only when shown
        fx.setScrollSteps(scrollSteps);
        fx.setText(text);
        QObject::connect(&fx, &TypewriterText::nextCycle, [this] { events << "C"; });
        QObject::connect(&fx, &TypewriterText::nextWordStart, [this](int &pos) { events << QString("W%1").arg(pos); });
    }
    ~Typist() { fx.setAnimate(false); }

    void ticks(int n) { while (n-- > 0) fx.typeNext(); }
    // Last row of the image holding any pixel other than the back colour; -1 when none.
    int lastInkRow(const QImage &img) const
    {
        for (int y = img.height() - 1; y >= 0; --y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) != fx.canvas()->backColor())
                    return y;
        return -1;
    }
};

} // namespace

TEST(TypewriterTextTyping, WordPositionCountsSpacesAndLineFeedsAndRestartsAfterCycle)
{
    Typist t(5, "ab c\nd"); // wrapped "ab c\nd\r\n"
    t.ticks(8); // a b ' ' c \n d \r, its line feed skipped, then the cycle's end
    EXPECT_EQ(t.events, QStringList({"W2", "W3", "C", "W1"}));
}

TEST(TypewriterTextTyping, EachScrollModeMakesRoomForTheNextLine)
{
    // A step of a whole line acts at the second line break, a fifth of a line
    // at the third: 0 clears the box, 1 jumps a line, 5 glides it in five
    // ticks, and typing goes on after.
    for (int steps : {0, 1, 5}) {
        Typist t(steps);
        t.fx.setAnimate(true);
        t.ticks(steps == 5 ? 14 : 8); // "one\r" "two\r" "three\r", line feeds skipped
        const int shownLast = t.lastInkRow(t.fx.frame());
        int glideTicks = 0;
        for (; t.fx.isScrolling() && glideTicks < 10; ++glideTicks)
            t.fx.scrollNext();
        EXPECT_EQ(glideTicks, steps == 5 ? 5 : 0) << steps;
        EXPECT_TRUE(t.fx.animate()) << steps << ": typing goes on";
        const int expected = steps == 0 ? -1 : int(std::lround(shownLast - t.fx.lineHeight()));
        EXPECT_NEAR(t.lastInkRow(t.fx.canvas()->image()), expected, 1) << steps;
    }
}

TEST(TypewriterTextTyping, NewTextOrSizeMidCycle)
{
    // New text goes on at the same position; past its end it starts over.
    Typist t(5, "abcdef");
    t.ticks(3);
    t.fx.setText("uvwxyz");
    t.ticks(1);
    EXPECT_EQ(t.fx.curChar(), "x");
    t.ticks(1); // at 5 of 8
    t.fx.setText("ab"); // "ab\r\n": position 5 is past its end
    t.ticks(1);
    EXPECT_EQ(t.events, QStringList({"C", "W1"}));

    // A box made narrower rewraps its text, down to one character a line.
    t.fx.resize(2, 40); // no room left inside the margin
    EXPECT_EQ(t.fx.wrappedText(), "a\r\nb\r\n");
}

TEST(TypewriterTextLoad, MissingFileIsCreatedEmptyAndBytesReadAsLatin1)
{
    QTemporaryDir dir;
    Typist t(5, "kept");
    const QString missing = qhtest::tempPath(dir, "new.txt"), cafe = qhtest::tempPath(dir, "cafe.txt");
    ASSERT_TRUE(t.fx.load(missing));
    EXPECT_TRUE(QFile::exists(missing));
    EXPECT_EQ(t.fx.wrappedText(), "\r\n");

    QFile f(cafe);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("caf\xe9 au lait\r\nen terrasse") == 25);
    f.close();
    ASSERT_TRUE(t.fx.load(cafe));
    const QString wrapped = QString::fromUtf8("café au lait\r\nen terrasse\r\n");
    EXPECT_EQ(t.fx.wrappedText(), wrapped);
    EXPECT_EQ(QFile(cafe).size(), 25) << "the file is not truncated";
    EXPECT_FALSE(t.fx.load(qhtest::tempPath(dir, "no/such/folder.txt")));
    EXPECT_EQ(t.fx.wrappedText(), wrapped);
}

TEST(TypewriterTextProperties, DelayZeroTypesNothing)
{
    // At 0 nothing is typed though Animate is on, while a typist at 1 ms types.
    Typist t(5, "abcdefgh"), clock(5, "abcdefgh");
    t.fx.setDelay(0);
    t.fx.setAnimate(true);
    clock.fx.setDelay(1);
    clock.fx.setAnimate(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.fx.charPos() >= 5; }, 5000));
    EXPECT_EQ(t.fx.charPos(), 0);
}

TEST(TypewriterTextEvents, OnlyTheMarginForwardsPointerEvents)
{
    Typist t;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.fx));
    QSignalSpy downs(&t.fx, &TypewriterText::mouseDown), ups(&t.fx, &TypewriterText::mouseUp),
        clicks(&t.fx, &TypewriterText::clicked);

    // Through the window, so each press reaches the widget under the pointer.
    QWindow *window = t.fx.windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 30));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(downs.count() + ups.count() + clicks.count(), 0) << "the text box itself keeps its clicks";
    QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, QPoint(0, 30));
    EXPECT_EQ(downs, QList<QVariantList>({{1, 1, 0.0f, 450.0f}}));
    EXPECT_EQ(ups.count() + clicks.count(), 2);
}

// A host's stored settings come back as they were written, a Delay of 0 included.
TEST(TypewriterTextProperties, LoadThenSaveGivesTheSameStoredValues)
{
    PropertyBag stored;
    const QVariantList values{QColor(10, 20, 30), QColor(250, 240, 230), false, QFont("DejaVu Sans", 13), 0, 1,
                              "Hello there, typist", 0, true, 3};
    const QStringList names{"BackColor", "ForeColor", "Enabled", "Font", "BackStyle", "BorderStyle",
                            "Text", "Delay", "Animate", "ScrollSteps"};
    for (int i = 0; i < names.size(); ++i)
        stored.write(names[i], values[i], QVariant());
    QWidget host;
    TypewriterText fx(&host);
    fx.loadProperties(stored);
    PropertyBag saved;
    fx.saveProperties(saved);
    ASSERT_EQ(saved.names(), names);
    for (const QString &name : names)
        EXPECT_EQ(saved.read(name, QVariant()), stored.read(name, QVariant())) << name.toStdString();
    fx.setAnimate(false);
}
