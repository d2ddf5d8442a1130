#pragma once

#include "core/dialogs/QuestDialogs.h"
#include "ui/characters/frmChar.h"
#include "ui/items/frmItem.h"
#include "ui/shell/frmMain.h"
#include "ui/studio/frmDC.h"
#include "ui/widgets/Navigator.h"
#include "ui/widgets/QtUserPrompts.h"

#include <QPointer>

class UserPrompts;

// Opens and closes the program's windows. It also owns the Dialog Studio's project, which each
// new studio window starts afresh.
class AppNavigator : public Navigator {
public:
    // `prompts` answers the windows' questions; by default real message boxes and dialogs.
    explicit AppNavigator(UserPrompts *prompts = nullptr);
    ~AppNavigator() override;

    void openMain() override;
    void openDialogStudio() override;
    void openItemCreator() override;
    void openCharCreator() override;
    void unloadItemCreator() override;

    // Starts the program on a project file: the Dialog Studio with that file, as its "Open..."
    // would show it. A file that cannot be read is reported as "Open..." reports it, and the
    // main window is shown instead. Into a studio already open, the file goes as "Open..."
    // takes it, after the same question about unsaved changes.
    void openProjectFile(const QString &path);

    QuestDialogs &studioProject() { return m_project; }
    frmDC *dialogStudio() const { return m_studio; }
    frmItem *itemCreator() const { return m_item; }
    frmChar *charCreator() const { return m_char; }

private:
    QtUserPrompts m_qtPrompts;
    UserPrompts &m_prompts;
    QuestDialogs m_project;
    QPointer<frmDC> m_studio;
    QPointer<frmItem> m_item;
    QPointer<frmChar> m_char;
    QPointer<frmMain> m_main;
};
