#pragma once

#include "core/definitions/DefinitionSection.h"
#include "core/definitions/KeyTable.h"

#include <QStringList>
#include <functional>

class DefinitionKind;

// A warning rule: adds to `found` one sentence for each thing in the section that the server
// would read otherwise than it looks.
using DefinitionRule =
    std::function<void(const DefinitionSection &section, const DefinitionKind &kind, QStringList &found)>;

// What a form shows of a section: the name after the kind's prefix; for each entry of the
// kind's key table, in order, the value of the last line of its key on its side (empty for an
// entry that repeats: a form edits those through the section itself); and the rest, the other
// trigger sections, as text with CR LF line ends.
struct FormValues {
    QString name;
    QStringList values;
    QString rest;

    bool operator==(const FormValues &) const = default;
};

// One kind of definition ("[ITEMDEF ...]", "[CHARDEF ...]"): its section type, the prefix of its
// names, its key table and its warning rules. Reading and writing are the same for every kind;
// a kind is data.
class DefinitionKind {
public:
    struct Shape {
        QString sectionType;    // "ITEMDEF"
        QString namePrefix;     // "i_": what a form puts before the name it shows
        QString defaultName;    // the name written when the form's is empty
        QStringList freshLines; // the lines of a new section after its header: "", "ON=@CREATE"
    };
    DefinitionKind(Shape shape, QList<KeyEntry> keys, QList<DefinitionRule> rules);

    const Shape &shape() const { return m_shape; }
    const KeyTable &keys() const { return m_keys; }

    // "[ITEMDEF i_NAME]", the default name standing in for an empty one.
    QString header(const QString &name) const;
    // A new section: the header of the default name and the kind's fresh lines.
    DefinitionSection fresh() const;
    // Whether a section is one of this kind (its type, in any case).
    bool isKindOf(const DefinitionSection &section) const;
    // The section's name as a form shows it: without the kind's prefix.
    QString shownName(const DefinitionSection &section) const;

    FormValues formValues(const DefinitionSection &section) const;
    // A form with nothing filled in, as a new section starts.
    FormValues emptyForm() const;
    // The section a form writes: `base` (a section read, or fresh()) with every value the form
    // changed from `was` to `now` set in place (see DefinitionSection::setValue), the header
    // rewritten only when the name changed, and the form's rest after the create side. Nothing
    // the form did not change differs from `base`.
    DefinitionSection withForm(const DefinitionSection &base, const FormValues &was,
                               const FormValues &now) const;

    // What every rule finds, rule by rule.
    QStringList warnings(const DefinitionSection &section) const;

private:
    Shape m_shape;
    KeyTable m_keys;
    QList<DefinitionRule> m_rules;
};
