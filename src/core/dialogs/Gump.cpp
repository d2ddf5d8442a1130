#include "core/dialogs/Gump.h"

#include <QRegularExpression>

namespace {

enum class Section { Other, Layout, Text, Buttons };

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

// A script line as the server keeps it: up to a "//", without blanks at its end.
QStringView withoutComment(QStringView line) {
    const qsizetype comment = line.indexOf(QLatin1StringView("//"));
    if (comment >= 0)
        line = line.first(comment);
    while (!line.isEmpty() && isBlank(line.back()))
        line.chop(1);
    return line;
}

// The words of a command, split at blanks and commas as the server splits arguments.
QList<QStringView> words(QStringView line) {
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    return line.trimmed().split(separators, Qt::SkipEmptyParts);
}

int number(const QList<QStringView> &args, qsizetype i) {
    return i < args.size() ? args[i].toInt() : 0;
}

// The section a header line (any line that starts with "[") opens, when it belongs to the
// dialog `name`. The server splits a header at its first blank, so "[DIALOG a b]" names the
// dialog "a", and a "]" ends it; what follows the name marks the text and button sections when
// it starts with "TEXT" or "BUTTON", and anything else is the dialog itself.
Section sectionOf(QStringView header, const QString &name) {
    header = header.sliced(1);
    if (const qsizetype end = header.indexOf(u']'); end >= 0)
        header = header.first(end);
    const QList<QStringView> parts = words(header);
    if (parts.size() < 2 || parts[0].compare(QLatin1StringView("DIALOG"), Qt::CaseInsensitive) != 0 ||
        parts[1].compare(name, Qt::CaseInsensitive) != 0)
        return Section::Other;
    if (parts.size() == 2)
        return Section::Layout;
    if (parts[2].startsWith(QLatin1StringView("TEXT"), Qt::CaseInsensitive))
        return Section::Text;
    if (parts[2].startsWith(QLatin1StringView("BUTTON"), Qt::CaseInsensitive))
        return Section::Buttons;
    return parts[2].startsWith(QLatin1StringView("PREBUTTON"), Qt::CaseInsensitive) ? Section::Other
                                                                                    : Section::Layout;
}

bool is(QStringView word, const char *keyword) {
    return word.compare(QLatin1StringView(keyword), Qt::CaseInsensitive) == 0;
}

class Reader {
public:
    explicit Reader(Gump &gump) : m_gump(gump) {}

    void layout(QStringView line) {
        const QList<QStringView> args = words(line);
        if (!m_placed) { // the first line is where the dialog stands
            m_gump.x = number(args, 0);
            m_gump.y = number(args, 1);
            m_placed = true;
            return;
        }
        const QStringView command = args.front();
        if (is(command, "NOMOVE"))
            m_gump.movable = false;
        else if (is(command, "PAGE"))
            m_page = number(args, 1);
        else if (m_page > 1) // the client opens a dialog at its page 1, over page 0
            return;
        else if (is(command, "RESIZEPIC"))
            m_gump.backgrounds.push_back(
                {number(args, 1), number(args, 2), number(args, 3), number(args, 4), number(args, 5)});
        else if (is(command, "HTMLGUMP"))
            m_gump.boxes.push_back({number(args, 1), number(args, 2), number(args, 3), number(args, 4),
                                    number(args, 5), number(args, 6) != 0, number(args, 7) != 0});
        else if (is(command, "BUTTON"))
            m_gump.buttons.push_back({number(args, 1), number(args, 2), number(args, 3), number(args, 4),
                                      number(args, 5), number(args, 6), number(args, 7)});
    }

    void button(QStringView line) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1StringView("ON="), Qt::CaseInsensitive)) {
            m_handler = &m_gump.handlers[words(trimmed.sliced(3)).value(0).toInt()];
            return;
        }
        if (!m_handler)
            return;
        const QList<QStringView> args = words(trimmed);
        QStringView command = args.front();
        if (command.startsWith(QLatin1StringView("src."), Qt::CaseInsensitive))
            command = command.sliced(4);
        const bool opens = is(command, "DIALOG") || is(command, "SDIALOG") ||
                           command.endsWith(QLatin1StringView("::GetDialog"), Qt::CaseInsensitive);
        if (opens && args.size() > 1 && m_handler->opens.isEmpty())
            m_handler->opens = args[1].toString();
        else if (is(command, "RETURN") && args.size() > 1 && args[1].toInt() != 0)
            m_handler->returns = true;
    }

private:
    Gump &m_gump;
    bool m_placed = false;
    int m_page = 0;
    Gump::Handler *m_handler = nullptr;
};

} // namespace

Gump Gump::read(QStringView script, const QString &name) {
    Gump gump;
    Reader reader(gump);
    Section section = Section::Other;
    bool found = false;
    for (const QStringView raw : script.tokenize(u'\n')) {
        const QStringView line = withoutComment(raw);
        if (line.trimmed().isEmpty())
            continue;
        if (line.trimmed().startsWith(u'[')) {
            section = sectionOf(line.trimmed(), name);
            found = found || section == Section::Layout;
            continue;
        }
        switch (section) {
        case Section::Layout:
            reader.layout(line);
            break;
        case Section::Text:
            gump.texts.append(line.toString());
            break;
        case Section::Buttons:
            reader.button(line);
            break;
        case Section::Other:
            break;
        }
    }
    if (found)
        gump.name = name;
    return gump;
}
