#pragma once
// A request to end the program from outside (SIGTERM: the desktop session
// ends, `kill`, a service manager) closes the main window as its close
// button would: the editor offers to save, the settings file is written.

// Before the application object exists: the signal is caught from here on.
void Catch_Termination();
// Once the application object exists: a caught signal closes the main window.
void Close_On_Termination();
