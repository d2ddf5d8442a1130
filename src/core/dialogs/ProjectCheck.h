#pragma once

#include <QString>
#include <vector>

class QuestDialogs;

// One thing that would make the exported conversation misbehave, at a page (numbered from 0)
// or at one of its answer slots (numbered from 0).
struct Finding {
    enum Severity { Warning, Error };
    qint16 page = 0;
    qint16 answer = -1; // -1: the page itself
    Severity severity = Warning;
    QString message;
};

// The longest script line, in bytes without its CR LF, the server loads.
constexpr qsizetype MaxScriptLineLength = 4095;
// The most characters of a dialog text line a game client shows.
constexpr qsizetype MaxShownTextLength = 2047;

// Checks the project as it would be exported with this prefix and speaker: broken links,
// answers the player cannot choose or that do nothing, pages no other page leads to,
// placeholder pages, empty answers, texts the server would read as comments or evaluate, a
// prefix it cannot use in section names, lines too long for it to load and text lines too long
// for the client to show. Findings about the speaker or the prefix are given under page 0. Sorted by page,
// each page's own findings before its answers', answers in slot order.
std::vector<Finding> checkProject(const QuestDialogs &project, const QString &prefix, const QString &speaker);

// What checkProject finds at page `page`, reading that page alone: `reached` tells whether an
// answer of another page leads to it (page 0 always counts as reached). Findings about the
// speaker and the prefix come with page 0.
std::vector<Finding> checkPage(const QuestDialogs &project, const QString &prefix, const QString &speaker,
                               qint16 page, bool reached);
