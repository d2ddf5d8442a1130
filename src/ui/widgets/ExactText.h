#pragma once

#include <QString>

class QPlainTextEdit;

// A multi-line box's text exactly as the program stored it. QPlainTextEdit::toPlainText() turns
// no-break spaces into blanks and line and paragraph separators into line breaks, and setting a
// text turns a paragraph separator or a carriage return into a paragraph of the box's own.
// These two remember which break each paragraph of the box started with (in its user data),
// and give it back.
namespace ExactText {
void set(QPlainTextEdit *box, const QString &text);
QString get(const QPlainTextEdit *box);
} // namespace ExactText
