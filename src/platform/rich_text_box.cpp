#include "platform/rich_text_box.h"

#include "platform/screen.h"
#include "core/shared_state.h"
#include "platform/file_system.h"
#include "platform/palette.h"
#include "platform/rtf_writer.h"
#include "platform/vb_keys.h"

#include <QAbstractTextDocumentLayout>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <type_traits>

namespace {

// Block properties that keep the twips values exactly (the margins Qt draws
// with are pixels and would round).
constexpr int kIndentTwips = QTextFormat::UserProperty + 1;
constexpr int kCharOffsetTwips = QTextFormat::UserProperty + 2;

constexpr QChar kLf(u'\n');
constexpr QChar kCr(u'\r');

bool isBreakChar(QChar c)
{
    return c == kLf || c == kCr || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Text as the document takes it: every CR LF, CR, LF and Unicode line or
// paragraph separator becomes one '\n'; the two characters QTextDocument
// reserves for frames become U+FFFD; NUL is dropped (as when a file loads).
QString documentForm(const QString& in)
{
    QString out;
    out.reserve(in.size());
    const qsizetype n = in.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = in[i];
        if (isBreakChar(c)) {
            if (c == kCr && i + 1 < n && in[i + 1] == kLf)
                ++i;
            out += kLf;
        } else if (c.unicode() == 0) {
            continue;
        } else if (c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += c;
        }
    }
    return out;
}

QString crlfForm(const QString& documentText)
{
    QString out = documentText;
    out.replace(kLf, QLatin1String("\r\n"));
    return out;
}

quint32 colorOf(const QTextCharFormat& f)
{
    const QBrush b = f.foreground();
    if (b.style() == Qt::NoBrush)
        return 0;
    return Bgr_From_QColor(b.color());
}

double twipsPerPixel()
{
    const double t = Twips_Per_Pixel_X();
    return t > 0 ? t : 15.0;
}

int indentOf(const QTextBlock& b)
{
    const QTextBlockFormat f = b.blockFormat();
    if (f.hasProperty(kIndentTwips))
        return f.intProperty(kIndentTwips);
    return qRound(f.leftMargin() * twipsPerPixel());
}

QTextBlockFormat indentFormat(int twips)
{
    QTextBlockFormat f;
    f.setLeftMargin(twips / twipsPerPixel());
    f.setProperty(kIndentTwips, twips);
    return f;
}

} // namespace

struct RichTextBox::Impl {
    RichTextBox* q;
    // The selection as the program sees it, in document positions. Without
    // HideSelection the widget's cursor shows it at once; with it, later. It
    // is kept as numbers rather than a QTextCursor: moving a QTextCursor
    // measures the line it lands on, which would make every selection step
    // of the colouring and printing loops cost a line layout.
    int anchor = 0;
    int position = 0;
    // Typing colour (or other formatting) set at the caret, merged into
    // what is typed or inserted there until the selection moves.
    std::optional<QTextCharFormat> typing;

    bool hide = false;
    bool pending = false;     // the widget does not show the selection yet
    bool flushQueued = false; // a catch-up is waiting in the event loop
    int guard = 0;            // > 0 while an operation of this class runs
    int rightMarginTwips = 0;
    fs::Result lastError = fs::Result::Ok;

    // Text() with CR LF breaks, and whether it is current.
    mutable QString text;
    mutable bool textValid = false;
    // Bumped on every change of the text (not of its formatting).
    quint64 textRevision = 0;

    // The exact Text positions last set, valid while the document selection
    // and the text are what they were then (a position between CR and LF has
    // no document position of its own).
    struct Exact {
        bool valid = false;
        quint64 revision = 0;
        int docAnchor = 0, docPosition = 0;
        int start = 0, length = 0;
    } exact;

    explicit Impl(RichTextBox* box) : q(box) {}

    QTextDocument* doc() const { return q->document(); }
    int selStartDoc() const { return std::min(anchor, position); }
    int selEndDoc() const { return std::max(anchor, position); }

    // ---- text cache -------------------------------------------------------
    void textChanged()
    {
        ++textRevision;
        textValid = false;
        exact.valid = false;
    }

    const QString& plainText() const
    {
        if (!textValid) {
            text.clear();
            text.reserve(textLength());
            for (QTextBlock b = doc()->begin(); b.isValid(); b = b.next()) {
                if (b != doc()->begin())
                    text += QLatin1String("\r\n");
                text += b.text();
            }
            textValid = true;
        }
        return text;
    }

    int textLength() const { return doc()->characterCount() - 1 + doc()->blockCount() - 1; }
    int docEnd() const { return doc()->characterCount() - 1; }

    // ---- position mapping ---------------------------------------------------
    int docToText(int d) const
    {
        d = std::clamp(d, 0, docEnd());
        return d + doc()->findBlock(d).blockNumber();
    }

    // Where a Text position lies: its block (number, document position and
    // length with the separator), the block's first Text position, and the
    // offset from there (length: between CR and LF).
    struct Place {
        int number;
        int docPos;
        int length;
        int textStart;
        int offset;
        bool betweenCrLf() const { return offset == length; }
        int doc() const { return docPos + std::min(offset, length - 1); }
    };

    // The block found last, while the text is unchanged: runs of nearby
    // positions (the colouring and printing loops) then cost no search.
    struct Hint {
        quint64 revision = ~quint64(0);
        int number = 0, docPos = 0, length = 1;
    };
    mutable Hint hint;

    bool inBlock(int p, int number, int docPos, int length, int blocks) const
    {
        const int ts = docPos + number;
        return p >= ts && p <= ts + length - 1 + (number + 1 < blocks ? 1 : 0);
    }

    Place placeIn(int p, int number, int docPos, int length) const
    {
        hint = {textRevision, number, docPos, length};
        return {number, docPos, length, docPos + number, p - docPos - number};
    }

    int textStartOf(int blockNumber) const
    {
        return doc()->findBlockByNumber(blockNumber).position() + blockNumber;
    }

    Place locate(int p) const
    {
        p = std::clamp(p, 0, textLength());
        const int blocks = doc()->blockCount();
        if (hint.revision == textRevision && hint.number < blocks) {
            if (inBlock(p, hint.number, hint.docPos, hint.length, blocks))
                return placeIn(p, hint.number, hint.docPos, hint.length);
            if (hint.number + 1 < blocks && p > hint.docPos + hint.number) {
                const QTextBlock next = doc()->findBlockByNumber(hint.number + 1);
                if (inBlock(p, hint.number + 1, next.position(), next.length(), blocks))
                    return placeIn(p, hint.number + 1, next.position(), next.length());
            }
        }
        // The last block whose Text start is at or before p. The guess
        // interpolates between the bounds (lines are of similar length), and
        // every other step halves the range, so the search takes O(log n)
        // steps at worst and usually a handful.
        int lo = 0, hi = blocks - 1;
        int tsLo = 0, tsHi = textStartOf(hi);
        if (p >= tsHi)
            lo = hi;
        bool bisect = false;
        while (lo < hi) {
            int mid;
            if (bisect || tsHi <= tsLo) {
                mid = lo + (hi - lo + 1) / 2;
            } else {
                const double f = double(p - tsLo) / double(tsHi - tsLo);
                mid = std::clamp(lo + int(f * (hi - lo)), lo + 1, hi);
            }
            bisect = !bisect;
            const int ts = textStartOf(mid);
            if (ts <= p) {
                lo = mid;
                tsLo = ts;
            } else {
                hi = mid - 1;
                tsHi = textStartOf(hi);
            }
        }
        const QTextBlock blk = doc()->findBlockByNumber(lo);
        return placeIn(p, lo, blk.position(), blk.length());
    }

    int textToDoc(int p) const { return locate(p).doc(); }

    // ---- selection ----------------------------------------------------------
    bool exactValid() const
    {
        return exact.valid && exact.revision == textRevision && anchor == exact.docAnchor
            && position == exact.docPosition;
    }

    int selStart() const
    {
        if (exactValid())
            return exact.start;
        return docToText(selStartDoc());
    }

    int selLength() const
    {
        if (exactValid())
            return exact.length;
        return docToText(selEndDoc()) - docToText(selStartDoc());
    }

    // Selects Text positions [a, p) or (p, a]; the caret goes to p.
    void select(int a, int p)
    {
        const int len = textLength();
        a = std::clamp(a, 0, len);
        p = std::clamp(p, 0, len);
        anchor = textToDoc(a);
        position = a == p ? anchor : textToDoc(p);
        exact = {true, textRevision, anchor, position, std::min(a, p), std::abs(p - a)};
        typing.reset();
        selectionMoved();
    }

    void selectDoc(int a, int p)
    {
        anchor = std::clamp(a, 0, docEnd());
        position = std::clamp(p, 0, docEnd());
        exact.valid = false;
        typing.reset();
        selectionMoved();
    }

    // A cursor over the selection. Built inside an edit block, where Qt
    // does not measure the line; the caller ends the block.
    QTextCursor editCursor() const
    {
        QTextCursor k(doc());
        k.beginEditBlock();
        k.setPosition(std::clamp(anchor, 0, docEnd()));
        k.setPosition(std::clamp(position, 0, docEnd()), QTextCursor::KeepAnchor);
        return k;
    }

    // The format typing at a document position would get: the character
    // before it, or at the start of a non-empty line its first character.
    QTextCharFormat formatAt(int pos) const
    {
        pos = std::clamp(pos, 0, docEnd());
        const QTextBlock b = doc()->findBlock(pos);
        int target = (pos == b.position() && b.length() > 1) ? pos : pos - 1;
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

    QTextCharFormat caretFormat() const
    {
        QTextCharFormat f = formatAt(position);
        if (typing)
            f.merge(*typing);
        return f;
    }

    // ---- keeping the widget in step ---------------------------------------------
    void selectionMoved()
    {
        if (!hide && q->isVisible()) {
            showCursor();
            return;
        }
        pending = true;
        if (!flushQueued && hide && q->hasFocus() && q->isVisible()) {
            flushQueued = true;
            QTimer::singleShot(0, q, [this] { flushIfFocused(); });
        }
    }

    void flushIfFocused()
    {
        flushQueued = false;
        if (pending && q->isVisible() && (!hide || q->hasFocus()))
            showCursor();
    }

    // The widget shows the selection (or only the caret when hidden without
    // the focus).
    void showCursor()
    {
        QScopedValueRollback<int> g(guard, guard + 1);
        QTextCursor shown(doc());
        const bool collapse = hide && !q->hasFocus();
        shown.setPosition(collapse ? std::clamp(position, 0, docEnd()) : std::clamp(anchor, 0, docEnd()));
        if (!collapse)
            shown.setPosition(std::clamp(position, 0, docEnd()), QTextCursor::KeepAnchor);
        q->QTextEdit::setTextCursor(shown);
        if (typing)
            q->QTextEdit::mergeCurrentCharFormat(*typing);
        pending = false;
    }

    void flush()
    {
        if (pending)
            showCursor();
    }

    // The user moved the widget's cursor (typing, mouse, undo).
    void widgetCursorMoved()
    {
        if (guard > 0)
            return;
        const QTextCursor c = q->QTextEdit::textCursor();
        if (c.anchor() != anchor || c.position() != position)
            typing.reset();
        anchor = c.anchor();
        position = c.position();
        pending = false;
    }

    // Someone else changed the document through a cursor of their own: keep
    // the selection on the same text, as a QTextCursor would.
    void documentChangedElsewhere(int from, int removed, int added)
    {
        if (removed == added)
            return;  // formatting (or a change of equal length): nothing moves
        auto adjust = [&](int p) {
            if (p <= from)
                return p;
            if (p < from + removed)
                return from + added;
            return p - removed + added;
        };
        anchor = std::clamp(adjust(anchor), 0, docEnd());
        position = std::clamp(adjust(position), 0, docEnd());
    }

    // ---- formatting ---------------------------------------------------------------
    void mergeChars(const QTextCharFormat& f)
    {
        QScopedValueRollback<int> g(guard, guard + 1);
        if (anchor != position) {
            QTextCursor k = editCursor();
            k.mergeCharFormat(f);
            k.endEditBlock();
            return;
        }
        // At the caret: the format of what is typed next.
        if (!typing)
            typing = QTextCharFormat();
        typing->merge(f);
        if (!hide && q->isVisible())
            showCursor();
        else
            pending = true;
    }

    // The blocks the selection touches: with a selection that ends at the
    // start of a line, that line is left out.
    template <typename F>
    void forSelectedBlocks(F fn)
    {
        QScopedValueRollback<int> g(guard, guard + 1);
        const int s = selStartDoc();
        int e = selEndDoc();
        if (e > s)
            --e;
        const QTextBlock first = doc()->findBlock(s);
        const QTextBlock last = doc()->findBlock(e);
        QTextCursor k(first);
        k.beginEditBlock();
        for (QTextBlock b = first; b.isValid(); b = b.next()) {
            fn(b);
            if (b == last)
                break;
        }
        k.endEditBlock();
    }

    void mergeBlocks(const QTextBlockFormat& f)
    {
        forSelectedBlocks([&](const QTextBlock& b) {
            QTextCursor c(b);
            c.mergeBlockFormat(f);
        });
    }

    // ---- the document ---------------------------------------------------------
    void adopt(QTextDocument* fresh)
    {
        QTextDocument* old = doc();
        {
            QScopedValueRollback<int> g(guard, guard + 1);
            q->QTextEdit::setDocument(fresh);
        }
        if (old && old->parent() == q)
            old->deleteLater();
        connectDocument();
        fresh->setUndoRedoEnabled(true);
        fresh->clearUndoRedoStacks();
        anchor = position = 0;
        typing.reset();
        textChanged();
        pending = false;
        emit q->Change();
    }

    void connectDocument()
    {
        QObject::connect(doc(), &QTextDocument::contentsChange, q, [this](int from, int removed, int added) {
            // Our own operations keep the text cache and the selection up to
            // date themselves; anything else (typing, undo, paste, other
            // cursors) makes the cache stale.
            if (guard == 0) {
                textChanged();
                documentChangedElsewhere(from, removed, added);
            }
        });
        QObject::connect(doc(), &QTextDocument::contentsChanged, q, &RichTextBox::Change);
    }

    QTextDocument* build(const rtf::Content& c) const;
};

// Builds the document while it belongs to no widget: no layout runs until it
// is shown.
QTextDocument* RichTextBox::Impl::build(const rtf::Content& c) const
{
    auto* fresh = new QTextDocument(q);
    fresh->setUndoRedoEnabled(false);
    fresh->setDefaultFont(doc()->defaultFont());
    fresh->setDefaultTextOption(doc()->defaultTextOption());
    fresh->setDocumentMargin(doc()->documentMargin());

    QHash<quint32, QTextCharFormat> formats;
    auto formatOf = [&](quint32 bgr) -> const QTextCharFormat& {
        auto it = formats.find(bgr);
        if (it == formats.end()) {
            QTextCharFormat f;
            f.setForeground(QColor_From_Bgr(bgr));
            it = formats.insert(bgr, f);
        }
        return *it;
    };
    QHash<int, QTextBlockFormat> blockFormats;
    auto blockFormatOf = [&](int twips) -> const QTextBlockFormat& {
        auto it = blockFormats.find(twips);
        if (it == blockFormats.end())
            it = blockFormats.insert(twips, twips ? indentFormat(twips) : QTextBlockFormat());
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
        if (t[pos] == kLf) {
            ++line;
            k.insertBlock(blockFormatOf(indentOfLine(line)), formatOf(color));
            ++pos;
            continue;
        }
        while (ci < c.colors.size() && c.colors[ci].start <= pos)
            color = c.colors[ci++].bgr;
        int end = pos;
        const int limit = ci < c.colors.size() ? std::min(n, c.colors[ci].start) : n;
        while (end < limit && t[end] != kLf)
            ++end;
        k.insertText(t.mid(pos, end - pos), formatOf(color));
        pos = end;
    }
    k.endEditBlock();
    return fresh;
}

// ---------------------------------------------------------------------------

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent), d(new Impl(this))
{
    setAcceptRichText(false);
    setUndoRedoEnabled(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // "Automatic" text is black on white whatever the desktop's colours, so
    // that what is shown is what SelColor reports and what is printed.
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, Qt::white);
        pal.setColor(group, QPalette::Text, group == QPalette::Disabled ? Qt::gray : Qt::black);
    }
    setPalette(pal);
    auto* owned = new QTextDocument(this);
    QTextEdit::setDocument(owned);
    d->connectDocument();
    applyEditorFont();
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] { d->widgetCursorMoved(); });
    connect(this, &QTextEdit::selectionChanged, this, [this] { d->widgetCursorMoved(); });
}

RichTextBox::~RichTextBox()
{
    delete d;
}

void RichTextBox::applyEditorFont()
{
    const SharedState& s = state();
    QFont f(s.Font_Name);
    f.setPointSize(s.Font_Size > 0 ? s.Font_Size : 10);
    setFont(f);
    document()->setDefaultFont(f);
    if (s.Tab_Spacing > 0)
        setTabStopDistance(s.Tab_Spacing / twipsPerPixel());
}

// ---- text ---------------------------------------------------------------------

QString RichTextBox::Text() const { return d->plainText(); }

int RichTextBox::TextLength() const { return d->textLength(); }

void RichTextBox::setText(const QString& text) { setContent(rtf::fromPlainText(text)); }

rtf::Content RichTextBox::content() const
{
    rtf::Content c;
    c.text.reserve(document()->characterCount());
    c.indents.reserve(document()->blockCount());
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (b != document()->begin())
            c.text += kLf;
        c.indents.push_back(indentOf(b));
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.isValid())
                c.append(f.text(), colorOf(f.charFormat()));
        }
    }
    return c;
}

void RichTextBox::setContent(const rtf::Content& content) { d->adopt(d->build(content)); }

bool RichTextBox::LoadFile(const QString& path)
{
    QByteArray bytes;
    d->lastError = fs::readBytes(path, bytes);
    if (d->lastError != fs::Result::Ok)
        return false;
    setContent(rtf::read(bytes));
    return true;
}

bool RichTextBox::SaveFile(const QString& path, int format)
{
    if (format == 0) {
        const SharedState& s = state();
        d->lastError = fs::writeBytes(path, rtf::write(content(), s.Font_Name, s.Font_Size));
    } else if (format == 1) {
        d->lastError = fs::writeText(path, Text());
    } else {
        d->lastError = fs::Result::IoError;
    }
    return d->lastError == fs::Result::Ok;
}

int RichTextBox::lastFileError() const { return int(d->lastError); }

// ---- selection -------------------------------------------------------------------

int RichTextBox::SelStart() const { return d->selStart(); }

void RichTextBox::setSelStart(int start)
{
    start = std::clamp(start, 0, d->textLength());
    d->select(start, start);
}

int RichTextBox::SelLength() const { return d->selLength(); }

void RichTextBox::setSelLength(int length)
{
    const int s = d->selStart();
    d->select(s, s + std::max(length, 0));
}

QString RichTextBox::SelText() const
{
    const int s = d->selStart();
    const int n = d->selLength();
    if (n <= 0)
        return QString();
    if (d->textValid || n > 4096)
        return d->plainText().mid(s, n);
    // Short pieces straight from the document, without rebuilding Text().
    const Impl::Place a = d->locate(s);
    const Impl::Place e = d->locate(s + n);
    QString t;
    for (QTextBlock b = document()->findBlockByNumber(a.number); b.isValid(); b = b.next()) {
        const bool first = b.blockNumber() == a.number;
        const bool last = b.blockNumber() == e.number;
        const QString bt = b.text();
        const int from = first ? std::min(a.offset, int(bt.size())) : 0;
        const int to = last ? std::min(e.offset, int(bt.size())) : int(bt.size());
        if (to > from)
            t += QStringView(bt).mid(from, to - from);
        if (last) {
            if (e.betweenCrLf())
                t += kCr;
            break;
        }
        t += (first && a.betweenCrLf()) ? QStringLiteral("\n") : QStringLiteral("\r\n");
    }
    return t;
}

void RichTextBox::setSelText(const QString& text)
{
    QScopedValueRollback<int> g(d->guard, d->guard + 1);
    const QString docText = documentForm(text);
    const int ds = d->selStartDoc();
    const int de = d->selEndDoc();
    if (ds != de || !docText.isEmpty()) {
        const int ts = d->docToText(ds);
        const int te = d->docToText(de);
        const QTextCharFormat format = d->caretFormat();
        QTextCursor k = d->editCursor();
        if (docText.isEmpty()) {
            k.removeSelectedText();
        } else if (ds == de) {
            // At a caret the text takes the typing format there.
            k.insertText(docText, format);
        } else {
            k.insertText(docText);
        }
        k.endEditBlock();
        if (d->textValid)
            d->text.replace(ts, te - ts, crlfForm(docText));
        ++d->textRevision;
        d->anchor = d->position = k.position();
    }
    d->exact.valid = false;
    d->typing.reset();
    d->selectionMoved();
}

quint32 RichTextBox::SelColor() const
{
    const int s = d->selStartDoc();
    const int e = d->selEndDoc();
    if (s == e)
        return colorOf(d->caretFormat());
    bool any = false;
    quint32 color = 0;
    // Fragment positions are counted along (asking each fragment for its
    // position would walk the document's tree every time).
    QTextBlock b = document()->findBlock(s);
    for (int bs = b.position(); b.isValid() && bs < e; b = b.next()) {
        int fs = bs;
        for (auto it = b.begin(); !it.atEnd() && fs < e; ++it) {
            const QTextFragment f = it.fragment();
            const int fe = fs + f.length();
            if (fe > s) {
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
    return any ? color : colorOf(d->formatAt(s));
}

void RichTextBox::setSelColor(quint32 bgr)
{
    QTextCharFormat f;
    f.setForeground(QColor_From_Bgr(bgr & 0xFFFFFFu));
    d->mergeChars(f);
}

int RichTextBox::SelIndent() const { return indentOf(document()->findBlock(d->selStartDoc())); }

void RichTextBox::setSelIndent(int twips) { d->mergeBlocks(indentFormat(twips)); }

namespace {
// A character format with one property set.
template <typename Value>
QTextCharFormat charFormat(void (QTextCharFormat::*set)(Value), std::type_identity_t<Value> value)
{
    QTextCharFormat f;
    (f.*set)(value);
    return f;
}
} // namespace

void RichTextBox::setSelBold(bool on)
{
    d->mergeChars(charFormat(&QTextCharFormat::setFontWeight, on ? QFont::Bold : QFont::Normal));
}

void RichTextBox::setSelItalic(bool on) { d->mergeChars(charFormat(&QTextCharFormat::setFontItalic, on)); }

void RichTextBox::setSelUnderline(bool on) { d->mergeChars(charFormat(&QTextCharFormat::setFontUnderline, on)); }

void RichTextBox::setSelStrikeThru(bool on) { d->mergeChars(charFormat(&QTextCharFormat::setFontStrikeOut, on)); }

void RichTextBox::setSelCharOffset(int twips)
{
    // Qt raises or lowers text only as super- or subscript.
    QTextCharFormat f;
    f.setVerticalAlignment(twips > 0   ? QTextCharFormat::AlignSuperScript
                           : twips < 0 ? QTextCharFormat::AlignSubScript
                                       : QTextCharFormat::AlignNormal);
    f.setProperty(kCharOffsetTwips, twips);
    d->mergeChars(f);
}

void RichTextBox::setSelAlignment(int alignment)
{
    QTextBlockFormat f;
    f.setAlignment(alignment == 1   ? Qt::AlignRight
                   : alignment == 2 ? Qt::AlignHCenter
                                    : Qt::AlignLeft);
    d->mergeBlocks(f);
}

void RichTextBox::setSelHangingIndent(int twips)
{
    // The lines after the first stand twips to the right of the first.
    QTextBlockFormat f;
    f.setTextIndent(-twips / twipsPerPixel());
    d->mergeBlocks(f);
}

void RichTextBox::setSelBullet(bool on)
{
    d->forSelectedBlocks([&](const QTextBlock& b) {
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
    });
}

void RichTextBox::setSelFontName(const QString& name)
{
    d->mergeChars(charFormat(&QTextCharFormat::setFontFamilies, QStringList{name}));
}

void RichTextBox::setSelFontSize(int points)
{
    if (points > 0)
        d->mergeChars(charFormat(&QTextCharFormat::setFontPointSize, points));
}

void RichTextBox::setSelTabs(const std::vector<int>& twips)
{
    QList<QTextOption::Tab> tabs;
    for (int t : twips)
        if (t > 0)
            tabs.append(QTextOption::Tab(t / twipsPerPixel(), QTextOption::LeftTab));
    QTextBlockFormat f;
    f.setTabPositions(tabs);
    d->mergeBlocks(f);
}

void RichTextBox::setRightMargin(int twips)
{
    d->rightMarginTwips = std::max(twips, 0);
    const int px = twips > 0 ? qRound(twips / twipsPerPixel()) : 0;
    if (px > 0) {
        setLineWrapMode(QTextEdit::FixedPixelWidth);
        setLineWrapColumnOrWidth(px);
    } else {
        setLineWrapMode(QTextEdit::WidgetWidth);
    }
}

int RichTextBox::rightMargin() const { return d->rightMarginTwips; }

void RichTextBox::setHideSelection(bool hide)
{
    if (d->hide == hide)
        return;
    d->hide = hide;
    if (!hide) {
        if (isVisible())
            d->showCursor();
    } else if (!hasFocus() && isVisible()) {
        d->showCursor();  // only the caret stays
    }
}

bool RichTextBox::hideSelection() const { return d->hide; }

void RichTextBox::syncCursor() { d->showCursor(); }

// ---- searching ----------------------------------------------------------------------

int RichTextBox::Find(const QString& text, int start, int end, int options)
{
    if (text.isEmpty())
        return -1;
    const QString& t = d->plainText();
    const int len = int(t.size());
    if (end < 0 || end > len)
        end = len;
    start = std::max(start, 0);
    const int n = int(text.size());
    if (start + n > end)
        return -1;
    const Qt::CaseSensitivity cs = (options & 4) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool whole = options & 2;
    const QStringView hay = QStringView(t).first(end);
    auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    qsizetype from = start;
    for (;;) {
        const qsizetype m = hay.indexOf(text, from, cs);
        if (m < 0)
            return -1;
        if (!whole || ((m == 0 || !isWordChar(t[m - 1])) && (m + n >= len || !isWordChar(t[m + n])))) {
            d->select(int(m), int(m) + n);
            return int(m);
        }
        from = m + 1;
    }
}

void RichTextBox::Span(const QString& set, bool forward, bool negate)
{
    const QString& t = d->plainText();
    const int len = int(t.size());
    int s = d->selStart();
    int e = s + d->selLength();
    // Spanning goes over characters in the set, or (negate) not in it.
    auto spans = [&](QChar c) { return set.contains(c) != negate; };
    if (forward) {
        while (e < len && spans(t[e]))
            ++e;
        d->select(s, e);
    } else {
        while (s > 0 && spans(t[s - 1]))
            --s;
        d->select(e, s);
    }
}

void RichTextBox::UpTo(const QString& set, bool forward, bool negate)
{
    const QString& t = d->plainText();
    const int len = int(t.size());
    // Stops before (forward) or after (backward) a character in the set, or
    // (negate) not in it.
    auto stops = [&](QChar c) { return set.contains(c) != negate; };
    int p;
    if (forward) {
        p = d->selStart() + d->selLength();
        while (p < len && !stops(t[p]))
            ++p;
    } else {
        p = d->selStart();
        while (p > 0 && !stops(t[p - 1]))
            --p;
    }
    d->select(p, p);
}

// ---- bulk colouring ------------------------------------------------------------------

void RichTextBox::applyColorRuns(const std::vector<ColorRun>& runs)
{
    if (runs.empty())
        return;
    QScopedValueRollback<int> g(d->guard, d->guard + 1);
    QHash<quint32, QTextCharFormat> formats;
    QTextCursor k(document());
    k.beginEditBlock();
    const int len = d->textLength();
    for (const ColorRun& r : runs) {
        const int s = std::clamp(r.start, 0, len);
        const int e = std::clamp(r.start + std::max(r.length, 0), s, len);
        const int ds = d->textToDoc(s);
        const int de = d->textToDoc(e);
        if (de <= ds)
            continue;
        auto it = formats.find(r.color);
        if (it == formats.end()) {
            QTextCharFormat f;
            f.setForeground(QColor_From_Bgr(r.color & 0xFFFFFFu));
            it = formats.insert(r.color, f);
        }
        k.setPosition(ds);
        k.setPosition(de, QTextCursor::KeepAnchor);
        k.mergeCharFormat(*it);
    }
    k.endEditBlock();
}

// ---- events ------------------------------------------------------------------------------

namespace {
// Events after which the widget's own cursor acts: the program's selection
// must be on the screen before them.
bool userActs(QEvent::Type t)
{
    switch (t) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}
} // namespace

bool RichTextBox::event(QEvent* e)
{
    if (userActs(e->type()))
        d->flush();
    return QTextEdit::event(e);
}

bool RichTextBox::viewportEvent(QEvent* e)
{
    // Mouse and drop events arrive at the viewport, not at the control.
    if (userActs(e->type()))
        d->flush();
    return QTextEdit::viewportEvent(e);
}

void RichTextBox::keyPressEvent(QKeyEvent* e)
{
    if (onKeyDown) {
        const vb::KeyStroke ks = vb::fromEvent(*e);
        if (ks.keyCode != 0) {
            int code = ks.keyCode;
            onKeyDown(code, ks.shift);
            if (code == 0) {
                e->accept();
                return;
            }
        }
    }
    // The handler may have moved the selection.
    d->flush();
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier && e->key() == Qt::Key_Y) {
        redo();
        e->accept();
        return;
    }
    QString typed = e->text();
    if (!typed.isEmpty() && typed != QLatin1String("\x7f") && onKeyPress) {
        const QString original = typed;
        onKeyPress(typed);
        d->flush();
        if (typed.isEmpty()) {
            e->accept();
            return;
        }
        if (typed != original) {
            insertPlainText(documentForm(typed));
            ensureCursorVisible();
            e->accept();
            return;
        }
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (mods & Qt::ShiftModifier)) {
        // A line break inside a paragraph would be a break that is not CR LF.
        QTextCursor c = textCursor();
        c.insertBlock();
        setTextCursor(c);
        e->accept();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void RichTextBox::mouseReleaseEvent(QMouseEvent* e)
{
    QTextEdit::mouseReleaseEvent(e);
    if (!onMouseUp)
        return;
    int button = 0;
    switch (e->button()) {
    case Qt::LeftButton: button = 1; break;
    case Qt::RightButton: button = 2; break;
    case Qt::MiddleButton: button = 4; break;
    default: break;
    }
    int shift = 0;
    if (e->modifiers() & Qt::ShiftModifier)
        shift |= vb::ShiftMask;
    if (e->modifiers() & Qt::ControlModifier)
        shift |= vb::CtrlMask;
    if (e->modifiers() & Qt::AltModifier)
        shift |= vb::AltMask;
    onMouseUp(button, shift, e->position().toPoint());
}

void RichTextBox::focusInEvent(QFocusEvent* e)
{
    QTextEdit::focusInEvent(e);
    if (d->hide)
        d->showCursor();
    emit GotFocus();
}

void RichTextBox::focusOutEvent(QFocusEvent* e)
{
    QTextEdit::focusOutEvent(e);
    // A menu opening over the control does not take the selection away.
    if (d->hide && e->reason() != Qt::PopupFocusReason)
        d->showCursor();
    emit LostFocus();
}

void RichTextBox::showEvent(QShowEvent* e)
{
    QTextEdit::showEvent(e);
    if (d->pending && (!d->hide || hasFocus()))
        d->showCursor();
}

bool RichTextBox::canInsertFromMimeData(const QMimeData* source) const
{
    return source && source->hasText();
}

void RichTextBox::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    const QString t = documentForm(source->text());
    if (!t.isEmpty())
        insertPlainText(t);
}

QMimeData* RichTextBox::createMimeDataFromSelection() const
{
    // Plain text only, with the platform's own line ends and every character
    // as it stands (non-breaking spaces stay).
    QString t = textCursor().selectedText();
#ifdef Q_OS_WIN
    t.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
#else
    t.replace(QChar::ParagraphSeparator, kLf);
#endif
    auto* m = new QMimeData;
    m->setText(t);
    return m;
}
