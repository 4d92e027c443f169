// Colour coding speed: the scan alone, the whole command on an editor holding
// the page, a text that makes searches done afresh each time quadratic, and
// one plain pass over the same text for scale. The page is a 1 MB sample
// built from hand-written-looking HTML, or the file named by TESK_BENCH_HTML.

#include "html_sample.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/line_numbers.h"
#include "platform/rich_text_box.h"
#include "text/color_coding.h"
#include "source/live_coloring.h"
#include "source/text_commands.h"

#include <QApplication>
#include <QFile>
#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>

#include <chrono>

#include <benchmark/benchmark.h>

namespace {

const QString& pageText()
{
    static const QString text = [] {
        const QByteArray path = qgetenv("TESK_BENCH_HTML");
        if (!path.isEmpty()) {
            QFile f(QString::fromLocal8Bit(path));
            if (f.open(QIODevice::ReadOnly)) {
                QString s = QString::fromUtf8(f.readAll());
                // The editor holds CR LF breaks, whatever the file has.
                s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
                s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
                return s;
            }
            qWarning("TESK_BENCH_HTML: cannot read %s; using the built-in sample", path.constData());
        }
        return tesk::sample::Sample_Html(1 << 20);
    }();
    return text;
}

qint64 pageBytes()
{
    static const qint64 bytes = pageText().toUtf8().size();
    return bytes;
}

} // namespace

static void BM_ColorCodeScan(benchmark::State& st)
{
    const QString& text = pageText();
    size_t runs = 0;
    for (auto _ : st) {
        const auto result = colorcode::Color_Code_Runs(text, 0, 0);
        runs = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    st.counters["runs"] = double(runs);
    st.SetBytesProcessed(st.iterations() * pageBytes());
}
BENCHMARK(BM_ColorCodeScan)->Unit(benchmark::kMillisecond);

// An editor window showing the page, as the Color Code command finds it.
// The page is long, so the command asks first: the user says Yes.
struct EditorOnPage {
    explicit EditorOnPage(const QString& page = pageText())
    {
        resetState();
        dialogs::Handlers yes = dialogs::handlers();
        yes.message = [](const dialogs::Message&) { return dialogs::Answer::Yes; };
        previous = dialogs::setHandlers(yes);
        box.resize(900, 700);
        box.show();
        box.setText(page);
        QApplication::processEvents();
    }
    ~EditorOnPage() { dialogs::setHandlers(previous); }
    dialogs::Handlers previous;
    RichTextBox box;
};

// The command as the user runs it: no selection, the runs applied in one
// undo step and the editor repainted. The colours alternate between two
// settings, so every run changes colour: the most work a colouring can be.
static void BM_ColorCodeCommand(benchmark::State& st)
{
    EditorOnPage e;
    std::array<int, 4> normal = state().Code_Color_Numbers;
    std::array<int, 4> other{12, 2, 9, 0};
    bool flip = false;
    for (auto _ : st) {
        state().Code_Color_Numbers = flip ? normal : other;
        flip = !flip;
        Color_Code_Source(e.box);
        e.box.repaint();
    }
    state().Code_Color_Numbers = normal;
    st.SetBytesProcessed(st.iterations() * pageBytes());
}
BENCHMARK(BM_ColorCodeCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first Color Code of a page as it comes, in the editor's plain colour:
// the page is set afresh before each colouring, outside the timing.
static void BM_ColorCodeFirst(benchmark::State& st)
{
    EditorOnPage e;
    for (auto _ : st) {
        st.PauseTiming();
        e.box.setText(pageText());
        QApplication::processEvents();
        st.ResumeTiming();
        Color_Code_Source(e.box);
        e.box.repaint();
    }
    st.SetBytesProcessed(st.iterations() * pageBytes());
}
BENCHMARK(BM_ColorCodeFirst)->Unit(benchmark::kMillisecond)->UseRealTime();

// The command run again on a page it has coloured already (the user presses
// Ctrl+0 once more after a small look around): no colour changes.
static void BM_ColorCodeAgain(benchmark::State& st)
{
    EditorOnPage e;
    Color_Code_Source(e.box);
    QApplication::processEvents();
    for (auto _ : st) {
        Color_Code_Source(e.box);
        e.box.repaint();
    }
    st.SetBytesProcessed(st.iterations() * pageBytes());
}
BENCHMARK(BM_ColorCodeAgain)->Unit(benchmark::kMillisecond)->UseRealTime();

// "&" with no ";" anywhere after it: every "&" asked for the next ";" over
// the rest of the text. Time per character must stay flat as the text grows.
static void BM_ColorCodeAmpersands(benchmark::State& st)
{
    const QString text(int(st.range(0)), QLatin1Char('&'));
    for (auto _ : st)
        benchmark::DoNotOptimize(colorcode::Color_Code_Runs(text, 0, 0).size());
    st.SetBytesProcessed(st.iterations() * st.range(0));
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_ColorCodeAmpersands)
    ->RangeMultiplier(2)
    ->Range(12500, 100000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// One pass over the characters of the same page, counting "<": the floor
// any scan of the page stands on.
static void BM_LinearPass(benchmark::State& st)
{
    const QString& text = pageText();
    for (auto _ : st) {
        int count = 0;
        for (const QChar c : text)
            count += c == QLatin1Char('<');
        benchmark::DoNotOptimize(count);
    }
    st.SetBytesProcessed(st.iterations() * pageBytes());
}
BENCHMARK(BM_LinearPass)->Unit(benchmark::kMillisecond);

// ---- colouring while typing --------------------------------------------------------------
// The page as the editor holds it with "Color code while typing" on: coloured
// once, then typed into. The time that counts is the colouring's: from the
// change of the text to its colours in place (the rescan and the colours
// going in), measured around the editor's change hook. The key as a whole
// (with the editor's own work on its text and lines) is BM_TypeKey.

namespace {

struct TypingOnPage : EditorOnPage {
    explicit TypingOnPage(const QString& page = pageText()) : EditorOnPage(page), live(box)
    {
        Color_Code_Source(box);
        live.setEnabled(true);
        QApplication::processEvents();
        auto follow = box.onTextEdit;
        box.onTextEdit = [this, follow](int pos, int removed, const QString& inserted, RichTextBox::EditKind kind) {
            const auto t0 = std::chrono::steady_clock::now();
            follow(pos, removed, inserted, kind);
            colouring += std::chrono::steady_clock::now() - t0;
        };
    }
    void type(const QString& keys)
    {
        for (const QChar c : keys) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&box, &press);
        }
    }
    // Seconds the colouring took since the last call.
    double taken()
    {
        const double s = std::chrono::duration<double>(colouring).count();
        colouring = {};
        return s;
    }
    LiveColoring live;
    std::chrono::steady_clock::duration colouring{};
};

} // namespace

// One character typed in the middle of the page.
static void BM_TypeColor(benchmark::State& st)
{
    TypingOnPage e;
    e.box.setSelStart(e.box.TextLength() / 2);
    for (auto _ : st) {
        e.type(QStringLiteral("x"));
        st.SetIterationTime(e.taken());
    }
}
// (A fixed count: the key as a whole takes far longer than the time that
// counts, which would make the library run it for minutes.)
BENCHMARK(BM_TypeColor)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(300)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same key as a whole, the editor's own handling of it included.
static void BM_TypeKey(benchmark::State& st)
{
    TypingOnPage e;
    e.box.setSelStart(e.box.TextLength() / 2);
    for (auto _ : st)
        e.type(QStringLiteral("x"));
}
BENCHMARK(BM_TypeKey)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(300);

// 10 KB of HTML pasted in the middle of the page (taken out again between
// the timings).
static void BM_PasteColor(benchmark::State& st)
{
    TypingOnPage e;
    const QString piece = tesk::sample::Sample_Html(10 * 1024, 3);
    const int at = e.box.TextLength() / 2;
    double whole = 0;
    for (auto _ : st) {
        e.box.setSelStart(at);
        const auto t0 = std::chrono::steady_clock::now();
        e.box.setSelText(piece);
        whole += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        st.SetIterationTime(e.taken());
        e.box.undo();
        e.taken();
    }
    // The paste as a whole, the editor's layout of the lines included: the
    // colours now go in before it, so the time above no longer holds it.
    st.counters["whole ms"] = whole * 1e3 / double(st.iterations());
}
BENCHMARK(BM_PasteColor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

// "<!--" typed near the top: everything to the next "-->" turns into a
// comment (taken back between the timings). The time is the keys' own
// colouring: the lines in view and the keys themselves; the rest follows in
// slices between keystrokes, and "done ms" is the time from the first key
// until the last slice.
static void BM_TypeOpenComment(benchmark::State& st)
{
    TypingOnPage e;
    const int at = int(e.box.Text().indexOf(QLatin1String("<body")));
    double done = 0;
    for (auto _ : st) {
        e.box.setSelStart(at);
        const auto t0 = std::chrono::steady_clock::now();
        e.type(QStringLiteral("<!--"));
        st.SetIterationTime(e.taken());
        while (e.live.busy())
            QApplication::processEvents();
        done += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        for (int i = 0; i < 4; ++i)
            e.box.undo();
        while (e.live.busy())
            QApplication::processEvents();
        e.taken();
    }
    st.counters["done ms"] = done * 1e3 / double(st.iterations());
}
BENCHMARK(BM_TypeOpenComment)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

// "<!--" typed near the top of a 5 MB page that holds no comment, so all
// the rest turns into one: the time is the keys' own work (the lines in view
// coloured with them), "done ms" the time until the last slice, made between
// keystrokes. Undone between the timings.
static void BM_TypeOpensComment(benchmark::State& st)
{
    static const QString page = [] {
        QString s = tesk::sample::Sample_Html(5 << 20);
        s.replace(QLatin1String("<!--"), QLatin1String("<!- "));
        s.replace(QLatin1String("-->"), QLatin1String("- >"));
        return s;
    }();
    TypingOnPage e(page);
    const int at = int(e.box.Text().indexOf(QLatin1String("<body")));
    double done = 0, key = 0;
    for (auto _ : st) {
        e.box.setSelStart(at);
        const auto t0 = std::chrono::steady_clock::now();
        e.type(QStringLiteral("<!--"));
        key += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        st.SetIterationTime(e.taken());
        while (e.live.busy())
            QApplication::processEvents();
        done += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        for (int i = 0; i < 4; ++i)
            e.box.undo();
        while (e.live.busy())
            QApplication::processEvents();
        e.taken();
    }
    st.counters["keys ms"] = key * 1e3 / double(st.iterations());
    st.counters["done ms"] = done * 1e3 / double(st.iterations());
}
BENCHMARK(BM_TypeOpensComment)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// The line numbers of one screen of the page, at line 15,000.
static void BM_GutterPaint(benchmark::State& st)
{
    EditorOnPage e;
    e.box.setLineNumbers(true);
    const QTextBlock line = e.box.document()->findBlockByNumber(15000);
    const int top = int(e.box.document()->documentLayout()->blockBoundingRect(line).top());
    // The editor lays long pages out in steps: the scroll range grows.
    for (int i = 0; i < 1000 && e.box.verticalScrollBar()->value() != top; ++i) {
        QApplication::processEvents();
        e.box.verticalScrollBar()->setValue(top);
    }
    LineNumbers& gutter = *e.box.lineNumbers();
    QImage screen(gutter.size(), QImage::Format_RGB32);
    for (auto _ : st)
        gutter.paintInto(screen);
    st.counters["first line"] = gutter.firstLineInView();
}
BENCHMARK(BM_GutterPaint)->Unit(benchmark::kMicrosecond);
