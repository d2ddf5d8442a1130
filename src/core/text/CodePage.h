#pragma once

#include "core/text/FileError.h"
#include <QByteArray>
#include <QString>
#include <QStringConverter>

#include <optional>

// Every file the program reads or writes is 8-bit text in one code page, UTF-8 on every system:
// a script or project written on Windows is byte for byte the one written on Linux, and holds
// every letter a user can type (the Windows code page cannot, and the game client cuts a dialog
// line at the first byte it cannot read). This is the one place that turns such bytes into text
// and back; files written in a Windows code page are still read (see decode).
namespace CodePage {

// The encoding used for files: UTF-8 unless a test chose another.
QStringConverter::Encoding encoding();
void setEncoding(QStringConverter::Encoding encoding);
void resetEncoding();

// True for code pages in which every ASCII character is the one byte of the same value, so
// that ASCII text can be copied as it is and a CR or LF byte is always a line end.
bool isAsciiCompatible(QStringConverter::Encoding encoding);

// Decodes file bytes. Bytes that are not valid in the code page (a file written on a Windows
// machine in Windows-1252, say) are read as Windows-1252 rather than as replacement characters.
QString decode(QByteArrayView bytes);

// True when decode drops a byte-order mark at the start of the bytes, as it does for UTF-8 (other
// editors write one there). A file whose text itself starts with U+FEFF must then be written
// with one more mark in front, or reading it back loses that character.
bool dropsByteOrderMark();

// Encodes text for a file. A character the code page cannot hold makes this fail with a
// message naming the character; nothing is ever written as a silent '?'.
Outcome<QByteArray> encode(QStringView text);

} // namespace CodePage
