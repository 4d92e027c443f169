#pragma once
// Completion of names while typing: which names the editor offers at the
// caret (elements after "<", the attributes of the element inside a start
// tag, entity names after "&"), filtered by what is typed of the name.
// The names are facts of HTML, kept in one file beside the program
// ("html_names.txt", made by scripts/html_names.py):
//   <name> attr attr ...   an element and the attributes it takes
//   <*> attr attr ...      the attributes every element takes
//   &name;                 an entity
// Lines beginning "#" and any other line are passed over. Pure: the
// pop-up list is source/editor_assist.h.

#include "text/color_coding.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace completion {

struct HtmlNames {
    QStringList elements;   // sorted, lower case
    QStringList globals;    // attributes of every element, sorted
    QHash<QString, QStringList> attributes;  // of each element, sorted
    QStringList entities;   // sorted, without "&" and ";"
    bool operator==(const HtmlNames&) const = default;
};

// Nothing here fails: a damaged line gives no name.
HtmlNames Parse_Html_Names(QStringView text);
// An unreadable or missing file gives no names (nothing is offered).
HtmlNames Read_Html_Names(const QString& path);
QString Html_Names_File_Name();  // "html_names.txt"

enum class Kind { None, Element, Attribute, Entity };

struct Context {
    Kind kind = Kind::None;
    int start = 0;      // where the name being typed begins
    QString typed;      // what of it stands before the caret
    QString element;    // for attributes: the tag's element, lower case
    bool operator==(const Context&) const = default;
};

// The place of the caret in the scanned text: a name may be typed there
// when it follows "<", "&", or a blank inside a start tag (not in a quoted
// value, a comment, a script or a style block).
Context Context_At(const colorcode::LiveColors& text, int caret);

// The names offered in a context, those beginning with what is typed
// (letter case aside), in order.
QStringList Names_For(const HtmlNames& names, const Context& context);

// What accepting `name` puts in place of the typed part, and how far back
// from its end the caret goes (into an attribute's quotes).
struct Insertion {
    QString text;
    int caretBack = 0;
};
Insertion Accepted(const Context& context, const QString& name);

} // namespace completion
