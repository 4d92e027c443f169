#pragma once
// The rich-text control every editing, search and print procedure works on.
// It wraps QTextEdit and offers the operations under the names the program
// uses, with the program's notion of a position:
//
//   Positions are 0-based indexes into Text(), in which every line break is
//   CR LF (two characters). QTextDocument keeps one separator per break; the
//   mapping between the two is done here, in O(log n).
//
// Colours are 0x00BBGGRR values (platform/palette.h). Indents are twips.

#include <QTextEdit>

#include <functional>
#include <vector>

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
    void setSelLength(int length); // from SelStart; past the end selects to the end
    QString SelText() const;       // CR LF breaks
    void setSelText(const QString& text);  // replaces the selection, caret after it

    // Colour at the caret, or of a one-colour selection; a selection of
    // several colours returns kMixedColor.
    static constexpr quint32 kMixedColor = 0xFFFFFFFFu;
    quint32 SelColor() const;
    // Colours the selection, or sets the typing colour at the caret.
    void setSelColor(quint32 bgr);

    // Left indent (twips) of the paragraph at the caret / of the selected
    // paragraphs.
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

    // Wrap width of the lines, twips (0: wrap at the window edge).
    void setRightMargin(int twips);
    // True: selection changes are not shown (and not repainted) until false.
    void setHideSelection(bool hide);

    // ---- searching ---------------------------------------------------------
    // Options: 0 ignore case; +2 whole word; +4 match case. The match starts at
    // start or later and ends before end (end < 0: end of text). Selects the
    // match and returns its start, or -1 (selection unchanged).
    int Find(const QString& text, int start, int end = -1, int options = 0);
    // negate true: extends the selection backwards from its start (forward
    // false) or forwards from its end (forward true) over characters not in
    // set. negate false: over characters in set.
    void Span(const QString& set, bool forward, bool negate);
    // Moves the caret in the given direction to the first character in set
    // (negate: not in set).
    void UpTo(const QString& set, bool forward, bool negate);

    // ---- bulk colouring ----------------------------------------------------
    struct ColorRun {
        int start;   // position in Text()
        int length;  // characters of Text()
        quint32 color;
    };
    // Applies every run in one edit block: one undo step, one repaint. Runs
    // may come in any order and may overlap (later runs win).
    void applyColorRuns(const std::vector<ColorRun>& runs);

    // ---- events ------------------------------------------------------------
    // Key down: keyCode and shift as the key tables use them (platform/vb_keys);
    // the handler consumes the key by setting keyCode to 0.
    std::function<void(int& keyCode, int shift)> onKeyDown;
    // Key typed: the handler may replace the text or empty it to drop the key.
    std::function<void(QString& typed)> onKeyPress;
    // Mouse button released: button 1 left, 2 right, 4 middle; shift mask;
    // position in the widget.
    std::function<void(int button, int shift, QPoint pos)> onMouseUp;

Q_SIGNALS:
    // The text or its formatting changed (colouring a page changes the source
    // file, so it counts as a change to be saved).
    void Change();
    void GotFocus();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    struct Impl;
    Impl* d;
};
