// Source-file speed on a 1 MB colour-coded HTML page (the built-in sample, or
// the file named by TESK_BENCH_HTML): writing it as RTF, reading it back and
// showing it in the editor, applying the colour coding's runs in one go, and
// mapping positions between the editor's CR LF text and its document.

#include "html_sample.h"

#include "core/shared_state.h"
#include "platform/file_system.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"
#include "text/color_coding.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

QString benchText()
{
    const QByteArray path = qgetenv("TESK_BENCH_HTML");
    if (!path.isEmpty()) {
        QString s;
        if (fs::readText(QString::fromLocal8Bit(path), s) == fs::Result::Ok)
            return rtf::crlfText(rtf::fromPlainText(s));
        qWarning("TESK_BENCH_HTML: cannot read %s; using the built-in sample", path.constData());
    }
    return tesk::sample::Sample_Html(1 << 20);
}

// The page's colour runs as the editor applies them.
const std::vector<RichTextBox::ColorRun>& pageRuns(const QString& text)
{
    static const std::vector<RichTextBox::ColorRun> runs = [&] {
        std::vector<RichTextBox::ColorRun> out;
        const auto& numbers = state().Code_Color_Numbers;
        for (const colorcode::SlotRun& r : colorcode::Color_Code_Runs(text, 0, 0))
            out.push_back({r.start, r.length, Palette_Color(numbers[size_t(r.slot)])});
        return out;
    }();
    return runs;
}

struct Page {
    QString text;
    rtf::Content content;
    QByteArray rtf;
    size_t runs = 0;
};

const Page& page()
{
    static const Page p = [] {
        Page pg;
        pg.text = benchText();
        RichTextBox box;
        box.setText(pg.text);
        box.applyColorRuns(pageRuns(pg.text));
        pg.content = box.content();
        pg.runs = pg.content.colors.size();
        const SharedState& s = state();
        pg.rtf = rtf::write(pg.content, s.Font_Name, s.Font_Size);
        return pg;
    }();
    return p;
}

void pageCounters(benchmark::State& st)
{
    st.counters["runs"] = double(page().runs);
    st.counters["rtf_bytes"] = double(page().rtf.size());
}

} // namespace

static void BM_RtfWrite(benchmark::State& st)
{
    const Page& p = page();
    for (auto _ : st) {
        const QByteArray out = rtf::write(p.content, QStringLiteral("Arial"), 10);
        benchmark::DoNotOptimize(out.constData());
    }
    pageCounters(st);
    st.SetBytesProcessed(st.iterations() * p.rtf.size());
}
BENCHMARK(BM_RtfWrite)->Unit(benchmark::kMillisecond);

// Read alone, without building the editor's document.
static void BM_RtfRead(benchmark::State& st)
{
    const Page& p = page();
    for (auto _ : st) {
        const rtf::Content c = rtf::read(p.rtf);
        benchmark::DoNotOptimize(c.text.constData());
    }
    pageCounters(st);
    st.SetBytesProcessed(st.iterations() * p.rtf.size());
}
BENCHMARK(BM_RtfRead)->Unit(benchmark::kMillisecond);

// What opening a source file costs: read, build the document detached, attach
// it to a shown editor and paint the first screen.
static void BM_RtfReadShow(benchmark::State& st)
{
    const Page& p = page();
    RichTextBox box;
    box.resize(800, 600);
    box.show();
    for (auto _ : st) {
        box.setContent(rtf::read(p.rtf));
        box.viewport()->repaint();
        st.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        st.ResumeTiming();
    }
    pageCounters(st);
    st.SetBytesProcessed(st.iterations() * p.rtf.size());
}
BENCHMARK(BM_RtfReadShow)->Unit(benchmark::kMillisecond);

// Colour coding's result put on a shown editor in one edit block.
static void BM_ApplyColorRuns(benchmark::State& st)
{
    const Page& p = page();
    RichTextBox box;
    box.resize(800, 600);
    box.show();
    for (auto _ : st) {
        st.PauseTiming();
        box.setText(p.text);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        st.ResumeTiming();
        box.applyColorRuns(pageRuns(p.text));
        box.viewport()->repaint();
    }
    st.counters["runs"] = double(pageRuns(p.text).size());
    st.SetItemsProcessed(st.iterations() * qint64(pageRuns(p.text).size()));
}
BENCHMARK(BM_ApplyColorRuns)->Unit(benchmark::kMillisecond);

// Selecting at positions all over the page and reading the selection back:
// each step maps two Text positions to the document and back.
static void BM_PositionMapRandom(benchmark::State& st)
{
    const Page& p = page();
    RichTextBox box;
    box.setContent(p.content);
    const int len = box.TextLength();
    QRandomGenerator rng(5);
    std::vector<int> at(4096);
    for (int& a : at)
        a = rng.bounded(len);
    size_t i = 0;
    for (auto _ : st) {
        box.setSelStart(at[i++ & 4095]);
        box.setSelLength(7);
        benchmark::DoNotOptimize(box.SelStart() + box.SelLength());
        box.setSelStart(box.SelStart());  // no cached exact position to lean on
        benchmark::DoNotOptimize(box.SelStart());
    }
    st.counters["lines"] = double(box.document()->blockCount());
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_PositionMapRandom);

// The same, moving forward a little each time, as the colouring passes do.
static void BM_PositionMapSequential(benchmark::State& st)
{
    const Page& p = page();
    RichTextBox box;
    box.setContent(p.content);
    const int len = box.TextLength();
    int pos = 0;
    for (auto _ : st) {
        pos = (pos + 37) % len;
        box.setSelStart(pos);
        box.setSelLength(5);
        benchmark::DoNotOptimize(box.SelColor());
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_PositionMapSequential);
