#pragma once

#include "core/definitions/KeyTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// One key line of a section as the server splits it: the key ("TYPE", "TAG.x"), and the value,
// which is everything after the "=" (or after the blanks that part a key from its value).
struct KeyLine {
    qsizetype line = 0; // its index among the section's lines
    QString key;
    QString value;
};

// One section of a script file ("[ITEMDEF i_lamp]" and the lines up to the next section) as its
// lines, without their line ends, so that nothing is lost when it is written back. The server
// reads it in three parts:
// - the body: the lines from the header to the first trigger ("ON=@..." line);
// - the create side: the lines below a first trigger that is "ON=@CREATE", up to the next;
// - the rest: every other trigger section, from the blank lines above the first of them.
// Key lines keep their order, so repeated keys and pairs (ITEM= and COLOR=) stay as written;
// comments, blank lines and keys no table knows stay where they stand.
class DefinitionSection {
public:
    DefinitionSection() = default;
    DefinitionSection(QStringList lines, bool lastLineEnded);
    // The lines of a section's text (the header first), split by the one line-break rule.
    static DefinitionSection fromText(QStringView text);

    const QStringList &lines() const { return m_lines; }
    bool lastLineEnded() const { return m_lastLineEnded; }
    // Every line followed by `lineEnd`, the last one only when it had an end.
    QString text(QStringView lineEnd = u"\r\n") const;

    // The header's type ("ITEMDEF") and name: after the type and its blank, up to the closing
    // "]" ("i_lamp"; "[ITEMDEF i_a]]" is named "i_a]").
    QString type() const;
    QString name() const;
    void setHeader(const QString &header);

    // The lines [begin, end) of a side. A section without a leading "ON=@CREATE" has no create
    // side: `present` is false and begin and end stand where one would be added.
    struct Range {
        qsizetype begin = 0;
        qsizetype end = 0;
        bool present = true;
    };
    Range side(KeySide side) const;
    // Where the rest begins: the blank lines above the first trigger that is not the create
    // side's own; the number of lines when there is none.
    qsizetype restStart() const;

    // The key lines of a side, in order.
    QList<KeyLine> keyLines(KeySide side) const;
    // The values of every line of the entry's key on its side, in order.
    QStringList values(const KeyEntry &entry) const;

    // Gives the key the value on its side: the last line of the key (the one the server keeps)
    // takes it in place, keeping how the key is written; an empty value removes that line. A key
    // not there yet gets a line "KEY=VALUE" where the table's order puts it: after the keys the
    // table lists before it, above a key its `first` entry copies over; it is indented as the key
    // line nearest above it. A create side is added first when the section has none.
    void setValue(const KeyTable &table, KeySide side, const QString &key, const QString &value);
    // Adds a line "KEY=VALUE" after the last line of the same key on that side, or where the
    // table's order puts it: for keys that repeat. A key may end in its operator: "FLAGS|"
    // adds "FLAGS|=VALUE".
    void addValue(const KeyTable &table, KeySide side, const QString &key, const QString &value);
    // Replaces every line of these keys on a side with `lines` (key as written, value): they take
    // the place of the first line removed, or the place the table's order gives the first of
    // them. For runs of repeated keys and pairs, such as ITEM= with its COLOR=.
    void replaceKeys(const KeyTable &table, KeySide side, const QStringList &keys,
                     const QList<std::pair<QString, QString>> &lines);
    // Replaces the rest with the lines of a text; the section's last line is then ended as the
    // text's is. With an empty text the last line kept ends as before, or with a line end when a
    // rest was removed after it.
    void setRest(QStringView text);

    bool operator==(const DefinitionSection &) const = default;

private:
    qsizetype insertPosition(const KeyTable &table, KeySide side, const QString &key) const;
    QString indentAt(KeySide side, qsizetype at) const;
    void addCreateSide();

    QStringList m_lines;
    bool m_lastLineEnded = true;
};

// The key and value of a line as the server reads them, or nothing for a blank line, a comment
// or any other line that starts with no key.
std::optional<KeyLine> parseKeyLine(QStringView line);
