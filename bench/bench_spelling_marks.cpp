// Spelling while typing on the 1 MB page: what a keystroke pays for it (a
// timer's restart: the check runs once typing rests), and the check that
// then runs at once, the text taken and the lines in view spelt.

#include "html_sample.h"
#include "platform/rich_text_box.h"
#include "source/spelling_marks.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

struct SpellingOnPage {
    SpellingOnPage() : marks(box)
    {
        box.resize(900, 700);
        box.show();
        box.setText(tesk::sample::Sample_Html(1 << 20));
        marks.setOptions(true, QStringLiteral("en_US"));
        marks.refresh();
        while (!marks.finished())
            QApplication::processEvents();
        box.setSelStart(int(box.Text().indexOf(QLatin1String("</p>"), box.TextLength() / 2)));
    }
    RichTextBox box;
    SpellingMarks marks;
};

} // namespace

// What spelling adds to a keystroke in a paragraph in the middle of the
// page: its hook on the editor's change (the check itself runs later).
static void BM_SpellWhileTyping(benchmark::State& st)
{
    SpellingOnPage e;
    for (auto _ : st)
        emit e.box.Change();
    if (e.marks.finished())
        st.SkipWithError("a change left the marks as they were");
}
BENCHMARK(BM_SpellWhileTyping)->Unit(benchmark::kNanosecond);

// Typing rested: the text is taken and the lines in view are spelt and
// marked (the rest of the page follows in slices).
static void BM_SpellAfterPause(benchmark::State& st)
{
    SpellingOnPage e;
    for (auto _ : st)
        e.marks.refresh();
}
BENCHMARK(BM_SpellAfterPause)->Unit(benchmark::kMillisecond)->Iterations(20);

// The whole page checked again after a pause, slice after slice (the words
// known already): the time between two turns of the event loop is a slice's.
static void BM_SpellPageInSlices(benchmark::State& st)
{
    SpellingOnPage e;
    for (auto _ : st) {
        e.marks.refresh();
        while (!e.marks.finished())
            QApplication::processEvents();
    }
    // About: the slices end at line ends.
    st.counters["slices"] = double(e.box.Text().toUtf8().size() / (16 * 1024) + 1);
}
BENCHMARK(BM_SpellPageInSlices)->Unit(benchmark::kMillisecond)->Iterations(5);
