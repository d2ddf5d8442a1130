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

// What the check finds in the pages whatever the prefix and speaker, and what the findings
// about those two need to know of the pages. Findings sorted as checkProject sorts them.
struct PageFindings {
    std::vector<Finding> findings;
    // A linked answer whose page id is a number not written the way page sections are named:
    // its finding names the section the script calls, prefix included.
    struct OddLink {
        qint16 page;
        qint16 answer;
        QString link;
    };
    std::vector<OddLink> oddLinks;
    // The longest page id of a linked answer, in bytes as the page call line holds it.
    qsizetype longestLink = 0;
};

// Checks the project as it would be exported with this prefix and speaker: broken links,
// answers the player cannot choose or that do nothing, pages no other page leads to,
// placeholder pages, empty answers, emotes never closed, texts the server would read as
// comments or evaluate, a prefix it cannot use in section names, lines too long for it to load,
// text lines too long for the client to show, characters the client drops and a last letter the
// server's dropping of blanks breaks. Findings about the speaker or the prefix are given under
// page 0. Sorted by page, each page's own findings before its answers', answers in slot order;
// at one place the findings of checkPages before those of checkNames.
std::vector<Finding> checkProject(const QuestDialogs &project, const QString &prefix, const QString &speaker);

// The two halves of checkProject, so that a list that follows the prefix and speaker as they
// are typed checks only what they change. checkNames costs next to nothing unless the prefix
// is long enough to bring section headers or page calls near the line limit.
PageFindings checkPages(const QuestDialogs &project);
std::vector<Finding> checkNames(const QuestDialogs &project, const PageFindings &pages, const QString &prefix,
                                const QString &speaker);
// The order of the findings: by page, then by answer, the page itself first.
bool placedBefore(const Finding &a, const Finding &b);

// The errors among checkProject's findings: what the server would refuse or misread, which an
// export does not write without asking.
std::vector<Finding> exportErrors(const QuestDialogs &project, const QString &prefix, const QString &speaker);

// "page N" or "page N, answer K", numbered from 0 as the studio shows them.
QString findingPlace(const Finding &finding);

// What checkProject finds at page `page`, reading that page alone: `reached` tells whether an
// answer of another page leads to it (page 0 always counts as reached). Findings about the
// speaker and the prefix come with page 0.
std::vector<Finding> checkPage(const QuestDialogs &project, const QString &prefix, const QString &speaker,
                               qint16 page, bool reached);
