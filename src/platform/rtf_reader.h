#pragma once
// Reading source files: RTF written by this program, by the Windows rich-edit
// control, by word processors, or plain text. What the editor keeps of a
// file is its characters, the colour of each character and the left indent
// of each line; fonts, sizes and every other formatting are the editor's own.
//
// A damaged file (cut short, unbalanced braces, absurd numbers, random
// bytes) never crashes or hangs the reader: it returns what it could read.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <vector>

namespace rtf {

// One colour change: the characters from start on have colour bgr
// (0x00BBGGRR) up to the next change.
struct ColorChange {
    int start;
    quint32 bgr;
    bool operator==(const ColorChange&) const = default;
};

// A document as the editor holds it.
//   text: one '\n' for every line break (the editor shows CR LF there).
//   colors: sorted colour changes. Changes fall only on characters that are
//     not line breaks, so a line break always carries the colour of the text
//     before it; the first change is at 0 (and also covers line breaks at the
//     very start). Empty when the text holds no character but line breaks:
//     everything is black then.
//   indents: left indent in twips of every line, text.count('\n') + 1 entries.
struct Content {
    QString text;
    std::vector<ColorChange> colors;
    std::vector<int> indents;

    bool operator==(const Content&) const = default;

    // Appends characters in one colour, keeping the colour rules above
    // (indents are left to the caller).
    void append(QStringView chars, quint32 bgr);
    // Colour of the character at pos (a line break gives the colour of the
    // text before it).
    quint32 colorAt(int pos) const;
    // Adds an entry for every line that has none (indent 0) and drops extra
    // entries, so indents.size() == lines.
    void fixIndents();
};

// True when the bytes start as an RTF file does ("{\rtf").
bool isRtf(const QByteArray& bytes);

// Reads RTF; anything that does not start with "{\rtf" is read as plain text.
Content read(const QByteArray& bytes);
// As read, for a file a user opens: false, out untouched, when the file is
// not RTF and its decoded text is no text either (textenc::isText), so a
// picture or a program is refused instead of shown as garbage and saved.
bool readSource(const QByteArray& bytes, Content& out);
Content readRtf(const QByteArray& bytes);

// Plain text (already decoded) as the editor holds it: CR LF, CR, LF and
// the Unicode line and paragraph separators all become one '\n'; NUL
// characters are dropped; the two characters QTextDocument reserves for
// frames (U+FDD0, U+FDD1) become U+FFFD.
QString editorText(const QString& text);
// The same text in black, no indents.
Content fromPlainText(const QString& text);

// The text with CR LF breaks, as the editor's Text and a page file have it.
QString crlfText(const Content& c);

// The document as JSON, positions counted in UTF-16 units of crlfText:
//   {"text": "...", "runs": [[start, length, "#RRGGBB"], ...],
//    "indents": [[line, twips], ...]}
// The runs cover every character (a CR LF takes the colour of the text
// before it); indents lists the 0-based lines whose indent is not 0.
QByteArray toJson(const Content& c);

} // namespace rtf
