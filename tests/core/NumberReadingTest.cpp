#include "core/text/NumberReading.h"

#include <QString>
#include <gtest/gtest.h>

TEST(NumberReading, BoxNumbers) {
    // The longest leading decimal number, blanks ignored, halves rounded to even, clamped to 16 bits.
    const struct {
        QString text;
        int value;
    } cases[] = {
        {"12", 12},
        {" 1 2 ", 12},
        {"7abc", 7},
        {"abc", 0},
        {"", 0},
        {"-3", -3},
        {".5x", 0},
        {"2.5", 2},
        {"3.5", 4},
        {"2.51", 3},
        {"-1.5", -2},
        {"32767", 32767},
        {"40000", 32767},
        {"-99999", -32768},
        {"99999999999999999999999", 32767},
        {QString(400, u'9'), 32767},
    };
    for (const auto &c : cases)
        EXPECT_EQ(readBoxNumber(c.text), c.value) << c.text.toStdString();
}

TEST(NumberReading, WholeTextDecimal) {
    double v = -1;
    EXPECT_TRUE(parseDecimal(u" 3 ", &v));
    EXPECT_EQ(v, 3);
    EXPECT_TRUE(parseDecimal(u"-0", &v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(parseDecimal(u"99999999999999999999", &v));
    EXPECT_GT(v, 1e19);
    EXPECT_TRUE(parseDecimal(u"1.5"));
    for (const char16_t *text : {u"", u"  ", u"0x1", u"1e9", u"3 4", u"-"})
        EXPECT_FALSE(parseDecimal(text)) << QString::fromUtf16(text).toStdString();
}
