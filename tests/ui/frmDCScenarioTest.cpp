// The studio's event semantics as scenario tables (see ScenarioTables.h): each file under
// fixtures/studio is a list of steps done to a fresh window as a user would do them, and of what
// the window, its tree and the project must show after them. Lists ("stored", "tree", ...) have
// one item a line, none for an empty list.
#include "support/ScenarioTables.h"
#include "support/WindowSteps.h"
#include "ui/frmDCFixture.h"

#include "core/text/CodePage.h"
#include "ui/studio/MapPane.h"
#include "ui/studio/MapScene.h"
#include "ui/studio/MapView.h"
#include "ui/studio/PlayPane.h"
#include "ui/studio/PlayView.h"
#include "ui/studio/StudioLayout.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGraphicsItem>
#include <QGraphicsTextItem>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QTextBlock>
#include <QTextLayout>
#include <QTreeView>
#include <QUndoStack>

namespace {

class Scenario {
public:
    Scenario() : tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal) {
        const auto note = [this](const char *what, const QModelIndex &parent, int first, int last) {
            seen << QStringLiteral("%1 %2-%3 under %4")
                        .arg(what)
                        .arg(first)
                        .arg(last)
                        .arg(parent.isValid() ? parent.row() : -1);
        };
        QObject::connect(model, &QAbstractItemModel::dataChanged,
                         [=](const QModelIndex &a, const QModelIndex &b) {
                             note("changed", a.parent(), a.row(), b.row());
                         });
        QObject::connect(model, &QAbstractItemModel::rowsInserted,
                         [=](const QModelIndex &p, int a, int b) { note("inserted", p, a, b); });
        QObject::connect(model, &QAbstractItemModel::rowsRemoved,
                         [=](const QModelIndex &p, int a, int b) { note("removed", p, a, b); });
        QObject::connect(model, &QAbstractItemModel::modelReset, [this] { seen << "reset"; });
    }

    void run(const QString &verb, QObject *control, const QString &text, const QStringList &list) {
        if (WindowSteps::run(verb, control, text, list, s.prompts, s.navigator.calls))
            return;
        auto *widget = qobject_cast<QWidget *>(control);
        const QStringList words = text.split(u' ');
        const int number = words.value(0).toInt();
        const auto field = [&words](int n) { return words.value(n) == "-" ? QString() : words.value(n); };
        if (verb == "type" && qobject_cast<QLineEdit *>(control))
            Studio::retype(qobject_cast<QLineEdit *>(control), text);
        else if (verb == "type")
            Studio::retype(qobject_cast<QPlainTextEdit *>(control), text);
        else if (verb == "keys")
            QTest::keyClicks(widget, text);
        else if (verb == "up" || verb == "down")
            verb == "up" ? qobject_cast<UpDown *>(control)->stepUp()
                         : qobject_cast<UpDown *>(control)->stepDown();
        else if (verb == "focus")
            widget->setFocus();
        else if (verb == "focusout") {
            QFocusEvent event(QEvent::FocusOut,
                              text == "popup" ? Qt::PopupFocusReason : Qt::ActiveWindowFocusReason);
            QCoreApplication::sendEvent(widget, &event);
        } else if (verb == "clear")
            qobject_cast<QLineEdit *>(control)->clear();
        else if (verb == "paste" && qobject_cast<QLineEdit *>(control))
            qobject_cast<QLineEdit *>(control)->setText(text);
        else if (verb == "paste")
            qobject_cast<QPlainTextEdit *>(control)->setPlainText(text);
        else if (verb == "selectall")
            qobject_cast<QLineEdit *>(control)->selectAll();
        else if (verb == "clipboard")
            QGuiApplication::clipboard()->setText(text);
        else if (verb == "latin1") { // the system code page, for the rest of the scenario
            codePage.emplace();
            CodePage::setEncoding(QStringConverter::Latin1);
        } else if (verb == "show") {
            s.w.show();
            s.w.activateWindow();
        } else if (verb == "close")
            s.w.close();
        else if (verb == "fill") // pages until the project holds no more
            while (s.project.AddNewDialog(std::make_unique<Dialog>(text))) {
            }
        else if (verb == "pagesfile") { // pagesfile PATH N: a project file of N pages
            QByteArray bytes = "pre\r\nspk\r\n";
            for (int page = 0; page < words.value(1).toInt(); ++page)
                bytes += "PAGE " + QByteArray::number(page) + "\r\nx\r\n";
            EXPECT_TRUE(TestSupport::writeFile(words.value(0), bytes));
        } else if (verb == "holds") // holds PATH BYTES: the file has these bytes somewhere
            EXPECT_TRUE(TestSupport::readFile(words.value(0)).contains(text.section(u' ', 1).toUtf8()));
        else if (verb == "bytes") // bytes PATH BYTES: the file is exactly these bytes
            EXPECT_EQ(TestSupport::readFile(words.value(0)), text.section(u' ', 1).toUtf8());
        else if (verb == "mark") // remembers the project and tree, for "rewind"
            marks << s.stored() + s.tree();
        else if (verb == "rewind") { // undoes back through the marks, then redoes forward again
            for (qsizetype i = marks.size() - 2; i >= 0; --i) {
                s.w.MnuEditUndo->trigger();
                EXPECT_EQ(s.stored() + s.tree(), marks[i]) << "undone to mark " << i;
            }
            for (qsizetype i = 1; i < marks.size(); ++i) {
                s.w.MnuEditRedo->trigger();
                EXPECT_EQ(s.stored() + s.tree(), marks[i]) << "redone to mark " << i;
            }
        } else if (verb == "slot") // slot PAGE LINKED LINK ENDS TEXT: answer 0 of a page
            s.project.Dialog(static_cast<qint16>(number))
                .Selection(0)
                .Init(text.section(u' ', 4), words.value(1) == "1", field(2), words.value(3) == "1");
        else if (verb == "confirm")
            s.prompts.queueConfirm(number);
        else if (verb == "folder")
            EXPECT_TRUE(QDir().mkpath(text));
        else if (verb == "delete")
            EXPECT_TRUE(QFile::remove(text));
        else if (verb == "forget") // what earlier windows remembered: Recent, folders
            QSettings().remove(QStringLiteral("Places"));
        else if (verb == "problems") { // the problems list: "severity page/answer message"
            QStringList rows;
            const QAbstractItemModel *problems = s.w.lstProblems->model();
            for (int r = 0; r < problems->rowCount(); ++r)
                rows << QStringLiteral("%1 %2/%3 %4")
                            .arg(problems->index(r, 0).data().toString(),
                                 problems->index(r, 1).data().toString(),
                                 problems->index(r, 2).data().toString(),
                                 problems->index(r, 3).data().toString());
            EXPECT_EQ(rows, list);
            EXPECT_EQ(s.w.dockProblems->windowTitle(), QStringLiteral("Problems (%1)").arg(list.size()));
        } else if (verb == "current") { // current PAGE ANSWER: the tree's current row, selected
            const QModelIndex current = s.w.TrvAnalysis->currentIndex();
            EXPECT_EQ(current.data(AnalysisModel::PageRole).toString() + ' ' +
                          current.data(AnalysisModel::AnswerRole).toString(),
                      text);
            EXPECT_TRUE(s.w.TrvAnalysis->selectionModel()->isSelected(current));
        } else if (verb == "activate") // a page node double-clicked, or Enter on it
            emit s.w.TrvAnalysis->activated(model->index(number, 0));
        else if (verb == "scroll")
            s.w.TrvAnalysis->verticalScrollBar()->setValue(number);
        else if (verb == "scrolled")
            EXPECT_EQ(s.w.TrvAnalysis->verticalScrollBar()->value(), number);
        else if (verb == "emotes") // the stretches of the speech box shown in red
            EXPECT_EQ(redStretches(), list);
        else if (verb == "recent") {
            QStringList entries;
            for (const QAction *entry : s.w.MnuProjRecent->actions())
                entries << entry->text();
            EXPECT_EQ(entries, list);
        } else if (verb == "copy") // copy FIXTURE PATH
            EXPECT_TRUE(QFile::copy(QStringLiteral(RUNEQUILL_FIXTURES "/") + words.value(0), words.value(1)));
        else if (verb == "same") // same PATH FIXTURE: byte for byte
            EXPECT_EQ(TestSupport::readFile(words.value(0)),
                      TestSupport::readFile(QStringLiteral(RUNEQUILL_FIXTURES "/") + words.value(1)));
        else if (verb == "ShowPage")
            s.w.ShowPage(number);
        else if (verb == "speech")
            s.project.Dialog(static_cast<qint16>(number)).setText(text.section(u' ', 1));
        else if (verb == "newpage")
            s.project.AddNewDialog(std::make_unique<Dialog>(text));
        else if (verb == "answer") // answer PAGE LINKED LINK ENDS TEXT, "-" for an empty link
            s.project.Dialog(static_cast<qint16>(number))
                .AddSelection(TestSupport::answer(text.section(u' ', 4), words.value(1) == "1", field(2),
                                                  words.value(3) == "1"));
        else if (verb == "note") // note PARENT KEY TEXT, "-" for a root note
            words.value(0) == "-" ? s.w.AddRootNote(text.section(u' ', 2), words.value(1))
                                  : s.w.Addnote(words.value(0), text.section(u' ', 2), words.value(1));
        else if (verb == "expand")
            s.w.TrvAnalysis->expand(model->index(number, 0));
        else if (verb == "collapse")
            s.w.TrvAnalysis->collapse(model->index(number, 0));
        else if (verb == "problem") // a row of the problems list double-clicked, or Enter on it
            emit s.w.lstProblems->activated(s.w.lstProblems->model()->index(number, 3));
        else if (verb == "expanded")
            EXPECT_EQ(s.w.TrvAnalysis->isExpanded(model->index(number, 0)), words.value(1) == "1");
        else if (verb == "kept")
            EXPECT_EQ(model->keptPageCount(), number);
        else if (verb == "shown")
            EXPECT_EQ(s.shown(), text);
        else if (verb == "speaker")
            EXPECT_EQ(s.project.Speaker(), text);
        else if (verb == "resize") // resize W H: the client area, below the menu bar
            s.w.resize(number, words.value(1).toInt() + s.w.menuBar()->height());
        else if (verb == "menubar")
            s.w.menuBar()->setFixedHeight(number);
        else if (verb == "minimise")
            s.w.setWindowState(Qt::WindowMinimized);
        else if (verb == "size") // size OUTER-W OUTER-H CLIENT-W CLIENT-H
            EXPECT_EQ(QStringLiteral("%1 %2 %3 %4")
                          .arg(s.w.width())
                          .arg(s.w.height())
                          .arg(s.w.centralWidget()->width())
                          .arg(s.w.centralWidget()->height())
                          .toStdString(),
                      text.toStdString());
        else if (verb == "at") { // at NAME X Y W H
            const QRect r = widget->geometry();
            EXPECT_EQ(QStringLiteral("%1 %2 %3 %4")
                          .arg(r.x())
                          .arg(r.y())
                          .arg(r.width())
                          .arg(r.height())
                          .toStdString(),
                      text.toStdString());
        } else if (verb == "fits") // fits TWIPS-W TWIPS-H 0/1
            EXPECT_EQ(StudioLayout::clientFits(number, words.value(1).toInt()), words.value(2) == "1");
        else if (verb == "window") // window VISIBLE MODIFIED CAN-UNDO TITLE
            EXPECT_EQ(QStringLiteral("%1 %2 %3 %4")
                          .arg(s.w.isVisible())
                          .arg(s.w.isWindowModified())
                          .arg(s.w.History->canUndo())
                          .arg(s.w.windowTitle())
                          .toStdString(),
                      text.toStdString());
        else if (verb == "asked") // how many unsaved-changes questions so far
            EXPECT_EQ(s.prompts.unsavedQuestions().size(), number);
        else if (verb == "saying") // the last message holds this text
            EXPECT_TRUE(s.prompts.messages().value(s.prompts.messages().size() - 1).contains(text));
        else if (verb == "rows")
            EXPECT_EQ(model->rowCount(), number);
        else if (verb == "pages")
            EXPECT_EQ(s.project.Count(), number);
        else if (verb == "stored")
            EXPECT_EQ(s.stored(), list);
        else if (verb == "tree")
            EXPECT_EQ(s.tree(), list);
        else if (verb == "nodekeys")
            EXPECT_EQ(nodeKeys(), list);
        else if (verb == "signals")
            EXPECT_EQ(std::exchange(seen, {}), list);
        else if (verb == "questions")
            EXPECT_EQ(s.prompts.questions(), list);
        else if (verb == "risky") // the questions whose default is No
            EXPECT_EQ(s.prompts.riskyQuestions(), list);
        else if (verb == "prompts")
            EXPECT_EQ(prompts(), list);
        else if (verb == "press") { // press N: a click on button N of the dialog the Play dock draws
            PlayView *view = s.w.playPane->playView;
            QGraphicsItem *button = nullptr;
            for (QGraphicsItem *item : view->scene()->items())
                button = item->data(PlayView::ButtonKey) == QVariant(number) ? item : button;
            ASSERT_TRUE(button) << "no button " << number;
            view->centerOn(button);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->mapFromScene(button->sceneBoundingRect().center()));
        } else if (verb == "drag") // drag PAGE:ANSWER TO [escape], TO: PAGE, PAGE:ANSWER, space, outside
            dragOnMap(words.value(0), words.value(1), words.value(2) == "escape");
        else if (verb == "gump")
            EXPECT_EQ(gump(), list);
        else
            ADD_FAILURE() << "unknown step " << verb.toStdString();
    }

    QWidget &window() { return s.w; }

    // Each table starts from the window a new user sees: no dock shown.
    struct NoDocks {
        NoDocks() { QSettings().remove(QStringLiteral("StudioDocks")); }
    } noDocks;
    Studio s;

private:
    QStringList nodeKeys() const {
        QStringList out;
        for (int page = 0; page < model->rowCount(); ++page) {
            out << model->index(page, 0).data(AnalysisModel::KeyRole).toString();
            for (int k = 0; k < model->rowCount(model->index(page, 0)); ++k)
                out << model->index(k, 0, model->index(page, 0)).data(AnalysisModel::KeyRole).toString();
        }
        return out;
    }
    QStringList redStretches() const {
        QStringList out;
        for (QTextBlock b = s.w.txtSpeech->document()->firstBlock(); b.isValid(); b = b.next())
            for (const QTextLayout::FormatRange &range : b.layout()->formats())
                if (range.format.foreground().color() == QColor(Qt::red))
                    out << b.text().mid(range.start, range.length);
        return out;
    }
    // The file dialogs asked for: their filter and the name they started with.
    QStringList prompts() const {
        QStringList out;
        for (const ScriptedPrompts::Prompt &p : s.prompts.prompts())
            if (p.kind == ScriptedPrompts::Prompt::OpenFile || p.kind == ScriptedPrompts::Prompt::SaveFile)
                out << p.text + "|" + p.fileName;
        return out;
    }

    // The Play dock's dialog: each text line as the client receives it, "(clipped)" when its box
    // cuts it off, then the buttons; or how the conversation ended.
    QStringList gump() const {
        QStringList out, buttons;
        const QList<QGraphicsItem *> items = s.w.playPane->playView->scene()->items(Qt::AscendingOrder);
        for (QGraphicsTextItem *line : s.w.playPane->playView->textItems())
            out << QStringLiteral("%1: %2%3")
                       .arg(line->data(PlayView::LineKey).toInt())
                       .arg(line->data(PlayView::ReceivedKey).toString(),
                            line->data(PlayView::ClippedKey).toBool() ? " (clipped)" : "");
        for (QGraphicsItem *item : items)
            if (item->data(PlayView::ButtonKey).isValid())
                buttons << item->data(PlayView::ButtonKey).toString();
        if (!buttons.isEmpty())
            out << "buttons " + buttons.join(u' ');
        for (QGraphicsItem *item : items)
            if (auto *text = qgraphicsitem_cast<QGraphicsTextItem *>(item); text && out.isEmpty())
                out << "ended: " + text->toPlainText();
        return out;
    }

    // An answer's row dragged on the map's viewport onto a page's box, another row, the empty
    // space beside the boxes or out of the view; a line follows the pointer until the drop.
    void dragOnMap(const QString &from, const QString &to, bool escape) {
        MapView *view = s.w.mapPane->mapView;
        const MapScene *scene = view->mapScene();
        const auto spot = [](const QString &place) {
            return std::pair{qint16(place.section(u':', 0, 0).toInt()),
                             qint16(place.section(u':', 1).toInt())};
        };
        const auto [page, answer] = spot(from);
        const QPoint start = view->mapFromScene(scene->answerRect(page, answer).center());
        QPoint end(-20, -20);
        if (to == "space") {
            for (int y = view->viewport()->height() - 5; y > 0 && end.x() < 0; y -= 10)
                for (int x = 5; x < view->viewport()->width() && end.x() < 0; x += 10)
                    if (scene->spotAt(view->mapToScene(QPoint(x, y))).page < 0)
                        end = QPoint(x, y);
        } else if (to.contains(u':')) {
            const auto [toPage, toAnswer] = spot(to);
            end = view->mapFromScene(scene->answerRect(toPage, toAnswer).center());
        } else if (to != "outside")
            end = view->mapFromScene(scene->pageRect(qint16(to.toInt())).topLeft() + QPointF(30, 5));
        ASSERT_TRUE(view->viewport()->rect().contains(start)) << "row not in sight";
        ASSERT_TRUE(to == "outside" || view->viewport()->rect().contains(end)) << "drop not in sight";
        WindowSteps::drag(view->viewport(), start, end, [&] {
            EXPECT_TRUE(scene->showsDragLine());
            if (escape)
                QTest::keyClick(view, Qt::Key_Escape);
        });
        EXPECT_FALSE(view->mapScene()->showsDragLine());
    }

    AnalysisModel *model = s.w.TrvAnalysis->analysisModel();
    QAbstractItemModelTester tester;
    QStringList seen;
    QList<QStringList> marks;
    std::optional<TestSupport::CodePageGuard> codePage;
};

} // namespace

TEST(frmDCScenario, EachScenarioEndsAsItsTableSays) {
    runScenarioTables<Scenario>(QStringLiteral("studio"), 10);
}
