#include "text/color_coding.h"

#include <QLatin1StringView>

#include <algorithm>
#include <climits>
#include <cstring>

namespace colorcode {

namespace {

constexpr char16_t foldAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// One search string over the text. It remembers the last place it was asked
// from and what it found there: any later question that starts between the
// two has the same answer, so the text between them is never searched again.
// A search that found nothing answers every later question at once. Without
// `remember`, every question is searched anew (the plain way, for tests).
class Finder {
public:
    // Matches must end at `limit` or before. Patterns are ASCII; with
    // ignoreCase they are given in lower case and compared without regard to
    // the case of ASCII letters, as the editor's Find does for these strings.
    Finder(QStringView text, const char* pattern, bool ignoreCase, int limit,
           long long* counter, bool remember)
        : text_(reinterpret_cast<const char16_t*>(text.utf16())),
          counter_(counter),
          remember_(remember),
          pattern_(pattern),
          length_(int(std::strlen(pattern))),
          ignoreCase_(ignoreCase),
          lastStart_(limit - length_)
    {
        const char16_t first = char16_t(uchar(pattern_[0]));
        firstIsLetter_ = ignoreCase_ && first >= u'a' && first <= u'z';
        view_ = QStringView(text_, std::max(0, limit));
    }

    // The first occurrence that begins at `from` or later, or -1.
    int next(int from)
    {
        if (from < 0)
            from = 0;
        if (remember_ && from >= askedFrom_ && (found_ < 0 || from <= found_))
            return found_;
        askedFrom_ = from;
        found_ = search(from);
        if (counter_)
            *counter_ += (found_ < 0 ? std::max(0, lastStart_ + length_ - from) : found_ - from)
                + length_;
        return found_;
    }

private:
    bool restMatches(int at) const
    {
        for (int j = 1; j < length_; ++j) {
            const char16_t c = ignoreCase_ ? foldAscii(text_[at + j]) : text_[at + j];
            if (c != char16_t(uchar(pattern_[j])))
                return false;
        }
        return true;
    }

    int search(int from) const
    {
        const char16_t first = char16_t(uchar(pattern_[0]));
        if (firstIsLetter_) {
            for (int k = from; k <= lastStart_; ++k)
                if (foldAscii(text_[k]) == first && restMatches(k))
                    return k;
            return -1;
        }
        int k = from;
        while (k <= lastStart_) {
            k = int(view_.indexOf(QChar(first), k));
            if (k < 0 || k > lastStart_)
                return -1;
            if (restMatches(k))
                return k;
            ++k;
        }
        return -1;
    }

    const char16_t* text_;
    long long* counter_;
    bool remember_;
    QStringView view_;
    const char* pattern_;
    int length_;
    bool ignoreCase_;
    bool firstIsLetter_ = false;
    int lastStart_;
    int askedFrom_ = INT_MAX;
    int found_ = -1;
};

// Characters that end a name when the names holding an underscore are picked
// out of values and scripts.
struct Delimiters {
    bool table[128] = {};
    constexpr Delimiters()
    {
        for (const char c : " /|<>&-!=.;,+()[]\t\n\"")
            if (c)
                table[int(c)] = true;
    }
    bool operator()(char16_t c) const { return c < 128 && table[c]; }
};
constexpr Delimiters isDelimiter;

class Scan {
public:
    Scan(QStringView text, int selStart, int selLength, ScanTrace* trace, bool remember)
        : t_(reinterpret_cast<const char16_t*>(text.utf16())), text_(text),
          n_(int(text.size())), trace_(trace), remember_(remember)
    {
        selStart = std::clamp(selStart, 0, n_);
        selLength = std::clamp(selLength, 0, n_ - selStart);
        if (selLength == 0) {
            // The whole text: the range end lies a little past the text, so
            // every search reaches the last character.
            s0_ = 0;
            e0_ = n_ + 2;
        } else {
            s0_ = selStart;
            e0_ = selStart + selLength;
        }
        lim_ = std::min(e0_, n_);
        perChar.assign(size_t(n_), kKeep);
    }

    void run()
    {
        mainScan();
        valuesPass();
        scriptsPass();
    }

    std::vector<qint8> perChar;

private:
    // Colours positions first to last (inclusive). Nothing outside the range
    // is ever touched, even where a rule reaches a little past its end.
    void paint(int first, int last, int slot)
    {
        first = std::max(first, s0_);
        last = std::min(last, lim_ - 1);
        if (first <= last)
            std::memset(perChar.data() + first, slot, size_t(last - first + 1));
    }

    bool startsWith(int at, const char* s) const
    {
        const int len = int(std::strlen(s));
        if (at < 0 || at + len > n_)
            return false;
        for (int j = 0; j < len; ++j)
            if (t_[at + j] != char16_t(uchar(s[j])))
                return false;
        return true;
    }

    void addBlock(int first, int last)
    {
        if (trace_)
            trace_->blocks.emplace_back(first, last);
    }

    Finder finder(const char* pattern, bool ignoreCase = false) const
    {
        return Finder(text_, pattern, ignoreCase, lim_, trace_ ? &trace_->searched : nullptr,
                      remember_);
    }

    // ---- main scan: tags, comments, declarations, entities, plain text ----
    void mainScan()
    {
        Finder gt = finder(">"), space = finder(" "), semicolon = finder(";");
        Finder lt = finder("<"), amp = finder("&"), commentEnd = finder("-->");
        StyleFinders style{finder("{"), finder("/*"), finder("*/"), finder(":"), finder("}"),
                           finder(";"),
                           // The end of a style block is looked for in the whole text.
                           Finder(text_, "</style>", true, n_,
                                  trace_ ? &trace_->searched : nullptr, remember_)};

        int i = s0_;
        while (i < lim_) {
            if (trace_)
                trace_->elementStarts.push_back(i);
            const bool styleTag = startsWith(i, "<STYLE") || startsWith(i, "<style");
            int end;  // the element's last position
            if (startsWith(i, "<!--")) {
                const int k = commentEnd.next(i + 1);
                end = k >= 0 ? k + 2 : e0_ - 1;
                paint(i, end, CommentSlot);
            } else if (startsWith(i, "<!")) {
                const int k = gt.next(i + 1);
                end = k >= 0 ? k : e0_ - 1;
                paint(i, end, CommentSlot);
            } else if (t_[i] == u'<') {
                const int g = gt.next(i + 1);
                if (g < 0) {
                    end = i;
                } else {
                    // The ">" of a self-closing tag is left to the text after it.
                    end = (g >= i + 2 && t_[g - 1] == u'/') ? g - 1 : g;
                    paint(i, end, TagSlot);
                    const int sp = space.next(i + 1);
                    if (sp >= 0 && sp <= end)
                        paint(sp, end - 1, AttributeSlot);
                }
            } else if (t_[i] == u'&') {
                const int k = semicolon.next(i + 1);
                if (k >= 0) {
                    end = k;
                    paint(i, end, TagSlot);
                } else {
                    const int sp = space.next(i + 1);
                    end = sp >= 0 ? sp - 1 : i;
                    if (sp >= 0)
                        paint(i, end, TagSlot);
                }
            } else {
                const int a = lt.next(i + 1), b = amp.next(i + 1);
                const int k = (a < 0) ? b : (b < 0 ? a : std::min(a, b));
                end = k >= 0 ? k - 1 : e0_ - 1;
                // Plain text at the very start of the document is coloured
                // too, so no character is left in a colour from before.
                paint(i, end, TextSlot);
            }
            if (styleTag) {
                const int blockEnd = styleBlock(end, style);
                addBlock(i, blockEnd);
                end = blockEnd;
            }
            i = end + 1;
        }
    }

    struct StyleFinders {
        Finder open, commentOpen, commentClose, colon, close, semicolon, endTag;
    };

    // Colours a style block that follows its tag, whose last position is t.
    // Returns the block's last position B; the main scan goes on after it, so
    // "</style>" is coloured as an ordinary tag.
    int styleBlock(int t, StyleFinders& f)
    {
        const int k = f.endTag.next(t + 1);
        const int B = (k < 0 || k > e0_) ? e0_ : k - 1;
        const int blockLimit = std::min(B + 1, lim_);

        // Searches look after q and inside the block. A match right after q
        // counts as none: style blocks have always been coloured that way
        // (it decides, for one, that "a{x:1}" shows "x:1" as property).
        auto find = [&](Finder& finder, int q, int length) {
            const int r = finder.next(q + 1);
            if (r < 0 || r + length > blockLimit || r == q + 1)
                return -1;
            return r;
        };

        enum { Value = 0, Selector = 1, Comment = 2, Property = 3 };
        int state = Selector;
        int q = t;
        while (q <= B) {
            switch (state) {
            case Selector: {
                const int brace = find(f.open, q, 1), comment = find(f.commentOpen, q, 2);
                // A "/*" that begins within two characters after the "{" wins.
                if (brace >= 0 && (comment < 0 || brace + 2 < comment)) {
                    paint(q, brace, TagSlot);
                    state = Property;
                    // Go on right after the brace, so the first letter of a
                    // property written without a blank is coloured with it.
                    q = brace + 1;
                } else if (comment >= 0) {
                    paint(q, comment - 2, TagSlot);
                    state = Comment;
                    q = comment;
                } else {
                    paint(q, B, TagSlot);
                    return B;
                }
                break;
            }
            case Comment: {
                const int close = find(f.commentClose, q, 2);
                if (close >= 0) {
                    paint(q, close + 1, CommentSlot);
                    state = Selector;
                    q = close + 2;
                } else {
                    paint(q, B + 2, CommentSlot);
                    q = B + 3;
                }
                break;
            }
            case Property: {
                const int colon = find(f.colon, q, 1), close = find(f.close, q, 1);
                if (colon >= 0 && (close < 0 || colon < close)) {
                    paint(q, colon, AttributeSlot);
                    state = Value;
                    q = colon + 1;
                } else if (close >= 0) {
                    paint(q, close - 1, AttributeSlot);
                    state = Selector;
                    q = close;
                } else {
                    paint(q, B, AttributeSlot);
                    return B;
                }
                break;
            }
            case Value: {
                const int semi = find(f.semicolon, q, 1), close = find(f.close, q, 1);
                if (semi >= 0 && (close < 0 || semi < close)) {
                    paint(q, semi, TextSlot);
                    state = Property;
                    q = semi;
                } else if (close >= 0) {
                    paint(q, close - 1, TextSlot);
                    state = Selector;
                    q = close;
                } else {
                    // The block's last character (often a closing brace right
                    // before "</style>") is coloured with the rest.
                    paint(q, B, TextSlot);
                    return B;
                }
                break;
            }
            }
        }
        return B;
    }

    // ---- names holding an underscore, inside values and script bodies ------
    // The span is [first, end).
    void names(int first, int end, Finder& underscore)
    {
        paint(first, end - 1, TextSlot);
        int u = first;
        while ((u = underscore.next(u)) >= 0 && u < end) {
            int from = u;
            while (from > first && !isDelimiter(t_[from - 1]))
                --from;
            int to = u;
            while (to < std::min(end, n_) && !isDelimiter(t_[to]))
                ++to;
            paint(from, to - 1, TagSlot);
            u = to;
        }
    }

    // ---- quoted attribute values -------------------------------------------
    void valuesPass()
    {
        Finder open = finder("=\""), quote = finder("\""), underscore = finder("_");
        int from = s0_ + 1;
        for (;;) {
            const int eq = open.next(from);
            if (eq < 0)
                break;
            const int first = eq + 2;
            const int close = quote.next(first);
            if (close >= 0 && close - first >= 1) {
                names(first, close, underscore);
                addBlock(eq, close);
                from = close + 2;
            } else {
                from = eq + 1;
            }
        }
    }

    // ---- script and server blocks ------------------------------------------
    void scriptsPass()
    {
        Finder script = finder("<script", true), percent = finder("<%"), question = finder("<?");
        Finder gt = finder(">"), scriptEnd = finder("</script", true), percentEnd = finder("%>"),
               questionEnd = finder("?>"), htmlComment = finder("<!--");
        Finder underscore = finder("_");
        CommentFinders comments{finder("/*"), finder("//"), finder("rem ", true), finder("*/"),
                                finder("\n")};

        int from = s0_;
        while (from <= e0_) {
            // The earliest wins; a block at the very start of the document
            // counts like any other (a PHP page begins with "<?php").
            const int s = script.next(from), p = percent.next(from), q = question.next(from);
            enum Kind { Script, Percent, Question };
            const std::pair<int, Kind> found[] = {{s, Script}, {p, Percent}, {q, Question}};
            int at = -1;
            Kind kind = Script;
            for (const auto& [pos, k] : found)
                if (pos >= 0 && (at < 0 || pos < at)) {
                    at = pos;
                    kind = k;
                }
            if (at < 0)
                break;

            int bodyStart, bodyEnd;
            if (kind == Script) {
                const int g = gt.next(at + 1);
                if (g < 0)
                    break;  // an opening tag that never closes holds no body
                bodyStart = g + 1;
                const int k = scriptEnd.next(bodyStart);
                bodyEnd = k >= 0 ? k : e0_;
            } else {
                const int marker = (kind == Question && startsWith(at, "<?php")) ? 5 : 2;
                paint(at, at + marker - 1, TagSlot);
                bodyStart = at + marker;
                const int k = (kind == Percent ? percentEnd : questionEnd).next(bodyStart);
                bodyEnd = k >= 0 ? k : e0_;
            }
            if (bodyEnd < bodyStart)
                break;

            if (kind == Script) {
                // An HTML comment that hides the script from old browsers.
                const int c = htmlComment.next(bodyStart);
                if (c >= 0 && c + 4 <= bodyEnd) {
                    paint(bodyStart, c + 4, CommentSlot);
                    bodyStart = c + 5;
                }
            }
            if (bodyEnd - bodyStart >= 1) {
                names(bodyStart, bodyEnd, underscore);
                scriptComments(bodyStart, bodyEnd, comments);
            }
            if (kind != Script)
                paint(bodyEnd, bodyEnd + 1, TagSlot);
            addBlock(at, kind == Script ? bodyEnd - 1 : bodyEnd + 1);
            from = bodyEnd + 1;
        }
    }

    struct CommentFinders {
        Finder block, line, rem, blockEnd, lineFeed;
    };

    // Comments inside the script body [first, end).
    void scriptComments(int first, int end, CommentFinders& f)
    {
        auto within = [end](int at, int length) { return at >= 0 && at + length <= end ? at : -1; };
        int from = first;
        for (;;) {
            const int b = within(f.block.next(from), 2);
            const int l = within(f.line.next(from), 2);
            const int r = within(f.rem.next(from), 4);
            int at = -1;
            for (const int pos : {b, l, r})
                if (pos >= 0 && (at < 0 || pos < at))
                    at = pos;
            if (at < 0)
                break;
            int last;
            if (at == b) {
                const int k = within(f.blockEnd.next(at + 1), 2);
                last = k >= 0 ? k + 1 : end - 1;
            } else {
                const int k = within(f.lineFeed.next(at + 1), 1);
                last = k >= 0 ? k - 1 : end - 1;
            }
            paint(at, last, CommentSlot);
            from = last + 1;
        }
    }

    const char16_t* t_;
    QStringView text_;
    int n_;
    ScanTrace* trace_;
    bool remember_;
    int s0_ = 0;   // first position of the range
    int e0_ = 0;   // the position just after the range
    int lim_ = 0;  // min(e0_, n_): searches and colours end before it
};

} // namespace

std::vector<qint8> Color_Code_Slots(QStringView text, int selStart, int selLength,
                                    ScanTrace* trace, Searches searches)
{
    Scan scan(text, selStart, selLength, trace, searches == Searches::Remembered);
    scan.run();
    return std::move(scan.perChar);
}

std::vector<SlotRun> Slot_Runs(const std::vector<qint8>& perChar)
{
    std::vector<SlotRun> runs;
    const int n = int(perChar.size());
    int i = 0;
    while (i < n) {
        const qint8 s = perChar[size_t(i)];
        int j = i + 1;
        while (j < n && perChar[size_t(j)] == s)
            ++j;
        if (s != kKeep)
            runs.push_back(SlotRun{i, j - i, s});
        i = j;
    }
    return runs;
}

std::vector<SlotRun> Editor_Runs(QStringView text, std::vector<qint8> perChar)
{
    const int n = std::min(int(text.size()), int(perChar.size()));
    auto isBreak = [&](int i) { return text[i] == u'\r' || text[i] == u'\n'; };
    for (int i = 1; i + 2 < n; ++i) {
        const qint8 before = perChar[size_t(i - 1)];
        if (text[i] == u'\r' && text[i + 1] == u'\n' && before != kKeep
            && perChar[size_t(i)] != kKeep && perChar[size_t(i + 2)] == before
            && !isBreak(i - 1) && !isBreak(i + 2))
            perChar[size_t(i)] = perChar[size_t(i + 1)] = before;
    }
    return Slot_Runs(perChar);
}

std::vector<SlotRun> Color_Code_Runs(QStringView text, int selStart, int selLength)
{
    return Slot_Runs(Color_Code_Slots(text, selStart, selLength));
}

} // namespace colorcode
