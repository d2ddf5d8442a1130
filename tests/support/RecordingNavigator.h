#pragma once

#include "ui/widgets/Navigator.h"

#include <QStringList>

// Notes which window a window asked for, instead of opening it.
struct RecordingNavigator : Navigator {
    QStringList calls;
    void openMain() override { calls << "main"; }
    void openDialogStudio() override { calls << "studio"; }
    void openItemCreator() override { calls << "item"; }
    void openCharCreator() override { calls << "char"; }
    void unloadItemCreator() override { calls << "unloadItem"; }
};
