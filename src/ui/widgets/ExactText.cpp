#include "ui/widgets/ExactText.h"

#include "core/text/LineBreaks.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace {
// A paragraph's user state: the break that came before it. A paragraph the user starts with
// Enter has the default state, a line break.
enum Break : int { LineFeed = -1, ParagraphSeparator = 1, CarriageReturn = 2, CarriageReturnLineFeed = 3 };

QString breakText(int state) {
    switch (state) {
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
        int state = LineFeed;
        if (c == QChar::ParagraphSeparator)
            state = ParagraphSeparator;
        else if (const qsizetype end = LineBreaks::at(text, i); end == 2)
            state = CarriageReturnLineFeed, ++i;
        else if (end == 0)
            continue;
        else if (c == u'\r')
            state = CarriageReturn;
        block = block.next();
        if (block.isValid())
            block.setUserState(state);
    }
}

QString ExactText::get(const QPlainTextEdit *box) {
    QString text;
    for (QTextBlock block = box->document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block != box->document()->firstBlock())
            text += breakText(block.userState());
        text += block.text();
    }
    return text;
}
