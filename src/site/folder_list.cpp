#include "site/folder_list.h"

namespace folder_list {

QString File_Path(const QString& referenceFolder)
{
    return fs::withSeparator(referenceFolder) + QStringLiteral("Folder.lst");
}

QList<FolderEntry> Parse(const QStringList& lines)
{
    QList<FolderEntry> out;
    for (qsizetype i = 0; i + 1 < lines.size() && out.size() < Max_Folders; i += 2) {
        const QString& name = lines[i];
        const QString& path = lines[i + 1];
        if (!name.isEmpty() && !path.isEmpty())
            out.append(FolderEntry{name, path});
    }
    return out;
}

int Read(const QString& file, Slots& list)
{
    list.fill(FolderEntry{});
    QStringList lines;
    if (!fs::fileExists(file) || fs::readLines(file, lines) != fs::Result::Ok)
        return 0;
    const QList<FolderEntry> entries = Parse(lines);
    for (qsizetype i = 0; i < entries.size(); ++i)
        list[i + 1] = entries[i];
    return int(entries.size());
}

int Count(const Slots& list)
{
    int n = 0;
    while (n < Max_Folders && !list[n + 1].Path.isEmpty())
        ++n;
    return n;
}

int Find_Path(const Slots& list, const QString& path)
{
    if (path.isEmpty())
        return 0;
    for (int i = 1; i <= Max_Folders && !list[i].Path.isEmpty(); ++i)
        if (list[i].Path == path)
            return i;
    return 0;
}

QString Folder_Name(const QString& path)
{
    const QString name = fs::fileName(path);
    return name.isEmpty() ? fs::withoutSeparator(path) : name;
}

QStringList Lines_Of(const Slots& list)
{
    QStringList lines;
    for (int i = 1; i <= Max_Folders && !list[i].Name.isEmpty(); ++i)
        lines << list[i].Name << list[i].Path;
    return lines;
}

AddResult Add(Slots& list, const QString& file, const QString& name, const QString& path)
{
    for (int i = 1; i <= Max_Folders; ++i) {
        if (!list[i].Path.isEmpty() && list[i].Path == path) {
            list[i].Name = name;
            return {Added::Refreshed, i, fs::Result::Ok};
        }
        if (list[i].Path.isEmpty()) {
            // The old bytes are kept exactly as they are (pairs beyond the
            // fiftieth, dropped pairs and all): this is an append that cannot
            // leave half a pair behind.
            QByteArray bytes;
            if (fs::fileExists(file)) {
                if (const fs::Result r = fs::readBytes(file, bytes); r != fs::Result::Ok)
                    return {Added::Not_Saved, i, r};
                if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
                    bytes += "\r\n";
            }
            bytes += fs::encodeText(fs::joinLines({name, path}));
            if (const fs::Result r = fs::writeBytes(file, bytes); r != fs::Result::Ok)
                return {Added::Not_Saved, i, r};
            list[i] = FolderEntry{name, path};
            return {Added::Appended, i, fs::Result::Ok};
        }
    }
    return {Added::Full, 0, fs::Result::Ok};
}

fs::Result Remove(Slots& list, const QString& file, int index)
{
    if (index < 1 || index > Count(list))
        return fs::Result::Ok;
    Slots changed = list;
    int s = index;
    while (s < Max_Folders && !changed[s].Name.isEmpty()) {
        changed[s] = changed[s + 1];
        ++s;
    }
    // With a full list the copying stops at the last slot, which would
    // otherwise keep a second copy of the last folder.
    if (s == Max_Folders)
        changed[Max_Folders] = FolderEntry{};
    const fs::Result r = fs::writeLines(file, Lines_Of(changed));
    if (r == fs::Result::Ok)
        list = changed;
    return r;
}

} // namespace folder_list
