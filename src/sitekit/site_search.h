#pragma once
// Find and replace over a whole site: the sources of Working-Pages (their
// text as the editor shows it) and the pages of Final-Pages that have no
// source (their text as written). Files are searched on every core; the
// decoded text of each file is kept and read again only when the file
// changes, so a second search over a large site costs the search alone.
//
// Replacing changes a page in the replaced text only (every other byte
// stays), and a source as the editor saves it (the rest of its text, its
// colours and indents kept), its page written from the new text. Every file
// is written through a temporary file; the previous versions are copied
// first, so the whole replace can be undone.

#include "platform/file_system.h"
#include "sitekit/link_rewrite.h"

#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

namespace sitekit {

struct SearchRequest {
    enum class Where { Both, Sources, Pages };
    QString find;
    bool matchCase = false;
    bool wholeWord = false;
    bool regularExpression = false;  // Qt's; \1 in the replacement is a capture
    Where where = Where::Both;
};

// Why the request cannot be searched ("" when it can): an invalid regular
// expression, with the place of the fault.
QString requestProblem(const SearchRequest& request);

struct SearchFile {
    QString path;   // on disk
    QString shown;  // below the working folder
    QString page;   // the page a source belongs to (what the editor opens); a page's own path
    bool source = false;
};

// The files a search looks at, sources first, each list by name.
std::vector<SearchFile> searchFiles(const QString& workingFolder, const QStringList& pageExtensions,
                                    SearchRequest::Where where);

struct Hit {
    int start = 0;   // in the searched text (a source's with '\n' line ends)
    int length = 0;
    int line = 1;    // 1-based
    int column = 1;  // 1-based, in UTF-16 units
    QString lineText;  // the line, cut around the match when long
    int inLine = 0;    // where the match starts in lineText
    bool operator==(const Hit&) const = default;
};

// Every match in text, none overlapping another, empty ones left out.
std::vector<Hit> findInText(const QString& text, const SearchRequest& request);

struct FileResult {
    SearchFile file;
    fs::FileStamp stamp;     // the file as searched
    std::vector<Hit> hits;
    QString skipped;         // why it was not searched; "" when it was
};

// The decoded text of files, shared by the threads of a search.
class SearchCache {
public:
    // The file's text (a source's as the editor holds it); "" and why set
    // when it cannot be read or is no text.
    QString text(const SearchFile& file, fs::FileStamp& stamp, QString& why);
    // The same, but a page not yet kept whose bytes show the request cannot
    // match is neither decoded nor kept: "" with why empty, as for a page
    // without a match. A plain ASCII page looked for a literal ASCII find is
    // searched in its bytes when hits is given: its matches go there (found
    // set), and the page is neither decoded nor kept.
    QString textFor(const SearchFile& file, const SearchRequest& request, fs::FileStamp& stamp, QString& why,
                    std::vector<Hit>* hits = nullptr, bool* found = nullptr);
    void clear();

private:
    struct Entry {
        fs::FileStamp stamp;
        QString text, why;
    };
    QMutex mutex_;
    QHash<QString, Entry> entries_;
};

// Searches every file on every core. found (when set) is called from the
// searching threads for each file with a match or skipped, in no set order.
// cancel (when set and raised) stops the search early; what was found is
// returned. The result holds the files with a match or skipped, in the
// order of files.
std::vector<FileResult> searchSite(const std::vector<SearchFile>& files, const SearchRequest& request,
                                   SearchCache& cache, const std::function<void(const FileResult&)>& found = {},
                                   const std::atomic_bool* cancel = nullptr);

// "N matches in M files"
QString countText(const std::vector<FileResult>& results);

// The replacement of one match: \0 to \9 its captures (regular expressions
// only), and every line break as lineBreak.
QString expandReplacement(const QString& with, const QRegularExpressionMatch* match, QStringView lineBreak);

// The edits that replace every match in text (positions in text), with
// line breaks of the replacement written as lineBreak.
std::vector<TextEdit> replacementEdits(const QString& text, const SearchRequest& request, const QString& with,
                                       QStringView lineBreak);

// A file as it was before a replace, to put back.
struct Backup {
    QString path;           // on disk
    QString shown;
    QString copy;           // the previous version, in the backup folder
    fs::FileStamp written;  // the file as the replace left it
};

struct ReplaceOutcome {
    int files = 0, matches = 0;
    QStringList changedSince;  // files changed on disk since the search: left alone
    QStringList failed;        // "file: why"
    std::vector<Backup> backups;
};

// Replaces every match of the request in the files found, unless a file
// changed since it was searched; files in skip (the editor's document,
// which the editor changes itself) are left out. The previous versions go
// to backupFolder, emptied first.
ReplaceOutcome replaceInSite(const std::vector<FileResult>& results, const SearchRequest& request,
                             const QString& with, const QString& backupFolder, const SourceFont& font = {},
                             const QStringList& skip = {});

struct UndoOutcome {
    int restored = 0;
    QStringList changedSince;
    QStringList failed;
};
// Puts every file back as it was, but a file changed since the replace.
UndoOutcome undoReplace(const std::vector<Backup>& backups);

// Where the previous versions are kept: the user's cache folder.
QString backupFolder();

} // namespace sitekit
