#pragma once

// The rich-text box's inner state, shared by the files that implement the
// box (its operations in rich_text_box.cpp; searching, colouring and input
// events in rich_text_box_input.cpp).


#include "platform/file_system.h"
#include "platform/line_numbers.h"
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
    // A long colouring runs and lets events through: the document is in the
    // middle of an edit, so the widget's cursor is left alone, and changes
    // are told once at the end.
    bool bulk = false;
    bool changedWhileBulk = false;
    bool history = false;  // undo or redo is putting an earlier state back
    LineNumbers* gutter = nullptr;
    bool quiet = false;    // colours that are no edit are going in
    // Qt reported a change since the last "contents changed": an edit
    // block that changed nothing reports the one without the other.
    bool contentChanged = false;
    // An edit told to onTextEdit while its block was still open, so that the
    // colours it brings go into that block and Qt lays the lines out once:
    // the change Qt reports when the block ends is then told already.
    bool told = false;
    // A block told early was inside another one: what that one reports
    // holds more than was told, so the follower starts over from the text.
    bool startOver = false;
    // The typed characters' follower runs in a block of its own: its one
    // edit told early (an end tag put in, a typed-over one taken out) needs
    // no start over when what Qt reports at the end is that very edit. A
    // start over rescans the whole page, far beyond a keystroke's budget.
    struct Told {
        int from, removed, added;
    };
    bool inFollower = false;
    bool movedInFollower = false;
    std::optional<Told> lastTold;
    std::optional<Told> toldInFollower;
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
        // The follower's moves are shown once it is done: shown one by one,
        // each would lay the changed lines out again inside the open block.
        if (inFollower) {
            movedInFollower = true;
            return;
        }
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
        if (pending && !bulk && q->isVisible() && (!hide || q->hasFocus()))
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
        richdoc::keepLongLinesShaped(*fresh, 0, fresh->characterCount());
        // A text this long is taller than any screen: the vertical scroll bar
        // shown before the layout spares the second layout its appearance
        // would force (the page narrows by the bar's width), which for one
        // line of megabytes costs a second.
        constexpr int kSurelyScrolls = 200000;
        const bool barFirst = fresh->characterCount() > kSurelyScrolls
            && q->verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded;
        if (barFirst)
            q->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        {
            QScopedValueRollback<int> g(guard, guard + 1);
            // Taking a document in, the widget sets its page size and the
            // rest after the document's layout has been made: laid out once
            // with the final sizes instead (a line of megabytes takes seconds).
            fresh->setLayoutEnabled(false);
            q->QTextEdit::setDocument(fresh);
            fresh->setLayoutEnabled(true);
        }
        if (barFirst)
            q->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        if (old && old->parent() == q)
            old->deleteLater();
        connectDocument();
        fresh->setUndoRedoEnabled(true);
        fresh->clearUndoRedoStacks();
        anchor = position = 0;
        typing.reset();
        textChanged();
        pending = false;
        if (q->onTextEdit)
            q->onTextEdit(0, -1, plainText(), EditKind::NewText);
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
        {
            QScopedValueRollback<bool> h(history, true);
            if (back)
                q->QTextEdit::undo();
            else
                q->QTextEdit::redo();
        }
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

    // Document places of ascending Text() positions, in one walk over the
    // text (each CR LF is one place there; between CR and LF: the place
    // before the CR).
    class AscendingPlaces {
    public:
        explicit AscendingPlaces(const QString& text) : text_(text) {}
        int operator()(int p)
        {
            for (; scanned_ < p; ++scanned_)
                breaks_ += text_[scanned_] == u'\n';
            return p - breaks_ - (p < text_.size() && text_[p] == u'\n' ? 1 : 0);
        }

    private:
        const QString& text_;
        int breaks_ = 0;
        qsizetype scanned_ = 0;
    };

    // What the widget does to the text on its own (a key, a paste) is not
    // always an edit block, and colours that follow the text can join only
    // a block: with a follower, such an edit is made one.
    struct OneStep {
        explicit OneStep(RichTextBox* box)
        {
            if (box->onTextEdit) {
                cursor.emplace(box->document());
                cursor->beginEditBlock();
            }
        }
        ~OneStep()
        {
            if (cursor)
                cursor->endEditBlock();
        }
        OneStep(const OneStep&) = delete;
        OneStep& operator=(const OneStep&) = delete;
        std::optional<QTextCursor> cursor;
    };

    // The typed characters' follower may add to their undo step.
    void afterTyped(const QString& typed)
    {
        if (!q->onTyped || typed.isEmpty() || typed.front() < u' ' || typed == QLatin1String("\x7f"))
            return;
        QTextCursor join(doc());
        join.joinPreviousEditBlock();
        inFollower = true;
        q->onTyped(typed);
        inFollower = false;
        // Where the follower left the selection: the widget's own cursor,
        // not moved yet, is carried along by the text put in at it when
        // the block ends, and would be taken for a move of the user's.
        const int keptAnchor = anchor, keptPosition = position;
        join.endEditBlock();
        toldInFollower.reset();
        if (movedInFollower) {
            movedInFollower = false;
            anchor = keptAnchor;
            position = keptPosition;
            selectionMoved();
        }
    }

    void tellEdit(int from, int removed, int added)
    {
        from = std::clamp(from, 0, docEnd());
        const int end = std::clamp(from + added, from, docEnd());
        // As Text() has it: the lines' characters as they are, CR LF between.
        QString inserted;
        for (QTextBlock b = doc()->findBlock(from); b.isValid() && b.position() <= end; b = b.next()) {
            const int start = b.position();
            const QString line = b.text();
            const int a = std::max(from, start) - start;
            const int z = std::min(end, start + int(line.size())) - start;
            if (z > a)
                inserted += QStringView(line).mid(a, z - a);
            if (start + int(line.size()) < end)
                inserted += QLatin1String("\r\n");
        }
        q->onTextEdit(docToText(from), removed, inserted, history ? EditKind::History : EditKind::Edit);
    }

    // Inside an edit block still open: [from, from + removed) of the
    // document gave way to `added` positions.
    void tellInsideBlock(int from, int removed, int added)
    {
        if (!q->onTextEdit || quiet || told || startOver)
            return;
        if (toldInFollower) {
            // A second edit of the follower: Qt will report the two as one.
            toldInFollower.reset();
            startOver = true;
            return;
        }
        tellEdit(from, removed, added);
        told = true;
        lastTold = Told{from, removed, added};
    }
    // After the block: Qt reported no change when it ended, so the block was
    // part of a larger one.
    void blockEnded()
    {
        if (told) {
            told = false;
            if (inFollower && lastTold)
                toldInFollower = lastTold;
            else
                startOver = true;
        }
    }

    void connectDocument()
    {
        QObject::connect(doc(), &QTextDocument::contentsChange, q, [this](int from, int removed, int added) {
            contentChanged = true;
            // Our own operations keep the text cache and the selection up to
            // date themselves; anything else (typing, undo, paste, other
            // cursors) makes the cache stale.
            if (guard == 0) {
                textChanged();
                documentChangedElsewhere(from, removed, added);
            }
            if (removed != added)
                richdoc::keepLongLinesShaped(*doc(), from, from + added);
            if (q->onTextEdit && !quiet) {
                if (told) {
                    told = false;
                } else if (toldInFollower) {
                    const Told t = *toldInFollower;
                    toldInFollower.reset();
                    if (t.from != from || t.removed != removed || t.added != added)
                        q->onTextEdit(0, -1, plainText(), EditKind::NewText);
                } else if (startOver) {
                    startOver = false;
                    q->onTextEdit(0, -1, plainText(), EditKind::NewText);
                } else {
                    tellEdit(from, removed, added);
                }
            }
        });
        QObject::connect(doc(), &QTextDocument::contentsChanged, q, [this] {
            // A key that edits nothing (Shift, an arrow) still runs in an
            // edit step of its own, in case it types: no change to tell.
            if (!std::exchange(contentChanged, false) || quiet)
                return;
            if (bulk)
                changedWhileBulk = true;
            else
                emit q->Change();
        });
    }
};
