#include "ui/shell/AppNavigator.h"

#include "ui/items/frmItem.h"
#include "ui/shell/frmMain.h"
#include "ui/studio/frmDC.h"
#include "ui/widgets/RememberedPlaces.h"

#include "core/text/FileError.h"
#include "core/text/FileTypes.h"
#include "core/text/TextFile.h"

#include <QDir>
#include <QEvent>
#include <QFile>

namespace {
// Keeps a window's place on the screen when it is hidden or closed, and gives it back when the
// window is made.
class PlaceKeeper : public QObject {
public:
    explicit PlaceKeeper(QWidget *window) : QObject(window) {
        RememberedPlaces::restoreWindow(window);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Close)
            RememberedPlaces::rememberWindow(static_cast<QWidget *>(watched));
        return false;
    }
};
} // namespace

AppNavigator::AppNavigator(UserPrompts *prompts) : m_prompts(prompts ? *prompts : m_qtPrompts) {}

AppNavigator::~AppNavigator() {
    // Windows still open refer to the project and the prompts held here.
    delete m_studio.data();
    delete m_item.data();
    delete m_char.data();
}

void AppNavigator::openMain() {
    auto *window = new frmMain(*this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    new PlaceKeeper(window);
    m_main = window;
    window->show();
}

void AppNavigator::openDialogStudio() {
    if (!m_studio) {
        m_studio = new frmDC(m_project, m_prompts, *this);
        m_studio->setAttribute(Qt::WA_DeleteOnClose);
        new PlaceKeeper(m_studio);
    }
    m_studio->show();
}

void AppNavigator::openItemCreator() {
    if (!m_item) {
        m_item = new frmItem(*this, m_prompts);
        m_item->setAttribute(Qt::WA_DeleteOnClose);
        new PlaceKeeper(m_item);
    }
    m_item->show();
}

void AppNavigator::openCharCreator() {
    if (!m_char) {
        m_char = new frmChar(*this, m_prompts);
        m_char->setAttribute(Qt::WA_DeleteOnClose);
        new PlaceKeeper(m_char);
    }
    m_char->show();
}

void AppNavigator::unloadItemCreator() {
    if (m_item)
        m_item->close();
}

void AppNavigator::openProjectFile(const QString &path) {
    // The studio's own rule: a name that does not exist is tried with the extension added.
    const QString named = FileTypes::projectNamed(path);
    QFile file;
    if (WriteOutcome failed = TextFile::openForReading(file, named)) {
        // An open studio keeps its project and says why; otherwise the main window does.
        if (!m_studio)
            openMain();
        failed->path = QDir::toNativeSeparators(named);
        QWidget *window = m_studio ? static_cast<QWidget *>(m_studio.data()) : m_main.data();
        m_prompts.message(window, failed->message(QStringLiteral("read")));
        return;
    }
    file.close();
    const bool studioWasOpen = m_studio;
    openDialogStudio();
    m_studio->raise();
    if (!studioWasOpen || m_studio->mayDiscardProject())
        m_studio->OpenProjectFile(named);
}
