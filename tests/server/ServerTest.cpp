// Exports and an item loaded into the real SPHERE server with its stock script pack, and two
// scripted game clients: a GM who opens the dialogs and presses their buttons, and a player who
// sees conversations edited, exported again and reloaded while the server runs. Every scenario
// shares one server run, made once for the whole program.
#include "core/dialogs/ExportNotes.h"
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "core/items/ItemHandling.h"
#include "support/ProjectFixtures.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QString Sphere = QStringLiteral(RUNEQUILL_SPHERE);
constexpr int BigPages = 8000; // a little over 5,000,000 bytes

// A new page with these answers; an answer leads to `link` (none when empty) or ends the talk.
std::unique_ptr<Dialog> page(const QString &speech,
                             std::initializer_list<std::tuple<QString, QString, bool>> answers) {
    auto p = std::make_unique<Dialog>(speech);
    for (const auto &[text, link, ends] : answers)
        p->AddSelection(TestSupport::answer(text, !link.isEmpty(), link, ends));
    return p;
}

// A conversation with an emote, a line break in a speech, links both ways and an ending.
void multiPage(QuestDialogs &project) {
    project.Clear();
    project.setSpeaker(QStringLiteral("Smith"));
    project.AddNewDialog(page(QStringLiteral("Well met. *[nods*/]\nNeed a blade?"),
                              {{"Show me", "1", false}, {"Farewell", "", true}}));
    project.AddNewDialog(page(QStringLiteral("This one is fine steel."),
                              {{"Go back", "0", false}, {"Anything else?", "2", false}}));
    project.AddNewDialog(page(QStringLiteral("That is all."), {{"", "", true}}));
}

// One speech line of exactly `bytes` bytes: "<var.bfont_lgrey>" and the speech.
void longLine(QuestDialogs &project, int bytes) {
    project.Clear();
    project.setSpeaker(QStringLiteral("Scribe"));
    project.AddNewDialog(page(QString(bytes - 17, u'a'), {{"Bye", "", true}}));
}

// A chain of pages with these speeches, each leading to the next (page 0 to `firstLeadsTo`),
// the last ending the talk.
void chain(QuestDialogs &project, const QStringList &speeches, int firstLeadsTo = 1) {
    project.Clear();
    project.setSpeaker(QStringLiteral("Clerk"));
    for (qsizetype n = 0; n + 1 < speeches.size(); ++n)
        project.AddNewDialog(page(speeches[n], {{"Next", QString::number(n ? n + 1 : firstLeadsTo), false}}));
    project.AddNewDialog(page(speeches.last(), {{"Bye", "", true}}));
}

// A conversation changed on a running server (a file of fixtures/reload, named as its script):
// exported before the server starts, exported again when the player signals "export-FILE",
// then reloaded. The player opens page `opened` before and goes through the steps `then` after
// the reload; `shown` are the speeches of the pages the player is shown, in order.
struct Reload {
    QString file;
    QStringList prefix;        // before and after
    QStringList before, after; // the pages' speeches, a chain
    QString opened, then;
    QStringList shown;
    qsizetype parts = ScriptExport::MaxFileBytes; // the part size
    int first = 1;                                // the page that page 0 leads to after the change
    Outcome<ScriptExport::Written> again;         // the second export
    bool exported = false;
};

std::vector<Reload> reloads() {
    std::vector<Reload> all;
    const QDir dir(QStringLiteral(RUNEQUILL_FIXTURES "/reload"));
    for (const QString &name : dir.entryList({"*.txt"}, QDir::Files)) {
        Reload r{QFileInfo(name).completeBaseName()};
        for (const QString &line :
             QString::fromUtf8(TestSupport::readFile(dir.filePath(name))).split(u'\n')) {
            const QString key = line.section(u' ', 0, 0);
            const QString value = line.section(u' ', 1);
            QStringList *list = key == "prefix"   ? &r.prefix
                                : key == "before" ? &r.before
                                : key == "after"  ? &r.after
                                : key == "shown"  ? &r.shown
                                                  : nullptr;
            if (list)
                *list = value.split(key == "prefix" ? u' ' : u'|');
            else if (key == "opened")
                r.opened = value;
            else if (key == "then")
                r.then = QString(value).replace(u'|', u'\n') + u'\n';
            else if (key == "parts")
                r.parts = value.toLongLong();
            else if (key == "first")
                r.first = value.toInt();
        }
        all.push_back(r);
    }
    return all;
}

// The player's steps: each scenario's page before, the signal for the second export, the
// reload and the steps after. "open NAME" opens a page for the player from the console.
QByteArray playerSteps(const std::vector<Reload> &scenarios) {
    QString steps = QStringLiteral("console f_rq_plevel\n");
    for (const Reload &r : scenarios)
        steps += QStringLiteral("open %1\ngump\nsignal export-%2\nwait exported-%2\nconsole RESYNC\n%3")
                     .arg(r.opened, r.file, r.then);
    return steps.replace(QStringLiteral("open "), QStringLiteral("console f_rq_open $ME,")).toUtf8();
}

// Test-only helpers: open a page for a player, and log the player's PLEVEL.
const QByteArray PlayerHelpers = "[FUNCTION f_rq_open]\r\nREF1=<ARGV[0]>\r\nREF1.TRYSRC <ARGV[0]> DIALOG "
                                 "<ARGV[1]>\r\n\r\n[FUNCTION f_rq_plevel]\r\nSERV.LOG rq plevel "
                                 "<SERV.ACCOUNT.player.PLEVEL>\r\n\r\n[EOF]\r\n";

struct ServerRun {
    QString log;
    QStringList client;   // the GM's lines, without "CLIENT: "
    QStringList player;   // the player's lines
    QStringList shown;    // the speeches of the pages the player was shown
    QStringList problems; // ERROR and WARNING lines naming a file written here
    std::vector<Reload> reloads;
    QString bigLast;              // the last page's name of the split export
    std::vector<qint64> bigParts; // the sizes of the split export's files
    std::vector<Finding> overLong;
    bool present = false; // the server is there
    bool ran = false;     // and the run went through
};

ServerRun *run = nullptr;

class Server : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite() {
        delete run;
        run = nullptr;
    }

protected:
    void SetUp() override {
        if (!run->present)
            GTEST_SKIP() << "no server at " << Sphere.toStdString();
        ASSERT_TRUE(run->ran) << "the server run failed:\n" << run->log.toStdString();
    }

    // True when the client lines hold these texts in this order, each on a later line.
    static ::testing::AssertionResult inOrder(const QStringList &expected) {
        qsizetype at = 0;
        for (const QString &text : expected) {
            while (at < run->client.size() && !run->client[at].contains(text))
                ++at;
            if (at == run->client.size())
                return ::testing::AssertionFailure()
                       << "no \"" << text.toStdString() << "\" where expected in\n"
                       << run->client.join('\n').toStdString();
            ++at;
        }
        return ::testing::AssertionSuccess();
    }
};

void Server::SetUpTestSuite() {
    run = new ServerRun;
    run->present = QFileInfo::exists(Sphere + "/harness/sphere-live");
    if (!run->present)
        return;
    QTemporaryDir tmp; // the harness's run folder goes here too
    const QDir scripts(tmp.filePath("scripts"));
    QDir().mkpath(scripts.path());

    QuestDialogs project;
    project.Clear();
    ASSERT_TRUE(
        ProjectFile::read(QStringLiteral(RUNEQUILL_FIXTURES "/worked/frmDC_guard.QDS"), project).ok());
    project.setSpeaker(QStringLiteral("Guard"));
    ASSERT_TRUE(ScriptExport::exportProject(project, "d_guard", scripts.filePath("guard.scp")).ok());
    multiPage(project);
    ASSERT_TRUE(ScriptExport::exportProject(project, "d_multi", scripts.filePath("multi.scp")).ok());
    longLine(project, 4095);
    ASSERT_TRUE(ScriptExport::exportProject(project, "d_line", scripts.filePath("line.scp")).ok());
    longLine(project, 4096);
    run->overLong = checkProject(project, "d_line", "Scribe");
    ProjectFixtures::generate(project, BigPages);
    const Outcome<ScriptExport::Written> big =
        ScriptExport::exportProject(project, "d_big", scripts.filePath("big.scp"));
    ASSERT_TRUE(big.ok());
    for (const QString &part : big.value.files)
        run->bigParts.push_back(QFileInfo(part).size());
    run->bigLast = QStringLiteral("d_big_%1").arg(BigPages - 1);

    QStringList fields(ItemHandling::FieldCount);
    fields[0] = "rq_lamp";
    fields[3] = "t_container";
    fields[4] = "0a22"; // a lamp, whose base type is another
    TestSupport::writeFile(scripts.filePath("item.scp"),
                           CompileItem(fields).toLatin1() +
                               "\r\n[FUNCTION f_rq_item]\r\nSERV.NEWITEM i_rq_lamp\r\n"
                               "SERV.LOG rq item type <NEW.TYPE>\r\nNEW.REMOVE\r\n\r\n[EOF]\r\n");

    run->reloads = reloads();
    for (Reload &r : run->reloads) {
        chain(project, r.before);
        ASSERT_TRUE(ScriptExport::exportProject(project, r.prefix.value(0), scripts.filePath(r.file + ".scp"),
                                                r.parts)
                        .ok());
    }
    TestSupport::writeFile(scripts.filePath("rq_player.scp"), PlayerHelpers);
    const QString playerSteps = tmp.filePath("player.txt");
    TestSupport::writeFile(playerSteps, ::playerSteps(run->reloads));

    const QString steps = tmp.filePath("steps.txt");
    // The GM's steps: open each dialog, read its gump, press its buttons.
    TestSupport::writeFile(steps, "say .dialog d_guard_0\ngump\nbutton 1\ngump\nbutton 1\nnogump 2\n"
                                  "say .dialog d_multi_0\ngump\nbutton 1\ngump\nbutton 2\ngump\nbutton 1\n"
                                  "nogump 2\nsay .dialog d_big_0\ngump\nsay .dialog " +
                                      run->bigLast.toUtf8() + "\ngump\nsay .dialog d_line_0\ngump\n");
    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp.path());
    server.setProcessEnvironment(env);
    server.setProcessChannelMode(QProcess::MergedChannels);
    const QString client = "python3 " + Sphere + "/harness/";
    server.start(
        "bash",
        {Sphere + "/harness/sphere-live", "-c", "ACCOUNT ADD tester tester", "-c", "ACCOUNT tester PLEVEL 7",
         "-c", "ACCOUNT ADD player player", "-c", "f_rq_item", "-C",
         client + "uoclient.py --account tester --password tester --steps " + steps, "-C",
         client + "uoplayer.py --tag reload --account player --password player --steps " + playerSteps,
         scripts.path()});
    // The second exports go into the running server's own scripts folder when the player asks.
    QElapsedTimer clock;
    clock.start();
    QByteArray output;
    while (!server.waitForFinished(50) && clock.elapsed() < 110'000) {
        output += server.readAll();
        const QStringList runs = QDir(tmp.path()).entryList({"sphere-run.*"}, QDir::Dirs);
        if (runs.isEmpty())
            continue;
        const QDir live(tmp.filePath(runs.first()));
        for (Reload &r : run->reloads) {
            if (r.exported || !live.exists("sync/export-" + r.file))
                continue;
            chain(project, r.after, r.first);
            r.again = ScriptExport::exportProject(project, r.prefix.value(1),
                                                  live.filePath("scripts/" + r.file + ".scp"), r.parts);
            r.exported = true;
            TestSupport::writeFile(live.filePath("sync/exported-" + r.file), {});
        }
    }
    ASSERT_EQ(server.state(), QProcess::NotRunning) << "the server run hung";
    run->log = QString::fromUtf8(output + server.readAll());
    ASSERT_EQ(server.exitCode(), 0) << run->log.toStdString();
    QStringList written = QDir(scripts).entryList(QDir::Files);
    for (const Reload &r : run->reloads)
        for (const QString &file : r.again.value.files)
            written << QFileInfo(file).fileName();
    for (const QString &line : run->log.split('\n')) {
        if (line.startsWith("CLIENT: [reload] "))
            run->player.append(line.mid(17));
        if (line.startsWith("CLIENT: [reload] GUMP text[1]: "))
            run->shown.append(line.section(u'>', 1));
        else if (line.startsWith("CLIENT: ") && !line.startsWith("CLIENT: [reload] "))
            run->client.append(line.mid(8));
        // Every reload names the files it reads again in a warning of its own.
        if ((line.contains("ERROR") || line.contains("WARNING")) && !line.contains("' changed, resync."))
            for (const QString &file : written)
                if (line.contains(file))
                    run->problems.append(line);
    }
    run->ran = true;
}

} // namespace

TEST_F(Server, ExportsLoadWithoutComplaint) {
    EXPECT_TRUE(run->problems.isEmpty()) << run->problems.join('\n').toStdString();
    EXPECT_TRUE(run->log.contains("Loading scripts/runequill_support.scp"));
}

TEST_F(Server, WorkedExampleFollowsItsLinkAndEnds) {
    EXPECT_TRUE(inOrder({"said '.dialog d_guard_0'", "GUMP text[0]: <basefont color=#90ee90>Guard<br>",
                         "pressed button 1", "GUMP text[1]: <basefont color=#d3d3d3>Welcome",
                         "pressed button 1", "NOGUMP ok"}));
}

TEST_F(Server, EmotesLineBreaksAndLinksBothWays) {
    EXPECT_TRUE(inOrder({"said '.dialog d_multi_0'",
                         "GUMP text[1]: <basefont color=#d3d3d3>Well met. <basefont color=#ff0000>[nods] "
                         "<basefont color=#d3d3d3><br>Need a blade?",
                         "pressed button 1", "GUMP text[1]: <basefont color=#d3d3d3>This one is fine steel.",
                         "pressed button 2", "GUMP text[1]: <basefont color=#d3d3d3>That is all.",
                         "GUMP text[2]: <br><basefont color=#d3d3d3>End Dialog<br>", "pressed button 1",
                         "NOGUMP ok"}));
}

TEST_F(Server, SplitExportOpensItsFirstAndLastPages) {
    ASSERT_EQ(run->bigParts.size(), 2u);
    for (const qint64 size : run->bigParts)
        EXPECT_LE(size, ScriptExport::MaxFileBytes);
    EXPECT_TRUE(inOrder(
        {"said '.dialog d_big_0'", "GUMP layout", "said '.dialog " + run->bigLast + "'", "GUMP layout"}));
}

TEST_F(Server, LongestLineLoadsAndCheckFlagsOneMore) {
    EXPECT_TRUE(inOrder({"said '.dialog d_line_0'", "GUMP text[1]: <basefont color=#d3d3d3>aaaa"}));
    ASSERT_FALSE(run->overLong.empty());
    EXPECT_EQ(run->overLong.front().severity, Finding::Error);
    EXPECT_TRUE(run->overLong.front().message.contains("4096 bytes"));
}

TEST_F(Server, ItemKeepsItsType) {
    EXPECT_TRUE(run->log.contains("rq item type t_container")) << run->log.toStdString();
}

// Each change reaches a player of PLEVEL 1 after RESYNC (and LOAD for a new part): the new pages
// open, and the names the second export no longer has open nothing.
TEST_F(Server, ReexportsReachAPlayerAfterAReload) {
    EXPECT_TRUE(run->log.contains("rq plevel 1"));
    QStringList expected;
    for (const Reload &r : run->reloads) {
        SCOPED_TRACE(r.file.toStdString());
        ASSERT_TRUE(r.exported && r.again.ok());
        EXPECT_TRUE(run->log.contains("Resource 'scripts/" + r.file + ".scp' changed, resync."));
        expected << r.shown;
    }
    EXPECT_EQ(run->shown, expected) << run->player.join('\n').toStdString();
}

// The part a shrunk export no longer needs stays, emptied; a grown export's new part is the one
// the player needed LOAD for, and the export says so.
TEST_F(Server, SplitExportsKeepTheirPartsAndNameTheNewOne) {
    const auto find = [](const QString &file) -> const Reload & {
        return *std::find_if(run->reloads.begin(), run->reloads.end(),
                             [&file](const Reload &r) { return r.file == file; });
    };
    const Reload &shrunk = find("shrunk");
    const Reload &grown = find("grown");
    EXPECT_EQ(shrunk.again.value.files.size(), 2);
    EXPECT_TRUE(shrunk.again.value.newParts.isEmpty());
    ASSERT_EQ(grown.again.value.newParts.size(), 1);
    EXPECT_TRUE(ExportNotes::newPartNotice(grown.again.value.newParts[0])
                    .contains("\"LOAD scripts/grown_part2.scp\""));
}
