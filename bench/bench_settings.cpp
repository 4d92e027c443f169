#include "core/settings_file.h"
#include "core/shared_state.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// One start and one exit's worth of settings work: read the file, write it.
static void BM_SettingsRoundTrip(benchmark::State& st)
{
    QTemporaryDir dir;
    SharedState s;
    s.Program_Folder = dir.path() + QStringLiteral("/");
    s.Working_Folder = QStringLiteral("/home/user/My Sites/Garden Club/");
    Write_Settings_File(s);
    const qint64 bytes = Format_Settings(s).toUtf8().size();
    for (auto _ : st) {
        SharedState t;
        t.Program_Folder = s.Program_Folder;
        benchmark::DoNotOptimize(Read_Settings_File(t));
        benchmark::DoNotOptimize(Write_Settings_File(t));
    }
    st.SetBytesProcessed(st.iterations() * bytes * 2);
}
BENCHMARK(BM_SettingsRoundTrip);
