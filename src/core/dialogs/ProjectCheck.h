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

// The server reads no more of a script line than this many characters.
constexpr qsizetype MaxScriptLineLength = 4096;

// Checks the project as it would be exported with this prefix and speaker: broken links,
// answers the player cannot choose or that do nothing, pages no other page leads to,
// placeholder pages, empty answers, texts the server would read as comments, and lines it
// would cut. Findings about the speaker or the prefix are given under page 0. Sorted by page,
// each page's own findings before its answers', answers in slot order.
std::vector<Finding> checkProject(const QuestDialogs &project, const QString &prefix, const QString &speaker);
