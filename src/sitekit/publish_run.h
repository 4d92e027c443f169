#pragma once
// Carrying out a publish plan: each file goes to the destination under a
// temporary name and is renamed there once whole, so a visitor never gets
// half a page. The destination is a local or mounted folder, a server
// reached by SFTP (libcurl over libssh2) whose host key must be known, or an
// FTP server, its login and files encrypted by TLS (ftps://) or not (ftp://).

#include "sitekit/publish_plan.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace sitekit {

struct Destination {
    enum class Kind { Folder, Sftp, Ftp, Ftps };
    Kind kind = Kind::Folder;
    QString user, host;
    int port = 22;  // 21 for FTP
    QString path;  // the folder on the server or here, ending in '/'
    QString text;  // as the user wrote it: it names the manifest
};

// The destination last published to from a working folder, kept in a file
// of its own beside the manifests (folder "" is that default): its first
// line, "" when none.
QString rememberedDestination(const QString& workingFolder, const QString& folder = QString());
// "" or why it could not be kept.
QString rememberDestination(const QString& workingFolder, const QString& destination, const QString& folder = QString());

// "sftp://user@host[:port]/path", the same with ftps:// or ftp://, or a
// folder; nullopt with why otherwise. A password written into it is refused:
// it would end up in the remembered destination and the manifest's name.
std::optional<Destination> parseDestination(const QString& text, QString* why);

// Plain FTP: anyone on the way can read the password and the files.
bool sendsPasswordInClear(const Destination& destination);

// The name a file is sent under before it takes its own, beside it.
QString temporaryName(const QString& remote);

// A server's key that known_hosts does not hold yet: shown by its
// fingerprint, and added there once the user trusts it.
struct HostKey {
    QString host;
    int port = 22;
    QString type;         // as known_hosts writes it: "ssh-ed25519", "ecdsa-sha2-nistp256"
    QByteArray base64;    // the key itself
    QString fingerprint;  // "SHA256:...", as ssh shows it
};
// The key's type as its own bytes name it (the SSH wire format starts with
// it); "" when they do not.
QString hostKeyType(const QByteArray& blob);
// Appends the key to knownHosts ("" is ~/.ssh/known_hosts; a new ~/.ssh is
// made private, a new file readable by its owner alone) in ssh's own
// format; what the file held stays as it was. "" or why not.
QString trustHostKey(const HostKey& key, const QString& knownHosts = QString());

struct Connection {
    QString identity;    // a private key file; "" tries the agent and ~/.ssh
    QString knownHosts;  // "" is ~/.ssh/known_hosts
    QString password;    // kept in memory only
    QString caFile = {}; // FTPS: the authorities to trust; "" is the system's
};

// One destination, opened once for the whole publish.
class Transport {
public:
    virtual ~Transport() = default;
    // Each returns "" or why it failed, in words naming the file.
    virtual QString put(const QString& local, const QString& remote, qint64 size) = 0;
    virtual QString remove(const QString& remote) = 0;
    // Bytes of the file being sent so far: the caller's progress.
    std::function<void(qint64)> sending;
    // Set from another thread; the file under way stops.
    std::atomic<bool>* cancel = nullptr;
    // The server took none of our keys (nor the password given): a window
    // may ask for a password and try again.
    bool loginRefused = false;
    // The server's key is not in known_hosts: a window may show it, ask,
    // and try again once the user trusts it.
    std::optional<HostKey> unknownHostKey;
};

std::unique_ptr<Transport> openTransport(const Destination& destination, const Connection& connection);

struct PublishProgress {
    int files = 0, totalFiles = 0;
    qint64 bytes = 0, totalBytes = 0;
};

struct PublishResult {
    QStringList sent, removed;
    QString failure;   // "" when everything arrived
    bool cancelled = false;
    bool loginRefused = false;  // see Transport
    std::optional<HostKey> unknownHostKey;  // see Transport
    Manifest manifest; // what the destination holds now, as far as we know
};

struct PublishHooks {
    std::function<void(const PublishProgress&)> progress;
    std::function<void(const QString& line)> done;  // "sent x", "deleted y"
    std::atomic<bool>* cancel = nullptr;
};

// Stops at the first failure. The manifest (written to manifestFile when
// not empty, now and then and at the end) holds what really arrived.
PublishResult runPublish(const PublishPlan& plan, const Manifest& last, Transport& transport,
                         const QString& destination, const QString& manifestFile, const PublishHooks& hooks = {});

} // namespace sitekit
