#pragma once
// The message every window shows when a tag list file cannot be written.

#include "platform/file_system.h"

#include <QString>

// Tells the user that a tag list file could not be written (the entry stays
// in the open lists for this run).
void Show_List_Not_Saved(const QString& path, fs::Result result);
