#pragma once
// The one door to the HTML tokenizer. Links are found as a browser finds
// them (comments, script and style contents, character references and
// attribute quoting by the HTML5 rules), so a string in a script or a
// comment is never taken for a link. Everything of the parser library stays
// behind this header: another parser needs only a new html_parser.cpp.

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace sitekit::html {

struct Attribute {
    QByteArray name;   // lower case
    QByteArray value;  // character references decoded, UTF-8
    // The value as written, without its quotes: bytes [start, end) of the input.
    qsizetype start = 0;
    qsizetype end = 0;
};

struct Element {
    QByteArray tag;  // lower case
    qsizetype at = 0;  // where its start tag begins
    qsizetype endAt = -1;  // where its end tag begins; -1 when none is written
    std::vector<Attribute> attributes;
};

// The contents of a <style> element: bytes [start, end) of the input.
struct StyleBlock {
    qsizetype start = 0;
    qsizetype end = 0;
};

// A run of text a visitor reads: bytes [start, end) of the input as
// written, and the same with character references decoded (UTF-8).
struct TextRun {
    qsizetype start = 0;
    qsizetype end = 0;
    QByteArray text;
};

struct Document {
    std::vector<Element> elements;  // in source order, each start tag once
    std::vector<StyleBlock> styles;
    // Only when asked for: text outside script, style, template and code-like
    // elements, in source order.
    std::vector<TextRun> texts;
};

// Any bytes; invalid UTF-8 is read as the replacement character, positions
// still count the input's own bytes.
Document parse(QByteArrayView bytes, bool withText = false);

} // namespace sitekit::html
