#pragma once
// The texts the source editor's button bar and tag bars put into a page.
// Nothing here touches a widget: the bars hand over what is chosen and
// selected and insert what comes back.

#include <QString>
#include <QStringList>

#include <array>

namespace tag_insertion {

// ---- tag bars ---------------------------------------------------------------
// Bars: 0 colours, 1 images, 2 web links, 3 anchors, 4 pages (Tag_Index).
constexpr int Bar_Count = 5;

// Placeholder at position 0 of each bar's list (each begins with a blank so
// that it sorts before every entry).
QString Placeholder(int bar);

// The fixed items that open both target boxes: "Target" and "none" (both
// meaning no target attribute), "_blank", "_parent", "_top".
QStringList Fixed_Targets();
constexpr int Fixed_Target_Count = 5;

// What the chosen entry of a bar stands for.
struct Choice {
    int position = 0;        // selected position in the bar's list; 0 = the placeholder
    QString entry;           // the text at that position
    QString selection;       // the editor's selected text, maybe ""
    int targetPosition = 0;  // selected position in the bar's target box (bars 2 and 4)
    QString targetText;      // the target box's text
};

// The text "&Add" ("&Go To" on bar 3) inserts; "" when nothing is to be
// inserted (the placeholder or an empty entry is selected). On bar 2 an
// entry holding "@" gives the e-mail link instead.
QString Goto_Text(int bar, const Choice& c);
// The text "&Here" (bar 3) inserts: a named anchor around the selection.
QString Here_Text(const Choice& c);

// The parts, for callers that build one kind only.
// A web address link: "http://" is put in front unless the address begins
// with "http://", "https://" or "file:///" (case-sensitive).
QString Web_Link(const QString& address, const QString& selection, const QString& targetAttribute);
// A mail link without target: "mailto:" in front unless the entry holds it
// already in any letter case.
QString Email_Link(const QString& address, const QString& selection);
// A link to a page of the site: ".html" appended when the name has no ".".
QString Page_Link(const QString& page, const QString& selection, const QString& targetAttribute);
QString Jump_Link(const QString& anchor, const QString& selection);
QString Named_Anchor(const QString& anchor, const QString& selection);
// ` target="name"` when a real target is chosen (position above 1), else "".
QString Target_Attribute(int targetPosition, const QString& targetText);

// ---- button bar -------------------------------------------------------------
constexpr int Button_Count = 30;

struct Button {
    QString caption;  // "" hides the button
    QString text;     // the insertion text as stored, with ^P and ^T
};
using Button_Set = std::array<Button, Button_Count>;

// The twelve built-in buttons; the rest are empty.
Button_Set Built_In_Buttons();

// Applies the lines of a button file to set: lines 2k+1 and 2k+2 are the
// caption and insertion text of button k. A caption of "" or " " empties
// button k; at most Button_Count pairs are used; an unpaired last caption is
// ignored. Buttons the file does not reach keep what they had.
void Apply_Button_File(Button_Set& set, const QStringList& lines);

// The inserted text: every "^T" becomes a tab, then every "^P" CR LF
// (case-sensitive).
QString Expand_Escapes(const QString& stored);

} // namespace tag_insertion
