#include "platform/rich_text_box.h"
#include "platform/rich_text_box_impl.h"

#include <QScrollBar>

// ---- searching ----------------------------------------------------------------------

int RichTextBox::Find(const QString& text, int start, int end, int options)
{
    const int m = textpos::find(d->plainText(), text, start, end, options);
    if (m >= 0)
        d->select(m, m + int(text.size()));
    return m;
}

int RichTextBox::insertedLength(const QString& text)
{
    return int(textpos::crlfForm(rtf::editorText(text)).size());
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
    Impl::AscendingPlaces docPlace(text);
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

void RichTextBox::replaceRanges(const std::vector<Replacement>& pieces)
{
    if (pieces.empty())
        return;
    QScopedValueRollback<int> g(d->guard, d->guard + 1);
    const QString& text = d->plainText();
    Impl::AscendingPlaces docPlace(text);
    struct Piece {
        int from, to;
        QString docText;
    };
    std::vector<Piece> spans;
    QString fresh;
    int at = 0;
    for (const Replacement& r : pieces) {
        const QString docText = rtf::editorText(r.with);
        const int from = docPlace(r.start);
        spans.push_back({from, docPlace(r.start + r.length), docText});
        fresh += QStringView(text).mid(at, r.start - at);
        fresh += textpos::crlfForm(docText);
        at = r.start + r.length;
    }
    fresh += QStringView(text).mid(at);
    const int caret = std::min<int>(d->selStart(), int(fresh.size()));
    QTextCursor k(document());
    k.beginEditBlock();
    for (auto it = spans.rbegin(); it != spans.rend(); ++it) {
        k.setPosition(it->from);
        k.setPosition(it->to, QTextCursor::KeepAnchor);
        if (it->docText.isEmpty())
            k.removeSelectedText();
        else
            k.insertText(it->docText);
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

bool RichTextBox::applyColorRuns(const std::vector<ColorRun>& runs, const richdoc::ColorSteps& steps)
{
    if (runs.empty())
        return true;
    QScopedValueRollback<int> g(d->guard, d->guard + 1);
    // The steps let events through. The lines being coloured have no layout
    // until the end and would be drawn blank: the old picture stays instead.
    // A cancelled colouring is taken back with an undo, which is no change
    // to tell the owner of.
    QScopedValueRollback<bool> busy(d->bulk, true);
    d->changedWhileBulk = false;
    const bool updates = viewport()->updatesEnabled();
    viewport()->setUpdatesEnabled(false);
    const bool done = richdoc::applyColorRuns(*document(), runs, steps);
    viewport()->setUpdatesEnabled(updates);
    if (done && d->changedWhileBulk)
        emit Change();
    return done;
}

// ---- colours that follow the text ------------------------------------------------------

void RichTextBox::colorWhereDifferent(const std::vector<ColorRun>& runs, bool partOfEdit)
{
    QTextDocument& doc = *document();
    textpos::Locator locator;
    struct Range {
        int a, b;
        quint32 bgr;
    };
    std::vector<Range> todo;
    const int end = d->docEnd();
    for (const ColorRun& r : runs) {
        const int a = std::clamp(locator.toDocument(doc, r.start), 0, end);
        const int b = std::clamp(locator.toDocument(doc, r.start + r.length), a, end);
        const QColor want = QColor_From_Bgr(r.color);
        for (QTextBlock block = doc.findBlock(a); block.isValid() && block.position() < b; block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                const int fa = std::max(a, f.position()), fb = std::min(b, f.position() + f.length());
                if (fa >= fb || f.charFormat().foreground().color() == want)
                    continue;
                // A line break between two stretches of one colour takes it too.
                const bool joins = !todo.empty() && todo.back().bgr == r.color
                    && (todo.back().b == fa
                        || (todo.back().b + 1 == fa && doc.characterAt(fa - 1) == QChar::ParagraphSeparator));
                if (joins)
                    todo.back().b = fb;
                else
                    todo.push_back({fa, fb, r.color});
            }
        }
    }
    if (todo.empty())
        return;
    QScopedValueRollback<int> g(d->guard, d->guard + 1);
    QScopedValueRollback<bool> quiet(d->quiet, d->quiet || !partOfEdit);
    const bool wasModified = doc.isModified();
    // Colours that are no edit go into an empty history, which is emptied
    // again; after an edit they join it, as colours made while typing do.
    const bool alone = !partOfEdit && !doc.isUndoAvailable() && !doc.isRedoAvailable();
    QTextCursor k(&doc);
    if (alone)
        k.beginEditBlock();
    else
        k.joinPreviousEditBlock();
    for (const Range& r : todo) {
        k.setPosition(r.a);
        k.setPosition(r.b, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setForeground(QColor_From_Bgr(r.bgr));
        k.mergeCharFormat(f);
    }
    k.endEditBlock();
    if (alone)
        doc.clearUndoRedoStacks();
    if (!partOfEdit)
        doc.setModified(wasModified);
}

std::pair<int, int> RichTextBox::visibleText() const
{
    const QRect r = viewport()->rect();
    const int first = cursorForPosition(r.topLeft()).position();
    const int last = cursorForPosition(r.bottomRight()).position();
    QTextBlock block = document()->findBlock(last);
    const int lineEnd = block.isValid() ? block.position() + block.length() - 1 : last;
    return {d->docToText(first), d->docToText(std::max(lineEnd, first))};
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
            {
                const Impl::OneStep step(this);
                insertPlainText(rtf::editorText(typed));
            }
            d->afterTyped(typed);
            ensureCursorVisible();
            e->accept();
            return;
        }
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (mods & Qt::ShiftModifier)) {
        // A line break inside a paragraph would be a break that is not CR LF.
        const Impl::OneStep step(this);
        QTextCursor c = textCursor();
        c.insertBlock();
        setTextCursor(c);
        e->accept();
        return;
    }
    {
        const Impl::OneStep step(this);
        QTextEdit::keyPressEvent(e);
    }
    d->afterTyped(typed);
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
    if (d->hide && !d->bulk)
        d->showCursor();
    emit GotFocus();
}

void RichTextBox::focusOutEvent(QFocusEvent* e)
{
    QTextEdit::focusOutEvent(e);
    // A menu opening over the control does not take the selection away.
    if (d->hide && !d->bulk && e->reason() != Qt::PopupFocusReason)
        d->showCursor();
    emit LostFocus();
}

void RichTextBox::showEvent(QShowEvent* e)
{
    QTextEdit::showEvent(e);
    if (d->pending && (!d->hide || hasFocus()))
        d->showCursor();
}

void RichTextBox::resizeEvent(QResizeEvent* e)
{
    QTextEdit::resizeEvent(e);
    if (d->gutter) {
        const QRect r = contentsRect();
        d->gutter->setGeometry(r.left(), r.top(), d->gutter->widthNeeded(), r.height());
    }
}

void RichTextBox::setLineNumbers(bool on)
{
    if (on == (d->gutter != nullptr))
        return;
    if (!on) {
        delete d->gutter;
        d->gutter = nullptr;
        setViewportMargins(0, 0, 0, 0);
        return;
    }
    d->gutter = new LineNumbers(*this);
    // Anything that moves, adds or takes lines, or moves the caret to
    // another line, shows in the gutter.
    auto refresh = [this] {
        if (!d->gutter)
            return;
        const int w = d->gutter->widthNeeded();
        if (w != viewportMargins().left()) {
            setViewportMargins(w, 0, 0, 0);
            const QRect r = contentsRect();
            d->gutter->setGeometry(r.left(), r.top(), w, r.height());
        }
        d->gutter->update();
    };
    connect(verticalScrollBar(), &QScrollBar::valueChanged, d->gutter, refresh);
    connect(this, &QTextEdit::textChanged, d->gutter, refresh);
    connect(this, &QTextEdit::cursorPositionChanged, d->gutter, refresh);
    refresh();
    d->gutter->show();
}

LineNumbers* RichTextBox::lineNumbers() const { return d->gutter; }

bool RichTextBox::canInsertFromMimeData(const QMimeData* source) const
{
    return source && source->hasText();
}

void RichTextBox::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    const QString t = rtf::editorText(source->text());
    if (t.isEmpty())
        return;
    {
        const Impl::OneStep step(this);
        const QTextCursor before = textCursor();
        const int from = before.selectionStart(), removed = before.selectionEnd() - from;
        const int count = document()->characterCount();
        insertPlainText(t);
        // The selection gave way to the text, the caret after it: told
        // before the block ends (anything else is told when it ends).
        const int added = document()->characterCount() - count + removed;
        if (textCursor().position() == from + added)
            d->tellInsideBlock(from, removed, added);
    }
    d->blockEnded();
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
