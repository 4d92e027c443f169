#pragma once
// Start-up and shut-down of the program.

#include <functional>

#include <QString>
struct SharedState;

// The program's entry: builds the shared state, shows the main window, reads
// the settings and arranges the tool windows. Runs once. The program folder
// is the executable's own unless one is given (tests run in a folder of
// their own).
void Main(const QString& programFolder = QString());

// Where the program started from its executable keeps its settings: the
// program folder, or the user's own folder for an installed program.
QString Settings_Folder_Of_This_Program();

// Stores the settings and ends the program at once.
void End_Program();

// Reads the settings file into the shared state; a damaged file shows
// "Default Retrieval not Successful" and keeps what was read.
void Retrieve_Defaults();
// Writes the settings file; a failed write shows "Default Storage not
// Successful" and leaves the previous file as it was.
void Store_Defaults();

// Steps of start-up that need no window: the defaults of the settings and
// window codes, and the checks made after the settings file was read.
void Set_Default_Settings(SharedState& s);
void Apply_Startup_Rules(SharedState& s);

// How End_Program ends the run; tests replace it so the test run goes on.
void setProgramExit(std::function<void()> exitFn);
