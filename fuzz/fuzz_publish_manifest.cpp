// The manifest of a publish destination, and the destination remembered for
// a working folder, as a crash, a full disk or another program left them in
// the user's data folder; and a server's host key as the server sends it.
#include "fuzz_support.h"

#include "sitekit/publish_run.h"

#include <QUrl>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString folder = fuzz::folder();
    const QString path = fuzz::fileWith(QStringLiteral("d.manifest"), fuzz::bytes(data, size));
    const sitekit::Manifest read = sitekit::readManifest(path);

    // No entry may name a file outside the destination: a deletion would
    // reach there.
    for (auto it = read.constBegin(); it != read.constEnd(); ++it) {
        FUZZ_CHECK(!it.key().startsWith(QLatin1Char('/')));
        FUZZ_CHECK(!it.key().split(QLatin1Char('/')).contains(QStringLiteral("..")));
        FUZZ_CHECK(it->size >= 0 && it->sha256.size() == 64);
    }
    // Written and read again, every entry survives.
    FUZZ_CHECK(sitekit::writeManifest(path, QStringLiteral("sftp://u@h/p"), read).isEmpty());
    FUZZ_CHECK(sitekit::readManifest(path) == read);

    // Whatever the remembered destination holds, one line comes back and
    // is read as a destination without harm.
    const QString written = QString::fromUtf8(fuzz::bytes(data, size));
    if (sitekit::rememberDestination(QStringLiteral("/site"), written, folder).isEmpty()) {
        const QString remembered = sitekit::rememberedDestination(QStringLiteral("/site"), folder);
        FUZZ_CHECK(!remembered.contains(QLatin1Char('\n')));
        QString why;
        // A server's destination names whom to log in as, and where, and
        // never carries a password.
        if (const auto d = sitekit::parseDestination(remembered, &why); d && d->kind != sitekit::Destination::Kind::Folder) {
            FUZZ_CHECK(!d->user.isEmpty() && !d->host.isEmpty());
            FUZZ_CHECK(d->path.startsWith(QLatin1Char('/')) && d->path.endsWith(QLatin1Char('/')));
            FUZZ_CHECK(QUrl(remembered).password().isEmpty());
            FUZZ_CHECK(sitekit::sendsPasswordInClear(*d) == (d->kind == sitekit::Destination::Kind::Ftp));
        } else {
            FUZZ_CHECK(d || !why.isEmpty());
        }
    }

    // A key's type goes into a line of known_hosts: one word or nothing.
    const QString type = sitekit::hostKeyType(fuzz::bytes(data, size));
    FUZZ_CHECK(type.size() <= 64);
    for (const QChar c : type)
        FUZZ_CHECK(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('@') || c == QLatin1Char('.'));
    return 0;
}
