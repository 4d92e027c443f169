#pragma once
// What the Options dialog decides without a window: how the two distances are
// shown and read back, which font sizes it offers, what applying a colour
// changes, how the colour and location boxes are laid out and moved between,
// where the dialog opens, and what text may go into the settings file.

#include "core/site_layout.h"

#include <QRect>
#include <QString>

#include <array>

struct SharedState;

namespace options {

// ---- distances (text indent, tab spacing) ------------------------------------

// The text a stored distance shows in the unit (1 inches, 2 centimetres).
QString Distance_Text(int twips, int units);

// Ten inches: more pushes the text off any page; a typed value outside
// 0 .. this is limited to it.
inline constexpr int kMaxDistanceTwips = 14400;

struct Distance {
    QString text;    // what the field shows afterwards
    int twips = 0;   // what is stored
};
// A distance the user typed, formatted and converted. A value that had to be
// limited is shown as the limit, so the field says what is stored.
Distance Read_Distance(const QString& typed, int units);

// ---- font sizes ----------------------------------------------------------------

inline constexpr std::array<int, 8> kFontSizes{8, 9, 10, 11, 12, 14, 16, 18};
// (Usable_Font_Size in core/settings_file.h limits a size to 8 .. 18.)
// The row of the size list that shows points, else the row of 10.
int Font_Size_Row(int points);

// ---- colour-coding colours ---------------------------------------------------

inline constexpr int kColorBoxes = 16;
inline constexpr int kColorColumns = 4;
inline constexpr int kLocations = 4;
inline constexpr int kLocationColumns = 2;

// The name of palette colour i as its box shows it (" Blue "), blanks included.
QString Color_Box_Name(int index);
// The colour slot a location box stands for (" Comments ").
QString Location_Name(int index);

// Gives location the colour: not for Text/Values (location 0), and only when
// the colour differs. Returns whether anything changed.
bool Apply_Color(SharedState& s, int location, int color);

// The box a key selects from current in a grid of count boxes, columns wide:
// Left and Right move by one, Up and Down by a row, Home and End (when
// homeEnd) go to the first and last box. A move that would leave the grid
// keeps current. Returns -1 for a key that is not one of these.
int Box_After_Key(int current, int keyCode, int count, int columns, bool homeEnd);

// Box i's rectangle in its group (twips): boxes of size side by side at pitch,
// row by row. The selected box is drawn 75 twips further left and up and
// 150 twips wider and taller.
QRect Box_Rect(int index, int columns, int pitch, int size, bool selected);

// ---- placing the dialog --------------------------------------------------------

// Centred in the main window's inner area, or at 60, 60 with the help window
// pushed aside once it has been shown; never at a negative position when the
// dialog is larger than the inner area.
site::DialogPlacement Place_Options(const QSize& client, const QSize& dialog, int helpShown,
                                    const QPoint& mainWindow, const QPoint& helpWindow);

// ---- text for the settings file ------------------------------------------------

// A typed home page or bookmark string as it can be stored: line breaks
// removed. (A double quote cannot be stored at all; the dialog refuses it.)
QString Storable_Text(const QString& typed);

} // namespace options
