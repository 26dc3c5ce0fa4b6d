#include "dialogs/aboutdialog.h"
#include "fakeprompts.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QLabel *label(const AboutDialog &box, const char *name)
{
    auto *l = box.findChild<QLabel *>(QString::fromLatin1(name));
    EXPECT_NE(l, nullptr) << name;
    return l;
}

} // namespace

// The copyright in labels that fit their texts (the window title is checked
// where the main window opens the box, the version by the command line's
// --version); the links open, a failure says so and the box stays, till Enter
// (OK) or Escape closes it.
TEST(AboutBox, LabelsFitLinksOpenAndAFailureIsSaidTillOkOrEscape)
{
    for (bool opens : {true, false}) {
        FakePrompts prompts;
        prompts.urlResult = opens;
        AboutDialog box;
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        EXPECT_EQ(label(box, "copyright")->text(), "Copyright (c) 2026 the Quillhaven authors");
        for (const char *name : {"version", "description", "copyright", "emailCaption", "webCaption",
                                 "emailLink", "webLink"}) {
            const QLabel *l = label(box, name);
            EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->width()) << name;
        }
        // The mail link turns white while pressed; a release outside it sends nothing.
        QLabel *mail = label(box, "emailLink");
        QTest::mousePress(mail, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(mail->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        QTest::mouseRelease(mail, Qt::LeftButton, {}, QPoint(-40, 60));
        QTest::mouseClick(label(box, "webLink"), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(mail, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(prompts.urls, (std::vector<QUrl>{QUrl("https://quillhaven.example.org/"),
                                                   QUrl("mailto:support@quillhaven.example.org")}));
        QStringList shown;
        for (const auto &m : prompts.messages) {
            EXPECT_EQ(m.icon, QMessageBox::Critical);
            EXPECT_EQ(m.buttons, QMessageBox::Ok);
            EXPECT_EQ(m.title, "Quillhaven");
            shown << m.text;
        }
        const QStringList expected{
            "Error lauching web borwser. Make sure that your web browser "
            "is correctly installed and configured",
            "Error sending mail. Make sure that you have your email "
            "client  correctly installed and configured"};
        EXPECT_EQ(shown, opens ? QStringList() : expected);
        EXPECT_TRUE(box.isVisible());
        QTest::keyClick(&box, opens ? Qt::Key_Return : Qt::Key_Escape);
        EXPECT_FALSE(box.isVisible()) << opens;
    }
}

TEST(AboutBox, GradientPanelInASunkenFrame)
{
    // Grey to light blue in bands of three pixels inside a one-pixel frame,
    // grey at the left, white at the right.
    AboutDialog box;
    QWidget *panel = box.findChild<QWidget *>("sidePanel");
    ASSERT_NE(panel, nullptr);
    label(box, "icon")->hide(); // look at the panel alone
    const QImage img = panel->grab().toImage();
    const QRgb grey = qRgb(128, 128, 128), white = qRgb(255, 255, 255);
    const struct { int x, y; QRgb color; } pixels[] = {
        {0, 100, grey}, {64, 100, white}, {30, 1, qRgb(192, 192, 192)}, {30, 189, qRgb(192, 192, 255)}};
    for (const auto &p : pixels)
        EXPECT_EQ(img.pixel(p.x, p.y) | 0xFF000000u, p.color) << p.x << "," << p.y;
}
