#include "print/pagination.h"

#include <algorithm>
#include <cmath>

namespace pagination {

namespace {

int placeOf(int code)
{
    return code >= 0 && code <= 4 ? code : No_Place;
}

bool isBreakAfter(char32_t c)
{
    return c == U' ' || c == U'>' || c == U'\t';
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool onlyBlanks(QStringView text, int start, int end)
{
    for (int i = start; i < end; ++i)
        if (!isBlank(text[i]))
            return false;
    return true;
}

} // namespace

HeadFootText Build_Head_Foot(const HeadFootItems& items, int page, int total)
{
    HeadFootText t;
    const QLatin1Char blank(' ');
    t[placeOf(items.Filename_Pos)] += items.fileName + blank;
    t[placeOf(items.Path_Name_Pos)] += items.path + blank;
    t[placeOf(items.Page_Number_Pos)] += QStringLiteral("page %1 of %2 ").arg(page).arg(total);
    t[placeOf(items.Date_Revised_Pos)] += items.revDate;
    return t;
}

bool Has_Header(const HeadFootText& t)
{
    return !t[Head_Left].isEmpty() || !t[Head_Right].isEmpty();
}

bool Has_Footer(const HeadFootText& t)
{
    return !t[Foot_Left].isEmpty() || !t[Foot_Right].isEmpty();
}

Corner_Widths Head_Foot_Widths(double left, double right, double lineWidth, double gap)
{
    lineWidth = std::max(lineWidth, 0.0);
    left = std::max(left, 0.0);
    right = std::max(right, 0.0);
    if (left == 0 || right == 0)
        return {std::min(left, lineWidth), std::min(right, lineWidth)};
    const double room = std::max(lineWidth - std::max(gap, 0.0), 0.0);
    if (left + right <= room)
        return {left, right};
    const double half = room / 2;
    if (left <= half)
        return {left, room - left};
    if (right <= half)
        return {room - right, right};
    return {half, half};
}

QString Rev_Date_Text(const QString& dateTimeText)
{
    const qsizetype blank = dateTimeText.indexOf(QLatin1Char(' '));
    if (blank < 1)
        return QString();
    return QStringLiteral("(rev. ") + dateTimeText.left(blank) + QLatin1Char(')');
}

PageMetrics Page_Metrics(QSize paper, QMargins margins, int fontPoints, double fontLineSpacing, bool header,
                         bool footer)
{
    PageMetrics m;
    const int nominal = (std::max(fontPoints, 1) + 2) * 20;
    m.lineHeight = std::max(nominal, int(std::ceil(fontLineSpacing)));
    m.printWidth = paper.width() - margins.left() - margins.right();
    m.textHeight = paper.height() - margins.top() - margins.bottom();
    // Halves go to the even number.
    int lines = int(std::lrint(double(m.textHeight) / m.lineHeight));
    if (header)
        lines -= 2;
    if (footer)
        lines -= 6;
    m.linesPerPage = std::max(lines, 1);
    m.footerY = m.textHeight - m.lineHeight;
    m.bodyTop = header ? 2 * m.lineHeight : 0;
    return m;
}

// ---- character widths ----------------------------------------------------

CharWidths::CharWidths(std::function<double(char32_t)> measure)
    : measure_(std::move(measure)), table_(kTable, -1.0f)
{
}

double CharWidths::other(char32_t c)
{
    for (const auto& [ch, w] : others_)
        if (ch == c)
            return w;
    const double w = measure_(c);
    others_.emplace_back(c, w);
    return w;
}

// ---- pages ---------------------------------------------------------------------

int Pages::pageStart(int page) const
{
    if (page < 1 || page > count())
        return 0;
    return lines[size_t(firstLine[size_t(page - 1)])].start;
}

int Pages::pageEnd(int page) const
{
    if (page < 1 || page > count())
        return 0;
    return lines[size_t(firstLine[size_t(page)] - 1)].end;
}

namespace {

class Paginator {
public:
    Paginator(QStringView text, const Layout& layout, CharWidths& widths)
        : text_(text), layout_(layout), widths_(widths), linesPerPage_(std::max(layout.linesPerPage, 1))
    {
    }

    // Breaks characters [start, end) of one line of the text into printed
    // lines.
    void wrap(int start, int end, int indent)
    {
        if (start == end) {
            add(start, end, indent);
            return;
        }
        const double avail = layout_.printWidth - indent;
        int lineStart = start;
        while (lineStart < end) {
            double width = 0;
            int lastBreak = -1;
            int lineEnd = end;
            int i = lineStart;
            while (i < end) {
                const QChar ch = text_[i];
                char32_t c = ch.unicode();
                int len = 1;
                if (ch.isHighSurrogate() && i + 1 < end && text_[i + 1].isLowSurrogate()) {
                    c = QChar::surrogateToUcs4(ch, text_[i + 1]);
                    len = 2;
                }
                const double w = c == U'\t' ? double(layout_.tabWidth) : widths_(c);
                if (width + w > avail && i > lineStart) {
                    if (c == U' ' || c == U'\t')
                        lineEnd = i + len;  // an overrunning blank prints as nothing
                    else if (lastBreak > lineStart)
                        lineEnd = lastBreak;
                    else
                        lineEnd = cutByAverage(lineStart, i, i + len, width + w, avail);
                    break;
                }
                width += w;
                i += len;
                if (isBreakAfter(c))
                    lastBreak = i;
            }
            add(lineStart, lineEnd, indent);
            lineStart = lineEnd;
        }
    }

    // The page ends here (a page-break tag, or the end of the text).
    void closePage()
    {
        if (pageLines_ == 0)
            return;
        if (pageHasText_)
            pages_.firstLine.push_back(int(pages_.lines.size()));
        else
            pages_.lines.resize(size_t(pages_.firstLine.back()));
        pageLines_ = 0;
        pageHasText_ = false;
    }

    Pages take() { return std::move(pages_); }

private:
    // A line without a place to break: as many characters as the average
    // width of the line's characters, widened by a tenth, lets fit; at least
    // one, and never more than those before the one that overran.
    int cutByAverage(int lineStart, int overrun, int through, double width, double avail) const
    {
        const int count = through - lineStart;
        double average = std::round(width / 0.9 / count);
        if (average < 1)
            average = 1;
        const double fit = std::floor(avail / average);
        int k = fit < 1 ? 1 : fit > count ? count : int(fit);
        k = std::min(k, overrun - lineStart);
        int end = lineStart + k;
        if (end < overrun && text_[end].isLowSurrogate())
            ++end;
        return end;
    }

    void add(int start, int end, int indent)
    {
        if (pageLines_ >= linesPerPage_)
            closePage();
        pages_.lines.push_back({start, end, indent});
        ++pageLines_;
        if (!pageHasText_)
            pageHasText_ = !onlyBlanks(text_, start, end);
    }

    QStringView text_;
    const Layout& layout_;
    CharWidths& widths_;
    const int linesPerPage_;
    Pages pages_;
    int pageLines_ = 0;
    bool pageHasText_ = false;
};

} // namespace

Pages Paginate(QStringView text, const std::vector<int>& indents, const Layout& layout, CharWidths& widths,
               const std::function<bool(int)>& progress)
{
    Paginator p(text, layout, widths);
    const int n = int(text.size());
    const int tagLength = int(layout.breakTag.size());
    int nextTag = tagLength > 0 ? int(text.indexOf(layout.breakTag)) : -1;
    int pos = 0;
    size_t line = 0;
    int reported = 0;
    for (;;) {
        int eol = int(text.indexOf(QLatin1Char('\n'), pos));
        if (eol < 0)
            eol = n;
        const int indent = line < indents.size() ? indents[line] : 0;
        int segment = pos;
        bool tagged = false;
        while (nextTag >= 0 && nextTag < eol) {
            if (!onlyBlanks(text, segment, nextTag))
                p.wrap(segment, nextTag, indent);
            p.closePage();
            tagged = true;
            segment = nextTag + tagLength;
            nextTag = int(text.indexOf(layout.breakTag, segment));
        }
        if (!tagged || !onlyBlanks(text, segment, eol))
            p.wrap(segment, eol, indent);
        if (eol >= n)
            break;
        pos = eol + 1;
        ++line;
        if (progress && (line & 1023) == 0) {
            const int percent = int(qint64(pos) * 100 / n);
            if (percent != reported) {
                reported = percent;
                if (!progress(percent))
                    return Pages();
            }
        }
    }
    p.closePage();
    return p.take();
}

double Preview_Scale(QSize area, QSize paper)
{
    if (paper.width() <= 0 || paper.height() <= 0)
        return 1.0;
    const double scale = std::min({1.0, double(area.width()) / paper.width(), double(area.height()) / paper.height()});
    return std::max(scale, 0.05);
}

int List_Names_Per_Page(int textHeight, int lineHeight)
{
    const int lines = int(std::lrint(double(textHeight) / std::max(lineHeight, 1) - 2));
    return std::max(lines - 1, 1);
}

QStringList Wrap_Name(QStringView name, double width, double indent, CharWidths& widths)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < name.size()) {
        const double room = lines.isEmpty() ? width : width - indent;
        double x = 0;
        qsizetype end = start;  // the characters [start, end) fit
        qsizetype lastBreak = -1;  // the line may end after this character
        while (end < name.size()) {
            const QChar c = name[end];
            qsizetype n = 1;
            char32_t code = c.unicode();
            if (c.isHighSurrogate() && end + 1 < name.size() && name[end + 1].isLowSurrogate()) {
                code = QChar::surrogateToUcs4(c, name[end + 1]);
                n = 2;
            }
            const double w = widths(code);
            if (x + w > room && end > start)
                break;
            x += w;
            end += n;
            if (c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.')
                || c == QLatin1Char('/'))
                lastBreak = end;
        }
        if (end < name.size() && lastBreak > start)
            end = lastBreak;
        lines << name.mid(start, end - start).toString();
        start = end;
    }
    return lines;
}

int Clamp_Number(const QString& typed, int low, int high)
{
    high = std::max(high, low);
    const QString t = typed.trimmed();
    if (t.isEmpty())
        return low;
    for (const QChar c : t)
        if (!c.isDigit() || c.unicode() > 0x7F)
            return low;
    if (t.size() > 9)
        return high;
    return std::clamp(t.toInt(), low, high);
}

} // namespace pagination
