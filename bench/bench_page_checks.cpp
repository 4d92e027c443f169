// Checking a page: Tidy over the 1 MB benchmark page (target 0.5 s), every
// word of it spelt (0.5 s, a fresh speller: no word known yet), and the 60
// lines in view of it, as the editor checks them while the user types (5 ms).

#include "html_sample.h"
#include "sitekit/page_check.h"
#include "sitekit/spelling.h"

#include <benchmark/benchmark.h>

namespace {

const QByteArray& page()
{
    static const QByteArray p = tesk::sample::Sample_Html(1024 * 1024).toUtf8();
    return p;
}

void BM_TidyCheck(benchmark::State& st)
{
    for (auto _ : st)
        benchmark::DoNotOptimize(sitekit::checkMarkup(page()));
}
BENCHMARK(BM_TidyCheck)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SpellPage(benchmark::State& st)
{
    for (auto _ : st) {
        st.PauseTiming();
        auto speller = std::make_unique<sitekit::Speller>(QStringLiteral("en_US"), QString());
        st.ResumeTiming();
        benchmark::DoNotOptimize(speller->check(page(), false));
    }
    st.counters["words"] = double(sitekit::visibleWords(page()).size());
}
BENCHMARK(BM_SpellPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SpellVisible(benchmark::State& st)
{
    // 60 lines from the middle of the page.
    const QByteArray& p = page();
    qsizetype from = p.indexOf('\n', p.size() / 2) + 1;
    qsizetype to = from;
    for (int line = 0; line < 60; ++line)
        to = p.indexOf('\n', to) + 1;
    sitekit::Speller speller(QStringLiteral("en_US"), QString());
    for (auto _ : st)
        benchmark::DoNotOptimize(speller.check(p, false, from, to));
}
BENCHMARK(BM_SpellVisible)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
