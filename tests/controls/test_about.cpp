#include "controls/fade.h"
#include "controls/frmabout.h"
#include "controls/netsupport.h"
#include "controls/prompts.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Answers every link with the given outcome and records what was asked.
class LinkPrompts : public Prompts {
public:
    explicit LinkPrompts(bool opens) : m_opens(opens) { Prompts::install(this); }
    ~LinkPrompts() override { Prompts::install(nullptr); }

    QList<QUrl> urls;
    QStringList texts;
    QStringList titles;
    QList<QMessageBox::Icon> icons;
    QList<QMessageBox::StandardButtons> buttons;

    bool openUrl(const QUrl &url) override
    {
        urls << url;
        return m_opens;
    }
    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons b,
                                        const QString &title) override
    {
        icons << icon;
        texts << text;
        titles << title;
        buttons << b;
        return QMessageBox::Ok;
    }

private:
    bool m_opens;
};

QLabel *label(const frmAbout &box, const char *name)
{
    auto *l = box.findChild<QLabel *>(QString::fromLatin1(name));
    EXPECT_NE(l, nullptr) << name;
    return l;
}

int blueAt(const QImage &img, int y)
{
    return qBlue(img.pixel(img.width() / 2, y));
}

QImage fade(int width, int height, qint32 from, qint32 to)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::black);
    Fade::FadePicture(img, from, to);
    return img;
}

} // namespace

TEST(AboutBox, ShowsTitleVersionDescriptionAndCopyright)
{
    frmAbout box;
    EXPECT_EQ(box.windowTitle(), "About Quillhaven");
    EXPECT_EQ(box.size(), QSize(380, 292));
    EXPECT_EQ(label(box, "lblTitle")->text(), "Quillhaven");
    EXPECT_TRUE(label(box, "lblTitle")->font().bold());
    EXPECT_EQ(label(box, "lblVersion")->text(), "Version 1.0.0");
    EXPECT_EQ(label(box, "lblDescription")->text(), QStringLiteral(QH_FILE_DESCRIPTION));
    EXPECT_EQ(label(box, "lblCopyright")->text(), "Copyright (c) 2026 the Quillhaven authors");
    EXPECT_EQ(frmAbout::CopyrightNote(), "Copyright (c) 2026 the Quillhaven authors");
    EXPECT_EQ(label(box, "lblEmail")->text(), "support@quillhaven.example.org");
    EXPECT_EQ(label(box, "Web")->text(), "https://quillhaven.example.org/");
    EXPECT_EQ(label(box, "lblEmail")->geometry(), QRect(132, 92, 193, 17));
    EXPECT_TRUE(label(box, "lblDisclaimer")->text().isEmpty());
    EXPECT_FALSE(label(box, "picIcon")->pixmap().isNull());
}

TEST(AboutBox, OkEnterAndEscapeCloseIt)
{
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        frmAbout box;
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        EXPECT_TRUE(box.findChild<QPushButton *>("cmdOK")->isDefault());
        QTest::keyClick(&box, Qt::Key(key));
        EXPECT_FALSE(box.isVisible()) << key;
    }
}

TEST(AboutBox, LinksHandTheirTextToTheSystem)
{
    LinkPrompts prompts(true);
    frmAbout box;
    box.show();
    QTest::mouseClick(label(box, "Web"), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(label(box, "lblEmail"), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(prompts.urls.size(), 2);
    EXPECT_EQ(prompts.urls.at(0), QUrl("https://quillhaven.example.org/"));
    EXPECT_EQ(prompts.urls.at(1), QUrl("mailto:support@quillhaven.example.org"));
    EXPECT_TRUE(prompts.texts.isEmpty());
    EXPECT_TRUE(box.isVisible());
}

TEST(AboutBox, FailingLinksShowTheirMessagesAndTheBoxStaysOpen)
{
    LinkPrompts prompts(false);
    frmAbout box;
    box.show();
    QTest::mouseClick(label(box, "Web"), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(label(box, "lblEmail"), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(prompts.texts.size(), 2);
    EXPECT_EQ(prompts.texts.at(0), "Error lauching web borwser. Make sure that your web browser "
                                   "is correctly installed and configured");
    EXPECT_EQ(prompts.texts.at(1), "Error sending mail. Make sure that you have your email "
                                   "client  correctly installed and configured");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(prompts.icons.at(i), QMessageBox::Critical);
        EXPECT_EQ(prompts.buttons.at(i), QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(prompts.titles.at(i), "Quillhaven");
    }
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(NetSupport::OpenWebPage("https://quillhaven.example.org/"));
}

TEST(AboutBox, MailLinkStaysWhiteWhilePressedAndReleaseOutsideSendsNothing)
{
    LinkPrompts prompts(true);
    frmAbout box;
    box.show();
    QLabel *mail = label(box, "lblEmail");
    EXPECT_EQ(mail->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(mail->font().underline());
    EXPECT_EQ(mail->cursor().shape(), Qt::PointingHandCursor);

    QTest::mousePress(mail, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(mail->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QTest::mouseRelease(mail, Qt::LeftButton, {}, QPoint(-40, 60));
    EXPECT_EQ(mail->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(prompts.urls.isEmpty());
}

TEST(FadeGradient, BandsOfThreePixelsOnA193PixelPanel)
{
    const QImage img = fade(65, 193, Fade::Rgb(192, 192, 192), Fade::Rgb(192, 192, 255));
    for (int band = 0; band < 63; ++band)
        for (int row = 3 * band; row < 3 * band + 3; ++row)
            ASSERT_EQ(blueAt(img, row), 192 + band) << "row " << row;
    for (int row = 189; row < 193; ++row)
        EXPECT_EQ(blueAt(img, row), 255) << "row " << row;
    for (int row = 0; row < 193; ++row) {
        ASSERT_EQ(qRed(img.pixel(0, row)), 192);
        ASSERT_EQ(qGreen(img.pixel(64, row)), 192);
    }
}

TEST(FadeGradient, PanelLowerThan63PixelsTakesTheFinalColour)
{
    const QImage img = fade(10, 40, Fade::Rgb(192, 192, 192), Fade::Rgb(192, 192, 255));
    for (int row = 0; row < 40; ++row)
        ASSERT_EQ(img.pixel(3, row), qRgb(192, 192, 255)) << row;

    const QImage taller = fade(10, 70, Fade::Rgb(192, 192, 192), Fade::Rgb(192, 192, 255));
    EXPECT_EQ(blueAt(taller, 0), 192);
    EXPECT_EQ(blueAt(taller, 62), 254);
    EXPECT_EQ(blueAt(taller, 63), 255);
    EXPECT_EQ(blueAt(taller, 69), 255);
}

TEST(FadeGradient, PartsDifferingByLessThanHalfAStepStayConstant)
{
    const QImage img = fade(4, 126, Fade::Rgb(100, 10, 0), Fade::Rgb(130, 200, 0));
    for (int row = 0; row < 126; ++row)
        ASSERT_EQ(qRed(img.pixel(1, row)), 100) << row;
    EXPECT_EQ(qGreen(img.pixel(1, 0)), 10);
    EXPECT_GT(qGreen(img.pixel(1, 125)), 150);
}

TEST(FadeGradient, SplitColorTakesRedFromTheLowestByte)
{
    qint16 r = -1, g = -1, b = -1;
    Fade::SplitColor(Fade::Rgb(12, 34, 56), r, g, b);
    EXPECT_EQ(r, 12);
    EXPECT_EQ(g, 34);
    EXPECT_EQ(b, 56);
}

TEST(AboutBox, GradientPanelHasASunkenFrame)
{
    frmAbout box;
    QWidget *panel = box.findChild<QWidget *>("Picture1");
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->size(), QSize(65, 193));
    QLabel *icon = label(box, "picIcon");
    icon->hide(); // look at the panel alone
    const QImage img = panel->grab().toImage();
    const QRgb grey = qRgb(128, 128, 128), white = qRgb(255, 255, 255);
    EXPECT_EQ(img.pixel(0, 0) | 0xFF000000u, grey);
    EXPECT_EQ(img.pixel(63, 0) | 0xFF000000u, grey);
    EXPECT_EQ(img.pixel(0, 191) | 0xFF000000u, grey);
    EXPECT_EQ(img.pixel(64, 0) | 0xFF000000u, white);
    EXPECT_EQ(img.pixel(64, 192) | 0xFF000000u, white);
    EXPECT_EQ(img.pixel(1, 192) | 0xFF000000u, white);
    EXPECT_EQ(img.pixel(0, 192) | 0xFF000000u, qRgb(192, 192, 255)); // corner left to the fill
    EXPECT_EQ(img.pixel(30, 1) | 0xFF000000u, qRgb(192, 192, 192));
    EXPECT_EQ(img.pixel(30, 100) | 0xFF000000u, qRgb(192, 192, 192 + 33));
}
