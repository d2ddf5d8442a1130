#include "core/dialogs/ScriptExport.h"

#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptWriter.h"
#include "core/text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Where each part ends: the page boundaries at which the script is cut, as byte offsets.
std::vector<qsizetype> partEnds(const ScriptWriter::Script &script, qsizetype markerSize) {
    std::vector<qsizetype> ends;
    const qsizetype total = script.bytes.size();
    if (total <= ScriptExport::MaxFileBytes)
        return {total};
    qsizetype partStart = script.pageStarts.front();
    for (size_t n = 1; n <= script.pageStarts.size(); ++n) {
        const qsizetype pageEnd = n < script.pageStarts.size() ? script.pageStarts[n] : total;
        const qsizetype pageStart = script.pageStarts[n - 1];
        // A page too big for any part still goes whole into one of its own.
        if (pageStart > partStart && markerSize + pageEnd - partStart > ScriptExport::MaxFileBytes) {
            ends.push_back(pageStart);
            partStart = pageStart;
        }
    }
    ends.push_back(total);
    return ends;
}

// True when the file is a part an export wrote: it opens with the script's first line.
bool isExportedPart(const QString &path, const QByteArray &marker) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(marker.size()) == marker;
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

FileError failure(const QString &path, const QString &reason) {
    return FileError{path, 0, reason};
}

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

QChar unusablePrefixCharacter(const QString &prefix) {
    for (QChar c : prefix) {
        const char16_t u = c.unicode();
        const bool usable =
            (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_';
        if (!usable)
            return c;
    }
    return QChar();
}

QString unusablePrefixMessage(QChar c) {
    const QString shown = c == u' '            ? QStringLiteral("a blank")
                          : c == u'\t'         ? QStringLiteral("a tab")
                          : c.unicode() < 0x20 ? QStringLiteral("a control character")
                                               : QStringLiteral("\"%1\"").arg(c);
    return QStringLiteral("The dialog prefix holds %1, which the server cannot use in a section name. "
                          "Use letters, digits and \"_\" only.")
        .arg(shown);
}

Outcome<QStringList> writeScript(const QuestDialogs &project, const QString &prefix, const QString &path) {
    Outcome<QStringList> result;
    const Outcome<ScriptWriter::Script> script = ScriptWriter::build(project, prefix);
    if (!script.ok()) {
        result.error = failure(path, script.error->reason);
        return result;
    }
    const QByteArray marker = ScriptWriter::markerLine(prefix);
    const std::vector<qsizetype> ends = partEnds(script.value, marker.size());
    const QByteArrayView bytes(script.value.bytes);
    qsizetype start = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
        const QString part = partPath(path, static_cast<int>(i + 1));
        result.error =
            i == 0 ? TextFile::writeBytes(part, bytes.first(ends[0]))
                   : TextFile::writeBytes(part, marker + bytes.sliced(start, ends[i] - start).toByteArray());
        if (result.error)
            return result;
        result.value.append(part);
        start = ends[i];
    }
    // An earlier, bigger export's later parts would still be loaded, with pages of their own.
    for (int n = static_cast<int>(ends.size()) + 1;; ++n) {
        const QString stale = partPath(path, n);
        if (!TextFile::exists(stale) || !isExportedPart(stale, marker.first(11)))
            break;
        if (!QFile::remove(stale)) {
            result.error = failure(stale, QStringLiteral("an earlier export's part could not be removed"));
            return result;
        }
    }
    return result;
}

Outcome<QStringList> exportProject(QuestDialogs &project, const QString &prefix, const QString &path) {
    Outcome<QStringList> result;
    if (const QChar c = unusablePrefixCharacter(prefix); !c.isNull()) {
        result.error = failure(path, unusablePrefixMessage(c));
        return result;
    }
    // The script writer writes the defaults (speaker, empty answers) without storing them.
    result = writeScript(project, prefix, path);
    if (!result.ok())
        return result;
    const QString support = QFileInfo(path).dir().filePath(supportFileName());
    if (QFileInfo::exists(support))
        return result;
    result.error = TextFile::writeBytes(support, supportScript());
    if (result.ok())
        result.value.append(support);
    return result;
}

} // namespace ScriptExport

WriteOutcome QuestDialogs::DumpToFile(const QString &FilePath, const QString &DialogPrefix) {
    // Without a file there is nothing to export to, and the project keeps its own defaults.
    if (FilePath.isEmpty())
        return FileError{FilePath, 0, QStringLiteral("No file name was given")};
    ScriptWriter::fillExportDefaults(*this);
    return ScriptExport::writeScript(*this, DialogPrefix, FilePath).error;
}
