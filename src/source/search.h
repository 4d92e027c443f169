#pragma once
// Search and replace over the editor's text, without the editor: the
// escapes of the phrases, the scope, the bookkeeping between the clicks of
// Find Next, Replace and Replace All, the matches of a Replace All and the
// line arithmetic of Go. The Search and Replace window runs the editor's
// Find with these values and moves the outcomes into its controls.
//
// Positions are 0-based indexes into the editor's text (CR LF breaks). The
// state lives in SharedState::Search for the whole run.
//
// A pass over the scope ends with a result ("Search Completed", "String not
// found" ...); the next Find Next or Replace All then begins the scope again.
// So does one after the options changed, or when the position is not inside
// the scope any more (Must_Restart).

#include "core/shared_state.h"

#include <QString>

#include <vector>

namespace search {

// What the result line says after an operation (None: nothing to report).
enum class Result { None, Found, Search_Completed, String_Not_Found, Replacement_Completed, Line_Past_End };
QString Result_Text(Result r);

// The typed phrase with every "^T" made a tab and then every "^P" a CR LF
// (capital letters only: "^p" is searched as it stands).
QString Phrase(const QString& typed);

// Find options of the two check boxes: +2 whole word, +4 match case.
int Options(bool wholeWord, bool matchCase);

// ---- scope -------------------------------------------------------------------------
// The scope options below the selection box.
enum Portion { All = 0, Cursor_To_End = 1, Top_To_Cursor = 2 };

// When the window becomes active: the editor's selection is the scope when
// it spans a line break (a selection within one line is usually the phrase
// to look for, not a scope). Sets Selected_Only and the remembered
// selection (the whole text when it is no scope). Returns Selected_Only.
bool Check_Selection(SearchState& s, int textLength, int selStart, const QString& selText);

// The scope from the remembered selection (Selected_Only) or from portion
// and caret; the next search begins at its start.
void Start_Find(SearchState& s, int textLength, int caret, int portion);

// Whether Find Next or Replace All must begin the scope again first: a result
// is showing, the position lies outside the scope, or the options differ
// from those of the last search.
bool Must_Restart(const SearchState& s, bool resultShowing, int options);

// The end to give the editor's Find so that it finds only matches in the
// scope: one that starts before the scope end, or, with the selection as
// scope, one that lies wholly inside it (never a negative end, which would
// mean the end of the text).
int Find_End(const SearchState& s, int phraseLength);
bool In_Scope(const SearchState& s, int position);

// ---- Find Next and Replace ---------------------------------------------------------
// Find Next's search gave found (-1: none). In the scope: the match is
// recorded, the next search begins one character after its start, Found.
// Otherwise Search_Completed when this pass found something before, else
// String_Not_Found.
Result Found_Next(SearchState& s, int found);

// Replace put replacementLength characters in place of the phraseLength
// characters of the match at matchStart; textLength is the new length. The
// scope end moves with the change. Returns where the search for the next
// match begins: right after the inserted text, which is never searched
// again.
int Replaced(SearchState& s, int matchStart, int phraseLength, int replacementLength, int textLength);
// Replace's search for the next match gave found: Found (recorded as by
// Find Next) or Search_Completed.
Result Found_After_Replace(SearchState& s, int found);

// ---- Replace All -------------------------------------------------------------------
// Every match of phrase in the scope of text from `from` on, in order and
// without overlaps: the search goes on after each match, as it does after
// inserted text. Records the first match and the scope end and position as
// they are once the replacements are made. result is Replacement_Completed,
// or String_Not_Found when there is no match (an empty phrase has none).
struct Replace_All_Plan {
    std::vector<int> matches;
    Result result = Result::String_Not_Found;
};
Replace_All_Plan Replace_All(SearchState& s, const QString& text, const QString& phrase, int replacementLength,
                             int options, int from);

// ---- Go to line -------------------------------------------------------------------
// Line `number` (the digits typed; "" or 0: none, Result None) of text:
// Found with its start and, when a line break ends it, the length of the
// line with its CR LF (0 for a last line without one); Line_Past_End when
// the text has fewer lines, however many digits the number has. Widens the
// scope end to the end of the text.
struct Line_Target {
    Result result = Result::None;
    int start = 0;
    int length = 0;
};
Line_Target Find_Line(SearchState& s, const QString& text, const QString& number);

} // namespace search
