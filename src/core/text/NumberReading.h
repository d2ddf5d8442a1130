#pragma once

#include <QStringView>
#include <QtGlobal>

// The one rule for numbers that the window reads from its boxes: blanks are ignored, the
// longest leading decimal number is taken (text without one reads as 0), the value is rounded
// to the nearest integer with halves going to the even neighbour, and a value outside the
// 16-bit range is clamped to it.
qint16 readBoxNumber(QStringView text);

// The same leading-number rule without rounding or clamping; 0 when there is no number.
double leadingDecimal(QStringView text);

// True when the whole text, apart from leading and trailing blanks, is one decimal number
// (an optional sign, digits, optionally a point and more digits). *value receives it.
bool parseDecimal(QStringView text, double *value = nullptr);
