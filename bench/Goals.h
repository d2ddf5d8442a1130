#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

class Results;

// One line of the goals table as it is printed.
struct GoalLine {
    enum class Verdict { Pass, Fail, NotRun, Info };
    std::string measured; // the figure under test, with its unit
    std::string baseline; // what it is held against
    std::string ratio;
    std::string limit;
    Verdict verdict = Verdict::NotRun;
};

// A goal: its title and how to judge it from a run's results.
struct Goal {
    std::string title;
    std::function<GoalLine(const Results &)> judge;
};

// Time of `measured` over time of `baseline`, which must stay at or below `limit`.
Goal costRatio(std::string title, std::string measured, std::string baseline, double limit);
// Time of `baseline` over time of `measured`: how many times faster, at least `limit`.
Goal speedup(std::string title, std::string measured, std::string baseline, double limit);
// Time of `measured` over time of `baseline`, shown for the record: no limit.
Goal reportRatio(std::string title, std::string measured, std::string baseline);
// Time of `measured`, which must stay below `limit` seconds.
Goal timeLimit(std::string title, std::string measured, double limit);
// Peak memory of `measured` less that of `baseline`, over the size of the project file that
// `measured` held, which must stay below `limit`.
Goal memoryRatio(std::string title, std::string measured, std::string baseline, double limit);
// The same figure, shown for the record: no limit.
Goal memoryReport(std::string title, std::string measured, std::string baseline);

// The goals of the run, in the order they are printed.
std::vector<Goal> runequillGoals();

// Prints the table; the result is the number of goals that failed.
int printGoals(std::ostream &out, const std::vector<Goal> &goals, const Results &results);
