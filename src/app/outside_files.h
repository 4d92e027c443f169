#pragma once
// Files named from outside: on the command line, or handed over by a second
// start. Each is opened as Source > Open would open it, one after the other,
// so the last one stays in the editor and the others are in the site.

#include <QString>
#include <QStringList>

// Opens the files (absolute paths) in turn. Files that arrive while a
// dialog is open, or while others are still being opened, wait for it.
void Open_Outside_Files(const QStringList& paths);

// The file the editor holds now (its source), for the second start's
// answer; empty when nothing is open.
QStringList Open_In_Editor();
