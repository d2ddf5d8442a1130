#include "core/dialogs/EarlierExport.h"

#include "core/dialogs/ScriptExport.h"
#include "core/text/TextFile.h"

#include <QByteArrayMatcher>
#include <QSet>
#include <algorithm>

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

QByteArrayList definedNames(QByteArrayView bytes) {
    QByteArrayList names;
    QSet<QByteArray> seen;
    const auto take = [&](qsizetype at) {
        const QByteArrayView name = headerName(bytes, at);
        if (!name.isEmpty() && !seen.contains(name.toByteArray().toLower())) {
            seen.insert(name.toByteArray().toLower());
            names.append(name.toByteArray());
        }
    };
    take(0);
    static const QByteArrayMatcher lineThenSection(QByteArrayLiteral("\n["));
    for (qsizetype at = lineThenSection.indexIn(bytes); at >= 0; at = lineThenSection.indexIn(bytes, at + 1))
        take(at + 1);
    return names;
}

bool isDecimal(QByteArrayView digits) {
    if (digits.isEmpty() || (digits.size() > 1 && digits.front() == '0'))
        return false;
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

namespace EarlierExport {

std::vector<File> read(const QString &path) {
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
            files.push_back({part, definedNames(bytes.value)});
    }
    return files;
}

QByteArrayList namesMissingFrom(const QByteArrayList &names, QByteArrayView prefix, int pageCount) {
    QByteArrayList missing;
    for (const QByteArray &name : names) {
        bool number = name.size() > prefix.size() + 1 &&
                      qstrnicmp(name.constData(), prefix.data(), prefix.size()) == 0 &&
                      name[prefix.size()] == '_' && isDecimal(QByteArrayView(name).sliced(prefix.size() + 1));
        const bool page = number && name.mid(prefix.size() + 1).toLongLong(&number) < pageCount && number;
        if (!page)
            missing.append(name);
    }
    return missing;
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
