// Sections put into script files of many sections.
#include "core/definitions/ScriptFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

// Each folder under fixtures/script-files holds before.scp, section.scp and after.scp: the
// section, put into the file in place of the section named in the file "replace" (or added when
// there is none), gives after.scp byte for byte, and reads back as it was put.
TEST(ScriptFile, EachCasePutsItsSectionInAndKeepsEveryOtherByte) {
    const QDir root(QStringLiteral(RUNEQUILL_FIXTURES "/script-files"));
    const QStringList cases = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(cases.size(), 6);
    for (const QString &name : cases) {
        SCOPED_TRACE(name.toStdString());
        const QDir dir(root.filePath(name));
        ScriptFile file(TestSupport::readFile(dir.filePath("before.scp")));
        const DefinitionSection section = DefinitionSection::fromText(
            QString::fromUtf8(TestSupport::readFile(dir.filePath("section.scp"))));
        if (dir.exists("replace")) {
            const QString replacing = QString::fromUtf8(TestSupport::readFile(dir.filePath("replace")));
            const qsizetype at = file.find(QStringLiteral("itemdef"), replacing);
            ASSERT_GE(at, 0);
            EXPECT_FALSE(file.replace(at, section));
        } else {
            EXPECT_FALSE(file.add(section));
        }
        EXPECT_EQ(file.bytes(), TestSupport::readFile(dir.filePath("after.scp")));
        EXPECT_EQ(file.section(file.find(section.type(), section.name())).lines(), section.lines());
    }
}
