#pragma once
// A second, deliberately naive colour-coding scan for the tests to compare
// against: 1-based positions, every "next X after p" searched afresh from p,
// each colouring rule followed word for word. Slow (it searches the
// rest of the range again and again) and so only for short texts.
//
// `literal` keeps four behaviours that the real scan corrects: the very first
// character of a document that begins with plain text keeps its colour, a style property loses its
// first letter after "{", the last character of a style block keeps its
// colour, and a script or server block at the very start is not recognised.

#include <QString>

#include <algorithm>
#include <vector>

namespace reference {

class Scan {
public:
    Scan(const QString& text, int selStart, int selLength, bool literal)
        : T(text), n(int(text.size())), literal(literal), out(size_t(text.size()), -1)
    {
        selStart = std::clamp(selStart, 0, n);
        selLength = std::clamp(selLength, 0, n - selStart);
        if (selLength == 0) {
            S = 1;
            E = n + 3;
        } else {
            S = selStart + 1;
            E = S + selLength;
        }
        main();
        values();
        scripts();
    }

    std::vector<qint8> result() const { return out; }

private:
    QString mid(int p, int len) const
    {
        if (p < 1 || p > n)
            return {};
        return T.mid(p - 1, len);
    }

    bool matchAt(int k, const QString& x, bool ignoreCase) const
    {
        return mid(k, int(x.size())).compare(x, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive)
            == 0 && k + x.size() - 1 <= n;
    }

    // The first x that begins after p and ends before `before`; 0 if none.
    int next(const QString& x, int p, int before, bool ignoreCase = false) const
    {
        for (int k = p + 1; k + x.size() - 1 < before && k + x.size() - 1 <= n; ++k)
            if (matchAt(k, x, ignoreCase))
                return k;
        return 0;
    }

    void colour(int a, int b, int slot)
    {
        for (int p = a; p <= b; ++p)
            if (p >= S && p < E && p >= 1 && p <= n)
                out[size_t(p - 1)] = qint8(slot);
    }

    void main()
    {
        bool inStyle = false;
        int p = S;
        while (p <= E) {
            if (mid(p, 6) == QLatin1String("<STYLE") || mid(p, 6) == QLatin1String("<style"))
                inStyle = true;
            int last;
            if (mid(p, 4) == QLatin1String("<!--")) {
                const int k = next(QStringLiteral("-->"), p, E);
                last = k ? k + 2 : E - 1;
                colour(p, last, 2);
            } else if (mid(p, 2) == QLatin1String("<!")) {
                const int k = next(QStringLiteral(">"), p, E);
                last = k ? k : E - 1;
                colour(p, last, 2);
            } else if (mid(p, 1) == QLatin1String("<")) {
                const int g = next(QStringLiteral(">"), p, E);
                if (!g) {
                    last = p;
                } else {
                    last = g;
                    const int slash = next(QStringLiteral("/>"), p, E);
                    if (slash && slash < g)
                        last = slash;
                    colour(p, last, 1);
                    const int sp = next(QStringLiteral(" "), p, E);
                    if (sp && sp <= last)
                        colour(sp, last - 1, 3);
                }
            } else if (mid(p, 1) == QLatin1String("&")) {
                const int k = next(QStringLiteral(";"), p, E);
                if (k) {
                    last = k;
                    colour(p, k, 1);
                } else {
                    const int sp = next(QStringLiteral(" "), p, E);
                    last = sp ? sp - 1 : p;
                    if (sp)
                        colour(p, sp - 1, 1);
                }
            } else {
                const int a = next(QStringLiteral("<"), p, E), b = next(QStringLiteral("&"), p, E);
                const int k = (a && b) ? std::min(a, b) : std::max(a, b);
                last = k ? k - 1 : E - 1;
                // Read literally, a document that begins with plain text keeps
                // the colour of its very first character.
                if (last >= p)
                    colour(literal && p == 1 ? 2 : p, last, 0);
            }
            if (inStyle) {
                last = style(last);
                inStyle = false;
            }
            p = std::max(last, p) + 1;
        }
    }

    // Returns where the main scan goes on (the block's last position).
    int style(int t)
    {
        int k = 0;
        for (int j = t + 1; j + 7 <= n; ++j)
            if (matchAt(j, QStringLiteral("</style>"), true)) {
                k = j;
                break;
            }
        const int B = (!k || k > E) ? E : k - 1;
        const int before = std::min(B + 1, E);
        int q = t;
        int state = 1;
        auto find = [&](const char* x) {
            const int r = next(QString::fromLatin1(x), q, before);
            return (r && r - q - 1 == 0) ? 0 : r;  // distance 0 counts as absent
        };
        while (q <= B) {
            int a = 0, b = 0, runEnd = 0, slot = 0, nextState = state, nextQ = 0;
            bool neither = false;
            switch (state) {
            case 1:
                a = find("{");
                b = find("/*");
                if (a && (!b || (a - q - 1) + 2 < (b - q - 1))) {
                    runEnd = a; slot = 1; nextState = 3; nextQ = literal ? a + 2 : a + 1;
                } else if (b) {
                    runEnd = b - 2; slot = 1; nextState = 2; nextQ = b;
                } else {
                    runEnd = B - 1; slot = 1; nextQ = B; neither = true;
                }
                break;
            case 2:
                a = find("*/");
                if (a) {
                    runEnd = a + 1; slot = 2; nextState = 1; nextQ = a + 2;
                } else {
                    runEnd = B + 2; slot = 2; nextState = 1; nextQ = B + 3;
                }
                break;
            case 3:
                a = find(":");
                b = find("}");
                if (a && (!b || a < b)) {
                    runEnd = a; slot = 3; nextState = 0; nextQ = a + 1;
                } else if (b) {
                    runEnd = b - 1; slot = 3; nextState = 1; nextQ = b;
                } else {
                    runEnd = B - 1; slot = 3; nextQ = B; neither = true;
                }
                break;
            default:
                a = find(";");
                b = find("}");
                if (a && (!b || a < b)) {
                    runEnd = a; slot = 0; nextState = 3; nextQ = a;
                } else if (b) {
                    runEnd = b - 1; slot = 0; nextState = 1; nextQ = b;
                } else {
                    runEnd = B - 1; slot = 0; nextQ = B; neither = true;
                }
                break;
            }
            if (!literal && neither) {
                colour(q, B, slot);  // the block's last character goes with the rest
                break;
            }
            if (runEnd - q + 1 <= 0)
                break;
            colour(q, runEnd, slot);
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
            if (mid(u, 1) != QLatin1String("_"))
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
        int p = S;
        while (p <= E) {
            const int x = next(QStringLiteral("=\""), p, E);
            if (!x)
                break;
            const int first = x + 2;
            const int close = next(QStringLiteral("\""), first - 1, E);
            const int length = close ? close - first : -1;
            if (length >= 1) {
                names(first, length);
                p = close + 1;
            } else {
                p = p + 1;
            }
        }
    }

    // At or after p, before `before`; a match at the very first character
    // counts as none in the literal reading.
    int atOrAfter(const char* x, int p, int before, bool ignoreCase = false) const
    {
        const int k = next(QString::fromLatin1(x), p - 1, before, ignoreCase);
        return (literal && k == 1) ? 0 : k;
    }

    void scripts()
    {
        int p = S;
        while (p <= E) {
            const int a = atOrAfter("<script", p, E, true), b = atOrAfter("<%", p, E),
                      c = atOrAfter("<?", p, E);
            int m = 0, kind = 0;
            for (const auto& [pos, k] : {std::pair{a, 1}, std::pair{b, 2}, std::pair{c, 3}})
                if (pos && (!m || pos < m)) {
                    m = pos;
                    kind = k;
                }
            if (!m)
                break;
            int bs, be;
            if (kind == 1) {
                const int g = next(QStringLiteral(">"), m, E);
                if (!g)
                    break;
                bs = g + 1;
                const int k = atOrAfter("</script", bs, E, true);
                be = k ? k : E;
            } else {
                const int marker = (kind == 3 && mid(m, 5) == QLatin1String("<?php")) ? 5 : 2;
                colour(m, m + marker - 1, 1);
                bs = m + marker;
                const int k = atOrAfter(kind == 2 ? "%>" : "?>", bs, E);
                be = k ? k : E;
            }
            if (be < bs)
                break;
            if (kind == 1) {
                const int k = atOrAfter("<!--", bs, be);
                if (k) {
                    colour(bs, k + 4, 2);
                    bs = k + 5;
                }
            }
            if (be - bs >= 1) {
                colour(bs, be - 1, 0);
                names(bs, be - bs);
                int from = bs;
                for (;;) {
                    const int c1 = atOrAfter("/*", from, be), c2 = atOrAfter("//", from, be),
                              c3 = atOrAfter("rem ", from, be, true);
                    int at = 0;
                    for (const int x : {c1, c2, c3})
                        if (x && (!at || x < at))
                            at = x;
                    if (!at)
                        break;
                    int last;
                    if (at == c1) {
                        const int k = next(QStringLiteral("*/"), at, be);
                        last = k ? k + 1 : be - 1;
                    } else {
                        const int k = next(QStringLiteral("\n"), at, be);
                        last = k ? k - 1 : be - 1;
                    }
                    colour(at, last, 2);
                    from = last + 1;
                }
            }
            if (kind != 1)
                colour(be, be + 1, 1);
            p = be + 1;
        }
    }

    QString T;
    int n;
    bool literal;
    int S = 1, E = 1;
    std::vector<qint8> out;
};

inline std::vector<qint8> colourSlots(const QString& text, int selStart, int selLength, bool literal)
{
    return Scan(text, selStart, selLength, literal).result();
}

} // namespace reference
