// The Dialog Studio's "Project" menu: new, open, save, export and return.
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "ui/studio/frmDC.h"
#include "ui/widgets/Navigator.h"
#include "ui/widgets/RememberedPlaces.h"
#include "ui/widgets/UserPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>

namespace {
QString projectFilter() {
    return qtFileFilter(QStringLiteral("Farstead QDS Studio File (*.QDS)|*.QDS"));
}
QString scriptFilter() {
    return qtFileFilter(QStringLiteral("SPHERE Script File (*.scp)|*.SCP"));
}

QString openQuestion() {
    return QStringLiteral("Opening a new project will close the recent one, all unsaved data will be lost. "
                          "Are you sure?");
}

// A name chosen without an extension gets the one its dialog lists.
QString withExtension(const QString &name, const QString &extension) {
    return QFileInfo(name).suffix().isEmpty() ? name + extension : name;
}
} // namespace

void frmDC::reportFileError(const QString &what, const QString &path, const QString &reason) {
    m_prompts.message(
        this,
        QStringLiteral("The file %1 could not be %2: %3").arg(QDir::toNativeSeparators(path), what, reason));
}

void frmDC::MnuProjNew_Click() {
    if (!m_prompts.confirm(this, QStringLiteral("Are You Sure To Clear The Current Project?")))
        return;
    Project.Clear();
    ShowPage(0);
    assign(txtPage, QStringLiteral("0"));
}

void frmDC::MnuProjOpen_Click() {
    if (!m_prompts.confirm(this, openQuestion()))
        return;
    Project.Clear();
    ShowPage(0);
    assign(txtPage, QStringLiteral("0"));

    const QString path = m_prompts.openFileName(
        this, projectFilter(), RememberedPlaces::startName(QStringLiteral("project"), cdlFile));
    if (path.isEmpty())
        return;
    OpenProjectFile(path);
}

void frmDC::OpenProjectFile(const QString &chosen) {
    Project.Clear();
    ShowPage(0);
    assign(txtPage, QStringLiteral("0"));

    QString path = chosen;
    // Whatever exists under the very name chosen is opened as named.
    if (!QFileInfo::exists(path))
        path = withExtension(path, QStringLiteral(".QDS"));
    cdlFile = path;

    const ProjectFile::ReadResult result = ProjectFile::read(path, Project);
    if (result.status == ProjectFile::ReadResult::NotFound)
        return;
    if (result.hasPrefix)
        assign(DialogName, result.prefix);
    if (result.hasSpeaker)
        assign(txtSpeaker, result.speaker);
    ShowPage(0);
    assign(txtPage, QStringLiteral("0"));

    switch (result.status) {
    case ProjectFile::ReadResult::Damaged:
        m_prompts.message(this, ProjectFile::damagedMessage());
        break;
    case ProjectFile::ReadResult::CannotRead:
    case ProjectFile::ReadResult::TooManyPages:
        reportFileError(QStringLiteral("read"), path, result.reason);
        break;
    case ProjectFile::ReadResult::Ok:
        rememberProject(path);
        break;
    case ProjectFile::ReadResult::NotFound:
        break;
    }
}

void frmDC::MnuProjSave_Click() {
    StoreSelection();
    QString path = m_prompts.saveFileName(this, projectFilter(),
                                          RememberedPlaces::startName(QStringLiteral("project"), cdlFile));
    if (path.isEmpty())
        return;
    path = withExtension(path, QStringLiteral(".QDS"));
    cdlFile = path;
    if (const WriteOutcome failed = ProjectFile::save(path, DialogName->text(), txtSpeaker->text(), Project))
        reportFileError(QStringLiteral("written"), path, failed->reason);
    else
        rememberProject(path);
}

void frmDC::MnuProjExport_Click() {
    QString path = m_prompts.saveFileName(this, scriptFilter(),
                                          RememberedPlaces::startName(QStringLiteral("export"), cdlFile1));
    if (!txtSpeaker->text().isEmpty())
        Project.setSpeaker(txtSpeaker->text());
    if (path.isEmpty())
        return;
    path = withExtension(path, QStringLiteral(".scp"));
    cdlFile1 = path;
    QString reason;
    if (!Project.DumpToFile(path, DialogName->text(), &reason))
        reportFileError(QStringLiteral("written"), path, reason);
    else
        RememberedPlaces::rememberFolder(QStringLiteral("export"), path);
}

void frmDC::MnuProjEnd_Click() {
    m_navigator.openMain();
    close();
}

void frmDC::MnuProjRecent_Click(const QString &path) {
    // The same question as "Open...", since the project in the window is replaced all the same.
    if (!m_prompts.confirm(this, openQuestion()))
        return;
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
