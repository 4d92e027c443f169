#pragma once
// Places a bar's controls in rows: each at its preferred width, left to
// right, a new row starting where the next control would pass the right
// edge. A bar narrower than its controls (a narrow pane, a large screen
// scale) so grows downwards, every caption whole, instead of cutting them.

#include <QRect>

#include <vector>

class QWidget;

struct FlowRows {
    // Controls from the left, then controls kept together at the right end
    // of the last row (on a row of their own when they do not fit beside).
    std::vector<QWidget*> lead;
    std::vector<QWidget*> trailing;
    int gap = 2;  // pixels between controls and between rows

    // Places the controls within area's width from its top left; controls
    // hidden on purpose are left out. Returns the height used. With apply
    // false only measures.
    int place(const QRect& area, bool apply = true) const;
    // The height of one row: the tallest control's preferred height.
    int rowHeight() const;
};
