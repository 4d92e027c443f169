// The options file beside the settings file, as another program or a crash
// left it: what it reads is written back and reads back the same.
#include "fuzz_support.h"

#include "core/more_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const MoreSettings m = Parse_More_Settings(QString::fromUtf8(fuzz::bytes(data, size)));
    const QString text = Format_More_Settings(m);
    FUZZ_CHECK(Format_More_Settings(Parse_More_Settings(text)) == text);
    return 0;
}
