#include "controls/picturebutton.h"
#include "controls/typewritertext.h"
#include "testsupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// What a control reports when a key goes down and up.
template <class Control>
QString keyEvents(Qt::Key key)
{
    Control c;
    QStringList events;
    QObject::connect(&c, &Control::keyDown,
                     [&](int code, int shift) { events << QString("Down %1 %2").arg(code).arg(shift); });
    QObject::connect(&c, &Control::keyUp,
                     [&](int code, int shift) { events << QString("Up %1 %2").arg(code).arg(shift); });
    QTest::keyClick(&c, key);
    return events.join(", ");
}

} // namespace

TEST(KeyCodes, BothControlsReportTheClassicCodes)
{
    // Both Enter keys, the ends of the arrow block and a letter.
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_Left, 37}, {Qt::Key_Down, 40}, {Qt::Key_Q, 81}};
    for (const auto &[key, code] : keys) {
        const QString expected = QString("Down %1 0, Up %1 0").arg(code);
        EXPECT_EQ(keyEvents<PictureButton>(key), expected) << "picture button, Qt key " << key;
        EXPECT_EQ(keyEvents<TypewriterText>(key), expected) << "typewriter, Qt key " << key;
    }
}
