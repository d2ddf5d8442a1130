#pragma once

#include <memory>

class QuestDialogs;

// A separate project with the same speaker, pages and answers in the same slots, placeholder
// pages and empty answers included; for work that changes a project, such as the export
// filling in its defaults, without touching the original.
std::unique_ptr<QuestDialogs> copyProject(const QuestDialogs &source);
