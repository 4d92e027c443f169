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
// A change whose colours reach further than this is coloured in view first.
constexpr int kLongRecolouring = 32 * 1024;

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

using Spans = std::vector<LiveColoring::Span>;

// Spans after `removed` characters at pos gave way to `added`: a span that
// loses text to the change takes in what came instead.
void follow(Spans& spans, int pos, int removed, int added)
{
    const int end = pos + removed, delta = added - removed;
    Spans out;
    out.reserve(spans.size());
    for (const LiveColoring::Span& s : spans) {
        const int from = s.from < pos ? s.from : (s.from >= end ? s.from + delta : pos);
        const int to = s.to <= pos ? s.to : (s.to >= end ? s.to + delta : pos + added);
        if (from < to)
            out.push_back({from, to});
    }
    spans = std::move(out);
}

// The spans with [from, to) added, still ascending and apart.
void add(Spans& spans, int from, int to)
{
    if (from >= to)
        return;
    auto it = std::lower_bound(spans.begin(), spans.end(), from,
                               [](const LiveColoring::Span& s, int x) { return s.to < x; });
    auto last = it;
    while (last != spans.end() && last->from <= to) {
        from = std::min(from, last->from);
        to = std::max(to, last->to);
        ++last;
    }
    it = spans.erase(it, last);
    spans.insert(it, {from, to});
}

// The spans without [from, to).
void remove(Spans& spans, int from, int to)
{
    Spans out;
    out.reserve(spans.size() + 1);
    for (const LiveColoring::Span& s : spans) {
        if (s.to <= from || s.from >= to) {
            out.push_back(s);
            continue;
        }
        if (s.from < from)
            out.push_back({s.from, from});
        if (s.to > to)
            out.push_back({to, s.to});
    }
    spans = std::move(out);
}

} // namespace

LiveColoring::LiveColoring(RichTextBox& box) : box_(box), boxAlive_(&box)
{
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, [this] { colorSlice(); });
    box_.onBeforeSave = [this] { finish(); };
}

LiveColoring::~LiveColoring()
{
    if (boxAlive_) {
        boxAlive_->onTextEdit = nullptr;
        boxAlive_->onBeforeSave = nullptr;
    }
}

void LiveColoring::finish()
{
    // Each slice takes its share of what waits, or stops the slices when
    // nothing can be given now (a redo would be lost): the bound only
    // guards against a slice that could not move on.
    for (int slices = 0; slices_.isActive() && slices < 100000; ++slices)
        colorSlice();
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
    sliceFrom_ = live_.length();  // nothing of the page waits for colours
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
    follow(pending_, pos, removed, int(inserted.size()));
    follow(done_, pos, removed, int(inserted.size()));
    if (!on_)
        return;
    // Undo and redo put the colours back with the text, all but those a
    // long recolouring gave after later steps had begun.
    if (kind == RichTextBox::EditKind::History) {
        againAfterRedo_ = againAfterRedo_ || !done_.empty();
        // Colours given while redo is possible would join the step before
        // and lose the redo: they wait for the next change.
        if ((againAfterRedo_ || !pending_.empty()) && !box_.document()->isRedoAvailable())
            colorLater(pos, 0, {});
        return;
    }
    const bool far = !runs.empty()
        && runs.back().start + runs.back().length - runs.front().start > kLongRecolouring;
    if (far || againAfterRedo_ || !pending_.empty())
        colorLater(pos, int(inserted.size()), runs);
    else
        box_.colorWhereDifferent(colored(runs), true);
}

void LiveColoring::colorLater(int pos, int added, const std::vector<colorcode::SlotRun>& runs)
{
    if (againAfterRedo_) {
        for (const Span& s : done_)
            add(pending_, s.from, s.to);
        done_.clear();
        againAfterRedo_ = false;
    }
    // What the user looks at and what was typed are coloured now, with the
    // change; the rest waits for the slices.
    const auto [top, bottom] = box_.visibleText();
    Spans now;
    add(now, top, bottom + 1);
    add(now, pos, pos + added);
    std::vector<colorcode::SlotRun> nowRuns;
    for (const colorcode::SlotRun& r : runs) {
        int a = r.start;
        const int e = r.start + r.length;
        for (const Span& s : now) {
            if (s.to <= a)
                continue;
            if (s.from >= e)
                break;
            add(pending_, a, s.from);
            const int from = std::max(a, s.from), to = std::min(e, s.to);
            nowRuns.push_back({from, to - from, r.slot});
            a = to;
        }
        add(pending_, a, e);
    }
    if (!nowRuns.empty())
        box_.colorWhereDifferent(colored(nowRuns), true);
    if (!pending_.empty())
        slices_.start();
}

void LiveColoring::newText(const QString& text)
{
    slices_.stop();
    pending_.clear();
    done_.clear();
    againAfterRedo_ = false;
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
    if (sliceFrom_ < n) {
        const int to = std::min(n, sliceFrom_ + kSlice);
        box_.colorWhereDifferent(colored(live_.runs(sliceFrom_, to)), false);
        sliceFrom_ = to;
    } else if (!pending_.empty() && !box_.document()->isRedoAvailable()) {
        // The lines in view first, should the user have scrolled. One slice
        // takes what waits in the next kSlice characters: each colouring
        // costs the editor a pass over its layout, however little it changes.
        const auto [top, bottom] = box_.visibleText();
        int from = pending_.front().from;
        for (const Span& s : pending_)
            if (s.to > top && s.from <= bottom) {
                from = std::max(s.from, top);
                break;
            }
        const int to = std::min(from + kSlice, n);
        std::vector<colorcode::SlotRun> runs;
        for (const Span& s : pending_) {
            const int a = std::max(s.from, from), b = std::min(s.to, to);
            if (s.from >= to)
                break;
            if (a >= b)
                continue;
            const std::vector<colorcode::SlotRun> part = live_.runs(a, b);
            runs.insert(runs.end(), part.begin(), part.end());
            add(done_, a, b);
        }
        remove(pending_, from, std::max(to, from + 1));
        if (from >= n)
            pending_.clear();  // past the end of the text
        box_.colorWhereDifferent(colored(runs), false);
    }
    if (sliceFrom_ >= n && (pending_.empty() || box_.document()->isRedoAvailable()))
        slices_.stop();
}
