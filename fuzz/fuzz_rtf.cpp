// A source file handed to the editor: RTF from any program, or plain text.
#include "fuzz_support.h"

#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const rtf::Content c = rtf::read(fuzz::bytes(data, size));

    // What the editor relies on when it shows the text.
    FUZZ_CHECK(c.indents.size() == size_t(c.text.count(QLatin1Char('\n')) + 1));
    for (size_t i = 0; i < c.colors.size(); ++i) {
        FUZZ_CHECK(c.colors[i].start >= 0 && c.colors[i].start < c.text.size());
        FUZZ_CHECK(i == 0 ? c.colors[i].start == 0 : c.colors[i].start > c.colors[i - 1].start);
    }
    (void)rtf::toJson(c);

    // Saving what was opened and opening it again gives the same document.
    const QByteArray saved = rtf::write(c, QStringLiteral("Courier New"), 10);
    FUZZ_CHECK(rtf::readRtf(saved).text == c.text);
    return 0;
}
