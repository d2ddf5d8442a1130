#include "core/characters/CharacterKind.h"

#include "core/characters/BaseBodies.h"
#include "core/characters/CharacterForm.h"
#include "core/characters/ConversationLink.h"
#include "core/definitions/DefinitionRules.h"

#include <algorithm>

namespace {
using namespace KeyEntries;
constexpr KeySide create = KeySide::Create;

KeyEntry noted(const QString &name, KeySide side, KeyNote note, const QString &text) {
    return KeyEntries::noted(KeyEntry(name, side), note, text);
}

QList<KeyEntry> characterKeys() {
    const QString zero =
        QStringLiteral("in the definition gives the NPC 0, silently: write it below ON=@Create");
    const QString createOnly = QStringLiteral(
        "in the definition is an undefined keyword for the server and its value is lost: write it below "
        "ON=@Create");
    const QString bodyOnly = QStringLiteral(
        "below ON=@Create is an undefined keyword for the server and its value is lost: write it above "
        "ON=@Create");
    const QString ignored = QStringLiteral("in a character definition is ignored by the server");

    KeyEntry id = key("ID", "body");
    id.first = true; // ID= copies the base body's sounds, attacks, defence, food and resources
    QList<KeyEntry> keys{
        id,
        key("DEFNAME", "body"),
        key("NAME", "body"),
        repeated("TSPEECH", KeySide::Body),
        key("TEVENTS", "body"),
        copied("CAN", "body"),
        copied("DAM", "body"),
        copied("ARMOR", "body"),
        copied("SOUND", "body"),
        copied("ICON", "body"),
        copied("BLOODCOLOR", "body"),
        copied("RESOURCES", "body"),
        copied("HEIGHT", "body"),
        copied("FOODTYPE", "body"),
        copied("MAXFOOD", "body"),
        copied("DESIRES", "body"),
        key("AVERSIONS", "body"),
        key("HIREDAYWAGE", "body"),
        key("MOVERATE", "body"),
        key("CATEGORY", "body"),
        key("SUBSECTION", "body"),
        key("DESCRIPTION", "body"),
    };
    // Copied from the base body too, without a field of their own.
    for (const char *name : {"RANGE", "EXPANSION", "RESLEVEL", "RESDISPDNHUE", "RESDISPDNID", "RESPHYSICAL",
                             "RESFIRE", "RESCOLD", "RESPOISON", "RESENERGY", "RESPHYSICALMAX", "RESFIREMAX",
                             "RESCOLDMAX", "RESPOISONMAX", "RESENERGYMAX"})
        keys << copied(name, "");

    keys << key("NPC", "create", create) << key("NAME", "create", create) << key("TITLE", "create", create)
         << repeated("COLOR", create);
    for (const char *name : {"STR", "DEX", "INT", "MAXHITS", "FAME", "KARMA", "SPEECH", "EVENTS"})
        keys << key(name, "create", create);
    keys << repeated("FLAGS", create);
    for (const QString &skill : skillKeys())
        keys << key(skill, "skill", create);
    keys << repeated("ITEM", create) << repeated("ITEMNEWBIE", create);

    // What the server loses or ignores.
    for (const char *name : {"COLOR", "STR", "DEX", "INT"})
        keys << noted(QString::fromLatin1(name), KeySide::Body, KeyNote::Lost, zero);
    QStringList lostInBody{"NPC",  "SPEECH",     "FAME",  "KARMA",   "TITLE",   "EVENTS",
                           "ITEM", "ITEMNEWBIE", "FLAGS", "MAXHITS", "HOMEDIST"};
    for (const QString &name : lostInBody + skillKeys())
        keys << noted(name, KeySide::Body, KeyNote::Lost, createOnly);
    for (const char *name : {"DISPID", "RANGEH", "BASEID", "INSTANCES"})
        keys << noted(QString::fromLatin1(name), KeySide::Body, KeyNote::Ignored, ignored);
    for (const char *name :
         {"TSPEECH", "DESIRES", "AVERSIONS", "FOODTYPE", "RESOURCES", "HIREDAYWAGE", "MOVERATE", "ICON"})
        keys << noted(QString::fromLatin1(name), create, KeyNote::Lost, bodyOnly);
    keys << noted(QStringLiteral("BODY"), create, KeyNote::Lost,
                  QStringLiteral("below ON=@Create turns the NPC into another character definition: give its "
                                 "body with ID= above ON=@Create"))
         << noted(QStringLiteral("ID"), create, KeyNote::Lost,
                  QStringLiteral("below ON=@Create does nothing: the body is the ID= above ON=@Create"))
         << noted(QStringLiteral("HOMEDIST"), create, KeyNote::Lost,
                  QStringLiteral(
                      "below ON=@Create does not keep the NPC near its place, which it does not have "
                      "yet: \"stays in place\" (FLAGS|=statf_freeze) does"))
         << noted(QStringLiteral("DIALOG"), create, KeyNote::Lost,
                  QStringLiteral("below ON=@Create opens nothing: no player is there to see it; link the "
                                 "conversation instead"));
    return keys;
}

// The NPC's body: ID= names a base body, or the section is one.
void baseBody(const DefinitionSection &section, const DefinitionKind &kind, QStringList &found) {
    const QStringList ids = section.values(*kind.keys().find(u"ID", KeySide::Body));
    if (ids.isEmpty()) {
        if (!BaseBodies::isBaseBody(section.name()))
            found << QStringLiteral(
                "there is no ID=: the server makes the NPC of body 0190 without CAN flags, so "
                "that it cannot move; give a base body such as c_man");
    } else if (!BaseBodies::isBaseBody(ids.last())) {
        found << QStringLiteral("ID=%1 is not a base body: the server refuses an ID= naming a scripted "
                                "character (\"SetDispID\", then \"no CAN flags\"); give a base body such as "
                                "c_man, c_woman or a number below 0800")
                     .arg(ids.last());
    }
}

// Without STR= and DEX= the NPC has no hit points and does not move.
void strengthAndDexterity(const DefinitionSection &section, const DefinitionKind &, QStringList &found) {
    QStringList missing{QStringLiteral("STR="), QStringLiteral("DEX=")};
    for (const KeyLine &line : CharacterForms::npcKeyLines(section))
        missing.removeIf([&line](const QString &key) {
            return key.chopped(1).compare(line.key, Qt::CaseInsensitive) == 0;
        });
    if (!missing.isEmpty())
        found << QStringLiteral("there is no %1 below ON=@Create, above the items: without STR= and DEX= the "
                                "NPC has 0 hit points and never moves")
                     .arg(missing.join(QStringLiteral(" or ")));
}

// Below the first item every key line is the item's: a COLOR= colours it, others are lost.
void belowItems(const DefinitionSection &section, const DefinitionKind &kind, QStringList &found) {
    const QList<KeyLine> lines = section.keyLines(KeySide::Create);
    const KeyLine *item = nullptr;
    bool itemJustBefore = false;
    for (const KeyLine &line : lines) {
        const bool isItem = CharacterForms::isItemKey(line.key);
        const bool isColour = line.key.compare(QLatin1String("COLOR"), Qt::CaseInsensitive) == 0;
        const KeyEntry *entry = kind.keys().find(line.key, KeySide::Create);
        if (item && isColour && !itemJustBefore)
            found << QStringLiteral(
                         "COLOR=%1 below %2=%3 colours that item, not the NPC: the NPC's own COLOR= "
                         "goes above the first item")
                         .arg(line.value, item->key.toUpper(), item->value);
        else if (item && !isItem && !isColour && entry && entry->note == KeyNote::None)
            found << QStringLiteral("%1=%2 below %3=%4 goes to that item, not to the NPC: write it above the "
                                    "first item")
                         .arg(line.key.toUpper(), line.value, item->key.toUpper(), item->value);
        if (isItem)
            item = &line;
        itemJustBefore = isItem;
    }
}

// The speech sections are tried in order: one above the conversation's answers its words first.
void linkFirst(const DefinitionSection &section, const DefinitionKind &kind, QStringList &found) {
    const QStringList speeches = section.values(*kind.keys().find(u"TSPEECH", KeySide::Body));
    const QString link = ConversationLinks::speechName(CharacterForms::shownName(section));
    const auto named = std::find_if(speeches.cbegin(), speeches.cend(), [&link](const QString &speech) {
        return speech.compare(link, Qt::CaseInsensitive) == 0;
    });
    if (named != speeches.cend() && named != speeches.cbegin())
        found << QStringLiteral("TSPEECH=%1 stands above the conversation's TSPEECH=%2: the server tries the "
                                "speech sections in order, and that one answers \"hello\" first")
                     .arg(speeches.first(), link);
}
} // namespace

const QStringList &skillKeys() {
    static const QStringList keys =
        QStringLiteral(
            "Alchemy Anatomy AnimalLore ItemID ArmsLore Parrying Begging Blacksmithing Bowcraft Peacemaking "
            "Camping "
            "Carpentry Cartography Cooking DetectingHidden Enticement EvaluatingIntel Healing Fishing "
            "Forensics "
            "Herding Hiding Provocation Inscription Lockpicking Magery MagicResistance Tactics Snooping "
            "Musicianship "
            "Poisoning Archery SpiritSpeak Stealing Tailoring Taming TasteID Tinkering Tracking Veterinary "
            "Swordsmanship Macefighting Fencing Wrestling Lumberjacking Mining Meditation Stealth RemoveTrap "
            "Necromancy Focus Chivalry Bushido Ninjitsu Spellweaving Mysticism Imbuing Throwing")
            .toUpper()
            .split(u' ');
    return keys;
}

const DefinitionKind &characterKind() {
    using namespace DefinitionRules;
    static const DefinitionKind kind({QStringLiteral("CHARDEF"),
                                      QStringLiteral("c_"),
                                      QStringLiteral("npc"),
                                      {QString(), QStringLiteral("ON=@Create")}},
                                     characterKeys(),
                                     {baseBody, notes(KeyNote::Lost), notes(KeyNote::Ignored),
                                      strengthAndDexterity, belowItems, linkFirst, prefixTwice(), plainName(),
                                      plainValue(QStringLiteral("DEFNAME")), commentMark(),
                                      copiedBeforeFirst()});
    return kind;
}
