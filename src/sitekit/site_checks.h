#pragma once
// The markup and spelling of every page of a site, for "Check Site" and
// tesk-site check.

#include "sitekit/page_check.h"
#include "sitekit/site_model.h"
#include "sitekit/spelling.h"

#include <map>
#include <memory>

namespace sitekit {

struct PageChecks {
    bool markup = true;
    bool spelling = true;
    TidyOptions tidy;
    QString dictionary = QStringLiteral("en_US");  // when a page's lang names none installed
    QString personalList = personalWordListPath();
    bool suggestions = true;
};

struct PageFindings {
    QString file;  // below the working folder ("Final-Pages/index.html")
    QString path;  // on disk
    std::vector<PageMessage> messages;  // markup first, then spelling, each in page order
};

struct SiteChecks {
    std::vector<PageFindings> pages;  // only pages with messages
    QStringList problems;  // dictionaries missing, each said once
};

// Spellers by dictionary, loaded once each.
class Spellers {
public:
    explicit Spellers(QString personalList) : personalList_(std::move(personalList)) {}
    Speller& get(const QString& dictionary);

private:
    QString personalList_;
    std::map<QString, std::unique_ptr<Speller>> loaded_;
};

// Messages of one page (its text in UTF-8).
std::vector<PageMessage> checkPage(QByteArrayView utf8, const PageChecks& what, Spellers& spellers, QStringList& problems);
SiteChecks checkPages(const Site& site, const PageChecks& what);

} // namespace sitekit
