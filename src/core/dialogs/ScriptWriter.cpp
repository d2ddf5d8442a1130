#include "core/dialogs/ScriptWriter.h"

#include "core/dialogs/EmoteMarks.h"
#include "core/dialogs/JoinedText.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/Ascii.h"
#include "core/text/EncodedText.h"
#include "core/text/TextFile.h"

#include <QIODevice>
#include <algorithm>

namespace {

constexpr QLatin1StringView CrLf("\r\n");
constexpr QLatin1StringView SpaceLine(" \r\n");
using JoinedText::LineBreakMark;

// Gump lines 2 to 10 of every page: the frame, the name and speech gumps and answer 1.
constexpr QLatin1StringView GumpHead("30,30\r\n"
                                     "NOMOVE\r\n"
                                     "Page 0\r\n"
                                     "resizepic 0 0 5054 380 330\r\n"
                                     "Page 1\r\n"
                                     "HTMLGUMP 30 15 100 20 0 0 0\t\t//NPC NAME\r\n"
                                     "HTMLGUMP 30 35 340 100 1 1 1\t\t//NPC SPEECH\r\n"
                                     "BUTTON 10 150 4005 4006 1 0 1\r\n"
                                     "HTMLGUMP 50 150 270 40 2 0 0\t\t//PLAYER ANSWERS\r\n");

// The button and text gump of answers 2 to 4; the layout has no room for a fifth.
constexpr QLatin1StringView MoreButtons[] = {
    QLatin1StringView("BUTTON 10 190 4005 4006 1 0 2\r\nHTMLGUMP 50 190 270 40 3 0 0\r\n"),
    QLatin1StringView("BUTTON 10 230 4005 4006 1 0 3\r\nHTMLGUMP 50 230 270 40 4 0 0\r\n"),
    QLatin1StringView("BUTTON 10 270 4005 4006 1 0 4\r\nHTMLGUMP 50 270 270 40 5 0 0\r\n"),
};

using JoinedText::mayHoldLineBreak;

// Appends the emote-coloured speech. One pass does both replacements: neither mark can
// overlap the other, and neither replacement holds a '*', so this equals replacing every
// "*[" first and then every "*/]".
template <class Out, class View> void appendConverted(Out &out, View speech) {
    out.append(QLatin1StringView("<var.bfont_lgrey>"));
    qsizetype start = 0;
    EmoteMarks::scan(speech, [&](qsizetype at, EmoteMarks::Mark mark) {
        out.append(speech.mid(start, at - start));
        out.append(mark == EmoteMarks::Opening ? QLatin1StringView("<var.bfont_red>[")
                                               : QLatin1StringView("] <var.bfont_lgrey>"));
        start = at + EmoteMarks::length(mark);
    });
    out.append(speech.mid(start));
}

// A rough size of the script, so that the text is built with few reallocations. Measured on
// at most 256 pages spread over the project and scaled up with some to spare: walking every
// page of a large project only for this would cost a good part of the writing itself.
qsizetype estimatedSize(const QuestDialogs &project, qsizetype prefixSize) {
    const qint16 step = static_cast<qint16>(std::max(1, project.Count() / 256));
    qsizetype sampled = 0;
    qsizetype size = 0;
    for (qint16 n = 0; n <= project.UpperBound(); n = static_cast<qint16>(n + step)) {
        const Dialog &page = project.Dialog(n);
        size += 560 + 4 * prefixSize + project.Speaker().size() + page.text().size();
        for (qint16 k = 0; k <= page.SelectionUBound(); ++k)
            size += 80 + prefixSize + page.Selection(k).text().size() + page.Selection(k).LinkPage().size();
        ++sampled;
        if (n > project.UpperBound() - step)
            break;
    }
    return 64 + prefixSize + size * project.Count() / sampled * 5 / 4;
}

using Kind = ScriptWriter::Line::Kind;

// The script's bytes (or text, for one page), and each line as it ends to whoever observes
// them. Without an observer nothing but the bytes is kept.
template <class Sink> class LineOut {
public:
    LineOut(Sink &out, const ScriptWriter::LineObserver &observe)
        : m_out(out), m_observe(observe ? &observe : nullptr) {}

    template <class Text> LineOut &append(Text text) {
        m_out.append(text);
        if (m_observe)
            m_line.append(text);
        return *this;
    }

    void end(Kind kind, qint16 page, qint16 answer = -1) {
        m_out.append(CrLf);
        if (m_observe) {
            (*m_observe)({kind, page, answer, m_line});
            m_line.clear();
        }
    }

    // Whole lines of the layout, each ending in CR LF.
    void layout(QLatin1StringView lines, qint16 page, qint16 answer = -1) {
        m_out.append(lines);
        if (!m_observe)
            return;
        for (qsizetype start = 0; start < lines.size();) {
            const qsizetype stop = lines.indexOf(CrLf, start);
            m_line = QString(lines.mid(start, stop - start));
            (*m_observe)({Kind::Layout, page, answer, m_line});
            start = stop + 2;
        }
        m_line.clear();
    }

    qsizetype size() const { return m_out.size(); }

private:
    Sink &m_out;
    const ScriptWriter::LineObserver *m_observe;
    QString m_line;
};

template <class Sink>
void appendPage(LineOut<Sink> &out, const QuestDialogs &project, const QString &speaker,
                const QString &prefix, qint16 n) {
    const Dialog &page = project.Dialog(n);
    const Ascii::Decimal number(n);

    out.append(QLatin1StringView("[DIALOG ")).append(prefix).append(u'_').append(number.view()).append(u']');
    out.end(Kind::Header, n);
    out.layout(GumpHead, n);
    for (qint16 more = 1; more < page.SelectionCount() && more <= 3; ++more)
        out.layout(MoreButtons[more - 1], n, more);
    out.layout(SpaceLine, n);

    out.append(QLatin1StringView("[DIALOG ")).append(prefix).append(u'_').append(number.view());
    out.append(QLatin1StringView(" Text]"));
    out.end(Kind::Header, n);
    out.append(QLatin1StringView("<var.bfont_lgreen>"));
    JoinedText::append(out, QStringView(speaker));
    out.append(LineBreakMark).end(Kind::Speaker, n);
    // Joining first cannot make or break an emote mark: "<var.br>" holds no '*'.
    page.visitText([&out](auto speech) {
        if (mayHoldLineBreak(speech))
            appendConverted(out, QStringView(ScriptWriter::joinLines(speech.toString())));
        else
            appendConverted(out, speech);
    });
    out.end(Kind::Speech, n);
    for (qint16 k = 0; k <= page.SelectionUBound(); ++k) {
        const Selection &answer = page.Selection(k);
        out.append(QLatin1StringView("<var.br><var.bfont_lgrey>"));
        if (answer.hasText())
            answer.visitText([&out](auto text) { JoinedText::append(out, text); });
        else
            out.append(QLatin1StringView("End Dialog"));
        out.append(LineBreakMark).end(Kind::Answer, n, k);
    }
    out.layout(SpaceLine, n);

    out.append(QLatin1StringView("[DIALOG ")).append(prefix).append(u'_').append(number.view());
    out.append(QLatin1StringView(" BUTTON]"));
    out.end(Kind::Header, n);
    for (qint16 k = 0; k <= page.SelectionUBound(); ++k) {
        const Selection &answer = page.Selection(k);
        out.append(QLatin1StringView("ON=")).append(Ascii::Decimal(k + 1).view()).end(Kind::Handler, n, k);
        if (answer.isLinked()) {
            out.append(QLatin1StringView("\tsrc.iQuest::GetDialog ")).append(prefix).append(u'_');
            answer.visitLinkPage([&out](auto link) { JoinedText::append(out, link); });
            out.end(Kind::Call, n, k);
        }
        if (answer.EndDialog())
            out.append(QLatin1StringView("\tReturn 1")).end(Kind::Handler, n, k);
        out.layout(SpaceLine, n, k);
    }
}

const QString DefaultSpeaker = QStringLiteral("<SRC.TARG.NAME>");

} // namespace

namespace ScriptWriter {

QString marker(const QString &dialogPrefix) {
    return QLatin1StringView("//=====QDS: ") + joinLines(dialogPrefix) + QLatin1StringView(" STARTS======");
}

QByteArray markerLine(const QString &dialogPrefix) {
    EncodedText out;
    out.append(marker(dialogPrefix)).append(QLatin1StringView("\r\n \r\n"));
    return out.take().value;
}

Outcome<Script> build(const QuestDialogs &project, const QString &dialogPrefix, const LineObserver &observe) {
    return build(project, dialogPrefix, project.Speaker(), observe);
}

Outcome<Script> build(const QuestDialogs &project, const QString &dialogPrefix, const QString &speaker,
                      const LineObserver &observe) {
    // The prefix names sections and calls; a line break in it would split those lines too.
    const QString prefix = joinLines(dialogPrefix);
    const QString &name = speaker.isEmpty() ? DefaultSpeaker : speaker;
    EncodedText bytes(estimatedSize(project, prefix.size()));
    LineOut<EncodedText> out(bytes, observe);
    out.append(marker(dialogPrefix)).end(Kind::Marker, 0);
    out.layout(SpaceLine, 0);

    Outcome<Script> result;
    result.value.pageStarts.reserve(static_cast<size_t>(project.Count()));
    for (qint16 n = 0; n <= project.UpperBound(); ++n) {
        result.value.pageStarts.push_back(out.size());
        appendPage(out, project, name, prefix, n);
    }
    Outcome<QByteArray> encoded = bytes.take();
    result.value.bytes = std::move(encoded.value);
    result.error = std::move(encoded.error);
    return result;
}

QString page(const QuestDialogs &project, const QString &dialogPrefix, const QString &speaker, qint16 n,
             const LineObserver &observe) {
    QString text;
    if (n < 0 || n > project.UpperBound())
        return text;
    LineOut<QString> out(text, observe);
    appendPage(out, project, speaker.isEmpty() ? DefaultSpeaker : speaker, joinLines(dialogPrefix), n);
    return text;
}

WriteOutcome write(const QuestDialogs &project, const QString &dialogPrefix, QIODevice &device) {
    const Outcome<Script> script = build(project, dialogPrefix);
    if (!script.ok())
        return script.error;
    if (device.write(script.value.bytes) != script.value.bytes.size())
        return FileError{QString(), 0, device.errorString()};
    return std::nullopt;
}

QString convertSpeech(const QString &speech) {
    QString out;
    out.reserve(speech.size() + 32);
    appendConverted(out, QStringView(speech));
    return out;
}

QString joinLines(const QString &text) {
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString out;
    out.reserve(text.size() + 64);
    JoinedText::append(out, QStringView(text));
    return out;
}

} // namespace ScriptWriter
