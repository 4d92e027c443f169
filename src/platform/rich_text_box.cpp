#include "platform/rich_text_box.h"

#include "core/screen.h"
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
// reserves for frames and NUL become U+FFFD.
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
        } else if (c.unicode() == 0 || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1) {
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
    // The selection as the program sees it. Without HideSelection it is kept
    // equal to the widget's cursor; with it, the widget catches up later.
    QTextCursor cur;
    bool hide = false;
    bool pending = false;     // the widget does not show cur yet
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

    // Block number found by the last Text-to-document mapping.
    mutable int lastBlock = 0;

    explicit Impl(RichTextBox* box) : q(box) {}

    QTextDocument* doc() const { return q->document(); }

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

    // ---- position mapping ---------------------------------------------------
    int docToText(int d) const
    {
        d = std::clamp(d, 0, doc()->characterCount() - 1);
        return d + doc()->findBlock(d).blockNumber();
    }

    struct Place {
        QTextBlock block;
        int textStart;  // Text position of the block's first character
        int offset;     // in Text, from textStart (length + 1: between CR and LF)
    };

    static bool holds(const QTextBlock& b, int textStart, int p)
    {
        const int len = b.length() - 1;
        const int last = textStart + len + (b.next().isValid() ? 1 : 0);
        return p >= textStart && p <= last;
    }

    Place locate(int p) const
    {
        p = std::clamp(p, 0, textLength());
        const int blocks = doc()->blockCount();
        for (int b : {lastBlock, lastBlock + 1}) {
            if (b < 0 || b >= blocks)
                continue;
            const QTextBlock blk = doc()->findBlockByNumber(b);
            const int ts = blk.position() + b;
            if (holds(blk, ts, p)) {
                lastBlock = b;
                return {blk, ts, p - ts};
            }
        }
        // Binary search: the last block whose Text start is at or before p.
        int lo = 0, hi = blocks - 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo + 1) / 2;
            if (doc()->findBlockByNumber(mid).position() + mid <= p)
                lo = mid;
            else
                hi = mid - 1;
        }
        lastBlock = lo;
        const QTextBlock blk = doc()->findBlockByNumber(lo);
        const int ts = blk.position() + lo;
        return {blk, ts, p - ts};
    }

    int textToDoc(int p) const
    {
        const Place pl = locate(p);
        return pl.block.position() + std::min(pl.offset, pl.block.length() - 1);
    }

    bool betweenCrLf(const Place& pl) const { return pl.offset == pl.block.length(); }

    // ---- selection ----------------------------------------------------------
    bool exactValid() const
    {
        return exact.valid && exact.revision == textRevision && cur.anchor() == exact.docAnchor
            && cur.position() == exact.docPosition;
    }

    int selStart() const
    {
        if (exactValid())
            return exact.start;
        return docToText(cur.selectionStart());
    }

    int selLength() const
    {
        if (exactValid())
            return exact.length;
        return docToText(cur.selectionEnd()) - docToText(cur.selectionStart());
    }

    // Selects Text positions [anchor, position) or (position, anchor]; the
    // caret goes to position.
    void select(int anchor, int position)
    {
        const int len = textLength();
        anchor = std::clamp(anchor, 0, len);
        position = std::clamp(position, 0, len);
        const int da = textToDoc(anchor);
        const int dp = textToDoc(position);
        cur.setPosition(da);
        if (dp != da)
            cur.setPosition(dp, QTextCursor::KeepAnchor);
        exact = {true, textRevision, cur.anchor(), cur.position(), std::min(anchor, position),
                 std::abs(position - anchor)};
        selectionMoved();
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

    // The widget shows cur (its selection, or only its caret when hidden
    // without the focus).
    void showCursor()
    {
        QScopedValueRollback<int> g(guard, guard + 1);
        QTextCursor shown = cur;
        if (hide && !q->hasFocus())
            shown.clearSelection();
        q->QTextEdit::setTextCursor(shown);
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
        cur = q->QTextEdit::textCursor();
        pending = false;
    }

    // ---- formatting ---------------------------------------------------------------
    void mergeChars(const QTextCharFormat& f)
    {
        QScopedValueRollback<int> g(guard, guard + 1);
        cur.mergeCharFormat(f);
        if (!cur.hasSelection()) {
            if (!hide && q->isVisible())
                showCursor();
            else
                pending = true;
        }
    }

    // The blocks the selection touches: with a selection that ends at the
    // start of a line, that line is left out.
    template <typename F>
    void forSelectedBlocks(F fn)
    {
        QScopedValueRollback<int> g(guard, guard + 1);
        const int s = cur.selectionStart();
        int e = cur.selectionEnd();
        if (e > s)
            --e;
        QTextBlock first = doc()->findBlock(s);
        const QTextBlock last = doc()->findBlock(e);
        QTextCursor k(doc());
        k.beginEditBlock();
        for (QTextBlock b = first; b.isValid(); b = b.next()) {
            fn(b, k);
            if (b == last)
                break;
        }
        k.endEditBlock();
    }

    void mergeBlocks(const QTextBlockFormat& f)
    {
        forSelectedBlocks([&](const QTextBlock& b, QTextCursor&) {
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
        cur = QTextCursor(fresh);
        lastBlock = 0;
        textChanged();
        pending = false;
        {
            QScopedValueRollback<int> g(guard, guard + 1);
            q->QTextEdit::setTextCursor(cur);
        }
        emit q->Change();
    }

    void connectDocument()
    {
        QObject::connect(doc(), &QTextDocument::contentsChange, q, [this](int, int, int) {
            // Our own operations keep the text cache up to date themselves;
            // anything else (typing, undo, paste) makes it stale.
            if (guard == 0)
                textChanged();
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
    d->cur = QTextCursor(owned);
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
    if (d->textValid)
        return d->text.mid(s, n);
    const Impl::Place a = d->locate(s);
    const Impl::Place b = d->locate(s + n);
    QTextCursor k(document());
    k.setPosition(a.block.position() + std::min(a.offset, a.block.length() - 1));
    k.setPosition(b.block.position() + std::min(b.offset, b.block.length() - 1),
                  QTextCursor::KeepAnchor);
    QString t = k.selectedText();
    t.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    if (d->betweenCrLf(a) && t.startsWith(kCr))
        t.remove(0, 1);
    if (d->betweenCrLf(b))
        t += kCr;
    return t;
}

void RichTextBox::setSelText(const QString& text)
{
    QScopedValueRollback<int> g(d->guard, d->guard + 1);
    const QString docText = documentForm(text);
    const int ds = d->cur.selectionStart();
    const int de = d->cur.selectionEnd();
    const int ts = d->docToText(ds);
    const int te = d->docToText(de);
    if (ds != de || !docText.isEmpty()) {
        // The typing colour of the caret (cur's own format) stays in use.
        if (docText.isEmpty())
            d->cur.removeSelectedText();
        else
            d->cur.insertText(docText);
        const QString crlf = crlfForm(docText);
        if (d->textValid)
            d->text.replace(ts, te - ts, crlf);
        ++d->textRevision;
        d->exact.valid = false;
    }
    d->selectionMoved();
}

quint32 RichTextBox::SelColor() const
{
    const int s = d->cur.selectionStart();
    const int e = d->cur.selectionEnd();
    if (s == e)
        return colorOf(d->cur.charFormat());
    bool any = false;
    quint32 color = 0;
    for (QTextBlock b = document()->findBlock(s); b.isValid() && b.position() < e; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int fs = f.position();
            const int fe = fs + f.length();
            if (fe <= s)
                continue;
            if (fs >= e)
                break;
            const quint32 c = colorOf(f.charFormat());
            if (any && c != color)
                return kMixedColor;
            any = true;
            color = c;
        }
    }
    if (!any) {
        QTextCursor k(document());
        k.setPosition(s);
        return colorOf(k.charFormat());
    }
    return color;
}

void RichTextBox::setSelColor(quint32 bgr)
{
    QTextCharFormat f;
    f.setForeground(QColor_From_Bgr(bgr & 0xFFFFFFu));
    d->mergeChars(f);
}

int RichTextBox::SelIndent() const { return indentOf(document()->findBlock(d->cur.selectionStart())); }

void RichTextBox::setSelIndent(int twips) { d->mergeBlocks(indentFormat(twips)); }

void RichTextBox::setSelBold(bool on)
{
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    d->mergeChars(f);
}

void RichTextBox::setSelItalic(bool on)
{
    QTextCharFormat f;
    f.setFontItalic(on);
    d->mergeChars(f);
}

void RichTextBox::setSelUnderline(bool on)
{
    QTextCharFormat f;
    f.setFontUnderline(on);
    d->mergeChars(f);
}

void RichTextBox::setSelStrikeThru(bool on)
{
    QTextCharFormat f;
    f.setFontStrikeOut(on);
    d->mergeChars(f);
}

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
    d->forSelectedBlocks([&](const QTextBlock& b, QTextCursor&) {
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
    QTextCharFormat f;
    f.setFontFamilies(QStringList{name});
    d->mergeChars(f);
}

void RichTextBox::setSelFontSize(int points)
{
    if (points <= 0)
        return;
    QTextCharFormat f;
    f.setFontPointSize(points);
    d->mergeChars(f);
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

bool RichTextBox::event(QEvent* e)
{
    // Whatever the user does next starts from the program's selection.
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::Drop:
        d->flush();
        break;
    default:
        break;
    }
    return QTextEdit::event(e);
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
