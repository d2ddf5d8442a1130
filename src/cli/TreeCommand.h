#pragma once

#include <QStringList>

class CliIo;
class QuestDialogs;

// The analysis view as text: each page's node text on a line of its own, each of its answers'
// below it, indented by two spaces; LF line ends. A line break inside a text shows as
// "<var.br>", as the script and the project file write it, so that every node keeps its line.
QString treeText(const QuestDialogs &project);

// tree PROJECT.QDS
int runTree(const QStringList &args, CliIo &io);
