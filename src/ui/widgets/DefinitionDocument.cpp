#include "ui/widgets/DefinitionDocument.h"

#include "core/text/FileTypes.h"
#include "ui/widgets/Navigator.h"
#include "ui/widgets/RememberedPlaces.h"
#include "ui/widgets/UnsavedChanges.h"
#include "ui/widgets/UserPrompts.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>

DefinitionDocument::DefinitionDocument(QMainWindow &window, UserPrompts &prompts, Navigator &navigator,
                                       Kind kind, Form form)
    : m_window(window), m_prompts(prompts), m_navigator(navigator), m_kind(std::move(kind)),
      m_form(std::move(form)) {
    setFile(QString(), {});
}

void DefinitionDocument::setChanged(bool changed) {
    m_changed = changed;
    m_window.setWindowModified(changed);
}

void DefinitionDocument::setFile(const QString &file, const ScriptFile::Place &place) {
    m_file = file;
    m_place = place;
    m_window.setWindowTitle(
        m_file.isEmpty() ? m_kind.caption + QStringLiteral("[*]")
                         : QStringLiteral("%1[*] - %2").arg(QFileInfo(m_file).fileName(), m_kind.caption));
}

bool DefinitionDocument::mayDiscard() {
    const bool mayGo = UnsavedChanges::mayDiscard(
        m_prompts, &m_window, m_changed, QStringLiteral("The %1 has changed. Save it?").arg(m_kind.noun),
        [this] { return save(); });
    // Asked once: the close that follows does not ask again.
    if (mayGo)
        setChanged(false);
    return mayGo;
}

void DefinitionDocument::returnToMain() {
    if (!mayDiscard())
        return;
    m_navigator.openMain();
    m_window.close();
}

void DefinitionDocument::startNew() {
    if (!mayDiscard())
        return;
    m_form.showNew();
    setFile(QString(), {});
    setChanged(false);
}

void DefinitionDocument::open() {
    if (!mayDiscard())
        return;
    const QString path = m_prompts.openFileName(&m_window, FileTypes::scriptFilter(),
                                                RememberedPlaces::startName(m_kind.dialog, cdlScript));
    if (path.isEmpty())
        return;
    cdlScript = path;
    const Outcome<ScriptFile> file = ScriptFile::read(path);
    if (!file.ok()) {
        FileError error = *file.error;
        error.path = QDir::toNativeSeparators(error.path);
        m_prompts.message(&m_window, error.message(QStringLiteral("read")));
        return;
    }
    QList<qsizetype> found;
    QStringList names;
    for (qsizetype i = 0; i < file.value.sections().size(); ++i)
        if (file.value.sections()[i].type.compare(m_kind.sectionType, Qt::CaseInsensitive) == 0) {
            found << i;
            names << file.value.sections()[i].name;
        }
    if (found.isEmpty()) {
        m_prompts.message(&m_window, QStringLiteral("The file %1 holds no [%2] section.")
                                         .arg(QDir::toNativeSeparators(path), m_kind.sectionType));
        return;
    }
    int index = 0;
    if (found.size() > 1) {
        index = m_prompts.chooseOne(&m_window, QStringLiteral("Which %1?").arg(m_kind.noun), names);
        if (index < 0)
            return;
    }
    RememberedPlaces::rememberFolder(m_kind.dialog, path);
    m_form.showRead(file.value, found[index]);
    setFile(path, {names[index], file.value.occurrence(found[index])});
    setChanged(false);
}

bool DefinitionDocument::save() {
    if (m_file.isEmpty())
        return saveAs();
    return writeInto(m_file, m_place);
}

bool DefinitionDocument::saveAs() {
    // The definition never takes the place of a file: it goes into it, and a section of its name
    // is asked about below. The file dialog's own question would come first, and mean less.
    const QString chosen = m_prompts.saveFileName(&m_window, FileTypes::scriptFilter(),
                                                  RememberedPlaces::startName(m_kind.dialog, cdlScript),
                                                  UserPrompts::Overwrite::DontConfirm);
    if (chosen.isEmpty())
        return false;
    const QString path = FileTypes::withScriptExtension(chosen);
    cdlScript = path;
    RememberedPlaces::rememberFolder(m_kind.dialog, path);
    // A file of other sections keeps them: the definition replaces its namesake or joins them.
    const Outcome<ScriptFile> file = ScriptFile::read(path);
    const DefinitionSection section = m_form.compiled();
    std::optional<ScriptFile::Place> replacing;
    if (file.ok() && file.value.find(section.type(), section.name()) >= 0) {
        const int answer = m_prompts.chooseButton(
            &m_window,
            QStringLiteral("The file %1 already holds [%2 %3]. Replace that section, or add the %4 at the "
                           "end of the file?")
                .arg(QDir::toNativeSeparators(path), section.type(), section.name(), m_kind.noun),
            {QStringLiteral("Replace"), QStringLiteral("Add at the End")});
        if (answer < 0)
            return false;
        if (answer == 0)
            replacing = ScriptFile::Place{section.name()};
    }
    return writeInto(path, replacing);
}

bool DefinitionDocument::writeInto(const QString &path, const std::optional<ScriptFile::Place> &replacing) {
    const QString name = m_form.compiled().name();
    const Outcome<qsizetype> saved = m_form.write(path, replacing);
    if (!saved.ok()) {
        FileError failed = *saved.error;
        failed.path = QDir::toNativeSeparators(path);
        m_prompts.message(&m_window, failed.message(QStringLiteral("written")));
        return false;
    }
    setFile(path, {name, saved.value});
    setChanged(false);
    return true;
}

void DefinitionDocument::copy(const QString &text) {
    QApplication::clipboard()->setText(text);
    setChanged(false);
}
