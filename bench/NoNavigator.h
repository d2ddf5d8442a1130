#pragma once

#include "ui/widgets/Navigator.h"

// A navigator for windows whose menus nothing here opens.
class NoNavigator : public Navigator {
public:
    void openMain() override {}
    void openDialogStudio() override {}
    void openItemCreator() override {}
    void openCharCreator() override {}
    void unloadItemCreator() override {}
};
