#include "sitekit/publish_ftp.h"

#include <QFile>
#include <QUrl>

#include <curl/curl.h>

#include <mutex>

namespace sitekit {

FtpReply lastFtpReply(const QByteArray& received)
{
    const QList<QByteArray> lines = received.split('\n');
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QByteArray line = it->endsWith('\r') ? it->chopped(1) : *it;
        // "NNN text" ends a reply; "NNN-text" lines come before it.
        auto digit = [&](int i) { return line.size() > i && line[i] >= '0' && line[i] <= '9'; };
        if (!digit(0) || line[0] < '1' || line[0] > '5' || !digit(1) || !digit(2) || (line.size() > 3 && line[3] != ' '))
            continue;
        FtpReply reply;
        reply.code = line.left(3).toInt();
        // Shown in a message: nothing that could move the cursor or turn the text around.
        QString text = QString::fromUtf8(line.mid(4));
        for (QChar& c : text)
            if (!c.isPrint())
                c = QLatin1Char(' ');
        reply.text = text.simplified().left(200).trimmed();
        return reply;
    }
    return {};
}

namespace {

class FtpTransport : public Transport {
public:
    FtpTransport(const Destination& d, const Connection& c) : dest_(d)
    {
        curl_ = newCurlHandle();
        user_ = d.user.toUtf8();
        password_ = c.password.toUtf8();
        caFile_ = c.caFile.toLocal8Bit();
        const QString host = d.host.contains(QLatin1Char(':')) ? QLatin1Char('[') + d.host + QLatin1Char(']') : d.host;
        // %2F: the path starts at the server's root, not at the folder the login lands in.
        server_ = "ftp://" + QUrl::toPercentEncoding(host, "[]:") + ':' + QByteArray::number(d.port) + '/';

        curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(curl_, CURLOPT_USERNAME, user_.constData());
        curl_easy_setopt(curl_, CURLOPT_PASSWORD, password_.constData());
        // ftps:// is TLS asked for on port 21 (AUTH TLS) and then kept on
        // the login and every file; a server that cannot gets no password.
        curl_easy_setopt(curl_, CURLOPT_USE_SSL, long(d.kind == Destination::Kind::Ftps ? CURLUSESSL_ALL : CURLUSESSL_NONE));
        if (!caFile_.isEmpty())
            curl_easy_setopt(curl_, CURLOPT_CAINFO, caFile_.constData());
        curl_easy_setopt(curl_, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR_RETRY));
        curl_easy_setopt(curl_, CURLOPT_HEADERFUNCTION, &FtpTransport::heard);
        curl_easy_setopt(curl_, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &curlProgress);
        curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, static_cast<Transport*>(this));
        curl_easy_setopt(curl_, CURLOPT_READFUNCTION, &curlReadFile);
        curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, error_);
        curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, 30L);
        curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, 60L);
        // A connection gone quiet for a minute is taken as dropped.
        curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, 60L);
    }
    ~FtpTransport() override
    {
        curl_slist_free_all(commands_);
        curl_easy_cleanup(curl_);
        password_.fill('\0');
    }

    QString put(const QString& local, const QString& remote, qint64 size) override
    {
        if (const QString why = refused(remote); !why.isEmpty())
            return why;
        QFile file(local);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("%1: cannot read %2: %3").arg(remote, local, file.errorString());
        const QByteArray target = (dest_.path + remote).toUtf8(), temporary = (dest_.path + temporaryName(remote)).toUtf8();
        setCommands({"RNFR " + temporary, "RNTO " + target});
        aim(temporary);
        curl_easy_setopt(curl_, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl_, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(curl_, CURLOPT_QUOTE, nullptr);
        curl_easy_setopt(curl_, CURLOPT_POSTQUOTE, commands_);
        curl_easy_setopt(curl_, CURLOPT_READDATA, &file);
        curl_easy_setopt(curl_, CURLOPT_INFILESIZE_LARGE, curl_off_t(size));
        const CURLcode rc = perform();
        if (rc == CURLE_OK)
            return {};
        const QString why = describe(rc, remote);
        const FtpReply reply = lastFtpReply(received_);
        // Whole on the server, but some servers will not rename onto an existing file.
        if (rc == CURLE_QUOTE_ERROR && replaceAside(temporary, target))
            return {};
        curl_off_t sent = 0;
        curl_easy_getinfo(curl_, CURLINFO_SIZE_UPLOAD_T, &sent);
        if (sent == 0 && rc != CURLE_QUOTE_ERROR && reply.code < 400)
            return why;
        // The part that arrived goes, if the server still answers. Servers
        // that break off a file they cannot write say "426" or "451" and
        // seldom why; still answering, it was not the network.
        if (quote({"DELE " + temporary}) == CURLE_OK && (reply.code == 426 || reply.code == 451))
            return QStringLiteral("%1: the server broke off the file and could not store it; its disk may be full "
                                  "(the server said \"%2 %3\")").arg(remote).arg(reply.code).arg(reply.text);
        return why;
    }

    QString remove(const QString& remote) override
    {
        if (const QString why = refused(remote); !why.isEmpty())
            return why;
        const QByteArray target = (dest_.path + remote).toUtf8();
        const CURLcode rc = quote({"DELE " + target});
        if (rc == CURLE_OK)
            return {};
        const QString why = describe(rc, remote);
        // Gone already is what was wanted; servers word that in many ways, so ask.
        aim(target);
        curl_easy_setopt(curl_, CURLOPT_UPLOAD, 0L);
        curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(curl_, CURLOPT_QUOTE, nullptr);
        curl_easy_setopt(curl_, CURLOPT_POSTQUOTE, nullptr);
        return perform() == CURLE_REMOTE_FILE_NOT_FOUND ? QString() : why;
    }

private:
    QString refused(const QString& remote)
    {
        if (password_.isEmpty()) {
            loginRefused = true;
            return QStringLiteral("%1: %2@%3 needs a password").arg(remote, dest_.user, dest_.host);
        }
        // A line break would end the command and start another.
        if (remote.contains(QLatin1Char('\r')) || remote.contains(QLatin1Char('\n')))
            return QStringLiteral("%1: a name with a line break in it cannot be sent by FTP").arg(remote);
        return {};
    }

    // The old file steps aside for the new one and goes once it has its name.
    bool replaceAside(const QByteArray& temporary, const QByteArray& target)
    {
        const qsizetype slash = target.lastIndexOf('/');
        const QByteArray old = target.left(slash + 1) + '.' + target.mid(slash + 1) + ".tesk-old";
        if (quote({"RNFR " + target, "RNTO " + old}) != CURLE_OK)
            return false;
        if (quote({"RNFR " + temporary, "RNTO " + target}) != CURLE_OK) {
            quote({"RNFR " + old, "RNTO " + target});
            return false;
        }
        quote({"DELE " + old});
        return true;
    }

    void setCommands(std::initializer_list<QByteArray> lines)
    {
        curl_slist_free_all(commands_);
        commands_ = nullptr;
        for (const QByteArray& l : lines)
            commands_ = curl_slist_append(commands_, l.constData());
    }

    void aim(const QByteArray& path)
    {
        url_ = server_ + "%2F" + QUrl::toPercentEncoding(QString::fromUtf8(path.mid(1)), "/");
        curl_easy_setopt(curl_, CURLOPT_URL, url_.constData());
    }

    // Commands alone, on the connection the files go through.
    CURLcode quote(std::initializer_list<QByteArray> lines)
    {
        setCommands(lines);
        curl_easy_setopt(curl_, CURLOPT_URL, server_.constData());
        curl_easy_setopt(curl_, CURLOPT_UPLOAD, 0L);
        curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(curl_, CURLOPT_POSTQUOTE, nullptr);
        curl_easy_setopt(curl_, CURLOPT_QUOTE, commands_);
        return perform();
    }

    CURLcode perform()
    {
        error_[0] = 0;
        received_.clear();
        return curl_easy_perform(curl_);
    }

    QString describe(CURLcode rc, const QString& remote)
    {
        const FtpReply reply = lastFtpReply(received_);
        const QString detail = QString::fromUtf8(error_[0] ? error_ : curl_easy_strerror(rc));
        const QString said = reply.code ? QStringLiteral(" (the server said \"%1 %2\")").arg(reply.code).arg(reply.text) : QString();
        const QString where = QStringLiteral("%1@%2").arg(dest_.user, dest_.host);
        switch (rc) {
        case CURLE_ABORTED_BY_CALLBACK:
            return QStringLiteral("cancelled");
        case CURLE_LOGIN_DENIED:
            loginRefused = true;
            return QStringLiteral("%1: %2 refused the login: wrong user name or password%3").arg(remote, where, said);
        case CURLE_PEER_FAILED_VERIFICATION:
            return QStringLiteral("%1: the certificate of %2 could not be verified (%3), so the connection would not be private. "
                                  "Nothing was sent. If the server's certificate is signed by an authority of its own, "
                                  "name that authority's certificate file.").arg(remote, dest_.host, detail);
        case CURLE_SSL_CACERT_BADFILE:
            return QStringLiteral("%1: cannot read the certificates in %2").arg(remote, QString::fromLocal8Bit(caFile_));
        case CURLE_USE_SSL_FAILED:
            return QStringLiteral("%1: %2 offers no encryption (TLS) for the login and the files. Nothing was sent.").arg(remote, dest_.host);
        case CURLE_SSL_CONNECT_ERROR:
            return QStringLiteral("%1: the encrypted connection to %2 failed: %3").arg(remote, dest_.host, detail);
        case CURLE_COULDNT_CONNECT:
        case CURLE_COULDNT_RESOLVE_HOST:
            return QStringLiteral("%1: cannot connect to %2 port %3 (no such server, or it is down)").arg(remote, dest_.host).arg(dest_.port);
        default:
            break;
        }
        if (reply.code == 452 || reply.code == 552)
            return QStringLiteral("%1: the server's disk is full%2").arg(remote, said);
        if (reply.code == 550 || reply.code == 553 || reply.code == 532)
            return QStringLiteral("%1: the server refused it: permission denied, or no such folder%2").arg(remote, said);
        if (reply.code >= 400 && reply.code != 421 && reply.code != 426)
            return QStringLiteral("%1: the server refused it%2").arg(remote, said);
        QString lost = QStringLiteral("%1: the connection to %2 was lost: %3%4").arg(remote, dest_.host, detail, said);
        // Implicit TLS, from before there was a standard for it, has a port of its own.
        if (dest_.kind == Destination::Kind::Ftps && dest_.port == 990)
            lost += QStringLiteral(". Port 990 is usually FTPS with implicit TLS, which is not supported: use the server's "
                                   "port for explicit TLS (AUTH TLS, usually 21)");
        return lost;
    }

    static size_t heard(char* data, size_t size, size_t count, void* self)
    {
        QByteArray& received = static_cast<FtpTransport*>(self)->received_;
        received.append(data, qsizetype(size * count));
        if (received.size() > 8192)
            received.remove(0, received.size() - 4096);
        return size * count;
    }

    Destination dest_;
    CURL* curl_ = nullptr;
    curl_slist* commands_ = nullptr;
    QByteArray user_, password_, caFile_, server_, url_, received_;
    char error_[CURL_ERROR_SIZE] = {};
};

} // namespace

CURL* newCurlHandle()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    return curl_easy_init();
}

size_t curlReadFile(char* buffer, size_t size, size_t count, void* file)
{
    const qint64 n = static_cast<QFile*>(file)->read(buffer, qint64(size * count));
    return n < 0 ? CURL_READFUNC_ABORT : size_t(n);
}

int curlProgress(void* transport, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent)
{
    auto* self = static_cast<Transport*>(transport);
    if (self->sending)
        self->sending(qint64(sent));
    return self->cancel && self->cancel->load() ? 1 : 0;
}

std::unique_ptr<Transport> openFtpTransport(const Destination& destination, const Connection& connection)
{
    return std::make_unique<FtpTransport>(destination, connection);
}

} // namespace sitekit
