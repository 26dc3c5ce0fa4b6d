#include "controls/propertybag.h"
#include "controls/texfx.h"
#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QFont testFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    return font;
}

// A control whose box is wide enough for every test line and three and a
// half lines high, so the scroll rule fires at a known line break.
struct Typist {
    TexFx fx;
    QStringList events; // "W<n>" for WordPosition, "C" for Cycle

    explicit Typist(int scrollSteps = 5, const QString &text = QString())
    {
        fx.initNew();
        fx.setTextFont(testFont());
        const int boxHeight = int(std::ceil(3.5 * fx.lineHeight()));
        fx.resize(302, boxHeight + 2);
        fx.show(); // a hidden widget is resized only when shown
        fx.setScrollSteps(scrollSteps);
        fx.setText(text);
        QObject::connect(&fx, &TexFx::Cycle, [this] { events << "C"; });
        QObject::connect(&fx, &TexFx::WordPosition,
                         [this](int &pos) { events << QString("W%1").arg(pos); });
    }

    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            fx.TimerT_Timer();
    }
    // Types up to and including the n-th carriage return.
    void typeLines(int n)
    {
        while (n > 0) {
            fx.TimerT_Timer();
            if (fx.curChar() == "\r")
                --n;
        }
    }
};

const QString kFourLines = "one\r\ntwo\r\nthree\r\nfour";

// Rows of img holding any pixel other than back, as [first, last]; -1 when none.
std::pair<int, int> inkRows(const QImage &img, const QColor &back)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) != back) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return {first, last};
}

bool filledWith(const QImage &img, const QColor &color)
{
    return inkRows(img, color).first < 0;
}

} // namespace

TEST(TexFxTyping, WordPositionCountsSpacesAndLineFeedsAndRestartsAfterCycle)
{
    Typist t(5, "ab c\nd");
    ASSERT_EQ(t.fx.wrappedText(), "ab c\nd\r\n");

    t.ticks(7); // a b ' ' c \n d \r
    EXPECT_EQ(t.events, QStringList({"W2", "W3"}));
    EXPECT_EQ(t.fx.charPos(), 8) << "the line feed after the carriage return is skipped";
    EXPECT_DOUBLE_EQ(t.fx.picFx()->currentY(), 2 * double(t.fx.lineHeight()));

    const QImage before = t.fx.picFx()->image();
    t.ticks(1);
    EXPECT_EQ(t.events, QStringList({"W2", "W3", "C", "W1"}));
    EXPECT_EQ(t.fx.charPos(), 0);
    EXPECT_EQ(t.fx.picFx()->image(), before) << "nothing is printed on the cycle's last tick";

    t.ticks(3);
    EXPECT_EQ(t.events, QStringList({"W2", "W3", "C", "W1", "W2"}));
    EXPECT_GT(t.fx.picFx()->currentY(), 2 * double(t.fx.lineHeight()) - 0.01)
        << "the next cycle is typed below the text already shown";
}

TEST(TexFxTyping, ScrollModeZeroClearsTheBoxWhenTheNextLineWouldNotFit)
{
    Typist t(0, kFourLines);
    const QColor back = t.fx.picFx()->backColor();
    t.typeLines(1);
    EXPECT_FALSE(filledWith(t.fx.picFx()->image(), back));
    t.typeLines(1);
    EXPECT_TRUE(filledWith(t.fx.picFx()->image(), back));
    EXPECT_EQ(t.fx.picFx()->currentY(), 0);
    EXPECT_FALSE(filledWith(t.fx.imgFx(), back)) << "snapshot holds the text before clearing";
    t.ticks(1); // 't' of "three" at the top
    EXPECT_LT(inkRows(t.fx.picFx()->image(), back).second, int(t.fx.lineHeight()));
}

TEST(TexFxTyping, ScrollModeOneJumpsOneLine)
{
    Typist t(1, kFourLines);
    const QColor back = t.fx.picFx()->backColor();
    const int lh = int(std::lround(t.fx.lineHeight()));
    t.typeLines(2);
    const QImage shot = t.fx.imgFx();
    const QImage now = t.fx.picFx()->image();
    EXPECT_DOUBLE_EQ(t.fx.picFx()->currentY(), double(t.fx.lineHeight()));
    const auto [shotFirst, shotLast] = inkRows(shot, back);
    const auto [nowFirst, nowLast] = inkRows(now, back);
    ASSERT_GE(shotLast, lh) << "two lines in the snapshot";
    EXPECT_NEAR(nowLast, shotLast - lh, 1);
    EXPECT_LT(nowLast, lh) << "only the second line is left, now at the top";
    EXPECT_EQ(t.fx.animate(), false);
    EXPECT_FALSE(t.fx.isScrolling());
}

TEST(TexFxTyping, ScrollModeFiveGlidesInFiveTicks)
{
    Typist t(5, kFourLines);
    const QColor back = t.fx.picFx()->backColor();
    const float lh = t.fx.lineHeight();
    EXPECT_FLOAT_EQ(t.fx.scrollStep(), lh / 5);
    t.fx.setAnimate(true);
    t.typeLines(2);
    EXPECT_FALSE(t.fx.isScrolling()) << "the third line still fits";
    t.typeLines(1);
    ASSERT_TRUE(t.fx.isScrolling());
    EXPECT_FALSE(t.fx.animate()) << "typing pauses while the text glides";
    const QImage shot = t.fx.imgFx();
    const int shotLast = inkRows(shot, back).second;
    const double y = t.fx.picFx()->currentY();

    for (int k = 1; k <= 4; ++k) {
        t.fx.TimerS_Timer();
        EXPECT_FLOAT_EQ(t.fx.scrollOffset(), k * lh / 5) << "frame " << k;
        EXPECT_TRUE(t.fx.isScrolling());
        EXPECT_NEAR(inkRows(t.fx.picFx()->image(), back).second, shotLast - k * lh / 5, 1.01)
            << "frame " << k;
    }
    t.fx.TimerS_Timer();
    EXPECT_EQ(t.fx.scrollOffset(), 0);
    EXPECT_FALSE(t.fx.isScrolling());
    EXPECT_TRUE(t.fx.animate()) << "typing resumes after the last step";
    EXPECT_DOUBLE_EQ(t.fx.picFx()->currentY(), y - lh);
    EXPECT_NEAR(inkRows(t.fx.picFx()->image(), back).second, shotLast - lh, 1.01);
    t.fx.setAnimate(false);
}

TEST(TexFxTyping, AnimateSetDuringGlideRunsBothTimers)
{
    Typist t(5, kFourLines);
    t.typeLines(3);
    ASSERT_TRUE(t.fx.isScrolling());
    t.fx.setAnimate(true);
    EXPECT_TRUE(t.fx.animate());
    EXPECT_TRUE(t.fx.isScrolling());
    t.fx.setAnimate(false);
}

TEST(TexFxTyping, ChangingTextMidCycleGoesOnAtTheSamePosition)
{
    Typist t(5, "abcdef");
    t.ticks(3);
    t.fx.setText("uvwxyz");
    EXPECT_EQ(t.fx.charPos(), 3);
    t.ticks(1);
    EXPECT_EQ(t.fx.curChar(), "x");

    t.ticks(1); // at 5 of 8
    t.fx.setText("ab"); // "ab\r\n": position 5 is past its end
    t.ticks(1);
    EXPECT_EQ(t.events, QStringList({"C", "W1"}));
    EXPECT_EQ(t.fx.charPos(), 0);
}

TEST(TexFxTyping, BackColorChangeRestartsOnAClearedBox)
{
    Typist t(5, "ab cd ef");
    QSignalSpy changed(&t.fx, &TexFx::propertyChanged);
    t.ticks(4);
    ASSERT_EQ(t.fx.wordPos(), 2);
    t.fx.setBackColor(QColor(200, 10, 10));
    EXPECT_EQ(changed.takeFirst().at(0).toString(), "BackColor");
    EXPECT_EQ(t.fx.charPos(), 0);
    EXPECT_EQ(t.fx.wordPos(), 1);
    EXPECT_TRUE(filledWith(t.fx.picFx()->image(), QColor(200, 10, 10)));
    t.ticks(1);
    EXPECT_EQ(t.fx.curChar(), "a");
}

TEST(TexFxLayout, BoxSitsInsideAOnePixelMarginAndIsRewrapped)
{
    Typist t(5, "alpha beta gamma delta");
    ASSERT_EQ(t.fx.wrappedText(), "alpha beta gamma delta\r\n");
    t.ticks(3);
    t.fx.resize(60, 80);
    EXPECT_EQ(t.fx.picFx()->geometry(), QRect(1, 1, 58, 78));
    EXPECT_EQ(t.fx.charPos(), 0);
    EXPECT_GT(t.fx.wrappedText().count("\r\n"), 2);

    const float small = t.fx.lineHeight();
    QFont big = testFont();
    big.setPixelSize(24);
    t.fx.setTextFont(big);
    EXPECT_GT(t.fx.lineHeight(), 1.5f * small);
    EXPECT_FLOAT_EQ(t.fx.scrollStep(), t.fx.lineHeight() / 5);
}

TEST(TexFxLayout, BoxNarrowerThanOneCharacterTypesOneCharacterPerLine)
{
    Typist t(5, "abc");
    t.fx.resize(2, 40); // no room left inside the margin
    EXPECT_EQ(t.fx.picFx()->width(), 0);
    EXPECT_EQ(t.fx.wrappedText(), "a\r\nb\r\nc\r\n");
    t.fx.setScrollSteps(1);
    t.ticks(12);
    EXPECT_EQ(t.events, QStringList({"C", "W1"}));
}

TEST(TexFxLoad, MissingFileIsCreatedEmptyAndBytesReadAsLatin1)
{
    QTemporaryDir dir;
    Typist t(5, "kept");
    t.ticks(2);
    const QString missing = qhtest::tempPath(dir, "new.txt");
    ASSERT_TRUE(t.fx.load(missing));
    EXPECT_TRUE(QFile::exists(missing));
    EXPECT_EQ(t.fx.wrappedText(), "\r\n");
    EXPECT_EQ(t.fx.text(), "kept");
    EXPECT_EQ(t.fx.charPos(), 2);

    const QString latin = qhtest::tempPath(dir, "cafe.txt");
    QFile f(latin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("caf\xe9 au lait\r\nen terrasse");
    f.close();
    ASSERT_TRUE(t.fx.load(latin));
    EXPECT_EQ(t.fx.wrappedText(), QString::fromUtf8("café au lait\r\nen terrasse\r\n"));
    EXPECT_EQ(QFile(latin).size(), 25) << "the file is not truncated";

    EXPECT_FALSE(t.fx.load(qhtest::tempPath(dir, "no/such/folder.txt")));
    EXPECT_EQ(t.fx.wrappedText(), QString::fromUtf8("café au lait\r\nen terrasse\r\n"));
}

TEST(TexFxProperties, NewlyPlacedInstanceDefaults)
{
    QWidget host;
    QFont hostFont("DejaVu Serif");
    hostFont.setPixelSize(15);
    host.setFont(hostFont);
    TexFx fx(&host);
    EXPECT_EQ(fx.size(), QSize(117, 117));
    fx.initNew();
    EXPECT_EQ(fx.textFont(), host.font());
    EXPECT_EQ(fx.text(), "Text");
    EXPECT_EQ(fx.wrappedText(), "Text\r\n");
    EXPECT_EQ(fx.scrollSteps(), 5);
    EXPECT_FLOAT_EQ(fx.scrollStep(), fx.lineHeight() / 5);
    EXPECT_EQ(fx.delay(), 50);
    EXPECT_FALSE(fx.animate());
    EXPECT_FALSE(fx.isScrolling());
    EXPECT_EQ(fx.backColor(), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(fx.foreColor(), QApplication::palette().color(QPalette::ButtonText));
    EXPECT_TRUE(fx.controlEnabled());
    EXPECT_EQ(fx.borderStyle(), 0);
    EXPECT_EQ(fx.backStyle(), 1);
    EXPECT_EQ(fx.wordPos(), 1);
}

TEST(TexFxProperties, StoredInstanceWithoutValuesGetsStoredDefaults)
{
    QWidget host;
    TexFx fx(&host);
    fx.loadProperties(PropertyBag());
    EXPECT_EQ(fx.delay(), 60);
    EXPECT_EQ(fx.text(), "Text");
    EXPECT_EQ(fx.wrappedText(), "Text\r\n");
    EXPECT_EQ(fx.scrollSteps(), 5);
    EXPECT_FLOAT_EQ(fx.scrollStep(), fx.lineHeight() / 5) << "ready to glide in five steps";
    EXPECT_FALSE(fx.animate());
    EXPECT_EQ(fx.textFont(), host.font());
    EXPECT_EQ(fx.backColor(), QApplication::palette().color(QPalette::Button));

    PropertyBag saved;
    fx.saveProperties(saved);
    EXPECT_TRUE(saved.names().isEmpty()) << "defaults need not be stored";
}

TEST(TexFxProperties, LoadThenSaveGivesTheSameStoredValues)
{
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(13);
    PropertyBag stored;
    stored.write("BackColor", QColor(10, 20, 30), QVariant());
    stored.write("ForeColor", QColor(250, 240, 230), QVariant());
    stored.write("Enabled", false, QVariant());
    stored.write("Font", font, QVariant());
    stored.write("BackStyle", 0, QVariant());
    stored.write("BorderStyle", 1, QVariant());
    stored.write("Text", "Hello there, typist", QVariant());
    stored.write("Delay", 120, QVariant());
    stored.write("Animate", true, QVariant());
    stored.write("ScrollSteps", 3, QVariant());

    QWidget host;
    TexFx fx(&host);
    fx.loadProperties(stored);
    EXPECT_TRUE(fx.animate());
    EXPECT_EQ(fx.picFx()->backColor(), QColor(10, 20, 30));
    EXPECT_EQ(fx.picFx()->foreColor(), QColor(250, 240, 230));
    EXPECT_EQ(fx.wrappedText(), fx.WrapStr2Pic("Hello there, typist"));
    EXPECT_FLOAT_EQ(fx.scrollStep(), fx.lineHeight() / 3);

    PropertyBag saved;
    fx.saveProperties(saved);
    ASSERT_EQ(saved.names(), stored.names());
    for (const QString &name : stored.names())
        EXPECT_EQ(saved.read(name, QVariant()), stored.read(name, QVariant())) << name.toStdString();
    fx.setAnimate(false);
}

TEST(TexFxProperties, EveryChangeNotifiesItsStoredName)
{
    TexFx fx;
    QStringList names;
    QObject::connect(&fx, &TexFx::propertyChanged, [&names](const QString &n) { names << n; });
    fx.setBackColor(Qt::white);
    fx.setForeColor(Qt::black);
    fx.setControlEnabled(false);
    fx.setBorderStyle(1);
    fx.setTextFont(testFont());
    fx.setText("x");
    fx.setDelay(80);
    fx.setAnimate(false);
    fx.setScrollSteps(2);
    EXPECT_EQ(names, QStringList({"BackColor", "ForeColor", "Enabled", "BorderStyle", "Font",
                                  "Text", "Delay", "Animate", "ScrollSteps"}));
}

TEST(TexFxEvents, OnlyTheMarginForwardsPointerEvents)
{
    QWidget host;
    TexFx fx(&host);
    fx.initNew();
    fx.resize(100, 60);
    host.resize(120, 80);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));

    QStringList events;
    QObject::connect(&fx, &TexFx::Click, [&] { events << "Click"; });
    QObject::connect(&fx, &TexFx::DblClick, [&] { events << "DblClick"; });
    QObject::connect(&fx, &TexFx::MouseDown, [&](int b, int s, float x, float y) {
        events << QString("Down %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
    });
    QObject::connect(&fx, &TexFx::MouseUp, [&](int b, int, float, float) {
        events << QString("Up %1").arg(b);
    });

    // Through the window, so each press reaches the widget under the pointer.
    QWindow *window = host.windowHandle();
    const auto at = [&fx, &host](int x, int y) { return fx.mapTo(&host, QPoint(x, y)); };
    QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, at(50, 30));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at(2, 2));
    EXPECT_TRUE(events.isEmpty()) << events.join(", ").toStdString();

    QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, at(0, 30));
    EXPECT_EQ(events, QStringList({"Down 1 1 0 450", "Up 1", "Click"}))
        << events.join(", ").toStdString();

    events.clear();
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, at(99, 10));
    EXPECT_EQ(events, QStringList({"Down 1 0 1485 150", "Up 1", "Click", "DblClick", "Up 1"}))
        << events.join(", ").toStdString();
}

TEST(TexFxEvents, KeysOnTheSurfaceAreForwarded)
{
    TexFx fx;
    QStringList events;
    QObject::connect(&fx, &TexFx::KeyDown,
                     [&](int key, int shift) { events << QString("Down %1 %2").arg(key).arg(shift); });
    QObject::connect(&fx, &TexFx::KeyPress, [&](int ascii) { events << QString("Press %1").arg(ascii); });
    QObject::connect(&fx, &TexFx::KeyUp,
                     [&](int key, int shift) { events << QString("Up %1 %2").arg(key).arg(shift); });
    QTest::keyClick(&fx, 'a');
    EXPECT_EQ(events, QStringList({QString("Down %1 0").arg(Qt::Key_A), "Press 97",
                                   QString("Up %1 0").arg(Qt::Key_A)}));
}
