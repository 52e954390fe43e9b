#include "TestSupport.h"
#include "VirtualKeys.h"

#include <Qt>
#include <gtest/gtest.h>

namespace {

TEST(VirtualKeys, FunctionKeysCountFromF1At112)
{
    EXPECT_EQ(VirtualKeys::FromQtKey(Qt::Key_F1), 112);
    EXPECT_EQ(VirtualKeys::FromQtKey(Qt::Key_F12), 123);
}

TEST(VirtualKeys, LettersDigitsAndEditingKeysKeepThePlatformsCodes)
{
    EXPECT_EQ(VirtualKeys::FromQtKey(Qt::Key_A), 65);
    EXPECT_EQ(VirtualKeys::FromQtKey(Qt::Key_7), 55);
    EXPECT_EQ(VirtualKeys::FromQtKey(Qt::Key_Return), 13);
    EXPECT_EQ(VirtualKeys::FromQtKey(Qt::Key_Enter), 13);
    EXPECT_EQ(VirtualKeys::FromQtKey(Qt::Key_Escape), 27);
    EXPECT_EQ(VirtualKeys::FromQtKey(Qt::Key_Down), 40);
    EXPECT_EQ(VirtualKeys::FromQtKey(Qt::Key_Delete), 46);
    EXPECT_EQ(VirtualKeys::FromQtKey(Qt::Key_Apostrophe), 0) << "no virtual key of its own";
}

}
