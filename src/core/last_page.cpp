#include "core/last_page.h"

#include <algorithm>

#include "platform/file_system.h"

QString Page_To_Reopen(const MoreSettings& m, const QString& workingFolder)
{
    if (!m.Reopen_Last_Page || m.Last_Source.isEmpty() || m.Last_Folder.isEmpty())
        return {};
    if (fs::withSeparator(m.Last_Folder) != fs::withSeparator(workingFolder))
        return {};
    return fs::fileExists(m.Last_Source) ? m.Last_Source : QString();
}

void Remember_Page(MoreSettings& m, const QString& source, const QString& workingFolder, int caret,
                   int firstShown)
{
    const bool open = !source.isEmpty();
    m.Last_Source = source;
    m.Last_Folder = open ? workingFolder : QString();
    m.Last_Caret = open ? std::max(caret, 0) : 0;
    m.Last_Scroll = open ? std::max(firstShown, 0) : 0;
}
