// The Colours tool's first show: building its controls, listing a site's
// "Backgrnd" folder of 2,000 pictures into its three pattern lists (names
// only; a pattern is decoded when it is previewed) and painting the window
// with both palettes.

#include "core/shared_state.h"
#include "tags/frm_Colors.h"
#include "ui/forms.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A 1 x 1 GIF: real pictures, in case anything decoded them while listing.
const QByteArray kGif = QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7");

} // namespace

static void BM_ShowColorsTool(benchmark::State& st)
{
    QTemporaryDir dir;
    const QString finalPages = dir.path() + QStringLiteral("/site/Final-Pages/");
    QDir().mkpath(finalPages + QStringLiteral("Backgrnd"));
    for (int i = 0; i < 2000; ++i) {
        QFile f(finalPages + QStringLiteral("Backgrnd/pattern %1.gif").arg(i, 4, 10, QLatin1Char('0')));
        if (f.open(QIODevice::WriteOnly))
            f.write(kGif);
    }
    resetState();
    state().Final_Pages_Folder = finalPages;
    for (auto _ : st) {
        frm_Colors* w = forms::Colors();
        w->resize(760, 480);
        w->show();
        w->repaint();
        w->tb_Select->setCurrentIndex(1);
        w->repaint();
        st.PauseTiming();
        forms::Unload_All();
        QApplication::processEvents();
        st.ResumeTiming();
    }
    resetState();
}
BENCHMARK(BM_ShowColorsTool)->Unit(benchmark::kMillisecond)->UseRealTime();
