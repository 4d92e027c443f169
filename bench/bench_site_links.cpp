// Site-wide links: a generated site of 1,000 pages of about 10 KB with 20
// links each, read from disk and checked (target: 1 s), and one page that
// 500 of them link to renamed with every link updated (target: 1 s). Each
// page has its source, as a site built in the editor has.

#include "platform/file_system.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"
#include "sitekit/link_check.h"
#include "sitekit/link_rewrite.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPages = 1000;

QString generatedSite()
{
    static QTemporaryDir dir;
    static const QString root = [] {
        const QString r = dir.path() + QStringLiteral("/");
        QDir().mkpath(r + QStringLiteral("Final-Pages/Images"));
        QDir().mkpath(r + QStringLiteral("Working-Pages"));
        fs::writeBytes(r + QStringLiteral("Final-Pages/Images/logo.gif"), "GIF89a");
        fs::writeBytes(r + QStringLiteral("Final-Pages/target.html"), "<h1 id=\"top\">Target</h1>");
        const QString filler = QStringLiteral("<p>Plain words of a hand-built page, the kind of text a small site holds "
                                              "between its links, repeated to give the page its size.</p>\r\n");
        for (int i = 0; i < kPages; ++i) {
            QString page = QStringLiteral("<!DOCTYPE html>\r\n<html><head><title>Page %1</title>\r\n"
                                          "<style>body { background: url(Images/logo.gif) }</style></head>\r\n<body id=\"p%1\">\r\n")
                               .arg(i);
            for (int k = 1; k <= 19; ++k) {
                page += QStringLiteral("<a href=\"page%1.html#p%1\">Page %1</a>\r\n").arg((i + k) % kPages);
                for (int f = 0; f < 3; ++f)
                    page += filler;
            }
            page += i % 2 == 0 ? QStringLiteral("<a href=\"target.html\">Target</a>\r\n")
                               : QStringLiteral("<img src=\"Images/logo.gif\" alt=\"\">\r\n");
            page += QStringLiteral("</body></html>\r\n");
            const QString name = QStringLiteral("page%1").arg(i);
            fs::writeText(r + QStringLiteral("Final-Pages/") + name + QStringLiteral(".html"), page);
            fs::writeBytes(r + QStringLiteral("Working-Pages/") + name + QStringLiteral(".rtf"),
                           rtf::write(rtf::fromPlainText(page), QStringLiteral("Arial"), 10));
        }
        return r;
    }();
    return root;
}

void BM_SiteLinks(benchmark::State& state)
{
    const QString root = generatedSite();
    size_t findings = 0;
    for (auto _ : state) {
        const sitekit::Site site = sitekit::readSite(root);
        findings = sitekit::checkLinks(site, {QStringLiteral("html"), QStringLiteral("htm")}).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = double(findings);
}
BENCHMARK(BM_SiteLinks)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RenameUpdateLinks(benchmark::State& state)
{
    const QString root = generatedSite();
    QString from = QStringLiteral("target.html"), to = QStringLiteral("renamed.html");
    int links = 0;
    for (auto _ : state) {
        sitekit::SiteOptions options;
        options.withSources = true;
        options.mentioning = sitekit::mentionedName(from);
        const sitekit::Site site = sitekit::readSite(root, options);
        const sitekit::RenamePlan plan = sitekit::planRename(site, from, to, sitekit::renameMoves(site, from, to, {"html"}));
        if (!sitekit::applyRename(plan, true).ok)
            state.SkipWithError("the rename failed");
        links = plan.links;
        std::swap(from, to);
    }
    state.counters["links"] = links;
}
BENCHMARK(BM_RenameUpdateLinks)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace
