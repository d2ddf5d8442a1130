#include "core/dialogs/Selection.h"

#include "core/dialogs/Dialog.h"

// Each setter tells the page only of a real change: storing what is already there (as Apply
// does for every field of the shown answer) changes nothing.

void Selection::setText(const QString &text) {
    if (m_text == text)
        return;
    aboutToChange();
    m_text.assign(text);
}

void Selection::setIsLinked(bool isLinked) {
    if (m_isLinked == isLinked)
        return;
    aboutToChange();
    m_isLinked = isLinked;
}

void Selection::setEndDialog(bool endDialog) {
    if (m_EndDialog == endDialog)
        return;
    aboutToChange();
    m_EndDialog = endDialog;
}

void Selection::setLinkPage(const QString &linkPage) {
    if (m_LinkPage == linkPage)
        return;
    aboutToChange();
    m_LinkPage.assign(linkPage);
}

void Selection::Init(const QString &text, bool isLinked, const QString &LinkPage, bool EndDialog) {
    if (m_text == text && m_isLinked == isLinked && m_LinkPage == LinkPage && m_EndDialog == EndDialog)
        return;
    aboutToChange();
    m_text.assign(text);
    m_isLinked = isLinked;
    m_LinkPage.assign(LinkPage);
    m_EndDialog = EndDialog;
}

void Selection::aboutToChange() {
    if (m_page)
        m_page->aboutToChange();
}
