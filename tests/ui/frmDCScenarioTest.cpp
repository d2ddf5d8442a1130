// The studio's event semantics as scenario tables: each file under fixtures/studio is a list of
// steps done to a fresh window as a user would do them, and of what the window, its tree and the
// project must show after them. A step is "VERB NAME TEXT" (NAME an objectName); "\n" in a text
// is a line break, "$DIR" a scratch folder. Lists ("stored", "tree", ...) are followed by their
// items, each on a line of its own after "| ", none for an empty list.
#include "ui/frmDCFixture.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// What a control shows: its text, 0/1 for a check box, the highest value for a spinner.
QString shownBy(QObject *control) {
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return box->text();
    if (auto *box = qobject_cast<QPlainTextEdit *>(control))
        return box->toPlainText();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    if (auto *box = qobject_cast<QCheckBox *>(control))
        return QString::number(box->isChecked());
    if (auto *spinner = qobject_cast<UpDown *>(control))
        return QString::number(spinner->maximum());
    return QStringLiteral("<no control>");
}

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
        auto *widget = qobject_cast<QWidget *>(control);
        const QStringList words = text.split(u' ');
        const int number = words.value(0).toInt();
        const auto field = [&words](int n) { return words.value(n) == "-" ? QString() : words.value(n); };
        static const QMap<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
            {"Return", {Qt::Key_Return, {}}},
            {"Enter", {Qt::Key_Enter, Qt::KeypadModifier}},
            {"Left", {Qt::Key_Left, {}}},
            {"Space", {Qt::Key_Space, {}}}};
        if (verb == "type" && qobject_cast<QLineEdit *>(control))
            Studio::retype(qobject_cast<QLineEdit *>(control), text);
        else if (verb == "type")
            Studio::retype(qobject_cast<QPlainTextEdit *>(control), text);
        else if (verb == "keys")
            QTest::keyClicks(widget, text);
        else if (verb == "key")
            QTest::keyClick(widget, keys.value(text).first, keys.value(text).second);
        else if (verb == "click")
            Studio::click(qobject_cast<QPushButton *>(control));
        else if (verb == "check")
            qobject_cast<QCheckBox *>(control)->setChecked(number);
        else if (verb == "menu")
            qobject_cast<QAction *>(control)->trigger();
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
        else if (verb == "paste")
            qobject_cast<QPlainTextEdit *>(control)->setPlainText(text);
        else if (verb == "confirm")
            s.prompts.queueConfirm(number);
        else if (verb == "file")
            s.prompts.queueFileName(text);
        else if (verb == "folder")
            EXPECT_TRUE(QDir().mkpath(text));
        else if (verb == "copy") // copy FIXTURE PATH
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
        else if (verb == "expanded")
            EXPECT_EQ(s.w.TrvAnalysis->isExpanded(model->index(number, 0)), words.value(1) == "1");
        else if (verb == "kept")
            EXPECT_EQ(model->keptPageCount(), number);
        else if (verb == "shown")
            EXPECT_EQ(s.shown(), text);
        else if (verb == "is")
            EXPECT_EQ(shownBy(control), text);
        else if (verb == "speaker")
            EXPECT_EQ(s.project.Speaker(), text);
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
        else if (verb == "messages")
            EXPECT_EQ(s.prompts.messages(), list);
        else if (verb == "questions")
            EXPECT_EQ(s.prompts.questions(), list);
        else if (verb == "prompts")
            EXPECT_EQ(prompts(), list);
        else
            ADD_FAILURE() << "unknown step " << verb.toStdString();
    }

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
    // The file dialogs asked for: their filter and the name they started with.
    QStringList prompts() const {
        QStringList out;
        for (const ScriptedPrompts::Prompt &p : s.prompts.prompts())
            if (p.kind == ScriptedPrompts::Prompt::OpenFile || p.kind == ScriptedPrompts::Prompt::SaveFile)
                out << p.text + "|" + p.fileName;
        return out;
    }

    AnalysisModel *model = s.w.TrvAnalysis->analysisModel();
    QAbstractItemModelTester tester;
    QStringList seen;
};

} // namespace

TEST(frmDCScenario, EachScenarioEndsAsItsTableSays) {
    const QDir dir(QStringLiteral(RUNEQUILL_FIXTURES "/studio"));
    const QStringList files = dir.entryList({"*.txt"}, QDir::Files);
    ASSERT_GE(files.size(), 10);
    for (const QString &name : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QTemporaryDir scratch;
        QStringList lines = QString::fromUtf8(file.readAll()).replace("$DIR", scratch.path()).split(u'\n');
        for (QString &line : lines)
            line.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        Scenario scenario;
        for (qsizetype n = 0; n < lines.size(); ++n) {
            const QString line = lines[n];
            if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(QStringLiteral("| ")))
                continue;
            SCOPED_TRACE(QStringLiteral("%1:%2: %3").arg(name).arg(n + 1).arg(line).toStdString());
            QStringList list;
            while (n + 1 < lines.size() && lines[n + 1].startsWith(QStringLiteral("| ")))
                list << lines[++n].mid(2);
            QObject *control = scenario.s.w.findChild<QObject *>(line.section(u' ', 1, 1));
            // Steps on a control take the text after its name; the others, all after the verb.
            scenario.run(line.section(u' ', 0, 0), control, line.section(u' ', control ? 2 : 1), list);
        }
    }
}
