#include "source/completion.h"

#include "platform/file_system.h"

#include <algorithm>

namespace completion {

namespace {

using colorcode::kKeep;

// How far back the start of a tag is looked for.
constexpr int kTagReach = 2000;

bool isLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isNameChar(QChar c) { return isLetter(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_' || c == u':'; }

QStringList sortedUnique(QStringList l)
{
    std::sort(l.begin(), l.end());
    l.erase(std::unique(l.begin(), l.end()), l.end());
    return l;
}

QStringList words(QStringView s)
{
    QStringList out;
    for (const QStringView w : s.split(u' ', Qt::SkipEmptyParts))
        if (std::all_of(w.begin(), w.end(), isNameChar))
            out << w.toString();
    return out;
}

qint8 slotAt(const colorcode::LiveColors& text, int p) { return text.slotsOf(p, p + 1).front(); }

} // namespace

QString Html_Names_File_Name() { return QStringLiteral("html_names.txt"); }

HtmlNames Parse_Html_Names(QStringView text)
{
    HtmlNames n;
    for (QStringView line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'&') && line.endsWith(u';') && line.size() > 2) {
            const QStringView name = line.mid(1, line.size() - 2);
            if (std::all_of(name.begin(), name.end(), [](QChar c) { return isLetter(c) || c.isDigit(); }))
                n.entities << name.toString();
            continue;
        }
        const qsizetype close = line.indexOf(u'>');
        if (!line.startsWith(u'<') || close < 2)
            continue;
        const QString name = line.mid(1, close - 1).toString().toLower();
        const QStringList attributes = words(line.mid(close + 1).toString().toLower());
        if (name == u"*") {
            n.globals << attributes;
        } else if (isLetter(name[0]) && std::all_of(name.begin(), name.end(), isNameChar)) {
            n.elements << name;
            n.attributes[name] << attributes;
        }
    }
    n.elements = sortedUnique(n.elements);
    n.globals = sortedUnique(n.globals);
    n.entities = sortedUnique(n.entities);
    for (QStringList& l : n.attributes)
        l = sortedUnique(l);
    return n;
}

HtmlNames Read_Html_Names(const QString& path)
{
    QString text;
    if (!fs::fileExists(path) || fs::readText(path, text) != fs::Result::Ok)
        return {};
    return Parse_Html_Names(text);
}

Context Context_At(const colorcode::LiveColors& text, int caret)
{
    if (caret <= 0 || caret > text.length())
        return {};
    const int from = std::max(0, caret - kTagReach);
    const QString s = text.textOf(from, caret);
    int i = int(s.size());
    while (i > 0 && isNameChar(s[i - 1]))
        --i;
    if (i == 0)
        return {};
    Context c;
    c.start = from + i;
    c.typed = s.mid(i);
    const QChar before = s[i - 1];
    const qint8 slot = slotAt(text, from + i - 1);
    // A "<" or "&" the scan has not yet closed has no colour of its own; in
    // a script body, a comment or a value it has the colour of those.
    const bool markup = slot == colorcode::TagSlot || slot == kKeep;
    if (before == u'<' && markup && (c.typed.isEmpty() || isLetter(c.typed[0]))) {
        c.kind = Kind::Element;
        return c;
    }
    if (before == u'&' && markup) {
        c.kind = Kind::Entity;
        return c;
    }
    if (!before.isSpace())
        return {};
    // Inside a start tag: its "<" comes before any ">", with the quotes
    // between them paired. A tag the scan has closed colours its blanks as
    // attributes; one that no ">" closes at all is left uncoloured, and
    // what follows it taken for text.
    const int lt = int(s.lastIndexOf(u'<', i - 1));
    if (lt < 0 || s.lastIndexOf(u'>', i - 1) > lt || s.mid(lt, i - lt).count(u'"') % 2 != 0)
        return {};
    const qint8 tagSlot = slotAt(text, from + lt);
    if (!(tagSlot == colorcode::TagSlot && slot == colorcode::AttributeSlot) && tagSlot != kKeep)
        return {};
    int e = lt + 1;
    while (e < i && isNameChar(s[e]))
        ++e;
    if (e == lt + 1 || !isLetter(s[lt + 1]) || !s[e].isSpace())
        return {};
    c.kind = Kind::Attribute;
    c.element = s.mid(lt + 1, e - lt - 1).toLower();
    return c;
}

QStringList Names_For(const HtmlNames& names, const Context& context)
{
    QStringList all;
    switch (context.kind) {
    case Kind::None: return {};
    case Kind::Element: all = names.elements; break;
    case Kind::Entity: all = names.entities; break;
    case Kind::Attribute:
        all = sortedUnique(names.attributes.value(context.element) + names.globals);
        break;
    }
    if (context.typed.isEmpty())
        return all;
    QStringList out;
    for (const QString& n : std::as_const(all))
        if (n.startsWith(context.typed, Qt::CaseInsensitive))
            out << n;
    return out;
}

Insertion Accepted(const Context& context, const QString& name)
{
    switch (context.kind) {
    case Kind::Attribute: return {name + QStringLiteral("=\"\""), 1};
    case Kind::Entity: return {name + u';', 0};
    default: return {name, 0};
    }
}

} // namespace completion
