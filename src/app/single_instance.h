#pragma once
// One editor per user and settings folder: a second start hands its files
// to the editor already running and ends, as users expect of editors. The
// two talk over a local socket (see core/command_line.h for the message).

#include <QString>
#include <QStringList>

#include <optional>

// The socket of the editor that keeps its settings in settingsFolder, for
// this user.
QString Instance_Socket_Name(const QString& settingsFolder);

// A second start: hands files to the editor listening on name and returns
// what it has open. Nothing (no editor, or one that does not answer within
// a few seconds: hung or still starting) means this start goes on as the
// editor itself, so no file is lost.
std::optional<QStringList> Hand_Over_Files(const QString& name, const QStringList& files);

// The running editor: listens on name (a socket left by an editor that
// crashed is taken over) and opens what later starts hand over. False when
// another editor answers on name already, so this one runs alone.
bool Listen_For_Later_Starts(const QString& name);
