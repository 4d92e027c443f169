#pragma once
// The page setup's arithmetic: margins shown and typed in the user's unit,
// margins kept within the paper, and the small picture of the sheet with its
// text area. No widgets here.

#include <QRect>
#include <QSize>
#include <QString>

namespace page_setup {

// 1.0 for inches (units 1), 2.54 for centimetres.
double Unit_Factor(int units);

// The text a margin box shows for a margin in twips.
QString Margin_Text(int twips, int units);
// The twips of a margin box's text, rounded to a whole twip.
int Margin_Twips(const QString& text, int units);

// The room a page keeps for its text, each way, whatever the margins.
inline constexpr int kMinText = 1440;
// A margin brought within the paper: at least 0, and leaving kMinText for
// the text beside the opposite margin.
int Limit_Margin(int twips, int paperExtent, int opposite);

// The page picture, in picture units (a tenth of the sheet's twips) with the
// sheet's corner at (120, 120): the sheet, and its text area for margin
// values l, t, r, b as typed in the user's unit.
inline constexpr int kSheetCorner = 120;
QRect Sheet_Picture(QSize paper);
QRect Text_Area_Picture(QSize paper, double l, double t, double r, double b, int units);

} // namespace page_setup
