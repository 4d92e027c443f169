#pragma once
// Renaming a page or a picture with every link to it. Only the link text
// inside each attribute value changes: every other byte of a page stays as
// it was, a relative link stays relative, its query and fragment stay, and a
// percent-encoded name is written percent-encoded again. A source gets the
// same change in its text and is written as the editor saves it (colours
// and indents kept). The tag lists that name the file change the same way.
//
// All or nothing: every file is written through a temporary file, and when
// one write or one rename fails, the files already written get their old
// bytes back and nothing is renamed.

#include "sitekit/site_model.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace sitekit {

// Bytes [start, start + length) of a file replaced by with.
struct Edit {
    qsizetype start = 0;
    qsizetype length = 0;
    QByteArray with;
    bool operator==(const Edit&) const = default;
};

struct FileChange {
    QString path;   // on disk
    QString shown;  // below the working folder
    SiteFile::Kind kind = SiteFile::Kind::Page;
    std::vector<Edit> edits;  // in the file's SiteFile::bytes
    QByteArray after;         // the whole file as it is to be written
};

struct RenamePlan {
    QString from, to;  // site-relative ("about.html", "Images/a.gif")
    // The files renamed on disk (the page, its source; or the picture).
    std::vector<std::pair<QString, QString>> moves;
    std::vector<FileChange> changes;
    int links = 0;
    QStringList notChecked;  // "file: why", files that may hold links left as they are
    QString problem;         // why the rename cannot be done; "" when it can
    int files() const { return int(changes.size()); }
};

// How a source file is written (the editor's font).
struct SourceFont {
    QString name = QStringLiteral("Arial");
    int points = 10;
};

// What a site read for a rename of from needs to mention (the longest run
// of letters and digits of its file name): files without it hold no link
// to it and are not parsed.
QString mentionedName(const QString& from);

// The rename of from to to (site-relative, in one folder) with the moves the
// caller makes, and every link to from rewritten.
RenamePlan planRename(const Site& site, const QString& from, const QString& to,
                      std::vector<std::pair<QString, QString>> moves, const SourceFont& font = {});

// The moves of a page pair or a picture named below Final-Pages: the file
// itself and, for a page, its source in Working-Pages by the editor's name
// rules ("about.html" has "about.rtf" or "about.html.rtf").
std::vector<std::pair<QString, QString>> renameMoves(const Site& site, const QString& from, const QString& to,
                                                     const QStringList& pageExtensions);

// The same rewrite in a text held elsewhere (the editor's, CR LF line
// ends): positions and lengths in UTF-16 units of text.
struct TextEdit {
    int start = 0;
    int length = 0;
    QString with;
    bool operator==(const TextEdit&) const = default;
};
std::vector<TextEdit> textEdits(const QString& text, const QString& base, const QString& from, const QString& to);
// Edits (in order, not overlapping) made to a source's text: each new piece
// takes the colour of the first character it replaces; the colour after it
// is the one it had.
void editContent(rtf::Content& c, const std::vector<TextEdit>& edits);

struct Applied {
    bool ok = true;
    QString file;  // the file that failed
    QString why;
};
// Writes the changes (unless only the moves are wanted) and makes the
// moves. skip: files not written here (the editor's document, which the
// editor changes itself).
Applied applyRename(const RenamePlan& plan, bool updateLinks, const QStringList& skip = {});

// "Update N links in M files?"
QString updateQuestion(const RenamePlan& plan);
// "3 pages link to about.html: index.html, news.html, more.html"
QString linkingPagesText(const QString& target, const QStringList& pages);

} // namespace sitekit
