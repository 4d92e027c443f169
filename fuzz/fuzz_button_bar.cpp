// The button bar file "Button.but" in the References folder.
#include "fuzz_support.h"

#include "platform/file_system.h"
#include "source/tag_insertion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::fileWith(QStringLiteral("Button.but"), fuzz::bytes(data, size));

    QStringList lines;
    if (fs::readLines(path, lines) != fs::Result::Ok)
        return 0;
    tag_insertion::Button_Set set = tag_insertion::Built_In_Buttons();
    tag_insertion::Apply_Button_File(set, lines);
    for (const auto& b : set)
        (void)tag_insertion::Expand_Escapes(b.text);
    return 0;
}
