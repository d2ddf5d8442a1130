#include "core/dialogs/ConversationGraph.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
// Builds a project from lines "n: speech | answer>link | answer" (">" marks a linked answer);
// pages are numbered in order.
void build(QuestDialogs &project, const QStringList &lines) {
    project.Init();
    for (int n = 0; n < lines.size(); ++n) {
        if (n > 0)
            project.AddNewDialog(std::make_unique<Dialog>(QString()));
        Dialog &page = project.Dialog(qint16(n));
        const QStringList parts = lines[n].section(':', 1).split('|');
        page.Init(parts[0].trimmed());
        page.Selection(0).Init(QString(), false, QString(), true);
        for (int k = 1; k < parts.size(); ++k) {
            const QString answer = parts[k].trimmed();
            const bool linked = answer.contains('>');
            auto selection =
                TestSupport::answer(answer.section('>', 0, 0), linked, answer.section('>', 1), !linked);
            if (k == 1)
                page.setSelection(0, std::move(selection));
            else
                page.AddSelection(std::move(selection));
        }
    }
}

QString neighbours(const ConversationGraph &graph, qint16 page) {
    QStringList out;
    for (const auto &[p, distance] : graph.neighbourhood(page))
        out << QStringLiteral("%1@%2").arg(p).arg(distance);
    return out.join(' ');
}

const QStringList chain = {"0: Hail | on>1 | bye", "1: Trade? | yes>2 | no>0", "2: Gold | pay>3 | odd>abc",
                           "3: Done | back>1", "4: Lost | loop>4"};
} // namespace

// Each fixture file is a project in the builder's form, then "= page: neighbourhood" lines.
TEST(ConversationGraph, NeighbourhoodsOfTheFixtureProjects) {
    const QDir dir(QStringLiteral(RUNEQUILL_FIXTURES "/graph"));
    const QStringList files = dir.entryList({"*.txt"});
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        const QStringList lines =
            QString::fromUtf8(TestSupport::readFile(dir.filePath(name))).split('\n', Qt::SkipEmptyParts);
        QStringList pages, expected;
        for (const QString &line : lines)
            (line.startsWith('=') ? expected : pages) << line;
        QuestDialogs project;
        build(project, pages);
        ConversationGraph graph;
        graph.sync(project);
        for (const QString &want : expected) {
            const qint16 page = qint16(want.section(':', 0, 0).mid(1).trimmed().toInt());
            EXPECT_EQ(neighbours(graph, page), want.section(':', 1).trimmed())
                << name.toStdString() << " page " << page;
        }
    }
}

TEST(ConversationGraph, FollowsEditsAddedPagesAndRemovalsThroughSync) {
    QuestDialogs project;
    build(project, chain);
    ConversationGraph graph;
    EXPECT_TRUE(graph.sync(project));
    EXPECT_FALSE(graph.sync(project)) << "nothing changed";
    EXPECT_TRUE(graph.isReached(1));
    EXPECT_FALSE(graph.isReached(4)) << "a page leading only to itself is not reached";
    EXPECT_EQ(graph.pagesLeadingTo(1), (std::vector<qint16>{0, 3}));

    // Re-linking one answer moves one incoming link, and names the pages involved.
    project.Dialog(3).Selection(0).setLinkPage("4");
    ASSERT_TRUE(graph.sync(project));
    EXPECT_EQ(graph.changedPages(), (std::set<qint16>{1, 3, 4}));
    EXPECT_EQ(graph.pagesLeadingTo(1), (std::vector<qint16>{0}));
    EXPECT_TRUE(graph.isReached(4));

    // A link past the last page is broken until the page exists.
    project.Dialog(4).Selection(0).setLinkPage("5");
    graph.sync(project);
    EXPECT_TRUE(graph.linksFrom(4)[0].broken);
    project.AddNewDialog(std::make_unique<Dialog>("New"));
    EXPECT_TRUE(graph.sync(project));
    EXPECT_FALSE(graph.linksFrom(4)[0].broken);
    EXPECT_TRUE(graph.isReached(5));

    // Removing a page renumbers everything after it: the graph starts over, as a new one would.
    project.RemoveDialog(0);
    EXPECT_TRUE(graph.sync(project));
    EXPECT_TRUE(graph.rebuiltFully());
    ConversationGraph fresh;
    fresh.sync(project);
    for (qint16 n = 0; n < project.Count(); ++n)
        EXPECT_EQ(graph.pagesLeadingTo(n), fresh.pagesLeadingTo(n)) << n;
}
