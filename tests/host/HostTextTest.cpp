#include "HostError.h"
#include "HostText.h"
#include "TestSupport.h"
#include "TextUtil.h"

namespace {

TEST(TrimBlanks, RemovesSpacesOnlyAtBothEnds)
{
    EXPECT_EQ(HostText::TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(HostText::TrimBlanks("\ta\t"), "\ta\t");
    EXPECT_EQ(HostText::TrimBlanks(" \r\nx "), "\r\nx");
    EXPECT_EQ(HostText::TrimBlanks("   "), "");
}

// As the Val of the platform: the number the text begins with, 0 where it begins with none.
TEST(Val, ReadsTheNumberATextBeginsWith)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"0001", 1},  {"  12abc", 12}, {"\t-3", -3}, {"+5", 5},     {"1.5x", 1.5},      {"-0.25", -0.25},
        {"", 0},      {"   ", 0},      {"-", 0},      {"abc", 0},    {".5", 0.5},        {"1e3", 1},
        {"999999999999999999", 999999999999999999.0}, {"12345678901234567890", 12345678901234567890.0},
        {"１２", 0},   // full-width digits are no digits here
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(HostText::Val(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(ToLong, ReadsDecimalTextAndRoundsHalvesToEven)
{
    EXPECT_EQ(HostText::ToLong("16394"), 16394);
    EXPECT_EQ(HostText::ToLong(" -7 "), -7);
    EXPECT_EQ(HostText::ToLong("2.5"), 2);
    EXPECT_EQ(HostText::ToLong("3.5"), 4);
}

TEST(ToLong, RefusesTextThatIsNoNumber)
{
    EXPECT_THROW(HostText::ToLong("abc"), HostError);
    EXPECT_THROW(HostText::ToLong(""), HostError);
    EXPECT_THROW(HostText::ToLong("12abc"), HostError);
}

TEST(ToLong, RefusesNumbersBeyond32Bits)
{
    EXPECT_THROW(HostText::ToLong("2147483648"), HostError);
    EXPECT_EQ(HostText::ToLong("-2147483648"), -2147483647 - 1);
}

TEST(TextUtil, IdReadsBackFromItsDisplayText)
{
    const QString text = TextUtil::ComposeIdText("客户代码", "1");
    EXPECT_TRUE(text.contains("客户代码"));
    EXPECT_EQ(TextUtil::IdOfText(text), "1");
    EXPECT_EQ(TextUtil::IdOfText(TextUtil::ComposeIdText("Code (long)", "26")), "26");
}

TEST(TextUtil, TextWithoutAnIdGivesNoPositiveId)
{
    for (const char* text : {"", "   ", "客户代码", "x(abc)", "()"})
        EXPECT_LE(TextUtil::IdOfText(text).toInt(), 0) << text;
}

}
