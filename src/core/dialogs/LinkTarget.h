#pragma once

#include <QString>
#include <limits>

// Where a linked answer leads in the exported script. The script calls the section named by
// the prefix, "_" and the LinkPage text as it stands, so only the plain decimal form of a page
// number ("3", not "03", "+3" or " 3") names a page.
struct LinkTarget {
    enum Kind {
        Empty,      // no page id at all
        NotNumber,  // text that is not a number
        NotPlain,   // a number, but not written as the page sections are named
        NoSuchPage, // a plain number past the last page
        Page        // a page of the project
    };
    Kind kind = Empty;
    qint16 page = -1; // for Page
};

LinkTarget linkTarget(const QString &linkPage, qint16 upperBound);

// The number a LinkPage text names when it is written plainly (digits, no leading zero), or
// -1; a plain number too big for an int reads as the largest int. Any view of characters will
// do, so that compact texts need not be copied.
template <class View> int plainPageNumber(const View &text) {
    if (text.isEmpty() || (text.size() > 1 && QChar(text.front()) == u'0'))
        return -1;
    int value = 0;
    for (const auto c : text) {
        const char16_t unit = QChar(c).unicode();
        if (unit < u'0' || unit > u'9')
            return -1;
        const int digit = unit - u'0';
        value = value > (std::numeric_limits<int>::max() - digit) / 10 ? std::numeric_limits<int>::max()
                                                                       : value * 10 + digit;
    }
    return value;
}
