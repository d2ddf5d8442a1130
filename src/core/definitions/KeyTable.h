#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The part of a definition section a key line stands in: the body, which the server reads once
// when it loads the definition, or below a leading "ON=@CREATE", which it runs on every object
// it makes from the definition. The same key may mean different things on the two sides.
enum class KeySide { Body, Create };

// What the server does with a key that a warning should tell the user.
enum class KeyNote {
    None,
    Lost,   // no such key on that side: the server logs an undefined keyword, or drops the value
    Ignored // read and ignored
};

// One key of a kind of definition, as the server's own key tables list them.
struct KeyEntry {
    explicit KeyEntry(QString key, KeySide side = KeySide::Body, QString group = QString())
        : key(std::move(key)), side(side), group(std::move(group)) {}

    QString key; // as written before "=": "TYPE"; a family ends in ".": "TAG." for "TAG.anything"
    KeySide side = KeySide::Body;
    QString group;              // where a form shows it ("basic", "weapon", "create"...); empty for none
    bool repeats = false;       // may stand several times, each line a value of its own (TSPEECH=)
    bool first = false;         // the server copies a base's values when it reads this key (ID=)...
    bool copiedByFirst = false; // ...over these, so they must stand below it
    KeyNote note = KeyNote::None;
    QString noteText; // the warning after "KEY= ": "cannot be set in an item definition: ..."

    // Whether a key as written in a script ("type", "TAG.color") is this one; case is ignored.
    bool matches(QStringView written) const;
    // "TYPE=", as a form labels the key and the writer starts its line.
    QString text() const { return key + u'='; }
};

// Entries as key tables list them.
namespace KeyEntries {
// A key of a form's group ("" for none) on a side.
KeyEntry key(const QString &name, const char *group, KeySide side = KeySide::Body);
// A body key that the first key (ID=) copies from its base, so that it must stand below it.
KeyEntry copied(const char *name, const char *group);
// A key of no group that may stand several times, each line a value of its own.
KeyEntry repeated(const char *name, KeySide side);
// The entry with a note that the warnings tell.
KeyEntry noted(KeyEntry entry, KeyNote note, const QString &text);
} // namespace KeyEntries

// The keys of one kind of definition in writing order, over a base table of the keys every
// definition has. A key is looked up on one side, in this table first, then in the base.
class KeyTable {
public:
    explicit KeyTable(QList<KeyEntry> entries, const KeyTable *base = &common());

    const QList<KeyEntry> &entries() const { return m_entries; }
    const KeyTable *base() const { return m_base; }

    // The entry for a key as written, on one side; nullptr for a key neither table has there.
    const KeyEntry *find(QStringView key, KeySide side) const;
    // The entry's place in this table's writing order; -1 for an entry of the base or none.
    int rank(const KeyEntry *entry) const;

    // The keys every definition has (names, categories, events, resources, tags): body keys, and
    // the ones the server knows only there, which are lost below ON=@CREATE.
    static const KeyTable &common();

private:
    KeyTable(QList<KeyEntry> entries, std::nullptr_t);

    QList<KeyEntry> m_entries;
    const KeyTable *m_base = nullptr;
};
