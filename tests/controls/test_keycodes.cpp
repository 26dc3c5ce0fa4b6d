#include "controls/keycodes.h"

#include <gtest/gtest.h>

// The codes the picture button and the typewriter text report for a key.
TEST(KeyCodes, BoundaryKeysGetTheClassicCodes)
{
    // Both Enter keys, the ends of the arrow block and a letter.
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_Left, 37}, {Qt::Key_Down, 40}, {Qt::Key_Q, 81}};
    for (const auto &[key, code] : keys)
        EXPECT_EQ(KeyCodes::fromQtKey(key), code) << "Qt key " << key;
}
