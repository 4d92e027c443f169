#include "source/search.h"

#include "platform/text_positions.h"

#include <algorithm>

namespace search {

QString Result_Text(Result r)
{
    switch (r) {
    case Result::Search_Completed: return QStringLiteral("Search Completed");
    case Result::String_Not_Found: return QStringLiteral("String not found");
    case Result::Replacement_Completed: return QStringLiteral("Replacement Completed");
    case Result::Line_Past_End: return QStringLiteral("Line Number Past End");
    case Result::None:
    case Result::Found: break;
    }
    return QString();
}

QString Phrase(const QString& typed)
{
    QString p = typed;
    p.replace(QLatin1String("^T"), QLatin1String("\t"));
    p.replace(QLatin1String("^P"), QLatin1String("\r\n"));
    return p;
}

int Options(bool wholeWord, bool matchCase) { return (wholeWord ? 2 : 0) + (matchCase ? 4 : 0); }

bool Check_Selection(SearchState& s, int textLength, int selStart, const QString& selText)
{
    s.Selected_Only = !selText.isEmpty() && selText.contains(QLatin1String("\r\n"));
    s.Selection_Start = s.Selected_Only ? selStart : 0;
    s.Selection_End = s.Selected_Only ? selStart + int(selText.size()) : textLength;
    return s.Selected_Only;
}

void Start_Find(SearchState& s, int textLength, int caret, int portion)
{
    caret = std::clamp(caret, 0, textLength);
    if (s.Selected_Only) {
        s.Search_Start = s.Selection_Start;
        s.Search_End = s.Selection_End;
    } else {
        s.Search_Start = portion == Cursor_To_End ? caret : 0;
        s.Search_End = portion == Top_To_Cursor ? caret : textLength;
    }
    s.Search_Position = s.Search_Start;
}

bool Must_Restart(const SearchState& s, bool resultShowing, int options)
{
    return resultShowing || s.Search_Position < s.Search_Start || s.Search_Position > s.Search_End
        || options != s.Search_Options;
}

int Find_End(const SearchState& s, int phraseLength)
{
    // A match may end before the end passed; one of the other scopes only
    // has to start before the scope end.
    const int end = s.Selected_Only ? s.Search_End : s.Search_End - 1 + phraseLength;
    return std::max(end, 0);
}

bool In_Scope(const SearchState& s, int position)
{
    return position >= 0 && s.Search_Start <= position && position < s.Search_End;
}

Result Found_Next(SearchState& s, int found)
{
    if (In_Scope(s, found)) {
        s.Found_Position = found;
        s.Search_Position = found + 1;
        return Result::Found;
    }
    s.Found_Position = -1;
    return s.Search_Position > s.Search_Start ? Result::Search_Completed : Result::String_Not_Found;
}

int Replaced(SearchState& s, int matchStart, int phraseLength, int replacementLength, int textLength)
{
    s.Length_Change = replacementLength - phraseLength;
    s.Search_End = std::clamp(s.Search_End + s.Length_Change, 0, textLength);
    if (s.Selected_Only)
        s.Selection_End = std::clamp(s.Selection_End + s.Length_Change, s.Selection_Start, textLength);
    return matchStart + replacementLength;
}

Result Found_After_Replace(SearchState& s, int found)
{
    if (Found_Next(s, found) == Result::Found)
        return Result::Found;
    s.Search_Position = -1;  // nothing left: the next pass begins the scope again
    return Result::Search_Completed;
}

Replace_All_Plan Replace_All(SearchState& s, const QString& text, const QString& phrase, int replacementLength,
                             int options, int from)
{
    Replace_All_Plan plan;
    const int n = int(phrase.size());
    s.Length_Change = replacementLength - n;
    // Every match is found on the text as it stands. The scope end moves
    // with the text as replacements grow or shrink it, so in the text as it
    // stands it stays where it is.
    const int end = Find_End(s, n);
    for (int p = std::max(from, s.Search_Start); !phrase.isEmpty();) {
        const int m = textpos::find(text, phrase, p, end, options);
        if (!In_Scope(s, m))
            break;
        plan.matches.push_back(m);
        p = m + n;
    }
    s.Found_Position = plan.matches.empty() ? -1 : plan.matches.front();
    if (plan.matches.empty()) {
        s.Search_Position = -1;
        return plan;
    }
    const int k = int(plan.matches.size());
    const int newLength = int(text.size()) + k * s.Length_Change;
    s.Search_End = std::clamp(s.Search_End + k * s.Length_Change, 0, newLength);
    if (s.Selected_Only)
        s.Selection_End = std::clamp(s.Selection_End + k * s.Length_Change, s.Selection_Start, newLength);
    s.Search_Position = plan.matches.back() + (k - 1) * s.Length_Change + replacementLength;
    plan.result = Result::Replacement_Completed;
    return plan;
}

Line_Target Find_Line(SearchState& s, const QString& text, const QString& number)
{
    Line_Target t;
    // Digits only; leading zeros count for nothing. A number of more digits
    // than any line count can have is past the end, not a wrapped value.
    QStringView digits = QStringView(number).trimmed();
    while (digits.startsWith(u'0'))
        digits = digits.sliced(1);
    if (digits.isEmpty())
        return t;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9')
            return t;
    s.Search_End = int(text.size());
    t.result = Result::Line_Past_End;
    if (digits.size() > 10)
        return t;
    const qint64 n = digits.toLongLong();
    if (n > qint64(text.size()) + 1)
        return t;
    // Line k + 1 starts right after the k-th line feed.
    qsizetype start = 0;
    for (qint64 k = 1; k < n; ++k) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        if (lf < 0)
            return t;
        start = lf + 1;
    }
    t.result = Result::Found;
    t.start = int(start);
    const qsizetype f = text.indexOf(QLatin1Char('\n'), start);
    if (f >= 0 && f - start + 1 >= 2)
        t.length = int(f - start + 1);
    return t;
}

} // namespace search
