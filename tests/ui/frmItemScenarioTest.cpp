// The Item Creator's event semantics as scenario tables (see ScenarioTables.h): each file under
// fixtures/item-window is a list of steps done to a fresh window and of what it must show after.
#include "support/CreatorScenario.h"
#include "support/ScenarioTables.h"
#include "ui/items/frmItem.h"

namespace {

struct ItemScenario : CreatorScenario<frmItem> {
    void run(const QString &verb, QObject *control, const QString &text, const QStringList &list) {
        if (verb == "fill") // every field, the hidden ones too: "v<field> =x"
            for (int i = 0; i < ItemHandling::FieldCount; ++i)
                w->txtBasic[i]->setText(QStringLiteral("v%1 =x").arg(i));
        else if (verb == "fields") {
            QStringList fields;
            for (const QLineEdit *box : w->txtBasic)
                fields << box->text();
            EXPECT_EQ(fields, list);
        } else
            CreatorScenario::run(verb, control, text, list);
    }
};

} // namespace

TEST(frmItemScenario, EachScenarioEndsAsItsTableSays) {
    runScenarioTables<ItemScenario>(QStringLiteral("item-window"), 5);
}
