// The analysis model on its own, without a window.
#include "ui/studio/AnalysisModel.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/TestSupport.h"
#include "ui/studio/ProblemsModel.h"

#include <gtest/gtest.h>

TEST(AnalysisModel, OutlivesItsProjectAndSharesItWithAnother) {
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

// A key names a node only as the model writes it: prefix, page, answer, in plain numbers.
TEST(AnalysisModel, KeysNameOnlyTheNodesThere) {
    QuestDialogs project;
    project.Dialog(0).AddSelection(std::make_unique<Selection>());
    AnalysisModel model;
    model.sync(project, "p");
    EXPECT_EQ(model.indexOfKey("p_0_1"), model.index(1, 0, model.index(0, 0)));
    for (const char *key : {"p_0_2", "p_0_01", "p_00", "p_1", "p_0_x", "p_0_-1", "p_-1", "p_0_1_0", "q_0"})
        EXPECT_FALSE(model.indexOfKey(key).isValid()) << key;
}

// A finding that moves to another page, in the same words, is a new row; a refresh after which
// nothing changed resets nothing.
TEST(ProblemsModel, FollowsFindingsFromPageToPage) {
    QuestDialogs project;
    project.AddNewDialog(std::make_unique<Dialog>("one"));
    project.AddNewDialog(std::make_unique<Dialog>("two"));
    for (qint16 n = 1; n <= 2; ++n)
        project.Dialog(n).setSelection(0, TestSupport::answer("bye", false, "", true));
    project.Dialog(0).setSelection(0, TestSupport::answer("go", true, "1", false));
    ProblemsModel model;
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&resets] { ++resets; });
    // The page column of the one row there is.
    const auto page = [&model] { return model.rowCount() == 1 ? model.index(0, 1).data().toString() : "?"; };
    EXPECT_TRUE(model.refresh(project, "p", "s"));
    EXPECT_EQ(page(), "2");
    project.Dialog(0).Selection(0).setLinkPage("2");
    EXPECT_TRUE(model.refresh(project, "p", "s"));
    EXPECT_EQ(page(), "1");
    EXPECT_FALSE(model.refresh(project, "p", "s"));
    EXPECT_EQ(resets, 2);
}
