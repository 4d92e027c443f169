#include "text/color_coding.h"

#include <QLatin1StringView>

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace colorcode {

namespace {

constexpr char16_t foldAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// The characters a search stops at: up to three first characters of its
// patterns and, when every pattern is two characters or more, up to four
// second ones (repeats fill the sets). Looking at two characters at once lets
// the search pass without stopping over most places that begin with a first
// character ("<" opens every tag, few of them "<script").
struct Stops {
    char16_t first[3] = {};
    char16_t second[4] = {};
    int firstCount = 1;
    int secondCount = 1;
    bool pairs = false;
#if defined(__SSE2__)
    // The same, eight copies each: set up once, not for every search.
    __m128i wideFirst[3];
    __m128i wideSecond[4];
#endif

    void widen()
    {
#if defined(__SSE2__)
        for (int i = 0; i < 3; ++i)
            wideFirst[i] = _mm_set1_epi16(short(first[i]));
        for (int i = 0; i < 4; ++i)
            wideSecond[i] = _mm_set1_epi16(short(second[i]));
#endif
    }
    bool isFirst(char16_t c) const { return c == first[0] || c == first[1] || c == first[2]; }
    bool isSecond(char16_t c) const
    {
        return c == second[0] || c == second[1] || c == second[2] || c == second[3];
    }
};

// The first position in [from, last] holding one of the first `Count`
// first characters, or -1. Eight characters are compared at a time where
// the processor allows: most of a page is text between the few characters
// the scan looks for.
template <int Count>
int findAny(const char16_t* t, int from, int last, const Stops& stops)
{
    int k = from;
#if defined(__SSE2__)
    for (; k + 7 <= last; k += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + k));
        __m128i hit = _mm_cmpeq_epi16(v, stops.wideFirst[0]);
        if constexpr (Count > 1)
            hit = _mm_or_si128(hit, _mm_cmpeq_epi16(v, stops.wideFirst[1]));
        if constexpr (Count > 2)
            hit = _mm_or_si128(hit, _mm_cmpeq_epi16(v, stops.wideFirst[2]));
        if (const unsigned mask = unsigned(_mm_movemask_epi8(hit)))
            return k + std::countr_zero(mask) / 2;
    }
#endif
    for (; k <= last; ++k)
        if (stops.isFirst(t[k]))
            return k;
    return -1;
}

// The first position k in [from, last] with one of the first `Firsts`
// first characters at k and one of the first `Seconds` second ones at k + 1,
// or -1. t[last + 1] must be readable. The counts are fixed at compile time:
// a search for "=\"" compares one character each, not seven.
template <int Firsts, int Seconds>
int findPair(const char16_t* t, int from, int last, const Stops& stops)
{
    int k = from;
#if defined(__SSE2__)
    const __m128i* f = stops.wideFirst;
    const __m128i* s = stops.wideSecond;
    for (; k + 7 <= last; k += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + k));
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + k + 1));
        __m128i first = _mm_cmpeq_epi16(v, f[0]);
        for (int i = 1; i < Firsts; ++i)
            first = _mm_or_si128(first, _mm_cmpeq_epi16(v, f[i]));
        __m128i second = _mm_cmpeq_epi16(w, s[0]);
        for (int i = 1; i < Seconds; ++i)
            second = _mm_or_si128(second, _mm_cmpeq_epi16(w, s[i]));
        if (const unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(first, second))))
            return k + std::countr_zero(mask) / 2;
    }
#endif
    for (; k <= last; ++k)
        if (stops.isFirst(t[k]) && stops.isSecond(t[k + 1]))
            return k;
    return -1;
}

// Search strings over the text: the first place where any of them (at most
// three) begins. It remembers the last place it was asked from and what it
// found there: any later question that starts between the two has the same
// answer, so the text between them is never searched again. A search that
// found nothing answers every later question at once. Without `remember`,
// every question is searched anew (the plain way, for tests).
class Finder {
public:
    struct Pattern {
        const char* text;
        bool ignoreCase = false;
    };

    // Matches must end at `limit` or before. Patterns are ASCII; with
    // ignoreCase they are given in lower case and compared without regard to
    // the case of ASCII letters, as the editor's Find does for these strings.
    Finder(QStringView text, std::initializer_list<Pattern> patterns, int limit, long long* counter,
           bool remember)
        : text_(reinterpret_cast<const char16_t*>(text.utf16())), counter_(counter), remember_(remember)
    {
        std::vector<char16_t> firsts, seconds;
        int shortest = INT_MAX;
        for (const Pattern& p : patterns) {
            Compiled& c = patterns_[count_++];
            c.text = p.text;
            c.length = int(std::strlen(p.text));
            c.ignoreCase = p.ignoreCase;
            c.lastStart = limit - c.length;
            lastStart_ = std::max(lastStart_, c.lastStart);
            length_ = std::max(length_, c.length);
            const char16_t first = char16_t(uchar(p.text[0]));
            firsts.push_back(first);
            if (p.ignoreCase && first >= u'a' && first <= u'z')
                firsts.push_back(char16_t(first - 32));
            shortest = std::min(shortest, c.length);
            if (c.length > 1) {
                const char16_t second = char16_t(uchar(p.text[1]));
                seconds.push_back(second);
                if (p.ignoreCase && second >= u'a' && second <= u'z')
                    seconds.push_back(char16_t(second - 32));
            }
        }
        std::sort(seconds.begin(), seconds.end());
        seconds.erase(std::unique(seconds.begin(), seconds.end()), seconds.end());
        stops_.pairs = shortest > 1 && seconds.size() <= 4;
        if (stops_.pairs) {
            stops_.secondCount = int(seconds.size());
            seconds.resize(4, seconds.front());
            std::copy(seconds.begin(), seconds.end(), stops_.second);
        }
        std::sort(firsts.begin(), firsts.end());
        firsts.erase(std::unique(firsts.begin(), firsts.end()), firsts.end());
        stops_.firstCount = int(firsts.size());
        firsts.resize(3, firsts.front());
        std::copy(firsts.begin(), firsts.begin() + 3, stops_.first);
        stops_.widen();
    }

    // The first occurrence that begins at `from` or later, or -1.
    int next(int from)
    {
        if (from < 0)
            from = 0;
        if (remember_ && from >= askedFrom_ && (found_ < 0 || from <= found_))
            return found_;
        askedFrom_ = from;
        found_ = search(from, lastStart_);
        if (counter_)
            *counter_ += (found_ < 0 ? std::max(0, lastStart_ + length_ - from) : found_ - from)
                + length_;
        return found_;
    }

    // The first occurrence that begins at `from` or later and before
    // `bound`, or -1. It neither uses nor changes what next() remembers.
    int nextBefore(int from, int bound) const
    {
        from = std::max(from, 0);
        const int last = std::min(lastStart_, bound - 1);
        const int found = search(from, last);
        if (counter_)
            *counter_ += (found < 0 ? std::max(0, last + length_ - from) : found - from) + length_;
        return found;
    }

private:
    struct Compiled {
        const char* text = nullptr;
        int length = 0;
        bool ignoreCase = false;
        int lastStart = 0;
    };

    bool matches(const Compiled& p, int at) const
    {
        if (at > p.lastStart)
            return false;
        for (int j = 0; j < p.length; ++j) {
            const char16_t c = p.ignoreCase ? foldAscii(text_[at + j]) : text_[at + j];
            if (c != char16_t(uchar(p.text[j])))
                return false;
        }
        return true;
    }

    // Matches beginning in [from, last].
    int search(int from, int last) const
    {
        if (stops_.pairs) {
            switch (stops_.firstCount * 8 + stops_.secondCount) {
            case 1 * 8 + 1: return searchPairs<1, 1>(from, last);
            case 1 * 8 + 2: return searchPairs<1, 2>(from, last);
            case 1 * 8 + 3: return searchPairs<1, 3>(from, last);
            case 1 * 8 + 4: return searchPairs<1, 4>(from, last);
            case 2 * 8 + 1: return searchPairs<2, 1>(from, last);
            case 2 * 8 + 2: return searchPairs<2, 2>(from, last);
            default: return searchPairs<3, 4>(from, last);
            }
        }
        switch (stops_.firstCount) {
        case 1: return searchFor<1>(from, last);
        case 2: return searchFor<2>(from, last);
        default: return searchFor<3>(from, last);
        }
    }
    template <int Firsts, int Seconds>
    int searchPairs(int from, int last) const
    {
        for (int k = from; (k = findPair<Firsts, Seconds>(text_, k, last, stops_)) >= 0; ++k)
            for (int i = 0; i < count_; ++i)
                if (matches(patterns_[i], k))
                    return k;
        return -1;
    }
    template <int Count>
    int searchFor(int from, int last) const
    {
        for (int k = from; (k = findAny<Count>(text_, k, last, stops_)) >= 0; ++k)
            for (int i = 0; i < count_; ++i)
                if (matches(patterns_[i], k))
                    return k;
        return -1;
    }

    const char16_t* text_;
    long long* counter_;
    bool remember_;
    Compiled patterns_[3];
    int count_ = 0;
    Stops stops_;
    int length_ = 0;
    int lastStart_ = INT_MIN;
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

// The three passes each go through the text in steps (the main scan one
// element at a time, the other two from one value or block to the next).
// A step depends only on the text from where it begins, so the live
// colouring keeps them and rescans from the last one before an edit (see
// LiveColors). A step may begin with a search for where the next thing of
// interest starts (plain text, the gap before a value or a block): any
// place inside that search leads to the same answer.
constexpr int kNone = INT_MIN;
struct Step {
    int start;          // where the step begins
    int from = kNone;   // the search of its first part looks from here
    int at = kNone;     // and found its match here (the end of the text: none)
    quint8 absent = 0;  // the characters it found nowhere after it (AbsentBits)
};

enum AbsentBits : quint8 { NoGreater = 1, NoSemicolon = 2, NoSpace = 4, NoQuote = 8 };

enum class Pass { Main, Values, Scripts };

// The steps of an earlier scan, as a rescan asks about them: positions are
// those of the text after the edit.
class OldSteps {
public:
    virtual ~OldSteps() = default;
    // The old step that begins at x, or -1.
    virtual int startingAt(int x) const = 0;
    // The old step whose first search would look on from x to the same
    // match, or -1.
    virtual int searchingAt(int x) const = 0;
    virtual int matchOf(int step) const = 0;
    virtual quint8 absentOf(int step) const = 0;
};

// What a pass did: the steps it made and where it met the old scan again.
struct PassRun {
    std::vector<Step>* steps = nullptr;  // made steps, when wanted
    const OldSteps* old = nullptr;       // a rescan: the old steps
    int syncFrom = INT_MAX;              // the old steps count from here on
    int stop = -1;                       // where the rescan met them (-1: at the end)
    int until = -1;                      // the old steps from this one on are kept
    bool merged = false;                 // the last made step took the old one's place
};

class Scan {
public:
    // The whole text, or a selection of it.
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

    // A rescan of the whole text from `from` on: only positions from `from`
    // are read, and the colours come back for [from, ...) in perChar.
    Scan(QStringView text, int from)
        : t_(reinterpret_cast<const char16_t*>(text.utf16())), text_(text),
          n_(int(text.size())), trace_(nullptr), remember_(true)
    {
        s0_ = 0;
        e0_ = n_ + 2;
        lim_ = n_;
        base_ = from;
    }

    void run()
    {
        PassRun none;
        mainScan(s0_, none);
        valuesPass(s0_ + 1, none);
        scriptsPass(s0_, none);
    }

    void runPass(Pass pass, int from, PassRun& r)
    {
        switch (pass) {
        case Pass::Main: mainScan(from, r); break;
        case Pass::Values: valuesPass(from, r); break;
        case Pass::Scripts: scriptsPass(from, r); break;
        }
    }

    std::vector<qint8> perChar;  // from base_ on

private:
    // Colours positions first to last (inclusive). Nothing outside the range
    // is ever touched, even where a rule reaches a little past its end.
    void paint(int first, int last, int slot)
    {
        first = std::max(first, std::max(s0_, base_));
        last = std::min(last, lim_ - 1);
        if (first > last)
            return;
        if (last - base_ >= int(perChar.size()))
            perChar.resize(size_t(last - base_ + 1), kKeep);
        std::memset(perChar.data() + (first - base_), slot, size_t(last - first + 1));
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
        return finderOf({{pattern, ignoreCase}});
    }
    Finder finderOf(std::initializer_list<Finder::Pattern> patterns) const
    {
        return Finder(text_, patterns, lim_, trace_ ? &trace_->searched : nullptr, remember_);
    }

    // Whether a rescan meets the old steps at a step that begins at x.
    static bool metAt(int x, PassRun& r)
    {
        if (!r.old || x < r.syncFrom)
            return false;
        const int k = r.old->startingAt(x);
        if (k < 0)
            return false;
        r.stop = x;
        r.until = k;
        return true;
    }

    // A rescan's first search from `from`: looked for only up to where the
    // old steps count; when there is no match before it and an old step was
    // searching there, the rescan ends in it (`merge` is then true and the
    // match is the old one's). Otherwise the match, searched in full.
    template <typename Search, typename SearchBefore>
    int firstSearch(int from, PassRun& r, bool& merge, int& mergeAt, Search search,
                    SearchBefore searchBefore)
    {
        merge = false;
        if (!r.old)
            return search(from);
        const int x = std::max(from, r.syncFrom);
        if (from < x) {
            const int k = searchBefore(from, x);
            if (k >= 0)
                return k;
        }
        const int old = r.old->searchingAt(x);
        if (old >= 0) {
            merge = true;
            mergeAt = x;
            r.stop = x;
            r.until = old + 1;
            r.merged = true;
            return r.old->matchOf(old);
        }
        return search(x);
    }

    // A step made; one that ended in an old step takes on what that one
    // found missing after it.
    void keep(PassRun& r, Step s)
    {
        if (r.merged && r.old)
            s.absent = r.old->absentOf(r.until - 1);
        if (r.steps)
            r.steps->push_back(s);
    }

    // ---- main scan: tags, comments, declarations, entities, plain text ----
    void mainScan(int from, PassRun& r)
    {
        Finder gt = finder(">"), space = finder(" "), semicolon = finder(";");
        Finder markup = finderOf({{"<"}, {"&"}}), commentEnd = finder("-->");
        StyleFinders style{finder("{"), finder("/*"), finder("*/"), finder(":"), finder("}"),
                           finder(";"),
                           // The end of a style block is looked for in the whole text.
                           Finder(text_, {{"</style>", true}}, n_,
                                  trace_ ? &trace_->searched : nullptr, remember_)};

        int i = from;
        while (i < lim_) {
            if (metAt(i, r))
                return;
            if (trace_)
                trace_->elementStarts.push_back(i);
            Step step{i};
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
                    step.absent = NoGreater;
                } else {
                    // The ">" of a self-closing tag is left to the text after it.
                    end = (g >= i + 2 && t_[g - 1] == u'/') ? g - 1 : g;
                    paint(i, end, TagSlot);
                    const int sp = space.nextBefore(i + 1, end + 1);
                    if (sp >= 0)
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
                    step.absent = quint8(NoSemicolon | (sp < 0 ? NoSpace : 0));
                }
            } else {
                bool merge = false;
                int mergeAt = 0;
                const int k = firstSearch(
                    i + 1, r, merge, mergeAt,
                    [&](int f) { return markup.next(f); },
                    [&](int f, int bound) { return markup.nextBefore(f, bound); });
                step.from = i + 1;
                step.at = k >= 0 ? k : n_;
                if (merge) {
                    paint(i, mergeAt - 1, TextSlot);
                    keep(r, step);
                    return;
                }
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
            keep(r, step);
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
            const int r = finder.nextBefore(q + 1, blockLimit - length + 1);
            if (r < 0 || r == q + 1)
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
                    // Two characters past the block's end: in a whole text
                    // they begin "</style>", which the next element colours
                    // anyway, so there the comment stops at the block's end
                    // and no step colours what belongs to the next one.
                    paint(q, e0_ == n_ + 2 ? B : B + 2, CommentSlot);
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
        while ((u = underscore.nextBefore(u, end)) >= 0) {
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
    void valuesPass(int from, PassRun& r)
    {
        Finder open = finder("=\""), quote = finder("\""), underscore = finder("_");
        for (;;) {
            if (metAt(from, r))
                return;
            Step step{from, from};
            bool merge = false;
            int mergeAt = 0;
            const int eq = firstSearch(
                from, r, merge, mergeAt, [&](int f) { return open.next(f); },
                [&](int f, int bound) { return open.nextBefore(f, bound); });
            step.at = eq >= 0 ? eq : n_;
            if (merge || eq < 0) {
                keep(r, step);
                return;
            }
            const int first = eq + 2;
            const int close = quote.next(first);
            if (close >= 0 && close - first >= 1) {
                names(first, close, underscore);
                addBlock(eq, close);
                from = close + 2;
            } else {
                if (close < 0)
                    step.absent = NoQuote;
                from = eq + 1;
            }
            keep(r, step);
        }
    }

    // ---- script and server blocks ------------------------------------------
    void scriptsPass(int from, PassRun& r)
    {
        // The earliest of the three opens a block.
        Finder opening = finderOf({{"<script", true}, {"<%"}, {"<?"}});
        Finder gt = finder(">"), scriptEnd = finder("</script", true), percentEnd = finder("%>"),
               questionEnd = finder("?>"), htmlComment = finder("<!--");
        Finder underscore = finder("_");
        CommentFinders comments{finder("/*"), finder("//"), finder("rem ", true), finder("*/"),
                                finder("\n")};

        while (from <= e0_) {
            if (metAt(from, r))
                return;
            Step step{from, from};
            // The earliest wins; a block at the very start of the document
            // counts like any other (a PHP page begins with "<?php").
            bool merge = false;
            int mergeAt = 0;
            const int at = firstSearch(
                from, r, merge, mergeAt,
                [&](int f) { return opening.next(f); },
                [&](int f, int bound) { return opening.nextBefore(f, bound); });
            step.at = at >= 0 ? at : n_;
            if (merge || at < 0) {
                keep(r, step);
                return;
            }
            enum Kind { Script, Percent, Question };
            const Kind kind = startsWith(at, "<%") ? Percent : (startsWith(at, "<?") ? Question : Script);

            int bodyStart, bodyEnd;
            if (kind == Script) {
                const int g = gt.next(at + 1);
                if (g < 0) {
                    keep(r, step);
                    return;  // an opening tag that never closes holds no body
                }
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
            if (bodyEnd < bodyStart) {
                keep(r, step);
                return;
            }

            if (kind == Script) {
                // An HTML comment that hides the script from old browsers.
                const int c = htmlComment.nextBefore(bodyStart, bodyEnd - 3);
                if (c >= 0) {
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
            keep(r, step);
            // The closing "%>" or "?>" belongs to its block: no block can
            // begin at its ">".
            from = kind == Script ? bodyEnd + 1 : bodyEnd + 2;
        }
    }

    struct CommentFinders {
        Finder block, line, rem, blockEnd, lineFeed;
    };

    // Comments inside the script body [first, end).
    void scriptComments(int first, int end, CommentFinders& f)
    {
        int from = first;
        for (;;) {
            const int b = f.block.nextBefore(from, end - 1);
            const int l = f.line.nextBefore(from, end - 1);
            const int r = f.rem.nextBefore(from, end - 3);
            int at = -1;
            for (const int pos : {b, l, r})
                if (pos >= 0 && (at < 0 || pos < at))
                    at = pos;
            if (at < 0)
                break;
            int last;
            if (at == b) {
                const int k = f.blockEnd.nextBefore(at + 1, end - 1);
                last = k >= 0 ? k + 1 : end - 1;
            } else {
                const int k = f.lineFeed.nextBefore(at + 1, end);
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
    int s0_ = 0;    // first position of the range
    int e0_ = 0;    // the position just after the range
    int lim_ = 0;   // min(e0_, n_): searches and colours end before it
    int base_ = 0;  // perChar[0] is this position
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
    if (n == 0)
        return runs;
    // Pages average a run every ten characters or so.
    runs.reserve(size_t(n / 8 + 1));
    const qint8* p = perChar.data();
    int start = 0;
    // A run ends where a slot differs from the next one: sixteen such
    // comparisons at a time, then one step per run found, not per character.
    int j = 0;
#if defined(__SSE2__)
    for (; j + 17 <= n; j += 16) {
        unsigned ends = ~unsigned(_mm_movemask_epi8(
                            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + j)),
                                           _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + j + 1)))))
            & 0xFFFFu;
        while (ends) {
            const int end = j + std::countr_zero(ends) + 1;
            ends &= ends - 1;
            const qint8 slot = p[start];
            if (slot != kKeep)
                runs.push_back(SlotRun{start, end - start, slot});
            start = end;
        }
    }
#endif
    for (; j + 1 < n; ++j)
        if (p[j] != p[j + 1]) {
            if (p[start] != kKeep)
                runs.push_back(SlotRun{start, j + 1 - start, p[start]});
            start = j + 1;
        }
    if (p[start] != kKeep)
        runs.push_back(SlotRun{start, n - start, p[start]});
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


// ---- live colouring ------------------------------------------------------------------

namespace {

// A sequence with a movable gap: edits near each other (typing) move only
// what lies between them, not the rest of a long text.
template <typename T>
class GapBuffer {
public:
    int size() const { return int(buf_.size()) - gapLength(); }
    int gapStart() const { return gapStart_; }

    T at(int i) const { return i < gapStart_ ? buf_[size_t(i)] : buf_[size_t(i + gapLength())]; }
    T& ref(int i) { return i < gapStart_ ? buf_[size_t(i)] : buf_[size_t(i + gapLength())]; }

    // Element i for every i >= gapStart(), contiguous.
    const T* tail() const { return buf_.data() + gapLength(); }
    T* tail() { return buf_.data() + gapLength(); }

    void moveGap(int to)
    {
        const int g = gapLength();
        if (to < gapStart_)
            std::move_backward(buf_.begin() + to, buf_.begin() + gapStart_, buf_.begin() + gapStart_ + g);
        else if (to > gapStart_)
            std::move(buf_.begin() + gapStart_ + g, buf_.begin() + to + g, buf_.begin() + gapStart_);
        gapStart_ = to;
        gapEnd_ = to + g;
    }

    // Removes count elements after the gap.
    void eraseAfterGap(int count) { gapEnd_ += count; }
    // Removes count elements before the gap.
    void eraseBeforeGap(int count) { gapStart_ -= count; }

    // Puts values in before the gap.
    template <typename It>
    void insertAtGap(It first, It last)
    {
        const int count = int(std::distance(first, last));
        reserveGap(count);
        std::copy(first, last, buf_.begin() + gapStart_);
        gapStart_ += count;
    }
    void insertAtGap(int count, T value)
    {
        reserveGap(count);
        std::fill_n(buf_.begin() + gapStart_, count, value);
        gapStart_ += count;
    }

    void assign(std::vector<T> values)
    {
        buf_ = std::move(values);
        gapStart_ = gapEnd_ = int(buf_.size());
    }

private:
    int gapLength() const { return gapEnd_ - gapStart_; }

    void reserveGap(int count)
    {
        if (gapLength() >= count)
            return;
        const int after = int(buf_.size()) - gapEnd_;
        const int grown = std::max(count + 64, int(buf_.size() / 8));
        std::vector<T> bigger(buf_.size() + size_t(grown));
        std::copy(buf_.begin(), buf_.begin() + gapStart_, bigger.begin());
        std::copy(buf_.begin() + gapEnd_, buf_.end(), bigger.end() - after);
        gapEnd_ += grown;
        buf_ = std::move(bigger);
    }

    std::vector<T> buf_;
    int gapStart_ = 0;
    int gapEnd_ = 0;
};

// The steps of one pass. Those after the gap keep their positions counted
// from the end of the text, so an edit before them needs no change to them.
class StepList {
public:
    int size() const { return steps_.size(); }

    // Step k in positions of a text n characters long.
    Step at(int k, int n) const
    {
        Step s = steps_.at(k);
        if (k >= steps_.gapStart()) {
            s.start += n;
            if (s.from != kNone)
                s.from += n;
            if (s.at != kNone)
                s.at += n;
        }
        return s;
    }

    // The last step that begins at x or before (-1: none), among [lo, size).
    int containing(int x, int n, int lo = 0) const
    {
        int a = lo, b = size();
        while (a < b) {
            const int mid = (a + b) / 2;
            if (at(mid, n).start <= x)
                a = mid + 1;
            else
                b = mid;
        }
        return a - 1 >= lo ? a - 1 : -1;
    }

    // The first step that begins at x or after.
    int firstFrom(int x, int n) const { return containing(x - 1, n) + 1; }

    void moveGap(int to, int n)
    {
        const int g = steps_.gapStart();
        steps_.moveGap(to);
        // What crossed the gap changes its way of counting.
        if (to < g)
            for (int k = to; k < g; ++k)
                shift(k, -n);
        else
            for (int k = g; k < to; ++k)
                shift(k, n);
    }

    // Replaces steps [first, last) by made (positions of the text as it is
    // now); the gap must lie between first and last.
    void replace(int first, int last, const std::vector<Step>& made)
    {
        const int gap = steps_.gapStart();
        steps_.eraseBeforeGap(gap - first);
        steps_.eraseAfterGap(last - gap);
        steps_.insertAtGap(made.begin(), made.end());
    }

    void assign(std::vector<Step> steps) { steps_.assign(std::move(steps)); }

private:
    void shift(int k, int by)
    {
        Step& s = steps_.ref(k);
        s.start += by;
        if (s.from != kNone)
            s.from += by;
        if (s.at != kNone)
            s.at += by;
    }

    GapBuffer<Step> steps_;
};


// The old steps of one pass while it is rescanned after an edit: the steps
// from `lo` on, the gap of the list at the first one after the edit.
class OldView : public OldSteps {
public:
    OldView(const StepList& list, int nOld, int delta, int editEnd, int lo, int after)
        : list_(list), nOld_(nOld), delta_(delta), editEnd_(editEnd), lo_(lo), after_(after)
    {
    }

    int startingAt(int x) const override
    {
        const int xo = x - delta_;
        if (xo < editEnd_)
            return -1;
        const int k = list_.containing(xo, nOld_, after_);
        return (k >= 0 && list_.at(k, nOld_).start == xo) ? k : -1;
    }

    int searchingAt(int x) const override
    {
        const int xo = x - delta_;
        if (xo < editEnd_)
            return -1;
        const int k = list_.containing(xo, nOld_, lo_);
        if (k < 0)
            return -1;
        const Step s = list_.at(k, nOld_);
        return (s.from != kNone && s.from <= xo && xo <= s.at) ? k : -1;
    }

    int matchOf(int step) const override { return list_.at(step, nOld_).at + delta_; }
    quint8 absentOf(int step) const override { return list_.at(step, nOld_).absent; }

private:
    const StepList& list_;
    int nOld_, delta_, editEnd_, lo_, after_;
};

constexpr Pass kPasses[3] = {Pass::Main, Pass::Values, Pass::Scripts};

int firstPosition(Pass p) { return p == Pass::Values ? 1 : 0; }

quint8 absentBitsOf(QStringView s)
{
    quint8 bits = 0;
    for (const QChar c : s) {
        switch (c.unicode()) {
        case u'>': bits |= NoGreater; break;
        case u';': bits |= NoSemicolon; break;
        case u' ': bits |= NoSpace; break;
        case u'"': bits |= NoQuote; break;
        default: break;
        }
    }
    return bits;
}

inline qint8 combined(qint8 main, qint8 values, qint8 scripts)
{
    return scripts != kKeep ? scripts : (values != kKeep ? values : main);
}

} // namespace

struct LiveColors::Impl {
    GapBuffer<char16_t> text;
    GapBuffer<qint8> layer[3];
    StepList steps[3];
    // Steps that found a character nowhere after them, ascending.
    std::vector<std::pair<int, quint8>> absent[3];

    int n() const { return text.size(); }

    // The text, readable from position `from` on.
    QStringView readableFrom(int from)
    {
        text.moveGap(from);
        return QStringView(text.tail(), n());
    }

    void keepAbsent(int p, const std::vector<Step>& made)
    {
        for (const Step& s : made)
            if (s.absent)
                absent[p].emplace_back(s.start, s.absent);
    }

    void reset(QStringView t)
    {
        text.assign(std::vector<char16_t>(t.utf16(), t.utf16() + t.size()));
        const QStringView view = readableFrom(0);
        for (int p = 0; p < 3; ++p) {
            std::vector<Step> made;
            PassRun r;
            r.steps = &made;
            Scan scan(view, 0);
            scan.runPass(kPasses[p], firstPosition(kPasses[p]), r);
            scan.perChar.resize(size_t(n()), kKeep);
            layer[p].assign(std::move(scan.perChar));
            absent[p].clear();
            keepAbsent(p, made);
            steps[p].assign(std::move(made));
        }
    }

    qint8 finalAt(int i) const { return combined(layer[0].at(i), layer[1].at(i), layer[2].at(i)); }
};

LiveColors::LiveColors() : d(new Impl) {}
LiveColors::~LiveColors() { delete d; }

void LiveColors::reset(QStringView text) { d->reset(text); }

int LiveColors::length() const { return d->n(); }

QString LiveColors::text() const
{
    QString s(d->n(), Qt::Uninitialized);
    for (int i = 0; i < d->n(); ++i)
        s[i] = QChar(d->text.at(i));
    return s;
}

bool LiveColors::sameText(int pos, QStringView s) const
{
    if (pos < 0 || pos + s.size() > d->n())
        return false;
    for (int i = 0; i < int(s.size()); ++i)
        if (d->text.at(pos + i) != s[i].unicode())
            return false;
    return true;
}

QString LiveColors::textOf(int from, int to) const
{
    from = std::clamp(from, 0, d->n());
    to = std::clamp(to, from, d->n());
    QString s(to - from, Qt::Uninitialized);
    for (int i = from; i < to; ++i)
        s[i - from] = QChar(d->text.at(i));
    return s;
}

int LiveColors::lengthOfLines(int pos, int units) const
{
    int i = std::clamp(pos, 0, d->n());
    for (; units > 0 && i < d->n(); --units)
        i += (d->text.at(i) == u'\r' && i + 1 < d->n() && d->text.at(i + 1) == u'\n') ? 2 : 1;
    return i - pos;
}

std::vector<qint8> LiveColors::slotsOf(int from, int to) const
{
    from = std::clamp(from, 0, d->n());
    to = std::clamp(to, from, d->n());
    std::vector<qint8> out(size_t(to - from));
    for (int i = from; i < to; ++i)
        out[size_t(i - from)] = d->finalAt(i);
    return out;
}

std::vector<SlotRun> LiveColors::runs(int from, int to) const
{
    std::vector<SlotRun> out = Slot_Runs(slotsOf(from, to));
    for (SlotRun& r : out)
        r.start += std::clamp(from, 0, d->n());
    return out;
}

std::vector<SlotRun> LiveColors::edit(int pos, int removed, QStringView inserted)
{
    Impl& m = *d;
    const int nOld = m.n();
    pos = std::clamp(pos, 0, nOld);
    removed = std::clamp(removed, 0, nOld - pos);
    const int added = int(inserted.size());
    const int delta = added - removed;
    const int editEnd = pos + removed;
    const quint8 bits = absentBitsOf(inserted);

    // Where each pass begins again: the step holding a position a little
    // before the edit (a step looks a few characters past its end), or an
    // earlier one that missed a character the edit puts in.
    int restart[3], first[3], after[3];
    for (int p = 0; p < 3; ++p) {
        StepList& list = m.steps[p];
        int j = list.containing(std::max(0, pos - 8), nOld);
        int from = j >= 0 ? list.at(j, nOld).start : firstPosition(kPasses[p]);
        j = std::max(j, 0);
        if (bits)
            for (const auto& [start, missed] : m.absent[p]) {
                if (start >= from)
                    break;
                if (missed & bits) {
                    from = start;
                    j = list.containing(start, nOld);
                    break;
                }
            }
        restart[p] = from;
        first[p] = j;
        after[p] = std::max(list.firstFrom(editEnd, nOld), j);
        list.moveGap(after[p], nOld);
    }

    m.text.moveGap(pos);
    m.text.eraseAfterGap(removed);
    m.text.insertAtGap(inserted.utf16(), inserted.utf16() + added);
    for (GapBuffer<qint8>& l : m.layer) {
        l.moveGap(pos);
        l.eraseAfterGap(removed);
        l.insertAtGap(added, kKeep);
    }
    const int n = m.n();
    const int low = std::min({restart[0], restart[1], restart[2], pos});
    const QStringView view = m.readableFrom(low);

    std::vector<qint8> window[3];
    int high = std::min(n, pos + std::max(added, 1));
    for (int p = 0; p < 3; ++p) {
        StepList& list = m.steps[p];
        const OldView old(list, nOld, delta, editEnd, first[p], after[p]);
        std::vector<Step> made;
        PassRun r;
        r.steps = &made;
        r.old = &old;
        r.syncFrom = pos + added;
        Scan scan(view, restart[p]);
        scan.runPass(kPasses[p], restart[p], r);
        // (The values pass begins at the second character: in a text
        // shorter than that its one step lies past the end.)
        const int stop = r.stop >= 0 ? std::min(r.stop, n) : n;
        window[p] = std::move(scan.perChar);
        window[p].resize(size_t(std::max(0, stop - restart[p])), kKeep);

        high = std::max(high, stop);

        const int until = r.stop >= 0 ? r.until : list.size();
        const int keptFrom = until < list.size() ? list.at(until, nOld).start : INT_MAX;
        std::vector<std::pair<int, quint8>>& gaps = m.absent[p];
        std::vector<std::pair<int, quint8>> kept;
        for (const auto& e : gaps)
            if (e.first < restart[p])
                kept.push_back(e);
        for (const Step& s : made)
            if (s.absent)
                kept.emplace_back(s.start, s.absent);
        for (const auto& e : gaps)
            if (e.first >= keptFrom && keptFrom != INT_MAX)
                kept.emplace_back(e.first + delta, e.second);
        gaps = std::move(kept);
        list.replace(first[p], until, made);
    }

    // The colours before and after, over everything a pass looked at again.
    for (GapBuffer<qint8>& l : m.layer)
        l.moveGap(low);
    const int span = high - low;
    std::vector<qint8> was(static_cast<size_t>(span));
    const qint8* L0 = m.layer[0].tail();
    const qint8* L1 = m.layer[1].tail();
    const qint8* L2 = m.layer[2].tail();
    for (int i = low; i < high; ++i)
        was[size_t(i - low)] = combined(L0[i], L1[i], L2[i]);
    for (int p = 0; p < 3; ++p) {
        std::copy(window[p].begin(), window[p].end(), m.layer[p].tail() + restart[p]);
        // The values pass never colours the first character: one that took
        // its place keeps its colour from no value.
        if (restart[p] > pos && pos < n)
            m.layer[p].tail()[pos] = kKeep;
    }

    std::vector<SlotRun> out;
    auto add = [&out](int at, qint8 slot) {
        if (!out.empty() && out.back().slot == slot && out.back().start + out.back().length == at)
            ++out.back().length;
        else
            out.push_back(SlotRun{at, 1, slot});
    };
    for (int i = low; i < high; ++i) {
        const qint8 now = combined(L0[i], L1[i], L2[i]);
        const bool insertedHere = i >= pos && i < pos + added;
        if (now != kKeep && (insertedHere || now != was[size_t(i - low)]))
            add(i, now);
    }
    return out;
}

} // namespace colorcode
