#include "core/installation.h"

#include "core/shared_state.h"
#include "core/site_layout.h"
#include "platform/file_system.h"

#include <QDir>

#ifndef TESK_INSTALLED_DATA_FROM_BIN
#define TESK_INSTALLED_DATA_FROM_BIN "../share/tesk-web-editor"
#endif

namespace {

// Makes a folder and the missing folders above it.
bool makeFolders(const QString& path)
{
    const QString p = fs::withoutSeparator(path);
    if (fs::folderExists(p))
        return true;
    const QString parent = fs::parentFolder(p);
    if (parent.isEmpty() || parent == p || !makeFolders(parent))
        return false;
    return fs::makeFolder(p) == fs::Result::Ok;
}

} // namespace

QString Installed_Data_From_Bin() { return QStringLiteral(TESK_INSTALLED_DATA_FROM_BIN); }

ProgramPlaces Program_Places(const QString& applicationDir, const QString& dataFromBin,
                             const QString& configFolder, const QString& documentsFolder)
{
    ProgramPlaces p;
    const QString data = QDir::cleanPath(QDir(applicationDir).filePath(dataFromBin));
    if (dataFromBin.isEmpty() || !fs::fileExists(fs::withSeparator(data) + QStringLiteral("TeskEdit.htm"))) {
        p.programFolder = Program_Folder_From(applicationDir);
        return p;
    }
    p.programFolder = fs::withSeparator(data);
    p.userFolder = fs::withSeparator(configFolder);
    p.defaultWorkingFolder = fs::withSeparator(fs::withSeparator(documentsFolder) + QStringLiteral("Tesk Sites"));
    return p;
}

void Prepare_User_Folders(const ProgramPlaces& places)
{
    if (places.userFolder.isEmpty())
        return;
    const QString references = places.userFolder + QStringLiteral("References") + fs::separator();
    if (!fs::folderExists(references) && makeFolders(references)) {
        const QString shipped = places.programFolder + QStringLiteral("References") + fs::separator();
        for (const QString& name : fs::listFiles(shipped))
            fs::copyFile(shipped + name, references + name, false);
    }
    if (!fs::folderExists(places.defaultWorkingFolder) && makeFolders(places.defaultWorkingFolder))
        site::Lay_Out_Site(places.defaultWorkingFolder);
}
