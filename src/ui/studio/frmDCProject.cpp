// The Dialog Studio's "Project" menu: new, open, save, export and return.
#include "core/dialogs/ExportNotes.h"
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "core/dialogs/UnreadableLinks.h"
#include "core/text/FileTypes.h"
#include "ui/studio/StudioDocument.h"
#include "ui/studio/frmDC.h"
#include "ui/widgets/Navigator.h"
#include "ui/widgets/RememberedPlaces.h"
#include "ui/widgets/UnsavedChanges.h"
#include "ui/widgets/UserPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScopedValueRollback>

namespace {
QString seedCaption() {
    return QStringLiteral("Greyhollow ParleyWorks for 55i, by Halden, originally for 99l by tobble");
}

// Says which links the file saved as not linked; the project itself keeps them as they are.
QString unreadableLinksMessage(const std::vector<UnreadableLink> &links) {
    QString text = QStringLiteral("These answers are linked to a page id that is not a page number. "
                                  "The file holds them as not linked:");
    constexpr size_t shown = 10;
    for (size_t i = 0; i < links.size() && i < shown; ++i)
        text += QStringLiteral("\npage %1, answer %2: \"%3\"")
                    .arg(links[i].page)
                    .arg(links[i].slot)
                    .arg(links[i].LinkPage);
    if (links.size() > shown)
        text += QStringLiteral("\nand %1 more").arg(links.size() - shown);
    return text;
}
} // namespace

void frmDC::reportFileError(const QString &verb, FileError error) {
    error.path = QDir::toNativeSeparators(error.path);
    m_prompts.message(this, error.message(verb));
}

void frmDC::MnuProjNew_Click() {
    if (mayDiscardProject())
        Document->clear();
}

void frmDC::MnuProjOpen_Click() {
    if (!mayDiscardProject())
        return;
    const QString path = m_prompts.openFileName(
        this, FileTypes::projectFilter(), RememberedPlaces::startName(QStringLiteral("project"), cdlFile));
    if (!path.isEmpty())
        OpenProjectFile(path);
}

bool frmDC::OpenProjectFile(const QString &chosen) {
    QString path = chosen;
    // Whatever exists under the very name chosen is opened as named.
    if (!QFileInfo::exists(path))
        path = FileTypes::withProjectExtension(path);
    cdlFile = path;

    // The project, its file and the title change only once the whole file has been read.
    const Outcome<ProjectFile::Header> read = Document->open(path);
    if (read.ok())
        rememberProject(path);
    else if (read.error->kind == FileError::Damaged)
        m_prompts.message(this, ProjectFile::damagedMessage());
    else if (read.error->kind != FileError::Missing)
        reportFileError(QStringLiteral("read"), *read.error);
    return read.ok();
}

void frmDC::MnuProjSave_Click() {
    saveProject(false);
}

void frmDC::MnuProjSaveAs_Click() {
    saveProject(true);
}

bool frmDC::saveProject(bool askName) {
    StoreSelection();
    QString path = Document->fileName();
    if (askName || path.isEmpty()) {
        // The file dialog asks itself before an existing file is replaced.
        path = m_prompts.saveFileName(this, FileTypes::projectFilter(),
                                      RememberedPlaces::startName(QStringLiteral("project"), cdlFile));
        if (path.isEmpty())
            return false;
        path = FileTypes::withProjectExtension(path);
        cdlFile = path;
    }
    if (const WriteOutcome failed = Document->save(path)) {
        reportFileError(QStringLiteral("written"), *failed);
        return false;
    }
    rememberProject(path);
    if (const auto links = unreadableLinks(Project); !links.empty())
        m_prompts.message(this, unreadableLinksMessage(links));
    return true;
}

void frmDC::MnuProjExport_Click() {
    // Sections named with such a prefix would collide or not exist on the server.
    if (const char32_t c = ScriptExport::unusablePrefixCharacter(Document->prefix())) {
        m_prompts.message(this, ScriptExport::unusablePrefixMessage(c));
        return;
    }
    QString path = m_prompts.saveFileName(this, FileTypes::scriptFilter(),
                                          RememberedPlaces::startName(QStringLiteral("export"), cdlFile1));
    if (path.isEmpty())
        return;
    path = FileTypes::withScriptExtension(path);
    cdlFile1 = path;
    // What the server would refuse or misread is written only when the user insists.
    const std::vector<Finding> errors = exportErrors(Project, Document->prefix(), Document->speaker());
    if (!errors.empty() && !m_prompts.confirmRisky(this, ExportNotes::errorsQuestion(errors)))
        return;
    const Outcome<ScriptExport::Written> written =
        ScriptExport::exportProject(Project, Document->prefix(), path);
    if (!written.ok()) {
        reportFileError(QStringLiteral("written"), *written.error);
        return;
    }
    RememberedPlaces::rememberFolder(QStringLiteral("export"), path);
    // A plain export says nothing; files the user did not name are pointed out.
    if (const QString note = ExportNotes::writtenMessage(written.value); !note.isEmpty())
        m_prompts.message(this, note);
}

void frmDC::MnuProjEnd_Click() {
    if (!mayDiscardProject())
        return;
    const QScopedValueRollback leaving(m_leaving, true);
    m_navigator.openMain();
    close();
}

void frmDC::MnuProjRecent_Click(const QString &path) {
    // A file gone since is no use on the list; the project stays as it is.
    if (!QFileInfo::exists(path)) {
        if (m_prompts.confirm(this, QStringLiteral("The file %1 no longer exists. Do you want to take it off "
                                                   "the Recent list?")
                                        .arg(QDir::toNativeSeparators(path)))) {
            RememberedPlaces::removeRecentProject(path);
            fillRecentMenu();
        }
        return;
    }
    if (mayDiscardProject())
        OpenProjectFile(path);
}

void frmDC::rememberProject(const QString &path) {
    RememberedPlaces::rememberFolder(QStringLiteral("project"), path);
    RememberedPlaces::addRecentProject(path);
    fillRecentMenu();
}

void frmDC::fillRecentMenu() {
    MnuProjRecent->clear();
    const QStringList files = RememberedPlaces::recentProjects();
    for (int i = 0; i < files.size(); ++i) {
        QAction *entry = MnuProjRecent->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])));
        entry->setObjectName(QStringLiteral("MnuProjRecent_%1").arg(i));
        const QString path = files[i];
        connect(entry, &QAction::triggered, this, [this, path] { MnuProjRecent_Click(path); });
    }
    MnuProjRecent->menuAction()->setEnabled(!files.isEmpty());
}

bool frmDC::mayDiscardProject() {
    // The edits on screen belong to the project that would be lost.
    StoreSelection();
    return UnsavedChanges::mayDiscard(
        m_prompts, this, Document->isModified(),
        QStringLiteral("The project has changes that are not saved. Do you want to save them?"),
        [this] { return saveProject(false); });
}

void frmDC::updateTitle() {
    const QString fileName = Document->fileName();
    const QString name =
        fileName.isEmpty() ? QString() : QStringLiteral(" - ") + QFileInfo(fileName).fileName();
    setWindowTitle(seedCaption() + name + QStringLiteral("[*]"));
    setWindowModified(Document->isModified());
}
