#pragma once
// The Ctrl-key shortcuts of the source editor as data: which key (the key
// codes of platform/vb_keys.h) with or without Shift inserts which entity or
// tag, starts which accent, or moves the caret to which mark. The editor
// command that carries them out is Convert_Key (source/text_commands.h).

#include <QString>
#include <QStringView>

#include <vector>

namespace keyconv {

enum class ShiftRule { No, Yes, Either };

enum class Action {
    Insert,            // `text`
    LineBreak,         // "<br />" or "<br>", by the XHTML setting
    PageBreak,         // the page-break tag and a line break
    Wrap,              // empty selection: `text`; else `text` + selection + `closing`
    Close,             // selection + `closing`
    Heading,           // as Wrap, with a line break after the closing tag
    HeadingClose,      // selection + `closing`
    Paragraph,         // "<p>" around a selection of 5 characters or more
    PastePlain,        // the clipboard's text as plain text
    Accent,            // `text` becomes the pending entity ending; `status` is shown
    NextBookmark,
    PreviousBookmark,
    NextPageBreak,
};

struct KeyRow {
    int keyCode;
    ShiftRule shift;
    Action action;
    const char* text = "";
    const char* closing = "";
    const char* status = "";
};

// Every row; keys that are not here pass through to the editor unchanged.
const std::vector<KeyRow>& Key_Table();

// The row for a key pressed with Ctrl (and Shift when `shift`), or nullptr.
const KeyRow* Find_Key_Row(int keyCode, bool shift);

// True when the editor must not process the key any further after the row
// has been carried out (the function keys of the headings go on to it).
bool Consumes_Key(const KeyRow& row);

// What replaces the selection for the rows that insert text (every action up
// to Paragraph); `selection` is the selected text with CR LF breaks.
QString Replacement_Text(const KeyRow& row, const QString& selection, bool useXhtml,
                         const QString& pageBreakTag);

// Where the caret goes for the next mark (bookmark or page break): right
// after the first `mark` at or after `caret`, or else after the first in the
// text; -1 when there is none. Letter case counts.
int Next_Mark_Caret(QStringView text, int caret, QStringView mark);

// Where the caret goes for the previous bookmark: the start of the last
// `mark` that lies wholly within the first (caret - mark length) characters
// (at least 1), or else of the last in the text; -1 when there is none.
// Letter case does not count. A caret right after a bookmark thus skips it,
// and repeated use steps back from bookmark to bookmark.
int Previous_Mark_Caret(QStringView text, int caret, QStringView mark);

} // namespace keyconv
