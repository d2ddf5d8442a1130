#pragma once

#include "core/characters/CharacterForm.h"
#include "core/definitions/ScriptFile.h"
#include "core/dialogs/ScriptExport.h"

#include <optional>

class QuestDialogs;

// An NPC's script: its character section and, when its conversation opens by speech, the speech
// section its first TSPEECH= names, which follows it in the file.
struct CharacterScript {
    DefinitionSection character;
    std::optional<DefinitionSection> speech;

    bool operator==(const CharacterScript &) const = default;
};

namespace CharacterScripts {

// A new NPC: the kind's new section and no speech section.
CharacterScript fresh();
// The character section at `index` of the file, with the speech section of its conversation
// when the file holds one ("[SPEECH spk_<name>]").
CharacterScript read(const ScriptFile &file, qsizetype index);
CharacterForm formOf(const CharacterScript &script);
// The sections the form writes over `base` (see CharacterForms::write). The speech section
// follows the conversation: kept as read while the link and the name stay as they were, written
// over the one read when they change, none when the conversation opens by double-click only.
CharacterScript withForm(const CharacterScript &base, const CharacterForm &was, const CharacterForm &now);

// The character section and, after an empty line, the speech section, each line ending in CR
// LF: what the "Compiled" tab shows and "Copy" copies.
QString text(const CharacterScript &script);
// What the server would do otherwise than the script suggests: the character kind's rules, then
// those of the form's conversation.
QStringList warnings(const CharacterScript &script, const CharacterForm &form);

// What Save does (ScriptFile::save): the character section in place of the one `replacing` names,
// or added; its speech section in place of the speech section named `oldSpeech` (the one read
// with it), or added after it. One safe write; the value is the character's occurrence.
Outcome<qsizetype> save(const QString &path, const CharacterScript &script,
                        const std::optional<ScriptFile::Place> &replacing, const QString &oldSpeech);

// Where the conversation's dialog script goes beside the NPC's script: the project's file name
// with ".scp" (guard.QDS gives guard.scp).
QString conversationPath(const QString &projectPath, const QString &npcScript);
// Exports the project with this prefix and speaker, as the Dialog Studio does, to
// conversationPath(), with the support script beside it. Refused, writing nothing, when that is
// the NPC's own script.
Outcome<ScriptExport::Written> exportConversation(QuestDialogs &project, const QString &prefix,
                                                  const QString &speaker, const QString &projectPath,
                                                  const QString &npcScript);

} // namespace CharacterScripts
