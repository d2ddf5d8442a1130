#include "core/dialogs/ClientText.h"

#include "core/dialogs/ScriptExport.h"
#include "core/text/CodePage.h"
#include "core/text/TextFile.h"

#include <QDir>

namespace {

// The bytes the server reads for a text: the system code page's, or UTF-8 for a character it
// lacks (the export refuses such a text; the line is still shown as the server would read it).
QByteArray scriptBytes(QStringView text) {
    Outcome<QByteArray> bytes = CodePage::encode(text);
    return bytes.ok() ? bytes.value : text.toUtf8();
}

// What the server takes for a blank at the end of a line: the C library's white space, and the
// byte 0xA0 (a no-break space in Windows-1252, but also the last byte of "à" in UTF-8).
bool trailingBlank(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b == ' ' || (b >= '\t' && b <= '\r') || b == 0xA0;
}

// Fills in every "<var.NAME>" (in any case); what a value brings in is not read again.
QByteArray filled(QByteArrayView line, const SupportValues &values) {
    constexpr QByteArrayView mark("<var.");
    QByteArray out;
    out.reserve(line.size() + 64);
    for (qsizetype i = 0; i < line.size(); ++i) {
        const bool variable = line[i] == '<' && line.size() - i >= mark.size() &&
                              line.sliced(i, mark.size()).compare(mark, Qt::CaseInsensitive) == 0;
        const qsizetype end = variable ? line.indexOf('>', i) : -1;
        if (end < 0) {
            out += line[i];
            continue;
        }
        out += scriptBytes(
            values.value(QString::fromLatin1(line.sliced(i + mark.size(), end - i - mark.size()))));
        i = end;
    }
    return out;
}

} // namespace

SupportValues::SupportValues() : SupportValues(fromScript(CodePage::decode(ScriptExport::supportScript()))) {}

SupportValues SupportValues::inFolder(const QString &folder) {
    if (folder.isEmpty())
        return {};
    const QString path = QDir(folder).filePath(ScriptExport::supportFileName());
    if (!TextFile::exists(path))
        return {};
    const Outcome<QString> text = TextFile::read(path);
    if (!text.ok())
        return {};
    SupportValues values = fromScript(text.value);
    values.m_file = path;
    return values;
}

SupportValues SupportValues::fromScript(QStringView script) {
    SupportValues values{None{}};
    bool inVariables = false;
    for (QStringView line : script.tokenize(u'\n')) {
        if (const qsizetype comment = line.indexOf(QLatin1StringView("//")); comment >= 0)
            line = line.first(comment);
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            inVariables = line.startsWith(QLatin1StringView("[WORLDVARS"), Qt::CaseInsensitive);
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inVariables || equals <= 0)
            continue;
        QStringView name = line.first(equals).trimmed();
        if (name.startsWith(QLatin1StringView("VAR."), Qt::CaseInsensitive))
            name = name.sliced(4);
        QStringView value = line.sliced(equals + 1).trimmed();
        if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
            value = value.sliced(1, value.size() - 2);
        values.m_values.insert(name.toString().toLower(), value.toString());
    }
    return values;
}

char32_t ReceivedText::brokenLastCharacter(QStringView line) {
    // Only UTF-8 spreads one character over bytes that may look like a blank.
    if (CodePage::encoding() != QStringConverter::Utf8)
        return 0;
    // Most lines end in ASCII, whose bytes are whole characters: nothing to encode then.
    qsizetype end = line.size();
    while (end > 0 && line[end - 1].unicode() < 0x80 && trailingBlank(char(line[end - 1].unicode())))
        --end;
    if (end == 0 || line[end - 1].unicode() < 0x80)
        return 0;
    const QByteArray bytes = scriptBytes(line);
    qsizetype kept = bytes.size();
    while (kept > 0 && trailingBlank(bytes[kept - 1]))
        --kept;
    if (kept == bytes.size() || (static_cast<unsigned char>(bytes[kept]) & 0xC0) != 0x80)
        return 0;
    // The character whose bytes the first dropped one ends.
    qsizetype at = 0;
    for (const char32_t c : line.toUcs4()) {
        at += QString::fromUcs4(&c, 1).toUtf8().size();
        if (at > kept)
            return c;
    }
    return 0;
}

ReceivedText ReceivedText::of(QStringView line, const SupportValues &values) {
    QByteArray bytes = scriptBytes(line);
    while (!bytes.isEmpty() && trailingBlank(bytes.back()))
        bytes.chop(1);
    bytes = filled(bytes, values);

    // The server's own UTF-8 reading: it stops at the first sequence it cannot read, and keeps
    // only 16 bits of a four-byte one.
    ReceivedText received;
    const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    for (qsizetype i = 0; i < bytes.size();) {
        if (received.text.size() == Limit) {
            received.cut = AtLimit;
            break;
        }
        const unsigned char lead = byte(i);
        const int length = lead < 0x80             ? 1
                           : (lead & 0xE0) == 0xC0 ? 2
                           : (lead & 0xF0) == 0xE0 ? 3
                           : (lead & 0xF8) == 0xF0 ? 4
                                                   : 0;
        if (length == 0 || i + length > bytes.size()) {
            received.cut = Unreadable;
            break;
        }
        char32_t value = length == 1 ? lead : lead & ((1u << (7 - length)) - 1);
        bool readable = true;
        for (int k = 1; k < length; ++k) {
            readable = readable && (byte(i + k) & 0xC0) == 0x80;
            value = (value << 6) | (byte(i + k) & 0x3F);
        }
        if (!readable) {
            received.cut = Unreadable;
            break;
        }
        if (value > 0xFFFF)
            received.dropped.push_back(received.text.size());
        received.text.append(QChar(char16_t(value & 0xFFFF)));
        i += length;
    }
    return received;
}
