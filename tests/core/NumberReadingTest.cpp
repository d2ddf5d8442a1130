#include "core/text/NumberReading.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

// Each line of fixtures/numbers/box-numbers.txt is "VALUE|TEXT".
TEST(NumberReading, BoxNumbers) {
    QFile file(QStringLiteral(RUNEQUILL_FIXTURES "/numbers/box-numbers.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int cases = 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (!line.startsWith(u'#') && line.contains(u'|') && ++cases) {
            EXPECT_EQ(readBoxNumber(line.section(u'|', 1)), line.section(u'|', 0, 0).toInt())
                << line.toStdString();
        }
    EXPECT_GE(cases, 16);
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
