#pragma once

// The names the benchmarks are registered under, shared by the goals table that reads their
// results. Window benchmarks of the Dialog Studio add theirs here.
namespace BenchNames {

inline constexpr const char *exportProject = "Export/pages:32767";
inline constexpr const char *plainWriteExport = "PlainWrite/export-bytes";
inline constexpr const char *saveProject = "Save/pages:32767";
inline constexpr const char *plainWriteProject = "PlainWrite/project-file-bytes";
inline constexpr const char *openProject = "Open/pages:32767";
// The same bytes through TextFile::writeBytes: a temporary file, synced, renamed over the target.
inline constexpr const char *safeWriteExport = "SafeWrite/export-bytes";
inline constexpr const char *safeWriteProject = "SafeWrite/project-file-bytes";
inline constexpr const char *plainReadProject = "PlainRead/project-file-bytes";

// From the start of a process to its window on screen.
inline constexpr const char *startMainWindow = "StartUp/main-window";
inline constexpr const char *startBareWindow = "StartUp/bare-window";
// The window alone, built and shown in a running process.
inline constexpr const char *showMainWindow = "WindowShown/main-window";
inline constexpr const char *showBareWindow = "WindowShown/bare-window";

// The Dialog Studio (offscreen) holding a generated project: one letter typed into the speech
// box, with the analysis rebuild it runs; and Apply.
inline constexpr const char *keystroke100 = "Keystroke/pages:100";
inline constexpr const char *keystroke1000 = "Keystroke/pages:1000";
inline constexpr const char *keystroke10000 = "Keystroke/pages:10000";
inline constexpr const char *keystroke32767 = "Keystroke/pages:32767";
inline constexpr const char *apply100 = "Apply/pages:100";
inline constexpr const char *apply1000 = "Apply/pages:1000";
inline constexpr const char *apply10000 = "Apply/pages:10000";
inline constexpr const char *apply32767 = "Apply/pages:32767";
// The same keystroke with the problems, map and Play docks shown; a page shown on the map (its
// neighbourhood laid out and drawn, answers as rows); a page played in the Play dock; the whole
// map of a 2000-page project drawn.
inline constexpr const char *dockedKeystroke100 = "DockedKeystroke/pages:100";
inline constexpr const char *dockedKeystroke32767 = "DockedKeystroke/pages:32767";
inline constexpr const char *mapPage100 = "MapPage/pages:100";
inline constexpr const char *mapPage32767 = "MapPage/pages:32767";
inline constexpr const char *playPage100 = "PlayPage/pages:100";
inline constexpr const char *playPage32767 = "PlayPage/pages:32767";
inline constexpr const char *wholeMap2000 = "WholeMap/pages:2000";
// A QTreeWidget cleared and filled with one item per page and answer.
inline constexpr const char *straightRebuild = "StraightRebuild/pages:32767";
// "Open..." in the studio, up to page 0 shown: into a new project, and over one as large.
inline constexpr const char *openInStudio = "OpenInStudio/pages:32767";
inline constexpr const char *openOverLargest = "OpenInStudio/pages:32767-over-32767";
// One letter typed into the dialog prefix box with both docks shown: the problems list and the
// tree follow it.
inline constexpr const char *prefixKeystroke100 = "PrefixKeystroke/pages:100";
inline constexpr const char *prefixKeystroke32767 = "PrefixKeystroke/pages:32767";

// "Remove " of page 0 in the studio holding the largest project, up to the repaint, and the
// Undo of that removal; each is held against an absolute limit.
inline constexpr const char *removePage = "RemovePage/pages:32767";
inline constexpr const char *undoRemovePage = "UndoRemovePage/pages:32767";

inline constexpr const char *peakBareWindow = "PeakMemory/bare-window";
inline constexpr const char *peakProject = "PeakMemory/project:32767";
inline constexpr const char *peakStudio = "PeakMemory/studio:32767";
// The same studio after 1,000 Apply steps kept in its undo history.
inline constexpr const char *peakStudioHistory = "PeakMemory/studio-history:32767";

// Counters of the peak-memory runs.
inline constexpr const char *peakCounter = "peak";
inline constexpr const char *fileSizeCounter = "file";

} // namespace BenchNames
