// Dialogs read back from script sections as the server reads them: fixtures/gumps holds
// NAME.QDS (whose pages' exported sections are read) or NAME.scp, and NAME.gumps, the dialogs
// expected, each after a "==== NAME" line.
#include "core/dialogs/Gump.h"
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptWriter.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
QString describe(const Gump &g) {
    if (g.name.isEmpty())
        return QStringLiteral("none\n");
    QString out = QStringLiteral("at %1,%2 %3\n").arg(g.x).arg(g.y).arg(g.movable ? "movable" : "fixed");
    for (const Gump::Background &b : g.backgrounds)
        out += QStringLiteral("background %1 %2 %3 %4 %5\n")
                   .arg(b.x)
                   .arg(b.y)
                   .arg(b.gump)
                   .arg(b.width)
                   .arg(b.height);
    for (const Gump::TextBox &b : g.boxes)
        out += QStringLiteral("box %1 %2 %3 %4 line %5%6%7\n")
                   .arg(b.x)
                   .arg(b.y)
                   .arg(b.width)
                   .arg(b.height)
                   .arg(b.line)
                   .arg(b.background ? " background" : "", b.scrollbar ? " scrollbar" : "");
    for (const Gump::Button &b : g.buttons)
        out += QStringLiteral("button %1 %2 %3 %4 type %5 page %6 number %7\n")
                   .arg(b.x)
                   .arg(b.y)
                   .arg(b.up)
                   .arg(b.down)
                   .arg(b.type)
                   .arg(b.page)
                   .arg(b.number);
    for (qsizetype n = 0; n < g.texts.size(); ++n)
        out += QStringLiteral("text %1: %2\n").arg(n).arg(g.texts[n]);
    for (const auto &[number, h] : g.handlers) {
        QStringList does;
        if (!h.opens.isEmpty())
            does << "opens " + h.opens;
        if (h.returns)
            does << QStringLiteral("returns");
        out += QStringLiteral("on %1: %2\n")
                   .arg(number)
                   .arg(does.isEmpty() ? QStringLiteral("nothing") : does.join(", "));
    }
    return out;
}
} // namespace

TEST(Gump, FixtureDialogsReadAsTheServerReadsThem) {
    const QDir dir(QStringLiteral(RUNEQUILL_FIXTURES "/gumps"));
    const QStringList cases = dir.entryList({"*.gumps"});
    ASSERT_GE(cases.size(), 2);
    for (const QString &name : cases) {
        const QString base = dir.filePath(QFileInfo(name).completeBaseName());
        QString script = QString::fromUtf8(TestSupport::readFile(base + ".scp"));
        if (QFileInfo::exists(base + ".QDS")) {
            QuestDialogs project;
            project.Clear();
            const Outcome<ProjectFile::Header> read = ProjectFile::read(base + ".QDS", project);
            ASSERT_TRUE(read.ok()) << name.toStdString();
            for (qint16 n = 0; n < project.Count(); ++n)
                script += ScriptWriter::page(project, *read.value.prefix, *read.value.speaker, n);
        }
        for (const QString &block : QString::fromUtf8(TestSupport::readFile(dir.filePath(name)))
                                        .split("==== ", Qt::SkipEmptyParts)) {
            const QString dialog = block.section(u'\n', 0, 0);
            EXPECT_EQ(describe(Gump::read(script, dialog)), block.section(u'\n', 1))
                << name.toStdString() << " " << dialog.toStdString();
        }
    }
}
