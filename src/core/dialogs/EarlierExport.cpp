#include "core/dialogs/EarlierExport.h"

#include "core/dialogs/ScriptExport.h"
#include "core/text/TextFile.h"

#include <QSet>
#include <charconv>

namespace {

// How every script an export writes opens, whatever its prefix.
constexpr QByteArrayView ScriptOpening("//=====QDS: ");
constexpr QByteArrayView SectionKeyword("[DIALOG");

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The name a "[DIALOG name ...]" header at `at` defines; empty for any other line. The server
// splits the header at its first blank, and a "]" ends the name.
QByteArrayView headerName(QByteArrayView bytes, qsizetype at) {
    if (bytes.size() - at <= SectionKeyword.size() ||
        qstrnicmp(bytes.data() + at, SectionKeyword.data(), SectionKeyword.size()) != 0)
        return {};
    qsizetype start = at + SectionKeyword.size();
    if (!isBlank(bytes[start]))
        return {};
    while (start < bytes.size() && isBlank(bytes[start]))
        ++start;
    qsizetype end = start;
    while (end < bytes.size() && !isBlank(bytes[end]) && bytes[end] != ']' && bytes[end] != '\r' &&
           bytes[end] != '\n')
        ++end;
    return bytes.sliced(start, end - start);
}

// True for prefix_N, N a page number below pageCount written as the script writes it.
bool isPage(QByteArrayView name, QByteArrayView prefix, int pageCount) {
    if (name.size() <= prefix.size() + 1 || qstrnicmp(name.data(), prefix.data(), prefix.size()) != 0 ||
        name[prefix.size()] != '_')
        return false;
    const QByteArrayView digits = name.sliced(prefix.size() + 1);
    if (digits.size() > 1 && digits.front() == '0')
        return false;
    int n = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return error == std::errc() && end == digits.data() + digits.size() && n < pageCount;
}

// The names the file's "[DIALOG ...]" headers define that are not pages of the new export.
QByteArrayList namesGone(QByteArrayView bytes, QByteArrayView prefix, int pageCount) {
    QByteArrayList names;
    QSet<QByteArray> seen;
    for (qsizetype at = bytes.indexOf('['); at >= 0; at = bytes.indexOf('[', at + 1)) {
        if (at > 0 && bytes[at - 1] != '\n')
            continue;
        const QByteArrayView name = headerName(bytes, at);
        if (name.isEmpty() || isPage(name, prefix, pageCount))
            continue;
        const QByteArray key = name.toByteArray().toLower();
        if (!seen.contains(key)) {
            seen.insert(key);
            names.append(name.toByteArray());
        }
    }
    return names;
}

} // namespace

namespace EarlierExport {

std::vector<File> read(const QString &path, QByteArrayView prefix, int pageCount) {
    std::vector<File> files;
    for (int part = 1;; ++part) {
        const QString name = ScriptExport::partPath(path, part);
        const Outcome<QByteArray> bytes =
            TextFile::exists(name) ? TextFile::readBytes(name) : Outcome<QByteArray>{};
        const bool exported = bytes.ok() && bytes.value.startsWith(ScriptOpening);
        // The script itself may be a file of the user's own; its parts count all the same.
        if (part > 1 && !exported)
            break;
        if (exported)
            files.push_back({part, namesGone(bytes.value, prefix, pageCount)});
    }
    return files;
}

QByteArray emptySections(const QByteArrayList &names) {
    if (names.isEmpty())
        return {};
    QByteArray out("// Pages an earlier export had and this one has not, left empty so that a reloaded\r\n"
                   "// server opens nothing for them. They go once this file is deleted while the server\r\n"
                   "// is stopped.\r\n \r\n");
    for (const QByteArray &name : names)
        out += "[DIALOG " + name + "]\r\n[DIALOG " + name + " TEXT]\r\n[DIALOG " + name + " BUTTON]\r\n \r\n";
    return out;
}

} // namespace EarlierExport
