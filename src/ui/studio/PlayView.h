#pragma once

#include <QGraphicsView>

class QGraphicsTextItem;
class SupportValues;
struct Gump;
struct ReceivedText;

// A dialog drawn as the game client draws it: its backgrounds, each text box at its place and
// size with the client's basic HTML (<basefont color=...>, <br>, <b>, <i>, <u>), each button.
// Whatever the player would not see is drawn as such: a text cut at the client's 2,047
// characters ends in a red "cut" mark, characters the client cannot show are red squares, text
// that does not fit a box without a scroll bar is clipped at its edge with a red mark, and a
// text line no box shows is drawn below the dialog. The scene holds one QGraphicsTextItem per
// text line and one item per button; a press on a button comes back as buttonPressed.
class PlayView : public QGraphicsView {
    Q_OBJECT
public:
    // Item data slots: a button's number; on a text line's item, the line's number, the line as
    // the client receives it, and true when its box cuts it off.
    static constexpr int ButtonKey = 0;
    static constexpr int LineKey = 1;
    static constexpr int ReceivedKey = 2;
    static constexpr int ClippedKey = 3;

    explicit PlayView(QWidget *parent = nullptr);

    // Draws the dialog, its text lines read with these variable values.
    void showGump(const Gump &gump, const SupportValues &values);
    // Draws the closed dialog: the conversation ended, and how.
    void showEnd(const QString &how);

    // Room for the exported dialog (380 by 330) and its margin.
    QSize sizeHint() const override { return {400, 360}; }

    // The text items, by line number.
    QList<QGraphicsTextItem *> textItems() const;

    // The client's HTML of a received line as Qt's rich text, with the marks described above.
    static QString richText(const ReceivedText &line);

signals:
    void buttonPressed(int number);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QGraphicsItem *buttonAt(QPoint point) const;
    void fit();

    QGraphicsItem *m_pressed = nullptr;
};
