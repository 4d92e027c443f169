#pragma once
// Shared by the fuzz targets: the readers under test take a path, so each
// input is written to one file in a private temporary folder first and read
// back through the program's own file service, exactly as a user's file is.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The folder lives as long as the process; libFuzzer never returns normally.
inline const QString& folder()
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

inline QString fileWith(const QString& name, const QByteArray& content)
{
    const QString path = folder() + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
        std::abort();  // the harness itself failed, not the reader
    return path;
}

// A property the program relies on did not hold: say which, and make
// libFuzzer keep the input.
inline void failed(const char* what, int line)
{
    std::fprintf(stderr, "check failed at line %d: %s\n", line, what);
    std::abort();
}
#define FUZZ_CHECK(cond) ((cond) ? void() : fuzz::failed(#cond, __LINE__))

} // namespace fuzz
