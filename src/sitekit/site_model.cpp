#include "sitekit/site_model.h"

#include "platform/file_system.h"
#include "platform/rtf_reader.h"
#include "platform/text_encoding.h"
#include "sitekit/html_parser.h"

#include <QDir>

#include <algorithm>
#include <atomic>
#include <thread>

namespace sitekit {

namespace {

// The attributes whose whole value is one address.
bool isAddressAttribute(const QByteArray& name)
{
    static const char* const names[] = {"href", "src", "action", "formaction", "poster", "data",
                                        "background", "cite", "longdesc", "manifest"};
    for (const char* n : names)
        if (name == n)
            return true;
    return false;
}

// The few references a link is ever written with; others stay as written.
QString decodeReferences(QByteArrayView raw)
{
    if (!raw.contains('&'))
        return QString::fromUtf8(raw);
    static const struct { const char* name; char c; } named[] = {
        {"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"quot;", '"'}, {"apos;", '\''}, {"nbsp;", ' '}};
    QString out;
    qsizetype i = 0;
    while (i < raw.size()) {
        const qsizetype amp = raw.sliced(i).indexOf('&');
        if (amp < 0) {
            out += QString::fromUtf8(raw.sliced(i));
            break;
        }
        out += QString::fromUtf8(raw.sliced(i, amp));
        i += amp + 1;
        bool done = false;
        if (i < raw.size() && raw[i] == '#') {
            const bool hex = i + 1 < raw.size() && (raw[i + 1] | 0x20) == 'x';
            qsizetype j = i + (hex ? 2 : 1);
            uint value = 0;
            const qsizetype digits = j;
            while (j < raw.size() && j - digits < 8 && QChar::fromLatin1(raw[j]).isLetterOrNumber()) {
                const int d = QChar::fromLatin1(raw[j]).digitValue();
                const int h = hex && d < 0 ? ((raw[j] | 0x20) >= 'a' && (raw[j] | 0x20) <= 'f' ? (raw[j] | 0x20) - 'a' + 10 : -1) : d;
                if (h < 0 || (!hex && h > 9))
                    break;
                value = value * (hex ? 16 : 10) + uint(h);
                ++j;
            }
            if (j > digits && value > 0 && value <= 0x10FFFF) {
                out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&value), 1);
                i = j < raw.size() && raw[j] == ';' ? j + 1 : j;
                done = true;
            }
        } else {
            for (const auto& n : named)
                if (raw.sliced(i).startsWith(n.name)) {
                    out += QLatin1Char(n.c);
                    i += qsizetype(qstrlen(n.name));
                    done = true;
                    break;
                }
        }
        if (!done)
            out += QLatin1Char('&');
    }
    return out;
}

class Lines {
public:
    explicit Lines(QByteArrayView bytes) : bytes_(bytes)
    {
        starts_.push_back(0);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c == '\n' || (c == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
                starts_.push_back(i + 1);
        }
    }
    void place(Link& l) const
    {
        const auto it = std::upper_bound(starts_.begin(), starts_.end(), l.start) - 1;
        l.line = int(it - starts_.begin()) + 1;
        int column = 1;
        for (qsizetype i = *it; i < l.start; ++i)
            if ((uchar(bytes_[i]) & 0xC0) != 0x80)
                ++column;
        l.column = column;
    }

private:
    QByteArrayView bytes_;
    std::vector<qsizetype> starts_;
};

void addLink(SiteFile& f, qsizetype start, qsizetype length, QString text, char quote = 0)
{
    Link l;
    l.quote = quote;
    l.start = start;
    l.length = length;
    l.text = std::move(text);
    l.target = resolve(l.text, f.base);
    f.links.push_back(std::move(l));
}

void addSpans(SiteFile& f, qsizetype offset, const std::vector<Span>& spans, char quote)
{
    for (const Span& s : spans)
        addLink(f, offset + s.start, s.length, decodeReferences(QByteArrayView(f.bytes).sliced(offset + s.start, s.length)),
                quote);
}

QString matchedSuffix(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

bool matches(const QStringList& filters, const QString& name)
{
    for (const QString& f : filters)
        if (QDir::match(f, name))
            return true;
    return false;
}

// Reads the bytes of a file to be checked, or says why not.
QString readChecked(const QString& path, QByteArray& out)
{
    if (fs::size(path) >= kLargestChecked)
        return QStringLiteral("not checked: larger than 50 MB");
    const fs::Result r = fs::readBytes(path, out);
    if (r != fs::Result::Ok)
        return QStringLiteral("not checked: ") + fs::describe(r);
    if (textenc::byteOrderMark(out).encoding != textenc::Encoding::Utf8)
        return QStringLiteral("not checked: written in UTF-16 or UTF-32");
    if (out.contains('\0') || !textenc::isText(textenc::decodeRun(QByteArrayView(out).first(qMin<qsizetype>(out.size(), 4096)))))
        return QStringLiteral("not checked: not a text file");
    return {};
}

void load(SiteFile& f, const QByteArray& mentioning)
{
    if (f.kind == SiteFile::Kind::Source) {
        QByteArray raw;
        f.notChecked = readChecked(f.path, raw);
        if (!f.notChecked.isEmpty() && !rtf::isRtf(raw))
            return;
        f.notChecked.clear();
        rtf::Content c;
        if (!rtf::readSource(raw, c)) {
            f.notChecked = QStringLiteral("not checked: not a text file");
            return;
        }
        f.bytes = c.text.toUtf8();
        f.source = std::move(c);
    } else {
        f.notChecked = readChecked(f.path, f.bytes);
        if (!f.notChecked.isEmpty())
            return;
    }
    if (!mentioning.isEmpty() && !f.bytes.contains(mentioning))
        return;
    findLinks(f);
}

// Runs load over every file, on every core: parsing is the bulk of a check.
void loadAll(std::vector<SiteFile>& files, const QByteArray& mentioning)
{
    const unsigned cores = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
    if (files.size() < 16 || cores == 1) {
        for (SiteFile& f : files)
            load(f, mentioning);
        return;
    }
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < files.size(); i = next++)
            load(files[i], mentioning);
    };
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < cores; ++t)
        threads.emplace_back(work);
    work();
    for (std::thread& t : threads)
        t.join();
}

bool inside(const QString& path, const QString& folder)
{
    const QString a = fs::canonicalPath(path);
    const QString b = fs::canonicalPath(folder);
    return !a.isEmpty() && !b.isEmpty() && (a + QLatin1Char('/')).startsWith(b + QLatin1Char('/'));
}

} // namespace

const SiteFile* Site::page(const QString& relative) const
{
    for (const SiteFile& f : files)
        if (f.kind == SiteFile::Kind::Page && f.relative == relative)
            return &f;
    return nullptr;
}

QStringList pageExtensions(const QString& webPageFilter)
{
    QStringList out;
    const QStringList items = webPageFilter.split(QLatin1Char('|'));
    for (qsizetype i = 1; i < items.size(); i += 2)
        for (const QString& pattern : items[i].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString p = pattern.trimmed();
            if (p.startsWith(QLatin1String("*.")) && p.size() > 2 && !p.mid(2).contains(QLatin1Char('*'))
                && !out.contains(p.mid(2).toLower()))
                out << p.mid(2).toLower();
        }
    return out;
}

void findLinks(SiteFile& f)
{
    f.links.clear();
    f.ids.clear();
    if (f.kind == SiteFile::Kind::StyleSheet) {
        for (const Span& u : cssUrls(f.bytes))
            addLink(f, u.start, u.length, QString::fromUtf8(QByteArrayView(f.bytes).sliced(u.start, u.length)));
        const Lines lines(f.bytes);
        for (Link& l : f.links)
            lines.place(l);
        return;
    }
    const html::Document doc = html::parse(f.bytes);
    const QByteArrayView bytes(f.bytes);
    for (const html::Element& e : doc.elements) {
        const bool refresh = e.tag == "meta" && std::any_of(e.attributes.begin(), e.attributes.end(), [](const html::Attribute& a) {
                                 return a.name == "http-equiv" && a.value.trimmed().toLower() == "refresh";
                             });
        for (const html::Attribute& a : e.attributes) {
            const QByteArrayView raw = bytes.sliced(a.start, a.end - a.start);
            const char q = a.start > 0 && (bytes[a.start - 1] == '"' || bytes[a.start - 1] == '\'') ? bytes[a.start - 1] : ' ';
            if (isAddressAttribute(a.name)) {
                qsizetype from = 0, to = raw.size();
                while (from < to && QChar::fromLatin1(raw[from]).isSpace())
                    ++from;
                while (to > from && QChar::fromLatin1(raw[to - 1]).isSpace())
                    --to;
                if (to > from)
                    addLink(f, a.start + from, to - from, QString::fromUtf8(a.value).trimmed(), q);
            } else if (a.name == "srcset") {
                addSpans(f, a.start, srcsetUrls(raw), q);
            } else if (a.name == "style") {
                addSpans(f, a.start, cssUrls(raw), q);
            } else if (a.name == "content" && refresh) {
                if (const auto s = refreshUrl(raw))
                    addSpans(f, a.start, {*s}, q);
            } else if (a.name == "id" || (a.name == "name" && e.tag == "a")) {
                if (!a.value.isEmpty())
                    f.ids.insert(QString::fromUtf8(a.value));
            }
        }
    }
    for (const html::StyleBlock& s : doc.styles)
        for (const Span& u : cssUrls(bytes.sliced(s.start, s.end - s.start)))
            addLink(f, s.start + u.start, u.length, QString::fromUtf8(bytes.sliced(s.start + u.start, u.length)));
    std::sort(f.links.begin(), f.links.end(), [](const Link& a, const Link& b) { return a.start < b.start; });
    const Lines lines(bytes);
    for (Link& l : f.links)
        lines.place(l);
}

QString pageOfSource(const QString& sourceName, const QString& finalPages)
{
    QString name = sourceName;
    if (name.endsWith(QLatin1String(".rtf")))
        name.chop(4);
    if (name.contains(QLatin1Char('.')))
        return name;
    if (!fs::fileExists(fs::withSeparator(finalPages) + name + QStringLiteral(".html"))
        && fs::fileExists(fs::withSeparator(finalPages) + name + QStringLiteral(".htm")))
        return name + QStringLiteral(".htm");
    return name + QStringLiteral(".html");
}

Site readSite(const QString& workingFolder, const SiteOptions& options)
{
    Site site;
    site.workingFolder = fs::withSeparator(workingFolder);
    site.finalPages = site.workingFolder + QStringLiteral("Final-Pages/");
    site.workingPages = site.workingFolder + QStringLiteral("Working-Pages/");
    const QStringList pictureFilters = options.picturePattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);

    // Every folder once: a link back to a folder already read (a loop, or
    // two links to one folder) is noted and not followed again.
    QSet<QString> seen;
    std::vector<QString> todo{QString()};
    while (!todo.empty()) {
        const QString rel = todo.back();
        todo.pop_back();
        const QString folder = site.finalPages + rel;
        const QString canonical = fs::canonicalPath(folder);
        if (canonical.isEmpty())
            continue;
        if (seen.contains(canonical)) {
            site.folderLoops << rel;
            continue;
        }
        seen.insert(canonical);
        const bool pictureFolder = rel.startsWith(QLatin1String("Images/"), Qt::CaseInsensitive)
            || rel.startsWith(QLatin1String("Backgrnd/"), Qt::CaseInsensitive);
        for (const QString& name : fs::listFiles(folder)) {
            const QString relative = rel + name;
            site.existing.insert(relative);
            site.byLowerCase.insert(relative.toLower(), relative);
            const QString suffix = matchedSuffix(name);
            if (options.pageExtensions.contains(suffix) || suffix == QLatin1String("css")) {
                SiteFile f;
                f.kind = suffix == QLatin1String("css") ? SiteFile::Kind::StyleSheet : SiteFile::Kind::Page;
                f.path = folder + name;
                f.relative = f.base = relative;
                site.files.push_back(std::move(f));
            } else if (pictureFolder && matches(pictureFilters, name)) {
                site.pictures << relative;
            }
        }
        const QStringList folders = fs::listFolders(folder);
        for (auto it = folders.rbegin(); it != folders.rend(); ++it)
            todo.push_back(rel + *it + QLatin1Char('/'));
    }

    if (options.withSources) {
        for (const QString& name : fs::listFiles(site.workingPages))
            if (fs::extension(name) == QLatin1String("rtf")) {
                SiteFile f;
                f.kind = SiteFile::Kind::Source;
                f.path = site.workingPages + name;
                f.relative = f.base = pageOfSource(name, site.finalPages);
                site.files.push_back(std::move(f));
            }
        QStringList lists;
        for (const char* name : {"Image.lst", "URL.lst", "Anchor.lst", "Target.lst"})
            lists << site.workingPages + QLatin1String(name);
        if (!options.referenceFolder.isEmpty() && inside(options.referenceFolder, site.workingFolder))
            for (const char* name : {"Button.but", "Image.lst", "URL.lst", "Anchor.lst"})
                lists << fs::withSeparator(options.referenceFolder) + QLatin1String(name);
        for (const QString& path : lists)
            if (fs::fileExists(path)) {
                SiteFile f;
                f.kind = SiteFile::Kind::List;
                f.path = path;
                f.relative = QDir(site.workingFolder).relativeFilePath(path);
                f.base = QStringLiteral("list");
                site.files.push_back(std::move(f));
            }
    }
    loadAll(site.files, options.mentioning.toUtf8());
    return site;
}

QStringList filesLinkingTo(const Site& site, const QString& target)
{
    QStringList out;
    for (const SiteFile& f : site.files) {
        if (f.kind != SiteFile::Kind::Page && f.kind != SiteFile::Kind::StyleSheet)
            continue;
        if (f.relative == target)
            continue;
        for (const Link& l : f.links)
            if (l.target.kind == Target::Kind::Local && l.target.path == target) {
                out << f.relative;
                break;
            }
    }
    return out;
}

} // namespace sitekit
