#include "sitekit/site_search.h"

#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"
#include "platform/text_encoding.h"

#include <QDir>
#include <QSet>
#include <QStandardPaths>
#include <QStringMatcher>

#include <algorithm>
#include <array>
#include <thread>

namespace sitekit {

namespace {

// Lines longer than this are shown cut around their match.
constexpr int kShownLine = 160;

bool wordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

bool wholeWordAt(QStringView text, qsizetype start, qsizetype length)
{
    return (start == 0 || !wordChar(text[start - 1]))
        && (start + length >= text.size() || !wordChar(text[start + length]));
}

QRegularExpression expressionOf(const SearchRequest& r)
{
    QString pattern = r.regularExpression ? r.find : QRegularExpression::escape(r.find);
    if (r.wholeWord && r.regularExpression)
        pattern = QStringLiteral("(?<![\\w])(?:") + pattern + QStringLiteral(")(?![\\w])");
    QRegularExpression re(pattern, r.matchCase ? QRegularExpression::NoPatternOption
                                               : QRegularExpression::CaseInsensitiveOption);
    re.setPatternOptions(re.patternOptions() | QRegularExpression::UseUnicodePropertiesOption);
    return re;
}

// Calls each(start, length, match) for every match; match is set for
// regular expressions only.
template <typename Each>
void eachMatch(const QString& text, const SearchRequest& r, Each each)
{
    if (r.find.isEmpty())
        return;
    if (!r.regularExpression) {
        const QStringMatcher matcher(r.find, r.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
        const qsizetype n = r.find.size();
        qsizetype at = matcher.indexIn(text, 0);
        while (at >= 0) {
            if (!r.wholeWord || wholeWordAt(text, at, n)) {
                each(at, n, nullptr);
                at = matcher.indexIn(text, at + n);
            } else {
                at = matcher.indexIn(text, at + 1);
            }
        }
        return;
    }
    const QRegularExpression re = expressionOf(r);
    if (!re.isValid())
        return;
    QRegularExpressionMatchIterator it = re.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength() > 0)
            each(m.capturedStart(), m.capturedLength(), &m);
    }
}

QString readError(fs::Result r) { return fs::describe(r); }

QString pageText(const QByteArray& bytes, QString& why)
{
    QString text = fs::decodeText(bytes);
    if (!textenc::isText(text)) {
        why = QStringLiteral("not a text file");
        return {};
    }
    return text;
}

// Byte offsets in a UTF-8 page of positions in its decoded text (sorted):
// a character read as UTF-8 takes its sequence, one read as Windows-1252
// its one byte.
std::vector<qsizetype> byteOffsets(const QByteArray& bytes, const QString& text, const std::vector<int>& positions)
{
    std::vector<qsizetype> out;
    out.reserve(positions.size());
    qsizetype byte = textenc::byteOrderMark(bytes).length;
    qsizetype unit = 0;
    size_t next = 0;
    while (next < positions.size()) {
        if (unit == positions[next]) {
            out.push_back(byte);
            ++next;
            continue;
        }
        if (unit >= text.size())
            break;
        const bool pair = text[unit].isHighSurrogate() && unit + 1 < text.size();
        const QByteArray utf8 = QStringView(text).mid(unit, pair ? 2 : 1).toUtf8();
        const qsizetype left = std::max<qsizetype>(0, bytes.size() - byte);
        byte += QByteArrayView(bytes.constData() + byte, std::min<qsizetype>(utf8.size(), left)) == utf8 ? utf8.size() : 1;
        unit += pair ? 2 : 1;
    }
    return out;
}

// The indents of a source's lines after edits: a line the replacement
// breaks gives its indent to the new lines, the lines after keep theirs.
// The content's indents must match its lines.
std::vector<int> movedIndents(const rtf::Content& c, const std::vector<TextEdit>& edits)
{
    std::vector<int> out;
    size_t next = 0;  // the first old line not copied yet
    int line = 0;
    qsizetype counted = 0;
    auto lineAt = [&](qsizetype pos) {
        for (; counted < pos; ++counted)
            line += c.text[counted] == u'\n';
        return line;
    };
    for (const TextEdit& e : edits) {
        const int first = lineAt(e.start);
        for (; next <= size_t(first); ++next)
            out.push_back(c.indents[next]);
        out.insert(out.end(), e.with.count(u'\n'), c.indents[first]);
        next = std::max(next, size_t(lineAt(e.start + e.length)) + 1);
    }
    for (; next < c.indents.size(); ++next)
        out.push_back(c.indents[next]);
    return out;
}

bool emptyFolder(const QString& folder)
{
    QDir dir(folder);
    if (dir.exists() && !dir.removeRecursively())
        return false;
    return QDir().mkpath(folder);
}

} // namespace

QString requestProblem(const SearchRequest& request)
{
    if (!request.regularExpression || request.find.isEmpty())
        return {};
    const QRegularExpression re = expressionOf(request);
    if (re.isValid())
        return {};
    return QStringLiteral("Invalid regular expression at %1: %2")
        .arg(re.patternErrorOffset() + 1)
        .arg(re.errorString());
}

std::vector<SearchFile> searchFiles(const QString& workingFolder, const QStringList& pageExtensions,
                                    SearchRequest::Where where)
{
    const QString root = fs::withSeparator(workingFolder);
    const QString finalPages = root + QStringLiteral("Final-Pages/");
    const QString workingPages = root + QStringLiteral("Working-Pages/");
    std::vector<SearchFile> files;
    QSet<QString> withSource;
    for (const QString& name : fs::listFiles(workingPages, QStringLiteral("*.rtf"))) {
        const QString page = pageOfSource(name, finalPages);
        withSource.insert(page.toLower());
        if (where != SearchRequest::Where::Pages)
            files.push_back({workingPages + name, QStringLiteral("Working-Pages/") + name, finalPages + page, true});
    }
    if (where == SearchRequest::Where::Sources)
        return files;
    for (const fs::TreeEntry& e : fs::listTree(finalPages)) {
        if (e.kind != fs::TreeEntry::Kind::File || !pageExtensions.contains(fs::extension(e.relative).toLower())
            || withSource.contains(e.relative.toLower()))
            continue;
        files.push_back({finalPages + e.relative, QStringLiteral("Final-Pages/") + e.relative, finalPages + e.relative,
                         false});
    }
    return files;
}

namespace {

char16_t charAt(QStringView v, qsizetype i) { return v[i].unicode(); }
char16_t charAt(QLatin1String v, qsizetype i) { return v[i].unicode(); }
QString copyOf(QStringView v) { return v.toString(); }
QString copyOf(QLatin1String v) { return QString(v); }

// The hits of matches found in order (start, length), with their lines: the
// same for a decoded text and for the bytes of a plain ASCII page.
template <typename View>
class HitMaker {
public:
    explicit HitMaker(View text) : text_(text) {}
    void add(qsizetype start, qsizetype length)
    {
        for (qsizetype i = counted_; i < start; ++i)
            if (charAt(text_, i) == u'\n') {
                ++line_;
                lineStart_ = i + 1;
            }
        counted_ = start;
        qsizetype lineEnd = text_.indexOf(QChar(u'\n'), start);
        if (lineEnd < 0)
            lineEnd = text_.size();
        if (lineEnd > lineStart_ && charAt(text_, lineEnd - 1) == u'\r')
            --lineEnd;
        // A pattern may take the line's CR, or go on over the line break:
        // the row shows the whole match.
        lineEnd = std::max(lineEnd, start + length);
        const qsizetype from = std::max(lineStart_, start - kShownLine / 2);
        const qsizetype to = std::min(lineEnd, std::max(start + length, from + kShownLine));
        Hit h;
        h.start = int(start);
        h.length = int(length);
        h.line = line_;
        h.column = int(start - lineStart_ + 1);
        h.lineText = copyOf(text_.mid(from, std::max<qsizetype>(0, to - from)));
        h.inLine = int(start - from);
        hits.push_back(std::move(h));
    }
    std::vector<Hit> hits;

private:
    View text_;
    int line_ = 1;
    qsizetype counted_ = 0, lineStart_ = 0;
};

bool asciiWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// A literal ASCII find in a plain ASCII page, searched in its bytes: what
// findInText gives for the same page decoded. needle is in the case the
// search compares (lower case unless Match Case).
std::vector<Hit> findInAscii(const QByteArray& bytes, const SearchRequest& r, const QByteArray& needle)
{
    const QByteArray lowered = r.matchCase ? QByteArray() : bytes.toLower();
    const QByteArrayView hay(r.matchCase ? bytes : lowered);
    const qsizetype n = needle.size();
    HitMaker<QLatin1String> made(QLatin1String(bytes.constData(), bytes.size()));
    qsizetype at = hay.indexOf(needle);
    while (at >= 0) {
        const bool whole = !r.wholeWord
            || ((at == 0 || !asciiWordChar(hay[at - 1])) && (at + n >= hay.size() || !asciiWordChar(hay[at + n])));
        if (whole) {
            made.add(at, n);
            at = hay.indexOf(needle, at + n);
        } else {
            at = hay.indexOf(needle, at + 1);
        }
    }
    return std::move(made.hits);
}

} // namespace

std::vector<Hit> findInText(const QString& text, const SearchRequest& request)
{
    HitMaker<QStringView> made(text);
    eachMatch(text, request,
              [&](qsizetype start, qsizetype length, const QRegularExpressionMatch*) { made.add(start, length); });
    return std::move(made.hits);
}

namespace {

// Bytes that decode to the very same characters and pass as text: printable
// ASCII and the control characters a text may hold. Anything else (a byte
// order mark, UTF-8 beyond ASCII, UTF-16, other controls) takes the full
// way through the decoder.
bool plainAscii(const QByteArray& bytes)
{
    static const auto odd = [] {
        std::array<bool, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[size_t(c)] = c >= 0x7F || (c < 0x20 && c != '\t' && c != '\n' && c != 0x0B && c != 0x0C
                                         && c != '\r' && c != 0x1B);
        return t;
    }();
    bool any = false;
    for (const char c : bytes)
        any |= odd[static_cast<unsigned char>(c)];
    return !any;
}

// What a literal find must meet in a plain ASCII page, as bytes: "" when no
// byte test can be made (a pattern, or a find beyond ASCII, whose case-free
// forms Unicode may spell with ASCII letters).
QByteArray asciiNeedle(const SearchRequest& r)
{
    if (r.regularExpression || r.find.isEmpty())
        return {};
    for (const QChar c : r.find)
        if (c.unicode() >= 0x80)
            return {};
    const QByteArray b = r.find.toLatin1();
    return r.matchCase ? b : b.toLower();
}

} // namespace

QString SearchCache::text(const SearchFile& file, fs::FileStamp& stamp, QString& why)
{
    return textFor(file, SearchRequest{}, stamp, why);
}

QString SearchCache::textFor(const SearchFile& file, const SearchRequest& request, fs::FileStamp& stamp,
                             QString& why, std::vector<Hit>* hits, bool* found)
{
    if (found)
        *found = false;
    stamp = fs::stamp(file.path);
    {
        QMutexLocker lock(&mutex_);
        const auto it = entries_.constFind(file.path);
        if (it != entries_.cend() && it->stamp == stamp && stamp.exists) {
            why = it->why;
            return it->text;
        }
    }
    QByteArray bytes;
    const fs::Result r = fs::readBytes(file.path, bytes);
    QString text;
    why.clear();
    if (r != fs::Result::Ok) {
        why = readError(r);
    } else if (file.source) {
        rtf::Content c;
        if (rtf::readSource(bytes, c))
            text = std::move(c.text);
        else
            why = QStringLiteral("not a text file");
    } else {
        // Most pages of a site are plain ASCII and most hold no match:
        // looking at the bytes spares decoding them, and a plain page
        // needs no decoder.
        if (plainAscii(bytes)) {
            const QByteArray needle = asciiNeedle(request);
            if (!needle.isEmpty() && hits && found) {
                *hits = findInAscii(bytes, request, needle);
                *found = true;
                return {};
            }
            if (!needle.isEmpty()
                && !QByteArrayView(request.matchCase ? bytes : bytes.toLower()).contains(needle))
                return {};
            text = QString::fromLatin1(bytes);
        } else {
            text = pageText(bytes, why);
        }
    }
    QMutexLocker lock(&mutex_);
    entries_.insert(file.path, {stamp, text, why});
    return text;
}

void SearchCache::clear()
{
    QMutexLocker lock(&mutex_);
    entries_.clear();
}

std::vector<FileResult> searchSite(const std::vector<SearchFile>& files, const SearchRequest& request,
                                   SearchCache& cache, const std::function<void(const FileResult&)>& found,
                                   const std::atomic_bool* cancel)
{
    std::vector<FileResult> all(files.size());
    if (request.find.isEmpty() || !requestProblem(request).isEmpty())
        return {};
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < files.size(); i = next++) {
            if (cancel && *cancel)
                return;
            FileResult& r = all[i];
            r.file = files[i];
            bool searched = false;
            const QString text = cache.textFor(r.file, request, r.stamp, r.skipped, &r.hits, &searched);
            if (r.skipped.isEmpty() && !searched)
                r.hits = findInText(text, request);
            if (found && (!r.hits.empty() || !r.skipped.isEmpty()))
                found(r);
        }
    };
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads && t < files.size(); ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    std::vector<FileResult> out;
    for (FileResult& r : all)
        if (!r.hits.empty() || !r.skipped.isEmpty())
            out.push_back(std::move(r));
    return out;
}

QString countText(const std::vector<FileResult>& results)
{
    int matches = 0, files = 0;
    for (const FileResult& r : results)
        if (!r.hits.empty()) {
            matches += int(r.hits.size());
            ++files;
        }
    return QStringLiteral("%1 %2 in %3 %4")
        .arg(matches)
        .arg(matches == 1 ? QStringLiteral("match") : QStringLiteral("matches"))
        .arg(files)
        .arg(files == 1 ? QStringLiteral("file") : QStringLiteral("files"));
}

QString expandReplacement(const QString& with, const QRegularExpressionMatch* match, QStringView lineBreak)
{
    QString out;
    for (qsizetype i = 0; i < with.size(); ++i) {
        const QChar c = with[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < with.size() && with[i + 1] == u'\n')
                ++i;
            out += lineBreak;
        } else if (match && c == u'\\' && i + 1 < with.size()) {
            const QChar d = with[++i];
            if (d.isDigit())
                out += match->captured(d.digitValue());
            else if (d == u'n')
                out += lineBreak;
            else if (d == u't')
                out += u'\t';
            else
                out += d;
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<TextEdit> replacementEdits(const QString& text, const SearchRequest& request, const QString& with,
                                       QStringView lineBreak)
{
    std::vector<TextEdit> edits;
    const QString plain = request.regularExpression ? QString() : expandReplacement(with, nullptr, lineBreak);
    eachMatch(text, request, [&](qsizetype start, qsizetype length, const QRegularExpressionMatch* m) {
        edits.push_back({int(start), int(length), m ? expandReplacement(with, m, lineBreak) : plain});
    });
    return edits;
}

ReplaceOutcome replaceInSite(const std::vector<FileResult>& results, const SearchRequest& request,
                             const QString& with, const QString& backupFolder, const SourceFont& font,
                             const QStringList& skip)
{
    ReplaceOutcome out;
    if (!emptyFolder(backupFolder)) {
        out.failed << backupFolder + QStringLiteral(": the previous versions cannot be kept there");
        return out;
    }
    const QString folder = fs::withSeparator(backupFolder);
    int copies = 0;
    // Keeps the previous version, then writes the new one.
    auto write = [&](const QString& path, const QString& shown, const QByteArray& before, const QByteArray& after) {
        const QString copy = folder + QString::number(++copies);
        fs::Result r = fs::writeBytes(copy, before);
        if (r == fs::Result::Ok)
            r = fs::writeBytes(path, after);
        if (r != fs::Result::Ok) {
            out.failed << shown + QStringLiteral(": ") + fs::describe(r);
            return false;
        }
        out.backups.push_back({path, shown, copy, fs::stamp(path)});
        return true;
    };
    for (const FileResult& result : results) {
        const SearchFile& f = result.file;
        if (result.hits.empty() || skip.contains(f.path))
            continue;
        if (fs::changedSince(result.stamp, fs::stamp(f.path))) {
            out.changedSince << f.shown;
            continue;
        }
        QByteArray bytes;
        if (const fs::Result r = fs::readBytes(f.path, bytes); r != fs::Result::Ok) {
            out.failed << f.shown + QStringLiteral(": ") + fs::describe(r);
            continue;
        }
        int matches = 0;
        if (f.source) {
            rtf::Content content;
            if (!rtf::readSource(bytes, content)) {
                out.failed << f.shown + QStringLiteral(": not a text file");
                continue;
            }
            const std::vector<TextEdit> edits = replacementEdits(content.text, request, with, u"\n");
            if (edits.empty())
                continue;
            content.fixIndents();
            std::vector<int> indents = movedIndents(content, edits);
            editContent(content, edits);
            content.indents = std::move(indents);
            content.fixIndents();
            if (!write(f.path, f.shown, bytes, rtf::write(content, font.name, font.points)))
                continue;
            // The page follows its source, as Save writes it.
            QByteArray page;
            const fs::Result had = fs::readBytes(f.page, page);
            const QString shownPage = QStringLiteral("Final-Pages/") + fs::fileName(f.page);
            if (had == fs::Result::Ok || had == fs::Result::NotFound)
                write(f.page, shownPage, page, textenc::encode(rtf::crlfText(content)));
            else
                out.failed << shownPage + QStringLiteral(": ") + fs::describe(had);
            matches = int(edits.size());
        } else {
            const textenc::Encoding encoding = textenc::byteOrderMark(bytes).encoding;
            if (encoding != textenc::Encoding::Utf8) {
                out.failed << f.shown + QStringLiteral(": not changed: not a UTF-8 file");
                continue;
            }
            const QString text = fs::decodeText(bytes);
            const std::vector<TextEdit> edits = replacementEdits(text, request, with, u"\r\n");
            if (edits.empty())
                continue;
            std::vector<int> positions;
            for (const TextEdit& e : edits) {
                positions.push_back(e.start);
                positions.push_back(e.start + e.length);
            }
            const std::vector<qsizetype> at = byteOffsets(bytes, text, positions);
            if (at.size() != positions.size())
                continue;
            QByteArray after;
            qsizetype kept = 0;
            for (size_t i = 0; i < edits.size(); ++i) {
                after += QByteArrayView(bytes.constData() + kept, at[2 * i] - kept);
                after += edits[i].with.toUtf8();
                kept = at[2 * i + 1];
            }
            after += QByteArrayView(bytes.constData() + kept, bytes.size() - kept);
            if (!write(f.path, f.shown, bytes, after))
                continue;
            matches = int(edits.size());
        }
        ++out.files;
        out.matches += matches;
    }
    return out;
}

UndoOutcome undoReplace(const std::vector<Backup>& backups)
{
    UndoOutcome out;
    for (const Backup& b : backups) {
        if (fs::changedSince(b.written, fs::stamp(b.path))) {
            out.changedSince << b.shown;
            continue;
        }
        QByteArray before;
        fs::Result r = fs::readBytes(b.copy, before);
        if (r == fs::Result::Ok)
            r = fs::writeBytes(b.path, before);
        if (r == fs::Result::Ok)
            ++out.restored;
        else
            out.failed << b.shown + QStringLiteral(": ") + fs::describe(r);
    }
    return out;
}

QString backupFolder()
{
    return fs::withSeparator(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        + QStringLiteral("site-replace");
}

} // namespace sitekit
