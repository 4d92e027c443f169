#include "sitekit/matching_tag.h"

#include "sitekit/html_parser.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace sitekit {

namespace {

// The name of the tag that begins at `at` ("<name" or "</name"), in bytes.
std::pair<qsizetype, qsizetype> nameBytes(const QByteArray& bytes, qsizetype at)
{
    qsizetype from = at + 1;
    if (from < bytes.size() && bytes[from] == '/')
        ++from;
    qsizetype to = from;
    while (to < bytes.size()) {
        const char c = bytes[to];
        if (c == '>' || c == '/' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f')
            break;
        ++to;
    }
    return {from, to};
}

// Byte offsets (ascending) to QString indexes, in one pass over the bytes.
void toTextIndexes(const QByteArray& bytes, std::vector<qsizetype*>& offsets)
{
    std::sort(offsets.begin(), offsets.end(), [](const qsizetype* a, const qsizetype* b) { return *a < *b; });
    qsizetype byte = 0, unit = 0;
    for (qsizetype* o : offsets) {
        while (byte < *o && byte < bytes.size()) {
            const auto c = static_cast<unsigned char>(bytes[byte]);
            // A lead byte starts a character; four-byte ones take two units.
            if ((c & 0xC0) != 0x80)
                unit += c >= 0xF0 ? 2 : 1;
            ++byte;
        }
        *o = unit;
    }
}

} // namespace

TagMap::TagMap(QStringView text)
{
    const QByteArray bytes = text.toUtf8();
    const html::Document doc = html::parse(bytes);
    // Each pair as the byte ends of both names, turned into text indexes
    // together.
    struct Pair {
        qsizetype s0, s1, e0, e1;
    };
    std::vector<Pair> pairs;
    // The tree builder may close two elements with one end tag: it belongs
    // to the first of them only.
    std::unordered_set<qsizetype> endsTaken;
    for (const html::Element& e : doc.elements) {
        if (e.endAt < 0 || e.endAt <= e.at || endsTaken.contains(e.endAt))
            continue;
        const auto [s0, s1] = nameBytes(bytes, e.at);
        const auto [e0, e1] = nameBytes(bytes, e.endAt);
        // A start tag the parser made up from other text, or a name that
        // is not the same on both sides, is no pair a reader would see.
        if (s1 == s0 || bytes.mid(s0, s1 - s0).toLower() != bytes.mid(e0, e1 - e0).toLower())
            continue;
        endsTaken.insert(e.endAt);
        pairs.push_back({s0, s1, e0, e1});
    }
    std::vector<qsizetype*> offsets;
    offsets.reserve(pairs.size() * 4);
    for (Pair& p : pairs)
        for (qsizetype* o : {&p.s0, &p.s1, &p.e0, &p.e1})
            offsets.push_back(o);
    toTextIndexes(bytes, offsets);
    names_.reserve(pairs.size() * 2);
    for (const Pair& p : pairs) {
        const NameSpan start{int(p.s0), int(p.s1 - p.s0)};
        const NameSpan end{int(p.e0), int(p.e1 - p.e0)};
        names_.push_back({start, end});
        names_.push_back({end, start});
    }
    std::sort(names_.begin(), names_.end(),
              [](const TagPartners& a, const TagPartners& b) { return a.here.start < b.here.start; });
}

std::optional<TagPartners> TagMap::at(int position) const
{
    auto it = std::upper_bound(names_.begin(), names_.end(), position,
                               [](int p, const TagPartners& t) { return p < t.here.start; });
    if (it == names_.begin())
        return std::nullopt;
    --it;
    if (position > it->here.start + it->here.length)
        return std::nullopt;
    return *it;
}

} // namespace sitekit
