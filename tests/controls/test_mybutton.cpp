#include "controls/mybutton.h"
#include "controls/propertybag.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QRgb Back = qRgb(200, 200, 200);
const QRgb White = qRgb(255, 255, 255);
const QRgb Grey = qRgb(128, 128, 128);
const QRgb Red = qRgb(255, 0, 0);

// A button whose hover poll is told where the pointer is.
class PolledButton : public MyButton {
public:
    bool over = false;

protected:
    bool pointerIsOver() override { return over; }
};

QPixmap redSquare(int side)
{
    QPixmap pm(side, side);
    pm.fill(QColor(Red));
    return pm;
}

// 48 x 40 px: R = 47, B = 39; a 32 x 32 picture sits at (8, 4).
void setUp(MyButton &b, bool withPicture = true)
{
    b.resize(48, 40);
    b.setBackColor(QColor(Back));
    if (withPicture)
        b.setPicture(redSquare(32));
}

// What the widget shows, and what a look would show, in one pixel format.
QImage shown(MyButton &b)
{
    return b.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage look(const MyButton &b, int state)
{
    return b.render(state).convertToFormat(QImage::Format_RGB32);
}

QRgb px(const QImage &img, int x, int y)
{
    return img.pixel(x, y) | 0xFF000000u;
}

} // namespace

TEST(MyButtonLooks, RaisedHasWhiteTopLeftAndGreyBottomRightLeavingBottomLeftCorner)
{
    MyButton b;
    setUp(b, false);
    const QImage img = b.render(MyButton::Raised);
    EXPECT_EQ(px(img, 0, 0), White);
    EXPECT_EQ(px(img, 46, 0), White);  // top stops short of (R, 0)
    EXPECT_EQ(px(img, 47, 0), Grey);   // right line starts there
    EXPECT_EQ(px(img, 0, 38), White);  // left stops short of (0, B)
    EXPECT_EQ(px(img, 0, 39), Back);   // bottom-left keeps the back colour
    EXPECT_EQ(px(img, 47, 39), Grey);  // bottom starts at (R, B)
    EXPECT_EQ(px(img, 1, 39), Grey);
    EXPECT_EQ(px(img, 47, 38), Grey);
    EXPECT_EQ(px(img, 1, 1), Back);
    EXPECT_EQ(px(img, 24, 20), Back);  // no picture: only the border
}

TEST(MyButtonLooks, PressedSwapsTheColoursAndMovesThePictureOnePixel)
{
    MyButton b;
    setUp(b);
    const QImage pressed = b.render(MyButton::Pressed);
    EXPECT_EQ(px(pressed, 0, 0), Grey);
    EXPECT_EQ(px(pressed, 46, 0), Grey);
    EXPECT_EQ(px(pressed, 0, 38), Grey);
    EXPECT_EQ(px(pressed, 47, 0), White);
    EXPECT_EQ(px(pressed, 1, 39), White);
    EXPECT_EQ(px(pressed, 0, 39), Back);
    EXPECT_EQ(px(pressed, 8, 4), Back);
    EXPECT_EQ(px(pressed, 9, 5), Red);
    EXPECT_EQ(px(pressed, 40, 36), Red);
    EXPECT_EQ(px(pressed, 41, 37), Back);

    const QImage raised = b.render(MyButton::Raised);
    EXPECT_EQ(px(raised, 7, 4), Back);
    EXPECT_EQ(px(raised, 8, 4), Red);
    EXPECT_EQ(px(raised, 39, 35), Red);
    EXPECT_EQ(px(raised, 40, 36), Back);
}

TEST(MyButtonLooks, FlatShowsOnlyThePictureAndOtherStatesAnEmptySurface)
{
    MyButton b;
    setUp(b);
    const QImage flat = b.render(MyButton::Flat);
    EXPECT_EQ(px(flat, 0, 0), Back);
    EXPECT_EQ(px(flat, 47, 39), Back);
    EXPECT_EQ(px(flat, 8, 4), Red);

    for (int state : {3, -1}) {
        const QImage empty = b.render(state);
        for (int y = 0; y < empty.height(); ++y)
            for (int x = 0; x < empty.width(); ++x)
                ASSERT_EQ(px(empty, x, y), Back) << "state " << state << " at " << x << "," << y;
    }

    b.setPicture(QPixmap());
    EXPECT_EQ(px(b.render(MyButton::Flat), 20, 20), Back);
}

TEST(MyButtonLooks, PictureIsCentredWithHalfTwipsRoundedToEven)
{
    // The main window's size, 795 x 735 twips: (795 - 480) / 2 = 157.5 -> 158
    // twips, (735 - 480) / 2 = 127.5 -> 128 twips, i.e. pixel 11 and 9.
    MyButton b;
    b.resize(53, 49);
    b.setBackColor(QColor(Back));
    b.setPicture(redSquare(32));
    const QImage img = b.render(MyButton::Flat);
    EXPECT_EQ(px(img, 10, 9), Back);
    EXPECT_EQ(px(img, 11, 9), Red);
    EXPECT_EQ(px(img, 11, 8), Back);
    EXPECT_EQ(px(img, 42, 40), Red);
    EXPECT_EQ(px(img, 43, 40), Back);
}

TEST(MyButtonLooks, PictureLargerThanTheSurfaceCoversTheBorder)
{
    MyButton b;
    setUp(b, false);
    b.setPicture(redSquare(60));
    const QImage img = b.render(MyButton::Raised);
    EXPECT_EQ(px(img, 0, 0), Red);
    EXPECT_EQ(px(img, 47, 39), Red);
}

TEST(MyButtonMouse, PressAndReleaseRaiseEventsBeforeTheLookChangesAndClick)
{
    MyButton b;
    setUp(b);
    b.show();
    QList<qint16> stateAtEvent;
    QObject::connect(&b, &MyButton::MouseDown, &b, [&](qint16 button, qint16, float x, float y) {
        stateAtEvent << b.ButtonState();
        EXPECT_EQ(button, 1);
        EXPECT_FLOAT_EQ(x, 10 * 15.f); // twips
        EXPECT_FLOAT_EQ(y, 12 * 15.f);
    });
    QObject::connect(&b, &MyButton::MouseUp, &b, [&](qint16, qint16, float, float) {
        stateAtEvent << b.ButtonState();
    });
    QSignalSpy clicks(&b, &MyButton::Click);

    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(b.ButtonState(), MyButton::Pressed);
    EXPECT_EQ(b.grab().toImage().pixel(0, 0) | 0xFF000000u, Grey);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(b.ButtonState(), MyButton::Raised);
    EXPECT_EQ(stateAtEvent, (QList<qint16>{MyButton::Flat, MyButton::Pressed}));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(MyButtonMouse, LeavingWhilePressedTurnsFlatAndReleaseOutsideDoesNotClick)
{
    PolledButton b;
    setUp(b);
    b.show();
    QSignalSpy clicks(&b, &MyButton::Click);

    b.over = true;
    b.Timer1_Timer();
    EXPECT_EQ(b.ButtonState(), MyButton::Raised);
    EXPECT_EQ(b.MouseOver(), 1);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b.ButtonState(), MyButton::Pressed);

    b.over = false;
    b.Timer1_Timer();
    EXPECT_EQ(b.ButtonState(), MyButton::Flat);
    EXPECT_EQ(shown(b), look(b, MyButton::Flat));

    // Back over it while still holding: raised, not pressed.
    b.over = true;
    b.Timer1_Timer();
    EXPECT_EQ(shown(b), look(b, MyButton::Raised));

    b.over = false;
    b.Timer1_Timer();
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(b.ButtonState(), MyButton::Flat);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(MyButtonMouse, DisabledButtonStaysFlat)
{
    PolledButton b;
    setUp(b);
    b.show();
    b.over = true;
    b.Timer1_Timer();
    ASSERT_EQ(b.ButtonState(), MyButton::Raised);

    QSignalSpy downs(&b, &MyButton::MouseDown);
    b.setEnabled(false);
    EXPECT_EQ(b.ButtonState(), MyButton::Flat);
    b.Timer1_Timer();
    EXPECT_EQ(b.ButtonState(), MyButton::Flat);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b.ButtonState(), MyButton::Flat);
    EXPECT_EQ(downs.count(), 0);
    EXPECT_EQ(shown(b), look(b, MyButton::Flat));
}

TEST(MyButtonMouse, HoverPollRunsOnlyWhileShown)
{
    MyButton b;
    EXPECT_FALSE(b.hoverPollActive());
    b.show();
    EXPECT_TRUE(b.hoverPollActive());
    b.hide();
    EXPECT_FALSE(b.hoverPollActive());
}

TEST(MyButtonKeys, KeysAreForwardedButNeverChangeTheLookOrClick)
{
    MyButton b;
    setUp(b);
    b.show();
    QSignalSpy downs(&b, &MyButton::KeyDown);
    QSignalSpy presses(&b, &MyButton::KeyPress);
    QSignalSpy ups(&b, &MyButton::KeyUp);
    QSignalSpy clicks(&b, &MyButton::Click);

    QTest::keyClick(&b, Qt::Key_A);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(0).value<qint16>(), 65);
    EXPECT_EQ(downs.at(0).at(1).value<qint16>(), 0);
    ASSERT_EQ(presses.count(), 1);
    EXPECT_EQ(presses.at(0).at(0).value<qint16>(), 'a');
    ASSERT_EQ(ups.count(), 1);

    QTest::keyClick(&b, Qt::Key_Space);
    QTest::keyClick(&b, Qt::Key_Return, Qt::ShiftModifier);
    // Shift itself goes down first (16), then Enter with Shift held.
    const auto last = downs.constLast();
    EXPECT_EQ(last.at(0).value<qint16>(), 13);
    EXPECT_EQ(last.at(1).value<qint16>(), 1);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(b.ButtonState(), MyButton::Flat);
}

TEST(MyButtonProperties, LoadReadsNamesWithoutCaseAndOnlyThePictureNotifies)
{
    PropertyBag bag;
    bag.write("backcolor", QColor(1, 2, 3), QColor());
    bag.write("ENABLED", false, true);
    bag.write("backStyle", 0, 1);
    bag.write("picture", QVariant::fromValue(redSquare(16)), QVariant());

    MyButton b;
    QSignalSpy changed(&b, &MyButton::propertyChanged);
    b.loadProperties(bag);
    EXPECT_EQ(b.BackColor(), QColor(1, 2, 3));
    EXPECT_FALSE(b.isEnabled());
    EXPECT_EQ(b.BackStyle(), 0);
    EXPECT_EQ(b.Picture().size(), QSize(16, 16));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), "Picture");
}

TEST(MyButtonProperties, SaveWritesTheFourNamesInOrderAndSkipsDefaults)
{
    MyButton plain;
    PropertyBag empty;
    plain.saveProperties(empty);
    EXPECT_TRUE(empty.names().isEmpty());
    EXPECT_EQ(plain.BackColor(), plain.palette().color(QPalette::Button));

    MyButton b;
    QSignalSpy changed(&b, &MyButton::propertyChanged);
    b.setPicture(redSquare(8));
    b.setBackStyle(0);
    b.setEnabled(false);
    b.setBackColor(QColor(9, 8, 7));
    QStringList names;
    for (const auto &args : changed)
        names << args.at(0).toString();
    EXPECT_EQ(names, (QStringList{"Picture", "BackStyle", "Enabled", "BackColor"}));

    PropertyBag bag;
    b.saveProperties(bag);
    EXPECT_EQ(bag.names(), (QStringList{"BackColor", "Enabled", "BackStyle", "Picture"}));
    MyButton copy;
    copy.loadProperties(bag);
    EXPECT_EQ(copy.BackColor(), QColor(9, 8, 7));
    EXPECT_FALSE(copy.isEnabled());
    EXPECT_EQ(copy.BackStyle(), 0);
    EXPECT_EQ(copy.Picture().size(), QSize(8, 8));
}
