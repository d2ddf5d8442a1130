#pragma once

#include "core/definitions/DefinitionSection.h"

#include <QStringList>
#include <optional>

// What makes an NPC open a conversation of the Dialog Studio's export for the player who greets
// or double-clicks it: the dialog prefix (page 0 is "<prefix>_0"), the greeting words and whether
// a double-click opens it too. It is written as the character's first TSPEECH=, naming a speech
// section of its own in which each word's "ON=*word*" runs SRC.SDIALOG and RETURN 1, and as an
// ON=@DClick trigger of the character running the same two lines. The page then belongs to the
// player, opens once, and its buttons keep working when the NPC is gone.
struct ConversationLink {
    QString prefix;
    QStringList words{QStringLiteral("hello"), QStringLiteral("hail")};
    bool doubleClick = true;

    bool operator==(const ConversationLink &) const = default;
};

namespace ConversationLinks {

// "spk_<name>": the speech section of the NPC named "c_<name>" (the name without its "c_").
QString speechName(const QString &npcName);
// "<prefix>_0".
QString firstPage(const QString &prefix);
// The lines that open the page for the player: "SRC.SDIALOG <page>", "RETURN 1".
QStringList openingLines(const QString &page);
// The page that the body of a trigger opens: its lines other than blank ones and comments are
// exactly the opening lines; empty otherwise.
QString openedPage(const QStringList &body);

// The speech section of the link: "[SPEECH <name>]", an "ON=*word*" line for each word, then
// the opening lines of page 0. Over `base`, a speech section read, the link's lines take the
// place of its first block that opens a page (the ON= lines and their body); everything else
// stays, and the header takes the new name.
DefinitionSection speechSection(const std::optional<DefinitionSection> &base, const QString &name,
                                const ConversationLink &link);
// The link a speech section holds: the words of its first block that opens a page "<prefix>_0",
// and that prefix; nothing when no block does.
std::optional<ConversationLink> read(const DefinitionSection &speech);

// What the server would do otherwise than the link suggests.
QStringList warnings(const ConversationLink &link);

} // namespace ConversationLinks
