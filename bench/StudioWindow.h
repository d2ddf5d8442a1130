#pragma once

#include "Benchmarks.h"
#include "NoNavigator.h"

#include "core/dialogs/QuestDialogs.h"
#include "support/ScriptedPrompts.h"
#include "ui/studio/frmDC.h"

// The Dialog Studio shown on the offscreen screen, with scripted answers to its questions.
struct StudioWindow {
    QuestDialogs project;
    ScriptedPrompts prompts;
    NoNavigator navigator;
    frmDC window{project, prompts, navigator};

    // False, with the benchmark's run skipped, when the window never reached the screen.
    bool show(benchmark::State &state);
    // Fills the window's project with the generated project of that many pages and shows it
    // the way the window's own commands do: page 0 in the boxes, the tree rebuilt in full.
    void load(int pages);
    // Runs what the event loop has pending: deferred layouts and the repaint they ask for.
    static void settle();
    // Times, in each iteration, one letter typed into the box up to the repaint; a backspace
    // after it, not timed, keeps the text from growing over the run.
    static void timeLetters(benchmark::State &state, QWidget *box);
};
