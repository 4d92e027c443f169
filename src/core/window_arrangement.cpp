#include "core/window_arrangement.h"

#include "core/shared_state.h"
#include "platform/vb_keys.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 60;
constexpr int kMinSplit = 170;

int wholePart(double v) { return static_cast<int>(std::floor(v)); }

int clampSplit(int value, int limit)
{
    if (value < kMinSplit)
        value = kMinSplit;
    if (value > limit)
        value = limit;
    return value;
}

QRect rectOf(int left, int top, int width, int height)
{
    return QRect(left, top, std::max(width, 0), std::max(height, 0));
}

bool hasToolPane(int toolPane) { return toolPane >= 1 && toolPane <= 3; }

} // namespace

InnerGeometry Compute_Inner_Geometry(int innerWidthPx, int innerHeightPx, double tppX,
                                     double tppY, float splitRatioX, float splitRatioY)
{
    InnerGeometry g;
    g.sliderHorMax = innerWidthPx;
    g.sliderVerMax = innerHeightPx;
    g.clientWidth = wholePart(innerWidthPx * tppX) - 120;
    g.clientHeight = wholePart(innerHeightPx * tppY) - 120;

    g.maxSplitX = innerWidthPx - kMinSplit;
    if (g.maxSplitX < kMinSplit)
        g.maxSplitX = g.clientWidth < 2501 ? wholePart(g.clientWidth / tppX) : kMinSplit;
    g.maxSplitY = innerHeightPx - kMinSplit;
    if (g.maxSplitY < kMinSplit)
        g.maxSplitY = g.clientHeight < 2501 ? wholePart(g.clientHeight / tppY) : kMinSplit;

    g.sliderHor = wholePart(splitRatioX * (g.clientWidth / tppX));
    g.sliderVer = wholePart(splitRatioY * (g.clientHeight / tppY));
    return g;
}

ArrangeResult Compute_Arrangement(const ArrangeInput& in)
{
    ArrangeResult r;
    r.browser = in.browser;
    r.source = in.source;
    r.images = in.images;
    r.colors = in.colors;
    r.findState = in.findState;
    r.sliderHor = in.sliderHor;
    r.sliderVer = in.sliderVer;
    const int CW = in.clientWidth;
    const int CH = in.clientHeight;

    // 2. The split fractions, kept when the main window is resized.
    r.splitRatioX = CW != 0 ? static_cast<float>(in.sliderHor * in.tppX / CW) : 0.f;
    r.splitRatioY = CH != 0 ? static_cast<float>(in.sliderVer * in.tppY / CH) : 0.f;

    // 3. Panes in use.
    const bool tool = hasToolPane(in.toolPane);
    r.panesShown = (r.browser > 0) + (r.source > 0) + (tool ? 1 : 0);

    // 4. Only one tool window shares the main window.
    if (in.toolPane == 1) {
        if (r.colors > 0)
            r.colors = 0;
        if (r.panesShown == 1 && r.images > 0)
            r.images = 1;
    } else if (in.toolPane == 2) {
        if (r.images > 0)
            r.images = 0;
        if (r.panesShown == 1 && r.colors > 0)
            r.colors = 1;
    } else {
        if (r.images > 0)
            r.images = 0;
        if (r.colors > 0)
            r.colors = 0;
    }

    // 5. The source shares its pane with a tool window, or has it alone.
    if (!tool && r.source == 3)
        r.source = 2;
    else if (tool && r.source >= 2)
        r.source = 3;

    // 6. Splits inside their limits when there is something to split.
    const bool splitUsed = !(r.panesShown <= 1 || (r.panesShown == 2 && tool));
    if (splitUsed) {
        if (in.horizontal)
            r.sliderVer = clampSplit(r.sliderVer, in.maxSplitY);
        else
            r.sliderHor = clampSplit(r.sliderHor, in.maxSplitX);
        if (r.panesShown == 3) {
            if (in.horizontal)
                r.sliderHor = clampSplit(r.sliderHor, in.maxSplitX);
            else
                r.sliderVer = clampSplit(r.sliderVer, in.maxSplitY);
        }
    }

    // A tool window beside other panes gets the room its controls need
    // (in a pane of its own, code 2, the room across the split; beside the
    // source, code 3, both ways), short of squeezing the others below their
    // least size: a tool cut to scroll bars is of no use.
    if (tool && in.toolNeeds.isValid() && in.toolPane <= 2) {
        const int code = in.toolPane == 1 ? r.images : r.colors;
        const auto roomFor = [](int slider, int client, int need, double tpp) {
            const int most = static_cast<int>((client - need) / tpp);
            return std::min(slider, std::max(most, kMinSplit));
        };
        if (code == 3 || (code == 2 && !in.horizontal))
            r.sliderHor = roomFor(r.sliderHor, CW, in.toolNeeds.width(), in.tppX);
        if (code == 3 || (code == 2 && in.horizontal))
            r.sliderVer = roomFor(r.sliderVer, CH, in.toolNeeds.height(), in.tppY);
    }

    // 7. Place Browser, Source, Images, Color Selection in that order; the
    // browser's fixed sizes move the splits before the others are placed.
    auto X = [&] { return wholePart(r.sliderHor * in.tppX); };
    auto Y = [&] { return wholePart(r.sliderVer * in.tppY); };
    auto whole = [&] { return rectOf(kMargin, kMargin, CW, CH); };
    auto firstPane = [&] {
        return in.horizontal ? rectOf(kMargin, kMargin, CW, std::max(Y() - kMargin, kMargin))
                             : rectOf(kMargin, kMargin, std::max(X() - kMargin, kMargin), CH);
    };
    auto secondPane = [&] {
        return in.horizontal ? rectOf(kMargin, Y() + kMargin, CW, std::max(CH - Y(), 0))
                             : rectOf(X() + kMargin, kMargin, std::max(CW - X(), 0), CH);
    };
    auto sourceThree = [&] {
        return in.horizontal
            ? rectOf(kMargin, Y() + kMargin, std::max(X() - kMargin, kMargin), CH - Y())
            : rectOf(X() + kMargin, kMargin, CW - X(), std::max(Y() - kMargin, kMargin));
    };
    auto toolThree = [&] { return rectOf(X() + kMargin, Y() + kMargin, CW - X(), CH - Y()); };

    auto closeNow = [](int& code, Placement& p) {
        p.action = Placement::Action::Hide;
        code = -1;
    };

    // Browser.
    if (r.browser > 0) {
        r.browserPlace.action = Placement::Action::Show;
        switch (r.browser) {
        case 1: r.browserPlace.rect = whole(); break;
        case 3:
        case 4: {
            const int w = wholePart((r.browser == 3 ? 670 : 830) * in.tppX);
            const int h = wholePart((r.browser == 3 ? 480 : 600) * in.tppY);
            r.browserPlace.rect = rectOf(kMargin, kMargin, w, h);
            r.sliderHor = wholePart(std::min(CW, w + kMargin) / in.tppX);
            r.sliderVer = wholePart(std::min(CH, h + kMargin) / in.tppY);
            break;
        }
        default: r.browserPlace.rect = firstPane(); break;
        }
    } else if (r.browser == 0) {
        closeNow(r.browser, r.browserPlace);
    } else if (r.panesShown > 0) {
        r.browserPlace.action = Placement::Action::Hide;
    }

    // Source.
    if (r.source > 0) {
        r.sourcePlace.action = Placement::Action::Show;
        r.sourcePlace.rect = r.source == 1 ? whole() : r.source == 3 ? sourceThree() : secondPane();
    } else if (r.source == 0) {
        closeNow(r.source, r.sourcePlace);
        if (r.findState == 1)
            r.findState = 0;
    }

    // Images.
    if (r.images > 0) {
        r.imagesPlace.action = Placement::Action::Show;
        r.imagesPlace.rect = r.images == 1 ? whole() : r.images == 3 ? toolThree() : secondPane();
    } else if (r.images == 0) {
        closeNow(r.images, r.imagesPlace);
    }

    // Color Selection: alone it is a free window of its own size.
    if (r.colors > 0) {
        r.colorsPlace.action = Placement::Action::Show;
        if (r.colors == 1) {
            const int w = in.colorsSize.width();
            const int h = in.colorsSize.height();
            r.colorsPlace.rect = QRect(kMargin + (CW - w) / 2, kMargin + (CH - h) / 2, w, h);
        } else {
            r.colorsPlace.rect = r.colors == 3 ? toolThree() : secondPane();
        }
    } else if (r.colors == 0) {
        closeNow(r.colors, r.colorsPlace);
    }

    // 8.
    r.focusBrowser = r.browser == 1;
    return r;
}

ArrangeInput Arrange_Input_From(const SharedState& s, double tppX, double tppY, QSize colorsSize)
{
    ArrangeInput in;
    in.browser = s.Browser_Window_Pos;
    in.source = s.Source_Window_Pos;
    in.images = s.Image_Window_Pos;
    in.colors = s.Color_Window_Pos;
    in.toolPane = s.Tool_Pane_Window;
    in.horizontal = s.Arrange_Horizontal;
    in.sliderHor = s.Slider_Hor.value;
    in.sliderVer = s.Slider_Ver.value;
    in.maxSplitX = s.Max_Split_X;
    in.maxSplitY = s.Max_Split_Y;
    in.clientWidth = s.Client_Width;
    in.clientHeight = s.Client_Height;
    in.tppX = tppX;
    in.tppY = tppY;
    in.colorsSize = colorsSize;
    in.findState = s.Find_Window_State;
    return in;
}

void Apply_Arrange_Result(SharedState& s, const ArrangeResult& r)
{
    s.Browser_Window_Pos = r.browser;
    s.Source_Window_Pos = r.source;
    s.Image_Window_Pos = r.images;
    s.Color_Window_Pos = r.colors;
    s.Find_Window_State = r.findState;
    s.Slider_Hor.value = r.sliderHor;
    s.Slider_Ver.value = r.sliderVer;
    s.Split_Ratio_X = r.splitRatioX;
    s.Split_Ratio_Y = r.splitRatioY;
    s.Panes_Shown = r.panesShown;
}

bool Move_Split(int keyCode, int shift, SharedState& s)
{
    if (shift != vb::AltMask && shift != (vb::AltMask | vb::ShiftMask))
        return false;
    const int step = (shift & vb::ShiftMask) ? 10 : 1;
    switch (keyCode) {
    case vb::Key_Left:
        if (s.Slider_Hor.value > 10)
            s.Slider_Hor.value -= step;
        return true;
    case vb::Key_Right:
        if (s.Slider_Hor.value < s.Max_Split_X)
            s.Slider_Hor.value += step;
        return true;
    case vb::Key_Up:
        if (s.Slider_Ver.value > 10)
            s.Slider_Ver.value -= step;
        return true;
    case vb::Key_Down:
        if (s.Slider_Ver.value < s.Max_Split_Y)
            s.Slider_Ver.value += step;
        return true;
    default:
        return false;
    }
}

DialogMove Move_Dialog(int keyCode, int shift, QPoint pos, QSize size, QSize area, int margin,
                       double tppX, double tppY, bool screenRule)
{
    DialogMove m;
    m.pos = pos;
    if (shift != vb::AltMask && shift != (vb::AltMask | vb::ShiftMask))
        return m;
    const int W = size.width();
    const int H = size.height();
    const int stepX = wholePart(10 * tppX);
    const int stepY = wholePart(10 * tppY);
    // On the screen a window must stay clear of the last 120 twips.
    const int limitX = screenRule ? area.width() - 120 : area.width();
    const int limitY = screenRule ? area.height() - 120 : area.height();
    switch (keyCode) {
    case vb::Key_Home:
        m.used = true;
        if (shift & vb::ShiftMask)
            m.pos = QPoint((area.width() - W) / 2, (area.height() - H) / 2);
        else
            m.pos = QPoint(margin, margin);
        break;
    case vb::Key_End:
        m.used = true;
        m.pos = QPoint(area.width() - W - margin, area.height() - H - margin);
        break;
    case vb::Key_Left:
        m.used = true;
        if (pos.x() - stepX > 0)
            m.pos.rx() -= stepX;
        break;
    case vb::Key_Up:
        m.used = true;
        if (pos.y() - stepY > 0)
            m.pos.ry() -= stepY;
        break;
    case vb::Key_Right:
        m.used = true;
        if (pos.x() + stepX + W < limitX)
            m.pos.rx() += stepX;
        break;
    case vb::Key_Down:
        m.used = true;
        if (pos.y() + stepY + H < limitY)
            m.pos.ry() += stepY;
        break;
    default:
        break;
    }
    return m;
}

std::optional<QPoint> Help_Clear_Of(const QRect& help, const QRect& dialog, const QRect& screen)
{
    if (!help.intersects(dialog) || screen.isEmpty())
        return std::nullopt;
    constexpr int gap = 8;
    const auto clampX = [&](int x) { return std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - help.width())); };
    const auto clampY = [&](int y) { return std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - help.height())); };
    const QPoint candidates[] = {
        {dialog.right() + 1 + gap, clampY(help.top())},
        {clampX(help.left()), dialog.bottom() + 1 + gap},
        {dialog.left() - gap - help.width(), clampY(help.top())},
        {clampX(help.left()), dialog.top() - gap - help.height()},
    };
    std::optional<QPoint> best;
    qint64 bestCover = 0;
    const auto coverOf = [&](QPoint p) {
        const QRect covered = QRect(p, help.size()).intersected(dialog);
        return covered.isEmpty() ? qint64(0) : qint64(covered.width()) * covered.height();
    };
    for (const QPoint& c : candidates) {
        const QPoint p(clampX(c.x()), clampY(c.y()));
        const qint64 cover = coverOf(p);
        if (cover == 0)
            return p;
        if (!best || cover < bestCover) {
            best = p;
            bestCover = cover;
        }
    }
    // No room on the screen: beside the dialog all the same, partly off the
    // screen, as long as enough of it stays in sight to take it back.
    constexpr int inSight = 120;
    for (int i = 0; i < 4; ++i) {
        const bool across = i % 2 == 0;  // right and left move across
        const QPoint p(across ? candidates[i].x() : clampX(candidates[i].x()),
                       across ? clampY(candidates[i].y()) : candidates[i].y());
        const QRect shown = QRect(p, help.size()).intersected(screen);
        const bool sight = across ? shown.width() >= std::min(inSight, help.width())
                                  : shown.height() >= std::min(inSight, help.height());
        if (sight && coverOf(p) == 0)
            return p;
    }
    return best;
}
