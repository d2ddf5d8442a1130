#include "core/dialogs/QuestDialogs.h"
#include "support/ScenarioTables.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<Selection> answer(const QString &text, bool linked = false, const QString &link = {},
                                  bool ends = true) {
    return TestSupport::answer(text, linked, link, ends);
}

QStringList pageTexts(const QuestDialogs &p) {
    QStringList out;
    for (qint16 i = 0; i <= p.UpperBound(); ++i)
        out << p.Dialog(i).text();
    return out;
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

// One step of a model scenario ("VERB PAGE TEXT" or "VERB TEXT"), done to `p` or checked on it.
struct ModelScenario {
    std::unique_ptr<QuestDialogs> project = std::make_unique<QuestDialogs>();
    RecordingObserver heard, unheard;
    QObject noControls;
    QObject &window() { return noControls; }
    void run(const QString &verb, QObject *, const QString &text, const QStringList &list);
};

void ModelScenario::run(const QString &verb, QObject *, const QString &text, const QStringList &list) {
    QuestDialogs gone; // stands in once the project was destroyed
    QuestDialogs &p = project ? *project : gone;
    const qint16 n = static_cast<qint16>(text.section(u' ', 0, 0).toInt());
    const QString rest = text.section(u' ', 1);
    const qint16 slot = static_cast<qint16>(rest.section(u' ', 0, 0).toInt());
    const QString slotText = rest.section(u' ', 1);
    if (verb == "init" || verb == "clear")
        verb == "init" ? p.Init() : p.Clear();
    else if (verb == "speaker")
        p.setSpeaker(text);
    else if (verb == "speech")
        p.Dialog(n).setText(rest);
    else if (verb == "addpage" || verb == "refusedpage")
        EXPECT_EQ(p.AddNewDialog(std::make_unique<Dialog>(text)), verb == "addpage");
    else if (verb == "removepage")
        p.RemoveDialog(n);
    else if (verb == "answer" || verb == "refused")
        EXPECT_EQ(p.Dialog(n).AddSelection(answer(rest)), verb == "answer");
    else if (verb == "link") // link PAGE TARGET TEXT: linked, not ending
        p.Dialog(n).AddSelection(answer(rest.section(u' ', 1), true, rest.section(u' ', 0, 0), false));
    else if (verb == "removeanswer")
        p.Dialog(n).RemoveSelection(static_cast<qint16>(rest.toInt()));
    else if (verb == "answertext") // answertext PAGE SLOT TEXT
        p.Dialog(n).Selection(slot).setText(slotText);
    else if (verb == "initanswer") // initanswer PAGE SLOT TEXT: neither linked nor ending
        p.Dialog(n).Selection(slot).Init(slotText, false, {}, true);
    else if (verb == "flags") { // flags PAGE SLOT LINKED ENDS
        p.Dialog(n).Selection(slot).setIsLinked(slotText.section(u' ', 0, 0) == "1");
        p.Dialog(n).Selection(slot).setEndDialog(slotText.section(u' ', 1) == "1");
    } else if (verb == "setanswer") // setanswer PAGE SLOT TEXT
        p.Dialog(n).setSelection(slot, answer(slotText));
    else if (verb == "setpage")
        p.setDialog(n, std::make_unique<Dialog>(rest));
    else if (verb == "observe") { // twice: once is enough; an observer that left hears nothing
        p.addObserver(&heard);
        p.addObserver(&heard);
        p.addObserver(&unheard);
        p.removeObserver(&unheard);
    } else if (verb == "destroy")
        project.reset();
    else if (verb == "heard") {
        EXPECT_EQ(heard.take(), list);
        EXPECT_EQ(unheard.take(), QStringList{});
    } else if (verb == "count") // count PAGES ANSWERS-ON-PAGE-0
        EXPECT_EQ(QStringLiteral("%1 %2").arg(p.Count()).arg(p.Dialog(0).SelectionCount()), text);
    else if (verb == "fill") // pages until the project holds no more
        while (p.AddNewDialog(std::make_unique<Dialog>(text))) {
        }
    else if (verb == "page") // page N TEXT: the text of one page
        EXPECT_EQ(p.Dialog(n).text(), rest);
    else if (verb == "pages")
        EXPECT_EQ(pageTexts(p), list);
    else if (verb == "stored")
        EXPECT_EQ(TestSupport::pages(p), list);
    else if (verb == "isspeaker")
        EXPECT_EQ(p.Speaker(), text);
    else
        ADD_FAILURE() << "unknown step " << verb.toStdString();
}

} // namespace

// Pages and answers added, removed and edited: each file under fixtures/model is a list of steps
// done to a fresh project, written as the studio's scenario tables are.
TEST(ProjectModel, EachScenarioEndsAsItsTableSays) {
    runScenarioTables<ModelScenario>(QStringLiteral("model"), 5);
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
