#include "print/page_setup.h"

#include "core/measure.h"

#include <algorithm>
#include <cmath>

namespace page_setup {

double Unit_Factor(int units)
{
    return units == 1 ? 1.0 : 2.54;
}

QString Margin_Text(int twips, int units)
{
    return Inch_Fraction(twips / 1440.0 * Unit_Factor(units), units);
}

int Margin_Twips(const QString& text, int units)
{
    return int(std::lround(Measure_Value(text, units) * 1440.0 / Unit_Factor(units)));
}

int Limit_Margin(int twips, int paperExtent, int opposite)
{
    const int most = std::max(paperExtent - std::max(opposite, 0) - kMinText, 0);
    return std::clamp(twips, 0, most);
}

QRect Sheet_Picture(QSize paper)
{
    return QRect(kSheetCorner, kSheetCorner, paper.width() / 10, paper.height() / 10);
}

QRect Text_Area_Picture(QSize paper, double l, double t, double r, double b, int units)
{
    const double f = Unit_Factor(units);
    const int left = int(std::floor(l * 144 / f));
    const int top = int(std::floor(t * 144 / f));
    const int width = int(std::lround(paper.width() / 10.0 - r * 144 / f - left));
    const int height = int(std::lround(paper.height() / 10.0 - b * 144 / f - top));
    return QRect(left + kSheetCorner, top + kSheetCorner, std::max(width, 0), std::max(height, 0));
}

} // namespace page_setup
