// A colour setting file (".clr") opened in the Colours tool.
#include "fuzz_support.h"

#include "tags/color_settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::fileWith(QStringLiteral("Fuzz.clr"), fuzz::bytes(data, size));

    const auto read = color_settings::Read_Color_File(path);
    if (!read)
        return 0;
    const auto shown = color_settings::With_Fixed_Colors(*read);

    // What was opened, saved again, opens as the same file text.
    const QString text = color_settings::Format_Color_File(shown);
    const auto again = color_settings::Parse_Color_File(text);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(color_settings::Format_Color_File(*again) == text);
    return 0;
}
