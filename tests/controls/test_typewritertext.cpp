#include "controls/propertybag.h"
#include "controls/typewritertext.h"
#include "testsupport.h"

#include <QFile>
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
    // Types up to and including the n-th carriage return.
    void typeLines(int n)
    {
        while (n > 0) {
            fx.typeNext();
            if (fx.curChar() == "\r")
                --n;
        }
    }
    // Last row of the image holding any pixel other than the back colour; -1 when none.
    int lastInkRow(const QImage &img) const
    {
        for (int y = img.height() - 1; y >= 0; --y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) != fx.canvas()->backColor())
                    return y;
        return -1;
    }
    int lastInkRow() const { return lastInkRow(fx.canvas()->image()); }
};

} // namespace

TEST(TypewriterTextTyping, WordPositionCountsSpacesAndLineFeedsAndRestartsAfterCycle)
{
    Typist t(5, "ab c\nd"); // wrapped "ab c\nd\r\n"
    t.ticks(7); // a b ' ' c \n d \r
    EXPECT_EQ(t.events, QStringList({"W2", "W3"})) << "the line feed after the carriage return is skipped";

    const QImage before = t.fx.canvas()->image();
    t.ticks(1);
    EXPECT_EQ(t.events, QStringList({"W2", "W3", "C", "W1"}));
    EXPECT_EQ(t.fx.canvas()->image(), before) << "nothing is printed on the cycle's last tick";
    t.ticks(3);
    EXPECT_EQ(t.events.last(), "W2");
    EXPECT_GT(t.fx.canvas()->currentY(), 2 * double(t.fx.lineHeight()) - 0.01)
        << "the next cycle is typed below the text already shown";
}

TEST(TypewriterTextTyping, ScrollModeZeroClearsTheBoxWhenTheNextLineWouldNotFit)
{
    Typist t(0);
    t.typeLines(1);
    EXPECT_GE(t.lastInkRow(), 0);
    t.typeLines(1);
    EXPECT_EQ(t.lastInkRow(), -1);
    t.ticks(1); // 't' of "three" at the top
    EXPECT_LT(t.lastInkRow(), int(t.fx.lineHeight()));
}

TEST(TypewriterTextTyping, ScrollModeOneJumpsOneLine)
{
    Typist t(1);
    const int lh = int(std::lround(t.fx.lineHeight()));
    t.typeLines(2);
    const int shotLast = t.lastInkRow(t.fx.frame());
    ASSERT_GE(shotLast, lh) << "two lines in the snapshot";
    EXPECT_NEAR(t.lastInkRow(), shotLast - lh, 1);
    EXPECT_LT(t.lastInkRow(), lh) << "only the second line is left, now at the top";
}

TEST(TypewriterTextTyping, ScrollModeFiveGlidesInFiveTicksWhileTypingPauses)
{
    Typist t(5);
    const float lh = t.fx.lineHeight();
    t.fx.setAnimate(true);
    t.typeLines(2);
    EXPECT_FALSE(t.fx.isScrolling()) << "the third line still fits";
    t.typeLines(1);
    ASSERT_TRUE(t.fx.isScrolling());
    EXPECT_FALSE(t.fx.animate()) << "typing pauses while the text glides";
    const int shotLast = t.lastInkRow(t.fx.frame());
    const double y = t.fx.canvas()->currentY();
    for (int k = 1; k <= 5; ++k) { // four intermediate frames and the last
        t.fx.scrollNext();
        EXPECT_EQ(t.fx.isScrolling(), k < 5) << "frame " << k;
        EXPECT_NEAR(t.lastInkRow(), shotLast - k * lh / 5, 1.01) << "frame " << k;
    }
    EXPECT_TRUE(t.fx.animate()) << "typing resumes after the last step";
    EXPECT_DOUBLE_EQ(t.fx.canvas()->currentY(), y - lh);

    // Animate switched on during a glide does not cut the glide short.
    t.typeLines(1);
    ASSERT_TRUE(t.fx.isScrolling());
    t.fx.setAnimate(true);
    EXPECT_TRUE(t.fx.animate() && t.fx.isScrolling());
}

TEST(TypewriterTextTyping, NewTextOrBackColourMidCycle)
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
    EXPECT_EQ(t.fx.charPos(), 0);

    // A new back colour clears the box and starts over.
    t.ticks(2);
    t.fx.setBackColor(QColor(200, 10, 10));
    EXPECT_EQ(t.lastInkRow(), -1);
    t.ticks(1);
    EXPECT_EQ(t.fx.curChar(), "a");
}

TEST(TypewriterTextLayout, ResizedBoxIsRewrappedDownToOneCharacterPerLine)
{
    Typist t(5, "ab cd");
    t.ticks(3);
    ASSERT_EQ(t.fx.wrappedText(), "ab cd\r\n");
    t.fx.resize(2, 40); // no room left inside the margin
    EXPECT_EQ(t.fx.wrappedText(), "a\r\nb \r\nc\r\nd\r\n");
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

TEST(TypewriterTextProperties, LoadThenSaveGivesTheSameStoredValues)
{
    PropertyBag stored;
    const QVariantList values{QColor(10, 20, 30), QColor(250, 240, 230), false, QFont("DejaVu Sans", 13), 0, 1,
                              "Hello there, typist", 0, true, 3}; // a Delay of 0 is kept
    const QStringList names{"BackColor", "ForeColor", "Enabled", "Font", "BackStyle", "BorderStyle",
                            "Text", "Delay", "Animate", "ScrollSteps"};
    for (int i = 0; i < names.size(); ++i)
        stored.write(names[i], values[i], QVariant());
    QWidget host;
    TypewriterText fx(&host);
    fx.loadProperties(stored);
    EXPECT_EQ(fx.wrappedText(), fx.wrapToWidth("Hello there, typist"));
    PropertyBag saved;
    fx.saveProperties(saved);
    ASSERT_EQ(saved.names(), names);
    for (const QString &name : names)
        EXPECT_EQ(saved.read(name, QVariant()), stored.read(name, QVariant())) << name.toStdString();
    fx.setAnimate(false);
}

TEST(TypewriterTextProperties, DelayZeroTypesNothing)
{
    Typist t(5, "abcdefgh"), clock(5, "abcdefgh");
    t.fx.setDelay(0);

    // At 0 nothing is typed though Animate is on, while a typist at 1 ms types.
    t.fx.setAnimate(true);
    EXPECT_TRUE(t.fx.animate());
    clock.fx.setDelay(1);
    clock.fx.setAnimate(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.fx.charPos() >= 5; }, 5000));
    EXPECT_EQ(t.lastInkRow(), -1);
    t.fx.setDelay(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.fx.charPos() > 0; }, 5000)) << "typing goes on";
}

TEST(TypewriterTextEvents, OnlyTheMarginForwardsPointerEvents)
{
    Typist t;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.fx));
    QStringList events;
    QObject::connect(&t.fx, &TypewriterText::clicked, [&] { events << "Click"; });
    QObject::connect(&t.fx, &TypewriterText::mouseDown, [&](int b, int s, float x, float y) {
        events << QString("Down %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
    });
    QObject::connect(&t.fx, &TypewriterText::mouseUp,
                     [&](int b, int, float, float) { events << QString("Up %1").arg(b); });

    // Through the window, so each press reaches the widget under the pointer.
    QWindow *window = t.fx.windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 30));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(events, QStringList()) << "the text box itself keeps its clicks";
    QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, QPoint(0, 30));
    EXPECT_EQ(events, QStringList({"Down 1 1 0 450", "Up 1", "Click"}));
}
