#pragma once

#include <QString>
#include <vector>

class QuestDialogs;

// A linked answer whose page id a project file cannot carry: the file keeps only page ids that
// read back as a number of 0 or more, and saves any other link as not linked.
struct UnreadableLink {
    qint16 page;
    qint16 slot;
    QString LinkPage;
};

// Every such answer of the project, in page and answer order.
std::vector<UnreadableLink> unreadableLinks(const QuestDialogs &project);
