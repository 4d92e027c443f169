// Spelling while typing on the 1 MB page: what a keystroke pays for it (a
// timer's restart: the check runs once typing rests), and the check that
// then runs at once, the text taken and the lines in view spelt.

#include "html_sample.h"
#include "platform/rich_text_box.h"
#include "source/spelling_marks.h"

#include <QApplication>
#include <QKeyEvent>

#include <chrono>

#include <benchmark/benchmark.h>

namespace {

using Clock = std::chrono::steady_clock;

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

// One letter typed in a paragraph in the middle of the page, with spelling on
// (the whole keystroke: the editor's insert and the marks' share).
static void BM_SpellWhileTyping(benchmark::State& st)
{
    SpellingOnPage e;
    e.marks.setOptions(st.range(0) != 0, QStringLiteral("en_US"));
    for (auto _ : st) {
        const auto t0 = Clock::now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&e.box, &press);
        st.SetIterationTime(std::chrono::duration<double>(Clock::now() - t0).count());
        e.box.undo();
    }
}
BENCHMARK(BM_SpellWhileTyping)
    ->ArgName("spelling")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(200)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// Typing rested: the text is taken and the lines in view are spelt and
// marked (the rest of the page follows in slices).
static void BM_SpellAfterPause(benchmark::State& st)
{
    SpellingOnPage e;
    for (auto _ : st)
        e.marks.refresh();
}
BENCHMARK(BM_SpellAfterPause)->Unit(benchmark::kMillisecond)->Iterations(20);
