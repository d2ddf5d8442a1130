#include "core/characters/CharacterScript.h"

#include "core/characters/CharacterKind.h"
#include "core/dialogs/QuestDialogs.h"

#include <QDir>
#include <QFileInfo>

namespace CharacterScripts {

CharacterScript fresh() {
    return {characterKind().fresh(), std::nullopt};
}

CharacterScript read(const ScriptFile &file, qsizetype index) {
    CharacterScript script{file.section(index), std::nullopt};
    const QString speech = ConversationLinks::speechName(CharacterForms::shownName(script.character));
    if (const qsizetype at = file.find(u"SPEECH", speech); at >= 0)
        script.speech = file.section(at);
    return script;
}

CharacterForm formOf(const CharacterScript &script) {
    return CharacterForms::read(script.character, script.speech);
}

CharacterScript withForm(const CharacterScript &base, const CharacterForm &was, const CharacterForm &now) {
    CharacterScript out{CharacterForms::write(base.character, was, now), std::nullopt};
    if (!now.link || now.link->prefix.isEmpty() || now.link->words.isEmpty())
        return out;
    if (base.speech && was.link == now.link && was.values.name == now.values.name)
        out.speech = base.speech;
    else
        out.speech = ConversationLinks::speechSection(
            base.speech, ConversationLinks::speechName(CharacterForms::shownName(out.character)), *now.link);
    return out;
}

QString text(const CharacterScript &script) {
    QString out = script.character.text();
    if (!script.character.lastLineEnded())
        out += QStringLiteral("\r\n");
    if (script.speech)
        out += QStringLiteral("\r\n") + script.speech->text();
    return out;
}

QStringList warnings(const CharacterScript &script, const CharacterForm &form) {
    QStringList found = characterKind().warnings(script.character);
    if (form.link && !form.link->prefix.isEmpty())
        found += ConversationLinks::warnings(*form.link);
    return found;
}

Outcome<qsizetype> save(const QString &path, const CharacterScript &script,
                        const std::optional<ScriptFile::Place> &replacing, const QString &oldSpeech) {
    QList<ScriptFile::Placed> sections{{script.character, replacing}};
    if (script.speech)
        sections.append({*script.speech,
                         oldSpeech.isEmpty() ? std::nullopt : std::optional(ScriptFile::Place{oldSpeech})});
    return ScriptFile::save(path, sections);
}

QString conversationPath(const QString &projectPath, const QString &npcScript) {
    return QFileInfo(npcScript).dir().filePath(QFileInfo(projectPath).completeBaseName() +
                                               QStringLiteral(".scp"));
}

Outcome<ScriptExport::Written> exportConversation(QuestDialogs &project, const QString &prefix,
                                                  const QString &speaker, const QString &projectPath,
                                                  const QString &npcScript) {
    const QString path = conversationPath(projectPath, npcScript);
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(npcScript).absoluteFilePath())
        return {
            {},
            FileError{path, 0,
                      QStringLiteral("the conversation's script would replace the NPC's own: save the NPC "
                                     "under another name than the project's"),
                      FileError::Failed}};
    project.setSpeaker(speaker);
    return ScriptExport::exportProject(project, prefix, path);
}

} // namespace CharacterScripts
