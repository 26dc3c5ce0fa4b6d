#include "windowplace.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace WindowPlace {

namespace {

QSettings settings()
{
    return QSettings(QStringLiteral("Quillhaven"), QStringLiteral("Quillhaven"));
}

} // namespace

void restore(QWidget *window, const QSize &smallest)
{
    const QSettings s = settings();
    const QRect saved = s.value(QStringLiteral("Window/Geometry")).toRect();
    const bool maximized = s.value(QStringLiteral("Window/Maximized")).toBool();
    const QSize size = saved.isValid() ? saved.size().expandedTo(smallest) : smallest;
    bool onScreen = false;
    for (QScreen *screen : QGuiApplication::screens())
        onScreen = onScreen || screen->availableGeometry().intersects(QRect(saved.topLeft(), size));
    if (saved.isValid() && onScreen) {
        window->setGeometry(QRect(saved.topLeft(), size));
    } else if (QScreen *screen = QGuiApplication::primaryScreen()) {
        window->resize(size);
        const QRect avail = screen->geometry();
        window->move(avail.left() + (avail.width() - window->width()) / 2,
                     avail.top() + (avail.height() - window->height()) / 2);
    }
    if (maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void remember(const QWidget *window)
{
    // The place to come back to is the one before maximising.
    QSettings s = settings();
    s.setValue(QStringLiteral("Window/Geometry"),
               window->isMaximized() ? window->normalGeometry() : window->geometry());
    s.setValue(QStringLiteral("Window/Maximized"), window->isMaximized());
}

} // namespace WindowPlace
