// Planning a publish of a site of 5,000 files (pages and pictures in 50
// folders) after one page changed, with the manifest of the last publish:
// target 0.5 s. Only the changed file is read; the others are known by
// their size and time.

#include "platform/file_system.h"
#include "sitekit/publish_plan.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_PublishPlan(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString site = dir.path() + QStringLiteral("/");
    for (int i = 0; i < 5000; ++i) {
        const QString folder = site + QStringLiteral("Final-Pages/f%1/").arg(i % 50);
        QDir().mkpath(folder);
        const bool page = i % 2 == 0;
        fs::writeBytes(folder + QStringLiteral("file%1.%2").arg(i).arg(page ? QStringLiteral("html") : QStringLiteral("gif")),
                       QByteArray(page ? 4000 : 20000, char('a' + i % 26)));
    }
    sitekit::Manifest last = sitekit::planPublish(site, {}).current;
    const QString changed = site + QStringLiteral("Final-Pages/f0/file0.html");
    for (auto _ : state) {
        state.PauseTiming();
        fs::writeBytes(changed, QByteArray::number(state.iterations()));
        state.ResumeTiming();
        const sitekit::PublishPlan plan = sitekit::planPublish(site, last, {});
        if (plan.send.size() != 1)
            state.SkipWithError("more than the changed file planned");
    }
}
BENCHMARK(BM_PublishPlan)->Unit(benchmark::kMillisecond);

} // namespace
