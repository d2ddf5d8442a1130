// libFuzzer target for the project-file reader. Any bytes may come from a file the user opens,
// so the reader must never crash, hang or misread; beyond that, whatever it reads must come
// back unchanged from a save and a second read, and export the same script both times.
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptWriter.h"
#include "core/text/CodePage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what) {
    std::fprintf(stderr, "project file fuzzer: %s\n", what);
    std::abort();
}

void require(bool condition, const char *what) {
    if (!condition)
        fail(what);
}

bool isClearedProject(const QuestDialogs &project) {
    return project.Count() == 1 && project.Dialog(0).text() == QuestDialogs::placeholderText() &&
           project.Dialog(0).SelectionCount() == 1 && project.Dialog(0).Selection(0).text().isEmpty();
}

// Everything a read gives, to compare two reads field by field.
QString described(const ProjectFile::ReadResult &result, const QuestDialogs &project) {
    QString out = QStringLiteral("%1|%2|%3|%4|%5\n")
                      .arg(result.status)
                      .arg(result.hasPrefix)
                      .arg(result.hasSpeaker)
                      .arg(result.prefix, result.speaker);
    for (qint16 n = 0; n <= project.UpperBound(); ++n) {
        const Dialog &page = project.Dialog(n);
        out += page.text() + u'\n';
        for (qint16 k = 0; k <= page.SelectionUBound(); ++k) {
            const Selection &a = page.Selection(k);
            out += QStringLiteral("  %1|%2|%3|%4\n")
                       .arg(a.text())
                       .arg(a.isLinked())
                       .arg(a.LinkPage())
                       .arg(a.EndDialog());
        }
    }
    return out;
}

// The input as a file on disk, for the reader that works on files.
QString asFile(QByteArrayView bytes) {
    // In memory where the system has such a folder: the file is rewritten for every input.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/runequill-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/runequill-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("input.QDS"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), bytes.size()) != bytes.size())
        fail("cannot write the scratch file");
    return path;
}

QString exported(QuestDialogs &project, const QString &prefix, const QString &speaker) {
    if (!speaker.isEmpty())
        project.setSpeaker(speaker);
    ScriptWriter::fillExportDefaults(project);
    return QString::fromUtf8(ScriptWriter::build(project, prefix).value.bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    QuestDialogs first;
    first.Clear();
    const ProjectFile::ReadResult read = ProjectFile::parse(CodePage::decode(bytes), first);
    // Opening the same bytes as a file gives exactly the same.
    QuestDialogs opened;
    opened.Clear();
    const ProjectFile::ReadResult fromFile = ProjectFile::read(asFile(bytes), opened);
    if (described(fromFile, opened) != described(read, first)) {
        std::fprintf(stderr, "file:\n%s\ntext:\n%s\n", qPrintable(described(fromFile, opened)),
                     qPrintable(described(read, first)));
        fail("reading the file differs from parsing its text");
    }
    if (read.status == ProjectFile::ReadResult::TooManyPages) {
        require(isClearedProject(first), "a refused file changed the project");
        return 0;
    }
    require(read.status == ProjectFile::ReadResult::Ok || read.status == ProjectFile::ReadResult::Damaged,
            "parsing text gave a file status");
    require(first.Count() >= 1 && first.Count() <= QuestDialogs::MaxPages, "page count out of range");
    for (qint16 n = 0; n <= first.UpperBound(); ++n) {
        const qint16 answers = first.Dialog(n).SelectionCount();
        require(answers >= 1 && answers <= Dialog::MaxSelectionUBound + 1, "answer count out of range");
    }

    // What was read is saved, and the saved file is read again through the code page.
    const QString saved = ProjectFile::text(read.prefix, read.speaker, first);
    const std::optional<QByteArray> encoded = CodePage::encode(saved);
    require(encoded.has_value(), "text read from a file cannot be saved");

    QuestDialogs second;
    second.Clear();
    const ProjectFile::ReadResult reread = ProjectFile::parse(CodePage::decode(*encoded), second);
    require(reread.status == ProjectFile::ReadResult::Ok, "a saved file did not read back whole");
    require(ProjectFile::text(reread.prefix, reread.speaker, second) == saved,
            "save, open and save again changed the file");
    require(exported(first, read.prefix, read.speaker) == exported(second, reread.prefix, reread.speaker),
            "the export changed across save and open");
    return 0;
}
