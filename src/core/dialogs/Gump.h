#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <map>
#include <vector>

// A dialog as the server reads it from its three script sections, "[DIALOG name]" (where it
// stands and what it is made of), "[DIALOG name TEXT]" (the text lines its text boxes show) and
// "[DIALOG name BUTTON]" (what each button does). Only the commands the exported dialogs use are
// read; the server's own rules for script lines hold: "//" starts a comment, trailing blanks
// go, blank lines are skipped, section names and commands ignore case.
struct Gump {
    // "resizepic x y gump width height": a background of gump art stretched over the rectangle.
    struct Background {
        int x = 0, y = 0, gump = 0, width = 0, height = 0;
    };
    // "HTMLGUMP x y width height line background scrollbar": text line `line` in a box.
    struct TextBox {
        int x = 0, y = 0, width = 0, height = 0, line = 0;
        bool background = false, scrollbar = false;
    };
    // "BUTTON x y up down type page number": a button with its two pieces of art; type 1 closes
    // the dialog and sends `number` to the server, type 0 turns to gump page `page`.
    struct Button {
        int x = 0, y = 0, up = 0, down = 0, type = 0, page = 0, number = 0;
    };
    // What the lines under "ON=number" do when that button is pressed.
    struct Handler {
        QString opens;        // the dialog a line opens ("DIALOG name" or a GetDialog call), if any
        bool returns = false; // "Return 1"
    };

    QString name;
    int x = 0, y = 0; // where the dialog stands on the screen
    bool movable = true;
    std::vector<Background> backgrounds;
    std::vector<TextBox> boxes;
    std::vector<Button> buttons;
    QStringList texts; // the text lines, each as it stands in the script once read
    std::map<int, Handler> handlers;

    // The gump named `name` in the script text `script` (any number of sections, CR LF or LF
    // line ends); an empty name when the script has no "[DIALOG name]" section.
    static Gump read(QStringView script, const QString &name);
};
