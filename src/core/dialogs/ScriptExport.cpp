#include "core/dialogs/ScriptExport.h"

#include "core/dialogs/EarlierExport.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptWriter.h"
#include "core/text/CodePage.h"
#include "core/text/ScriptSyntax.h"
#include "core/text/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>

namespace {

// Where each part ends: the page boundaries at which the script is cut, as byte offsets. What
// follows the pages in part k (from 0) takes `after(k)` bytes of that part's room.
template <class After>
std::vector<qsizetype> partEnds(const ScriptWriter::Script &script, qsizetype markerSize, qsizetype limit,
                                After after) {
    std::vector<qsizetype> ends;
    const qsizetype total = script.bytes.size();
    if (script.pageStarts.empty())
        return {total};
    qsizetype partStart = script.pageStarts.front();
    for (size_t n = 1; n <= script.pageStarts.size(); ++n) {
        const qsizetype pageEnd = n < script.pageStarts.size() ? script.pageStarts[n] : total;
        const qsizetype pageStart = script.pageStarts[n - 1];
        // A page too big for any part still goes whole into one of its own.
        if (pageStart > partStart && markerSize + pageEnd - partStart + after(ends.size()) > limit) {
            ends.push_back(pageStart);
            partStart = pageStart;
        }
    }
    ends.push_back(total);
    return ends;
}

FileError failure(const QString &path, const QString &reason) {
    return FileError{path, 0, reason};
}

// Writes the file. One that was there is left with a modification time at least a second later
// than it had: the server sees a file as changed by its size and its time in whole seconds, so
// two exports of the same size within a second would otherwise look like one.
WriteOutcome replaceFile(const QString &path, QByteArrayView bytes) {
    const QFileInfo before(path);
    const QDateTime earlier = before.exists() ? before.lastModified() : QDateTime();
    if (WriteOutcome failed = TextFile::writeBytes(path, bytes))
        return failed;
    // The times read here are whole milliseconds; the file's own may lie up to one more behind.
    const QDateTime due = earlier.addMSecs(1001);
    if (!earlier.isValid() || QFileInfo(path).lastModified() >= due)
        return std::nullopt;
    QFile file(path);
    if (file.open(QIODevice::Append) && file.setFileTime(due, QFileDevice::FileModificationTime))
        return std::nullopt;
    return failure(path, QStringLiteral("written, but a running server may not see the change, as its "
                                        "modification time could not be set: ") +
                             file.errorString());
}

struct Variable {
    const char *name;
    const char *value;
};
// The values the support script gives the variables exported dialogs use.
constexpr Variable SupportVariables[] = {
    {"br", "<br>"},
    {"bfont_lgreen", "<basefont color=#90ee90>"},
    {"bfont_lgrey", "<basefont color=#d3d3d3>"},
    {"bfont_red", "<basefont color=#ff0000>"},
};

} // namespace

namespace ScriptExport {

QString supportFileName() {
    return QStringLiteral("runequill_support.scp");
}

QByteArray supportScript() {
    QByteArray variables;
    for (const Variable &v : SupportVariables)
        variables += QByteArray(v.name) + '=' + v.value + "\r\n";
    return QByteArrayLiteral(
               "// Definitions the dialogs exported by Runequill call. Written once beside them and\r\n"
               "// never replaced: edit the colours here. The world save keeps the variables, so a\r\n"
               "// changed value takes effect only once the saved one is cleared (VAR.br= and so on).\r\n"
               "\r\n"
               "// Opens the named dialog page for the player who pressed the button.\r\n"
               "[FUNCTION iQuest::GetDialog]\r\n"
               "DIALOG <ARGS>\r\n"
               "\r\n"
               "// Taken literally, not evaluated.\r\n"
               "[WORLDVARS]\r\n") +
           variables + QByteArrayLiteral("\r\n[EOF]\r\n");
}

QString withSupportValues(const QString &line) {
    QString out = line;
    for (const Variable &v : SupportVariables)
        out.replace(QStringLiteral("<var.%1>").arg(QLatin1String(v.name)), QLatin1String(v.value),
                    Qt::CaseInsensitive);
    return out;
}

QString partPath(const QString &path, int part) {
    if (part <= 1)
        return path;
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString numbered = dot <= 0 ? name + QStringLiteral("_part%1").arg(part)
                                      : name.left(dot) + QStringLiteral("_part%1").arg(part) + name.mid(dot);
    return info.dir().filePath(numbered);
}

char32_t unusablePrefixCharacter(const QString &prefix) {
    return ScriptSyntax::firstNonNameCharacter(prefix);
}

QString unusablePrefixMessage(char32_t c) {
    const QString shown = c == U' '               ? QStringLiteral("a blank")
                          : c == U'\t'            ? QStringLiteral("a tab")
                          : c < 0x20              ? QStringLiteral("a control character")
                          : QChar::isSurrogate(c) ? QStringLiteral("half of a character")
                                                  : QStringLiteral("\"%1\"").arg(QString::fromUcs4(&c, 1));
    return QStringLiteral("The dialog prefix holds %1, which the server cannot use in a section name. "
                          "Use letters, digits and \"_\" only.")
        .arg(shown);
}

Outcome<Written> writeScript(const QuestDialogs &project, const QString &prefix, const QString &path,
                             qsizetype partBytes) {
    Outcome<Written> result;
    const Outcome<ScriptWriter::Script> script = ScriptWriter::build(project, prefix);
    if (!script.ok()) {
        result.error = failure(path, script.error->reason);
        return result;
    }
    // The names the earlier files define and these pages do not, by the part that held them.
    const QByteArray stem = CodePage::encode(ScriptWriter::joinLines(prefix)).value;
    std::map<int, QByteArray> emptied;
    int earlierParts = 0;
    for (const EarlierExport::File &file : EarlierExport::read(path, stem, project.Count())) {
        emptied[file.part] = EarlierExport::emptySections(file.names);
        earlierParts = file.part;
    }
    const auto emptiedIn = [&emptied](int part) -> QByteArrayView {
        const auto it = emptied.find(part);
        return it == emptied.end() ? QByteArrayView() : QByteArrayView(it->second);
    };

    const QByteArray marker = ScriptWriter::markerLine(prefix);
    const std::vector<qsizetype> ends =
        partEnds(script.value, marker.size(), std::min(partBytes, MaxFileBytes),
                 [&](size_t k) { return emptiedIn(int(k) + 1).size(); });
    const QByteArrayView bytes(script.value.bytes);
    const int parts = std::max(int(ends.size()), earlierParts);
    qsizetype start = 0;
    for (int part = 1; part <= parts; ++part) {
        const QString file = partPath(path, part);
        const bool existed = TextFile::exists(file);
        const qsizetype end = size_t(part) <= ends.size() ? ends[size_t(part) - 1] : start;
        const QByteArrayView after = emptiedIn(part);
        if (part == 1 && after.isEmpty())
            result.error = replaceFile(file, bytes.first(end)); // the common case, without a copy
        else
            result.error = replaceFile(file, QByteArray(part == 1 ? QByteArray() : marker)
                                                 .append(bytes.sliced(start, end - start))
                                                 .append(after));
        if (result.error)
            return result;
        result.value.files.append(file);
        if (part > 1 && !existed)
            result.value.newParts.append(file);
        start = end;
    }
    return result;
}

Outcome<Written> exportProject(const QuestDialogs &project, const QString &prefix, const QString &path,
                               qsizetype partBytes) {
    Outcome<Written> result;
    if (const char32_t c = unusablePrefixCharacter(prefix)) {
        result.error = failure(path, unusablePrefixMessage(c));
        return result;
    }
    result = writeScript(project, prefix, path, partBytes);
    if (!result.ok())
        return result;
    const QString support = QFileInfo(path).dir().filePath(supportFileName());
    if (QFileInfo::exists(support))
        return result;
    result.error = TextFile::writeBytes(support, supportScript());
    if (result.ok())
        result.value.files.append(support);
    return result;
}

} // namespace ScriptExport

WriteOutcome QuestDialogs::DumpToFile(const QString &FilePath, const QString &DialogPrefix) const {
    if (FilePath.isEmpty())
        return FileError{FilePath, 0, QStringLiteral("No file name was given")};
    return ScriptExport::writeScript(*this, DialogPrefix, FilePath).error;
}
