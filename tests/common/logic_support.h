#pragma once
// What logic tests share: a throw-away program folder laid out as a site,
// whole-file helpers and the test data. Nothing here needs a widget.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tesk::test {

// A program folder of its own (with "References/") and a working folder
// laid out as a site.
class TempSite {
public:
    TempSite();
    QString programFolder() const;  // ends in '/'
    QString workingFolder() const;  // ends in '/'
    QString path(const QString& relative) const;  // inside the temporary root
    // Points the shared state at this program and working folder.
    void apply() const;
    bool ok() const { return dir_.isValid(); }

private:
    QTemporaryDir dir_;
};

// Whole-file helpers.
QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);
// Makes a file or folder read-only (or writable again).
void setReadOnly(const QString& path, bool readOnly);

QString dataPath(const QString& name);

} // namespace tesk::test
