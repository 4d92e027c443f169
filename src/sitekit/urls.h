#pragma once
// Links as a page writes them and the files of the site they point at. A
// link is resolved against the folder of the file it is in: "./" and "../"
// walk folders, a leading "/" starts at the site's root (Final-Pages), "%20"
// and the like are decoded, and the query and fragment are kept apart from
// the path. Nothing here reads the disk.

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace sitekit {

// Where a link lies in the text handed in, surrounding blanks and quotes
// left out.
struct Span {
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const Span&) const = default;
};

// The address of every candidate of a srcset value ("a.png 1x, b.png 2x").
std::vector<Span> srcsetUrls(QByteArrayView value);
// Every url(...) and @import "..." of a style sheet or a style attribute;
// comments are skipped.
std::vector<Span> cssUrls(QByteArrayView css);
// The address of a meta refresh's content ("5; url=next.html").
std::optional<Span> refreshUrl(QByteArrayView content);

// What a link points at.
struct Target {
    enum class Kind {
        Local,     // a file of the site: path
        External,  // http, https, mailto, or "//host"
        Leaves,    // climbs above the site's root with "..", or a file: address
        Other,     // javascript:, data:, tel: ... and empty links: nothing to check
    };
    Kind kind = Kind::Other;
    // Site-relative, '/' between the parts, decoded ("sub/my page.html").
    // Ends in '/' for a folder ("sub/"); the file itself for a link that is
    // only a fragment or a query.
    QString path;
    QString query;     // without "?"; empty when there is none
    QString fragment;  // decoded, without "#"; empty when there is none
    bool hasFragment = false;
    bool operator==(const Target&) const = default;
};

// link as written (character references already decoded), in the file at
// filePath (site-relative).
Target resolve(const QString& link, const QString& filePath);

// Where the path's last part (the file name) lies in link, and whether it is
// written percent-encoded: a rename replaces only that part.
struct NamePart {
    qsizetype start = 0;
    qsizetype length = 0;
    bool encoded = false;  // holds a "%XX"
};
NamePart namePart(QStringView link);

// A new file name written the way the old one was: percent-encoded when the
// old one was (blanks and characters beyond ASCII as %XX), else as it is;
// characters that would end the path ('%', '#', '?') are always encoded.
QString writeName(const QString& name, bool encoded);

// The folder of a site-relative path ("" for the root, else ending in '/').
QString folderOf(const QString& path);

} // namespace sitekit
