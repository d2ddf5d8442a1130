// The NPC Creator as scenario tables (see ScenarioTables.h): each file under
// fixtures/char-window is a list of steps done to a fresh window and of what it must show after.
#include "support/CreatorScenario.h"
#include "support/ScenarioTables.h"
#include "ui/characters/frmChar.h"

TEST(frmCharScenario, EachScenarioEndsAsItsTableSays) {
    runScenarioTables<CreatorScenario<frmChar>>(QStringLiteral("char-window"), 4);
}
