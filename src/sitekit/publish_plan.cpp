#include "sitekit/publish_plan.h"

#include "platform/file_system.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>

namespace sitekit {

namespace {

const QByteArray kHeader = QByteArrayLiteral("Tesk publish manifest 1\t");

bool isPage(const QString& remote, const QStringList& pageExtensions)
{
    return pageExtensions.contains(fs::extension(remote).toLower());
}

// Every regular file below folder (a link to a file counts as the file; a
// link to a folder is not followed, so a loop cannot make the list endless).
void addFolder(const QString& folder, const QString& prefix, const Manifest& last, PublishPlan& plan,
               std::vector<PublishItem>& files, const std::atomic<bool>* cancel)
{
    if (!fs::folderExists(folder))
        return;
    for (const fs::TreeEntry& e : fs::listTree(folder)) {
        if (cancel && cancel->load()) {
            plan.cancelled = true;
            return;
        }
        if (e.kind == fs::TreeEntry::Kind::Folder)
            continue;
        PublishItem item;
        item.remote = prefix + e.relative;
        item.local = fs::withSeparator(folder) + e.relative;
        const fs::FileStamp st = fs::stamp(item.local);
        if (!st.exists)
            continue;
        item.entry.size = st.size;
        item.entry.modifiedNs = st.modifiedNs;
        const auto known = last.constFind(item.remote);
        if (known != last.constEnd() && known->size == st.size && known->modifiedNs == st.modifiedNs) {
            item.entry.sha256 = known->sha256;
        } else {
            QString why;
            item.entry.sha256 = fileSha256(item.local, &why);
            if (item.entry.sha256.isEmpty()) {
                plan.unreadable << QStringLiteral("%1: %2").arg(item.remote, why);
                // Kept as it was, so an unread file is never deleted remotely.
                if (known != last.constEnd())
                    plan.current.insert(item.remote, *known);
                continue;
            }
        }
        plan.current.insert(item.remote, item.entry);
        files.push_back(std::move(item));
    }
}

} // namespace

QByteArray manifestBytes(const QString& destination, const Manifest& manifest)
{
    QStringList keys = manifest.keys();
    keys.sort();
    QByteArray out = kHeader + destination.toUtf8() + '\n';
    for (const QString& k : keys) {
        const ManifestEntry& e = manifest[k];
        out += QByteArray::number(e.size) + '\t' + e.sha256 + '\t' + QByteArray::number(e.modifiedNs) + '\t'
             + k.toUtf8() + '\n';
    }
    return out;
}

Manifest parseManifest(const QByteArray& bytes)
{
    Manifest out;
    if (!bytes.startsWith(kHeader))
        return out;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> parts = lines[i].split('\t');
        if (parts.size() != 4)
            continue;
        bool sizeOk = false, timeOk = false;
        ManifestEntry e;
        e.size = parts[0].toLongLong(&sizeOk);
        e.modifiedNs = parts[2].toLongLong(&timeOk);
        e.sha256 = parts[1];
        const QString path = QString::fromUtf8(parts[3]);
        const bool hex = e.sha256.size() == 64
            && std::all_of(e.sha256.cbegin(), e.sha256.cend(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
        // A path leaving the destination would make a deletion reach outside it.
        const bool inside = !path.isEmpty() && !path.startsWith(QLatin1Char('/'))
            && !path.split(QLatin1Char('/')).contains(QStringLiteral(".."));
        if (sizeOk && timeOk && e.size >= 0 && hex && inside)
            out.insert(path, e);
    }
    return out;
}

QString manifestPath(const QString& destination, const QString& folder)
{
    const QString base = folder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/publish")
        : folder;
    // The destination's own text may hold slashes and colons: its hash names it.
    const QByteArray name = QCryptographicHash::hash(destination.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return fs::withSeparator(base) + QString::fromLatin1(name) + QStringLiteral(".manifest");
}

Manifest readManifest(const QString& path)
{
    QByteArray bytes;
    if (fs::readBytes(path, bytes) != fs::Result::Ok)
        return {};
    return parseManifest(bytes);
}

QString writeManifest(const QString& path, const QString& destination, const Manifest& manifest)
{
    // The data folder may not exist yet on a first publish.
    if (const QString why = makeFolders(fs::parentFolder(path)); !why.isEmpty())
        return why;
    if (const fs::Result r = fs::writeBytes(path, manifestBytes(destination, manifest)); r != fs::Result::Ok)
        return QStringLiteral("cannot write %1: %2").arg(path, fs::describe(r));
    return {};
}

QString makeFolders(const QString& folder)
{
    QString at;
    for (const QString& part : folder.split(QLatin1Char('/'))) {
        at += part + QLatin1Char('/');
        if (!part.isEmpty() && !fs::folderExists(at))
            if (const fs::Result r = fs::makeFolder(at); r != fs::Result::Ok)
                return QStringLiteral("cannot make the folder %1: %2").arg(at, fs::describe(r));
    }
    return {};
}

QByteArray fileSha256(const QString& path, QString* why)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (why)
            *why = f.errorString();
        return {};
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&f)) {
        if (why)
            *why = f.errorString();
        return {};
    }
    return hash.result().toHex();
}

PublishPlan planPublish(const QString& workingFolder, const Manifest& last, const PlanOptions& options)
{
    PublishPlan plan;
    std::vector<PublishItem> files;
    const QString root = fs::withSeparator(workingFolder);
    addFolder(root + QStringLiteral("Final-Pages"), QString(), last, plan, files, options.cancel);
    if (options.withSources)
        addFolder(root + QStringLiteral("Working-Pages"), QStringLiteral("Working-Pages/"), last, plan, files, options.cancel);
    if (plan.cancelled || (options.cancel && options.cancel->load())) {
        plan.cancelled = true;
        plan.current.clear();
        return plan;
    }
    // A page goes up only after the pictures it shows are there.
    std::stable_partition(files.begin(), files.end(),
                          [&](const PublishItem& i) { return !isPage(i.remote, options.pageExtensions); });
    for (PublishItem& item : files) {
        const auto known = last.constFind(item.remote);
        if (known != last.constEnd() && known->size == item.entry.size && known->sha256 == item.entry.sha256)
            continue;
        plan.bytes += item.entry.size;
        plan.send.push_back(std::move(item));
    }
    if (options.deleteGone) {
        for (auto it = last.constBegin(); it != last.constEnd(); ++it)
            if (!plan.current.contains(it.key())
                && (options.withSources || !it.key().startsWith(QStringLiteral("Working-Pages/"))))
                plan.remove << it.key();
        plan.remove.sort();
    }
    return plan;
}

} // namespace sitekit
