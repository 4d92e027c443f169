// The settings file beside the program, as another program or a crash left it.
#include "fuzz_support.h"

#include "core/settings_file.h"
#include "core/shared_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString programFolder = fuzz::folder();
    fuzz::fileWith(Settings_File_Name(), fuzz::bytes(data, size));

    SharedState s;
    s.Program_Folder = programFolder;
    if (Read_Settings_File(s) != SettingsRead::Ok)
        return 0;

    // A file that read whole is written back and reads back the same.
    const QString text = Format_Settings(s);
    SharedState again;
    FUZZ_CHECK(Parse_Settings(text, again) == SettingsRead::Ok);
    FUZZ_CHECK(Format_Settings(again) == text);
    return 0;
}
