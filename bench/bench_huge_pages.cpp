// Pages far past what anyone writes by hand, as users still bring them: a
// 30 MB page coloured whole, and a page that is one 5 MB line (a minified
// export). The argument is the size in megabytes, so that the growth with
// size shows on smaller runs too.

#include "html_sample.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/rich_text_box.h"
#include "platform/rtf_writer.h"
#include "source/text_commands.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

constexpr int kMegabyte = 1 << 20;

// The editor's wrap width in a window of this size (the source window wraps
// at a fixed width, not at the window edge).
constexpr int kWrapTwips = 12000;

struct SaysYes {
    SaysYes()
    {
        dialogs::Handlers yes = dialogs::handlers();
        yes.message = [](const dialogs::Message&) { return dialogs::Answer::Yes; };
        previous = dialogs::setHandlers(yes);
    }
    ~SaysYes() { dialogs::setHandlers(previous); }
    dialogs::Handlers previous;
};

void showBox(RichTextBox& box)
{
    box.resize(900, 700);
    box.setRightMargin(kWrapTwips);
    box.show();
    QApplication::processEvents();
}

// The visible part painted and, with whole, every line laid out (the
// scroll bar's full height). Without it the rest of the layout is left to
// the moments the program waits for input, as the editor does.
void settle(RichTextBox& box, bool whole)
{
    QApplication::processEvents();
    if (whole) {
        const QTextDocument& doc = *box.document();
        benchmark::DoNotOptimize(doc.documentLayout()->blockBoundingRect(doc.lastBlock()));
    }
    box.repaint();
}

} // namespace

// Color Code of a whole page of the given megabytes, the long-file question
// answered Yes, from the editor's plain colour to the coloured page shown
// (with its progress window, which shows after a moment).
static void BM_ColorCodeHuge(benchmark::State& st)
{
    resetState();
    SaysYes yes;
    const QString text = tesk::sample::Sample_Html(int(st.range(0)) * kMegabyte);
    RichTextBox box;
    showBox(box);
    for (auto _ : st) {
        st.PauseTiming();
        box.setText(text);
        settle(box, true);
        st.ResumeTiming();
        Color_Code_Source(box);
        settle(box, false);
    }
    st.SetBytesProcessed(st.iterations() * text.size());
}
BENCHMARK(BM_ColorCodeHuge)->Arg(1)->Arg(4)->Arg(30)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// A page that is one line of the given megabytes, loaded from its source
// file into a shown editor until it is laid out and painted.
static void BM_OpenLongLine(benchmark::State& st)
{
    resetState();
    QString line = tesk::sample::Sample_Html(int(st.range(0)) * kMegabyte);
    line.remove(QLatin1Char('\r'));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.rtf"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)
            || f.write(rtf::write(rtf::fromPlainText(line), QStringLiteral("Arial"), 10)) < 0) {
            st.SkipWithError("cannot write the page");
            return;
        }
    }
    RichTextBox box;
    showBox(box);
    for (auto _ : st) {
        st.PauseTiming();
        box.setText(QString());
        settle(box, true);
        st.ResumeTiming();
        if (!box.LoadFile(path)) {
            st.SkipWithError("cannot load the page");
            return;
        }
        settle(box, true);
    }
    st.SetBytesProcessed(st.iterations() * line.size());
}
BENCHMARK(BM_OpenLongLine)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
