// Any bytes as a page in the editor: every partner found lies inside the
// text, is a name of the same letters, and names its own partner back.
#include "fuzz_support.h"

#include "sitekit/matching_tag.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));
    const sitekit::TagMap map(text);
    for (int p = 0; p <= text.size(); ++p) {
        const std::optional<sitekit::TagPartners> t = map.at(p);
        if (!t)
            continue;
        const sitekit::NameSpan a = t->here, b = t->partner;
        FUZZ_CHECK(a.start <= p && p <= a.start + a.length);
        FUZZ_CHECK(a.length > 0 && b.start >= 0 && b.start + b.length <= text.size());
        FUZZ_CHECK(text.mid(a.start, a.length).compare(text.mid(b.start, b.length), Qt::CaseInsensitive) == 0);
        const std::optional<sitekit::TagPartners> back = map.at(b.start);
        FUZZ_CHECK(back && back->partner == a);
    }
    return 0;
}
