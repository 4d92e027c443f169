#pragma once
// The rich-text control every editing, search and print procedure works on.
// It wraps QTextEdit and offers the operations under the names the program
// uses, with the program's notion of a position: 0-based indexes into
// Text(), in which every line break is CR LF (two characters). The mapping
// to the document's positions is platform/text_positions; building and
// reading the document as a source file's content, platform/rich_document.
//
//   Text() is built once and kept until the text changes (colour and indent
//   changes keep it); edits made through this class update it in place, so
//   only typing, undo and pasting make the next Text() a full rebuild.
//
//   A position between the CR and the LF of a break is a real position of
//   Text(): SelStart, SelLength and SelText read back exactly what was set
//   (selecting the CR alone gives "\r", the LF alone "\n"). For editing,
//   colouring and the visible caret it counts as the position before the CR
//   (the end of the line): text inserted there goes before the break. Every
//   CR LF, CR, LF and Unicode line or paragraph separator put in becomes one
//   CR LF.
//
// Colours are 0x00BBGGRR values (platform/palette.h). Indents are twips.
//
// The control reads no program setting: its owner gives it the editor font,
// the tab width and the screen's twips per pixel (setEditorStyle).
//
// LoadFile, setText and setContent replace the QTextDocument (it is built
// while detached from the widget, which is several times faster than filling
// a shown one): connect to Change, not to document() signals, and never call
// QTextEdit::setDocument.
//
// HideSelection true: selection changes made through this class are kept
// in the control and shown (and scrolled to) only when HideSelection goes
// false again, or, if the control has the focus, once the program returns to
// the event loop; without the focus no selection is shown. Code that mixes
// these operations with QTextEdit's own cursor functions (textCursor(),
// copy() ...) calls syncCursor() first. A control that is not shown (the
// print engine's) keeps its selection to itself in the same way, so loops
// over its characters never lay out lines.
//
// Pasting and dropping insert plain text only (users paste HTML source, and
// rich text would bring its fonts along). Undo and redo (Ctrl+Z, Ctrl+Y,
// Ctrl+Shift+Z) leave the caret where the text they took away or put back
// was, whichever way the edit was made; Shift+Enter makes an ordinary line
// break.

#include "platform/rich_document.h"

#include <QTextEdit>

#include <functional>
#include <vector>

class LineNumbers;

class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);
    ~RichTextBox() override;

    // ---- text -----------------------------------------------------------------
    // The whole plain text with CR LF breaks.
    QString Text() const;
    // Replaces the whole text (plain, in the default colour, no indents) and
    // starts a fresh undo history.
    void setText(const QString& text);
    // Length of Text() without building it.
    int TextLength() const;

    // Loads RTF (text, colours, indents) or, when the file does not start with
    // "{\rtf", plain text. On failure returns false and leaves the document
    // as it was. A fresh undo history starts.
    bool LoadFile(const QString& path);
    // format 0: RTF with colours and indents; 1: the plain text (UTF-8, CR LF).
    // Written atomically. Returns false on failure; lastFileError() tells why.
    bool SaveFile(const QString& path, int format);
    int lastFileError() const;  // an fs::Result value

    // ---- selection ---------------------------------------------------------
    int SelStart() const;
    void setSelStart(int start);   // collapses the selection there
    int SelLength() const;
    void setSelLength(int length); // from SelStart; past the end selects to the end, below 0 is 0
    QString SelText() const;       // CR LF breaks
    void setSelText(const QString& text);  // replaces the selection, caret after it
    // How many characters of Text() setSelText(text) or replaceMatches puts
    // in: every kind of line break becomes CR LF there.
    static int insertedLength(const QString& text);

    // Colour at the caret (the colour typing there would get: the character
    // before the caret, or at the start of a line its first character, or a
    // typing colour just set), or of a one-colour selection. Line breaks in a
    // selection do not count. A selection of several colours returns
    // kMixedColor.
    static constexpr quint32 kMixedColor = richdoc::kMixedColor;
    quint32 SelColor() const;
    // Colours the selection, or sets the typing colour at the caret.
    void setSelColor(quint32 bgr);

    // Left indent (twips) of the paragraph at the caret (with a selection: of
    // its first paragraph) / of the selected paragraphs (a selection that ends
    // at the start of a line leaves that line alone).
    int SelIndent() const;
    void setSelIndent(int twips);

    // Formatting of the selection (Standard Format uses these).
    void setSelBold(bool on);
    void setSelItalic(bool on);
    void setSelUnderline(bool on);
    void setSelStrikeThru(bool on);
    void setSelCharOffset(int twips);
    void setSelAlignment(int alignment);  // 0 left, 1 right, 2 centre
    void setSelHangingIndent(int twips);
    void setSelBullet(bool on);
    void setSelFontName(const QString& name);
    void setSelFontSize(int points);
    // Tab stops of the selected paragraphs, twips.
    void setSelTabs(const std::vector<int>& twips);

    // Wrap width of the lines, twips (0 or less: wrap at the window edge).
    void setRightMargin(int twips);
    int rightMargin() const;
    // True: selection changes are not shown (and not repainted) until false
    // (see the top of this file). Starts false.
    void setHideSelection(bool hide);
    bool hideSelection() const;
    // Makes the widget's own cursor show the selection at once.
    void syncCursor();
    // One step back or forward in the edit history; the caret goes to the end
    // of the text put back (or to where removed text was); a step that only
    // changed colours or indents leaves the selection alone.
    void undo();
    void redo();

    // The editor's font (also the font named in saved source files), tab
    // width and the screen's twips per pixel (indents, tabs and margins are
    // twips; the widget draws pixels). A size or tab width of 0 or less
    // keeps the default (10 points, no change of tab stops).
    struct EditorStyle {
        QString fontName = QStringLiteral("Arial");
        int fontPoints = 10;
        int tabTwips = 360;
        double twipsPerPixel = 15.0;  // 96 dots per inch
    };
    void setEditorStyle(const EditorStyle& style);
    const EditorStyle& editorStyle() const;

    // ---- the document as a whole ---------------------------------------------
    // Text with '\n' breaks, colours and line indents (what a source file
    // keeps). setContent starts a fresh undo history.
    rtf::Content content() const;
    void setContent(const rtf::Content& content);

    // ---- searching ---------------------------------------------------------
    // Options as textpos::find (0 ignore case; +2 whole word; +4 match
    // case), over Text() from start to end (end < 0: end of text). Selects
    // the match and returns its start, or -1 (selection unchanged).
    int Find(const QString& text, int start, int end = -1, int options = 0);
    // Replaces the `length` characters at each of starts (positions in
    // Text(), ascending, not overlapping) by with, in one edit block: one
    // undo step, one layout of the changed lines, and every other character
    // keeps its colour (inserted text takes the colour of the last character
    // it replaces, as setSelText gives it). The selection collapses to its
    // start, which stays on the same text (a caret inside a replaced match
    // goes to its start).
    void replaceMatches(const std::vector<int>& starts, int length, const QString& with);
    // Several pieces of Text() (ascending, not overlapping) replaced, each by
    // its own text, as one undo step; the same colour rules as replaceMatches.
    struct Replacement {
        int start = 0;
        int length = 0;
        QString with;
    };
    void replaceRanges(const std::vector<Replacement>& pieces);
    // negate true: extends the selection backwards from its start (forward
    // false) or forwards from its end (forward true) over characters not in
    // set. negate false: over characters in set.
    void Span(const QString& set, bool forward, bool negate);
    // Moves the caret in the given direction up to, not over, the first
    // character in set (negate: not in set): forward from the selection's
    // end, backward from its start; with none, to the end or the start of the
    // text. The selection collapses.
    void UpTo(const QString& set, bool forward, bool negate);

    // ---- bulk colouring ----------------------------------------------------
    using ColorRun = richdoc::ColorRun;  // start and length in Text()
    // Applies every run in one edit block: one undo step, one repaint. Runs
    // may come in any order and may overlap (later runs win). steps, when
    // given, hears how far a long colouring has gone (per mille) and may
    // cancel it by answering false: the colours are then as they were and
    // false is returned. The control is not repainted while it colours.
    bool applyColorRuns(const std::vector<ColorRun>& runs, const richdoc::ColorSteps& steps = {});

    // ---- following the text (colouring while typing) -------------------------
    // How the text changed: an edit (typing, paste, an operation of this
    // class), a step of undo or redo (which puts colours back itself), or a
    // new document (setText, LoadFile, setContent).
    enum class EditKind { Edit, History, NewText };
    // Told of every change of the text as it happens, before Change: at pos
    // (in Text()), `removedUnits` document positions (a line break is one)
    // gave way to `inserted` (CR LF breaks). A change of formatting alone may
    // come too, as a change of equal length with the same text. For a new
    // document pos is 0, removedUnits -1 and inserted the whole text.
    std::function<void(int pos, int removedUnits, const QString& inserted, EditKind kind)> onTextEdit;
    // Gives every run its colour where the text has another. Inside
    // onTextEdit (partOfEdit) the colours join the edit being made: the same
    // undo step, no change of their own. Otherwise they are no edit at all:
    // they leave the history (which must be empty) and the changed mark
    // alone and send no Change.
    void colorWhereDifferent(const std::vector<ColorRun>& runs, bool partOfEdit);
    // Text() positions [first, last) the window shows now.
    std::pair<int, int> visibleText() const;

    // A gutter with the number of every line (platform/line_numbers.h)
    // beside the text, or none (the default).
    void setLineNumbers(bool on);
    LineNumbers* lineNumbers() const;

    // ---- events ------------------------------------------------------------
    // Key down: keyCode and shift as the key tables use them (platform/vb_keys);
    // the handler consumes the key by setting keyCode to 0.
    std::function<void(int& keyCode, int shift)> onKeyDown;
    // Key typed (the characters the key makes, also "\r" Enter, "\b"
    // Backspace, "\t" Tab and Ctrl+letter control characters): the handler
    // may replace the text, which is then inserted in its place, or empty it
    // to drop the key.
    std::function<void(QString& typed)> onKeyPress;
    // Characters typed have gone in (not Enter, Backspace or other control
    // characters): what the handler changes through this class joins the
    // typed characters' undo step.
    std::function<void(const QString& typed)> onTyped;
    // Mouse button released: button 1 left, 2 right, 4 middle; shift mask;
    // position in the widget.
    std::function<void(int button, int shift, QPoint pos)> onMouseUp;
    // The text is about to be written as a source (RTF): colours still on
    // their way go in first, so the file holds what the editor will show.
    std::function<void()> onBeforeSave;

Q_SIGNALS:
    // The text or its formatting changed (colouring a page changes the source
    // file, so it counts as a change to be saved). Also sent by setText,
    // LoadFile and setContent; a bulk colouring sends it once.
    void Change();
    void GotFocus();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    struct Impl;
    Impl* d;
};
