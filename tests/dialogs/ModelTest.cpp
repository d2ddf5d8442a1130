#include "common/TestSupport.h"
#include "dialogs/QuestDialogs.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<Selection> answer(const QString &text, bool linked = false, const QString &link = {},
                                  bool ends = true)
{
    auto s = std::make_unique<Selection>();
    s->Init(text, linked, link, ends);
    return s;
}

std::unique_ptr<Dialog> page(const QString &text)
{
    auto d = std::make_unique<Dialog>();
    d->Init(text);
    return d;
}

QStringList answerTexts(const Dialog &d)
{
    QStringList out;
    for (qint16 i = 0; i <= d.SelectionUBound(); ++i)
        out << d.Selection(i).text();
    return out;
}

QStringList pageTexts(const QuestDialogs &p)
{
    QStringList out;
    for (qint16 i = 0; i <= p.UpperBound(); ++i)
        out << p.Dialog(i).text();
    return out;
}

} // namespace

TEST(DialogModel, InitLeavesOneDefaultAnswer)
{
    Dialog d;
    d.Init(QStringLiteral("Hi"));
    EXPECT_EQ(d.SelectionCount(), 1);
    EXPECT_EQ(d.SelectionUBound(), 0);
    const Selection &s = d.Selection(0);
    EXPECT_TRUE(s.text().isEmpty());
    EXPECT_FALSE(s.isLinked());
    EXPECT_TRUE(s.LinkPage().isEmpty());
    EXPECT_TRUE(s.EndDialog());
}

TEST(DialogModel, AddSelectionFillsFreeSlotsFirstAndStopsAtFive)
{
    Dialog d;
    EXPECT_TRUE(d.AddSelection(answer("A")));
    EXPECT_EQ(d.SelectionCount(), 1) << "the empty default answer is replaced";
    EXPECT_TRUE(d.AddSelection(answer("")));
    EXPECT_TRUE(d.AddSelection(answer("B")));
    EXPECT_EQ(answerTexts(d), (QStringList{"A", "B"}));

    EXPECT_TRUE(d.AddSelection(answer("C")));
    EXPECT_TRUE(d.AddSelection(answer("D")));
    EXPECT_TRUE(d.AddSelection(answer("E")));
    EXPECT_FALSE(d.AddSelection(answer("F")));
    EXPECT_EQ(answerTexts(d), (QStringList{"A", "B", "C", "D", "E"}));
}

TEST(DialogModel, AddSelectionKeepsTheVeryObject)
{
    Dialog d;
    auto s = answer("A");
    Selection *raw = s.get();
    d.AddSelection(std::move(s));
    EXPECT_EQ(&d.Selection(0), raw);
    d.Selection(0).setLinkPage(QStringLiteral("abc"));
    EXPECT_EQ(raw->LinkPage(), QStringLiteral("abc"));
}

TEST(DialogModel, RemoveSelectionClosesTheGapAndIgnoresBadIndexes)
{
    Dialog d;
    for (const char *t : {"A", "B", "C"})
        d.AddSelection(answer(t));
    d.RemoveSelection(1);
    EXPECT_EQ(answerTexts(d), (QStringList{"A", "C"}));
    d.RemoveSelection(7);
    d.RemoveSelection(-1);
    EXPECT_EQ(answerTexts(d), (QStringList{"A", "C"}));
    d.RemoveSelection(1);
    EXPECT_EQ(answerTexts(d), (QStringList{"A"}));
    d.RemoveSelection(0);
    EXPECT_EQ(d.SelectionCount(), 1) << "a page keeps at least one answer";
}

TEST(DialogModel, OutOfRangeAnswerIsDetached)
{
    Dialog d;
    d.Selection(5).setText(QStringLiteral("lost"));
    d.Selection(-1).setText(QStringLiteral("lost"));
    EXPECT_EQ(d.SelectionCount(), 1);
    EXPECT_TRUE(d.Selection(0).text().isEmpty());
    EXPECT_TRUE(d.Selection(5).text().isEmpty());
    d.setSelection(3, answer("X"));
    EXPECT_EQ(d.SelectionCount(), 1);
}

TEST(ProjectModel, InitAndClearKeepTheSpeaker)
{
    QuestDialogs p;
    p.setSpeaker(QStringLiteral("Guard"));
    p.Init();
    EXPECT_EQ(p.Count(), 1);
    EXPECT_EQ(p.UpperBound(), 0);
    EXPECT_EQ(p.Dialog(0).text(), QStringLiteral("Enter New Dialog"));
    EXPECT_EQ(p.Dialog(0).SelectionCount(), 1);
    EXPECT_TRUE(p.Dialog(0).Selection(0).EndDialog());
    p.Clear();
    EXPECT_EQ(pageTexts(p), QStringList{"Null"});
    EXPECT_EQ(p.Speaker(), QStringLiteral("Guard"));
}

TEST(ProjectModel, NewPagesFillPlaceholdersBeforeAppending)
{
    QuestDialogs p;
    p.Clear();
    p.AddNewDialog(page("A"));
    EXPECT_EQ(pageTexts(p), QStringList{"A"});
    p.AddNewDialog(page("B"));
    EXPECT_EQ(pageTexts(p), (QStringList{"A", "B"}));

    QuestDialogs q;
    q.AddNewDialog(page("A"));
    EXPECT_EQ(pageTexts(q), (QStringList{"Enter New Dialog", "A"})) << "after Init page 0 is real";

    q.Dialog(0).setText(QStringLiteral("Null"));
    q.AddNewDialog(page("lowest"));
    q.AddNewDialog(page("null"));
    q.AddNewDialog(page("C"));
    EXPECT_EQ(pageTexts(q), (QStringList{"lowest", "A", "null", "C"})) << "lower-case null is a real page";
}

TEST(ProjectModel, RemoveDialogRenumbersWithoutTouchingLinks)
{
    QuestDialogs p;
    p.Dialog(0).setText(QStringLiteral("A"));
    p.AddNewDialog(page("B"));
    p.AddNewDialog(page("C"));
    p.Dialog(0).AddSelection(answer("go", true, QStringLiteral("2"), false));
    p.RemoveDialog(1);
    EXPECT_EQ(pageTexts(p), (QStringList{"A", "C"}));
    EXPECT_EQ(p.Dialog(0).Selection(0).LinkPage(), QStringLiteral("2"));
    EXPECT_TRUE(p.Dialog(0).Selection(0).isLinked());

    p.RemoveDialog(5);
    p.RemoveDialog(-3);
    EXPECT_EQ(p.Count(), 2);
    p.RemoveDialog(1);
    p.RemoveDialog(0);
    EXPECT_EQ(pageTexts(p), QStringList{"A"}) << "a project keeps at least one page";
}

TEST(ProjectModel, PlaceholdersFollowRemovalAndEdits)
{
    QuestDialogs p;
    p.Dialog(0).setText(QStringLiteral("A"));
    p.AddNewDialog(page("Null"));
    p.AddNewDialog(page("B")); // fills the placeholder
    p.AddNewDialog(page("C"));
    p.AddNewDialog(page("D"));
    p.Dialog(1).setText(QStringLiteral("Null"));
    p.Dialog(3).setText(QStringLiteral("Null"));
    p.RemoveDialog(1); // A, C, Null
    EXPECT_EQ(pageTexts(p), (QStringList{"A", "C", "Null"}));
    p.Dialog(1).setText(QStringLiteral("B"));
    p.AddNewDialog(page("X"));
    EXPECT_EQ(pageTexts(p), (QStringList{"A", "B", "X"}));
    p.Dialog(1).setText(QStringLiteral("Null"));
    p.Dialog(1).setText(QStringLiteral("B again"));
    p.AddNewDialog(page("Y"));
    EXPECT_EQ(pageTexts(p), (QStringList{"A", "B again", "X", "Y"}));
}

TEST(ProjectModel, FullProjectRefusesAnotherPage)
{
    QuestDialogs p;
    while (p.Count() < QuestDialogs::MaxPages)
        ASSERT_TRUE(p.AddNewDialog(page("p")));
    EXPECT_EQ(p.UpperBound(), 32766);
    EXPECT_FALSE(p.AddNewDialog(page("one too many")));
    EXPECT_EQ(p.Count(), QuestDialogs::MaxPages);
    p.Dialog(100).setText(QStringLiteral("Null"));
    EXPECT_TRUE(p.AddNewDialog(page("fits")));
    EXPECT_EQ(p.Dialog(100).text(), QStringLiteral("fits"));
}

TEST(ProjectModel, OutOfRangePageIsDetached)
{
    QuestDialogs p;
    p.Dialog(3).setText(QStringLiteral("lost"));
    p.Dialog(-1).AddSelection(answer("lost"));
    EXPECT_EQ(pageTexts(p), QStringList{"Enter New Dialog"});
    EXPECT_EQ(p.Dialog(0).SelectionCount(), 1);
    p.setDialog(1, page("X"));
    EXPECT_EQ(p.Count(), 1);
}

TEST(ProjectModel, ChangeJournalListsEditedAndAppendedPages)
{
    QuestDialogs p;
    p.AddNewDialog(page("B"));
    p.AddNewDialog(page("C"));
    (void)p.takeChanges();

    p.Dialog(2).Selection(0).setText(QStringLiteral("x"));
    p.Dialog(2).setText(QStringLiteral("y"));
    p.AddNewDialog(page("D"));
    ProjectChanges c = p.takeChanges();
    EXPECT_FALSE(c.reset);
    EXPECT_EQ(c.pages, (std::vector<qint16>{2, 3}));
    EXPECT_TRUE(p.takeChanges().pages.empty());

    p.Dialog(1).setText(QStringLiteral("z"));
    p.RemoveDialog(0);
    p.Dialog(0).setText(QStringLiteral("after"));
    c = p.takeChanges();
    EXPECT_TRUE(c.reset);
    EXPECT_TRUE(c.pages.empty());
    p.Dialog(0).setText(QStringLiteral("later"));
    EXPECT_EQ(p.takeChanges().pages, std::vector<qint16>{0});
}
