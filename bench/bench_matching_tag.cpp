// The matching tag on the 1 MB page: the caret rests on a tag name in the
// middle. BM_MatchTag is the work after the text changed (the page read,
// then the partner found), which the editor does on another thread;
// BM_MatchTagMove what the editor's own thread does for a caret move.

#include "html_sample.h"
#include "sitekit/matching_tag.h"

#include <benchmark/benchmark.h>

namespace {

const QString& page()
{
    static const QString text = tesk::sample::Sample_Html(1 << 20);
    return text;
}

// The first start tag name with a partner from the middle on.
int middleTagName(const sitekit::TagMap& map)
{
    for (int p = int(page().size() / 2); p < page().size(); ++p)
        if (page()[p] == u'<' && map.at(p + 1))
            return p + 1;
    return 0;
}

void BM_MatchTag(benchmark::State& state)
{
    const int caret = middleTagName(sitekit::TagMap(page()));
    for (auto _ : state) {
        const sitekit::TagMap map(page());
        benchmark::DoNotOptimize(map.at(caret));
    }
}
BENCHMARK(BM_MatchTag)->Unit(benchmark::kMillisecond);

void BM_MatchTagMove(benchmark::State& state)
{
    const sitekit::TagMap map(page());
    const int caret = middleTagName(map);
    for (auto _ : state)
        benchmark::DoNotOptimize(map.at(caret));
}
BENCHMARK(BM_MatchTagMove)->Unit(benchmark::kMicrosecond);

} // namespace
