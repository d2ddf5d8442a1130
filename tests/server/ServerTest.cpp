// Exports and an item loaded into the real SPHERE server with its stock script pack, a GM who opens
// the dialogs and presses their buttons, a player who sees conversations exported again and
// reloaded while the server runs, and one who greets an NPC the NPC Creator wrote (their steps in
// fixtures/server). One server run for all.
#include "core/characters/CharacterKind.h"
#include "core/characters/CharacterScript.h"
#include "core/definitions/ScriptFile.h"
#include "core/dialogs/ExportNotes.h"
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "core/items/ItemHandling.h"
#include "core/items/ItemKind.h"
#include "support/ProjectFixtures.h"
#include "support/TestSupport.h"
#include "ui/studio/PlayPane.h"
#include "ui/studio/PlayView.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGraphicsTextItem>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QString Sphere = QStringLiteral(RUNEQUILL_SPHERE);
constexpr int BigPages = 8000; // a little over 5,000,000 bytes; gm.txt opens the last one

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

// What the client may show otherwise than typed: an emote, a line break, accents, characters
// outside 16 bits, a last letter the server's trimming breaks ("à" ends in the byte 0xA0), an
// answer too long for its box, a fifth answer and a speech past the client's 2,047 characters.
void playPages(QuestDialogs &project) {
    project.Clear();
    project.setSpeaker(QStringLiteral("Smith"));
    project.AddNewDialog(
        page(QStringLiteral("Well met! *[bows low*/] The forge is hot.\nCaf\u00e9 for na\u00efve buyers "
                            "\U0001F600 voil\u00e0"),
             {{"Show me your wares", "1", false},
              {"A long story", "2", false},
              {"An answer *[red?*/] with \u20ac and \U0001F44B", "", true},
              {"Farewell", "", true},
              {"A fifth answer nobody sees", "0", false}}));
    project.AddNewDialog(
        page(QStringLiteral("Here they are."),
             {{"Back", "0", false},
              {"An answer far too long for its box: it goes on and on, past the two lines of the "
               "narrow box, so the player never reads its end",
               "", true}}));
    project.AddNewDialog(
        page(QString("The road north is long. ").repeated(90), {{"That was long", "0", true}}));
}

// One speech line of exactly `bytes` bytes: "<var.bfont_lgrey>" and the speech.
void longLine(QuestDialogs &project, int bytes) {
    project.Clear();
    project.setSpeaker(QStringLiteral("Scribe"));
    project.AddNewDialog(page(QString(bytes - 17, u'a'), {{"Bye", "", true}}));
}

// A chain of pages with these speeches, each leading to the next (page 0 to `first`), the last
// ending the talk.
void chain(QuestDialogs &project, const QStringList &speeches, int first = 1) {
    project.Clear();
    project.setSpeaker(QStringLiteral("Clerk"));
    for (qsizetype n = 0; n + 1 < speeches.size(); ++n)
        project.AddNewDialog(page(speeches[n], {{"Next", QString::number(n ? n + 1 : first), false}}));
    project.AddNewDialog(page(speeches.last(), {{"Bye", "", true}}));
}

const QString Steps = QStringLiteral(RUNEQUILL_FIXTURES "/server/");

// An edit of a conversation on the running server, a line of fixtures/server/edits.txt.
struct Reload {
    QStringList head; // FILE PREFIX-BEFORE PREFIX-AFTER PART-BYTES FIRST
    QStringList before, after;
    Outcome<ScriptExport::Written> again; // the export while the server runs
    bool exported = false;

    bool exportTo(const QDir &scripts, bool second) {
        QuestDialogs project;
        chain(project, second ? after : before, second ? head[4].toInt() : 1);
        again = ScriptExport::exportProject(project, head[second ? 2 : 1], scripts.filePath(head[0] + ".scp"),
                                            head[3].toLongLong());
        return again.ok();
    }
};

std::vector<Reload> reloads() {
    std::vector<Reload> all;
    for (const QString &line : QString::fromUtf8(TestSupport::readFile(Steps + "edits.txt")).split(u'\n'))
        if (const QStringList f = line.split(u'|'); f.size() == 3 && !line.startsWith(u'#'))
            all.push_back({f[0].split(u' '), f[1].split(u';'), f[2].split(u';'), {}, false});
    return all;
}

// The NPC as the NPC Creator makes it: a name and stats, its own colour, a coloured robe, staying
// in place, and the conversation of fixtures/server/npc-talk.QDS, which has no speaker, so that it
// is exported with the NPC's name. Its script and the conversation's go into `scripts`.
void writeNpc(const QDir &scripts) {
    CharacterForm form = CharacterForms::newCharacter();
    const KeyTable &keys = characterKind().keys();
    const auto set = [&](const char *key, const char *value) {
        form.values.values[keys.rank(keys.find(QString::fromLatin1(key), KeySide::Create))] =
            QString::fromLatin1(value);
    };
    form.values.name = "rq_greeter";
    set("NAME", "Aldric");
    set("TITLE", "the Greeter");
    set("STR", "61");
    set("DEX", "42");
    set("INT", "33");
    form.skin = "0455";
    form.items = {{"i_robe", "0481", false}};
    form.speeches = {"spk_human_default"};
    form.link = ConversationLink{"d_npctalk"};
    const CharacterScript npc =
        CharacterScripts::withForm(CharacterScripts::fresh(), CharacterForms::empty(), form);
    const QString path = scripts.filePath("rq_npc.scp");
    ASSERT_TRUE(CharacterScripts::save(path, npc, std::nullopt, QString()).ok());
    QuestDialogs project;
    project.Clear();
    const QString talk = QStringLiteral(RUNEQUILL_FIXTURES "/server/npc-talk.QDS");
    ASSERT_TRUE(ProjectFile::read(talk, project).ok());
    ASSERT_TRUE(
        CharacterScripts::exportConversation(project, "d_npctalk", CharacterForms::npcName(form), talk, path)
            .ok());
}

struct ServerRun {
    QString log;
    QStringList client;   // the GM's lines, without "CLIENT: "
    QStringList npc;      // the lines of the player who greets the NPC
    QStringList shown;    // the speeches of the pages the player was shown
    QStringList problems; // ERROR and WARNING lines naming a file written here
    std::vector<Reload> reloads;
    std::vector<qint64> bigParts; // the sizes of the split export's files
    std::vector<Finding> overLong;
    std::map<int, QStringList> played;   // the Play dock's text lines of each d_play page
    std::map<int, QStringList> received; // the client's
    bool present = false;                // the server is there
    bool ran = false;                    // and the run went through
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
    static ::testing::AssertionResult inOrder(const QStringList &expected,
                                              const QStringList &lines = run->client) {
        qsizetype at = 0;
        for (const QString &text : expected) {
            while (at < lines.size() && !lines[at].contains(text))
                ++at;
            if (at == lines.size())
                return ::testing::AssertionFailure()
                       << "no \"" << text.toStdString() << "\" where expected in\n"
                       << lines.join('\n').toStdString();
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
    playPages(project);
    ASSERT_TRUE(ScriptExport::exportProject(project, "d_play", scripts.filePath("play.scp")).ok());
    PlayPane pane; // reads the support script the export wrote beside the dialogs
    for (qint16 n = 0; n < project.Count(); ++n) {
        pane.follow(project, {"d_play", project.Speaker(), scripts.path()}, n);
        for (const QGraphicsTextItem *line : pane.playView->textItems())
            run->played[n] << line->data(PlayView::ReceivedKey).toString();
    }
    ProjectFixtures::generate(project, BigPages);
    const Outcome<ScriptExport::Written> big =
        ScriptExport::exportProject(project, "d_big", scripts.filePath("big.scp"));
    ASSERT_TRUE(big.ok());
    for (const QString &part : big.value.files)
        run->bigParts.push_back(QFileInfo(part).size());

    QStringList fields(ItemHandling::FieldCount);
    fields[0] = "rq_lamp";
    fields[3] = "t_container";
    fields[4] = "0a22"; // a lamp, whose base type is another
    // A stock item opened, renamed and saved as the Item Creator does: its definition keys stay
    // above ON=@CREATE, where the server reads them.
    const ScriptFile weapons = ScriptFile::read(Sphere + "/scripts-x/items/weapons/i_weapons.scp").value;
    const DefinitionSection staff = weapons.section(weapons.find(u"ITEMDEF", u"i_staff_wild_ancient"));
    const FormValues shown = itemKind().formValues(staff);
    QStringList staffFields = ItemHandling::fields(shown);
    staffFields[0] = "rq_staff";
    staffFields[17] = "7";
    const QString saved =
        itemKind().withForm(staff, shown, ItemHandling::withFields(shown, staffFields)).text();
    TestSupport::writeFile(scripts.filePath("item.scp"),
                           CompileItem(fields).toLatin1() + "\r\n" + saved.toLatin1() +
                               "\r\n[FUNCTION f_rq_item]\r\nSERV.NEWITEM i_rq_lamp\r\n"
                               "SERV.LOG rq item type <NEW.TYPE>\r\nNEW.REMOVE\r\nSERV.NEWITEM i_rq_staff\r\n"
                               "SERV.LOG rq staff <NEW.NAME> <NEW.TYPE>\r\nNEW.REMOVE\r\n\r\n[EOF]\r\n");

    run->reloads = reloads();
    for (Reload &r : run->reloads)
        ASSERT_TRUE(r.exportTo(scripts, false));
    QFile::copy(Steps + "rq_player.scp", scripts.filePath("rq_player.scp"));
    writeNpc(scripts);
    QFile::copy(Sphere + "/harness/npc_spawn.scp", scripts.filePath("npc_spawn.scp"));

    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp.path());
    server.setProcessEnvironment(env);
    server.setProcessChannelMode(QProcess::MergedChannels);
    const QString client = "python3 " + Sphere + "/harness/";
    server.start("bash",
                 {Sphere + "/harness/sphere-live", "-c", "ACCOUNT ADD tester tester", "-c",
                  "ACCOUNT tester PLEVEL 7", "-c", "ACCOUNT ADD player player", "-c", "f_rq_item", "-c",
                  "ACCOUNT ADD greeter greeter", "-c", "f_test_plevel greeter", "-c",
                  "f_test_spawn_beside greeter,c_rq_greeter,1,0", "-A", "f_rq_npcs_near greeter", "-C",
                  client + "uoclient.py --account tester --password tester --steps " + Steps + "gm.txt", "-C",
                  client + "uoplayer.py --tag reload --account player --password player --steps " + Steps +
                      "player.txt",
                  "-C",
                  // The NPC client's lines are told from the GM's by a tag of their own.
                  "sh -c 'python3 " + Sphere +
                      "/harness/npcclient.py \"$@\" | sed -u \"s/^CLIENT: /CLIENT: [npc] /\"' "
                      "npc --account greeter --password greeter --steps " +
                      Steps + "npc.txt",
                  scripts.path()});
    // The second exports go into the running server's own scripts folder when the player asks.
    QElapsedTimer clock;
    clock.start();
    QByteArray output;
    while (!server.waitForFinished(50) && clock.elapsed() < 110'000) {
        output += server.readAll();
        const QDir live(tmp.filePath(QDir(tmp.path()).entryList({"sphere-run.*"}, QDir::Dirs).value(0)));
        for (Reload &r : run->reloads)
            if (!r.exported && live.exists("sync/export-" + r.head[0])) {
                r.exported = true;
                r.exportTo(QDir(live.filePath("scripts")), true);
                TestSupport::writeFile(live.filePath("sync/exported-" + r.head[0]), {});
            }
    }
    ASSERT_EQ(server.state(), QProcess::NotRunning) << "the server run hung";
    run->log = QString::fromUtf8(output + server.readAll());
    ASSERT_EQ(server.exitCode(), 0) << run->log.toStdString();
    QStringList written = QDir(scripts).entryList(QDir::Files);
    for (const Reload &r : run->reloads)
        written << r.head[0] + "_part"; // the parts the second exports added
    int playing = -1;                   // the d_play page whose gump the client is reading
    for (const QString &line : run->log.split('\n')) {
        if (line.startsWith("CLIENT: [reload] GUMP text[1]: "))
            run->shown.append(line.section(u'>', 1));
        else if (line.startsWith("CLIENT: [npc] "))
            run->npc.append(line.mid(14));
        else if (line.startsWith("CLIENT: ") && !line.startsWith("CLIENT: [reload] "))
            run->client.append(line.mid(8));
        if (line.startsWith("CLIENT: said"))
            playing = line.startsWith("CLIENT: said '.dialog d_play_")
                          ? line.section('_', 2).chopped(1).toInt()
                          : -1;
        else if (playing >= 0 && line.startsWith("CLIENT: GUMP text["))
            // The text's length is its count of bytes: characters of more than one leave nulls.
            run->received[playing] << line.section("]: ", 1).remove(QRegularExpression("\\x{0}+$"));
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
    EXPECT_TRUE(
        inOrder({"said '.dialog d_big_0'", "GUMP layout", "said '.dialog d_big_7999'", "GUMP layout"}));
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

// Each edit reaches a player of PLEVEL 1 after RESYNC, and LOAD of the new part the export
// names: the new pages open, and the names the new export no longer has open nothing.
TEST_F(Server, ReexportsReachAPlayerAfterAReload) {
    EXPECT_TRUE(run->log.contains("rq plevel 1"));
    const QString steps = QString::fromUtf8(TestSupport::readFile(Steps + "player.txt"));
    for (const Reload &r : run->reloads) {
        ASSERT_TRUE(r.exported && r.again.ok()) << r.head[0].toStdString();
        EXPECT_TRUE(run->log.contains("Resource 'scripts/" + r.head[0] + ".scp' changed, resync."));
        for (const QString &part : r.again.value.newParts)
            EXPECT_TRUE(steps.contains(ExportNotes::loadCommand(part))) << part.toStdString();
    }
    EXPECT_EQ(run->shown.join(u'\n') + u'\n', QString::fromUtf8(TestSupport::readFile(Steps + "shown.txt")));
}

// The stock item read and written back is made without an undefined keyword (see the first test).
TEST_F(Server, StockItemSavedAgainKeepsItsDefinitionKeys) {
    EXPECT_TRUE(run->log.contains("rq staff Ancient Wild Staff t_weapon_mace_staff"))
        << run->log.toStdString();
}

TEST_F(Server, ThePlayDockDrawsTheTextLinesTheClientReceives) {
    ASSERT_EQ(run->received.size(), 3u) << run->client.join('\n').toStdString();
    EXPECT_EQ(run->played, run->received);
    // The speech's last "à" never reaches the client, and the check says so.
    const QStringList &first = run->received[0];
    EXPECT_TRUE(
        std::any_of(first.begin(), first.end(), [](const QString &l) { return l.endsWith(" voil"); }));
    QuestDialogs project;
    playPages(project);
    const std::vector<Finding> found = checkProject(project, "d_play", "Smith");
    EXPECT_TRUE(std::any_of(found.begin(), found.end(), [](const Finding &f) {
        return f.page == 0 && f.answer == -1 && f.message.contains("ends in \"\u00e0\"");
    }));
}

// A player of PLEVEL 1 greets the NPC the NPC Creator wrote: page 0 of its conversation opens for
// the player (the speaker being the NPC's name), its buttons lead on and its ending closes it; a
// word that is no greeting opens nothing; a double-click and the other greeting open page 0 too.
TEST_F(Server, NpcOpensItsConversationForAPlayerWhoGreetsIt) {
    EXPECT_TRUE(run->log.contains("TESTPLEVEL account greeter plevel=1"));
    const QString page0 = "GUMP text[1]: <basefont color=#d3d3d3>Greetings, traveller.";
    EXPECT_TRUE(
        inOrder({"said 'hello there'", "(me) context=", "GUMP text[0]: <basefont color=#90ee90>Aldric<br>",
                 page0, "pressed button 1", "GUMP text[1]: <basefont color=#d3d3d3>The road north is long.",
                 "pressed button 1", "NOGUMP ok", "said 'what news'", "NOGUMP ok", "dclicked", page0,
                 "pressed button 2", "NOGUMP ok", "said 'hail'", page0},
                run->npc));
}

// The NPC stays where it was placed while it is talked to, and its name, title, stats and colour
// read back as written.
TEST_F(Server, NpcStaysInPlaceAndReadsBackAsWritten) {
    const qsizetype spawned = run->log.indexOf("TESTSPAWN c_rq_greeter uid=");
    ASSERT_GE(spawned, 0) << run->log.toStdString();
    const QString place = run->log.mid(spawned).section(" at ", 1, 1).section(u' ', 0, 0);
    EXPECT_TRUE(
        run->log.contains("rq npc Aldric title=the Greeter str=61 dex=42 int=33 color=0455 at " + place))
        << run->log.toStdString();
    EXPECT_FALSE(run->npc.join('\n').contains(" moved to ")) << run->npc.join('\n').toStdString();
}
