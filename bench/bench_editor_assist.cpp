// Closing tags and the list of names on the 1 MB page: a ">" that brings
// its end tag must stay within the keystroke budget of colouring while
// typing (the time from the change to its colours, and the end tag with
// its colours, in place), and the list of elements must show at once.

#include "html_sample.h"
#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/rich_text_box.h"
#include "source/completion.h"
#include "source/editor_assist.h"
#include "source/live_coloring.h"
#include "source/text_commands.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>

#include <chrono>

#include <benchmark/benchmark.h>

namespace {

using Clock = std::chrono::steady_clock;

struct AssistOnPage {
    explicit AssistOnPage(bool colours) : live(box), assist(box, live)
    {
        resetState();
        // Color Code asks before colouring a long page: the benchmark says Yes.
        dialogs::Handlers yes = dialogs::handlers();
        yes.message = [](const dialogs::Message&) { return dialogs::Answer::Yes; };
        previous = dialogs::setHandlers(yes);
        box.resize(900, 700);
        box.show();
        box.setText(tesk::sample::Sample_Html(1 << 20));
        if (colours) {
            Color_Code_Source(box);
            live.setEnabled(true);
        }
        assist.setOptions(true, true, QStringLiteral(TESK_SOURCE_DIR "/resources/") + completion::Html_Names_File_Name());
        QApplication::processEvents();
        // The time that counts: the colouring hook and the assistant's.
        auto follow = box.onTextEdit;
        box.onTextEdit = [this, follow](int pos, int removed, const QString& inserted, RichTextBox::EditKind kind) {
            const auto t0 = Clock::now();
            follow(pos, removed, inserted, kind);
            if (!inTyped)  // the end tag's colours are inside the assistant's time
                spent += Clock::now() - t0;
        };
        auto typed = box.onTyped;
        box.onTyped = [this, typed](const QString& t) {
            const auto t0 = Clock::now();
            inTyped = true;
            typed(t);
            inTyped = false;
            spent += Clock::now() - t0;
        };
    }
    void type(const QString& keys)
    {
        for (const QChar c : keys) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&box, &press);
        }
    }
    double taken()
    {
        const double s = std::chrono::duration<double>(spent).count();
        spent = {};
        return s;
    }
    ~AssistOnPage() { dialogs::setHandlers(previous); }
    dialogs::Handlers previous;
    RichTextBox box;
    LiveColoring live;
    EditorAssist assist;
    Clock::duration spent{};
    bool inTyped = false;
    // In the text of a paragraph in the middle of the page.
    int middle() { return int(box.Text().indexOf(QLatin1String("</p>"), box.TextLength() / 2)); }
};

} // namespace

// The ">" of "<b" typed in a paragraph in the middle of the page, with colouring while
// typing on: the end tag goes in with its colours (taken back between the
// timings).
static void BM_TypeCloseTag(benchmark::State& st)
{
    AssistOnPage e(true);
    const int at = e.middle();
    const int length = e.box.TextLength();
    for (auto _ : st) {
        e.box.setSelStart(at);
        e.type(QStringLiteral("<b"));
        e.taken();
        e.type(QStringLiteral(">"));
        st.SetIterationTime(e.taken());
        if (e.box.TextLength() != length + 7)
            st.SkipWithError("no end tag went in");
        for (int undone = 0; e.box.TextLength() != length && undone < 50; ++undone)
            e.box.undo();
        if (e.box.TextLength() != length) {
            st.SkipWithError("undo did not give the page back");
            break;
        }
        e.taken();
    }
}
BENCHMARK(BM_TypeCloseTag)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(30)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// "<t" typed in a paragraph in the middle of the page: the elements beginning with it
// listed under the caret.
static void BM_CompletionPopup(benchmark::State& st)
{
    AssistOnPage e(false);
    e.box.setSelStart(e.middle());
    e.type(QStringLiteral("<t"));
    for (auto _ : st) {
        e.assist.showNames();
        if (!e.assist.list()->isVisible() || e.assist.list()->count() == 0)
            st.SkipWithError("no list");
    }
}
BENCHMARK(BM_CompletionPopup)->Unit(benchmark::kMillisecond)->Iterations(200)->Repetitions(3)->ReportAggregatesOnly(true);
