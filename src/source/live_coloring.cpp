#include "source/live_coloring.h"

#include "core/shared_state.h"
#include "platform/palette.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

// Over this many characters a page is coloured in slices, the top first.
constexpr int kHugeText = 5 * 1024 * 1024;
// A slice takes some tens of milliseconds: typing between them stays fluid.
constexpr int kSlice = 128 * 1024;

// Whether the whole document has one colour (no colouring of its own).
bool oneColour(const QTextDocument& doc)
{
    bool first = true;
    QColor colour;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QColor c = it.fragment().charFormat().foreground().color();
            if (first)
                colour = c, first = false;
            else if (c != colour)
                return false;
        }
    return true;
}

} // namespace

LiveColoring::LiveColoring(RichTextBox& box) : box_(box), boxAlive_(&box)
{
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, [this] { colorSlice(); });
}

LiveColoring::~LiveColoring()
{
    if (boxAlive_)
        boxAlive_->onTextEdit = nullptr;
}

void LiveColoring::setEnabled(bool on)
{
    if (on == on_)
        return;
    on_ = on;
    slices_.stop();
    followOrNot();
}

void LiveColoring::setFollowing(bool on)
{
    if (on == following_)
        return;
    following_ = on;
    followOrNot();
}

void LiveColoring::followOrNot()
{
    if (!on_ && !following_) {
        box_.onTextEdit = nullptr;
        live_.reset(QString());
        hooked_ = false;
        return;
    }
    if (hooked_)
        return;  // the scan is in step already
    hooked_ = true;
    live_.reset(box_.Text());
    box_.onTextEdit = [this](int pos, int removedUnits, const QString& inserted, RichTextBox::EditKind kind) {
        textEdited(pos, removedUnits, inserted, kind);
    };
}

std::vector<RichTextBox::ColorRun> LiveColoring::colored(const std::vector<colorcode::SlotRun>& runs) const
{
    quint32 colours[4];
    for (int i = 0; i < 4; ++i)
        colours[i] = Palette_Color(state().Code_Color_Numbers[size_t(i)]);
    std::vector<RichTextBox::ColorRun> out;
    out.reserve(runs.size());
    for (const colorcode::SlotRun& r : runs)
        out.push_back({r.start, r.length, colours[r.slot]});
    return out;
}

void LiveColoring::textEdited(int pos, int removedUnits, const QString& inserted, RichTextBox::EditKind kind)
{
    if (kind == RichTextBox::EditKind::NewText) {
        newText(inserted);
        return;
    }
    const int removed = live_.lengthOfLines(pos, removedUnits);
    // Colours changed alone (by hand, by Color Code): the text is the same.
    if (removed == int(inserted.size()) && live_.sameText(pos, inserted))
        return;
    const std::vector<colorcode::SlotRun> runs = live_.edit(pos, removed, inserted);
    if (pos < sliceFrom_)
        sliceFrom_ = std::max(pos, sliceFrom_ + int(inserted.size()) - removed);
    // Undo and redo put the colours back with the text.
    if (kind == RichTextBox::EditKind::Edit && on_)
        box_.colorWhereDifferent(colored(runs), true);
}

void LiveColoring::newText(const QString& text)
{
    slices_.stop();
    live_.reset(text);
    if (!on_ || !oneColour(*box_.document()))
        return;
    const int n = live_.length();
    const int first = n > kHugeText ? kSlice : n;
    box_.colorWhereDifferent(colored(live_.runs(0, first)), false);
    sliceFrom_ = first;
    if (first < n)
        slices_.start();
}

void LiveColoring::colorSlice()
{
    const int n = live_.length();
    const int to = std::min(n, sliceFrom_ + kSlice);
    if (sliceFrom_ < to)
        box_.colorWhereDifferent(colored(live_.runs(sliceFrom_, to)), false);
    sliceFrom_ = to;
    if (to >= n)
        slices_.stop();
}
