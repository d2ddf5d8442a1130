// The Dialog Studio's "Project" menu: new, open, save, export and return.
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "ui/studio/frmDC.h"
#include "ui/widgets/Navigator.h"
#include "ui/widgets/UserPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace {
QString projectFilter() {
    return qtFileFilter(QStringLiteral("Farstead QDS Studio File (*.QDS)|*.QDS"));
}
QString scriptFilter() {
    return qtFileFilter(QStringLiteral("SPHERE Script File (*.scp)|*.SCP"));
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
    if (!m_prompts.confirm(this,
                           QStringLiteral("Opening a new project will close the recent one, all unsaved "
                                          "data will be lost. Are you sure?")))
        return;
    Project.Clear();
    ShowPage(0);
    assign(txtPage, QStringLiteral("0"));

    QString path = m_prompts.openFileName(this, projectFilter(), cdlFile);
    if (path.isEmpty())
        return;
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
    case ProjectFile::ReadResult::NotFound:
        break;
    }
}

void frmDC::MnuProjSave_Click() {
    StoreSelection();
    QString path = m_prompts.saveFileName(this, projectFilter(), cdlFile);
    if (path.isEmpty())
        return;
    path = withExtension(path, QStringLiteral(".QDS"));
    cdlFile = path;
    QString reason;
    if (!ProjectFile::save(path, DialogName->text(), txtSpeaker->text(), Project, &reason))
        reportFileError(QStringLiteral("written"), path, reason);
}

void frmDC::MnuProjExport_Click() {
    // Sections named with such a prefix would collide or not exist on the server.
    if (const QChar c = ScriptExport::unusablePrefixCharacter(DialogName->text()); !c.isNull()) {
        m_prompts.message(this, ScriptExport::unusablePrefixMessage(c));
        return;
    }
    QString path = m_prompts.saveFileName(this, scriptFilter(), cdlFile1);
    if (!txtSpeaker->text().isEmpty())
        Project.setSpeaker(txtSpeaker->text());
    if (path.isEmpty())
        return;
    path = withExtension(path, QStringLiteral(".scp"));
    cdlFile1 = path;
    const Outcome<QStringList> written = ScriptExport::exportProject(Project, DialogName->text(), path);
    if (!written.ok()) {
        reportFileError(QStringLiteral("written"), written.error->path, written.error->reason);
        return;
    }
    // A plain export says nothing; files the user did not name are pointed out.
    if (written.value.size() > 1) {
        QStringList others;
        for (qsizetype i = 1; i < written.value.size(); ++i)
            others.append(QDir::toNativeSeparators(written.value[i]));
        m_prompts.message(this, QStringLiteral("The export also wrote:\n%1").arg(others.join(u'\n')));
    }
}

void frmDC::MnuProjEnd_Click() {
    m_navigator.openMain();
    close();
}
