#include "core/definitions/KeyTable.h"

bool KeyEntry::matches(QStringView written) const {
    if (key.endsWith(u'.'))
        return written.size() > key.size() && written.startsWith(key, Qt::CaseInsensitive);
    return written.compare(key, Qt::CaseInsensitive) == 0;
}

namespace KeyEntries {

KeyEntry key(const QString &name, const char *group, KeySide side) {
    return KeyEntry(name, side, QString::fromLatin1(group));
}

KeyEntry copied(const char *name, const char *group) {
    KeyEntry entry = key(QString::fromLatin1(name), group);
    entry.copiedByFirst = true;
    return entry;
}

KeyEntry repeated(const char *name, KeySide side) {
    KeyEntry entry = key(QString::fromLatin1(name), "", side);
    entry.repeats = true;
    return entry;
}

KeyEntry noted(KeyEntry entry, KeyNote note, const QString &text) {
    entry.note = note;
    entry.noteText = text;
    return entry;
}

} // namespace KeyEntries

KeyTable::KeyTable(QList<KeyEntry> entries, const KeyTable *base)
    : m_entries(std::move(entries)), m_base(base) {}

KeyTable::KeyTable(QList<KeyEntry> entries, std::nullptr_t) : m_entries(std::move(entries)) {}

const KeyEntry *KeyTable::find(QStringView key, KeySide side) const {
    for (const KeyEntry &entry : m_entries)
        if (entry.side == side && entry.matches(key))
            return &entry;
    return m_base ? m_base->find(key, side) : nullptr;
}

int KeyTable::rank(const KeyEntry *entry) const {
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (&m_entries[i] == entry)
            return static_cast<int>(i);
    return -1;
}

const KeyTable &KeyTable::common() {
    // The keys the server reads in every definition, and those of them it knows nowhere else:
    // below ON=@CREATE the object itself reads the keys, and these are undefined keywords there.
    static const KeyTable table = [] {
        QList<KeyEntry> entries;
        for (const char *key : {"DEFNAME", "DEFNAME2", "NAME", "CATEGORY", "SUBSECTION", "DESCRIPTION",
                                "TEVENTS", "RESOURCES", "EXPANSION", "TAG.", "TAG0.", "CAN", "ARMOR", "DAM",
                                "HEIGHT", "RESLEVEL", "RESDISPDNHUE", "INSTANCES", "BASEID"})
            entries.append(KeyEntry(QString::fromLatin1(key)));
        for (const char *key : {"CATEGORY", "SUBSECTION", "DESCRIPTION", "TEVENTS", "EXPANSION"})
            entries.append(KeyEntries::noted(
                KeyEntry(QString::fromLatin1(key), KeySide::Create), KeyNote::Lost,
                QStringLiteral("below ON=@CREATE is not a key the server knows there and its value "
                               "is lost: write it above ON=@CREATE")));
        return KeyTable(std::move(entries), nullptr);
    }();
    return table;
}
