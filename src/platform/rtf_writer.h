#pragma once
// Writing source files as RTF: one font (the editor's), a colour table of
// the colours used, a colour change wherever the colour changes, the left
// indent of every line, and the characters escaped for any reader: "\'hh" for
// the characters of Windows code page 1252, "\uN?" for all others. Every line
// break is a "\par", and the file ends with one more closing "\par" that adds
// no line break (as the Windows rich-edit control writes it), so a text that
// ends in a line break reads back with that break.

#include "platform/rtf_reader.h"

#include <QByteArray>
#include <QString>

namespace rtf {

QByteArray write(const Content& content, const QString& fontName, int fontPoints);

} // namespace rtf
