#pragma once
// Adding to a file that other programs keep and read line by line (ssh's
// known_hosts): the file itself grows, where a replacement through a
// temporary file would turn a link into a copy and drop what the other
// program wrote meanwhile.

#include "platform/file_system.h"

#include <QByteArray>
#include <QString>

namespace fs {

// Adds bytes to the end of the file (through a link, to its target). A
// failed write is taken back, so the file ends as it was; a file made here
// is readable and writable by its owner alone.
Result appendInPlace(const QString& path, const QByteArray& bytes);

} // namespace fs
