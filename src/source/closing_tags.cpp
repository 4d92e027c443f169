#include "source/closing_tags.h"

#include <algorithm>
#include <vector>

namespace closetags {

namespace {

using colorcode::TagSlot;

// A start tag is looked for this far back from its ">", and its end tag
// this far ahead: the search costs a keystroke, not the page.
constexpr int kTagReach = 2000;
constexpr int kEndTagReach = 16 * 1024;

bool isNameStart(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isNameChar(QChar c) { return isNameStart(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u':' || c == u'_'; }

// A tag of the text: `<name ...>` or `</name>`.
struct Tag {
    QString name;  // in lower case; empty when not an element's tag
    bool end = false;
    bool selfClosed = false;
};

// The tag whose "<" is at lt and whose ">" at gt, within `s` (which starts
// at text position `base`).
Tag tagAt(QStringView s, int lt, int gt)
{
    Tag t;
    int i = lt + 1;
    if (i < gt && s[i] == u'/')
        t.end = true, ++i;
    if (i >= gt || !isNameStart(s[i]))
        return t;
    const int from = i;
    while (i < gt && isNameChar(s[i]))
        ++i;
    if (i < gt && !s[i].isSpace() && s[i] != u'/')
        return t;  // "<a$b>" names no element
    t.name = s.mid(from, i - from).toString().toLower();
    t.selfClosed = gt > lt + 1 && s[gt - 1] == u'/';
    return t;
}

// Whether the end tag of `name` follows `from` before an end tag that
// closes an element opened before it.
bool endTagFollows(const colorcode::LiveColors& text, int from, const QString& name)
{
    const int to = std::min(text.length(), from + kEndTagReach);
    const QString s = text.textOf(from, to);
    std::vector<QString> open;  // elements opened after `from`
    for (int lt = int(s.indexOf(u'<')); lt >= 0; lt = int(s.indexOf(u'<', lt + 1))) {
        const int gt = int(s.indexOf(u'>', lt + 1));
        if (gt < 0)
            break;
        if (text.slotsOf(from + lt, from + lt + 1).front() != TagSlot)
            continue;  // in a comment, a script, a value
        const Tag t = tagAt(s, lt, gt);
        if (t.name.isEmpty())
            continue;
        if (!t.end) {
            if (!t.selfClosed && !Is_Void_Element(t.name))
                open.push_back(t.name);
            continue;
        }
        const auto it = std::find(open.rbegin(), open.rend(), t.name);
        if (it != open.rend()) {
            open.erase(std::prev(it.base()), open.end());
            continue;
        }
        return t.name == name;
    }
    return false;
}

} // namespace

bool Is_Void_Element(QStringView name)
{
    static const char* const kVoid[] = {"area",  "base",   "br",    "col",    "embed",   "hr",
                                        "img",   "input",  "link",  "meta",   "source",  "track",
                                        "wbr",   "param",  "keygen", "basefont", "frame", "isindex"};
    for (const char* v : kVoid)
        if (name.compare(QLatin1StringView(v), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString Closing_Tag(const colorcode::LiveColors& text, int gt)
{
    if (gt <= 0 || gt >= text.length() || !text.sameText(gt, u">")
        || text.slotsOf(gt, gt + 1).front() != TagSlot)
        return {};
    const int from = std::max(0, gt - kTagReach);
    const QString s = text.textOf(from, gt + 1);
    const int g = gt - from;
    const int lt = int(s.lastIndexOf(u'<', g));
    if (lt < 0 || s.lastIndexOf(u'>', g - 1) > lt)
        return {};
    // An odd quote leaves the ">" inside a value the scan has not closed.
    if (s.mid(lt, g - lt).count(u'"') % 2 != 0)
        return {};
    const Tag t = tagAt(s, lt, g);
    if (t.name.isEmpty() || t.end || t.selfClosed || Is_Void_Element(t.name))
        return {};
    if (endTagFollows(text, gt + 1, t.name))
        return {};
    // As the user wrote the name (a page in capitals stays in capitals).
    const int nameAt = lt + 1;
    return QStringLiteral("</") + s.mid(nameAt, t.name.size()) + u'>';
}

} // namespace closetags
