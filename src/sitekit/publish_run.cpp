#include "sitekit/publish_run.h"

#include "platform/file_append.h"
#include "platform/file_system.h"
#include "sitekit/publish_ftp.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QUrl>

#include <curl/curl.h>

namespace sitekit {

namespace {

// Named like the manifests, by a hash: a working folder's path may hold
// anything a file name may not.
QString destinationFile(const QString& workingFolder, const QString& folder)
{
    const QString manifest = manifestPath(QStringLiteral("folder\t") + fs::withSeparator(workingFolder), folder);
    return manifest.left(manifest.size() - int(sizeof(".manifest") - 1)) + QStringLiteral(".destination");
}

} // namespace

// Beside the file, hidden from listings, so a half-sent file never shows
// under the name a visitor asks for.
QString temporaryName(const QString& remote)
{
    const qsizetype slash = remote.lastIndexOf(QLatin1Char('/'));
    return remote.left(slash + 1) + QLatin1Char('.') + remote.mid(slash + 1) + QStringLiteral(".tesk-upload");
}

QString rememberedDestination(const QString& workingFolder, const QString& folder)
{
    QString text;
    if (fs::readText(destinationFile(workingFolder, folder), text) != fs::Result::Ok)
        return {};
    return fs::splitLines(text).value(0).trimmed();
}

QString rememberDestination(const QString& workingFolder, const QString& destination, const QString& folder)
{
    const QString path = destinationFile(workingFolder, folder);
    if (const QString why = makeFolders(fs::parentFolder(path)); !why.isEmpty())
        return why;
    if (const fs::Result r = fs::writeText(path, destination.trimmed() + QLatin1Char('\n')); r != fs::Result::Ok)
        return QStringLiteral("cannot write %1: %2").arg(path, fs::describe(r));
    return {};
}


namespace {

QString parentOf(const QString& remote)
{
    const qsizetype slash = remote.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : remote.left(slash + 1);
}

class FolderTransport : public Transport {
public:
    explicit FolderTransport(QString root) : root_(std::move(root)) {}

    QString put(const QString& local, const QString& remote, qint64 size) override
    {
        if (cancel && cancel->load())
            return QStringLiteral("cancelled");
        if (const QString why = makeFolders(root_ + parentOf(remote)); !why.isEmpty())
            return QStringLiteral("%1: %2").arg(remote, why);
        // copyFile writes a temporary file and renames it over the old one.
        if (const fs::Result r = fs::copyFile(local, root_ + remote, true); r != fs::Result::Ok)
            return QStringLiteral("%1: %2").arg(remote, fs::describe(r));
        if (sending)
            sending(size);
        return {};
    }

    QString remove(const QString& remote) override
    {
        const fs::Result r = fs::deleteFile(root_ + remote);
        return r == fs::Result::Ok || r == fs::Result::NotFound ? QString()
                                                                 : QStringLiteral("%1: %2").arg(remote, fs::describe(r));
    }

private:
    QString root_;
};

// A path for a libcurl quote command: quoted, its quotes and backslashes escaped.
QByteArray quoted(const QString& path)
{
    QByteArray p = path.toUtf8();
    p.replace('\\', "\\\\").replace('"', "\\\"");
    return '"' + p + '"';
}

QByteArray keyBlob(const curl_khkey* key)
{
    return key->len ? QByteArray(key->key, qsizetype(key->len)) : QByteArray::fromBase64(key->key);
}

QString fingerprint(const QByteArray& blob)
{
    const QByteArray hash = QCryptographicHash::hash(blob, QCryptographicHash::Sha256).toBase64(QByteArray::OmitTrailingEquals);
    return QStringLiteral("SHA256:") + QString::fromLatin1(hash);
}

class SftpTransport : public Transport {
public:
    SftpTransport(const Destination& d, const Connection& c) : dest_(d)
    {
        curl_ = newCurlHandle();
        knownHosts_ = c.knownHosts.isEmpty() ? QDir::homePath() + QStringLiteral("/.ssh/known_hosts") : c.knownHosts;
        QString identity = c.identity;
        if (identity.isEmpty())
            for (const char* name : {"id_ed25519", "id_ecdsa", "id_rsa"})
                if (const QString p = QDir::homePath() + QStringLiteral("/.ssh/") + QLatin1String(name); fs::fileExists(p)) {
                    identity = p;
                    break;
                }
        identity_ = identity.toLocal8Bit();
        publicKey_ = fs::fileExists(identity + QStringLiteral(".pub")) ? (identity + QStringLiteral(".pub")).toLocal8Bit() : QByteArray("");
        user_ = d.user.toUtf8();
        password_ = c.password.toUtf8();
        knownHostsBytes_ = knownHosts_.toLocal8Bit();
    }
    ~SftpTransport() override
    {
        curl_slist_free_all(commands_);
        curl_easy_cleanup(curl_);
        password_.fill('\0');
    }

    QString put(const QString& local, const QString& remote, qint64 size) override
    {
        QFile file(local);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("%1: cannot read %2: %3").arg(remote, local, file.errorString());
        const QString target = dest_.path + remote, temporary = dest_.path + temporaryName(remote);
        // The old file goes just before the new one takes its name: the
        // server's rename will not replace a file.
        setCommands({"*rm " + quoted(target), "rename " + quoted(temporary) + ' ' + quoted(target)});
        prepare(temporary);
        curl_easy_setopt(curl_, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl_, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(curl_, CURLOPT_POSTQUOTE, commands_);
        curl_easy_setopt(curl_, CURLOPT_QUOTE, nullptr);
        curl_easy_setopt(curl_, CURLOPT_READFUNCTION, &curlReadFile);
        curl_easy_setopt(curl_, CURLOPT_READDATA, &file);
        curl_easy_setopt(curl_, CURLOPT_INFILESIZE_LARGE, curl_off_t(size));
        const QString why = perform(remote);
        return why.isEmpty() ? why : failedUpload(remote, why);
    }

    QString remove(const QString& remote) override
    {
        setCommands({"rm " + quoted(dest_.path + remote)});
        prepare(dest_.path);
        curl_easy_setopt(curl_, CURLOPT_UPLOAD, 0L);
        curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(curl_, CURLOPT_POSTQUOTE, nullptr);
        curl_easy_setopt(curl_, CURLOPT_QUOTE, commands_);
        const QString why = perform(remote);
        // Gone already is what was wanted.
        return why.contains(QStringLiteral("No such file")) ? QString() : why;
    }

private:
    // OpenSSH answers a write its disk has no room for with a bare
    // "failure", which libcurl reports as an error of the SSH layer, as it
    // does a dropped connection: when the server still answers, it was the
    // disk. The part that arrived goes either way.
    QString failedUpload(const QString& remote, const QString& why)
    {
        const CURLcode rc = result_;
        if ((rc != CURLE_SSH && rc != CURLE_SEND_ERROR && rc != CURLE_REMOTE_DISK_FULL) || !remove(temporaryName(remote)).isEmpty())
            return why;
        return QStringLiteral("%1: the server's disk is full (or %2 may store no more there): the file could not be written")
                .arg(remote, dest_.user);
    }

    void setCommands(std::initializer_list<QByteArray> lines)
    {
        curl_slist_free_all(commands_);
        commands_ = nullptr;
        for (const QByteArray& l : lines)
            commands_ = curl_slist_append(commands_, l.constData());
    }

    void prepare(const QString& path)
    {
        QByteArray url = "sftp://" + QUrl::toPercentEncoding(dest_.host, "[]:") + ':' + QByteArray::number(dest_.port)
                       + QUrl::toPercentEncoding(path, "/");
        url_ = url;
        error_[0] = 0;
        keyProblem_.clear();
        curl_easy_setopt(curl_, CURLOPT_URL, url_.constData());
        curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "sftp");
        curl_easy_setopt(curl_, CURLOPT_USERNAME, user_.constData());
        if (!password_.isEmpty())
            curl_easy_setopt(curl_, CURLOPT_PASSWORD, password_.constData());
        long auth = CURLSSH_AUTH_PUBLICKEY | CURLSSH_AUTH_AGENT;
        if (!password_.isEmpty())
            auth |= CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD;
        curl_easy_setopt(curl_, CURLOPT_SSH_AUTH_TYPES, auth);
        if (!identity_.isEmpty()) {
            curl_easy_setopt(curl_, CURLOPT_SSH_PRIVATE_KEYFILE, identity_.constData());
            curl_easy_setopt(curl_, CURLOPT_SSH_PUBLIC_KEYFILE, publicKey_.constData());
        }
        curl_easy_setopt(curl_, CURLOPT_SSH_KNOWNHOSTS, knownHostsBytes_.constData());
        curl_easy_setopt(curl_, CURLOPT_SSH_KEYFUNCTION, &SftpTransport::checkKey);
        curl_easy_setopt(curl_, CURLOPT_SSH_KEYDATA, this);
        curl_easy_setopt(curl_, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR_RETRY));
        curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &curlProgress);
        curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, static_cast<Transport*>(this));
        curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, error_);
        curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, 30L);
        // A connection gone quiet for a minute is taken as dropped.
        curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, 60L);
    }

    QString perform(const QString& remote)
    {
        const CURLcode rc = result_ = curl_easy_perform(curl_);
        if (rc == CURLE_OK)
            return {};
        const QString detail = QString::fromUtf8(error_[0] ? error_ : curl_easy_strerror(rc));
        const QString where = QStringLiteral("%1@%2").arg(dest_.user, dest_.host);
        switch (rc) {
        case CURLE_PEER_FAILED_VERIFICATION:
            return keyProblem_.isEmpty() ? QStringLiteral("%1: the host key could not be checked: %2").arg(dest_.host, detail) : keyProblem_;
        case CURLE_LOGIN_DENIED:
            loginRefused = true;
            return QStringLiteral("%1: %2 refused the login (no key or password it accepts)").arg(remote, where);
        case CURLE_REMOTE_ACCESS_DENIED:
            return QStringLiteral("%1: permission denied on the server (%2)").arg(remote, detail);
        case CURLE_REMOTE_DISK_FULL:
            return QStringLiteral("%1: the server's disk is full").arg(remote);
        case CURLE_ABORTED_BY_CALLBACK:
            return QStringLiteral("cancelled");
        case CURLE_COULDNT_CONNECT:
        case CURLE_COULDNT_RESOLVE_HOST:
            return QStringLiteral("%1: cannot connect to %2 port %3 (no such server, or it is down)").arg(remote, dest_.host).arg(dest_.port);
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_SSH:
        case CURLE_OPERATION_TIMEDOUT:
        case CURLE_GOT_NOTHING:
            return QStringLiteral("%1: the connection to %2 was lost: %3").arg(remote, dest_.host, detail);
        default:
            return QStringLiteral("%1: %2").arg(remote, detail);
        }
    }

    static int checkKey(CURL*, const curl_khkey* known, const curl_khkey* found, curl_khmatch match, void* data)
    {
        auto* self = static_cast<SftpTransport*>(data);
        if (match == CURLKHMATCH_OK)
            return CURLKHSTAT_FINE;
        const QByteArray blob = keyBlob(found);
        const QString print = fingerprint(blob);
        const QString host = self->dest_.host;
        if (match == CURLKHMATCH_MISMATCH) {
            self->keyProblem_ = QStringLiteral(
                "the host key of %1 has CHANGED (now %2): someone may be listening in, or the server was set up again. "
                "Nothing was sent. If the server's owner confirms the new key, remove the old one with "
                "\"ssh-keygen -f %3 -R '[%1]:%4'\" and accept the new one.")
                .arg(host, print, self->knownHosts_).arg(self->dest_.port);
        } else {
            self->keyProblem_ = QStringLiteral(
                "%1 is not a known host (its key is %2). Nothing was sent. If that is the server's key, accept it with "
                "\"ssh-keyscan -p %3 %1 >> %4\".")
                .arg(host, print).arg(self->dest_.port).arg(self->knownHosts_);
            if (const QString type = hostKeyType(blob); !type.isEmpty())
                self->unknownHostKey = HostKey{host, self->dest_.port, type, blob.toBase64(), print};
        }
        (void)known;
        return CURLKHSTAT_REJECT;
    }

    Destination dest_;
    CURL* curl_ = nullptr;
    CURLcode result_ = CURLE_OK;
    curl_slist* commands_ = nullptr;
    QString knownHosts_, keyProblem_;
    QByteArray knownHostsBytes_, identity_, publicKey_, user_, password_, url_;
    char error_[CURL_ERROR_SIZE] = {};
};

} // namespace

QString hostKeyType(const QByteArray& blob)
{
    if (blob.size() < 4)
        return {};
    const quint32 length = quint32(uchar(blob[0])) << 24 | quint32(uchar(blob[1])) << 16 | quint32(uchar(blob[2])) << 8 | uchar(blob[3]);
    if (length == 0 || length > 64 || length > quint32(blob.size() - 4))
        return {};
    const QByteArray name = blob.mid(4, qsizetype(length));
    // Written into a line of known_hosts: nothing that would break it up.
    for (const char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '@' || c == '.'))
            return {};
    return QString::fromLatin1(name);
}

QString trustHostKey(const HostKey& key, const QString& knownHosts)
{
    const QString file = knownHosts.isEmpty() ? QDir::homePath() + QStringLiteral("/.ssh/known_hosts") : knownHosts;
    const QString folder = fs::parentFolder(file);
    if (!fs::exists(folder)) {
        if (const QString why = makeFolders(folder); !why.isEmpty())
            return why;
        // What ssh itself wants of its folder.
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // ssh's own form: a port other than 22 goes with the host in brackets.
    const QString host = key.port == 22 ? key.host : QStringLiteral("[%1]:%2").arg(key.host).arg(key.port);
    QByteArray line = host.toUtf8() + ' ' + key.type.toLatin1() + ' ' + key.base64 + '\n';
    // A last line left without its end by an editor must not take ours in.
    if (QByteArray held; fs::readBytes(file, held) == fs::Result::Ok && !held.isEmpty() && !held.endsWith('\n'))
        line.prepend('\n');
    if (const fs::Result r = fs::appendInPlace(file, line); r != fs::Result::Ok)
        return QStringLiteral("cannot add the key of %1 to %2: %3").arg(key.host, file, fs::describe(r));
    return {};
}

std::optional<Destination> parseDestination(const QString& text, QString* why)
{
    Destination d;
    d.text = text;
    if (!text.contains(QStringLiteral("://"))) {
        if (text.isEmpty()) {
            *why = QStringLiteral("no destination given");
            return std::nullopt;
        }
        d.path = fs::withSeparator(QDir(text).absolutePath());
        return d;
    }
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme();
    const bool known = scheme == QLatin1String("sftp") || scheme == QLatin1String("ftps") || scheme == QLatin1String("ftp");
    if (!url.isValid() || !known || url.host().isEmpty() || url.userName().isEmpty() || url.path().isEmpty()
        || !url.password().isEmpty()) {
        if (url.isValid() && !url.password().isEmpty())
            *why = QStringLiteral("%1: leave the password out of the destination; it is asked for when needed and never kept in plain text")
                       .arg(url.toDisplayString(QUrl::RemovePassword));
        else if (known || !url.isValid())
            *why = QStringLiteral("%1 is no destination: write %2://user@host[:port]/path")
                       .arg(text, known ? scheme : QStringLiteral("sftp"));
        else
            *why = QStringLiteral("%1: only sftp://, ftps:// and ftp:// servers and folders can be published to").arg(text);
        return std::nullopt;
    }
    d.kind = scheme == QLatin1String("sftp") ? Destination::Kind::Sftp
           : scheme == QLatin1String("ftps") ? Destination::Kind::Ftps
                                             : Destination::Kind::Ftp;
    d.user = url.userName();
    d.host = url.host();
    d.port = url.port(d.kind == Destination::Kind::Sftp ? 22 : 21);
    d.path = url.path();
    if (!d.path.endsWith(QLatin1Char('/')))
        d.path += QLatin1Char('/');
    return d;
}

bool sendsPasswordInClear(const Destination& destination)
{
    return destination.kind == Destination::Kind::Ftp;
}

std::unique_ptr<Transport> openTransport(const Destination& destination, const Connection& connection)
{
    if (destination.kind == Destination::Kind::Folder)
        return std::make_unique<FolderTransport>(destination.path);
    if (destination.kind == Destination::Kind::Ftp || destination.kind == Destination::Kind::Ftps)
        return openFtpTransport(destination, connection);
    return std::make_unique<SftpTransport>(destination, connection);
}

PublishResult runPublish(const PublishPlan& plan, const Manifest& last, Transport& transport,
                         const QString& destination, const QString& manifestFile, const PublishHooks& hooks)
{
    PublishResult result;
    result.manifest = last;
    // Files unchanged but touched keep their new time: not hashed next time.
    for (auto it = plan.current.constBegin(); it != plan.current.constEnd(); ++it)
        if (const auto known = last.constFind(it.key()); known != last.constEnd() && known->sha256 == it->sha256)
            result.manifest.insert(it.key(), *it);
    PublishProgress progress;
    progress.totalFiles = int(plan.send.size() + plan.remove.size());
    progress.totalBytes = plan.bytes;
    transport.cancel = hooks.cancel;
    transport.sending = [&](qint64 bytes) {
        if (hooks.progress) {
            PublishProgress now = progress;
            now.bytes += bytes;
            hooks.progress(now);
        }
    };
    QDeadlineTimer saveAt(2000);
    auto save = [&] {
        if (!manifestFile.isEmpty())
            if (const QString why = writeManifest(manifestFile, destination, result.manifest); !why.isEmpty() && result.failure.isEmpty())
                result.failure = why;
    };
    auto stopped = [&](const QString& why) {
        result.cancelled = why == QLatin1String("cancelled") || (hooks.cancel && hooks.cancel->load());
        result.failure = result.cancelled ? QStringLiteral("cancelled") : why;
        return true;
    };
    bool stop = false;
    for (const PublishItem& item : plan.send) {
        if (hooks.cancel && hooks.cancel->load()) {
            stop = stopped(QStringLiteral("cancelled"));
            break;
        }
        if (const QString why = transport.put(item.local, item.remote, item.entry.size); !why.isEmpty()) {
            stop = stopped(why);
            break;
        }
        result.manifest.insert(item.remote, item.entry);
        result.sent << item.remote;
        progress.files += 1;
        progress.bytes += item.entry.size;
        if (hooks.progress)
            hooks.progress(progress);
        if (hooks.done)
            hooks.done(QStringLiteral("sent %1").arg(item.remote));
        // Now and then, so that even a killed publish keeps most of what arrived.
        if (saveAt.hasExpired()) {
            save();
            saveAt.setRemainingTime(2000);
        }
    }
    for (const QString& remote : plan.remove) {
        if (stop)
            break;
        if (const QString why = transport.remove(remote); !why.isEmpty()) {
            stop = stopped(why);
            break;
        }
        result.manifest.remove(remote);
        result.removed << remote;
        progress.files += 1;
        if (hooks.done)
            hooks.done(QStringLiteral("deleted %1").arg(remote));
    }
    save();
    transport.sending = nullptr;
    result.loginRefused = transport.loginRefused;
    result.unknownHostKey = transport.unknownHostKey;
    return result;
}

} // namespace sitekit
