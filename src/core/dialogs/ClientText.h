#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <vector>

// The values of the variables the exported text lines use ("<var.br>", "<var.bfont_red>", ...),
// as a support script's [WORLDVARS] section gives them to the server.
class SupportValues {
public:
    // The values Runequill's own support script gives.
    SupportValues();
    // The values of the support script in `folder`, when it holds one; Runequill's otherwise.
    static SupportValues inFolder(const QString &folder);
    // The values of a support script's text. Names ignore case; a "VAR." before one is dropped,
    // and a value in double quotes loses them, as the server reads them.
    static SupportValues fromScript(QStringView script);

    // The value of `name`; empty for a variable the script does not set, as on the server.
    QString value(QStringView name) const { return m_values.value(name.toString().toLower()); }
    // The file the values were read from; empty for Runequill's own.
    const QString &file() const { return m_file; }

private:
    struct None {};
    explicit SupportValues(None) {}

    QHash<QString, QString> m_values;
    QString m_file;
};

// One text line of a dialog as the game client receives it: read by the server from the script
// file (its bytes in the system code page, blanks at its end dropped), its variables filled in,
// and turned into the client's 16-bit characters, of which the client takes 2,047 at most.
struct ReceivedText {
    enum Cut {
        Whole,
        AtLimit,   // longer than the client takes
        Unreadable // at bytes the server cannot read as UTF-8 (a file in another code page)
    };
    static constexpr qsizetype Limit = 2047;

    QString text;
    Cut cut = Whole;
    // Places in `text` of characters from outside the 16-bit range: the server keeps only their
    // low 16 bits, which the client does not show.
    std::vector<qsizetype> dropped;

    static ReceivedText of(QStringView line, const SupportValues &values);
    // The last character of a text line when the server's dropping of blanks at the line's end
    // breaks it (in UTF-8, "à" and "†" end in the byte 0xA0, which it takes for a blank); else 0.
    // The client then receives the line without it.
    static char32_t brokenLastCharacter(QStringView line);
};
