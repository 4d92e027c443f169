// Find in Site over generated sites of 20 MB: 1,000 plain pages searched
// for a literal phrase (target: 50 ms, files read and decoded every time);
// 1,000 coloured RTF sources read, decoded and searched (target: 0.3 s) and
// searched again with their decoded text kept (target: 50 ms; a regular
// expression at most twice that); and the matches of 100 sources (about
// 1,200) replaced, sources and pages written (target: 1 s).

#include "platform/file_system.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"
#include "sitekit/site_search.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kFiles = 1000;

// About 20 KB of page text, with the phrase ten times.
QString pageText(int i)
{
    QString page = QStringLiteral("<!DOCTYPE html>\r\n<html><head><title>Page %1</title></head>\r\n<body>\r\n").arg(i);
    for (int k = 0; page.size() < 20'000; ++k) {
        page += QStringLiteral("<p>Plain words of a hand-built page, the kind of text a small site holds, "
                               "<a href=\"page%1.html\">a link</a> and more words.</p>\r\n")
                    .arg(k);
        if (k % 12 == 0)
            page += QStringLiteral("<p>Call us: 555-1234</p>\r\n");
    }
    return page + QStringLiteral("</body></html>\r\n");
}

rtf::Content coloured(const QString& page)
{
    // Tags in one colour, text in another, as Color Code leaves a page.
    rtf::Content c;
    const QString text = rtf::editorText(page);
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf(u'<', at);
        const qsizetype end = open < 0 ? text.size() : open;
        if (end > at)
            c.append(QStringView(text).mid(at, end - at), 0x000000);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(u'>', open);
        const qsizetype stop = close < 0 ? text.size() : close + 1;
        c.append(QStringView(text).mid(open, stop - open), 0x800000);
        at = stop;
    }
    c.fixIndents();
    return c;
}

struct GeneratedSite {
    QTemporaryDir dir;
    QString root = dir.path() + QStringLiteral("/");
};

const QString& pagesSite()
{
    static GeneratedSite site;
    static const bool made = [] {
        QDir().mkpath(site.root + QStringLiteral("Final-Pages"));
        for (int i = 0; i < kFiles; ++i)
            fs::writeText(site.root + QStringLiteral("Final-Pages/page%1.html").arg(i), pageText(i));
        return true;
    }();
    (void)made;
    return site.root;
}

const QString& sourcesSite()
{
    static GeneratedSite site;
    static const bool made = [] {
        QDir().mkpath(site.root + QStringLiteral("Final-Pages"));
        QDir().mkpath(site.root + QStringLiteral("Working-Pages"));
        for (int i = 0; i < kFiles; ++i)
            fs::writeBytes(site.root + QStringLiteral("Working-Pages/page%1.rtf").arg(i),
                           rtf::write(coloured(pageText(i)), QStringLiteral("Arial"), 10));
        return true;
    }();
    (void)made;
    return site.root;
}

void search(benchmark::State& state, const QString& root, const sitekit::SearchRequest& r, bool keepCache)
{
    const auto files = sitekit::searchFiles(root, {QStringLiteral("html")}, r.where);
    sitekit::SearchCache cache;
    if (keepCache)
        sitekit::searchSite(files, r, cache);
    size_t found = 0;
    for (auto _ : state) {
        if (!keepCache)
            cache.clear();
        found = sitekit::searchSite(files, r, cache).size();
    }
    qint64 bytes = 0;
    for (const sitekit::SearchFile& f : files)
        bytes += fs::size(f.path);
    state.counters["files"] = double(found);
    state.counters["MB"] = double(bytes) / 1e6;
}

const sitekit::SearchRequest kLiteral{QStringLiteral("call us: 555-1234")};

void BM_SiteSearchPages(benchmark::State& state) { search(state, pagesSite(), kLiteral, false); }

// Arg 0: the first search (every file read and decoded); 1: the next one.
void BM_SiteSearch(benchmark::State& state) { search(state, sourcesSite(), kLiteral, state.range(0) == 1); }

void BM_SiteSearchRegex(benchmark::State& state)
{
    search(state, sourcesSite(), {QStringLiteral("555-\\d{4}"), false, false, true}, true);
}

void BM_SiteReplace(benchmark::State& state)
{
    static GeneratedSite site;
    QDir().mkpath(site.root + QStringLiteral("Final-Pages"));
    QDir().mkpath(site.root + QStringLiteral("Working-Pages"));
    const QString backups = site.root + QStringLiteral("backups");
    const sitekit::SearchRequest r{QStringLiteral("555-1234")};
    int matches = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 100; ++i) {
            const QString page = pageText(i);
            fs::writeBytes(site.root + QStringLiteral("Working-Pages/page%1.rtf").arg(i),
                           rtf::write(coloured(page), QStringLiteral("Arial"), 10));
        }
        sitekit::SearchCache cache;
        const auto results = sitekit::searchSite(
            sitekit::searchFiles(site.root, {QStringLiteral("html")}, r.where), r, cache);
        state.ResumeTiming();
        matches = sitekit::replaceInSite(results, r, QStringLiteral("555-9876"), backups).matches;
    }
    state.counters["matches"] = matches;
}

} // namespace

BENCHMARK(BM_SiteSearchPages)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SiteSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SiteSearchRegex)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SiteReplace)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
