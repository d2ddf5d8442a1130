#include "ui/widgets/RichTextBox.h"

#include "core/text/LineBreaks.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>

RichTextBox::RichTextBox(QWidget *parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::NoWrap);
}

QString RichTextBox::toDocumentLines(const QString &text) {
    return LineBreaks::withLineEnds(text, u"\n");
}

QString RichTextBox::toCrLf(const QString &documentText) {
    QString out = documentText;
    // toPlainText() gives paragraph ends as LF; QTextCursor selections give U+2029.
    out.replace(QChar::ParagraphSeparator, u'\n');
    out.replace(QChar::LineSeparator, u'\n');
    return LineBreaks::withLineEnds(out, u"\r\n");
}

QString RichTextBox::text() const {
    return toCrLf(toPlainText());
}

void RichTextBox::setText(const QString &text) {
    const QFont keep = font();
    setPlainText(toDocumentLines(text));
    document()->setDefaultFont(keep);
}

void RichTextBox::insertAtCaret(const QString &text) {
    QTextCursor cursor = textCursor();
    cursor.insertText(toDocumentLines(text));
    setTextCursor(cursor);
}

void RichTextBox::setBoxFont(const QString &family, qreal pointSize) {
    QFont f = font();
    if (!family.isEmpty())
        f.setFamily(family);
    if (pointSize > 0)
        f.setPointSizeF(pointSize);
    setFont(f);
    document()->setDefaultFont(f);
    // Text already in the box takes the font too.
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setFont(f);
    all.mergeCharFormat(format);
}

QMimeData *RichTextBox::createMimeDataFromSelection() const {
    auto *data = new QMimeData;
    data->setText(toCrLf(textCursor().selection().toPlainText()));
    return data;
}

void RichTextBox::insertFromMimeData(const QMimeData *source) {
    if (source && source->hasText())
        insertAtCaret(source->text());
}
