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

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

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
    const Qt::CaseSensitivity cs = (options & 4) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool whole = options & 2;
    const QStringView hay = QStringView(text).first(end);
    qsizetype from = start;
    for (;;) {
        const qsizetype m = hay.indexOf(what, from, cs);
        if (m < 0)
            return -1;
        if (!whole || ((m == 0 || !isWordChar(text[m - 1])) && (m + n >= len || !isWordChar(text[m + n]))))
            return int(m);
        from = m + 1;
    }
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
