#include "options/options_rules.h"

#include "core/measure.h"
#include "core/shared_state.h"
#include "platform/vb_keys.h"

#include <algorithm>

namespace options {

namespace {

// The names as the colour boxes carry them, odd blanks included: they are
// what the settings file has always stored for these colours.
const char* const kColorNames[kColorBoxes] = {
    " Black ", "  Navy ", " Green ", " Cyan ", " Dark Red ", " Magenta ", " Dark Yellow ", " Light Grey  ",
    " Gray ", " Blue ", " Light Green ", " Light Cyan ", " Red ", " Light Magenta ", " Yellow ", " White ",
};

const char* const kLocationNames[kLocations] = {" Text/Values ", " Tags ", " Comments ", " Attributes "};

} // namespace

QString Distance_Text(int twips, int units)
{
    return Inch_Fraction(Twips_Measure(twips, units), units);
}

Distance Read_Distance(const QString& typed, int units)
{
    const QString shown = Measure_Text(typed, units);
    const float value = Measure_Value(shown, units);
    const double inches = units == 2 ? value / 2.54 : value;
    // Written this way round so that a value that is not a number (a typed
    // run of digits too long for a float) is limited too.
    if (!(inches >= 0))
        return {QString(), 0};
    if (!(inches <= kMaxDistanceTwips / 1440.0))
        return {Distance_Text(kMaxDistanceTwips, units), kMaxDistanceTwips};
    return {shown, std::min(Measure_Twips(value, units), kMaxDistanceTwips)};
}

int Font_Size_Row(int points)
{
    const auto* found = std::find(kFontSizes.begin(), kFontSizes.end(), points);
    if (found == kFontSizes.end())
        found = std::find(kFontSizes.begin(), kFontSizes.end(), 10);
    return int(found - kFontSizes.begin());
}

QString Color_Box_Name(int index)
{
    return index >= 0 && index < kColorBoxes ? QLatin1String(kColorNames[index]) : QString();
}

QString Location_Name(int index)
{
    return index >= 0 && index < kLocations ? QLatin1String(kLocationNames[index]) : QString();
}

bool Apply_Color(SharedState& s, int location, int color)
{
    // Plain text keeps its colour: it is the colour every page starts in.
    if (location <= 0 || location >= kLocations || color < 0 || color >= kColorBoxes)
        return false;
    if (s.Code_Color_Numbers[size_t(location)] == color)
        return false;
    s.Code_Color_Numbers[size_t(location)] = color;
    s.Code_Color_Names[size_t(location)] = Color_Box_Name(color);
    return true;
}

int Box_After_Key(int current, int keyCode, int count, int columns, bool homeEnd)
{
    int next = current;
    switch (keyCode) {
    case vb::Key_Home:
        if (!homeEnd)
            return -1;
        next = 0;
        break;
    case vb::Key_End:
        if (!homeEnd)
            return -1;
        next = count - 1;
        break;
    case vb::Key_Left: next = current - 1; break;
    case vb::Key_Right: next = current + 1; break;
    case vb::Key_Up: next = current - columns; break;
    case vb::Key_Down: next = current + columns; break;
    default: return -1;
    }
    return next >= 0 && next < count ? next : current;
}

QRect Box_Rect(int index, int columns, int pitch, int size, bool selected)
{
    const QRect normal((index % columns) * pitch, (index / columns) * pitch, size, size);
    return selected ? normal.adjusted(-75, -75, 75, 75) : normal;
}

site::DialogPlacement Place_Options(const QSize& client, const QSize& dialog, int helpShown,
                                    const QPoint& mainWindow, const QPoint& helpWindow)
{
    site::DialogPlacement p = site::Place_Working_Dialog(client, dialog, helpShown, mainWindow, helpWindow);
    // A dialog larger than the inner area keeps its title bar and its left
    // edge on the screen.
    p.dialog = QPoint(std::max(0, p.dialog.x()), std::max(0, p.dialog.y()));
    p.moveDialog = true;
    return p;
}

QString Storable_Text(const QString& typed)
{
    QString text = typed;
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

} // namespace options
