#pragma once

#include "core/definitions/ScriptFile.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <ostream>

class QuestDialogs;
class Selection;

// Small helpers shared by the test programs.
namespace TestSupport {

// Reads a whole file as bytes; an empty array when it cannot be read.
QByteArray readFile(const QString &path);
// Writes bytes to a file, replacing it; false on failure.
bool writeFile(const QString &path, const QByteArray &bytes);

// One line per page ("n:speech") and per answer ("  text|linked|page id|ends"), enough to
// compare whole projects.
QStringList pages(const QuestDialogs &project);
// Reads a project file into `project`, cleared first, as "Open..." does. What it gave, as lines:
// how the read ended ("Ok", "Damaged at line N", "Failed: REASON", "Missing"), "prefix TEXT"
// and "speaker TEXT" for the header lines read, then the pages as pages() gives them.
QStringList readProject(const QString &path, QuestDialogs &project);
// A new answer with these fields.
std::unique_ptr<Selection> answer(const QString &text, bool linked, const QString &link, bool ends);

// Each key line of a side as "KEY=VALUE", the key in capitals, in order.
QStringList keyLines(const DefinitionSection &section, KeySide side);
// Every section of a type ("ITEMDEF", case ignored) in the script files under a folder and its
// subfolders, as "Open..." reads them: its file, its index there, and its bytes and the file's
// line end, to compare what is written back with.
struct FoundSection {
    QString path;
    const ScriptFile &file;
    qsizetype index;
    QByteArray bytes;
    QString lineEnd;
};
void forEachSection(const QString &folder, const QString &type,
                    const std::function<void(const FoundSection &)> &each);

// Puts the system code page back when a test chose another.
struct CodePageGuard {
    ~CodePageGuard();
};

} // namespace TestSupport

// The worked examples that several test programs compare against, kept in the fixtures:
// "frmDC_guard.QDS", the project file of the guard, and "frmDC_guard.scp", the script its export
// writes. For test programs only, which know where their data is.
#define RUNEQUILL_EXAMPLE(name) QDir::cleanPath(QStringLiteral(RUNEQUILL_FIXTURES "/worked/" name))

// Readable GoogleTest failure messages for Qt strings.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os) {
    *os << '{';
    for (qsizetype i = 0; i < l.size(); ++i)
        *os << (i ? ", \"" : "\"") << l[i].toStdString() << '"';
    *os << '}';
}
inline void PrintTo(const QByteArray &b, std::ostream *os) {
    *os << '"' << b.toStdString() << '"';
}
