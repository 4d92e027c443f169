#pragma once
// What the windows that rename and delete a site's files share: a rename
// first counts the links to the old name and asks "Update N links in M
// files?"; a delete first says which pages link to what goes. The work is
// sitekit's; this is only the asking and the telling.

#include "sitekit/link_rewrite.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace linkui {

// The working site as the settings describe it.
sitekit::SiteOptions siteOptions();
// The path below Final-Pages of a file in it, "" for a file elsewhere.
QString siteRelative(const QString& path);

// The document open in the editor, which the editor changes itself (one
// undo step, marked changed) instead of its files being written. Set by the
// program's wiring; unset, every file is written.
struct EditorDocument {
    QStringList paths;  // its source and page files
    // Makes the link changes in the editor's text.
    std::function<void(const QString& from, const QString& to)> apply;
};
void setEditorDocument(std::function<EditorDocument()> provider);

struct Renamed {
    enum class Outcome { Done, Cancelled, Failed };
    Outcome outcome = Outcome::Done;
    // A failure: the file, the reason, and whether it was a link update
    // (then nothing was renamed and every file is as it was).
    QString file;
    QString why;
    bool linkUpdate = false;
};
// Renames the files of moves (the first one names the file the links point
// at), asking first (under title) whether to update the links to it when
// there are any. Failures are the caller's to tell.
Renamed renameWithLinks(const std::vector<std::pair<QString, QString>>& moves, const QString& title);
// The message for a link update that could not be written.
QString updateFailed(const Renamed& r);

// False when the user chose not to delete path after being told which pages
// link to it; true at once when none do.
bool confirmDelete(const QString& path, const QString& title);

} // namespace linkui
