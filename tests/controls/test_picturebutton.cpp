#include "controls/picturebutton.h"
#include "controls/propertybag.h"
#include "testsupport.h"

#include <QCursor>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QRgb Back = qRgb(200, 200, 200), White = qRgb(255, 255, 255), Grey = qRgb(128, 128, 128),
           Red = qRgb(255, 0, 0);

QPixmap redSquare(int side)
{
    QPixmap pm(side, side);
    pm.fill(QColor(Red));
    return pm;
}

// 48 x 40 px: R = 47, B = 39; a 32 x 32 picture sits at (8, 4).
void setUp(PictureButton &b, int pictureSide = 32, QSize size = {48, 40})
{
    b.resize(size);
    b.setBackColor(QColor(Back));
    if (pictureSide > 0)
        b.setPicture(redSquare(pictureSide));
}

QImage look(const PictureButton &b, int state)
{
    return b.render(state).convertToFormat(QImage::Format_RGB32);
}

// A shown button whose hover poll is told where the pointer is.
class PictureButtonMouse : public ::testing::Test {
protected:
    struct PolledButton : PictureButton {
        bool over = false;
        bool pointerIsOver() override { return over; }
    } b;
    void SetUp() override
    {
        setUp(b);
        b.show();
    }
    void poll(bool over)
    {
        b.over = over;
        b.pollHover();
    }
    QImage shown() { return b.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

} // namespace

TEST(PictureButtonLooks, BorderAndPicturePixelByPixel)
{
    using Px = std::tuple<int, int, QRgb>;
    const struct {
        int pictureSide, state;
        std::vector<Px> pixels;
        QSize size = {48, 40};
    } looks[] = {
        // White top and left stop short of the far corners, grey right and
        // bottom; the bottom-left pixel is untouched.
        {0, PictureButton::Raised, {{0, 0, White}, {46, 0, White}, {47, 0, Grey}, {0, 38, White}, {0, 39, Back},
                               {47, 39, Grey}, {1, 39, Grey}, {47, 38, Grey}, {1, 1, Back}, {24, 20, Back}}},
        {32, PictureButton::Raised, {{7, 4, Back}, {8, 4, Red}, {39, 35, Red}, {40, 36, Back}}},
        // Pressed swaps the colours and moves the picture one pixel.
        {32, PictureButton::Pressed, {{0, 0, Grey}, {46, 0, Grey}, {0, 38, Grey}, {47, 0, White}, {1, 39, White},
                                 {0, 39, Back}, {8, 4, Back}, {9, 5, Red}, {40, 36, Red}, {41, 37, Back}}},
        {32, PictureButton::Flat, {{0, 0, Back}, {47, 39, Back}, {7, 4, Back}, {8, 4, Red}}},
        {60, PictureButton::Raised, {{0, 0, Red}, {47, 39, Red}}}, // a larger picture covers the border
        // A state other than the three shows an empty surface.
        {32, 3, {{0, 0, Back}, {8, 4, Back}, {47, 39, Back}}},
        // The main window's size, 795 x 735 twips: (795 - 480) / 2 = 157.5 -> 158
        // twips, (735 - 480) / 2 = 127.5 -> 128 twips, i.e. pixel 11 and 9.
        {32, PictureButton::Flat, {{10, 9, Back}, {11, 9, Red}, {11, 8, Back}, {42, 40, Red}, {43, 40, Back}},
         {53, 49}},
    };
    for (const auto &l : looks) {
        PictureButton b;
        setUp(b, l.pictureSide, l.size);
        const QImage img = look(b, l.state);
        for (const auto &[x, y, color] : l.pixels)
            EXPECT_EQ(img.pixel(x, y), color) << "picture " << l.pictureSide << " state " << l.state
                                              << " at " << x << "," << y;
    }
}

TEST_F(PictureButtonMouse, PressAndReleaseRaiseEventsBeforeTheLookChangesAndClick)
{
    QStringList events;
    QObject::connect(&b, &PictureButton::mouseDown, &b, [&](qint16 button, qint16, float x, float y) {
        events << QString("Down %1 %2 %3 in state %4").arg(button).arg(x).arg(y).arg(b.buttonState());
    });
    QObject::connect(&b, &PictureButton::mouseUp, &b, [&](qint16, qint16, float, float) {
        events << QString("Up in state %1").arg(b.buttonState());
    });
    QObject::connect(&b, &PictureButton::clicked, &b, [&] { events << "Click"; });

    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(shown(), look(b, PictureButton::Pressed));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(b.buttonState(), PictureButton::Raised);
    EXPECT_EQ(events, QStringList({QString("Down 1 150 180 in state %1").arg(PictureButton::Flat),
                                   QString("Up in state %1").arg(PictureButton::Pressed), "Click"}));
}

TEST_F(PictureButtonMouse, LeavingWhilePressedTurnsFlatAndReleaseOutsideDoesNotClick)
{
    QSignalSpy clicks(&b, &PictureButton::clicked);
    poll(true);
    EXPECT_EQ(shown(), look(b, PictureButton::Raised));
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    poll(false);
    EXPECT_EQ(shown(), look(b, PictureButton::Flat));
    poll(true); // back over it while still holding: raised, not pressed
    EXPECT_EQ(shown(), look(b, PictureButton::Raised));
    poll(false);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(b.buttonState(), PictureButton::Flat);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(PictureButtonMouse, DisabledButtonStaysFlat)
{
    poll(true);
    QSignalSpy downs(&b, &PictureButton::mouseDown);
    b.setEnabled(false);
    poll(true);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(downs.count(), 0);
    EXPECT_EQ(shown(), look(b, PictureButton::Flat));
}

TEST_F(PictureButtonMouse, KeysAreForwardedButNeverChangeTheLookOrClick)
{
    QSignalSpy presses(&b, &PictureButton::keyPress), clicks(&b, &PictureButton::clicked);
    QTest::keyClick(&b, Qt::Key_A);
    QTest::keyClick(&b, Qt::Key_Return);
    ASSERT_EQ(presses.count(), 2);
    EXPECT_EQ(presses[0][0].toInt(), 97);
    EXPECT_EQ(presses[1][0].toInt(), 13);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(b.buttonState(), PictureButton::Flat);
}

TEST(PictureButtonProperties, LoadMatchesNamesWithoutCaseAndEnabledIsTheButtonsOwnSetting)
{
    PropertyBag bag;
    bag.write("backcolor", QColor(1, 2, 3), QColor());
    bag.write("ENABLED", false, true);
    bag.write("backStyle", 0, 1);
    bag.write("picture", QVariant::fromValue(redSquare(16)), QVariant());
    QWidget parent;
    auto *b = new PictureButton(&parent);
    b->loadProperties(bag);
    EXPECT_EQ(b->backColor(), QColor(1, 2, 3));
    EXPECT_EQ(b->picture().size(), QSize(16, 16));
    const auto stored = [b] {
        PropertyBag saved;
        b->saveProperties(saved);
        return saved.names().join(" ") + (saved.read("Enabled", true).toBool() ? " on" : " off");
    };
    // Every name read, whatever its case, is stored back under its own.
    EXPECT_EQ(stored(), "BackColor Enabled BackStyle Picture off");

    // Disabling the parent turns the button off but leaves its own setting.
    b->setControlEnabled(true);
    parent.setEnabled(false);
    EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(stored(), "BackColor BackStyle Picture on");
    b->setControlEnabled(false);
    parent.setEnabled(true);
    EXPECT_FALSE(b->isEnabled());
}

TEST(PictureButtonHover, TheRealPointerOverAndOffTheButton)
{
    // The hover poll's own pointer test, with the pointer really moved.
    QWidget page;
    page.resize(200, 120);
    PictureButton b(&page);
    setUp(b);
    b.move(60, 40);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QCursor::setPos(b.mapToGlobal(QPoint(24, 20)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.mouseOver() == 1; }));
    EXPECT_EQ(b.buttonState(), PictureButton::Raised);
    QCursor::setPos(page.mapToGlobal(QPoint(5, 5)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.mouseOver() == 0; }));
    EXPECT_EQ(b.buttonState(), PictureButton::Flat);
}
