// The remembered working folders, "Folder.lst".
#include "fuzz_support.h"

#include "site/folder_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::fileWith(QStringLiteral("Folder.lst"), fuzz::bytes(data, size));

    folder_list::Slots list;
    const int n = folder_list::Read(path, list);
    FUZZ_CHECK(n >= 0 && n <= folder_list::Max_Folders);
    FUZZ_CHECK(folder_list::Count(list) == n);
    for (int i = 1; i <= n; ++i)
        FUZZ_CHECK(folder_list::Find_Path(list, list[i].Path) >= 1);

    // The list as the window rewrites it parses back to the same folders.
    const auto again = folder_list::Parse(folder_list::Lines_Of(list));
    FUZZ_CHECK(again.size() == n);
    return 0;
}
