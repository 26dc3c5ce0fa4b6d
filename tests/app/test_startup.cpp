// Starts that must not swell: a remembered window larger than the screen.
#include "mainwindowfixture.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace {

class StartupTest : public MainWindowFixture {
protected:
    static void remember(const QString &key, const QVariant &value)
    {
        QSettings("Quillhaven", "Quillhaven").setValue(key, value);
    }
};

} // namespace

// The window's place and size are kept within the screen's room; one larger
// than the screen is maximised and kept within it when brought back.
TEST_F(StartupTest, ARememberedWindowIsKeptWithinTheScreen)
{
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    const struct { const char *name; QRect saved; bool maximized; QRect expected; } cases[] = {
        {"far too large", QRect(0, 0, 100000, 100000), true, avail},
        {"the screen shrank", QRect(avail.right() - 100, avail.bottom() - 100, 600, 450), false,
         QRect(avail.right() + 1 - 600, avail.bottom() + 1 - 450, 600, 450)},
    };
    writeLoan(path("A.qhv"), standardLoan());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        remember("Window/Geometry", c.saved);
        remember("Window/Maximized", false);
        w = start(path("A.qhv"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->isMaximized() == c.maximized; }));
        EXPECT_TRUE(avail.contains(w->geometry())) << w->width() << " x " << w->height();
        EXPECT_EQ(w->normalGeometry(), c.expected);
        windows.clear();
    }
}
