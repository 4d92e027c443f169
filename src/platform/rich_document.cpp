#include "platform/rich_document.h"

#include "platform/palette.h"

#include <QAbstractTextDocumentLayout>
#include <QPointer>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>

#include <optional>

namespace richdoc {

const QTextCharFormat& ColorFormats::of(quint32 bgr)
{
    auto it = formats_.find(bgr);
    if (it == formats_.end()) {
        QTextCharFormat f;
        f.setForeground(QColor_From_Bgr(bgr));
        it = formats_.insert(bgr, f);
    }
    return *it;
}

namespace {

// A character that no run colours.
constexpr quint32 kUntouched = 0xFFFFFFFEu;

// Document positions [from, to) that are to have one colour.
struct Segment {
    int from, to;
    quint32 color;
};

// A stretch of the document whose characters share one format and are all
// to get one new colour.
struct Change {
    int from, to;  // document positions [from, to)
    int format;    // the format index the characters have now
    quint32 color;
};

// Every stretch whose colour is to change, in document order, the line
// separators included (a separator's format is what typing on an empty line
// after it gets). Characters that already have their new colour are left
// out, so colouring a text again changes nothing. The segments are in order
// and do not overlap.
// Empty when the steps cancelled (they are asked now and then with the
// share of the document looked at, as up to perMilleAtEnd).
std::optional<std::vector<Change>> changesOf(const QTextDocument& doc, const std::vector<Segment>& segments,
                                             const QList<QTextFormat>& formats, const ColorSteps& steps,
                                             int perMilleAtEnd)
{
    std::vector<Change> out;
    const qint64 total = std::max(doc.characterCount(), 1);
    int sinceAsked = 0;
    QHash<int, quint32> colorOfFormat;
    auto colorOfIndex = [&](int index) {
        auto it = colorOfFormat.constFind(index);
        if (it == colorOfFormat.constEnd())
            it = colorOfFormat.insert(
                index, index >= 0 && index < formats.size() ? colorOf(formats[index].toCharFormat()) : 0);
        return *it;
    };
    size_t first = 0;  // the first segment that may reach the next piece
    auto piece = [&](int from, int to, int format) {
        while (first < segments.size() && segments[first].to <= from)
            ++first;
        quint32 now = 0;
        bool known = false;
        for (size_t k = first; k < segments.size() && segments[k].from < to; ++k) {
            const Segment& g = segments[k];
            if (!known) {
                now = colorOfIndex(format);
                known = true;
            }
            if (g.color == now)
                continue;
            const int a = std::max(from, g.from), b = std::min(to, g.to);
            if (!out.empty() && out.back().to == a && out.back().format == format && out.back().color == g.color)
                out.back().to = b;
            else
                out.push_back({a, b, format, g.color});
        }
    };
    // Positions are counted along: asking a fragment or a line for its
    // position walks the document's tree every time.
    int pos = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (steps && ++sinceAsked >= 4096) {
            sinceAsked = 0;
            if (!steps(int(qint64(pos) * perMilleAtEnd / total)))
                return std::nullopt;
        }
        const int end = pos + b.length() - 1;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            piece(pos, pos + f.length(), f.charFormatIndex());
            pos += f.length();
        }
        pos = end;
        if (const QTextBlock next = b.next(); next.isValid())
            piece(pos, pos + 1, next.charFormatIndex());
        ++pos;
    }
    return out;
}

// Document positions of CR LF text positions, as textpos::Locator maps them,
// from a table of the lines made in one pass.
class LineTable {
public:
    explicit LineTable(const QTextDocument& doc)
    {
        int docPos = 0, number = 0;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next(), ++number) {
            lines_.push_back({docPos + number, docPos, b.length()});
            docPos += b.length();
        }
    }
    int toDocument(int p) const
    {
        auto it = std::upper_bound(lines_.begin(), lines_.end(), p,
                                   [](int v, const Line& l) { return v < l.textStart; });
        if (it == lines_.begin())
            return 0;
        --it;
        return it->docPos + std::min(p - it->textStart, it->length - 1);
    }

private:
    struct Line {
        int textStart, docPos, length;
    };
    std::vector<Line> lines_;
};

// Holds back the timers of a document's layout while it lives: the layout
// of the rest of a long text, which goes on while the program waits for
// input, would otherwise take the pauses of a colouring for text that is
// laid out afresh after it anyway.
class LayoutPause : public QObject {
public:
    explicit LayoutPause(const QTextDocument& doc)
        : layout_(doc.findChild<QAbstractTextDocumentLayout*>(QString(), Qt::FindDirectChildrenOnly))
    {
        if (layout_)
            layout_->installEventFilter(this);
    }
    ~LayoutPause() override
    {
        if (layout_)
            layout_->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Timer; }

private:
    QPointer<QAbstractTextDocumentLayout> layout_;
};

} // namespace

bool applyColorRuns(QTextDocument& doc, const std::vector<ColorRun>& runs, const ColorSteps& steps, int piece)
{
    // The colour every character is to have, as stretches in document order.
    // The colour coder's runs come in order without overlapping, and are
    // taken as they are; any others are laid over each other (later runs
    // win) character by character.
    const int len = textpos::length(doc);
    const LineTable lines(doc);
    std::vector<Segment> segments;
    segments.reserve(runs.size());
    bool ordered = true;
    for (const ColorRun& r : runs) {
        const int s = std::clamp(r.start, 0, len);
        const int e = std::clamp(r.start + std::max(r.length, 0), s, len);
        const int ds = lines.toDocument(s);
        const int de = lines.toDocument(e);
        if (de <= ds)
            continue;
        if (!segments.empty() && ds < segments.back().to) {
            ordered = false;
            break;
        }
        segments.push_back({ds, de, r.color});
    }
    if (!ordered) {
        std::vector<quint32> wanted(size_t(std::max(doc.characterCount(), 1)), kUntouched);
        for (const ColorRun& r : runs) {
            const int s = std::clamp(r.start, 0, len);
            const int e = std::clamp(r.start + std::max(r.length, 0), s, len);
            const int ds = lines.toDocument(s);
            const int de = lines.toDocument(e);
            if (de > ds)
                std::fill(wanted.begin() + ds, wanted.begin() + de, r.color);
        }
        segments.clear();
        for (int p = 0; p < int(wanted.size()); ++p) {
            if (wanted[size_t(p)] == kUntouched)
                continue;
            if (!segments.empty() && segments.back().to == p && segments.back().color == wanted[size_t(p)])
                ++segments.back().to;
            else
                segments.push_back({p, p + 1, wanted[size_t(p)]});
        }
    }
    // ...set only where it differs, each stretch with its whole format (the
    // old one with the new colour), which the document takes as it is
    // instead of merging it into every piece of text it covers.
    // Qt lays out again at once, and all of it, every line an edit block
    // touched; a whole page recoloured is laid out afresh instead, the
    // visible part first and the rest while the program waits for input.
    // (Nor does a layout still going on from before use the pauses.)
    const bool relayoutAll = segments.size() > size_t(kColorPiece) && doc.isLayoutEnabled();
    std::optional<LayoutPause> pause;
    if (relayoutAll) {
        pause.emplace(doc);
        doc.setLayoutEnabled(false);
    }
    const auto layoutBack = qScopeGuard([&] {
        if (relayoutAll)
            doc.setLayoutEnabled(true);
    });
    const QList<QTextFormat> formats = doc.allFormats();
    // The search for changes takes about a tenth of the time of making them.
    constexpr int kSearchShare = 100;
    const std::optional<std::vector<Change>> found = changesOf(doc, segments, formats, steps, kSearchShare);
    if (!found)
        return false;
    const std::vector<Change>& changes = *found;
    if (changes.empty())
        return true;
    const bool canCancel = doc.isUndoRedoEnabled();
    piece = std::max(piece, 1);
    QHash<QPair<int, quint32>, QTextCharFormat> made;
    QTextCursor k(&doc);
    k.beginEditBlock();
    bool cancelled = false;
    for (size_t i = 0; i < changes.size(); ++i) {
        if (steps && i > 0 && i % size_t(piece) == 0
            && !steps(int(kSearchShare + qint64(i) * (1000 - kSearchShare) / qint64(changes.size())))
            && canCancel) {
            cancelled = true;
            break;
        }
        const Change& c = changes[i];
        auto it = made.find({c.format, c.color});
        if (it == made.end()) {
            QTextCharFormat f = c.format >= 0 && c.format < formats.size() ? formats[c.format].toCharFormat()
                                                                          : QTextCharFormat();
            f.setForeground(QColor_From_Bgr(c.color));
            it = made.insert({c.format, c.color}, f);
        }
        k.setPosition(c.from);
        k.setPosition(c.to, QTextCursor::KeepAnchor);
        k.setCharFormat(*it);
    }
    k.endEditBlock();
    if (cancelled) {
        // What was coloured goes back as one undo step; that step is then
        // no longer there to be redone.
        doc.undo();
        doc.clearUndoRedoStacks(QTextDocument::RedoStack);
    }
    return !cancelled;
}

void keepLongLinesShaped(const QTextDocument& doc, int from, int to)
{
    if (doc.characterCount() <= kLongLine)
        return;
    QTextBlock b = doc.findBlock(from);
    for (int pos = b.position(); b.isValid() && pos <= to; pos += b.length(), b = b.next())
        if (b.length() > kLongLine)
            b.layout()->setCacheEnabled(true);
}

quint32 colorOf(const QTextCharFormat& f)
{
    const QBrush b = f.foreground();
    if (b.style() == Qt::NoBrush)
        return 0;
    return Bgr_From_QColor(b.color());
}

int indentOf(const QTextBlock& b, double twipsPerPixel)
{
    const QTextBlockFormat f = b.blockFormat();
    if (f.hasProperty(kIndentTwips))
        return f.intProperty(kIndentTwips);
    return qRound(f.leftMargin() * twipsPerPixel);
}

QTextBlockFormat indentFormat(int twips, double twipsPerPixel)
{
    QTextBlockFormat f;
    f.setLeftMargin(twips / twipsPerPixel);
    f.setProperty(kIndentTwips, twips);
    return f;
}

QTextCharFormat charOffsetFormat(int twips)
{
    QTextCharFormat f;
    f.setVerticalAlignment(twips > 0   ? QTextCharFormat::AlignSuperScript
                           : twips < 0 ? QTextCharFormat::AlignSubScript
                                       : QTextCharFormat::AlignNormal);
    f.setProperty(kCharOffsetTwips, twips);
    return f;
}

QTextBlockFormat alignmentFormat(int alignment)
{
    QTextBlockFormat f;
    f.setAlignment(alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
    return f;
}

QTextBlockFormat hangingIndentFormat(int twips, double twipsPerPixel)
{
    QTextBlockFormat f;
    f.setTextIndent(-twips / twipsPerPixel);
    return f;
}

QTextBlockFormat tabsFormat(const std::vector<int>& twips, double twipsPerPixel)
{
    QList<QTextOption::Tab> tabs;
    for (int t : twips)
        if (t > 0)
            tabs.append(QTextOption::Tab(t / twipsPerPixel, QTextOption::LeftTab));
    QTextBlockFormat f;
    f.setTabPositions(tabs);
    return f;
}

void forLines(QTextDocument& doc, int from, int to, const std::function<void(const QTextBlock&)>& fn)
{
    if (to > from)
        --to;
    const QTextBlock first = doc.findBlock(from);
    const QTextBlock last = doc.findBlock(to);
    QTextCursor k(first);
    k.beginEditBlock();
    for (QTextBlock b = first; b.isValid(); b = b.next()) {
        fn(b);
        if (b == last)
            break;
    }
    k.endEditBlock();
}

void setBullet(const QTextBlock& b, bool on)
{
    if (!on) {
        if (QTextList* list = b.textList())
            list->remove(b);
        QTextCursor c(b);
        QTextBlockFormat f = b.blockFormat();
        f.setIndent(0);
        c.setBlockFormat(f);
    } else if (!b.textList()) {
        QTextCursor c(b);
        c.createList(QTextListFormat::ListDisc);
    }
}

QTextDocument* build(const rtf::Content& c, const QTextDocument& like, double twipsPerPixel, QObject* parent)
{
    auto* fresh = new QTextDocument(parent);
    fresh->setUndoRedoEnabled(false);
    fresh->setDefaultFont(like.defaultFont());
    fresh->setDefaultTextOption(like.defaultTextOption());
    fresh->setDocumentMargin(like.documentMargin());

    // One format object per colour and per indent, shared by the document.
    ColorFormats colors;
    auto formatOf = [&](quint32 bgr) -> const QTextCharFormat& { return colors.of(bgr); };
    QHash<int, QTextBlockFormat> blockFormats;
    auto blockFormatOf = [&](int twips) -> const QTextBlockFormat& {
        auto it = blockFormats.find(twips);
        if (it == blockFormats.end())
            it = blockFormats.insert(twips, twips ? indentFormat(twips, twipsPerPixel) : QTextBlockFormat());
        return *it;
    };

    QTextCursor k(fresh);
    k.beginEditBlock();
    const QString& t = c.text;
    const int n = int(t.size());
    size_t ci = 0;  // next colour change
    quint32 color = c.colors.empty() ? 0 : c.colors.front().bgr;
    int line = 0;
    auto indentOfLine = [&](int l) { return l < int(c.indents.size()) ? c.indents[l] : 0; };
    k.setBlockFormat(blockFormatOf(indentOfLine(0)));
    k.setBlockCharFormat(formatOf(color));
    int pos = 0;
    while (pos < n) {
        if (t[pos] == u'\n') {
            ++line;
            k.insertBlock(blockFormatOf(indentOfLine(line)), formatOf(color));
            ++pos;
            continue;
        }
        while (ci < c.colors.size() && c.colors[ci].start <= pos)
            color = c.colors[ci++].bgr;
        int end = pos;
        const int limit = ci < c.colors.size() ? std::min(n, c.colors[ci].start) : n;
        while (end < limit && t[end] != u'\n')
            ++end;
        k.insertText(t.mid(pos, end - pos), formatOf(color));
        pos = end;
    }
    k.endEditBlock();
    return fresh;
}

rtf::Content content(const QTextDocument& doc, double twipsPerPixel)
{
    rtf::Content c;
    c.text.reserve(doc.characterCount());
    c.indents.reserve(doc.blockCount());
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            c.text += u'\n';
        c.indents.push_back(indentOf(b, twipsPerPixel));
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.isValid())
                c.append(f.text(), colorOf(f.charFormat()));
        }
    }
    return c;
}

QTextCharFormat formatAt(const QTextDocument& doc, int pos)
{
    pos = std::clamp(pos, 0, doc.characterCount() - 1);
    const QTextBlock b = doc.findBlock(pos);
    const int target = (pos == b.position() && b.length() > 1) ? pos : pos - 1;
    if (target < 0)
        return b.charFormat();
    const QTextBlock tb = target < b.position() ? b.previous() : b;
    if (target == tb.position() + tb.length() - 1)
        return tb.next().isValid() ? tb.next().charFormat() : tb.charFormat();
    int fs = tb.position();
    for (auto it = tb.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (target < fs + f.length())
            return f.charFormat();
        fs += f.length();
    }
    return tb.charFormat();
}

quint32 rangeColor(const QTextDocument& doc, int from, int to)
{
    bool any = false;
    quint32 color = 0;
    // Fragment positions are counted along (asking each fragment for its
    // position would walk the document's tree every time).
    QTextBlock b = doc.findBlock(from);
    for (int bs = b.position(); b.isValid() && bs < to; b = b.next()) {
        int fs = bs;
        for (auto it = b.begin(); !it.atEnd() && fs < to; ++it) {
            const QTextFragment f = it.fragment();
            const int fe = fs + f.length();
            if (fe > from) {
                const quint32 c = colorOf(f.charFormat());
                if (any && c != color)
                    return kMixedColor;
                any = true;
                color = c;
            }
            fs = fe;
        }
        bs += b.length();
    }
    return any ? color : colorOf(formatAt(doc, from));
}

} // namespace richdoc
