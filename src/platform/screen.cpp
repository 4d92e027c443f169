#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {
double tpp(bool horizontal)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 15.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}
} // namespace

double Twips_Per_Pixel_X() { return tpp(true); }
double Twips_Per_Pixel_Y() { return tpp(false); }

QSize Screen_Size_Pixels()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

int Px_From_Twips_X(int twips) { return static_cast<int>(std::lround(twips / Twips_Per_Pixel_X())); }
int Px_From_Twips_Y(int twips) { return static_cast<int>(std::lround(twips / Twips_Per_Pixel_Y())); }
int Twips_From_Px_X(int px) { return static_cast<int>(std::lround(px * Twips_Per_Pixel_X())); }
int Twips_From_Px_Y(int px) { return static_cast<int>(std::lround(px * Twips_Per_Pixel_Y())); }
