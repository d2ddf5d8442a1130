#include "support/ScriptedPrompts.h"

#include <QFileInfo>

QStringList ScriptedPrompts::texts(Prompt::Kind kind) const {
    QStringList out;
    for (const Prompt &p : m_prompts)
        if (p.kind == kind)
            out << p.text;
    return out;
}

void ScriptedPrompts::clear() {
    m_prompts.clear();
    m_confirms.clear();
    m_fileNames.clear();
    m_unsaved.clear();
    m_choices.clear();
}

void ScriptedPrompts::message(QWidget *, const QString &text) {
    m_prompts.append({Prompt::Message, text, {}});
}

bool ScriptedPrompts::confirm(QWidget *, const QString &text) {
    m_prompts.append({Prompt::Confirm, text, {}});
    return m_confirms.isEmpty() ? false : m_confirms.takeFirst();
}

bool ScriptedPrompts::confirmRisky(QWidget *, const QString &text) {
    m_prompts.append({Prompt::Risky, text, {}});
    return m_confirms.isEmpty() ? false : m_confirms.takeFirst();
}

UserPrompts::UnsavedAnswer ScriptedPrompts::askUnsavedChanges(QWidget *, const QString &text) {
    m_prompts.append({Prompt::Unsaved, text, {}});
    return m_unsaved.isEmpty() ? UnsavedAnswer::Cancel : m_unsaved.takeFirst();
}

QString ScriptedPrompts::openFileName(QWidget *, const QString &filter, const QString &fileName) {
    m_prompts.append({Prompt::OpenFile, filter, fileName});
    return m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
}

QString ScriptedPrompts::saveFileName(QWidget *, const QString &filter, const QString &fileName,
                                      Overwrite overwrite) {
    m_prompts.append({Prompt::SaveFile, filter, fileName});
    const QString chosen = m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
    if (overwrite == Overwrite::Confirm && !chosen.isEmpty() && QFileInfo::exists(chosen))
        m_prompts.append({Prompt::Replace, chosen, {}});
    return chosen;
}

int ScriptedPrompts::chooseOne(QWidget *, const QString &text, const QStringList &entries) {
    m_prompts.append({Prompt::Choose, text, entries.join(u'|')});
    return m_choices.isEmpty() ? -1 : m_choices.takeFirst();
}

int ScriptedPrompts::chooseButton(QWidget *parent, const QString &text, const QStringList &buttons) {
    return chooseOne(parent, text, buttons);
}
