#pragma once

#include <QTextEdit>

// A multi-line text box whose text is a sequence of lines. Text handed to it may use CR LF,
// CR or LF line ends; each ends one line. text() gives the lines back joined by CR LF, and
// copying or dragging a selection out of the box carries CR LF line ends too, so what the
// user pastes into a script file is exactly the box's text.
class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // The box's whole text, lines joined by CR LF.
    QString text() const;
    // Replaces the whole text.
    void setText(const QString &text);
    // Inserts at the caret, replacing the selection; the caret ends after the inserted text.
    void insertAtCaret(const QString &text);
    // The font name and size of the whole box, kept when the text is replaced.
    void setBoxFont(const QString &family, qreal pointSize);

    // CR LF and lone CR become LF, the line end QTextDocument understands.
    static QString toDocumentLines(const QString &text);
    static QString toCrLf(const QString &documentText);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
};
