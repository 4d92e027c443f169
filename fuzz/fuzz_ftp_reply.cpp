// What an FTP server answers, as a broken or hostile one may send it: the
// last reply is picked out and its text ends up in a message to the user.
#include "fuzz_support.h"

#include "sitekit/publish_ftp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const sitekit::FtpReply reply = sitekit::lastFtpReply(fuzz::bytes(data, size));
    FUZZ_CHECK(reply.code == 0 || (reply.code >= 100 && reply.code <= 599));
    FUZZ_CHECK(reply.code != 0 || reply.text.isEmpty());
    // Nothing that could move the cursor, ring, or turn the message around.
    FUZZ_CHECK(reply.text.size() <= 200 && reply.text == reply.text.trimmed());
    for (const QChar c : reply.text)
        FUZZ_CHECK(c.isPrint());
    return 0;
}
