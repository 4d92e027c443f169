#pragma once
// A working folder as a site: every page of Final-Pages (sub-folders too),
// its style sheets, the sources of Working-Pages and the site's tag lists,
// each with the links it holds (where they are, what they point at) and,
// for pages, the ids a "#fragment" may name. Reading never stops at a bad
// file: it is kept with the reason it was not checked.

#include "platform/rtf_reader.h"
#include "sitekit/urls.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

namespace sitekit {

struct Link {
    qsizetype start = 0;  // in SiteFile::bytes
    qsizetype length = 0;
    int line = 1;         // 1-based
    int column = 1;       // 1-based, in characters
    QString text;         // as written, character references decoded
    Target target;
    // What may not appear unescaped in it: the attribute's quote, a blank
    // for an unquoted value; 0 in style sheets.
    char quote = 0;
};

struct SiteFile {
    enum class Kind { Page, StyleSheet, Source, List };
    Kind kind = Kind::Page;
    QString path;      // on disk
    // Pages and style sheets: the path below Final-Pages ("sub/a.html").
    // Sources: the path of their page, whose links they hold too. Lists:
    // the path below the working folder ("Working-Pages/Image.lst").
    QString relative;
    // The site-relative file its links are resolved from (a list's: the root).
    QString base;
    // What link offsets count in: a page's own bytes; a source's text (the
    // editor's, '\n' line ends) in UTF-8.
    QByteArray bytes;
    std::vector<Link> links;
    QSet<QString> ids;   // id and <a name> values
    QString notChecked;  // why it was not read; "" when it was
    rtf::Content source; // a source's text, colours and indents
};

struct SiteOptions {
    QStringList pageExtensions{QStringLiteral("html"), QStringLiteral("htm")};
    QString picturePattern = QStringLiteral("*.gif;*.jpg;*.jpeg;*.bmp;*.png;*.webp;*.svg");
    // Sources and tag lists are read only for a rename.
    bool withSources = false;
    // Set: only files that hold this text are looked at for links (a
    // rename looks for the links to one name only).
    QString mentioning;
    // Lists kept beside the program (the button bar file): rewritten only
    // when they lie inside the working folder.
    QString referenceFolder;
};

struct Site {
    QString workingFolder;  // each ends in '/'
    QString finalPages;
    QString workingPages;
    std::vector<SiteFile> files;
    // Every file below Final-Pages, site-relative, and the same by lower case.
    QSet<QString> existing;
    QHash<QString, QString> byLowerCase;
    QStringList pictures;    // files of the picture folders, site-relative
    QStringList folderLoops; // folders reached again through a link, not read twice

    const SiteFile* page(const QString& relative) const;
};

// A file bigger than this is listed, not read.
inline constexpr qint64 kLargestChecked = 50LL * 1024 * 1024;

// The extensions of a web-page filter as the settings store it
// ("HTML (*.html;*.htm)|*.html;*.htm|SSI (*.shtml)|*.shtml|" gives html,
// htm, shtml), lower case.
QStringList pageExtensions(const QString& webPageFilter);

Site readSite(const QString& workingFolder, const SiteOptions& options = {});

// Finds the links (and ids) of a file's bytes; relative is where its links
// are resolved from. Fragments of HTML (a tag list's lines) work the same.
void findLinks(SiteFile& file);

// The page of a source in Working-Pages ("about.rtf" gives "about.html",
// "index.htm.rtf" gives "index.htm") by the editor's name rules, looking for
// an existing .htm page of an extension-less name.
QString pageOfSource(const QString& sourceName, const QString& finalPages);

// Every file whose links point at target (site-relative): pages and style
// sheets only, each listed once, site-relative.
QStringList filesLinkingTo(const Site& site, const QString& target);

} // namespace sitekit
