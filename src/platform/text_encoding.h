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
// keeps every character of both kinds.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace textenc {

// The text of a file's bytes by the rule above; a leading byte-order mark
// (EF BB BF) is not part of the text.
QString decode(QByteArrayView bytes);
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
