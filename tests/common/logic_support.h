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
// Every write to a path containing part fails as on a full disk; "" ends it
// (so does resetProgram).
void fullDisk(const QString& part);

QString dataPath(const QString& name);

// A real full disk: a small tmpfs mounted over folder, holding a copy of
// what the folder held (subfolders too), then filled to its last byte. A
// write fails there where it would on a full disk, after the buffers took
// the bytes, which an injected failure (fullDisk) cannot show. Only root can
// mount: whyNot() says why the folder stays as it was otherwise. Unmounted
// when it goes, the folder's own files reappearing as they were.
class FullFileSystem {
public:
    explicit FullFileSystem(const QString& folder);
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;
    bool mounted() const { return mounted_; }
    QString whyNot() const { return whyNot_; }
    // Free bytes left (0 once full).
    qint64 available() const;
    static constexpr const char* Filler = "filler.bin";

private:
    QString folder_;
    bool mounted_ = false;
    QString whyNot_;
};

} // namespace tesk::test
