#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// What the program keeps between runs, with QSettings under the group "Places": the windows'
// places on the screen, the folder each file dialog was last used in, and the projects opened
// or saved most recently.
namespace RememberedPlaces {

constexpr int RecentCount = 8;

// The name a file dialog named `dialog` ("project", "export", "itemScript") starts with: the
// last name chosen in this run when there is one, else the folder it was last used in (ending
// in a separator), else nothing.
QString startName(const QString &dialog, const QString &lastName);
// Remembers the folder of a file just chosen in the dialog named `dialog`.
void rememberFolder(const QString &dialog, const QString &fileName);

// Projects opened or saved, the latest first, at most RecentCount, each named once.
QStringList recentProjects();
void addRecentProject(const QString &fileName);
void removeRecentProject(const QString &fileName);

// A window's place, kept under its object name.
void restoreWindow(QWidget *window);
void rememberWindow(const QWidget *window);

} // namespace RememberedPlaces
