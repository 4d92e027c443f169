// Any bytes as a page of a site: its links found as a browser would find
// them, each resolved, and a rename's rewrite of them.
#include "fuzz_support.h"

#include "sitekit/link_rewrite.h"
#include "sitekit/site_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    sitekit::SiteFile f;
    f.relative = f.base = QStringLiteral("sub/page.html");
    f.bytes = fuzz::bytes(data, size);
    sitekit::findLinks(f);
    qsizetype last = 0;
    for (const sitekit::Link& l : f.links) {
        // Every link lies inside the page, in order, none overlapping.
        FUZZ_CHECK(l.start >= last && l.length > 0 && l.start + l.length <= f.bytes.size());
        FUZZ_CHECK(l.line >= 1 && l.column >= 1);
        last = l.start + l.length;
        const sitekit::Target t = sitekit::resolve(l.text, f.base);
        FUZZ_CHECK(t == l.target);
        // A file of the site is never above its root.
        FUZZ_CHECK(t.kind != sitekit::Target::Kind::Local || !t.path.startsWith(QLatin1String("..")));
    }

    // Renaming every local target there is rewrites only inside the links:
    // the text read again holds as many links.
    const QString text = QString::fromUtf8(f.bytes);
    for (const sitekit::Link& l : f.links) {
        if (l.target.kind != sitekit::Target::Kind::Local)
            continue;
        const auto edits = sitekit::textEdits(text, f.base, l.target.path, QStringLiteral("sub/new name.html"));
        int end = 0;
        for (const sitekit::TextEdit& e : edits) {
            FUZZ_CHECK(e.start >= end && e.start + e.length <= text.size());
            end = e.start + e.length;
        }
        break;
    }
    return 0;
}
