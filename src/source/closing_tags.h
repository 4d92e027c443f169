#pragma once
// Closing tags put in as the user types: the ">" that ends a start tag
// brings its end tag along, after the caret. Which ">" ends a start tag is
// what the colour scan says (text/color_coding.h): one coloured as a tag
// ends one, one in a comment, a quoted value, a script or a style rule does
// not. Pure: the editor (source/editor_assist.h) makes the insertion.

#include "text/color_coding.h"

#include <QString>

namespace closetags {

// Elements that never have an end tag.
bool Is_Void_Element(QStringView name);

// The end tag to put after the ">" at position gt of the scanned text, or
// an empty string: none for a ">" that ends no start tag, for a void or
// self-closed element, and when the element's end tag already follows
// (before the end tag of an element opened earlier).
QString Closing_Tag(const colorcode::LiveColors& text, int gt);

// Characters the program put after the caret, which the user may type
// anyway: a quote is typed over at once; an end tag (whose "<" could as
// well begin a tag inside the element) once the user has typed it whole.
class TypeOver {
public:
    // `put` now stands after the caret at `caret`.
    void expect(int caret, const QString& put)
    {
        caret_ = caret;
        rest_ = whole_ = put;
    }
    void forget() { rest_.clear(); }
    // Before c goes in (`length` characters: Enter puts two) with the caret
    // at `caret` and no selection: true when it moves over the character
    // there instead. What is typed before the whole of what was put in
    // keeps it waiting (the element's content, then its end tag); a move
    // elsewhere, or a mismatch once typing over began, ends it.
    bool typesOver(int caret, QChar c, int length = 1)
    {
        if (rest_.isEmpty() || caret != caret_) {
            forget();
            return false;
        }
        if (rest_.front() == c && c != u'<') {
            rest_.remove(0, 1);
            ++caret_;
            return true;
        }
        if (rest_ == whole_)
            caret_ += length;
        else
            forget();
        return false;
    }
    // After a character went in, the caret at `caret`: the characters the
    // program put in stand twice, typed by the user right before them.
    // Then the program's copy (this many characters after the caret) is
    // to go, and is forgotten; otherwise 0.
    int typedWhole(const colorcode::LiveColors& text, int caret)
    {
        const int n = int(whole_.size());
        const bool twice = !rest_.isEmpty() && rest_ == whole_ && caret == caret_
            && text.sameText(caret - n, whole_) && text.sameText(caret, whole_);
        if (twice)
            forget();
        return twice ? n : 0;
    }

private:
    int caret_ = -1;
    QString rest_;
    QString whole_;
};

} // namespace closetags
