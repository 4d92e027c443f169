// Search and replace speed on an editor showing a 1 MB page: Replace All of
// 10,000 matches (with a replacement of the same length and with a longer
// one), and one Find Next that has to cross the whole text. Compare with
// BM_ColorCodeScan, run beside them, for scale.

#include "html_sample.h"

#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "source/search.h"

#include <QApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

const QString& page()
{
    static const QString text = tesk::sample::Sample_Html(1 << 20);
    return text;
}

// An editor the size of a large window, shown, holding the page.
struct ShownEditor {
    RichTextBox box;
    ShownEditor()
    {
        box.resize(900, 700);
        box.show();
        load();
    }
    void load()
    {
        box.setText(page());
        box.setSelStart(0);
        QApplication::processEvents();
    }
};

constexpr int kReplacements = 10000;
const QString kPhrase = QStringLiteral("=\"");  // every attribute value's start

} // namespace

// What "R&eplace All" does: the matches found on the text as it stands, then
// every replacement in one edit block, the caret put back, and the editor
// repainted. The scope is a selection from the top through the 10,000th
// match, with the caret at its start; with caret_at_end the scope is "T&op
// to Cursor" with the caret just after that match, so that showing the
// caret again lays out every changed line before it first. After each run
// one undo must give the page back (undone=1).
static void BM_ReplaceAll(benchmark::State& st)
{
    const QString replacement = st.range(0) == 0 ? QStringLiteral("='") : QStringLiteral("= '");
    const bool caretAtEnd = st.range(1) != 0;
    ShownEditor e;
    int end = -1;
    for (int i = 0; i < kReplacements; ++i)
        end = int(page().indexOf(kPhrase, end + 1));
    size_t replaced = 0;
    bool undone = true;
    for (auto _ : st) {
        st.PauseTiming();
        e.load();
        SearchState s;
        s.Selected_Only = !caretAtEnd;
        s.Selection_End = end + int(kPhrase.size());
        const int c = caretAtEnd ? end + 1 : 0;
        search::Start_Find(s, e.box.TextLength(), c, search::Top_To_Cursor);
        e.box.setSelStart(c);
        QApplication::processEvents();
        st.ResumeTiming();

        const search::Replace_All_Plan plan =
            search::Replace_All(s, e.box.Text(), kPhrase, int(replacement.size()), 0, s.Search_Position);
        e.box.replaceMatches(plan.matches, int(kPhrase.size()), replacement);
        e.box.setSelStart(std::min(c, e.box.TextLength()));
        e.box.repaint();

        st.PauseTiming();
        replaced = plan.matches.size();
        e.box.undo();
        undone = undone && e.box.Text() == page();
        st.ResumeTiming();
    }
    st.counters["replaced"] = double(replaced);
    st.counters["undone"] = undone;
}
BENCHMARK(BM_ReplaceAll)
    ->ArgNames({"longer", "caret_at_end"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// One "&Find Next" that finds nothing until the end of the page, as the
// editor's Find runs it (ignoring case, with Match Case, with Whole Word).
static void BM_FindNext(benchmark::State& st)
{
    const int options = int(st.range(0));
    ShownEditor e;
    const QString absent = QStringLiteral("qzx");
    for (auto _ : st)
        benchmark::DoNotOptimize(e.box.Find(absent, 0, -1, options));
    st.SetBytesProcessed(st.iterations() * page().size() * 2);
}
BENCHMARK(BM_FindNext)->Arg(0)->Arg(4)->Arg(2)->ArgName("options")->Unit(benchmark::kMillisecond);
