#include "core/items/ItemScriptReader.h"
#include "core/items/ItemHandling.h"
#include "support/TestSupport.h"

#include <QDirIterator>
#include <gtest/gtest.h>

namespace {
const QString itemCases = QStringLiteral(RUNEQUILL_FIXTURES "/items");

// "N=VALUE" lines, one per field that is not empty.
QStringList expectedFields(const QString &path) {
    QStringList fields(ItemHandling::FieldCount);
    for (const QByteArray &line : TestSupport::readFile(path).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            fields[line.left(equals).toInt()] = QString::fromLatin1(line.mid(equals + 1));
    }
    return fields;
}

} // namespace

// Each NAME.scp under fixtures/items is read into the fields listed in NAME.fields and the
// additional text held byte for byte in NAME.additional. What was read, compiled and read
// again gives the same fields and text.
TEST(ItemScriptReader, ReadsEveryFixtureIntoFieldsAndAdditionalText) {
    QDirIterator it(itemCases, {QStringLiteral("*.scp")});
    int cases = 0;
    while (it.hasNext()) {
        const QString script = it.next();
        const QString base = script.chopped(4);
        SCOPED_TRACE(script.toStdString());
        ++cases;

        const Outcome<QString> text = ItemScriptReader::readFile(script);
        ASSERT_TRUE(text.ok());
        const ItemScriptReader::Item item = ItemScriptReader::readSection(text.value);
        EXPECT_EQ(item.fields, expectedFields(base + QStringLiteral(".fields")));
        EXPECT_EQ(item.additional.toLatin1(), TestSupport::readFile(base + QStringLiteral(".additional")));

        const ItemScriptReader::Item again =
            ItemScriptReader::readSection(CompileItem(item.fields) + item.additional);
        EXPECT_EQ(again.fields, item.fields);
        EXPECT_EQ(again.additional, item.additional);
    }
    EXPECT_GE(cases, 4);
}
