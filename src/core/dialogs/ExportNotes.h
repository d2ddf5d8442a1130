#pragma once

#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/ScriptExport.h"

#include <QString>
#include <vector>

// What the export's front ends tell the user around an export, in the same words.
namespace ExportNotes {

// The console line that makes a running server read a part file it did not have when it
// started: "LOAD scripts/custom/guard_part2.scp" for a file under a folder named "scripts", else
// with "<folder>" for the folder under the server's scripts folder that it goes into.
QString loadCommand(const QString &partPath);

// That a running server does not read the new part file on its own, and how to make it.
QString newPartNotice(const QString &partPath);

// After an export: the files it wrote besides the one the user named, and what a running
// server needs to read each new part. Empty when there is nothing to say.
QString writtenMessage(const ScriptExport::Written &written);

// The errors, the first ten of them one a line with their place, and whether to export anyway.
QString errorsQuestion(const std::vector<Finding> &errors);

} // namespace ExportNotes
