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

inline constexpr const char *peakBareWindow = "PeakMemory/bare-window";
inline constexpr const char *peakProject = "PeakMemory/project:32767";

// Counters of the peak-memory runs.
inline constexpr const char *peakCounter = "peak";
inline constexpr const char *fileSizeCounter = "file";

} // namespace BenchNames
