#include "core/items/ItemKind.h"

#include "core/definitions/DefinitionRules.h"

#include <algorithm>

namespace {
using namespace KeyEntries;
using DefinitionRules::Finding;
using DefinitionRules::linesOf;

QList<KeyEntry> itemKeys() {
    const KeySide create = KeySide::Create;
    const QString notOneKey = QStringLiteral("is not a key the server knows and its value is lost: give all "
                                             "resources in one comma-separated RESOURCES=");
    KeyEntry id = key("ID", "basic");
    id.first = true; // ID= copies the base item's type, weight, flip, layer, speed and TDATA values
    return {
        key("DEFNAME", "basic"),
        key("NAME", "basic"),
        copied("TYPE", "basic"),
        id,
        noted(key("DISPID", "basic"), KeyNote::Ignored,
              QStringLiteral("cannot be set in an item definition: the server ignores it")),
        key("DUPELIST", "basic"),
        copied("FLIP", "basic"),
        key("DYE", "basic"),
        copied("WEIGHT", "basic"),
        copied("TDATA1", "basic"),
        copied("TDATA2", "basic"),
        copied("TDATA3", "basic"),
        copied("TDATA4", "basic"),
        key("RESOURCES", "basic"),
        noted(key("RESOURCES1", "basic"), KeyNote::Lost, notOneKey),
        noted(key("RESOURCES2", "basic"), KeyNote::Lost, notOneKey),
        key("VALUE", "basic"),
        key("DUPEITEM", "basic"),
        copied("SPEED", "weapon"),
        key("DAM", "weapon"),
        key("TWOHANDS", "weapon"),
        key("ARMOR", "armour"),
        key("SKILLMAKE", "extra"),
        key("REPAIR", "extra"),
        key("REQSTR", "extra"),
        key("AMOUNT", "create", create),
        key("CONT", "create", create),
        key("HITPOINTS", "create", create),
        key("COLOR", "create", create),
        key("TYPE", "create", create),
        key("ATTR", "create", create),
        noted(key("FRUIT", "create", create), KeyNote::Lost,
              QStringLiteral("below ON=@CREATE is lost: the server does not keep it there")),
        key("LINK", "create", create),
        key("P", "create", create),
        noted(key("LAYER", "create", create), KeyNote::Lost,
              QStringLiteral("below ON=@CREATE is lost: the server takes the layer only from the definition, "
                             "above ON=@CREATE")),
        // Keys the form has no field for, so that a key given by name goes to its side.
        copied("LAYER", ""),
    };
}

void dupeItem(const DefinitionSection &section, const DefinitionKind &, QStringList &found) {
    const qsizetype dupes = linesOf(section, KeySide::Body, u"DUPEITEM").size();
    if (dupes > 0 &&
        section.keyLines(KeySide::Body).size() + section.keyLines(KeySide::Create).size() > dupes)
        found << QStringLiteral(
            "DUPEITEM= makes the item an alias of another: the server drops every other key "
            "of the section");
}

void twoHands(const DefinitionSection &section, const DefinitionKind &, QStringList &found) {
    for (const KeyLine &line : linesOf(section, KeySide::Body, u"TWOHANDS")) {
        const QString value = line.value.trimmed();
        if (!value.startsWith(u'1') && !value.startsWith(u'Y', Qt::CaseInsensitive))
            found << QStringLiteral(
                         "TWOHANDS=%1 does not make the item one-handed: the server only ever sets "
                         "two-handedness (1 or Y); give LAYER=1 for an item held in one hand")
                         .arg(line.value);
    }
}

void lockedContainer(const DefinitionSection &section, const DefinitionKind &, QStringList &found) {
    for (const KeyLine &line : linesOf(section, KeySide::Body, u"TYPE")) {
        const QString value = line.value.trimmed();
        bool number = false;
        if (value.compare(QLatin1String("t_container_locked"), Qt::CaseInsensitive) == 0 ||
            (value.toInt(&number, 16) == 2 && number))
            found << QStringLiteral(
                         "TYPE=%1 in the definition becomes t_container on the server: set it below "
                         "ON=@CREATE to lock the container")
                         .arg(line.value);
    }
}

void noContainer(const DefinitionSection &section, const DefinitionKind &, QStringList &found) {
    for (const KeyLine &line : linesOf(section, KeySide::Create, u"CONT")) {
        bool number = false;
        if (line.value.trimmed().toLongLong(&number, 16) == 0 && number)
            found << QStringLiteral("CONT=%1 below ON=@CREATE names no container: the server logs \"Invalid "
                                    "container 00\" each time it creates the item")
                         .arg(line.value);
    }
}

void asciiName(const DefinitionSection &section, const DefinitionKind &, QStringList &found) {
    for (KeySide side : {KeySide::Body, KeySide::Create})
        for (const KeyLine &line : linesOf(section, side, u"NAME")) {
            const auto wide = std::find_if(line.value.cbegin(), line.value.cend(),
                                           [](QChar c) { return c.unicode() > 0x7F; });
            if (wide != line.value.cend())
                found << QStringLiteral("the NAME holds characters outside ASCII (%1): the client shows them "
                                        "garbled, since an item's name travels in a one-byte packet")
                             .arg(*wide);
        }
}
} // namespace

const DefinitionKind &itemKind() {
    using namespace DefinitionRules;
    static const DefinitionKind kind({QStringLiteral("ITEMDEF"),
                                      QStringLiteral("i_"),
                                      QStringLiteral("item"),
                                      {QString(), QStringLiteral("ON=@CREATE")}},
                                     itemKeys(),
                                     {notes(KeyNote::Lost), dupeItem, notes(KeyNote::Ignored), prefixTwice(),
                                      plainName(), plainValue(QStringLiteral("DEFNAME")), commentMark(),
                                      twoHands, lockedContainer, noContainer, asciiName,
                                      copiedBeforeFirst()});
    return kind;
}
