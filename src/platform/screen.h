#pragma once
// Screen measures in the units the layout rules use. Twips per pixel follow
// the screen's logical resolution (15 at 96 DPI).

#include <QSize>

double Twips_Per_Pixel_X();
double Twips_Per_Pixel_Y();
QSize Screen_Size_Pixels();  // the primary screen's available size

// Pixels and twips, rounded to whole pixels or twips.
int Px_From_Twips_X(int twips);
int Px_From_Twips_Y(int twips);
int Twips_From_Px_X(int px);
int Twips_From_Px_Y(int px);
