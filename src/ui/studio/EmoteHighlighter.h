#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours the emotes of a speech red, as the exported dialog shows them: from "*[" to "*/]",
// both included, or to the end of the speech when nothing closes one. A paragraph's state says
// whether it ends inside an emote.
class EmoteHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit EmoteHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_emote;
};
