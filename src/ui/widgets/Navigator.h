#pragma once

// Switching between the program's windows. Exactly one of them is open at a time: a
// window that opens another shows it first and then closes itself, so there is never a moment
// without a window. The shell provides the real implementation; tests provide their own.
class Navigator {
public:
    virtual ~Navigator() = default;
    // Loads and shows a new main window.
    virtual void openMain() = 0;
    // Shows the Dialog Studio, loading it (and running its start-up) when it is not loaded.
    virtual void openDialogStudio() = 0;
    // Shows the Item Creator, loading it when it is not loaded.
    virtual void openItemCreator() = 0;
    // Shows the NPC Creator, loading it when it is not loaded.
    virtual void openCharCreator() = 0;
    // Unloads the Item Creator; nothing happens when it is not loaded.
    virtual void unloadItemCreator() = 0;
};
