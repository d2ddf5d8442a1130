#include "core/dialogs/QuestDialogs.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<Selection> answer(const QString &text, bool linked = false, const QString &link = {},
                                  bool ends = true) {
    auto s = std::make_unique<Selection>();
    s->Init(text, linked, link, ends);
    return s;
}

std::unique_ptr<Dialog> page(const QString &text) {
    auto d = std::make_unique<Dialog>();
    d->Init(text);
    return d;
}

QStringList answerTexts(const Dialog &d) {
    QStringList out;
    for (qint16 i = 0; i <= d.SelectionUBound(); ++i)
        out << d.Selection(i).text();
    return out;
}

QStringList pageTexts(const QuestDialogs &p) {
    QStringList out;
    for (qint16 i = 0; i <= p.UpperBound(); ++i)
        out << p.Dialog(i).text();
    return out;
}

} // namespace

TEST(DialogModel, InitLeavesOneDefaultAnswer) {
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

TEST(DialogModel, AddSelectionFillsFreeSlotsFirstAndStopsAtFive) {
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

TEST(DialogModel, AddSelectionKeepsTheVeryObject) {
    Dialog d;
    auto s = answer("A");
    Selection *raw = s.get();
    d.AddSelection(std::move(s));
    EXPECT_EQ(&d.Selection(0), raw);
    d.Selection(0).setLinkPage(QStringLiteral("abc"));
    EXPECT_EQ(raw->LinkPage(), QStringLiteral("abc"));
}

TEST(DialogModel, RemoveSelectionClosesTheGapAndIgnoresBadIndexes) {
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

TEST(DialogModel, OutOfRangeAnswerIsDetached) {
    Dialog d;
    d.Selection(5).setText(QStringLiteral("lost"));
    d.Selection(-1).setText(QStringLiteral("lost"));
    EXPECT_EQ(d.SelectionCount(), 1);
    EXPECT_TRUE(d.Selection(0).text().isEmpty());
    EXPECT_TRUE(d.Selection(5).text().isEmpty());
    d.setSelection(3, answer("X"));
    EXPECT_EQ(d.SelectionCount(), 1);
}

TEST(ProjectModel, InitAndClearKeepTheSpeaker) {
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

TEST(ProjectModel, NewPagesFillPlaceholdersBeforeAppending) {
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

TEST(ProjectModel, RemoveDialogRenumbersPagesAndLinks) {
    QuestDialogs p;
    p.Dialog(0).setText(QStringLiteral("A"));
    p.AddNewDialog(page("B"));
    p.AddNewDialog(page("C"));
    p.Dialog(0).AddSelection(answer("go", true, QStringLiteral("2"), false));
    p.RemoveDialog(1);
    EXPECT_EQ(pageTexts(p), (QStringList{"A", "C"}));
    EXPECT_EQ(p.Dialog(0).Selection(0).LinkPage(), QStringLiteral("1")) << "the link follows page C";
    EXPECT_TRUE(p.Dialog(0).Selection(0).isLinked());

    p.RemoveDialog(5);
    p.RemoveDialog(-3);
    EXPECT_EQ(p.Count(), 2);
    p.RemoveDialog(1);
    p.RemoveDialog(0);
    EXPECT_EQ(pageTexts(p), QStringList{"A"}) << "a project keeps at least one page";
}

TEST(ProjectModel, PlaceholdersFollowRemovalAndEdits) {
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

TEST(ProjectModel, FullProjectRefusesAnotherPage) {
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

TEST(ProjectModel, OutOfRangePageIsDetached) {
    QuestDialogs p;
    p.Dialog(3).setText(QStringLiteral("lost"));
    p.Dialog(-1).AddSelection(answer("lost"));
    EXPECT_EQ(pageTexts(p), QStringList{"Enter New Dialog"});
    EXPECT_EQ(p.Dialog(0).SelectionCount(), 1);
    p.setDialog(1, page("X"));
    EXPECT_EQ(p.Count(), 1);
}

// Records what a project tells its observers, with the page as it was at that moment.
struct RecordingObserver : ProjectObserver {
    QStringList heard;
    void pageAboutToChange(qint16 index, const Dialog &page) override {
        heard << QStringLiteral("%1 %2/%3/%4")
                     .arg(index)
                     .arg(page.text(), page.Selection(0).text())
                     .arg(page.SelectionCount());
    }
    void pagesAboutToReset() override { heard << "reset"; }
    void projectDestroyed(const QuestDialogs &) override { heard << "destroyed"; }
    QStringList take() { return std::exchange(heard, {}); }
};

TEST(ProjectModel, ObserversHearOfAPageBeforeItChanges) {
    RecordingObserver o;
    auto p = std::make_unique<QuestDialogs>();
    p->AddNewDialog(page("B"));
    p->addObserver(&o);
    p->addObserver(&o); // once is enough

    p->Dialog(1).Selection(0).setText(QStringLiteral("x"));
    p->Dialog(1).Selection(0).setText(QStringLiteral("x"));
    p->Dialog(1).Selection(0).Init(QStringLiteral("x"), false, {}, true);
    p->Dialog(1).setText(QStringLiteral("B"));
    EXPECT_EQ(o.take(), QStringList{"1 B//1"}) << "storing what is there already changes nothing";

    p->Dialog(0).AddSelection(answer("y"));
    p->Dialog(0).AddSelection(answer("z"));
    p->Dialog(0).RemoveSelection(1);
    p->Dialog(0).setSelection(0, answer("w"));
    EXPECT_EQ(o.take(), (QStringList{"0 Enter New Dialog//1", "0 Enter New Dialog/y/1",
                                     "0 Enter New Dialog/y/2", "0 Enter New Dialog/y/1"}));

    p->AddNewDialog(page("C"));
    EXPECT_EQ(o.take(), QStringList{}) << "an appended page is not announced";
    p->Dialog(1).setText(QStringLiteral("Null"));
    p->AddNewDialog(page("D"));
    p->setDialog(2, page("E"));
    EXPECT_EQ(o.take(), (QStringList{"1 B/x/1", "1 Null/x/1", "2 C//1"}));

    p->RemoveDialog(9);
    EXPECT_EQ(o.take(), QStringList{});
    p->RemoveDialog(0);
    p->Clear();
    p->Init();
    EXPECT_EQ(o.take(), (QStringList{"reset", "reset", "reset"}));

    RecordingObserver gone;
    p->addObserver(&gone);
    p->removeObserver(&gone);
    p->Dialog(0).setText(QStringLiteral("after"));
    p.reset();
    EXPECT_EQ(o.take(), (QStringList{"0 Enter New Dialog//1", "destroyed"}));
    EXPECT_EQ(gone.take(), QStringList{});
}

TEST(DialogModel, TextsComeBackExactlyAsStored) {
    const QString texts[] = {
        QString(),
        QStringLiteral("7"),
        QStringLiteral("seven!!"),                 // the longest kept in the answer itself
        QStringLiteral("eight!!!"),                // the shortest with a block of its own
        QString::fromUtf8("caf\xc3\xa9 \xc3\xbf"), // Latin-1 beyond ASCII
        QString::fromUtf8("\xe2\x82\xac"
                          "5"), // one character beyond Latin-1
        QString::fromUtf8("a \xf0\x9f\x90\x89 dragon, and the rest of a long text"),
        QString(QChar(0xD800)) + QStringLiteral("lone surrogate"),
        QString(3, QChar(0)),
        QString(100000, QChar(u'x')),
    };
    Dialog d;
    for (const QString &text : texts) {
        d.setText(text);
        d.Selection(0).Init(text, true, text, false);
        EXPECT_EQ(d.text(), text);
        EXPECT_EQ(d.text().size(), text.size());
        EXPECT_EQ(d.Selection(0).text(), text);
        EXPECT_EQ(d.Selection(0).LinkPage(), text);
    }
    d.Selection(0).setText(QStringLiteral("x"));
    d.Selection(0).setText(QString());
    EXPECT_TRUE(d.Selection(0).text().isEmpty());
    EXPECT_TRUE(d.AddSelection(answer("fills the emptied slot")));
    EXPECT_EQ(d.SelectionCount(), 1);
}

TEST(DialogModel, CloneCopiesSlotForSlot) {
    Dialog d(QStringLiteral("Speech"));
    d.AddSelection(answer("A", true, QStringLiteral("3"), false));
    d.AddSelection(answer("B"));
    d.Selection(0).setText(QString()); // an empty slot stays where it is
    const std::unique_ptr<Dialog> copy = d.clone();
    EXPECT_EQ(copy->text(), QStringLiteral("Speech"));
    EXPECT_EQ(answerTexts(*copy), (QStringList{"", "B"}));
    EXPECT_TRUE(copy->Selection(0).isLinked());
    EXPECT_EQ(copy->Selection(0).LinkPage(), QStringLiteral("3"));
    EXPECT_FALSE(copy->Selection(0).EndDialog());
    copy->Selection(1).setText(QStringLiteral("changed"));
    EXPECT_EQ(d.Selection(1).text(), QStringLiteral("B"));
}
