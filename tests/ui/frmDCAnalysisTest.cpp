#include "ui/frmDCFixture.h"

#include "support/ProjectFixtures.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>

namespace {
std::unique_ptr<Selection> answer(const QString &text, bool linked, const QString &link) {
    auto s = std::make_unique<Selection>();
    s->Init(text, linked, link, true);
    return s;
}

QStringList keys(const QAbstractItemModel *model) {
    QStringList out;
    for (int page = 0; page < model->rowCount(); ++page) {
        const QModelIndex index = model->index(page, 0);
        out << index.data(AnalysisModel::KeyRole).toString();
        for (int k = 0; k < model->rowCount(index); ++k)
            out << model->index(k, 0, index).data(AnalysisModel::KeyRole).toString();
    }
    return out;
}

// Every structural or data signal the model sends, as "what first-last under parent row".
struct ModelSignals {
    QStringList seen;
    void note(const char *what, const QModelIndex &parent, int first, int last) {
        seen << QStringLiteral("%1 %2-%3 under %4")
                    .arg(what)
                    .arg(first)
                    .arg(last)
                    .arg(parent.isValid() ? parent.row() : -1);
    }
    explicit ModelSignals(QAbstractItemModel *model) {
        QObject::connect(model, &QAbstractItemModel::dataChanged,
                         [this](const QModelIndex &a, const QModelIndex &b) {
                             note("changed", a.parent(), a.row(), b.row());
                         });
        QObject::connect(model, &QAbstractItemModel::rowsInserted,
                         [this](const QModelIndex &p, int a, int b) { note("inserted", p, a, b); });
        QObject::connect(model, &QAbstractItemModel::rowsRemoved,
                         [this](const QModelIndex &p, int a, int b) { note("removed", p, a, b); });
        QObject::connect(model, &QAbstractItemModel::modelReset, [this] { seen << "reset"; });
        QObject::connect(model, &QAbstractItemModel::layoutChanged, [this] { seen << "layout"; });
    }
    QStringList take() { return std::exchange(seen, {}); }
};
} // namespace

TEST(frmDCAnalysis, NodesShowPagesAndAnswersWithTheirLinksAndKeys) {
    Studio s;
    Dialog &page0 = s.project.Dialog(0);
    page0.setText("Halt! Who goes there?");
    page0.AddSelection(answer("A friend.", true, "1"));
    page0.AddSelection(answer("Nobody.", false, "5"));
    page0.AddSelection(answer("Empty link.", true, ""));
    s.project.AddNewDialog(std::make_unique<Dialog>("Lost"));
    s.project.Dialog(1).AddSelection(answer("Far.", true, "12"));
    s.w.ShowPage(0); // rebuilds through the speech box
    EXPECT_EQ(s.tree(), (QStringList{"0:Halt! Who goes there?", "  s0 L1 A friend.", "  s1 Nobody.",
                                     "  s2 L Empty link.", "1:Lost", "  s0 L12 Far."}));
    EXPECT_EQ(keys(s.w.TrvAnalysis->model()),
              (QStringList{"QDS_NpcName_DialogName_0", "QDS_NpcName_DialogName_0_0",
                           "QDS_NpcName_DialogName_0_1", "QDS_NpcName_DialogName_0_2",
                           "QDS_NpcName_DialogName_1", "QDS_NpcName_DialogName_1_0"}));

    // The prefix alone rebuilds nothing; the next rebuild takes it into the keys.
    Studio::retype(s.w.DialogName, "d");
    EXPECT_EQ(keys(s.w.TrvAnalysis->model()).first(), "QDS_NpcName_DialogName_0");
    s.w.MnuAnalysis->trigger();
    EXPECT_EQ(keys(s.w.TrvAnalysis->model()),
              (QStringList{"d_0", "d_0_0", "d_0_1", "d_0_2", "d_1", "d_1_0"}));
    EXPECT_EQ(s.tree().first(), "0:Halt! Who goes there?");
}

TEST(frmDCAnalysis, EveryRebuildCollapsesThePages) {
    Studio s;
    Studio::click(s.w.CmdAddPage);
    QTreeView *tree = s.w.TrvAnalysis;
    const QModelIndex page0 = tree->model()->index(0, 0);
    const QModelIndex page1 = tree->model()->index(1, 0);
    EXPECT_FALSE(tree->isExpanded(page0) || tree->isExpanded(page1)) << "collapsed after adding";
    tree->expand(page0);
    tree->expand(page1);
    s.w.MnuAnalysis->trigger();
    EXPECT_FALSE(tree->isExpanded(page0) || tree->isExpanded(page1));
    tree->expand(page1);
    QTest::keyClicks(s.w.txtSpeech, "x");
    EXPECT_FALSE(tree->isExpanded(page1));
    EXPECT_TRUE(tree->uniformRowHeights());

    // Many open pages are closed all at once.
    ProjectFixtures::generate(s.project, 40);
    s.w.ShowPage(0);
    for (int page = 0; page < 40; ++page)
        tree->expand(tree->model()->index(page, 0));
    s.w.MnuAnalysis->trigger();
    for (int page = 0; page < 40; ++page)
        EXPECT_FALSE(tree->isExpanded(tree->model()->index(page, 0))) << page;
}

TEST(frmDCAnalysis, ARebuildTouchesOnlyWhatChanged) {
    Studio s;
    AnalysisModel *model = s.w.TrvAnalysis->analysisModel();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ModelSignals signals_(model);

    QTest::keyClicks(s.w.txtSpeech, "abc"); // three rebuilds, nothing stored
    s.w.MnuAnalysis->trigger();
    EXPECT_EQ(signals_.take(), QStringList{});

    Studio::click(s.w.CMDSave);
    EXPECT_EQ(signals_.take(), QStringList{"changed 0-0 under -1"});
    Studio::click(s.w.CmdAddPage);
    EXPECT_EQ(signals_.take(), QStringList{"inserted 1-1 under -1"});
    Studio::click(s.w.CmdADDSel);
    Studio::click(s.w.CmdADDSel);
    EXPECT_EQ(signals_.take(), (QStringList{"changed 0-0 under 1", "inserted 1-1 under 1"}));
    Studio::click(s.w.CmdRemoveSel);
    EXPECT_EQ(signals_.take(), QStringList{}) << "removing an answer does not rebuild";
    EXPECT_EQ(model->rowCount(model->index(1, 0)), 2);
    s.w.MnuAnalysis->trigger();
    EXPECT_EQ(signals_.take(), QStringList{"removed 1-1 under 1"});

    Studio::click(s.w.CMDRemovePage);
    EXPECT_EQ(signals_.take(), QStringList{"reset"});
    EXPECT_EQ(s.tree(), (QStringList{"0:abcEnter New Dialog", "  s0 "}));

    Studio::retype(s.w.DialogName, "d");
    EXPECT_EQ(signals_.take(), QStringList{});
    s.w.MnuAnalysis->trigger();
    EXPECT_EQ(signals_.take(), QStringList{"reset"}) << "a new prefix changes every key";
}

TEST(frmDCAnalysis, AddedNodesHangUnderTheirParentUntilTheNextRebuild) {
    Studio s;
    QAbstractItemModelTester tester(s.w.TrvAnalysis->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    s.w.AddRootNote("Extra", "x");
    s.w.Addnote("QDS_NpcName_DialogName_0", "Note on page 0", "n0");
    s.w.Addnote("x", "Under extra", "x1");
    s.w.Addnote("QDS_NpcName_DialogName_0_0", "Under answer", "a0");
    s.w.Addnote("x", "Taken key", "n0");
    s.w.Addnote("nowhere", "No parent", "n9");
    EXPECT_EQ(s.tree(),
              (QStringList{"0:Enter New Dialog", "  s0 ", "  Note on page 0", "Extra", "  Under extra"}));
    const QAbstractItemModel *model = s.w.TrvAnalysis->model();
    const QModelIndex answer0 = model->index(0, 0, model->index(0, 0));
    ASSERT_EQ(model->rowCount(answer0), 1);
    EXPECT_EQ(model->index(0, 0, answer0).data().toString(), "Under answer");
    EXPECT_EQ(model->index(0, 0, answer0).parent(), answer0);

    QTest::keyClicks(s.w.txtSpeech, "!");
    EXPECT_EQ(s.tree(), (QStringList{"0:Enter New Dialog", "  s0 "}));
}

TEST(frmDCAnalysis, TheTreeKeepsWhatThePagesHeldAtTheLastRebuild) {
    Studio s;
    AnalysisModel *model = s.w.TrvAnalysis->analysisModel();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Studio::click(s.w.CmdAddPage);
    QTemporaryDir dir;

    // Save stores the speech without a rebuild; Export fills the empty answer texts in.
    QTest::keyClicks(s.w.txtSpeech, "Hail");
    s.prompts.queueFileName(dir.filePath("kept.QDS"));
    s.w.MnuProjSave->trigger();
    s.prompts.queueFileName(dir.filePath("kept.scp"));
    s.w.MnuProjExport->trigger();
    EXPECT_EQ(s.stored(), (QStringList{"0:Enter New Dialog", "  End Dialog|0||1",
                                       "1:HailEnter NPC Speech Here", "  End Dialog|0||1"}));
    EXPECT_EQ(s.tree(), (QStringList{"0:Enter New Dialog", "  s0 ", "1:Enter NPC Speech Here", "  s0 "}));
    EXPECT_EQ(model->keptPageCount(), 2) << "only the pages that changed are kept";

    s.w.MnuAnalysis->trigger();
    EXPECT_EQ(s.tree(), (QStringList{"0:Enter New Dialog", "  s0 End Dialog", "1:HailEnter NPC Speech Here",
                                     "  s0 End Dialog"}));
    EXPECT_EQ(model->keptPageCount(), 0);

    // A placeholder filled by a new page shows the placeholder until the rebuild.
    s.project.Dialog(0).setText("Null");
    s.project.AddNewDialog(std::make_unique<Dialog>("Filled"));
    EXPECT_EQ(s.tree().first(), "0:Enter New Dialog");
    s.w.MnuAnalysis->trigger();
    EXPECT_EQ(s.tree().first(), "0:Filled");
}

TEST(frmDCAnalysis, KeystrokesAndApplyKeepNoCopyOfALargeProject) {
    Studio s;
    ProjectFixtures::generate(s.project, 1000);
    s.w.ShowPage(0);
    AnalysisModel *model = s.w.TrvAnalysis->analysisModel();
    ASSERT_EQ(model->rowCount(), 1000);
    const QString page999 = s.tree()[999 * 6];
    QTest::keyClicks(s.w.txtSpeech, "abc");
    EXPECT_EQ(model->keptPageCount(), 0);
    Studio::click(s.w.CMDSave);
    EXPECT_EQ(model->keptPageCount(), 0);
    EXPECT_TRUE(s.tree().first().startsWith("0:abc"));
    EXPECT_EQ(s.tree()[999 * 6], page999);
}

TEST(frmDCAnalysis, ModelOutlivesItsProjectAndSharesItWithAnother) {
    auto project = std::make_unique<QuestDialogs>();
    project->AddNewDialog(std::make_unique<Dialog>("One"));
    AnalysisModel first;
    AnalysisModel second;
    first.sync(*project, "p");
    second.sync(*project, "p");
    project->Dialog(1).setText("Changed");
    second.sync(*project, "p");
    EXPECT_EQ(first.index(1, 0).data().toString(), "1:One");
    EXPECT_EQ(second.index(1, 0).data().toString(), "1:Changed");

    project.reset();
    EXPECT_EQ(first.rowCount(), 2) << "the shape stays until the next sync";
    EXPECT_EQ(first.index(1, 0).data().toString(), "");
    QuestDialogs other;
    first.sync(other, "p");
    EXPECT_EQ(first.index(0, 0).data().toString(), "0:Enter New Dialog");
    EXPECT_EQ(first.rowCount(), 1);
}
