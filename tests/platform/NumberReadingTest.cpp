#include "platform/NumberReading.h"

#include <QString>
#include <gtest/gtest.h>

TEST(NumberReading, TakesTheLongestLeadingDecimalNumber)
{
    EXPECT_EQ(readBoxNumber(u"12"), 12);
    EXPECT_EQ(readBoxNumber(u" 1 2 "), 12) << "blanks are ignored";
    EXPECT_EQ(readBoxNumber(u"7abc"), 7);
    EXPECT_EQ(readBoxNumber(u"abc"), 0);
    EXPECT_EQ(readBoxNumber(u""), 0);
    EXPECT_EQ(readBoxNumber(u"-3"), -3);
    EXPECT_EQ(readBoxNumber(u".5x"), 0);
}

TEST(NumberReading, RoundsHalvesToEven)
{
    EXPECT_EQ(readBoxNumber(u"2.5"), 2);
    EXPECT_EQ(readBoxNumber(u"3.5"), 4);
    EXPECT_EQ(readBoxNumber(u"2.51"), 3);
    EXPECT_EQ(readBoxNumber(u"-1.5"), -2);
}

TEST(NumberReading, ClampsToSixteenBits)
{
    EXPECT_EQ(readBoxNumber(u"32767"), 32767);
    EXPECT_EQ(readBoxNumber(u"40000"), 32767);
    EXPECT_EQ(readBoxNumber(u"99999999999999999999999"), 32767);
    EXPECT_EQ(readBoxNumber(u"-99999"), -32768);
    EXPECT_EQ(readBoxNumber(QString(400, u'9')), 32767);
}

TEST(NumberReading, WholeTextDecimal)
{
    double v = -1;
    EXPECT_TRUE(parseDecimal(u" 3 ", &v));
    EXPECT_EQ(v, 3);
    EXPECT_TRUE(parseDecimal(u"-0", &v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(parseDecimal(u"99999999999999999999", &v));
    EXPECT_GT(v, 1e19);
    EXPECT_TRUE(parseDecimal(u"1.5"));
    EXPECT_FALSE(parseDecimal(u""));
    EXPECT_FALSE(parseDecimal(u"  "));
    EXPECT_FALSE(parseDecimal(u"0x1"));
    EXPECT_FALSE(parseDecimal(u"1e9"));
    EXPECT_FALSE(parseDecimal(u"3 4"));
    EXPECT_FALSE(parseDecimal(u"-"));
}
