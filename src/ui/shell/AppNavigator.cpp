#include "ui/shell/AppNavigator.h"

#include "ui/items/frmItem.h"
#include "ui/shell/frmMain.h"
#include "ui/studio/frmDC.h"

AppNavigator::AppNavigator(UserPrompts *prompts) : m_prompts(prompts ? *prompts : m_qtPrompts) {}

AppNavigator::~AppNavigator() {
    // Windows still open refer to the project and the prompts held here.
    delete m_studio.data();
    delete m_item.data();
}

void AppNavigator::openMain() {
    auto *window = new frmMain(*this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void AppNavigator::openDialogStudio() {
    if (!m_studio) {
        m_studio = new frmDC(m_project, m_prompts, *this);
        m_studio->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_studio->show();
}

void AppNavigator::openItemCreator() {
    if (!m_item) {
        m_item = new frmItem(*this);
        m_item->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_item->show();
}

void AppNavigator::unloadItemCreator() {
    if (m_item)
        m_item->close();
}
