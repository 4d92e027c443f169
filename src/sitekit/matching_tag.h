#pragma once
// The partner of a tag: for the name of a start tag, the name of the end
// tag that closes it, and the other way round, as the HTML parser pairs
// them (so tags in comments, scripts and attribute values are no tags,
// void elements and tags left open have no partner, and a stray end tag
// none either). Positions are indexes into the text as given (QString
// units).

#include <QStringView>

#include <optional>
#include <vector>

namespace sitekit {

struct NameSpan {
    int start = 0;
    int length = 0;
    bool operator==(const NameSpan&) const = default;
};

struct TagPartners {
    NameSpan here;     // the tag name the position is on
    NameSpan partner;  // its partner's name
    bool operator==(const TagPartners&) const = default;
};

// The text read once; each question after that is a binary search.
class TagMap {
public:
    explicit TagMap(QStringView text);
    // A position from just before a tag name's first letter to just after
    // its last is on that name; nullopt when it is on none or the tag has
    // no partner.
    std::optional<TagPartners> at(int position) const;

private:
    std::vector<TagPartners> names_;  // sorted by here.start
};

} // namespace sitekit
