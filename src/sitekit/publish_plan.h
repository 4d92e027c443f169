#pragma once
// What a publish sends: the files of Final-Pages (and, when asked, the
// sources of Working-Pages) that differ from what the destination got last
// time, by size and SHA-256. The manifest of a destination lists what
// really arrived there, so a publish that stopped half way is finished by
// the next one.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <atomic>
#include <vector>

namespace sitekit {

struct ManifestEntry {
    qint64 size = 0;
    QByteArray sha256;       // hex, lower case
    // The local file's modification time when it was hashed: while it and
    // the size stay, the file is not read again.
    qint64 modifiedNs = 0;
    bool operator==(const ManifestEntry&) const = default;
};

// Keyed by the path below the destination ("index.html", "Images/a.gif",
// "Working-Pages/index.rtf").
using Manifest = QHash<QString, ManifestEntry>;

// One line per file: size, hash, time and path, tab-separated, below a
// first line naming the destination. Lines that do not read are left out:
// their files are sent again, which is never wrong.
QByteArray manifestBytes(const QString& destination, const Manifest& manifest);
Manifest parseManifest(const QByteArray& bytes);

// The manifest file of a destination: one per destination in folder (by
// default the user's data folder, "publish" in it).
QString manifestPath(const QString& destination, const QString& folder = QString());
Manifest readManifest(const QString& path);
// Written through a temporary file, so a crash keeps the previous one.
// Returns "" or why it could not be written.
QString writeManifest(const QString& path, const QString& destination, const Manifest& manifest);

struct PublishItem {
    QString remote;   // below the destination, '/' between the parts
    QString local;    // on disk
    ManifestEntry entry;
};

struct PublishPlan {
    std::vector<PublishItem> send;  // pages last
    QStringList remove;             // below the destination; only when asked
    QStringList unreadable;         // "path: why"
    qint64 bytes = 0;               // of everything sent
    Manifest current;               // every local file as planned
    bool cancelled = false;         // stopped half way: send nothing of it
};

struct PlanOptions {
    QStringList pageExtensions{QStringLiteral("html"), QStringLiteral("htm")};
    bool withSources = false;   // Working-Pages goes along, into "Working-Pages/"
    bool deleteGone = false;    // files the destination has that are gone here
    // Set from another thread, it stops the reading of the files.
    const std::atomic<bool>* cancel = nullptr;
};

// last: the destination's manifest. Files whose size and time match their
// entry there keep its hash unread.
PublishPlan planPublish(const QString& workingFolder, const Manifest& last, const PlanOptions& options = {});

// Makes folder and every folder on the way to it; "" or why not.
QString makeFolders(const QString& folder);

// The hash of a file, read in pieces; empty when it cannot be read.
QByteArray fileSha256(const QString& path, QString* why = nullptr);

} // namespace sitekit
