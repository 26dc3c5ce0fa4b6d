#include "controls/picturebutton.h"
#include "controls/propertybag.h"
#include "testsupport.h"

#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QRgb Back = qRgb(200, 200, 200), White = qRgb(255, 255, 255), Grey = qRgb(128, 128, 128),
           Red = qRgb(255, 0, 0);

// 48 x 40 px with a red 32 x 32 picture at (8, 4).
void setUp(PictureButton &b)
{
    b.resize(48, 40);
    b.setBackColor(QColor(Back));
    QPixmap picture(32, 32);
    picture.fill(QColor(Red));
    b.setPicture(picture);
}

// Two sample points of a look: the top-left edge and the picture's top-left
// corner. Raised has a white edge; pressed a grey one, with the picture moved
// one pixel right and down; flat no edge at all.
using Look = std::pair<QRgb, QRgb>;
const Look RaisedLook{White, Red}, PressedLook{Grey, Back}, FlatLook{Back, Red};

// A shown button whose hover poll is told where the pointer is, and what it
// reports to its host (the program listens to its clicks and keys).
class PictureButtonMouse : public ::testing::Test {
protected:
    struct PolledButton : PictureButton {
        bool over = false;
        bool pointerIsOver() override { return over; }
    } b;
    QStringList events;

    void SetUp() override
    {
        setUp(b);
        b.show();
        QObject::connect(&b, &PictureButton::clicked, &b, [this] { events << "Click"; });
        QObject::connect(&b, &PictureButton::keyPress, &b,
                         [this](qint16 key) { events << QString("Key %1").arg(key); });
    }
    void poll(bool over)
    {
        b.over = over;
        b.pollHover();
    }
    Look shown()
    {
        const QImage img = b.grab().toImage().convertToFormat(QImage::Format_RGB32);
        return {img.pixel(0, 0), img.pixel(8, 4)};
    }
};

} // namespace

TEST_F(PictureButtonMouse, PressAndReleaseClickButNotOutsideByKeysOrDisabled)
{
    poll(true);
    EXPECT_EQ(shown(), RaisedLook);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(shown(), PressedLook);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(events, QStringList({"Click"}));

    // Leaving while pressed turns the button flat; the release outside does not click.
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    poll(false);
    EXPECT_EQ(shown(), FlatLook);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(100, 100));
    // Keys are forwarded but never change the look.
    QTest::keyClick(&b, Qt::Key_Return);
    EXPECT_EQ(events, QStringList({"Click", "Key 13"}));
    EXPECT_EQ(b.buttonState(), PictureButton::Flat);

    // A disabled button takes no press and stays flat under the pointer.
    b.setEnabled(false);
    poll(true);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(events.size(), 2);
    EXPECT_EQ(shown(), FlatLook);
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

// Stored names are matched whatever their case, and Enabled is saved as the
// button's own setting, not as its disabled parent makes it look.
TEST(PictureButtonProperties, LoadMatchesNamesWithoutCaseAndSavesTheButtonsOwnEnabled)
{
    PropertyBag bag;
    bag.write("backcolor", QColor(1, 2, 3), QColor());
    bag.write("ENABLED", false, true);
    QWidget parent;
    auto *b = new PictureButton(&parent);
    b->loadProperties(bag);
    EXPECT_EQ(b->backColor(), QColor(1, 2, 3));
    EXPECT_FALSE(b->isEnabled());
    b->setControlEnabled(true);
    parent.setEnabled(false);
    PropertyBag saved;
    b->saveProperties(saved);
    EXPECT_TRUE(saved.read("Enabled", true).toBool()); // true is the default, not written
}
