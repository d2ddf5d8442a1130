// The NPC Creator's Script menu (its file commands through the window's document) and the
// conversation's project: choosing it, and saving the NPC with it exported beside.
#include "ui/characters/frmChar.h"

#include "core/characters/CharacterKind.h"
#include "core/dialogs/ExportNotes.h"
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/FileTypes.h"
#include "ui/widgets/RememberedPlaces.h"
#include "ui/widgets/UserPrompts.h"

#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>

namespace {
// The name under which the folder of the project dialog is remembered: the Dialog Studio's own.
const QString projectDialog = QStringLiteral("project");
} // namespace

void frmChar::mnuReturn_Click() {
    m_document.returnToMain();
}

void frmChar::closeEvent(QCloseEvent *event) {
    event->setAccepted(m_document.mayDiscard());
}

void frmChar::MnuScriptNew_Click() {
    m_document.startNew();
}

void frmChar::MnuScriptOpen_Click() {
    m_document.open();
}

void frmChar::MnuScriptSave_Click() {
    m_document.save();
}

void frmChar::MnuScriptSaveAs_Click() {
    m_document.saveAs();
}

void frmChar::showNew() {
    m_base = CharacterScripts::fresh();
    m_shown = CharacterForms::empty();
    fillForm(CharacterForms::newCharacter());
}

void frmChar::showRead(const ScriptFile &file, qsizetype index) {
    m_base = CharacterScripts::read(file, index);
    m_shown = CharacterScripts::formOf(m_base);
    fillForm(m_shown);
}

Outcome<qsizetype> frmChar::writeInto(const QString &path,
                                      const std::optional<ScriptFile::Place> &replacing) {
    const CharacterScript script = compiledScript();
    // The speech section replaces the one read with the NPC, else one of its own name.
    const QString oldSpeech = m_base.speech   ? m_base.speech->name()
                              : script.speech ? script.speech->name()
                                              : QString();
    const Outcome<qsizetype> saved = CharacterScripts::save(path, script, replacing, oldSpeech);
    if (saved.ok()) {
        m_shown = formValues();
        m_base = script;
    }
    return saved;
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
    if (!m_document.save())
        return;
    const Outcome<ScriptExport::Written> written =
        CharacterScripts::exportConversation(project, prefix, speaker, projectPath, m_document.fileName());
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
