#pragma once

#include "core/definitions/DefinitionSection.h"
#include "core/text/FileError.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// A script file of many sections, held as its bytes: a section is found, read, replaced in
// place or added before "[EOF]", and every other byte of the file (other sections, comments,
// blank lines, "[EOF]", a byte-order mark) stays as it was. A section runs from its header
// line to its last line that is not blank; the blank lines after it belong to the file.
class ScriptFile {
public:
    explicit ScriptFile(QByteArray bytes = {});

    // Reads a whole file.
    static Outcome<ScriptFile> read(const QString &path);

    struct Section {
        QString type;        // "ITEMDEF"
        QString name;        // as DefinitionSection::name() reads it
        qsizetype begin = 0; // the first byte of the header line
        qsizetype end = 0;   // after the line end of the section's last line
    };
    const QList<Section> &sections() const { return m_sections; }
    // The index of the nth section (from 0) of that type and name, case ignored; -1 when there is
    // none.
    qsizetype find(QStringView type, QStringView name, qsizetype nth = 0) const;
    // How many sections before this one have its type and name.
    qsizetype occurrence(qsizetype index) const;
    // The section's text, decoded from the system code page.
    DefinitionSection section(qsizetype index) const;

    // Puts a section in place of another, or before "[EOF]" (at the end when there is none),
    // an empty line parting it from what stands before and after it. It is written with the
    // file's line ends (those of its first line; CR LF in a file without any). Fails, changing
    // nothing, when the code page cannot hold a character of it.
    WriteOutcome replace(qsizetype index, const DefinitionSection &section);
    WriteOutcome add(const DefinitionSection &section);

    const QByteArray &bytes() const { return m_bytes; }
    // The file's line end: that of its first line; CR LF in a file without any.
    QByteArray lineEnd() const;

    // What Save does: the file at `path` (none yet reads as empty) gets the section in place of
    // the nth section of its type named as `replacing` says, or added when there is none or
    // `replacing` is not given; the file is then written safely. The value is the section's
    // occurrence among those of its type and name in the file written, to find it again.
    struct Place {
        QString name;
        qsizetype nth = 0;
    };
    static Outcome<qsizetype> save(const QString &path, const DefinitionSection &section,
                                   const std::optional<Place> &replacing);
    // The same for several sections in one write, each put in the file in turn (an added one
    // after those added before it); the value is the first one's occurrence.
    struct Placed {
        DefinitionSection section;
        std::optional<Place> replacing;
    };
    static Outcome<qsizetype> save(const QString &path, const QList<Placed> &sections);

private:
    void scan();
    Outcome<QByteArray> encode(const DefinitionSection &section, bool ended) const;

    QByteArray m_bytes;
    QList<Section> m_sections;
};
