// The NPC Creator's document: New, Open..., Save, Save As..., Save with Conversation, Return,
// the conversation's project, and the question before unsaved work is lost.
#include "ui/characters/frmChar.h"

#include "core/characters/CharacterKind.h"
#include "core/dialogs/ExportNotes.h"
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/FileTypes.h"
#include "ui/widgets/Navigator.h"
#include "ui/widgets/RememberedPlaces.h"
#include "ui/widgets/UnsavedChanges.h"
#include "ui/widgets/UserPrompts.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace {
const QString caption = QStringLiteral("RNZ Script NPC Creator");
// The names under which the folders of the file dialogs are remembered; the project's is the
// Dialog Studio's own.
const QString scriptDialog = QStringLiteral("charScript");
const QString projectDialog = QStringLiteral("project");
} // namespace

void frmChar::showFileName() {
    setWindowTitle(m_file.isEmpty()
                       ? caption + QStringLiteral("[*]")
                       : QStringLiteral("%1[*] - %2").arg(QFileInfo(m_file).fileName(), caption));
}

void frmChar::mnuReturn_Click() {
    if (!mayDiscard())
        return;
    m_navigator.openMain();
    close();
}

void frmChar::closeEvent(QCloseEvent *event) {
    if (mayDiscard())
        event->accept();
    else
        event->ignore();
}

bool frmChar::mayDiscard() {
    const bool mayGo = UnsavedChanges::mayDiscard(m_prompts, this, m_changed,
                                                  QStringLiteral("The NPC has changed. Save it?"),
                                                  [this] { return saveScript(); });
    // Asked once: the close that follows does not ask again.
    if (mayGo)
        setChanged(false);
    return mayGo;
}

void frmChar::takeScript(const CharacterScript &script, const QString &file, qsizetype nth) {
    m_base = script;
    m_file = file;
    m_nth = nth;
    showFileName();
}

void frmChar::MnuScriptNew_Click() {
    if (!mayDiscard())
        return;
    m_shown = CharacterForms::empty();
    takeScript(CharacterScripts::fresh(), QString(), 0);
    fillForm(CharacterForms::newCharacter());
    setChanged(false);
}

void frmChar::MnuScriptOpen_Click() {
    if (!mayDiscard())
        return;
    const QString path = m_prompts.openFileName(this, FileTypes::scriptFilter(),
                                                RememberedPlaces::startName(scriptDialog, cdlScript));
    if (path.isEmpty())
        return;
    cdlScript = path;
    const Outcome<ScriptFile> file = ScriptFile::read(path);
    if (!file.ok()) {
        FileError error = *file.error;
        error.path = QDir::toNativeSeparators(error.path);
        m_prompts.message(this, error.message(QStringLiteral("read")));
        return;
    }
    QList<qsizetype> characters;
    QStringList names;
    for (qsizetype i = 0; i < file.value.sections().size(); ++i)
        if (file.value.sections()[i].type.compare(characterKind().shape().sectionType, Qt::CaseInsensitive) ==
            0) {
            characters << i;
            names << file.value.sections()[i].name;
        }
    if (characters.isEmpty()) {
        m_prompts.message(
            this,
            QStringLiteral("The file %1 holds no [CHARDEF] section.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    int index = 0;
    if (characters.size() > 1) {
        index = m_prompts.chooseOne(this, QStringLiteral("Which NPC?"), names);
        if (index < 0)
            return;
    }
    RememberedPlaces::rememberFolder(scriptDialog, path);
    const CharacterScript script = CharacterScripts::read(file.value, characters[index]);
    takeScript(script, path, file.value.occurrence(characters[index]));
    m_shown = CharacterScripts::formOf(script);
    fillForm(m_shown);
    setChanged(false);
}

void frmChar::MnuScriptSave_Click() {
    saveScript();
}

void frmChar::MnuScriptSaveAs_Click() {
    saveScriptAs();
}

bool frmChar::saveScript() {
    if (m_file.isEmpty())
        return saveScriptAs();
    return writeInto(m_file, ScriptFile::Place{m_base.character.name(), m_nth});
}

bool frmChar::saveScriptAs() {
    const QString chosen = m_prompts.saveFileName(this, FileTypes::scriptFilter(),
                                                  RememberedPlaces::startName(scriptDialog, cdlScript));
    if (chosen.isEmpty())
        return false;
    const QString path = FileTypes::withScriptExtension(chosen);
    cdlScript = path;
    RememberedPlaces::rememberFolder(scriptDialog, path);
    // A file of other sections keeps them: the NPC replaces its namesake or joins them.
    const Outcome<ScriptFile> file = ScriptFile::read(path);
    const DefinitionSection section = compiledScript().character;
    std::optional<ScriptFile::Place> replacing;
    if (file.ok() && file.value.find(section.type(), section.name()) >= 0) {
        const int answer = m_prompts.chooseButton(
            this,
            QStringLiteral("The file %1 already holds [%2 %3]. Replace that section, or add the NPC at the "
                           "end of the file?")
                .arg(QDir::toNativeSeparators(path), section.type(), section.name()),
            {QStringLiteral("Replace"), QStringLiteral("Add at the End")});
        if (answer < 0)
            return false;
        if (answer == 0)
            replacing = ScriptFile::Place{section.name()};
    }
    return writeInto(path, replacing);
}

bool frmChar::writeInto(const QString &path, const std::optional<ScriptFile::Place> &replacing) {
    const CharacterScript script = compiledScript();
    // The speech section replaces the one read with the NPC, else one of its own name.
    const QString oldSpeech = m_base.speech   ? m_base.speech->name()
                              : script.speech ? script.speech->name()
                                              : QString();
    const Outcome<qsizetype> saved = CharacterScripts::save(path, script, replacing, oldSpeech);
    if (!saved.ok()) {
        FileError failed = *saved.error;
        failed.path = QDir::toNativeSeparators(path);
        m_prompts.message(this, failed.message(QStringLiteral("written")));
        return false;
    }
    m_shown = formValues();
    takeScript(script, path, saved.value);
    setChanged(false);
    return true;
}

void frmChar::cmdProject_Click() {
    const QString path = m_prompts.openFileName(this, FileTypes::projectFilter(),
                                                RememberedPlaces::startName(projectDialog, cdlProject));
    if (path.isEmpty())
        return;
    cdlProject = path;
    QuestDialogs project;
    project.Clear();
    Outcome<ProjectFile::Header> read = ProjectFile::read(path, project);
    if (!read.ok()) {
        FileError error = *read.error;
        error.path = QDir::toNativeSeparators(path);
        m_prompts.message(this, error.message(QStringLiteral("read")));
        return;
    }
    const QString prefix = read.value.prefix.value_or(QString());
    if (const char32_t c = ScriptExport::unusablePrefixCharacter(prefix); c || prefix.isEmpty()) {
        m_prompts.message(this,
                          c ? ScriptExport::unusablePrefixMessage(c)
                            : QStringLiteral("The project has no dialog prefix, which names the page to "
                                             "open."));
        return;
    }
    RememberedPlaces::rememberFolder(projectDialog, path);
    txtProject->setText(QDir::toNativeSeparators(path));
    txtPrefix->setText(prefix);
    m_speaker = read.value.speaker.value_or(QString());
    txtSpeaker->setText(m_speaker);
    txtSpeaker->setPlaceholderText(QStringLiteral("(none)"));
}

void frmChar::cmdNoConversation_Click() {
    txtProject->clear();
    txtPrefix->clear();
    txtSpeaker->clear();
    m_speaker.clear();
}

void frmChar::MnuScriptSaveWith_Click() {
    const QString projectPath = QDir::fromNativeSeparators(txtProject->text());
    if (projectPath.isEmpty()) {
        m_prompts.message(this,
                          QStringLiteral("Choose the conversation's project file on the \"Conversation\" "
                                         "tab first."));
        return;
    }
    QuestDialogs project;
    project.Clear();
    const Outcome<ProjectFile::Header> read = ProjectFile::read(projectPath, project);
    if (!read.ok()) {
        FileError error = *read.error;
        error.path = QDir::toNativeSeparators(projectPath);
        m_prompts.message(this, error.message(QStringLiteral("read")));
        return;
    }
    const QString prefix = txtPrefix->text();
    if (const char32_t c = ScriptExport::unusablePrefixCharacter(prefix)) {
        m_prompts.message(this, ScriptExport::unusablePrefixMessage(c));
        return;
    }
    QString speaker = read.value.speaker.value_or(QString());
    if (speaker.isEmpty()) {
        const QString name = CharacterForms::npcName(formValues());
        if (m_prompts.confirm(this,
                              QStringLiteral("The conversation has no speaker: a page a greeting opens would "
                                             "show \"0\" as the name. Use the NPC's name, \"%1\", as the "
                                             "speaker?")
                                  .arg(name)))
            speaker = name;
    }
    const std::vector<Finding> errors = exportErrors(project, prefix, speaker);
    if (!errors.empty() && !m_prompts.confirmRisky(this, ExportNotes::errorsQuestion(errors)))
        return;
    if (!saveScript())
        return;
    const Outcome<ScriptExport::Written> written =
        CharacterScripts::exportConversation(project, prefix, speaker, projectPath, m_file);
    if (!written.ok()) {
        FileError error = *written.error;
        error.path = QDir::toNativeSeparators(error.path);
        m_prompts.message(this, error.message(QStringLiteral("written")));
        return;
    }
    QStringList lines{QStringLiteral("The conversation was written beside the NPC:")};
    for (const QString &file : written.value.files)
        lines << QDir::toNativeSeparators(file);
    for (const QString &part : written.value.newParts)
        lines << QString() << ExportNotes::newPartNotice(part);
    m_prompts.message(this, lines.join(u'\n'));
}
