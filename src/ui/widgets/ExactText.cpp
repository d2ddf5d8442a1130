#include "ui/widgets/ExactText.h"

#include "core/text/LineBreaks.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace {
// The break that came before a paragraph. A paragraph the user starts with Enter has none
// noted: a line break.
enum Break : int { LineFeed = -1, ParagraphSeparator = 1, CarriageReturn = 2, CarriageReturnLineFeed = 3 };

// Kept as the paragraph's user data: its user state is the syntax highlighter's.
struct BreakData : QTextBlockUserData {
    explicit BreakData(Break kind) : kind(kind) {}
    Break kind;
};

QString breakText(const QTextBlock &block) {
    const auto *data = static_cast<const BreakData *>(block.userData());
    switch (data ? data->kind : LineFeed) {
    case ParagraphSeparator:
        return QString(QChar::ParagraphSeparator);
    case CarriageReturn:
        return QStringLiteral("\r");
    case CarriageReturnLineFeed:
        return QStringLiteral("\r\n");
    default:
        return QStringLiteral("\n");
    }
}
} // namespace

void ExactText::set(QPlainTextEdit *box, const QString &text) {
    box->setPlainText(text);
    // The document splits paragraphs at the same characters, in the same order.
    QTextBlock block = box->document()->firstBlock();
    for (qsizetype i = 0; i < text.size() && block.isValid(); ++i) {
        const QChar c = text.at(i);
        Break state = LineFeed;
        if (c == QChar::ParagraphSeparator)
            state = ParagraphSeparator;
        else if (const qsizetype end = LineBreaks::at(text, i); end == 2)
            state = CarriageReturnLineFeed, ++i;
        else if (end == 0)
            continue;
        else if (c == u'\r')
            state = CarriageReturn;
        block = block.next();
        if (block.isValid() && state != LineFeed)
            block.setUserData(new BreakData(state));
    }
}

QString ExactText::get(const QPlainTextEdit *box) {
    QString text;
    for (QTextBlock block = box->document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block != box->document()->firstBlock())
            text += breakText(block);
        text += block.text();
    }
    return text;
}
