// Opening a page that is not RTF: its bytes decoded (by the byte-order mark
// where there is one) and checked to be text, on the 1 MB sample page in
// UTF-8, UTF-16 and UTF-32.

#include "html_sample.h"

#include "platform/rtf_reader.h"

#include <QStringEncoder>

#include <benchmark/benchmark.h>

namespace {

QByteArray samplePage(QStringConverter::Encoding encoding)
{
    const QString text = tesk::sample::Sample_Html(1 << 20);
    const bool bom = encoding != QStringConverter::Utf8;
    QStringEncoder enc(encoding, bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return enc.encode(text);
}

} // namespace

static void BM_OpenPlainText(benchmark::State& st)
{
    static const QStringConverter::Encoding kinds[] = {QStringConverter::Utf8, QStringConverter::Utf16LE,
                                                       QStringConverter::Utf32LE};
    const QByteArray bytes = samplePage(kinds[st.range(0)]);
    for (auto _ : st) {
        rtf::Content c;
        const bool ok = rtf::readSource(bytes, c);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(c.text.constData());
    }
    st.SetBytesProcessed(st.iterations() * bytes.size());
    st.SetLabel(st.range(0) == 0 ? "UTF-8" : st.range(0) == 1 ? "UTF-16 LE" : "UTF-32 LE");
}
BENCHMARK(BM_OpenPlainText)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
