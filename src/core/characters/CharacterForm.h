#pragma once

#include "core/characters/ConversationLink.h"
#include "core/definitions/DefinitionKind.h"

#include <optional>

// One item an NPC is made with: "ITEM=i_robe" (ITEMNEWBIE= for one that stays with the NPC's
// corpse) and the COLOR= after it, which the server gives to that item.
struct OutfitItem {
    QString item; // as written: "i_robe", "random_hats,1,R2"
    QString colour;
    bool newbie = false;

    bool operator==(const OutfitItem &) const = default;
};

// What the NPC Creator's form shows of a character section. The server gives every key line
// below the first ITEM= of ON=@Create to that item, so the NPC's own keys are those above it.
struct CharacterForm {
    // The name; the key table's single keys (under ON=@Create those above the first item); and as
    // the rest, the trigger sections other than ON=@Create and the conversation's ON=@DClick.
    FormValues values;
    QString skin; // the NPC's own COLOR=: the last one above the first item
    QList<OutfitItem> items;
    bool staysInPlace = false; // "FLAGS|=statf_freeze" under ON=@Create
    QStringList speeches;      // the TSPEECH= values other than the conversation's, in order
    std::optional<ConversationLink> link;

    bool operator==(const CharacterForm &) const = default;
};

namespace CharacterForms {

// The section's name without its "c_".
QString shownName(const DefinitionSection &section);
// ITEM or ITEMNEWBIE, case ignored.
bool isItemKey(QStringView key);
// The key lines under ON=@Create above the first item: those the server gives the NPC.
QList<KeyLine> npcKeyLines(const DefinitionSection &section);

// A form with nothing filled in, as a new section starts.
CharacterForm empty();
// What a new NPC is given: the body c_man, a human brain, stats of 50, staying in place.
CharacterForm newCharacter();

// The form of a character section and of its speech section, when the file has the one its first
// TSPEECH= of the conversation names.
CharacterForm read(const DefinitionSection &character, const std::optional<DefinitionSection> &speech);
// The character section the form writes: `base` with every part the form changed from `was` to
// `now` set in place, as DefinitionKind::withForm does for single keys: the conversation's
// TSPEECH= first among the speeches, its ON=@DClick first among the other triggers, a new NPC key
// above the items, an item's colour right after it. Nothing the form did not change differs.
DefinitionSection write(const DefinitionSection &base, const CharacterForm &was, const CharacterForm &now);

// Gives a key under ON=@Create its value as DefinitionSection::setValue does, among the key lines
// above the first item, where the server gives it to the NPC.
DefinitionSection withNpcKey(const DefinitionSection &section, const QString &key, const QString &value);

// The NPC's name as players see it: NAME= under ON=@Create, else the definition's NAME=, else
// the section's name.
QString npcName(const CharacterForm &form);

} // namespace CharacterForms
