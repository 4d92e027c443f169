// The manifest of a publish destination, as a crash, a full disk or another
// program left it in the user's data folder.
#include "fuzz_support.h"

#include "sitekit/publish_plan.h"

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
    return 0;
}
