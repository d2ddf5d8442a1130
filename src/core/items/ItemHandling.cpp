#include "core/items/ItemHandling.h"

#include <algorithm>

namespace {
const char *const keys[ItemHandling::FieldCount] = {
    "[ITEMDEF i_", "DEFNAME=", "NAME=",     "TYPE=",   "ID=",        "DISPID=",   "DUPELIST=",  "FLIP=",
    "DYE=",        "WEIGHT=",  "TDATA1=",   "TDATA2=", "TDATA3=",    "TDATA4=",   "RESOURCES=", "RESOURCES1=",
    "RESOURCES2=", "VALUE=",   "DUPEITEM=", "SPEED=",  "DAM=",       "TWOHANDS=", "ARMOR=",     "SKILLMAKE=",
    "REPAIR=",     "REQSTR=",  "AMOUNT=",   "CONT=",   "HITPOINTS=", "COLOR=",    "TYPE=",      "ATTR=",
    "FRUIT=",      "LINK=",    "P=",        "LAYER="};

const QLatin1String crlf("\r\n");
} // namespace

namespace {
enum Field { Header = 0, Defname = 1, DispId = 5, Resources1 = 15, Resources2 = 16, DupeItem = 18 };

bool isPlainName(const QString &name) {
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_';
    });
}
} // namespace

QStringList ItemHandling::warnings(const QStringList &fields) {
    const auto field = [&](int i) { return i < fields.size() ? fields[i] : QString(); };
    QStringList found;
    for (int i : {Resources1, Resources2})
        if (!field(i).isEmpty())
            found << QStringLiteral("%1 is not a key the server knows and its value is lost: give all "
                                    "resources in one comma-separated RESOURCES=")
                         .arg(keyText(i));
    if (!field(DupeItem).isEmpty()) {
        bool others = false;
        for (int i = 1; i < FieldCount; ++i)
            others = others || (i != DupeItem && !field(i).isEmpty());
        if (others)
            found << QStringLiteral("DUPEITEM= makes the item an alias of another: the server drops every "
                                    "other key of the section");
    }
    if (!field(DispId).isEmpty())
        found << QStringLiteral("DISPID= cannot be set in an item definition: the server ignores it");
    if (field(Header).startsWith(QLatin1String("i_"), Qt::CaseInsensitive))
        found << QStringLiteral("the name already starts with \"i_\": the header becomes [ITEMDEF i_%1]")
                     .arg(field(Header));
    if (!isPlainName(field(Header)))
        found << QStringLiteral("the name holds characters other than letters, digits and \"_\": the server "
                                "reads the header's name only up to a blank or \"]\"");
    if (!isPlainName(field(Defname)))
        found << QStringLiteral("the DEFNAME holds characters other than letters, digits and \"_\": the "
                                "server refuses it");
    for (int i = 0; i < FieldCount; ++i)
        if (field(i).contains(QLatin1String("//")))
            found << QStringLiteral(
                         "the value of %1 holds \"//\": the server reads the rest of the line as a "
                         "comment")
                         .arg(i == Header ? QStringLiteral("the name") : keyText(i));
    return found;
}

QString ItemHandling::keyText(int index) {
    if (index < 0 || index >= FieldCount)
        return QString();
    return QString::fromLatin1(keys[index]);
}

QString CompileItem(const QStringList &fields) {
    const auto field = [&](int i) { return i < fields.size() ? fields[i] : QString(); };
    const auto appendKeys = [&](QString &out, int first, int last) {
        for (int i = first; i <= last; ++i)
            if (!field(i).isEmpty())
                out += QLatin1String(keys[i]) + field(i) + crlf;
    };

    QString out;
    out += QLatin1String(keys[0]) + (field(0).isEmpty() ? QStringLiteral("item") : field(0)) + u']' + crlf;
    // The server copies the base item's TYPE when it reads ID=, so ID= goes first.
    appendKeys(out, 1, 2);
    appendKeys(out, 4, 4);
    appendKeys(out, 3, 3);
    appendKeys(out, 5, 25);
    out += crlf + QLatin1String("ON=@CREATE") + crlf;
    appendKeys(out, 26, 35);
    return out;
}
