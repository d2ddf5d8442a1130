#include "ui/studio/StudioDocument.h"

#include "core/dialogs/QuestDialogs.h"
#include "ui/studio/StudioCommands.h"

#include <QUndoStack>

StudioDocument::StudioDocument(QuestDialogs &project, QObject *parent)
    : QObject(parent), m_project(project), m_history(new QUndoStack(this)) {
    connect(m_history, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
}

const QString &StudioDocument::speaker() const {
    return m_project.Speaker();
}

bool StudioDocument::isModified() const {
    return !m_history->isClean();
}

void StudioDocument::setPrefix(const QString &prefix) {
    if (prefix != m_prefix)
        push(new NameCommand(*this, NameCommand::Prefix, m_prefix, prefix));
}

void StudioDocument::setSpeaker(const QString &speaker) {
    if (speaker != m_project.Speaker())
        push(new NameCommand(*this, NameCommand::Speaker, m_project.Speaker(), speaker));
}

void StudioDocument::push(QUndoCommand *command) {
    m_history->push(command);
}

void StudioDocument::storePrefix(const QString &prefix) {
    m_prefix = prefix;
    emit prefixChanged(prefix);
}

void StudioDocument::storeSpeaker(const QString &speaker) {
    m_project.setSpeaker(speaker);
    emit speakerChanged(speaker);
}

void StudioDocument::start() {
    m_project.Init();
    m_project.setSpeaker(QString());
    m_prefix = defaultPrefix();
    startOver(QString());
}

void StudioDocument::clear() {
    m_project.Clear();
    startOver(QString());
}

Outcome<ProjectFile::Header> StudioDocument::open(const QString &path) {
    // Read beside the project shown, which stays whole until the file has been read in full.
    QuestDialogs read;
    read.Clear();
    Outcome<ProjectFile::Header> outcome = ProjectFile::read(path, read);
    if (!outcome.ok())
        return outcome;
    read.setSpeaker(outcome.value.speaker.value_or(QString()));
    m_project.swap(read);
    m_prefix = outcome.value.prefix.value_or(QString());
    startOver(path);
    return outcome;
}

WriteOutcome StudioDocument::save(const QString &path) {
    if (WriteOutcome failed = ProjectFile::save(path, m_prefix, m_project.Speaker(), m_project))
        return failed;
    m_history->setClean();
    if (path != m_fileName) {
        m_fileName = path;
        emit fileNameChanged(path);
    }
    return std::nullopt;
}

void StudioDocument::startOver(const QString &fileName) {
    m_history->clear();
    m_fileName = fileName;
    emit projectReplaced();
    emit prefixChanged(m_prefix);
    emit speakerChanged(m_project.Speaker());
    emit fileNameChanged(fileName);
}
