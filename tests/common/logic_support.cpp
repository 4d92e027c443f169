#include "logic_support.h"

#include "core/shared_state.h"

#include <QDir>
#include <QFile>

namespace tesk::test {

TempSite::TempSite()
{
    QDir root(dir_.path());
    root.mkpath(QStringLiteral("program/References"));
    root.mkpath(QStringLiteral("site/Working-Pages"));
    root.mkpath(QStringLiteral("site/Final-Pages/Images"));
    root.mkpath(QStringLiteral("site/Final-Pages/Backgrnd"));
}

QString TempSite::programFolder() const { return dir_.path() + QStringLiteral("/program/"); }
QString TempSite::workingFolder() const { return dir_.path() + QStringLiteral("/site/"); }
QString TempSite::path(const QString& relative) const { return dir_.path() + QLatin1Char('/') + relative; }

void TempSite::apply() const
{
    SharedState& s = state();
    s.Program_Folder = programFolder();
    s.Working_Folder = workingFolder();
    s.Help_File = programFolder() + QStringLiteral("TeskEdit.htm");
    Derive_Site_Folders(s);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

void setReadOnly(const QString& path, bool readOnly)
{
    QFile f(path);
    QFileDevice::Permissions p = f.permissions();
    const QFileDevice::Permissions write = QFileDevice::WriteOwner | QFileDevice::WriteUser
        | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    f.setPermissions(readOnly ? (p & ~write) : (p | QFileDevice::WriteOwner | QFileDevice::WriteUser));
}

QString dataPath(const QString& name) { return QStringLiteral(TESK_TEST_DATA "/") + name; }

} // namespace tesk::test
