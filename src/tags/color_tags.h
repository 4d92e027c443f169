#pragma once
// What the Colours tool composes: the choices a user makes for a page's body,
// a table with its cells and four font colours, and the start tags made from
// them. The tool keeps one Color_Choices and shows it; the colour setting
// files (tags/color_settings_file.h) store and restore it whole.

#include "platform/palette.h"

#include <QString>
#include <QStringList>

#include <array>

namespace color_tags {

// The colour targets, in the order the setting files keep them.
enum Target {
    Body,
    Text,
    Link,
    ALink,
    VLink,
    Table,
    Cells,
    Font_1,
    Font_2,
    Font_3,
    Font_4,
    Target_Count
};

// The areas that can have a background pattern instead of a colour.
enum Area { Body_Area, Table_Area, Cell_Area, Area_Count };

// Each target has the text that goes into the tags (a "#RRGGBB" text, a
// colour name or whatever the user typed) and the colour its sample shows,
// 0x00BBGGRR, or a system colour (below 0) until one was chosen.
struct Color_Target {
    QString Text;
    qint32 Value = System_Window_Color;
    bool operator==(const Color_Target&) const = default;
};

// Before any choice: backgrounds in the window colour, the text, link and
// font samples in the window's text colour.
std::array<Color_Target, Target_Count> Default_Colors();

struct Color_Choices {
    std::array<bool, Area_Count> Use_Pattern{};    // false: the colour option
    std::array<QString, Area_Count> Pattern;       // file names in "Backgrnd", "" none
    std::array<Color_Target, Target_Count> Colors = Default_Colors();
    QString Spacing;                               // cell spacing as typed
    bool operator==(const Color_Choices&) const = default;
};

// The target whose colour paints an area's background.
Target Area_Target(Area area);

// Appends prefix, value and quote when value is not empty; every prefix ends
// in the quote, so the attribute reads name="value".
void Add_Attribute(QString& text, const QString& prefix, const QString& value, const QString& quote);

// One line: "<body" with the background (pattern or colour), text and the
// three link colours, then ">". Empty values leave their attribute out.
QString Body_Choices(const Color_Choices& c, const QString& quote);
// Two lines, joined by CR LF: "<table" with its background and, when the
// spacing rounds to more than 0, the spacing as typed; then "<td" with its
// background.
QString Table_Choices(const Color_Choices& c, const QString& quote);
// One "<font color=...>" line per font colour set, fonts 1 to 4 in order,
// each ended by CR LF; "" when none is set.
QString Font_Choices(const Color_Choices& c, const QString& quote);

// The numeric value of the spacing text (its leading number, 0 when it has
// none), rounded to an integer.
int Spacing_Value(const QString& spacing);

// The entries "Add to List" stores: the lines of the choices text, cut at
// every kind of line break, without empty or blank ones.
QStringList Choice_Lines(const QString& choices);

} // namespace color_tags
