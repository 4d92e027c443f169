#pragma once
// Where the tool windows go inside the main window. The rules are pure
// arithmetic over slot codes, slider values and the inner area, so they live
// here, without widgets; the main window only applies the result.
//
// Lengths are twips unless a name says Px. The inner area runs from 60 to
// 60 + clientWidth across and 60 to 60 + clientHeight down.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

struct SharedState;

struct InnerGeometry {
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    int maxSplitX = 0;     // pixels
    int maxSplitY = 0;     // pixels
    int sliderHor = 0;     // pixels, the split kept at the same fraction
    int sliderVer = 0;
    int sliderHorMax = 0;
    int sliderVerMax = 0;
};

// Geometry of the inner area after the main window changed size.
// innerWidthPx/innerHeightPx: the inner area in pixels.
InnerGeometry Compute_Inner_Geometry(int innerWidthPx, int innerHeightPx, double tppX,
                                     double tppY, float splitRatioX, float splitRatioY);

// One window's placement.
struct Placement {
    enum class Action {
        Untouched,  // negative code: the window is left as it is
        Hide,       // code 0 (closed now) or a closed browser re-hidden
        Show,       // code above 0: shown, then moved to rect
    };
    Action action = Action::Untouched;
    QRect rect;  // twips, relative to the main window's inner area origin
};

struct ArrangeInput {
    int browser = 2, source = 2, images = -2, colors = -2;
    int toolPane = 0;
    bool horizontal = false;
    int sliderHor = 0, sliderVer = 0;  // pixels
    int maxSplitX = 0, maxSplitY = 0;  // pixels
    int clientWidth = 0, clientHeight = 0;
    double tppX = 15, tppY = 15;
    QSize colorsSize;  // the Color Selection window's own size, twips
    int findState = -2;
    // The room the tool window shown needs for its controls (frame
    // included), twips; empty when unknown. Its pane is widened to it, as
    // far as the other panes keep their least size.
    QSize toolNeeds;
};

struct ArrangeResult {
    // Codes after the rules (0 turned into -1 for windows hidden now).
    int browser = 0, source = 0, images = 0, colors = 0;
    int findState = -2;
    int sliderHor = 0, sliderVer = 0;
    float splitRatioX = 0, splitRatioY = 0;
    int panesShown = 0;
    Placement browserPlace, sourcePlace, imagesPlace, colorsPlace;
    bool focusBrowser = false;
};

ArrangeResult Compute_Arrangement(const ArrangeInput& in);

// The input from the program's state, and the result written back into it.
ArrangeInput Arrange_Input_From(const SharedState& s, double tppX, double tppY, QSize colorsSize);
void Apply_Arrange_Result(SharedState& s, const ArrangeResult& r);

// ---- keyboard ----------------------------------------------------------
// Shift masks as the key tables use them: 1 Shift, 2 Ctrl, 4 Alt.

// Alt / Shift+Alt with an arrow moves a split by 1 or 10 pixels. Returns true
// when the key was one of them (it is then consumed, whether or not a slider
// moved).
bool Move_Split(int keyCode, int shift, SharedState& s);

// Alt / Shift+Alt keys that move a window within an area. pos and size are
// the window's, area the area's, margin the distance kept from its edges;
// pixel steps are converted with tpp. Returns the new position, or nothing
// when the key is not a move key.
struct DialogMove {
    bool used = false;    // the key was a move key (consumed)
    QPoint pos;           // the new position (unchanged when blocked)
};
DialogMove Move_Dialog(int keyCode, int shift, QPoint pos, QSize size, QSize area, int margin,
                       double tppX, double tppY, bool screenRule);

// The help window stays on top of every other window, so a dialog it covers
// cannot be read. Where the help window (its frame, screen pixels) goes so
// that it leaves the dialog free: beside the dialog, to its right, below it,
// to its left or above it, whichever first fits on the screen; where none
// fits, beside it partly off the screen with enough of it left in sight to
// take it back; failing that, the place that covers least of the dialog.
// Nothing when it does not cover the dialog.
std::optional<QPoint> Help_Clear_Of(const QRect& help, const QRect& dialog, const QRect& screen);
