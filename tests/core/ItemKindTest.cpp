// The item kind read from script files and written back as the Item Creator does it.
#include "core/items/ItemKind.h"
#include "core/definitions/ScriptFile.h"
#include "core/items/ItemHandling.h"
#include "core/text/CodePage.h"
#include "support/TestSupport.h"

#include <QDirIterator>
#include <gtest/gtest.h>
#include <iostream>

namespace {
// The fields with the "N=VALUE" lines of a fixture file set.
QStringList edited(QStringList fields, const QString &path) {
    for (const QByteArray &line : TestSupport::readFile(path).split('\n'))
        if (const qsizetype equals = line.indexOf('='); equals > 0)
            fields[line.left(equals).toInt()] = QString::fromUtf8(line.mid(equals + 1));
    return fields;
}
} // namespace

// Each NAME.scp under fixtures/items is opened as "Open..." does (its first item): the fields
// are those NAME.fields lists ("N=VALUE"), the additional text is NAME.additional, byte for
// byte, and the warnings are the lines of NAME.warnings. Written back unchanged it is the section
// read; with the fields of NAME.edit changed, it is NAME.written, byte for byte.
TEST(ItemKind, FixturesReadIntoTheFormAndOnlyEditedFieldsChange) {
    const DefinitionKind &kind = itemKind();
    QDirIterator it(QStringLiteral(RUNEQUILL_FIXTURES "/items"), {QStringLiteral("*.scp")});
    int cases = 0;
    while (it.hasNext()) {
        const QString base = it.next().chopped(4);
        SCOPED_TRACE(base.toStdString());
        ++cases;
        const Outcome<ScriptFile> file = ScriptFile::read(base + ".scp");
        ASSERT_TRUE(file.ok());
        const DefinitionSection section = file.value.section(0);
        const FormValues shown = kind.formValues(section);
        const QStringList fields = ItemHandling::fields(shown).mid(0, ItemHandling::FieldCount);
        EXPECT_EQ(fields, edited(QStringList(ItemHandling::FieldCount), base + ".fields"));
        EXPECT_EQ(shown.rest.toUtf8(), TestSupport::readFile(base + ".additional"));
        EXPECT_EQ(kind.withForm(section, shown, shown), section);
        const QString warnings = QString::fromUtf8(TestSupport::readFile(base + ".warnings"));
        EXPECT_EQ(kind.warnings(section), warnings.split(u'\n', Qt::SkipEmptyParts));
        if (QFile::exists(base + ".edit")) {
            const FormValues changed = ItemHandling::withFields(shown, edited(fields, base + ".edit"));
            EXPECT_EQ(kind.withForm(section, shown, changed).text().toUtf8(),
                      TestSupport::readFile(base + ".written"));
        }
    }
    EXPECT_GE(cases, 6);
}

// Every item of the server's stock script pack, opened and written back unchanged, is the
// section read, byte for byte, in the file's line ends; with VALUE changed, every other key
// stays where it stood, on its side of ON=@CREATE.
TEST(ItemKind, EveryItemOfTheStockPackComesBackAsItWasRead) {
    const QString pack = QStringLiteral(RUNEQUILL_SPHERE "/scripts-x");
    if (!QFileInfo::exists(pack))
        GTEST_SKIP() << "no stock script pack at " << pack.toStdString();
    const DefinitionKind &kind = itemKind();
    const qsizetype value = 16; // field 17, VALUE=
    ASSERT_EQ(kind.keys().entries()[value].key, "VALUE");
    int items = 0, same = 0;
    TestSupport::forEachSection(pack, "ITEMDEF", [&](const TestSupport::FoundSection &s) {
        ++items;
        const DefinitionSection read = s.file.section(s.index);
        const FormValues shown = kind.formValues(read);
        // As the Item Creator sees it: the form's fields over what it read.
        const QStringList fields = ItemHandling::fields(shown).mid(0, ItemHandling::FieldCount);
        const DefinitionSection written = kind.withForm(read, shown, ItemHandling::withFields(shown, fields));
        same += CodePage::encode(written.text(s.lineEnd)).value == s.bytes;
        QStringList changedFields = fields;
        changedFields[value + 1] = shown.values[value] == "7" ? "8" : "7";
        const FormValues changed = ItemHandling::withFields(shown, changedFields);
        const DefinitionSection edited = kind.withForm(read, shown, changed);
        for (KeySide side : {KeySide::Body, KeySide::Create}) {
            QStringList before = TestSupport::keyLines(read, side),
                        after = TestSupport::keyLines(edited, side);
            before.removeIf([](const QString &key) { return key.startsWith("VALUE="); });
            after.removeIf([](const QString &key) { return key.startsWith("VALUE="); });
            EXPECT_EQ(after, before) << s.path.toStdString() << ": " << read.name().toStdString();
        }
    });
    std::cout << "stock pack: " << items << " items, " << same << " byte for byte\n";
    EXPECT_GT(items, 30000);
    EXPECT_EQ(same, items);
}
