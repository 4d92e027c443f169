#include "platform/rich_text_box.h"

#include "platform/file_system.h"
#include "platform/palette.h"
#include "platform/rtf_writer.h"
#include "platform/text_positions.h"
#include "platform/vb_keys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <type_traits>

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

    EditorStyle style;

    // Text() with CR LF breaks, and whether it is current.
    mutable QString text;
    mutable bool textValid = false;
    // Bumped on every change of the text (not of its formatting).
    quint64 textRevision = 0;
    // Remembers the line found last while the text stays the same.
    mutable textpos::Locator locator;

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

    // ---- text cache and positions ---------------------------------------------
    // The text changed; an edit of this class that keeps the text cache
    // itself passes keepText.
    void textChanged(bool keepText = false)
    {
        ++textRevision;
        locator.forget();
        if (!keepText) {
            textValid = false;
            exact.valid = false;
        }
    }

    const QString& plainText() const
    {
        if (!textValid) {
            text = textpos::text(*doc());
            textValid = true;
        }
        return text;
    }

    int textLength() const { return textpos::length(*doc()); }
    int docEnd() const { return doc()->characterCount() - 1; }
    int docToText(int d) const { return textpos::fromDocument(*doc(), d); }
    double tpp() const { return style.twipsPerPixel; }
    int textToDoc(int p) const { return locator.toDocument(*doc(), p); }

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

    QTextCharFormat caretFormat() const
    {
        QTextCharFormat f = richdoc::formatAt(*doc(), position);
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

    // Changes the lines the selection touches, in one undo step.
    void forSelectedLines(const std::function<void(const QTextBlock&)>& fn)
    {
        QScopedValueRollback<int> g(guard, guard + 1);
        richdoc::forLines(*doc(), selStartDoc(), selEndDoc(), fn);
    }

    void mergeBlocks(const QTextBlockFormat& f)
    {
        forSelectedLines([&](const QTextBlock& b) { QTextCursor(b).mergeBlockFormat(f); });
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

    // Qt puts the caret back where the cursor that opened the undone edit
    // block stood, and this class opens its blocks with cursors made at the
    // start of the text: the caret goes instead where the text changed.
    void stepHistory(bool back)
    {
        const int wasAnchor = anchor;
        const int wasPosition = position;
        int changedAt = -1;
        const QMetaObject::Connection watch = QObject::connect(
            doc(), &QTextDocument::contentsChange, q, [&changedAt](int from, int removed, int added) {
                if (removed != added)
                    changedAt = from + added;
            });
        if (back)
            q->QTextEdit::undo();
        else
            q->QTextEdit::redo();
        QObject::disconnect(watch);
        QTextCursor k = q->QTextEdit::textCursor();
        if (changedAt >= 0) {
            k.setPosition(std::clamp(changedAt, 0, docEnd()));
        } else {
            k.setPosition(std::clamp(wasAnchor, 0, docEnd()));
            k.setPosition(std::clamp(wasPosition, 0, docEnd()), QTextCursor::KeepAnchor);
        }
        q->QTextEdit::setTextCursor(k);
        q->ensureCursorVisible();
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
};

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
    setEditorStyle(d->style);
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] { d->widgetCursorMoved(); });
    connect(this, &QTextEdit::selectionChanged, this, [this] { d->widgetCursorMoved(); });
}

RichTextBox::~RichTextBox()
{
    delete d;
}

void RichTextBox::setEditorStyle(const EditorStyle& style)
{
    d->style = style;
    if (d->style.twipsPerPixel <= 0)
        d->style.twipsPerPixel = EditorStyle().twipsPerPixel;
    QFont f(style.fontName);
    f.setPointSize(style.fontPoints > 0 ? style.fontPoints : 10);
    setFont(f);
    document()->setDefaultFont(f);
    if (style.tabTwips > 0)
        setTabStopDistance(style.tabTwips / d->tpp());
    if (d->rightMarginTwips > 0)
        setRightMargin(d->rightMarginTwips);  // the same twips in the new pixels
}

const RichTextBox::EditorStyle& RichTextBox::editorStyle() const { return d->style; }

// ---- text ---------------------------------------------------------------------

QString RichTextBox::Text() const { return d->plainText(); }

int RichTextBox::TextLength() const { return d->textLength(); }

void RichTextBox::setText(const QString& text) { setContent(rtf::fromPlainText(text)); }

rtf::Content RichTextBox::content() const { return richdoc::content(*document(), d->tpp()); }

void RichTextBox::setContent(const rtf::Content& content)
{
    d->adopt(richdoc::build(content, *document(), d->tpp(), this));
}

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
        d->lastError = fs::writeBytes(path, rtf::write(content(), d->style.fontName, d->style.fontPoints));
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
    return textpos::slice(*document(), s, n, d->locator);
}

void RichTextBox::setSelText(const QString& text)
{
    QScopedValueRollback<int> g(d->guard, d->guard + 1);
    const QString docText = rtf::editorText(text);
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
            d->text.replace(ts, te - ts, textpos::crlfForm(docText));
        d->textChanged(true);
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
        return richdoc::colorOf(d->caretFormat());
    return richdoc::rangeColor(*document(), s, e);
}

void RichTextBox::setSelColor(quint32 bgr)
{
    QTextCharFormat f;
    f.setForeground(QColor_From_Bgr(bgr & 0xFFFFFFu));
    d->mergeChars(f);
}

int RichTextBox::SelIndent() const { return richdoc::indentOf(document()->findBlock(d->selStartDoc()), d->tpp()); }

void RichTextBox::setSelIndent(int twips) { d->mergeBlocks(richdoc::indentFormat(twips, d->tpp())); }

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

void RichTextBox::setSelCharOffset(int twips) { d->mergeChars(richdoc::charOffsetFormat(twips)); }

void RichTextBox::setSelAlignment(int alignment) { d->mergeBlocks(richdoc::alignmentFormat(alignment)); }

void RichTextBox::setSelHangingIndent(int twips) { d->mergeBlocks(richdoc::hangingIndentFormat(twips, d->tpp())); }

void RichTextBox::setSelBullet(bool on)
{
    d->forSelectedLines([&](const QTextBlock& b) { richdoc::setBullet(b, on); });
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
    d->mergeBlocks(richdoc::tabsFormat(twips, d->tpp()));
}

void RichTextBox::setRightMargin(int twips)
{
    d->rightMarginTwips = std::max(twips, 0);
    const int px = twips > 0 ? qRound(twips / d->tpp()) : 0;
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

void RichTextBox::undo()
{
    d->flush();
    d->stepHistory(true);
}

void RichTextBox::redo()
{
    d->flush();
    d->stepHistory(false);
}

// ---- searching ----------------------------------------------------------------------

int RichTextBox::Find(const QString& text, int start, int end, int options)
{
    const int m = textpos::find(d->plainText(), text, start, end, options);
    if (m >= 0)
        d->select(m, m + int(text.size()));
    return m;
}

void RichTextBox::replaceMatches(const std::vector<int>& starts, int length, const QString& with)
{
    if (starts.empty())
        return;
    QScopedValueRollback<int> g(d->guard, d->guard + 1);
    const QString docText = rtf::editorText(with);
    const QString textForm = textpos::crlfForm(docText);
    const int change = int(textForm.size()) - length;
    const QString& text = d->plainText();
    // Document places first, in one walk over the text while it is still the
    // one the starts were found in (each CR LF is one place there); then the
    // edits from the back, so that no edit moves a place still to be used.
    std::vector<std::pair<int, int>> spans;
    spans.reserve(starts.size());
    int breaks = 0;
    qsizetype scanned = 0;
    const auto docPlace = [&](int p) {
        for (; scanned < p; ++scanned)
            breaks += text[scanned] == u'\n';
        // Between CR and LF: the place before the CR.
        return p - breaks - (p < text.size() && text[p] == u'\n' ? 1 : 0);
    };
    for (const int s : starts) {
        const int ds = docPlace(s);
        spans.emplace_back(ds, docPlace(s + length));
    }
    // The caret stays on the same text (at the start of a replaced match it
    // was in): put back after the edits without measuring lines up to the
    // last replacement.
    int caret = d->selStart();
    int moved = 0;
    for (const int s : starts) {
        if (s >= caret)
            break;
        if (s + length > caret) {
            caret = s;
            break;
        }
        moved += change;
    }
    caret += moved;
    QString fresh = textpos::replaced(text, starts, length, textForm);
    QTextCursor k(document());
    k.beginEditBlock();
    for (auto it = spans.rbegin(); it != spans.rend(); ++it) {
        k.setPosition(it->first);
        k.setPosition(it->second, QTextCursor::KeepAnchor);
        if (docText.isEmpty())
            k.removeSelectedText();
        else
            k.insertText(docText);
    }
    k.endEditBlock();
    d->text = std::move(fresh);
    d->textValid = true;
    d->textChanged(true);
    d->select(caret, caret);
}

void RichTextBox::Span(const QString& set, bool forward, bool negate)
{
    const int s = d->selStart();
    const int e = s + d->selLength();
    // Spanning goes over characters in the set, or (negate) not in it.
    if (forward)
        d->select(s, textpos::walk(d->plainText(), e, true, set, !negate));
    else
        d->select(e, textpos::walk(d->plainText(), s, false, set, !negate));
}

void RichTextBox::UpTo(const QString& set, bool forward, bool negate)
{
    // Stops before (forward) or after (backward) a character in the set, or
    // (negate) not in it.
    const int from = forward ? d->selStart() + d->selLength() : d->selStart();
    const int p = textpos::walk(d->plainText(), from, forward, set, negate);
    d->select(p, p);
}

// ---- bulk colouring ------------------------------------------------------------------

void RichTextBox::applyColorRuns(const std::vector<ColorRun>& runs)
{
    if (runs.empty())
        return;
    QScopedValueRollback<int> g(d->guard, d->guard + 1);
    richdoc::applyColorRuns(*document(), runs);
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
    if (e->matches(QKeySequence::Undo)) {
        undo();
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Redo) || (mods == Qt::ControlModifier && e->key() == Qt::Key_Y)) {
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
            insertPlainText(rtf::editorText(typed));
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
    onMouseUp(vb::buttonOf(e->button()), vb::shiftOf(int(e->modifiers())), e->position().toPoint());
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
    const QString t = rtf::editorText(source->text());
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
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
#endif
    auto* m = new QMimeData;
    m->setText(t);
    return m;
}
