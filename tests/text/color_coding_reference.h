#pragma once
// A second, deliberately naive colour-coding scan for the tests to compare
// against: 1-based positions as the colouring rules count them, and every
// "next X after p" searched afresh from p. Slow (it searches the rest of the
// range again and again) and so only for short texts.
//
// It follows the program's colouring, not the rules word for word where the
// program corrects them: the very first character of a document that begins
// with plain text is coloured, a style property keeps its first letter after
// "{", the last character of a style block is coloured, and a script or
// server block at the very start is recognised.

#include <QString>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace reference {

class Scan {
public:
    Scan(const QString& text, int selStart, int selLength)
        : out(size_t(text.size()), -1), T(text), n(int(text.size()))
    {
        selStart = std::clamp(selStart, 0, n);
        selLength = std::clamp(selLength, 0, n - selStart);
        S = selLength ? selStart + 1 : 1;
        E = selLength ? S + selLength : n + 3;
        main();
        values();
        scripts();
    }

    std::vector<qint8> out;

private:
    // Whether x stands at p, letter case counting.
    bool at(int p, const char* x) const { return p >= 1 && QStringView(T).mid(p - 1).startsWith(QLatin1String(x)); }

    // The first x that begins after p and ends before `before`, letter case
    // ignored; 0 if none.
    int next(const char* x, int p, int before) const
    {
        const QLatin1String s(x);
        for (int k = p + 1; k + s.size() - 1 < before && k + s.size() - 1 <= n; ++k)
            if (QStringView(T).mid(k - 1, s.size()).compare(s, Qt::CaseInsensitive) == 0)
                return k;
        return 0;
    }

    void colour(int a, int b, int slot)
    {
        for (int p = std::max({a, S, 1}); p <= b && p < E && p <= n; ++p)
            out[size_t(p - 1)] = qint8(slot);
    }

    void main()
    {
        for (int p = S; p <= E;) {
            const bool inStyle = at(p, "<STYLE") || at(p, "<style");
            int last = p;
            if (at(p, "<!--")) {
                const int k = next("-->", p, E);
                last = k ? k + 2 : E - 1;
                colour(p, last, 2);
            } else if (at(p, "<!")) {
                const int k = next(">", p, E);
                last = k ? k : E - 1;
                colour(p, last, 2);
            } else if (at(p, "<")) {
                if (const int g = next(">", p, E)) {
                    const int slash = next("/>", p, E);
                    last = slash && slash < g ? slash : g;
                    colour(p, last, 1);
                    const int blank = next(" ", p, E);
                    if (blank && blank <= last)
                        colour(blank, last - 1, 3);
                }
            } else if (at(p, "&")) {
                const int semicolon = next(";", p, E), blank = next(" ", p, E);
                if (semicolon || blank) {
                    last = semicolon ? semicolon : blank - 1;
                    colour(p, last, 1);
                }
            } else {
                const int a = next("<", p, E), b = next("&", p, E);
                const int k = (a && b) ? std::min(a, b) : std::max(a, b);
                last = k ? k - 1 : E - 1;
                colour(p, last, 0);
            }
            if (inStyle)
                last = style(last);
            p = std::max(last, p) + 1;
        }
    }

    // The style block after t; returns its last position, where the main
    // scan goes on. The state is also the slot of its runs: 1 selector,
    // 2 comment, 3 property, 0 value.
    int style(int t)
    {
        const int k = next("</style>", t, n + 1);
        const int B = (!k || k > E) ? E : k - 1;
        const int before = std::min(B + 1, E);
        const auto find = [&](const char* x, int q) {
            const int r = next(x, q, before);
            return r == q + 1 ? 0 : r;  // distance 0 counts as absent
        };
        for (int q = t, state = 1; q <= B;) {
            int runEnd = -1, nextState = state, nextQ = 0;  // runEnd -1: neither found
            const auto to = [&](int end, int then, int from) {
                runEnd = end;
                nextState = then;
                nextQ = from;
            };
            if (state == 1) {
                const int a = find("{", q), b = find("/*", q);
                if (a && (!b || a + 2 < b))
                    to(a, 3, a + 1);
                else if (b)
                    to(b - 2, 2, b);
            } else if (state == 2) {
                const int a = find("*/", q);
                to(a ? a + 1 : B + 2, 1, a ? a + 2 : B + 3);
            } else {
                const int a = find(state == 3 ? ":" : ";", q), b = find("}", q);
                if (a && (!b || a < b))
                    to(a, 3 - state, state == 3 ? a + 1 : a);
                else if (b)
                    to(b - 1, 1, b);
            }
            if (runEnd < 0) {
                colour(q, B, state);  // the rest of the block
                break;
            }
            if (runEnd < q)
                break;
            colour(q, runEnd, state);
            state = nextState;
            q = nextQ;
        }
        return B;
    }

    void names(int start, int length)
    {
        const int last = start + length - 1;
        colour(start, last, 0);
        const QString delimiters = QStringLiteral(" /|<>&-!=.;,+()[]\t\n\"");
        for (int u = start; u <= last; ++u) {
            if (!at(u, "_"))
                continue;
            int a = u, b = u;
            while (a > 1 && !delimiters.contains(T[a - 2]))
                --a;
            while (b < n && !delimiters.contains(T[b]))
                ++b;
            colour(std::max(a, start), std::min(b, last), 1);
        }
    }

    void values()
    {
        for (int p = S; p <= E;) {
            const int x = next("=\"", p, E);
            if (!x)
                break;
            const int close = next("\"", x + 1, E);
            if (close && close - (x + 2) >= 1) {
                names(x + 2, close - (x + 2));
                p = close + 1;
            } else {
                p = p + 1;
            }
        }
    }

    // The earliest of several texts at or after p, before `before`; ties go
    // to the first named.
    int earliest(std::initializer_list<const char*> xs, int p, int before, int* which = nullptr) const
    {
        int best = 0, i = 0;
        for (const char* x : xs) {
            const int k = next(x, p - 1, before);
            if (k && (!best || k < best)) {
                best = k;
                if (which)
                    *which = i;
            }
            ++i;
        }
        return best;
    }

    void scripts()
    {
        for (int p = S; p <= E;) {
            int kind = 0;  // 0 script, 1 "<%", 2 "<?"
            const int m = earliest({"<script", "<%", "<?"}, p, E, &kind);
            if (!m)
                break;
            int bs, be;
            if (kind == 0) {
                const int g = next(">", m, E);
                if (!g)
                    break;
                bs = g + 1;
                const int k = next("</script", bs - 1, E);
                be = k ? k : E;
            } else {
                const int marker = (kind == 2 && at(m, "<?php")) ? 5 : 2;
                colour(m, m + marker - 1, 1);
                bs = m + marker;
                const int k = next(kind == 1 ? "%>" : "?>", bs - 1, E);
                be = k ? k : E;
            }
            if (be < bs)
                break;
            if (kind == 0) {
                if (const int k = next("<!--", bs - 1, be)) {
                    colour(bs, k + 4, 2);
                    bs = k + 5;
                }
            }
            if (be - bs >= 1) {
                colour(bs, be - 1, 0);
                names(bs, be - bs);
                for (int from = bs;;) {
                    const int c = earliest({"/*", "//", "rem "}, from, be);
                    if (!c)
                        break;
                    const int k = at(c, "/*") ? next("*/", c, be) : next("\n", c, be);
                    const int last = at(c, "/*") ? (k ? k + 1 : be - 1) : (k ? k - 1 : be - 1);
                    colour(c, last, 2);
                    from = last + 1;
                }
            }
            if (kind != 0)
                colour(be, be + 1, 1);
            p = be + 1;
        }
    }

    QString T;
    int n;
    int S = 1, E = 1;
};

inline std::vector<qint8> colourSlots(const QString& text, int selStart, int selLength)
{
    return Scan(text, selStart, selLength).out;
}

} // namespace reference
