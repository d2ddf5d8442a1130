#pragma once

#include <QString>

// The texts that describe the program itself. All plain ASCII, so that any code page holds them.
namespace Usage {

QString programName();
// The short synopsis printed after a usage mistake.
QString usage();
// The full description printed by --help.
QString help();
// "runequill-cli" and the version number, on one line.
QString version();

} // namespace Usage
