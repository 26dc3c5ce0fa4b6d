#pragma once
// The key codes the controls' key events carry: the classic 16-bit virtual-key
// codes (letters and digits are their upper-case character codes, Enter 13,
// Escape 27, the arrows 37 to 40, F1 112, ...), so that every control reports
// a key the same way, whatever Qt calls it.
#include <QtCore/qnamespace.h>
#include <QtGlobal>

namespace KeyCodes {

// The code of a Qt key (Qt::Key); 0 for a key that has none.
qint16 fromQtKey(int key);
// The Shift argument of a key event: 1 Shift + 2 Ctrl + 4 Alt.
qint16 shiftState(Qt::KeyboardModifiers modifiers);
// Mouse buttons as the controls report them: 1 left + 2 right + 4 middle.
qint16 buttonState(Qt::MouseButtons buttons);

} // namespace KeyCodes
