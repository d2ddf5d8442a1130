#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QuestDialogs;

// The SPHERE dialog script of a project: for every page a gump section, its text section and
// its button section. Every line ends in CR LF.
namespace ScriptWriter {

// The whole script text. Like the export, this fills in the project's defaults first: an
// empty Speaker becomes "<SRC.TARG.NAME>" and every empty answer text "End Dialog".
// A line break (CR LF, CR or LF) inside the speaker, a speech or an answer text is written
// as "<var.br>", so that one text never spreads over several script lines.
QString scriptText(QuestDialogs &project, const QString &dialogPrefix);

// The same script as the bytes of the file, in the system code page: what encoding
// scriptText() would give, with the same defaults filled in. Nothing, with the reason in
// *error, when a text holds a character the code page cannot hold.
std::optional<QByteArray> scriptBytes(QuestDialogs &project, const QString &dialogPrefix,
                                      QString *error = nullptr);

// The speech line's emote colouring: "*[" becomes "<var.bfont_red>[", "*/]" becomes
// "] <var.bfont_lgrey>", and "<var.bfont_lgrey>" goes in front.
QString convertSpeech(const QString &speech);

// Replaces each line break (CR LF, CR or LF) with "<var.br>".
QString joinLines(const QString &text);

} // namespace ScriptWriter
