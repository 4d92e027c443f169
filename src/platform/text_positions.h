#pragma once
// The editor's text and the QTextDocument that holds it, without a widget.
//
// The program counts positions in the editor's text (RichTextBox::Text()),
// in which every line break is CR LF (two characters); QTextDocument keeps
// one separator per break. The mapping between the two never scans from the
// start:
//   - document to text position: one findBlock, O(log n);
//   - text to document position (Locator): the line found last, or the next
//     one, is tried first, which costs nothing for runs of nearby positions
//     (the colouring and printing loops); otherwise a search over line
//     numbers with findBlockByNumber that interpolates between its bounds and
//     halves them every other step: usually a few steps, at worst O(log n)
//     steps of O(log n) each (about 5 microseconds on 25,000 lines here).
//
// A position between the CR and the LF of a break is a real text position
// (Place::betweenCrLf). The document has no place there, so it maps to the
// document position before the CR (the end of the line).
//
// The text never holds a lone CR or LF: whatever is put in goes through
// rtf::editorText first, which makes every kind of line break one '\n'.

#include <QString>

#include <algorithm>
#include <vector>

class QTextDocument;

namespace textpos {

// ---- the whole text ---------------------------------------------------------
// A document's text ('\n' breaks) with CR LF breaks.
QString crlfForm(const QString& documentText);
// Length of the CR LF text of doc, without building it.
int length(const QTextDocument& doc);
// The CR LF text of doc.
QString text(const QTextDocument& doc);

// ---- positions --------------------------------------------------------------
// Text position of a document position (clamped to the document).
int fromDocument(const QTextDocument& doc, int docPos);

// Where a text position lies: its line (block number, document position and
// length with the separator), the line's first text position, and the
// offset from there (offset == length: between CR and LF).
struct Place {
    int number;
    int docPos;
    int length;
    int textStart;
    int offset;
    bool betweenCrLf() const { return offset == length; }
    int doc() const { return docPos + std::min(offset, length - 1); }
};

// Finds the places of text positions, remembering the line found last.
// Call forget() whenever the document's text changes (formatting changes
// move no line and need not).
class Locator {
public:
    // p is clamped to the text.
    Place locate(const QTextDocument& doc, int p);
    int toDocument(const QTextDocument& doc, int p) { return locate(doc, p).doc(); }
    void forget() { valid_ = false; }

private:
    Place remember(int p, int number, int docPos, int length);

    bool valid_ = false;
    int number_ = 0, docPos_ = 0, length_ = 1;
};

// Characters [start, start + count) of the CR LF text, read from the
// document (for short pieces, cheaper than building the whole text). Both
// ends are clamped to the text.
QString slice(const QTextDocument& doc, int start, int count, Locator& locator);

// ---- finding positions by content ---------------------------------------------
// Options: 0 ignore case; +2 whole word; +4 match case. The match starts at
// start or later and ends before end (end < 0: end of text), i.e. its last
// character is at end - 1 at most. Returns the match's start or -1. An
// empty text is never found (a replace-all loop over it would not end).
// Letter case is compared by Unicode's simple case folding.
// Whole word: the characters around the match are not letters, digits,
// combining marks or "_", in any script ("café" is one word).
int find(const QString& text, const QString& what, int start, int end, int options);
// text with the `length` characters at each of starts (ascending, not
// overlapping) replaced by with, in one pass.
QString replaced(const QString& text, const std::vector<int>& starts, int length, const QString& with);
// From p, forward or backward, over the characters that are in set (inSet)
// or not in it; returns where the walk stops (at the latest the end or the
// start of the text).
int walk(const QString& text, int p, bool forward, const QString& set, bool inSet);

} // namespace textpos
