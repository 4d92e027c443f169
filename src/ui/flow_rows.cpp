#include "ui/flow_rows.h"

#include <QWidget>

#include <algorithm>

namespace {

bool counts(const QWidget* w) { return w && !w->isHidden(); }

} // namespace

int FlowRows::rowHeight() const
{
    int h = 0;
    for (const auto* list : {&lead, &trailing})
        for (const QWidget* w : *list)
            if (counts(w))
                h = std::max(h, w->sizeHint().height());
    return h;
}

int FlowRows::place(const QRect& area, bool apply) const
{
    const int h = rowHeight();
    const int left = area.left();
    const int right = area.left() + std::max(area.width(), 0);
    int x = left;
    int y = area.top();
    bool rowUsed = false;
    const auto put = [&](QWidget* w, int width) {
        if (rowUsed && x + width > right) {
            x = left;
            y += h + gap;
        }
        if (apply)
            w->setGeometry(x, y, width, h);
        x += width + gap;
        rowUsed = true;
    };
    for (QWidget* w : lead)
        if (counts(w))
            put(w, w->sizeHint().width());

    int together = 0;
    for (const QWidget* w : trailing)
        if (counts(w))
            together += w->sizeHint().width() + (together ? gap : 0);
    if (together > 0) {
        if (rowUsed && x + together > right) {
            x = left;
            y += h + gap;
            rowUsed = false;
        }
        // Against the right edge when they fit there, else on from the left.
        x = std::max(x, right - together);
        for (QWidget* w : trailing)
            if (counts(w))
                put(w, w->sizeHint().width());
    }
    return rowUsed ? y + h - area.top() : 0;
}
