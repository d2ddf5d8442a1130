#pragma once

#include "core/dialogs/CompactText.h"

#include <QString>

class Dialog;

// One player answer on a page: its text, whether it leads to another page (and which, as
// decimal text that is never checked), and whether choosing it ends the conversation.
// An empty text marks the answer's slot as free for the next AddSelection.
class Selection {
public:
    Selection() = default;
    Selection(const Selection &) = delete;
    Selection &operator=(const Selection &) = delete;

    QString text() const { return m_text.toString(); }
    bool hasText() const { return !m_text.isEmpty(); }
    // Calls f with a view of the text or of the link page (see CompactText::visit).
    template <class F> decltype(auto) visitText(F &&f) const { return m_text.visit(f); }
    template <class F> decltype(auto) visitLinkPage(F &&f) const { return m_LinkPage.visit(f); }
    void setText(const QString &text);
    bool isLinked() const { return m_isLinked; }
    void setIsLinked(bool isLinked);
    bool EndDialog() const { return m_EndDialog; }
    void setEndDialog(bool endDialog);
    QString LinkPage() const { return m_LinkPage.toString(); }
    void setLinkPage(const QString &linkPage);

    // Sets all four fields at once.
    void Init(const QString &text, bool isLinked = false, const QString &LinkPage = QString(),
              bool EndDialog = false);

private:
    friend class Dialog;
    friend class QuestDialogs;
    void aboutToChange();

    // A large project holds hundreds of thousands of answers: the texts are kept compact.
    CompactText m_text;
    CompactText m_LinkPage;
    Dialog *m_page = nullptr; // the page holding this answer, told before every change
    bool m_isLinked = false;
    bool m_EndDialog = false;
};
