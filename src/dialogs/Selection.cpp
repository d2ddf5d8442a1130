#include "dialogs/Selection.h"

#include "dialogs/Dialog.h"

void Selection::setText(const QString &text)
{
    m_text = text;
    changed();
}

void Selection::setIsLinked(bool isLinked)
{
    m_isLinked = isLinked;
    changed();
}

void Selection::setEndDialog(bool endDialog)
{
    m_EndDialog = endDialog;
    changed();
}

void Selection::setLinkPage(const QString &linkPage)
{
    m_LinkPage = linkPage;
    changed();
}

void Selection::Init(const QString &text, bool isLinked, const QString &LinkPage, bool EndDialog)
{
    m_text = text;
    m_isLinked = isLinked;
    m_LinkPage = LinkPage;
    m_EndDialog = EndDialog;
    changed();
}

void Selection::changed()
{
    if (m_page)
        m_page->changed();
}
