#pragma once

#include <QString>
#include <functional>

class QWidget;
class UserPrompts;

// The one question the windows ask before unsaved work would be lost.
namespace UnsavedChanges {

// Asks `question` with Save, Discard and Cancel when `modified`, and nothing otherwise. True when
// the caller may go on: nothing was modified, the user chose Discard, or chose Save and `save`
// saved.
bool mayDiscard(UserPrompts &prompts, QWidget *parent, bool modified, const QString &question,
                const std::function<bool()> &save);

} // namespace UnsavedChanges
