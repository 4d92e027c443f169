// Filling the editor's tag bars from the site's list files: a 100,000-line
// web-link list, read, sorted and shown.

#include "core/shared_state.h"
#include "platform/file_system.h"
#include "platform/rich_text_box.h"
#include "source/tag_bars.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

static void BM_FillTagBar(benchmark::State& st)
{
    QTemporaryDir dir;
    const QString pages = dir.path() + QStringLiteral("/Working-Pages/");
    fs::makeFolder(pages);
    QStringList urls;
    const int lines = int(st.range(0));
    for (int i = 0; i < lines; ++i) {
        // Not in order, so the web-link bar has sorting to do.
        urls << QStringLiteral("https://www.example%1.org/page%2.html").arg((i * 7919) % lines).arg(i);
    }
    fs::writeLines(pages + QStringLiteral("URL.lst"), urls);
    SharedState& s = state();
    const QString before = s.Working_Pages_Folder;
    s.Working_Pages_Folder = pages;

    QWidget window;
    auto* bars = new TagBars(&window);
    window.resize(900, 200);
    bars->resize(900, bars->sizeHint().height());
    window.show();
    QApplication::processEvents();
    for (auto _ : st) {
        bars->Retrieve_Tag_Lists();
        QApplication::processEvents();
    }
    st.counters["entries"] = double(bars->cbo_Tag[2]->count() - 1);
    s.Working_Pages_Folder = before;
}
BENCHMARK(BM_FillTagBar)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
