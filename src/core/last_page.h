#pragma once
// The page that was open when the program ended, opened again at the next
// start ("Reopen the last page at start"). What is remembered lives in the
// options file beside the settings file (core/more_settings.h).

#include "core/more_settings.h"

// The source to open again at start in workingFolder, or "" when there is
// none: the option off, no page remembered, a page of another working
// folder, or one that is no longer there (skipped without a word).
QString Page_To_Reopen(const MoreSettings& m, const QString& workingFolder);

// Remembers the open document (its source, the working folder, the caret
// and the first position in view), or that none is open (an empty source).
void Remember_Page(MoreSettings& m, const QString& source, const QString& workingFolder, int caret,
                   int firstShown);
