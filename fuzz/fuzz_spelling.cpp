// Any bytes as a page whose words are spelt, and as a personal word list:
// every word found lies inside the page, for the whole page and for lines in
// view alone.
#include "fuzz_support.h"

#include "sitekit/spelling.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    for (const QString& w : sitekit::readWordList(bytes))
        FUZZ_CHECK(!w.isEmpty() && !w.contains(QLatin1Char('\n')));
    const auto words = sitekit::visibleWords(bytes);
    for (const sitekit::PageWord& w : words)
        FUZZ_CHECK(w.start >= 0 && w.length >= 0 && w.start + w.length <= bytes.size() && !w.word.isEmpty());
    const qsizetype from = bytes.size() / 3, to = 2 * bytes.size() / 3;
    for (const sitekit::PageWord& w : sitekit::visibleWords(bytes, from, to))
        FUZZ_CHECK(w.start >= 0 && w.start + w.length <= bytes.size());
    sitekit::pageLanguage(bytes);
    return 0;
}
