#include "sitekit/link_check.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace sitekit {

namespace {

QString belowWorking(const SiteFile& f)
{
    return f.kind == SiteFile::Kind::List ? f.relative : QStringLiteral("Final-Pages/") + f.relative;
}

// The page a folder link opens, "" when there is none.
QString indexOf(const Site& site, const QString& folder, const QStringList& extensions)
{
    for (const char* base : {"index.", "default."})
        for (const QString& ext : extensions)
            if (site.existing.contains(folder + QLatin1String(base) + ext))
                return folder + QLatin1String(base) + ext;
    return {};
}

} // namespace

QString groupName(Finding::Group group)
{
    switch (group) {
    case Finding::Group::Broken: return QStringLiteral("Broken links");
    case Finding::Group::Orphan: return QStringLiteral("Pages no page links to");
    case Finding::Group::UnusedPicture: return QStringLiteral("Pictures no page uses");
    case Finding::Group::NotChecked: return QStringLiteral("Files not checked");
    case Finding::Group::External: return QStringLiteral("External links");
    }
    return {};
}

std::vector<Finding> checkLinks(const Site& site, const QStringList& extensions)
{
    std::vector<Finding> out;
    QSet<QString> used;
    QHash<QString, const SiteFile*> pages;
    for (const SiteFile& f : site.files)
        if (f.kind == SiteFile::Kind::Page)
            pages.insert(f.relative, &f);

    for (const SiteFile& f : site.files) {
        if (f.kind != SiteFile::Kind::Page && f.kind != SiteFile::Kind::StyleSheet)
            continue;
        const QString file = belowWorking(f);
        if (!f.notChecked.isEmpty()) {
            out.push_back({Finding::Group::NotChecked, file, f.path, 0, 0, QString(), f.notChecked});
            continue;
        }
        for (const Link& l : f.links) {
            auto add = [&](Finding::Group g, const QString& reason) {
                out.push_back({g, file, f.path, l.line, l.column, l.text, reason});
            };
            const Target& t = l.target;
            if (t.kind == Target::Kind::External) {
                add(Finding::Group::External, QStringLiteral("external link"));
                continue;
            }
            if (t.kind == Target::Kind::Leaves) {
                add(Finding::Group::Broken, QStringLiteral("leaves Final-Pages"));
                continue;
            }
            if (t.kind != Target::Kind::Local)
                continue;
            QString target = t.path;
            if (target.isEmpty() || target.endsWith(QLatin1Char('/'))) {
                const QString index = indexOf(site, target, extensions);
                if (index.isEmpty()) {
                    add(Finding::Group::Broken, QStringLiteral("missing file"));
                    continue;
                }
                target = index;
            }
            if (target != f.relative)
                used.insert(target);
            if (!site.existing.contains(target)) {
                const auto other = site.byLowerCase.constFind(target.toLower());
                if (other != site.byLowerCase.cend()) {
                    used.insert(*other);
                    add(Finding::Group::Broken, QStringLiteral("case mismatch: %1 on disk").arg(*other));
                } else {
                    add(Finding::Group::Broken, QStringLiteral("missing file"));
                }
                continue;
            }
            if (!t.hasFragment || t.fragment.isEmpty() || t.fragment.compare(QLatin1String("top"), Qt::CaseInsensitive) == 0)
                continue;
            const SiteFile* page = pages.value(target);
            if (page && page->notChecked.isEmpty() && !page->ids.contains(t.fragment))
                add(Finding::Group::Broken, QStringLiteral("missing fragment"));
        }
    }

    QStringList homes;
    for (const char* base : {"index.", "default."})
        for (const QString& ext : extensions)
            homes << QLatin1String(base) + ext;
    for (const SiteFile& f : site.files)
        if (f.kind == SiteFile::Kind::Page && !used.contains(f.relative) && !homes.contains(f.relative))
            out.push_back({Finding::Group::Orphan, belowWorking(f), f.path, 0, 0, f.relative,
                           QStringLiteral("no page links to it")});
    for (const QString& p : site.pictures)
        if (!used.contains(p))
            out.push_back({Finding::Group::UnusedPicture, QStringLiteral("Final-Pages/") + p, site.finalPages + p, 0, 0, p,
                           QStringLiteral("no page uses it")});

    std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) {
        if (a.group != b.group)
            return a.group < b.group;
        if (a.file != b.file)
            return a.file < b.file;
        return a.line < b.line || (a.line == b.line && a.column < b.column);
    });
    return out;
}

bool hasBrokenLinks(const std::vector<Finding>& findings)
{
    return std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.group == Finding::Group::Broken; });
}

QString findingLine(const Finding& f)
{
    return QStringLiteral("%1:%2:%3: %4: %5")
        .arg(f.file)
        .arg(qMax(f.line, 1))
        .arg(qMax(f.column, 1))
        .arg(f.link.isEmpty() ? f.file.section(QLatin1Char('/'), -1) : f.link, f.reason);
}

QByteArray findingsJson(const std::vector<Finding>& findings)
{
    static const char* const keys[] = {"broken", "orphan", "unusedPicture", "notChecked", "external"};
    QJsonArray rows;
    for (const Finding& f : findings)
        rows.append(QJsonObject{{"group", QLatin1String(keys[int(f.group)])},
                                {"file", f.file},
                                {"line", f.line},
                                {"column", f.column},
                                {"link", f.link},
                                {"reason", f.reason}});
    return QJsonDocument(QJsonObject{{"findings", rows}, {"broken", hasBrokenLinks(findings)}}).toJson();
}

} // namespace sitekit
