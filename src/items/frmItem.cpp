#include "items/frmItem.h"

frmItem::frmItem(Navigator &navigator, QWidget *parent) : QMainWindow(parent), m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmItem"));
}
