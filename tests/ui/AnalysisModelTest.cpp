// The analysis model on its own, without a window.
#include "ui/studio/AnalysisModel.h"
#include "core/dialogs/QuestDialogs.h"

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
