// A second kind of definition on the same layer, as the NPC Creator builds one: a table with ID=
// read first, TSPEECH= repeated in order, ITEM= with COLOR= pairs below ON=@Create, a body key
// the server loses, and a speech section of its own after the definition in the same file.
#include "core/definitions/DefinitionRules.h"
#include "core/definitions/ScriptFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
KeyEntry entry(const char *key, KeySide side = KeySide::Body) {
    return KeyEntry(QString::fromLatin1(key), side);
}

const DefinitionKind &characterKind() {
    static const DefinitionKind kind = [] {
        KeyEntry id = entry("ID"), can = entry("CAN"), speech = entry("TSPEECH"), str = entry("STR");
        KeyEntry item = entry("ITEM", KeySide::Create), colour = entry("COLOR", KeySide::Create);
        id.first = true;
        can.copiedByFirst = true;
        speech.repeats = item.repeats = colour.repeats = true;
        str.note = KeyNote::Lost;
        str.noteText = QStringLiteral("in the definition gives the NPC 0: write it below ON=@Create");
        return DefinitionKind({QStringLiteral("CHARDEF"),
                               QStringLiteral("c_"),
                               QStringLiteral("npc"),
                               {QStringLiteral("ON=@Create")}},
                              {id, entry("DEFNAME"), entry("NAME"), can, speech, str,
                               entry("NPC", KeySide::Create), entry("STR", KeySide::Create), item, colour},
                              {DefinitionRules::notes(KeyNote::Lost), DefinitionRules::copiedBeforeFirst()});
    }();
    return kind;
}
} // namespace

TEST(DefinitionKind, ACharacterAndItsSpeechFitTheLayer) {
    const DefinitionKind &kind = characterKind();
    const KeyTable &keys = kind.keys();
    ScriptFile file(TestSupport::readFile(QStringLiteral(RUNEQUILL_FIXTURES "/definitions/character.scp")));
    const qsizetype at = file.find(u"CHARDEF", u"c_rq_guard");
    DefinitionSection npc = file.section(at);
    EXPECT_TRUE(kind.isKindOf(npc));
    EXPECT_EQ(npc.values(keys.entries()[4]), QStringList({"spk_human_default", "spk_guard"}));

    // The link goes first among the speeches; the clothes are replaced as one run of pairs.
    npc.replaceKeys(keys, KeySide::Body, {"TSPEECH"},
                    {{"TSPEECH", "spk_rq_guard"}, {"TSPEECH", "spk_guard"}});
    npc.replaceKeys(keys, KeySide::Create, {"ITEM", "COLOR"}, {{"ITEM", "i_robe"}, {"COLOR", "0481"}});
    npc.setValue(keys, KeySide::Body, "CAN", "mt_walk");
    npc.setValue(keys, KeySide::Body, "ID", "c_man");
    npc.setValue(keys, KeySide::Body, "STR", "50");
    npc.addValue(keys, KeySide::Create, "STR", "50");
    EXPECT_EQ(kind.warnings(npc),
              QStringList{"STR= in the definition gives the NPC 0: write it below ON=@Create"});
    EXPECT_FALSE(file.replace(at, npc));

    // The speech section is a section like any other: its triggers are its rest.
    const qsizetype speechAt = file.find(u"SPEECH", u"spk_rq_guard");
    DefinitionSection speech = file.section(speechAt);
    speech.setRest(u"ON=*hail*\r\n  SRC.SDIALOG d_guard_0\r\n  RETURN 1\r\n");
    EXPECT_FALSE(file.replace(speechAt, speech));
    EXPECT_EQ(file.bytes(),
              TestSupport::readFile(QStringLiteral(RUNEQUILL_FIXTURES "/definitions/character-saved.scp")));
}
