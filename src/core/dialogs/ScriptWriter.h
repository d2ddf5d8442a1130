#pragma once

#include "core/text/FileError.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

class QIODevice;
class QuestDialogs;

// The SPHERE dialog script of a project: for every page a gump section, its text section and
// its button section. Every line ends in CR LF. A line break (CR LF, CR or LF) inside the
// prefix, the speaker, a speech or an answer text is written as "<var.br>", so that one text
// never spreads over several script lines.
namespace ScriptWriter {

// One line as it is written, without its CR LF: the page it belongs to (the script's first
// lines count as page 0) and its answer slot (-1 for a line of the page itself).
struct Line {
    enum Kind { Marker, Header, Layout, Speaker, Speech, Answer, Call, Handler };
    Kind kind = Layout;
    qint16 page = 0;
    qint16 answer = -1;
    QStringView text;
};
using LineObserver = std::function<void(const Line &)>;

// The script's bytes in the system code page, and where each page's first section starts.
struct Script {
    QByteArray bytes;
    std::vector<qsizetype> pageStarts;
};

// The script; `observe`, when given, sees every line as it is written. Fails, naming the
// character, when a text holds one the code page cannot hold. An empty speaker is written as
// "<SRC.TARG.NAME>" and an empty answer text as "End Dialog", without changing the project.
Outcome<Script> build(const QuestDialogs &project, const QString &dialogPrefix,
                      const LineObserver &observe = {});
// The same with another speaker than the project's.
Outcome<Script> build(const QuestDialogs &project, const QString &dialogPrefix, const QString &speaker,
                      const LineObserver &observe);

// Page `n`'s sections (its gump, text and button sections) as they stand in the script, as
// text with CR LF line ends; empty for a page the project does not have. Reads that page alone.
QString page(const QuestDialogs &project, const QString &dialogPrefix, const QString &speaker, qint16 n,
             const LineObserver &observe = {});

// The script's first line, which also opens every part of a split export: as text, and as the
// bytes that open a file (with its line end and the space line after it).
QString marker(const QString &dialogPrefix);
QByteArray markerLine(const QString &dialogPrefix);

// Writes the script to the device.
WriteOutcome write(const QuestDialogs &project, const QString &dialogPrefix, QIODevice &device);

// The speech line's emote colouring: "*[" becomes "<var.bfont_red>[", "*/]" becomes
// "] <var.bfont_lgrey>", and "<var.bfont_lgrey>" goes in front.
QString convertSpeech(const QString &speech);

// Replaces each line break (CR LF, CR or LF) with "<var.br>".
QString joinLines(const QString &text);

} // namespace ScriptWriter
