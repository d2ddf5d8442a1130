#pragma once

#include <QString>

class QuestDialogs;

// Generated projects of any size for the large-project tests and the benchmarks. The same
// page count and seed always give the same project: pages of about 80 characters of speech,
// some with an emote, each with five answers of about 30 characters, some linked to an
// existing page, most ending the talk. No text is empty, "Null" or holds a line break, so a
// generated project comes back unchanged from a save and an open.
namespace ProjectFixtures {

constexpr quint32 defaultSeed = 0x52514c31; // any fixed value will do
constexpr int answersPerPage = 5;

// The prefix and speaker a generated project is saved and exported with.
QString prefix();
QString speaker();

// Clears `project` and fills it with `pages` generated pages (1 to 32767). Speaker is set.
void generate(QuestDialogs &project, int pages, quint32 seed = defaultSeed);

// Writes the project file of `project` with prefix() and speaker(); false when it fails.
bool saveProjectFile(const QuestDialogs &project, const QString &path);

} // namespace ProjectFixtures
