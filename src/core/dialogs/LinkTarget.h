#pragma once

#include <QString>

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
