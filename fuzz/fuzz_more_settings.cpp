// The options file beside the settings file, as another copy of the program,
// an editor or a crash left it.
#include "fuzz_support.h"

#include "core/more_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString folder = fuzz::folder();
    fuzz::fileWith(More_Settings_File_Name(), fuzz::bytes(data, size));
    const MoreSettings read = Read_More_Settings(folder);

    // Saved and read again, the options are the same, and so is every line
    // of a name this copy does not know (a newer copy's options survive an
    // older one), in its order.
    FUZZ_CHECK(Write_More_Settings(folder, read) == fs::Result::Ok);
    const MoreSettings again = Read_More_Settings(folder);
    FUZZ_CHECK(again.Color_While_Typing == read.Color_While_Typing);
    FUZZ_CHECK(again.Line_Numbers == read.Line_Numbers);
    FUZZ_CHECK(again.unknown == read.unknown);

    // A line of a known name never turns up among the unknown ones.
    const QString written = Format_More_Settings(read);
    FUZZ_CHECK(Format_More_Settings(Parse_More_Settings(written)) == written);
    return 0;
}
