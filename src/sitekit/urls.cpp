#include "sitekit/urls.h"

#include <QByteArray>
#include <QUrl>

namespace sitekit {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool isSpace(QChar c) { return c.unicode() < 128 && isSpace(char(c.unicode())); }

bool startsWithNoCase(QByteArrayView text, qsizetype at, const char* word)
{
    for (qsizetype i = 0; word[i]; ++i)
        if (at + i >= text.size() || (text[at + i] | 0x20) != word[i])
            return false;
    return true;
}

Span trimmed(QByteArrayView text, qsizetype start, qsizetype end)
{
    while (start < end && isSpace(text[start]))
        ++start;
    while (end > start && isSpace(text[end - 1]))
        --end;
    return {start, end - start};
}

} // namespace

std::vector<Span> srcsetUrls(QByteArrayView v)
{
    // The candidate rules of the HTML standard: an address runs to the next
    // blank; commas at its end belong to the list, not to it; descriptors
    // run to a comma outside parentheses.
    std::vector<Span> out;
    qsizetype i = 0;
    const qsizetype n = v.size();
    while (i < n) {
        while (i < n && (isSpace(v[i]) || v[i] == ','))
            ++i;
        if (i >= n)
            break;
        const qsizetype start = i;
        while (i < n && !isSpace(v[i]))
            ++i;
        qsizetype end = i;
        bool listComma = false;
        while (end > start && v[end - 1] == ',') {
            --end;
            listComma = true;
        }
        if (end > start)
            out.push_back({start, end - start});
        if (listComma)
            continue;
        int depth = 0;
        while (i < n) {
            if (v[i] == '(')
                ++depth;
            else if (v[i] == ')' && depth > 0)
                --depth;
            else if (v[i] == ',' && depth == 0)
                break;
            ++i;
        }
    }
    return out;
}

std::vector<Span> cssUrls(QByteArrayView css)
{
    std::vector<Span> out;
    const qsizetype n = css.size();
    auto quoted = [&](qsizetype& i) -> Span {
        const char q = css[i++];
        const qsizetype start = i;
        while (i < n && css[i] != q && css[i] != '\n') {
            if (css[i] == '\\' && i + 1 < n)
                ++i;
            ++i;
        }
        const Span s{start, i - start};
        if (i < n)
            ++i;
        return s;
    };
    qsizetype i = 0;
    // After "url(" or "@import": blanks, then a quoted address is taken
    // (true) or there is none.
    auto quotedAfterSpace = [&] {
        while (i < n && isSpace(css[i]))
            ++i;
        if (i >= n || (css[i] != '"' && css[i] != '\''))
            return false;
        const Span s = quoted(i);
        if (s.length > 0)
            out.push_back(s);
        return true;
    };
    while (i < n) {
        const char c = css[i];
        if (c == '/' && i + 1 < n && css[i + 1] == '*') {
            const qsizetype close = QByteArrayView(css.data() + i + 2, n - i - 2).indexOf("*/");
            i = close < 0 ? n : i + 2 + close + 2;
        } else if (c == '"' || c == '\'') {
            quoted(i);
        } else if (startsWithNoCase(css, i, "url(")
                   && (i == 0 || !(QChar::fromLatin1(css[i - 1]).isLetterOrNumber() || css[i - 1] == '-'
                                   || css[i - 1] == '_'))) {
            i += 4;
            if (!quotedAfterSpace()) {
                const qsizetype start = i;
                while (i < n && css[i] != ')' && css[i] != '\n')
                    ++i;
                const Span s = trimmed(css, start, i);
                if (s.length > 0)
                    out.push_back(s);
            }
        } else if (c == '@' && startsWithNoCase(css, i + 1, "import")) {
            i += 7;
            quotedAfterSpace();
        } else {
            ++i;
        }
    }
    return out;
}

std::optional<Span> refreshUrl(QByteArrayView c)
{
    // "5; url=page.html", "0;URL='page.html'", "3, page.html": the delay,
    // a separator, an optional "url=", an optional quote.
    const qsizetype n = c.size();
    qsizetype i = 0;
    while (i < n && isSpace(c[i]))
        ++i;
    while (i < n && ((c[i] >= '0' && c[i] <= '9') || c[i] == '.'))
        ++i;
    while (i < n && isSpace(c[i]))
        ++i;
    if (i < n && (c[i] == ';' || c[i] == ','))
        ++i;
    while (i < n && isSpace(c[i]))
        ++i;
    if (startsWithNoCase(c, i, "url")) {
        qsizetype j = i + 3;
        while (j < n && isSpace(c[j]))
            ++j;
        if (j < n && c[j] == '=') {
            i = j + 1;
            while (i < n && isSpace(c[i]))
                ++i;
        }
    }
    qsizetype end = n;
    if (i < n && (c[i] == '"' || c[i] == '\'')) {
        const char q = c[i++];
        const qsizetype close = QByteArrayView(c.data() + i, n - i).indexOf(q);
        if (close >= 0)
            end = i + close;
    }
    const Span s = trimmed(c, i, end);
    if (s.length == 0)
        return std::nullopt;
    return s;
}

QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

namespace {

QString decodePercent(QStringView text)
{
    if (!text.contains(QLatin1Char('%')))
        return text.toString();
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8()));
}

// The scheme of an address ("http"), or "" when it has none. One letter
// before the colon is a Windows drive.
QString schemeOf(QStringView link)
{
    for (qsizetype i = 0; i < link.size(); ++i) {
        const QChar c = link[i];
        if (c == QLatin1Char(':'))
            return i > 1 ? link.left(i).toString().toLower() : QString();
        const bool ok = (c.unicode() < 128 && c.isLetter()) || (i > 0 && (c.isDigit() || c == QLatin1Char('+')
                                                                          || c == QLatin1Char('-') || c == QLatin1Char('.')));
        if (!ok)
            return {};
    }
    return {};
}

} // namespace

Target resolve(const QString& rawLink, const QString& filePath)
{
    Target t;
    qsizetype from = 0, to = rawLink.size();
    while (from < to && isSpace(rawLink[from]))
        ++from;
    while (to > from && isSpace(rawLink[to - 1]))
        --to;
    QString link = rawLink.mid(from, to - from);
    if (link.isEmpty())
        return t;

    const QString scheme = schemeOf(link);
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto")
        || link.startsWith(QLatin1String("//"))) {
        t.kind = Target::Kind::External;
        t.path = link;
        return t;
    }
    if (scheme == QLatin1String("file")) {
        t.kind = Target::Kind::Leaves;
        t.path = link;
        return t;
    }
    if (!scheme.isEmpty() || (link.size() > 1 && link[1] == QLatin1Char(':'))) {
        // Another scheme, or a drive letter: nothing on the site to look for.
        t.kind = link[1] == QLatin1Char(':') ? Target::Kind::Leaves : Target::Kind::Other;
        t.path = link;
        return t;
    }

    const qsizetype hash = link.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        t.hasFragment = true;
        t.fragment = decodePercent(QStringView(link).mid(hash + 1));
        link.truncate(hash);
    }
    const qsizetype question = link.indexOf(QLatin1Char('?'));
    if (question >= 0) {
        t.query = link.mid(question + 1);
        link.truncate(question);
    }
    // Old hand-made sites write Windows paths; browsers read them as '/'.
    link.replace(QLatin1Char('\\'), QLatin1Char('/'));
    t.kind = Target::Kind::Local;
    if (link.isEmpty()) {
        t.path = filePath;
        return t;
    }
    QStringList parts;
    if (!link.startsWith(QLatin1Char('/')))
        parts = folderOf(filePath).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QStringList steps = link.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QString step = decodePercent(steps[i]);
        if (step.isEmpty() || step == QLatin1String("."))
            continue;
        if (step == QLatin1String("..")) {
            if (parts.isEmpty()) {
                t.kind = Target::Kind::Leaves;
                t.path = rawLink.mid(from, to - from);
                return t;
            }
            parts.removeLast();
            continue;
        }
        parts << step;
    }
    t.path = parts.join(QLatin1Char('/'));
    const QString last = steps.last();
    if (!t.path.isEmpty() && (last.isEmpty() || last == QLatin1String(".") || last == QLatin1String("..")))
        t.path += QLatin1Char('/');
    else if (t.path.isEmpty())
        t.path = QString();  // the root itself: its home page
    return t;
}

NamePart namePart(QStringView link)
{
    qsizetype end = link.size();
    for (qsizetype i = 0; i < link.size(); ++i)
        if (link[i] == QLatin1Char('?') || link[i] == QLatin1Char('#')) {
            end = i;
            break;
        }
    qsizetype start = end;
    while (start > 0 && link[start - 1] != QLatin1Char('/') && link[start - 1] != QLatin1Char('\\'))
        --start;
    NamePart p{start, end - start, false};
    p.encoded = link.mid(start, end - start).contains(QLatin1Char('%'));
    return p;
}

QString writeName(const QString& name, bool encoded)
{
    if (encoded)
        return QString::fromLatin1(QUrl::toPercentEncoding(name, "!$&'()*+,;=:@~"));
    QString out;
    for (const QChar c : name) {
        if (c == QLatin1Char('%') || c == QLatin1Char('#') || c == QLatin1Char('?'))
            out += QString::fromLatin1(QUrl::toPercentEncoding(QString(c)));
        else
            out += c;
    }
    return out;
}

} // namespace sitekit
