#pragma once

#include <QString>
#include <vector>

class QuestDialogs;

// One line of the exported script, without its CR LF, with the page and the answer slot it
// belongs to (slot -1 for a line of the page itself; the script's first lines count as page 0).
struct ExportedLine {
    enum Kind { Marker, Header, Layout, Speaker, Speech, Answer, Call, Handler };
    qint16 page = 0;
    qint16 answer = -1;
    Kind kind = Layout;
    QString text;
};

// The lines the export writes for the project with this prefix and speaker (an empty speaker
// leaves the project's own), taken from the script writer's own text; the project is untouched.
std::vector<ExportedLine> exportedLines(const QuestDialogs &project, const QString &prefix,
                                        const QString &speaker);
