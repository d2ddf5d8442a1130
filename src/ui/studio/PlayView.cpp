#include "ui/studio/PlayView.h"

#include "core/dialogs/ClientText.h"
#include "core/dialogs/Gump.h"

#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QWheelEvent>
#include <algorithm>
#include <set>

namespace {
constexpr qreal scrollBarWidth = 16;
const QColor markColour(200, 0, 0);
const QColor stone(70, 72, 80);
const QColor parchment(230, 226, 214);

QFont clientFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(12);
    return font;
}

// A piece of red text over white: what the client would not show, or shows otherwise.
QString mark(const QString &text) {
    return QStringLiteral("<span style=\"background-color:#c80000; color:#ffffff\">%1</span>").arg(text);
}

// A background of gump art: stone with a bevelled edge.
class Backdrop : public QGraphicsRectItem {
public:
    explicit Backdrop(const QRectF &rect) : QGraphicsRectItem(rect) {}
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override {
        const QRectF r = rect();
        painter->fillRect(r, stone);
        painter->setPen(QPen(stone.lighter(160), 2));
        painter->drawLine(r.topLeft(), r.topRight());
        painter->drawLine(r.topLeft(), r.bottomLeft());
        painter->setPen(QPen(stone.darker(180), 2));
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->drawLine(r.topRight(), r.bottomRight());
    }
};

// A button with its two pieces of art: an arrow, darker while pressed.
class GumpButton : public QGraphicsItem {
public:
    enum { Type = UserType + 21 };
    int type() const override { return Type; }

    explicit GumpButton(int number) {
        setData(PlayView::ButtonKey, number);
        setCursor(Qt::PointingHandCursor);
        setToolTip(QStringLiteral("Button %1").arg(number));
    }
    void setDown(bool down) {
        m_down = down;
        update();
    }
    QRectF boundingRect() const override { return QRectF(0, 0, 30, 22); }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override {
        const QColor face = m_down ? QColor(120, 96, 50) : QColor(178, 146, 80);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(face.darker(170), 1));
        painter->setBrush(face);
        painter->drawRoundedRect(boundingRect().adjusted(1, 1, -1, -1), 5, 5);
        painter->setBrush(m_down ? QColor(230, 220, 190) : QColor(255, 248, 225));
        painter->drawPolygon(QPolygonF({QPointF(10, 6), QPointF(21, 11), QPointF(10, 16)}));
    }

private:
    bool m_down = false;
};

// A text box: its text clipped to the box; with a scroll bar, the wheel moves the text.
class TextBox : public QGraphicsRectItem {
public:
    enum { Type = UserType + 22 };
    int type() const override { return Type; }

    TextBox(const QRectF &rect, bool background) : QGraphicsRectItem(rect) {
        setFlag(ItemClipsChildrenToShape);
        setPen(background ? QPen(parchment.darker(130)) : Qt::NoPen);
        setBrush(background ? QBrush(parchment) : Qt::NoBrush);
    }
    void scrollBy(qreal dy) {
        if (!m_text || !m_thumb)
            return;
        const qreal room = rect().height() - m_text->boundingRect().height();
        m_text->setY(std::clamp(m_text->y() + dy, rect().top() + room, rect().top()));
        placeThumb();
    }
    void addScrollBar(QGraphicsTextItem *text) {
        m_text = text;
        const QRectF r = rect();
        auto *track =
            new QGraphicsRectItem(r.right() - scrollBarWidth, r.top(), scrollBarWidth, r.height(), this);
        track->setBrush(QColor(150, 140, 120));
        track->setPen(Qt::NoPen);
        m_thumb = new QGraphicsRectItem(this);
        m_thumb->setBrush(QColor(90, 80, 60));
        m_thumb->setPen(Qt::NoPen);
        placeThumb();
    }

private:
    void placeThumb() {
        const QRectF r = rect();
        const qreal total = std::max(m_text->boundingRect().height(), r.height());
        const qreal length = r.height() * r.height() / total;
        const qreal at = (r.top() - m_text->y()) / total * r.height();
        m_thumb->setRect(r.right() - scrollBarWidth + 3, r.top() + at, scrollBarWidth - 6, length);
    }

    QGraphicsTextItem *m_text = nullptr;
    QGraphicsRectItem *m_thumb = nullptr;
};

QGraphicsTextItem *textItem(const ReceivedText &line, int number, qreal width) {
    auto *item = new QGraphicsTextItem;
    item->document()->setDocumentMargin(0);
    item->setFont(clientFont());
    item->setDefaultTextColor(Qt::black);
    item->setTextWidth(width);
    item->setHtml(PlayView::richText(line));
    item->setData(PlayView::LineKey, number);
    item->setData(PlayView::ReceivedKey, line.text);
    QStringList tip;
    if (line.cut == ReceivedText::AtLimit)
        tip << QStringLiteral("The client shows only the first %1 characters of this line.")
                   .arg(ReceivedText::Limit);
    if (line.cut == ReceivedText::Unreadable)
        tip << QStringLiteral("The server stops reading this line at bytes it cannot read as UTF-8: a script "
                              "in another code page, or a last letter whose last byte it takes for a blank "
                              "(such as \"à\").");
    if (!line.dropped.empty())
        tip << QStringLiteral("The client cannot show %1 character(s) of this line (outside the 16-bit "
                              "range), marked by red squares.")
                   .arg(line.dropped.size());
    item->setToolTip(tip.join(u'\n'));
    return item;
}

// How high a line's text stands in a box `width` wide: line breaks and colour changes at its end
// show nothing, so they take no room the player would miss.
qreal shownHeight(ReceivedText line, qreal width) {
    static const QRegularExpression trailing(QStringLiteral("(\\s*<\\s*(br|basefont)[^<>]*>)+\\s*$"),
                                             QRegularExpression::CaseInsensitiveOption);
    line.text.remove(trailing);
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setDefaultFont(clientFont());
    document.setTextWidth(width);
    document.setHtml(PlayView::richText(line));
    return document.size().height();
}

QGraphicsSimpleTextItem *note(QGraphicsScene *scene, const QString &text, QPointF at, const QColor &colour) {
    auto *item = scene->addSimpleText(text, clientFont());
    item->setBrush(colour);
    item->setPos(at);
    return item;
}
} // namespace

PlayView::PlayView(QWidget *parent) : QGraphicsView(parent) {
    setScene(new QGraphicsScene(this));
    setRenderHint(QPainter::Antialiasing);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundBrush(QColor(32, 34, 30));
}

QString PlayView::richText(const ReceivedText &line) {
    static const QSet<QString> passed = {
        QStringLiteral("b"), QStringLiteral("/b"), QStringLiteral("i"),      QStringLiteral("/i"),
        QStringLiteral("u"), QStringLiteral("/u"), QStringLiteral("center"), QStringLiteral("/center")};
    static const QRegularExpression colour(QStringLiteral("color\\s*=\\s*\"?([#0-9A-Za-z]+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const std::set<qsizetype> dropped(line.dropped.begin(), line.dropped.end());
    const QString &text = line.text;
    QString html;
    bool coloured = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A tag starts with a letter or "/" after its "<"; any other "<" is text.
        const bool opens =
            text[i] == u'<' && i + 1 < text.size() && (text[i + 1].isLetter() || text[i + 1] == u'/');
        qsizetype end = opens ? text.indexOf(u'>', i) : -1;
        if (const qsizetype next = text.indexOf(u'<', i + 1); next >= 0 && next < end)
            end = -1;
        if (end < 0) {
            html += dropped.count(i) ? mark(QStringLiteral("□")) : QString(text[i]).toHtmlEscaped();
            continue;
        }
        const QString tag = text.mid(i + 1, end - i - 1).trimmed();
        const QString name = tag.section(u' ', 0, 0).toLower();
        if (name == u"br" || name == u"br/") {
            html += QStringLiteral("<br/>");
        } else if (name == u"basefont") {
            // A new base colour holds until the next one.
            const QRegularExpressionMatch found = colour.match(tag);
            if (coloured)
                html += QStringLiteral("</span>");
            coloured = found.hasMatch();
            if (coloured)
                html += QStringLiteral("<span style=\"color:%1\">").arg(found.captured(1));
        } else if (passed.contains(name)) {
            html += u'<' + name + u'>';
        } else if (!name.isEmpty() && name[0].isLetterOrNumber()) {
            // Something the server would have filled in, such as <SRC.TARG.NAME>.
            html += QStringLiteral("<i>%1</i>").arg(text.mid(i, end - i + 1).toHtmlEscaped());
        } // any other tag the client passes over
        i = end;
    }
    if (coloured)
        html += QStringLiteral("</span>");
    if (line.cut == ReceivedText::AtLimit)
        html += mark(QStringLiteral(" ✂ cut at %1 characters ").arg(ReceivedText::Limit));
    else if (line.cut == ReceivedText::Unreadable)
        html += mark(QStringLiteral(" ✂ the server stops reading here "));
    return html;
}

void PlayView::showGump(const Gump &gump, const SupportValues &values) {
    QGraphicsScene *drawn = scene();
    drawn->clear();
    m_pressed = nullptr;
    QRectF frame;
    for (const Gump::Background &back : gump.backgrounds) {
        auto *item = new Backdrop(QRectF(back.x, back.y, back.width, back.height));
        drawn->addItem(item);
        frame |= item->rect();
    }
    std::vector<bool> shown(std::size_t(gump.texts.size()), false);
    for (const Gump::TextBox &box : gump.boxes) {
        const QRectF rect(box.x, box.y, box.width, box.height);
        auto *clip = new TextBox(rect, box.background);
        drawn->addItem(clip);
        frame |= rect;
        if (box.line < 0 || box.line >= gump.texts.size())
            continue;
        shown[std::size_t(box.line)] = true;
        const ReceivedText line = ReceivedText::of(gump.texts[box.line], values);
        QGraphicsTextItem *text = textItem(line, box.line, box.width - (box.scrollbar ? scrollBarWidth : 0));
        text->setParentItem(clip);
        text->setPos(rect.topLeft());
        if (shownHeight(line, text->textWidth()) <= rect.height() + 0.5)
            continue;
        if (box.scrollbar) {
            clip->addScrollBar(text);
            continue;
        }
        // The client cuts what does not fit: a red edge and a mark say so.
        auto *edge =
            drawn->addLine(QLineF(rect.bottomLeft(), rect.bottomRight()), QPen(markColour, 2, Qt::DashLine));
        edge->setZValue(2);
        auto *tag = drawn->addSimpleText(QStringLiteral("▼ cut"), clientFont());
        tag->setBrush(Qt::white);
        const QRectF tagRect = tag->boundingRect().adjusted(-3, 0, 3, 0);
        auto *back = drawn->addRect(tagRect, Qt::NoPen, markColour);
        back->setPos(rect.right() - tagRect.width(), rect.bottom() - tagRect.height() / 2);
        back->setZValue(3);
        tag->setParentItem(back);
        const QString why =
            QStringLiteral("The player sees only what fits the box (%1 by %2 pixels, no scroll bar).")
                .arg(box.width)
                .arg(box.height);
        back->setToolTip(why);
        text->setData(ClippedKey, true);
        text->setToolTip(
            (text->toolTip() + u'\n' + why + QStringLiteral("\n\n") + text->toPlainText()).trimmed());
    }
    for (const Gump::Button &button : gump.buttons) {
        auto *item = new GumpButton(button.number);
        drawn->addItem(item);
        item->setPos(button.x, button.y);
        frame |= item->sceneBoundingRect();
    }
    // Lines the client receives but no box shows (an answer past the fourth) go below.
    qreal y = frame.bottom() + 14;
    for (qsizetype n = 0; n < gump.texts.size(); ++n) {
        if (shown[std::size_t(n)])
            continue;
        note(drawn, QStringLiteral("Text line %1, which no box shows:").arg(n), QPointF(frame.left(), y),
             QColor(200, 200, 200));
        QGraphicsTextItem *text = textItem(ReceivedText::of(gump.texts[n], values), int(n), frame.width());
        drawn->addItem(text);
        text->setPos(frame.left(), y + 18);
        text->setOpacity(0.6);
        y += 26 + text->boundingRect().height();
    }
    drawn->setSceneRect(drawn->itemsBoundingRect().adjusted(-10, -10, 10, 10));
    fit();
}

void PlayView::showEnd(const QString &how) {
    scene()->clear();
    m_pressed = nullptr;
    QFont big = clientFont();
    big.setPixelSize(16);
    big.setBold(true);
    auto *ended = scene()->addSimpleText(QStringLiteral("The conversation ended."), big);
    ended->setBrush(QColor(230, 230, 230));
    auto *why = new QGraphicsTextItem;
    why->setPlainText(how);
    why->setFont(clientFont());
    why->setDefaultTextColor(QColor(200, 200, 200));
    why->setTextWidth(360);
    scene()->addItem(why);
    why->setPos(0, 30);
    scene()->setSceneRect(scene()->itemsBoundingRect().adjusted(-10, -10, 10, 10));
    fit();
}

QList<QGraphicsTextItem *> PlayView::textItems() const {
    QList<QGraphicsTextItem *> out;
    for (QGraphicsItem *item : scene()->items(Qt::AscendingOrder))
        if (auto *text = qgraphicsitem_cast<QGraphicsTextItem *>(item); text && text->data(LineKey).isValid())
            out.append(text);
    std::stable_sort(out.begin(), out.end(), [](QGraphicsTextItem *a, QGraphicsTextItem *b) {
        return a->data(LineKey).toInt() < b->data(LineKey).toInt();
    });
    return out;
}

QGraphicsItem *PlayView::buttonAt(QPoint point) const {
    for (QGraphicsItem *item : items(point))
        if (item->type() == GumpButton::Type)
            return item;
    return nullptr;
}

void PlayView::mousePressEvent(QMouseEvent *event) {
    m_pressed = event->button() == Qt::LeftButton ? buttonAt(event->position().toPoint()) : nullptr;
    if (m_pressed)
        static_cast<GumpButton *>(m_pressed)->setDown(true);
    else
        QGraphicsView::mousePressEvent(event);
}

void PlayView::mouseReleaseEvent(QMouseEvent *event) {
    QGraphicsItem *pressed = std::exchange(m_pressed, nullptr);
    if (!pressed) {
        QGraphicsView::mouseReleaseEvent(event);
        return;
    }
    static_cast<GumpButton *>(pressed)->setDown(false);
    // Like any button, it counts when released over itself.
    if (buttonAt(event->position().toPoint()) == pressed)
        emit buttonPressed(pressed->data(ButtonKey).toInt());
}

void PlayView::wheelEvent(QWheelEvent *event) {
    for (QGraphicsItem *item : items(event->position().toPoint()))
        for (; item; item = item->parentItem())
            if (item->type() == TextBox::Type) {
                static_cast<TextBox *>(item)->scrollBy(event->angleDelta().y() / 4.0);
                event->accept();
                return;
            }
    QGraphicsView::wheelEvent(event);
}

void PlayView::resizeEvent(QResizeEvent *event) {
    QGraphicsView::resizeEvent(event);
    fit();
}

void PlayView::fit() {
    // The dialog at its own size, shrunk only when the view is smaller.
    const QRectF drawn = scene()->sceneRect();
    if (drawn.isEmpty() || viewport()->width() <= 0)
        return;
    const qreal scale =
        std::min({1.0, viewport()->width() / drawn.width(), viewport()->height() / drawn.height()});
    setTransform(QTransform::fromScale(scale, scale));
}
