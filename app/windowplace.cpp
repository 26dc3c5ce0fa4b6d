#include "windowplace.h"

#include "storage/settings.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace WindowPlace {

void restore(QWidget *window, const QSize &smallest)
{
    const Settings settings;
    const QRect saved = settings.windowGeometry();
    bool maximized = settings.windowMaximized();
    QSize size = saved.isValid() ? saved.size().expandedTo(smallest) : smallest;
    // The screen the place lies on most; none: the primary one, centred.
    QScreen *screen = nullptr;
    qint64 most = 0;
    for (QScreen *candidate : QGuiApplication::screens()) {
        const QRect common = candidate->availableGeometry().intersected(QRect(saved.topLeft(), size));
        if (saved.isValid() && qint64(common.width()) * common.height() > most) {
            most = qint64(common.width()) * common.height();
            screen = candidate;
        }
    }
    const bool onScreen = screen != nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(size);
        return;
    }
    // Never larger than the screen has room for (a smaller screen since, or
    // a setting gone wrong would make a window of gigabytes): a window that
    // does not fit is shown maximised, and kept within the screen when
    // brought back to its normal size.
    const QRect avail = screen->availableGeometry();
    if (size.width() > avail.width() || size.height() > avail.height()) {
        size = size.boundedTo(avail.size());
        maximized = true;
    }
    QPoint place(avail.left() + (avail.width() - size.width()) / 2,
                 avail.top() + (avail.height() - size.height()) / 2);
    if (onScreen)
        place = QPoint(qBound(avail.left(), saved.left(), avail.right() + 1 - size.width()),
                       qBound(avail.top(), saved.top(), avail.bottom() + 1 - size.height()));
    window->setGeometry(QRect(place, size));
    if (maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void remember(const QWidget *window)
{
    // The place to come back to is the one before maximising.
    Settings().rememberWindow(window->isMaximized() ? window->normalGeometry() : window->geometry(),
                              window->isMaximized());
}

} // namespace WindowPlace
