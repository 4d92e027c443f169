#include "platform/text_positions.h"

#include <QTextBlock>
#include <QTextDocument>

namespace textpos {

namespace {

constexpr QChar kLf(u'\n');
constexpr QChar kCr(u'\r');

bool inLine(int p, int number, int docPos, int length, int blocks)
{
    const int ts = docPos + number;
    return p >= ts && p <= ts + length - 1 + (number + 1 < blocks ? 1 : 0);
}

int textStartOf(const QTextDocument& doc, int blockNumber)
{
    return doc.findBlockByNumber(blockNumber).position() + blockNumber;
}

// Word characters for whole-word matching: letters and digits of any script,
// the combining marks that belong to them ("cafe" followed by a combining
// acute is one word), and "_". Characters outside the first plane come as
// surrogate pairs and are judged as the one character they make.
bool isWordPoint(char32_t c) { return QChar::isLetterOrNumber(c) || QChar::isMark(c) || c == U'_'; }

bool wordBefore(QStringView t, qsizetype i)
{
    if (i <= 0)
        return false;
    const char16_t c = t[i - 1].unicode();
    if (QChar::isLowSurrogate(c) && i >= 2 && QChar::isHighSurrogate(t[i - 2].unicode()))
        return isWordPoint(QChar::surrogateToUcs4(t[i - 2].unicode(), c));
    return isWordPoint(c);
}

bool wordAt(QStringView t, qsizetype i)
{
    if (i >= t.size())
        return false;
    const char16_t c = t[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < t.size() && QChar::isLowSurrogate(t[i + 1].unicode()))
        return isWordPoint(QChar::surrogateToUcs4(c, t[i + 1].unicode()));
    return isWordPoint(c);
}

// The case-folded character at i and how many UTF-16 units it takes. Plain
// ASCII, nearly all of an HTML source, is folded without a table lookup.
inline char32_t foldedAt(QStringView t, qsizetype i, int& units)
{
    const char16_t c = t[i].unicode();
    units = 1;
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char32_t(c + 32) : char32_t(c);
    if (QChar::isHighSurrogate(c) && i + 1 < t.size() && QChar::isLowSurrogate(t[i + 1].unicode())) {
        units = 2;
        return QChar::toCaseFolded(QChar::surrogateToUcs4(c, t[i + 1].unicode()));
    }
    return QChar::toCaseFolded(char32_t(c));
}

// First match of the folded characters `what` in hay at from or later,
// ignoring case by Unicode's simple case folding, which keeps every
// character one character (a capital sigma finds both small sigmas, the
// Kelvin sign finds "k"). A match has what's length in hay. Qt's own
// case-insensitive search for short phrases is several times slower on a
// large page.
qsizetype indexOfFolded(QStringView hay, const std::vector<char32_t>& what, qsizetype n, qsizetype from)
{
    const char32_t first = what.front();
    const qsizetype last = hay.size() - n;
    for (qsizetype i = from; i <= last; ++i) {
        int units;
        if (foldedAt(hay, i, units) != first)
            continue;
        qsizetype j = i + units;
        size_t k = 1;
        for (; k < what.size() && j < hay.size(); ++k) {
            if (foldedAt(hay, j, units) != what[k])
                break;
            j += units;
        }
        if (k == what.size() && j - i == n)
            return i;
    }
    return -1;
}

std::vector<char32_t> foldedPoints(const QString& s)
{
    std::vector<char32_t> out;
    out.reserve(size_t(s.size()));
    for (qsizetype i = 0; i < s.size();) {
        int units;
        out.push_back(foldedAt(s, i, units));
        i += units;
    }
    return out;
}

} // namespace

QString crlfForm(const QString& documentText)
{
    QString out = documentText;
    out.replace(kLf, QLatin1String("\r\n"));
    return out;
}

int length(const QTextDocument& doc) { return doc.characterCount() - 1 + doc.blockCount() - 1; }

QString text(const QTextDocument& doc)
{
    QString t;
    t.reserve(length(doc));
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            t += QLatin1String("\r\n");
        t += b.text();
    }
    return t;
}

int fromDocument(const QTextDocument& doc, int docPos)
{
    docPos = std::clamp(docPos, 0, doc.characterCount() - 1);
    return docPos + doc.findBlock(docPos).blockNumber();
}

Place Locator::remember(int p, int number, int docPos, int length)
{
    valid_ = true;
    number_ = number;
    docPos_ = docPos;
    length_ = length;
    return {number, docPos, length, docPos + number, p - docPos - number};
}

Place Locator::locate(const QTextDocument& doc, int p)
{
    p = std::clamp(p, 0, textpos::length(doc));
    const int blocks = doc.blockCount();
    if (valid_ && number_ < blocks) {
        if (inLine(p, number_, docPos_, length_, blocks))
            return remember(p, number_, docPos_, length_);
        if (number_ + 1 < blocks && p > docPos_ + number_) {
            const QTextBlock next = doc.findBlockByNumber(number_ + 1);
            if (inLine(p, number_ + 1, next.position(), next.length(), blocks))
                return remember(p, number_ + 1, next.position(), next.length());
        }
    }
    // The last line whose text start is at or before p. The guess
    // interpolates between the bounds (lines are of similar length), and
    // every other step halves the range, so the search takes O(log n) steps
    // at worst and usually a handful.
    int lo = 0, hi = blocks - 1;
    int tsLo = 0, tsHi = textStartOf(doc, hi);
    if (p >= tsHi)
        lo = hi;
    bool bisect = false;
    while (lo < hi) {
        int mid;
        if (bisect || tsHi <= tsLo) {
            mid = lo + (hi - lo + 1) / 2;
        } else {
            const double f = double(p - tsLo) / double(tsHi - tsLo);
            mid = std::clamp(lo + int(f * (hi - lo)), lo + 1, hi);
        }
        bisect = !bisect;
        const int ts = textStartOf(doc, mid);
        if (ts <= p) {
            lo = mid;
            tsLo = ts;
        } else {
            hi = mid - 1;
            tsHi = textStartOf(doc, hi);
        }
    }
    const QTextBlock blk = doc.findBlockByNumber(lo);
    return remember(p, lo, blk.position(), blk.length());
}

QString slice(const QTextDocument& doc, int start, int count, Locator& locator)
{
    const Place a = locator.locate(doc, start);
    const Place e = locator.locate(doc, start + std::max(count, 0));
    QString t;
    if (e.textStart + e.offset <= a.textStart + a.offset)
        return t;
    for (QTextBlock b = doc.findBlockByNumber(a.number); b.isValid(); b = b.next()) {
        const bool first = b.blockNumber() == a.number;
        const bool last = b.blockNumber() == e.number;
        const QString bt = b.text();
        const int from = first ? std::min(a.offset, int(bt.size())) : 0;
        const int to = last ? std::min(e.offset, int(bt.size())) : int(bt.size());
        if (to > from)
            t += QStringView(bt).mid(from, to - from);
        if (last) {
            if (e.betweenCrLf())
                t += kCr;
            break;
        }
        t += (first && a.betweenCrLf()) ? QStringLiteral("\n") : QStringLiteral("\r\n");
    }
    return t;
}

int find(const QString& text, const QString& what, int start, int end, int options)
{
    if (what.isEmpty())
        return -1;
    const int len = int(text.size());
    if (end < 0 || end > len)
        end = len;
    start = std::max(start, 0);
    const int n = int(what.size());
    if (start + n > end)
        return -1;
    const bool matchCase = options & 4;
    const bool whole = options & 2;
    const QStringView hay = QStringView(text).first(end);
    const std::vector<char32_t> folded = matchCase ? std::vector<char32_t>() : foldedPoints(what);
    qsizetype from = start;
    for (;;) {
        const qsizetype m = matchCase ? hay.indexOf(what, from) : indexOfFolded(hay, folded, n, from);
        if (m < 0)
            return -1;
        if (!whole || (!wordBefore(text, m) && !wordAt(text, m + n)))
            return int(m);
        from = m + 1;
    }
}

QString replaced(const QString& text, const std::vector<int>& starts, int length, const QString& with)
{
    QString out;
    out.reserve(text.size() + qsizetype(starts.size()) * (with.size() - length));
    qsizetype from = 0;
    for (const int s : starts) {
        out += QStringView(text).sliced(from, s - from);
        out += with;
        from = s + length;
    }
    out += QStringView(text).sliced(from);
    return out;
}

int walk(const QString& text, int p, bool forward, const QString& set, bool inSet)
{
    const int len = int(text.size());
    p = std::clamp(p, 0, len);
    if (forward) {
        while (p < len && set.contains(text[p]) == inSet)
            ++p;
    } else {
        while (p > 0 && set.contains(text[p - 1]) == inSet)
            --p;
    }
    return p;
}

} // namespace textpos
