#include "studio/frmDC.h"

frmDC::frmDC(QuestDialogs &project, UserPrompts &prompts, Navigator &navigator, QWidget *parent)
    : QMainWindow(parent), Project(project), m_prompts(prompts), m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmDC"));
}
