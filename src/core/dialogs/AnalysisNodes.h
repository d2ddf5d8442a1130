#pragma once

#include <QString>
#include <QStringView>
#include <optional>

class Dialog;
class Selection;

// Texts and keys of the analysis tree's nodes. The studio's tree and the command-line
// companion's "tree" command both use these, so they always agree.
namespace AnalysisNodes {

// "n:" + the page's speech, for example "0:Halt! Who goes there?".
QString pageText(qint16 page, const Dialog &dialog);
// "s" + k, then " L" + LinkPage when linked, then " " + the answer's text: "s0 L1 A friend.".
QString answerText(qint16 slot, const Selection &selection);
// prefix + "_" + n, which is also the name of the page's dialog in the script
QString pageKey(const QString &prefix, qint16 page);
// prefix + "_" + n + "_" + k
QString answerKey(const QString &prefix, qint16 page, qint16 slot);

// What a key of the two kinds above names: its page, and its answer (-1 for a page's key). The
// numbers must be written as those keys write them (digits, no leading zero); any other key
// names nothing.
struct KeyPlace {
    int page;
    int answer;
};
std::optional<KeyPlace> placeOfKey(QStringView prefix, QStringView key);

} // namespace AnalysisNodes
