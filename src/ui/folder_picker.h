#pragma once
// Runs the "Add Folder to List" picker modally (through dialogs::exec, so
// tests answer it) for a window of any folder. The picker starts in
// Selected_Folder (else the working folder) and leaves the folder chosen
// there; closed without choosing, Selected_Folder keeps its value.
// folderShown hears of every folder the picker's tree moves to.

#include <QString>

#include <functional>

class QWidget;

void Run_Folder_Picker(QWidget* parent, const std::function<void(const QString&)>& folderShown = {});
