#include "support/TestSupport.h"

#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/CodePage.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace TestSupport {

QStringList keyLines(const DefinitionSection &section, KeySide side) {
    QStringList keys;
    for (const KeyLine &line : section.keyLines(side))
        keys << line.key.toUpper() + u'=' + line.value;
    return keys;
}

void forEachSection(const QString &folder, const QString &type,
                    const std::function<void(const FoundSection &)> &each) {
    QDirIterator it(folder, {QStringLiteral("*.scp")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const Outcome<ScriptFile> file = ScriptFile::read(path);
        EXPECT_TRUE(file.ok()) << path.toStdString();
        const QString lineEnd = QString::fromLatin1(file.value.lineEnd());
        for (qsizetype i = 0; i < file.value.sections().size(); ++i) {
            const ScriptFile::Section &s = file.value.sections()[i];
            if (s.type.compare(type, Qt::CaseInsensitive) == 0)
                each({path, file.value, i, file.value.bytes().mid(s.begin, s.end - s.begin), lineEnd});
        }
    }
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QStringList pages(const QuestDialogs &project) {
    QStringList out;
    for (qint16 n = 0; n <= project.UpperBound(); ++n) {
        const Dialog &page = project.Dialog(n);
        out << QString::number(n) + ":" + page.text();
        for (qint16 k = 0; k <= page.SelectionUBound(); ++k) {
            const Selection &a = page.Selection(k);
            out << QStringLiteral("  %1|%2|%3|%4")
                       .arg(a.text())
                       .arg(a.isLinked())
                       .arg(a.LinkPage())
                       .arg(a.EndDialog());
        }
    }
    return out;
}

QStringList readProject(const QString &path, QuestDialogs &project) {
    project.Clear();
    const Outcome<ProjectFile::Header> read = ProjectFile::read(path, project);
    QStringList out{QStringLiteral("Ok")};
    if (read.error && read.error->kind == FileError::Damaged)
        out[0] = QStringLiteral("Damaged at line %1").arg(read.error->line);
    else if (read.error && read.error->kind == FileError::Missing)
        out[0] = QStringLiteral("Missing");
    else if (read.error)
        out[0] = QStringLiteral("Failed: ") + read.error->reason;
    if (read.value.prefix)
        out << "prefix " + *read.value.prefix;
    if (read.value.speaker)
        out << "speaker " + *read.value.speaker;
    return out + pages(project);
}

std::unique_ptr<Selection> answer(const QString &text, bool linked, const QString &link, bool ends) {
    auto s = std::make_unique<Selection>();
    s->Init(text, linked, link, ends);
    return s;
}

CodePageGuard::~CodePageGuard() {
    CodePage::resetEncoding();
}

} // namespace TestSupport
