#include "sitekit/link_rewrite.h"

#include "platform/file_system.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"

#include <QDir>

#include <algorithm>
#include <atomic>
#include <thread>

namespace sitekit {

namespace {

bool insideFolder(const QString& path, const QString& folder)
{
    const QString a = fs::canonicalPath(path);
    const QString b = fs::canonicalPath(folder);
    return !a.isEmpty() && !b.isEmpty() && a.startsWith(b + QLatin1Char('/'));
}

// The new text of one link: its file name replaced, written as the old one was.
QByteArray renamedLink(QByteArrayView raw, const QString& newName, char quote, bool inHtml)
{
    const QString link = QString::fromUtf8(raw);
    const NamePart part = namePart(link);
    QString name = writeName(newName, part.encoded);
    // What would end the value or the address early is always encoded.
    if (quote)
        name.replace(QLatin1Char(quote), QString::fromLatin1(QByteArray(1, quote).toPercentEncoding()));
    if (quote != '"')
        name.replace(QLatin1Char('"'), QStringLiteral("%22"));
    if (inHtml)
        name.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    return (link.left(part.start) + name + link.mid(part.start + part.length)).toUtf8();
}

std::vector<Edit> editsOf(const SiteFile& f, const QString& from, const QString& to, int& links)
{
    std::vector<Edit> edits;
    const QString newName = to.section(QLatin1Char('/'), -1);
    for (const Link& l : f.links) {
        if (l.target.kind != Target::Kind::Local || l.target.path != from)
            continue;
        // A link that is only "#fragment" names no file.
        const QByteArrayView raw = QByteArrayView(f.bytes).sliced(l.start, l.length);
        if (namePart(QString::fromUtf8(raw)).length == 0)
            continue;
        edits.push_back({l.start, l.length, renamedLink(raw, newName, l.quote, f.kind != SiteFile::Kind::StyleSheet)});
        ++links;
    }
    return edits;
}

QByteArray applied(const QByteArray& bytes, const std::vector<Edit>& edits)
{
    QByteArray out;
    out.reserve(bytes.size() + 64);
    qsizetype at = 0;
    for (const Edit& e : edits) {
        out.append(QByteArrayView(bytes).sliced(at, e.start - at));
        out.append(e.with);
        at = e.start + e.length;
    }
    out.append(QByteArrayView(bytes).sliced(at));
    return out;
}

// Byte edits of a UTF-8 text as edits of the text itself.
std::vector<TextEdit> asTextEdits(const QByteArray& utf8, const std::vector<Edit>& edits)
{
    std::vector<TextEdit> out;
    qsizetype byte = 0;
    int unit = 0;
    for (const Edit& e : edits) {
        unit += int(QString::fromUtf8(QByteArrayView(utf8).sliced(byte, e.start - byte)).size());
        const int length = int(QString::fromUtf8(QByteArrayView(utf8).sliced(e.start, e.length)).size());
        out.push_back({unit, length, QString::fromUtf8(e.with)});
        unit += length;
        byte = e.start + e.length;
    }
    return out;
}

} // namespace

// The edits made to a source's text: each replaced link takes the colour of
// its first character; the colour after it is the one it had.
void editContent(rtf::Content& c, const std::vector<TextEdit>& edits)
{
    // Where an old position lands in the new text.
    auto moved = [&](int p) {
        int shift = 0;
        for (const TextEdit& e : edits) {
            if (e.start >= p)
                break;
            shift += int(e.with.size()) - e.length;
        }
        return p + shift;
    };
    std::vector<rtf::ColorChange> colors;
    for (const rtf::ColorChange& k : c.colors) {
        const bool replaced = std::any_of(edits.begin(), edits.end(), [&](const TextEdit& e) {
            return k.start >= e.start && k.start < e.start + e.length;
        });
        if (!replaced)
            colors.push_back({moved(k.start), k.bgr});
    }
    if (!c.colors.empty())
        for (const TextEdit& e : edits) {
            colors.push_back({moved(e.start), c.colorAt(e.start)});
            if (e.start + e.length < c.text.size())
                colors.push_back({moved(e.start + e.length), c.colorAt(e.start + e.length)});
        }
    std::stable_sort(colors.begin(), colors.end(),
                     [](const rtf::ColorChange& a, const rtf::ColorChange& b) { return a.start < b.start; });
    std::vector<rtf::ColorChange> kept;
    for (const rtf::ColorChange& k : colors) {
        if (!kept.empty() && kept.back().start == k.start)
            kept.pop_back();
        if (kept.empty() || kept.back().bgr != k.bgr)
            kept.push_back(k);
    }
    QString text;
    int at = 0;
    for (const TextEdit& e : edits) {
        text += QStringView(c.text).mid(at, e.start - at);
        text += e.with;
        at = e.start + e.length;
    }
    text += QStringView(c.text).mid(at);
    c.text = std::move(text);
    c.colors = std::move(kept);
}

QString mentionedName(const QString& from)
{
    QString best, run;
    for (const QChar c : from.section(QLatin1Char('/'), -1) + QLatin1Char(' ')) {
        if (c.unicode() < 128 && c.isLetterOrNumber()) {
            run += c;
            continue;
        }
        if (run.size() > best.size())
            best = run;
        run.clear();
    }
    return best;
}

RenamePlan planRename(const Site& site, const QString& from, const QString& to,
                      std::vector<std::pair<QString, QString>> moves, const SourceFont& font)
{
    RenamePlan plan;
    plan.from = from;
    plan.to = to;
    plan.moves = std::move(moves);
    if (folderOf(from) != folderOf(to))
        plan.problem = QStringLiteral("the new name must be in the same folder as the old one");
    for (const SiteFile& f : site.files) {
        if (!f.notChecked.isEmpty()) {
            plan.notChecked << (QDir(site.workingFolder).relativeFilePath(f.path) + QStringLiteral(": ") + f.notChecked);
            continue;
        }
        int links = 0;
        std::vector<Edit> edits = editsOf(f, from, to, links);
        if (edits.empty())
            continue;
        const QString shown = QDir(site.workingFolder).relativeFilePath(f.path);
        // A link to a file outside the site, or a file reached through one,
        // is someone else's: it is never written.
        if (!insideFolder(f.path, site.workingFolder)) {
            plan.notChecked << shown + QStringLiteral(": not changed: lies outside the working folder");
            continue;
        }
        FileChange change{f.path, shown, f.kind, std::move(edits), {}};
        if (f.kind == SiteFile::Kind::Source) {
            rtf::Content content = f.source;
            editContent(content, asTextEdits(f.bytes, change.edits));
            change.after = rtf::write(content, font.name, font.points);
        } else {
            change.after = applied(f.bytes, change.edits);
        }
        plan.links += links;
        plan.changes.push_back(std::move(change));
    }
    return plan;
}

std::vector<std::pair<QString, QString>> renameMoves(const Site& site, const QString& from, const QString& to,
                                                     const QStringList& pageExtensions)
{
    std::vector<std::pair<QString, QString>> moves{{site.finalPages + from, site.finalPages + to}};
    const QString ext = fs::extension(from).toLower();
    if (from.contains(QLatin1Char('/')) || !pageExtensions.contains(ext))
        return moves;
    // The source of about.html is about.rtf (its page then has the default
    // extension, or keeps .htm) or about.html.rtf.
    const QString shortSource = site.workingPages + fs::baseName(from) + QStringLiteral(".rtf");
    const QString longSource = site.workingPages + from + QStringLiteral(".rtf");
    if (fs::fileExists(shortSource) && pageOfSource(fs::fileName(shortSource), site.finalPages) == from) {
        const bool keepsForm = fs::extension(to).toLower() == ext;
        moves.emplace_back(shortSource, site.workingPages + (keepsForm ? fs::baseName(to) : to) + QStringLiteral(".rtf"));
    } else if (fs::fileExists(longSource)) {
        moves.emplace_back(longSource, site.workingPages + to + QStringLiteral(".rtf"));
    }
    return moves;
}

std::vector<TextEdit> textEdits(const QString& text, const QString& base, const QString& from, const QString& to)
{
    SiteFile f;
    f.kind = SiteFile::Kind::Source;
    f.relative = f.base = base;
    f.bytes = text.toUtf8();
    findLinks(f);
    int links = 0;
    return asTextEdits(f.bytes, editsOf(f, from, to, links));
}

Applied applyRename(const RenamePlan& plan, bool updateLinks, const QStringList& skip)
{
    std::vector<const FileChange*> todo;
    if (updateLinks)
        for (const FileChange& c : plan.changes)
            if (!skip.contains(c.path))
                todo.push_back(&c);
    // What each file held, to put back should any write fail.
    std::vector<QByteArray> before(todo.size());
    for (size_t i = 0; i < todo.size(); ++i)
        if (const fs::Result r = fs::readBytes(todo[i]->path, before[i]); r != fs::Result::Ok)
            return {false, todo[i]->shown, fs::describe(r)};
    // Each write waits for the disk; several at once wait together.
    std::vector<fs::Result> results(todo.size(), fs::Result::Ok);
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < todo.size(); i = next++)
            results[i] = fs::writeBytes(todo[i]->path, todo[i]->after);
    };
    {
        std::vector<std::thread> threads;
        for (size_t t = 1; t < std::min<size_t>(8, todo.size()); ++t)
            threads.emplace_back(work);
        work();
        for (std::thread& t : threads)
            t.join();
    }
    auto putBack = [&] {
        for (size_t i = 0; i < todo.size(); ++i)
            if (results[i] == fs::Result::Ok)
                fs::writeBytes(todo[i]->path, before[i]);
    };
    for (size_t i = 0; i < todo.size(); ++i)
        if (results[i] != fs::Result::Ok) {
            putBack();
            return {false, todo[i]->shown, fs::describe(results[i])};
        }
    std::vector<std::pair<QString, QString>> moved;
    for (const auto& [from, to] : plan.moves) {
        const fs::Result r = fs::renameFile(from, to);
        if (r != fs::Result::Ok) {
            for (auto it = moved.rbegin(); it != moved.rend(); ++it)
                fs::renameFile(it->second, it->first);
            putBack();
            return {false, fs::fileName(from), fs::describe(r)};
        }
        moved.emplace_back(from, to);
    }
    return {};
}

QString updateQuestion(const RenamePlan& plan)
{
    return QStringLiteral("Update %1 links in %2 files?").arg(plan.links).arg(plan.files());
}

QString linkingPagesText(const QString& target, const QStringList& pages)
{
    return QStringLiteral("%1 %2 to %3: %4")
        .arg(pages.size())
        .arg(pages.size() == 1 ? QStringLiteral("page links") : QStringLiteral("pages link"), target,
             pages.join(QStringLiteral(", ")));
}

} // namespace sitekit
