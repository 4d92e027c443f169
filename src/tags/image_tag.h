#pragma once
// The image tag the Images tool builds, and the numbers it shows beside the
// current picture. Pure text work: the window hands in what its controls
// hold and shows what comes back.
//
// The tag, with Q the quote character:
//     <img src=Q Images/name Q width=Q w Q height=Q h Q [alt=Q text Q] [border=Q n Q]>
// (" />" in place of ">" for XHTML), wrapped as
//     <a href=Q link Q [target=Q t Q]> tag </a>
// when a page or an anchor is chosen. Attribute order never changes.

#include <QString>

namespace image_tag {

// The text shown for a list's entry when nothing is chosen (item 0 of the
// page, anchor and target lists).
extern const QString None_Item;  // " None"

// What a list choice contributes: "" for item 0, no selection, or the text
// " None"; else the text.
QString Chosen(int selectedIndex, const QString& text);

struct Attributes {
    QString Image_Name;  // file name with extension
    int Width = 0;       // pixels
    int Height = 0;
    QString Alt;         // as typed
    QString Border;      // the border field as typed
    QString Page;        // page base name; "" for none
    QString Anchor;      // "" for none
    QString Target;      // "" for none
    bool Use_XHTML = false;
    // The border as a style property (tags/modern_markup.h) instead of
    // the border attribute.
    bool Modern = false;
    QString Quote = QStringLiteral("\"");
};

// The whole tag, link included when there is a page or an anchor.
QString Image_Tag(const Attributes& a);

// The href value: the page (".html" added when its name has no dot), then
// "#" and the anchor when there is one, both as Url_Name writes them. ""
// when there is neither.
QString Link(const QString& page, const QString& anchor);

// A file or page name as it may stand in a URL path: characters that a URL
// does not allow there (blanks, "#", "?", "%", non-ASCII ...) are
// percent-encoded as UTF-8.
QString Url_Name(const QString& name);

// The alt text inside its quotes: a double quote becomes &quot;, everything
// else (entities typed on purpose included) stays as typed.
QString Alt_Value(const QString& alt);

// The border field's leading number, rounded to a whole number; 0 when the
// field does not start with a number ("3px" gives 3, "px3" 0).
int Border_Value(const QString& field);

// A number with the pattern "#": whole, rounded; zero gives "".
QString Format_Whole(double value);
// A number with the pattern "#.#": at most one decimal; the decimal point
// always shows, a value below 1 has no leading zero (0 gives ".", 0.5 ".5",
// 1 "1.", 1.5 "1.5").
QString Format_One_Decimal(double value);

// "w = 640,  h = 480"
QString Size_Text(int width, int height);
// "File Size: 1.5 kb" for 1536 bytes.
QString File_Size_Text(qint64 bytes);

} // namespace image_tag
