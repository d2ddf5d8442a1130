// libFuzzer target for the project-file reader. Any bytes may come from a file the user opens,
// so the reader must never crash or hang, and must keep to the project's limits; whatever it
// read must come back unchanged from a save and a second read.
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"

#include <QBuffer>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char *what) {
    if (!condition) {
        std::fprintf(stderr, "project file fuzzer: %s\n", what);
        std::abort();
    }
}

Outcome<ProjectFile::Header> readFrom(const QByteArray &bytes, QuestDialogs &project) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    project.Clear();
    return ProjectFile::read(buffer, project);
}

QByteArray saved(const Outcome<ProjectFile::Header> &read, const QuestDialogs &project) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    require(!ProjectFile::write(buffer, read.value.prefix.value_or(QString()),
                                read.value.speaker.value_or(QString()), project),
            "what was read cannot be saved");
    return buffer.data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QuestDialogs first;
    const Outcome<ProjectFile::Header> read = readFrom(bytes, first);
    if (read.error && read.error->kind == FileError::Failed) {
        require(first.Count() == 1 && first.Dialog(0).text() == QuestDialogs::placeholderText(),
                "a refused file changed the project");
        return 0;
    }
    require(!read.error || read.error->kind == FileError::Damaged, "reading from memory gave a file status");
    for (qint16 n = 0; n <= first.UpperBound(); ++n) {
        const qint16 answers = first.Dialog(n).SelectionCount();
        require(answers >= 1 && answers <= Dialog::MaxSelectionUBound + 1, "answer count out of range");
    }

    const QByteArray once = saved(read, first);
    QuestDialogs second;
    const Outcome<ProjectFile::Header> reread = readFrom(once, second);
    require(reread.ok(), "a saved file did not read back whole");
    require(second.Count() == first.Count(), "a saved file read back with another page count");
    require(saved(reread, second) == once, "save, open and save again changed the file");
    return 0;
}
