#pragma once
// Where the main window was when it closed, kept in the settings beside the
// remembered loan (group "Window": the normal geometry and whether it was
// maximised), and brought back at the next start.
#include <QSize>

class QWidget;

namespace WindowPlace {

// Puts `window` where it was, at least `smallest`, within the room of the
// screen it is on (maximised when it is larger); a place on no screen, or
// none remembered, is centred on the primary screen.
void restore(QWidget *window, const QSize &smallest);
// Nothing is said when it cannot be written: the window then opens as designed.
void remember(const QWidget *window);

} // namespace WindowPlace
