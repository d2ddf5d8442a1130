#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>

// Some figures can only be taken from a process of their own: its start-up, and its peak
// memory. This same program, started with childFlag and a mode, does one thing and ends; the
// parent times it, and the child reports its own peak resident size. The modes live in
// ChildModes.cpp: to measure another state of the program, add one there.
namespace ChildProcess {

inline constexpr const char *childFlag = "--bench-child";

struct Figures {
    qint64 peakBytes = 0;    // the child's peak resident size
    double readySeconds = 0; // from the start of the child to its markReady()
    double totalSeconds = 0; // from the start of the child to its end
};

// Runs this program with childFlag and `modeArguments` and waits for it to end. Nothing,
// with the reason in *error, when it could not start, failed, or never called markReady().
std::optional<Figures> run(const QStringList &modeArguments, QString *error);

// Called by a child when it has reached the state it was started for.
void markReady();

// A child mode: given the arguments after the mode's name, does its work (calling markReady)
// and returns the exit code.
using Mode = std::function<int(const QStringList &)>;

// When `arguments` (the program's, without its name) start with childFlag, runs the mode
// named next from `modes` and gives its exit code; otherwise nothing.
std::optional<int> runIfAsked(const QStringList &arguments, const std::map<QString, Mode> &modes);

} // namespace ChildProcess
