// The character kind read from script files and written back as the NPC Creator does it.
#include "core/characters/CharacterScript.h"
#include "core/characters/CharacterKind.h"
#include "core/text/CodePage.h"
#include "support/TestSupport.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>

namespace {
qsizetype fieldOf(const QString &key, KeySide side) {
    const KeyTable &table = characterKind().keys();
    return table.rank(table.find(key, side));
}

// The form with the edits of a fixture file, one a line: "name=N", "body KEY=V", "create KEY=V",
// "skin=V", "stays=0|1", "item N ITEM [COLOUR]" (item N set or added; "*ITEM" for ITEMNEWBIE),
// "drop N", "link=PREFIX|WORDS|DCLICK", "nolink", "speeches=S S", "rest=TEXT" ("\r\n" escaped).
CharacterForm edited(CharacterForm form, const QString &path) {
    for (QString line : QString::fromUtf8(TestSupport::readFile(path)).split(u'\n', Qt::SkipEmptyParts)) {
        line.replace(QStringLiteral("\\r\\n"), QStringLiteral("\r\n"));
        const QString verb = line.section(QRegularExpression(QStringLiteral("[ =]")), 0, 0);
        const QString rest = line.mid(verb.size() + 1);
        const QStringList words = rest.split(u' ');
        if (verb == "name")
            form.values.name = rest;
        else if (verb == "body" || verb == "create")
            form.values
                .values[fieldOf(rest.section(u'=', 0, 0), verb == "body" ? KeySide::Body : KeySide::Create)] =
                rest.section(u'=', 1);
        else if (verb == "skin")
            form.skin = rest;
        else if (verb == "stays")
            form.staysInPlace = rest == "1";
        else if (verb == "item") {
            const OutfitItem item{words[1].mid(words[1].startsWith(u'*')), words.value(2),
                                  words[1].startsWith(u'*')};
            const qsizetype n = words[0].toInt();
            n < form.items.size() ? void(form.items[n] = item) : form.items.append(item);
        } else if (verb == "drop")
            form.items.removeAt(rest.toInt());
        else if (verb == "link")
            form.link = ConversationLink{rest.section(u'|', 0, 0),
                                         rest.section(u'|', 1, 1).split(u' ', Qt::SkipEmptyParts),
                                         rest.section(u'|', 2) == "1"};
        else if (verb == "nolink")
            form.link.reset();
        else if (verb == "speeches")
            form.speeches = rest.split(u' ');
        else if (verb == "rest")
            form.values.rest = rest;
        else
            ADD_FAILURE() << "unknown edit " << line.toStdString();
    }
    return form;
}
} // namespace

// Each NAME.scp under fixtures/characters is opened as "Open..." does (its first [CHARDEF] and
// the speech section its conversation names; a file without one starts a new NPC); unchanged, it
// writes back the sections read. With the edits of NAME.edit, Save makes the file NAME.written,
// byte for byte, and the warnings are the lines of NAME.warnings.
TEST(CharacterScript, FixturesReadEditAndSaveInPlace) {
    QDirIterator it(QStringLiteral(RUNEQUILL_FIXTURES "/characters"), {QStringLiteral("*.scp")});
    int cases = 0;
    while (it.hasNext()) {
        const QString base = it.next().chopped(4);
        SCOPED_TRACE(base.toStdString());
        ++cases;
        const ScriptFile file = ScriptFile::read(base + ".scp").value;
        qsizetype at = 0;
        while (at < file.sections().size() && file.sections()[at].type != "CHARDEF")
            ++at;
        at = at < file.sections().size() ? at : -1;
        const CharacterScript read = at >= 0 ? CharacterScripts::read(file, at) : CharacterScripts::fresh();
        const CharacterForm shown = at >= 0 ? CharacterScripts::formOf(read) : CharacterForms::empty();
        EXPECT_EQ(CharacterScripts::withForm(read, shown, shown), read);

        const CharacterForm now = edited(at >= 0 ? shown : CharacterForms::newCharacter(), base + ".edit");
        const CharacterScript written = CharacterScripts::withForm(read, shown, now);
        QTemporaryDir dir;
        const QString path = dir.filePath("npc.scp");
        TestSupport::writeFile(path, file.bytes());
        ASSERT_TRUE(CharacterScripts::save(path, written, ScriptFile::Place{read.character.name()},
                                           read.speech ? read.speech->name() : QString())
                        .ok());
        EXPECT_EQ(TestSupport::readFile(path), TestSupport::readFile(base + ".written"));
        const QString warnings = QString::fromUtf8(TestSupport::readFile(base + ".warnings"));
        EXPECT_EQ(CharacterScripts::warnings(written, now), warnings.split(u'\n', Qt::SkipEmptyParts));
        // What was written reads back as the form that wrote it.
        const ScriptFile again = ScriptFile::read(path).value;
        EXPECT_EQ(CharacterScripts::formOf(
                      CharacterScripts::read(again, again.find(u"CHARDEF", written.character.name()))),
                  now);
    }
    EXPECT_GE(cases, 5);
}

// Every character of the server's stock script pack, opened and written back unchanged, is the
// section read, byte for byte; with STR= changed, every other key line stays where it stood.
TEST(CharacterScript, EveryCharacterOfTheStockPackComesBackAsItWasRead) {
    const QString pack = QStringLiteral(RUNEQUILL_SPHERE "/scripts-x");
    if (!QFileInfo::exists(pack))
        GTEST_SKIP() << "no stock script pack at " << pack.toStdString();
    const qsizetype str = fieldOf("STR", KeySide::Create);
    int characters = 0, same = 0;
    TestSupport::forEachSection(pack, "CHARDEF", [&](const TestSupport::FoundSection &s) {
        ++characters;
        const CharacterScript read = CharacterScripts::read(s.file, s.index);
        const CharacterForm shown = CharacterScripts::formOf(read);
        const DefinitionSection written = CharacterScripts::withForm(read, shown, shown).character;
        same += CodePage::encode(written.text(s.lineEnd)).value == s.bytes;
        CharacterForm changed = shown;
        changed.values.values[str] = shown.values.values[str] == "7" ? "8" : "7";
        const DefinitionSection edited = CharacterScripts::withForm(read, shown, changed).character;
        for (KeySide side : {KeySide::Body, KeySide::Create}) {
            QStringList before = TestSupport::keyLines(read.character, side),
                        after = TestSupport::keyLines(edited, side);
            before.removeAll("STR=" + shown.values.values[str]);
            after.removeAll("STR=" + changed.values.values[str]);
            EXPECT_EQ(after, before) << s.path.toStdString() << ": " << read.character.name().toStdString();
        }
    });
    std::cout << "stock pack: " << characters << " characters, " << same << " byte for byte\n";
    EXPECT_GT(characters, 900);
    EXPECT_EQ(same, characters);
}
