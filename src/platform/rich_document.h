#pragma once
// What the editor keeps of a source file (rtf::Content: text, the colour of
// every character, the left indent of every line) and the QTextDocument it
// is shown in: building a document from it, reading it back, and reading a
// document's colours and indents.
//
// Colours are 0x00BBGGRR values (platform/palette.h). Indents are twips;
// the document draws with pixels, so every conversion takes the screen's
// twips per pixel, and the exact twips are kept in a block property beside
// the pixel margin, so that they read back unrounded.

#include "platform/rtf_reader.h"
#include "platform/text_positions.h"

#include <QHash>
#include <QTextFormat>

#include <functional>
#include <vector>

class QObject;
class QTextBlock;
class QTextDocument;

namespace richdoc {

// Block and character properties that keep twips exactly.
inline constexpr int kIndentTwips = QTextFormat::UserProperty + 1;
inline constexpr int kCharOffsetTwips = QTextFormat::UserProperty + 2;

// What a colour query answers for a range of several colours.
inline constexpr quint32 kMixedColor = 0xFFFFFFFFu;

// A new document holding c, with the default font, text option and margin
// of like, and no undo history (undo is off: turn it on once the document
// is shown). Built while it belongs to no widget, so no layout runs.
QTextDocument* build(const rtf::Content& c, const QTextDocument& like, double twipsPerPixel, QObject* parent);
// The document's text ('\n' breaks), colours and line indents.
rtf::Content content(const QTextDocument& doc, double twipsPerPixel);

// Character formats of one colour each, made once per colour: the document
// then shares them instead of storing a copy for every piece of text.
class ColorFormats {
public:
    const QTextCharFormat& of(quint32 bgr);

private:
    QHash<quint32, QTextCharFormat> formats_;
};

// Colours characters of the CR LF text (platform/text_positions): start
// and length count every line break as two characters.
struct ColorRun {
    int start;
    int length;
    quint32 color;
};
// How far a long colouring has gone, per mille; answering false cancels it.
using ColorSteps = std::function<bool(int perMille)>;
// Colour changes made between two calls of the steps.
inline constexpr int kColorPiece = 20000;
// Applies every run in one edit block (one undo step). Runs may come in any
// order and may overlap (later runs win); parts beyond the text are left out.
// Characters that have their run's colour already are not touched: a text
// coloured again is left as it is, and makes no undo step.
// Returns false when steps cancelled: the colours are then as they were, and
// so is the undo history, but for the steps that could have been redone. A
// document without undo cannot take its colours back, and so is coloured
// to the end once it has begun.
bool applyColorRuns(QTextDocument& doc, const std::vector<ColorRun>& runs, const ColorSteps& steps = {},
                    int piece = kColorPiece);

// Lines of more characters than this keep their shaped glyphs between
// layouts (see keepLongLinesShaped).
inline constexpr int kLongLine = 1 << 16;
// Qt shapes a line afresh each time it is drawn or the caret is placed in
// it, which on a line of megabytes costs a second every time the caret
// blinks: lines of [from, to] longer than kLongLine keep theirs.
void keepLongLinesShaped(const QTextDocument& doc, int from, int to);

// The colour of a character format (no colour set: black).
quint32 colorOf(const QTextCharFormat& f);
// Left indent of a line, twips.
int indentOf(const QTextBlock& b, double twipsPerPixel);
// A block format that indents its lines by twips.
QTextBlockFormat indentFormat(int twips, double twipsPerPixel);

// Formats in the editor's terms (twips, alignment 0 left, 1 right, 2 centre).
// Raised or lowered text (twips > 0 or < 0) becomes super- or subscript,
// the only offsets Qt draws; the twips are kept beside.
QTextCharFormat charOffsetFormat(int twips);
QTextBlockFormat alignmentFormat(int alignment);
// The lines after the first stand twips to the right of the first.
QTextBlockFormat hangingIndentFormat(int twips, double twipsPerPixel);
// Left tab stops (values of 0 or less are left out).
QTextBlockFormat tabsFormat(const std::vector<int>& twips, double twipsPerPixel);
// Calls fn for every line document range [from, to] touches, in one edit
// block (one undo step); a range that ends at the start of a line leaves
// that line out.
void forLines(QTextDocument& doc, int from, int to, const std::function<void(const QTextBlock&)>& fn);
// Puts a line in a bulleted list, or takes it out.
void setBullet(const QTextBlock& b, bool on);

// The format typing at a document position would get: the character before
// it, or at the start of a non-empty line its first character.
QTextCharFormat formatAt(const QTextDocument& doc, int pos);
// The colour of the characters of document range [from, to), line breaks
// not counted: kMixedColor when they differ, and when only line breaks are
// in the range, the colour typing at from would get.
quint32 rangeColor(const QTextDocument& doc, int from, int to);

} // namespace richdoc
