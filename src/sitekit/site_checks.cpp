#include "sitekit/site_checks.h"

#include "platform/file_system.h"

namespace sitekit {

Speller& Spellers::get(const QString& dictionary)
{
    auto& s = loaded_[dictionary];
    if (!s)
        s = std::make_unique<Speller>(dictionary, personalList_);
    return *s;
}

std::vector<PageMessage> checkPage(QByteArrayView utf8, const PageChecks& what, Spellers& spellers, QStringList& problems)
{
    std::vector<PageMessage> out;
    if (what.markup)
        out = checkMarkup(utf8, what.tidy);
    if (what.spelling) {
        Speller& speller = spellers.get(dictionaryFor(pageLanguage(utf8), what.dictionary));
        if (!speller.problem().isEmpty() && !problems.contains(speller.problem()))
            problems << speller.problem();
        for (PageMessage& m : speller.check(utf8, what.suggestions))
            out.push_back(std::move(m));
    }
    return out;
}

SiteChecks checkPages(const Site& site, const PageChecks& what)
{
    SiteChecks out;
    Spellers spellers(what.personalList);
    for (const SiteFile& f : site.files) {
        if (f.kind != SiteFile::Kind::Page || !f.notChecked.isEmpty())
            continue;
        // Legacy single-byte pages are read as the editor reads them.
        const QByteArray utf8 = fs::decodeText(f.bytes).toUtf8();
        PageFindings page{QStringLiteral("Final-Pages/") + f.relative, f.path,
                          checkPage(utf8, what, spellers, out.problems)};
        if (!page.messages.empty())
            out.pages.push_back(std::move(page));
    }
    return out;
}

} // namespace sitekit
