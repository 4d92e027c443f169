// The list files ("Color.lst", "Target.lst", "Images, From.lst", ...).
#include "fuzz_support.h"

#include "tags/tag_list_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::fileWith(QStringLiteral("Color.lst"), fuzz::bytes(data, size));

    const QStringList entries = tag_lists::Read_All(path);
    for (const QString& e : entries) {
        FUZZ_CHECK(!e.contains(QLatin1Char('\r')) && !e.contains(QLatin1Char('\n')));
        (void)tag_lists::Is_Toolbar_Entry(e);
    }
    const QStringList box = tag_lists::Read_Image_Folders(path, QStringLiteral("Images"));
    FUZZ_CHECK(box.size() == entries.size() + 1);
    if (!entries.isEmpty()) {
        const auto choice = tag_lists::Choose_Target(entries.first(), box, true);
        FUZZ_CHECK(choice.Index >= 0 && choice.Index <= box.size());
    }
    return 0;
}
