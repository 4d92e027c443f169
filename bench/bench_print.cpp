// Printing speed on a 1 MB colour-coded source file (the built-in sample):
// breaking it into pages, loading and paginating it as the print commands do,
// drawing one page on the preview picture and on a PDF page, and printing
// the whole file to PDF.

#include "html_sample.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "platform/rtf_writer.h"
#include "print/pagination.h"
#include "print/print_engine.h"
#include "text/color_coding.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Source {
    QTemporaryDir dir;
    QString path;
    rtf::Content content;
};

// The sample page, colour-coded in an editor and saved as a source file.
const Source& source()
{
    static Source* s = [] {
        auto* src = new Source;
        const QString text = tesk::sample::Sample_Html(1 << 20);
        RichTextBox box;
        box.setText(text);
        std::vector<RichTextBox::ColorRun> runs;
        const auto& numbers = state().Code_Color_Numbers;
        for (const colorcode::SlotRun& r : colorcode::Color_Code_Runs(text, 0, 0))
            runs.push_back({r.start, r.length, Palette_Color(numbers[size_t(r.slot)])});
        box.applyColorRuns(runs);
        src->content = box.content();
        src->path = src->dir.path() + QStringLiteral("/sample.rtf");
        fs::writeBytes(src->path, rtf::write(src->content, QStringLiteral("Arial"), 10));
        return src;
    }();
    return *s;
}

// The engine set to print the sample on letter paper with every head/foot
// item placed, into PDF files of the temporary folder.
void setUpEngine()
{
    SharedState& s = state();
    s.Print_File_Path = source().path;
    s.Print_File_Name = QStringLiteral("sample.rtf");
    s.Filename_Pos = 1;
    s.Page_Number_Pos = 2;
    s.Date_Revised_Pos = 3;
    s.Path_Name_Pos = 4;
    Program_Printer().setOutputFormat(QPrinter::PdfFormat);
    Program_Printer().setPageSize(QPageSize(QPageSize::Letter));
    dialogs::Handlers h;
    h.file = [](const dialogs::FileRequest&) {
        return dialogs::FileResult{source().dir.path() + QStringLiteral("/out.pdf"), QString()};
    };
    dialogs::setHandlers(h);
}

void paginated(benchmark::State& st)
{
    setUpEngine();
    state().Paginated = 0;
    if (Page_Count() != CountResult::Done)
        st.SkipWithError("the sample could not be paginated");
    st.counters["pages"] = state().Page_Total;
}

} // namespace

// Breaking the loaded text into lines and pages, measuring every distinct
// character once with the printer's font.
static void BM_Paginate(benchmark::State& st)
{
    const rtf::Content& c = source().content;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(200);
    font.setKerning(false);
    const QFontMetricsF fm(font);
    pagination::Layout layout;
    layout.printWidth = 12240 - 1440 - 1080;
    layout.linesPerPage = 49;
    layout.breakTag = state().Page_Break_Tag;
    int pages = 0;
    for (auto _ : st) {
        pagination::CharWidths widths([&fm](char32_t ch) { return fm.horizontalAdvance(QChar(char16_t(ch))); });
        pages = pagination::Paginate(c.text, c.indents, layout, widths).count();
    }
    st.counters["pages"] = pages;
    st.SetBytesProcessed(st.iterations() * c.text.size() * 2);
}
BENCHMARK(BM_Paginate)->Unit(benchmark::kMillisecond);

// What the pagination dialog does: load the source file into the print box,
// then paginate it.
static void BM_PageCount(benchmark::State& st)
{
    source();
    for (auto _ : st)
        paginated(st);
}
BENCHMARK(BM_PageCount)->Unit(benchmark::kMillisecond);

// One page of the preview, at full size, with header and footer.
static void BM_DrawPage(benchmark::State& st)
{
    paginated(st);
    SharedState& s = state();
    s.Current_Page = s.Page_Total / 2;
    s.Print_Scale = 1.0;
    for (auto _ : st) {
        const QImage page = Preview_Page();
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_DrawPage)->Unit(benchmark::kMillisecond);

// One page into a PDF document.
static void BM_DrawPagePdf(benchmark::State& st)
{
    paginated(st);
    SharedState& s = state();
    s.Current_Page = s.Page_Total / 2;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(1440);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
    QPainter p(&pdf);
    p.translate(s.Margin_Left, s.Margin_Top);
    for (auto _ : st) {
        Draw_Page(p);
        const QTransform t = p.transform();
        pdf.newPage();
        p.setTransform(t);
    }
    p.end();
}
BENCHMARK(BM_DrawPagePdf)->Unit(benchmark::kMillisecond);

// The whole file printed to a PDF file, pages made already.
static void BM_PrintToPdf(benchmark::State& st)
{
    paginated(st);
    SharedState& s = state();
    for (auto _ : st) {
        s.First_Page = 1;
        s.Last_Page = s.Page_Total;
        s.Print_Copies = 1;
        if (!Print_Page_Range())
            st.SkipWithError("printing failed");
    }
    st.counters["pdf_bytes"] = double(fs::size(source().dir.path() + QStringLiteral("/out.pdf")));
}
BENCHMARK(BM_PrintToPdf)->Unit(benchmark::kMillisecond)->Iterations(2);
