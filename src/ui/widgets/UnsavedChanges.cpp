#include "ui/widgets/UnsavedChanges.h"

#include "ui/widgets/UserPrompts.h"

bool UnsavedChanges::mayDiscard(UserPrompts &prompts, QWidget *parent, bool modified, const QString &question,
                                const std::function<bool()> &save) {
    if (!modified)
        return true;
    switch (prompts.askUnsavedChanges(parent, question)) {
    case UserPrompts::UnsavedAnswer::Save:
        return save();
    case UserPrompts::UnsavedAnswer::Discard:
        return true;
    case UserPrompts::UnsavedAnswer::Cancel:
        break;
    }
    return false;
}
