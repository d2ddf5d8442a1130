#include "core/items/ItemHandling.h"

namespace {
const char *const keys[ItemHandling::FieldCount] = {
    "[ITEMDEF i_", "DEFNAME=", "NAME=",     "TYPE=",   "ID=",        "DISPID=",   "DUPELIST=",  "FLIP=",
    "DYE=",        "WEIGHT=",  "TDATA1=",   "TDATA2=", "TDATA3=",    "TDATA4=",   "RESOURCES=", "RESOURCES1=",
    "RESOURCES2=", "VALUE=",   "DUPEITEM=", "SPEED=",  "DAM=",       "TWOHANDS=", "ARMOR=",     "SKILLMAKE=",
    "REPAIR=",     "REQSTR=",  "AMOUNT=",   "CONT=",   "HITPOINTS=", "COLOR=",    "TYPE=",      "ATTR=",
    "FRUIT=",      "LINK=",    "P=",        "LAYER="};

const QLatin1String crlf("\r\n");
} // namespace

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
    appendKeys(out, 1, 25);
    out += crlf + QLatin1String("ON=@CREATE") + crlf;
    appendKeys(out, 26, 35);
    return out;
}
