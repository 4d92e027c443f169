#pragma once
// How bytes on disk become text and back. Every reader of a text file (page
// files, source files that are not RTF, the tag lists, "Folder.lst",
// "Button.but", the settings file, templates) and the RTF reader's UTF-8
// runs decode through here, so every file reads by one rule.
//
// Text is written as UTF-8 without a byte-order mark. On reading, each valid
// UTF-8 sequence is taken as UTF-8 and each byte that does not start a valid
// sequence as its Windows-1252 character: a file of the older single-byte
// code page keeps its characters, and a file that mixes both (an old list
// with lines this program appended, or one stray byte in a UTF-8 page)
// keeps every character of both kinds. A file that starts with the
// byte-order mark of UTF-16 or UTF-32 (as Windows editors save "Unicode"
// text) is read in that encoding instead.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace textenc {

enum class Encoding { Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

// The encoding a file's leading byte-order mark names (Utf8 also when there
// is none) and the mark's length in bytes.
struct ByteOrderMark {
    Encoding encoding = Encoding::Utf8;
    int length = 0;
};
ByteOrderMark byteOrderMark(QByteArrayView bytes);

// The text of a file's bytes by the rules above; the byte-order mark is not
// part of the text. In UTF-16 and UTF-32 a unit that is no character (a
// lone surrogate, a value beyond U+10FFFF, a unit cut short at the end)
// becomes U+FFFD.
QString decode(QByteArrayView bytes);

// False when decoded text cannot be what a person wrote: a NUL, or a
// control character that no text file holds (anything below U+0020 but tab,
// line feed, vertical tab, form feed, carriage return and escape; a DOS
// end-of-file mark U+001A only as the very last character). Pictures,
// programs and documents of other programs always hold such bytes; text
// never needs them.
bool isText(QStringView text);
// The same rule without looking for a byte-order mark (a run of bytes from
// the middle of a document).
QString decodeRun(QByteArrayView bytes);
// Every byte as its Windows-1252 character (the five bytes the code page
// leaves undefined keep their C1 control character).
QString decodeWindows1252(QByteArrayView bytes);
QChar windows1252Char(unsigned char byte);
// UTF-8, no byte-order mark.
QByteArray encode(const QString& text);

} // namespace textenc
