#pragma once
// The two palettes of the Colours tool and the rules for moving through them.
//
// "Safe Colors": 216 cells, 18 to a column in 12 columns, filled top to bottom
// and then left to right. Each colour mixes the levels 00, 33, 66, 99, CC, FF:
// red follows the column (up the levels in columns 0-5, back down in 6-11),
// green steps every six rows (levels 0-2 in the first six columns, 3-5 in the
// last six), blue follows the row within its group of six. A cell yields its
// "#RRGGBB" text.
//
// "Named Colors": 140 cells, 14 to a column in 10 columns. A cell yields its
// name and shows the colour the CSS colour keywords give that name, except
// three names that are no CSS keywords (or are shown differently on purpose):
// OliveGreen, NavyBlue and Crimson carry colours of their own.
//
// Colour values are 0x00BBGGRR (platform/palette.h).

#include <QString>
#include <QtGlobal>

namespace palettes {

enum class Kind { Safe = 0, Named = 1 };

struct Shape {
    int count;
    int perColumn;
    int columns() const { return count / perColumn; }
};
Shape Shape_Of(Kind kind);

// What cell (0-based, in cell order) yields and shows; "" and black outside.
QString Cell_Text(Kind kind, int cell);
quint32 Cell_Value(Kind kind, int cell);

inline int Column_Of(Kind kind, int cell) { return cell / Shape_Of(kind).perColumn; }
inline int Row_Of(Kind kind, int cell) { return cell % Shape_Of(kind).perColumn; }
// The cell at a column and row (the sliders); -1 outside the palette.
int Cell_At(Kind kind, int column, int row);

// Moving the selection with the keys: Home the first cell, End the last,
// Left/Right one column, Up/Down one row within the column. A move past an
// edge keeps the cell.
enum class Move { Home, End, Left, Right, Up, Down };
int Moved_Cell(Kind kind, int cell, Move move);

// ---- finding a colour by its number ------------------------------------------
// The find field takes only what a safe colour's text can hold: digits, "#",
// "C" and "F" ("c" and "f" become capitals). Any other character gives 0.
QChar Find_Key_Filter(QChar typed);
// The text looked up: the field's text with "#" put in front when missing.
QString Find_Text(const QString& field);
// The safe colour cell whose text equals text exactly, or -1.
int Find_Safe_Cell(const QString& text);

} // namespace palettes
