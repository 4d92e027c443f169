// Any bytes as a page searched and replaced over: the first line is what
// is looked for (its first byte picks the options), the rest the page.
// Matches lie inside the text, in order; the replace keeps what lies
// between them.
#include "fuzz_support.h"

#include "sitekit/site_search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const QByteArray all = fuzz::bytes(data + 1, size - 1);
    const qsizetype cut = all.indexOf('\n');
    sitekit::SearchRequest r;
    r.find = QString::fromUtf8(all.left(cut < 0 ? all.size() : cut));
    r.matchCase = data[0] & 1;
    r.wholeWord = data[0] & 2;
    r.regularExpression = data[0] & 4;
    const QString text = QString::fromUtf8(cut < 0 ? QByteArray() : all.mid(cut + 1));
    if (!sitekit::requestProblem(r).isEmpty())
        return 0;
    int end = 0;
    for (const sitekit::Hit& h : sitekit::findInText(text, r)) {
        FUZZ_CHECK(h.start >= end && h.length > 0 && h.start + h.length <= text.size());
        FUZZ_CHECK(h.line >= 1 && h.column >= 1 && h.inLine >= 0 && h.inLine + h.length <= h.lineText.size());
        end = h.start + h.length;
    }
    end = 0;
    for (const sitekit::TextEdit& e : sitekit::replacementEdits(text, r, QStringLiteral("\\1-\n"), u"\r\n")) {
        FUZZ_CHECK(e.start >= end && e.start + e.length <= text.size());
        end = e.start + e.length;
    }
    return 0;
}
