#pragma once

#include "ChildProcess.h"

// The states a child process of the benchmarks can be started in (see ChildProcess.h).
namespace ChildModes {

inline constexpr const char *bareWindow = "bare-window"; // a bare QMainWindow shown
inline constexpr const char *mainWindow = "main-window"; // the program's start: its main window shown
inline constexpr const char *projectWindow =
    "project-window"; // + a project file: it opened, main window shown
inline constexpr const char *studioWindow =
    "studio-window"; // + a project file: the studio shown, the file opened through "Open..."

inline constexpr const char *studioHistory =
    "studio-history"; // as studio-window, then 1000 Apply steps kept in the undo history

const std::map<QString, ChildProcess::Mode> &all();

} // namespace ChildModes
