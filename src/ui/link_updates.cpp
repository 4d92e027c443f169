#include "ui/link_updates.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "sitekit/site_model.h"

#include <QDir>

#include <algorithm>

namespace linkui {

namespace {

std::function<EditorDocument()>& editorProvider()
{
    static std::function<EditorDocument()> p;
    return p;
}

} // namespace

void setEditorDocument(std::function<EditorDocument()> provider) { editorProvider() = std::move(provider); }

sitekit::SiteOptions siteOptions()
{
    const SharedState& s = state();
    sitekit::SiteOptions o;
    o.pageExtensions = sitekit::pageExtensions(s.Web_Page_Filter);
    o.picturePattern = s.Image_Pattern + QLatin1Char(';') + s.Background_Pattern;
    o.referenceFolder = s.Reference_Folder;
    return o;
}

QString siteRelative(const QString& path)
{
    const QString finalPages = fs::canonicalPath(state().Final_Pages_Folder);
    QString file = fs::canonicalPath(path);
    if (file.isEmpty())
        file = fs::canonicalPath(fs::parentFolder(path)) + QLatin1Char('/') + fs::fileName(path);
    if (finalPages.isEmpty() || !file.startsWith(finalPages + QLatin1Char('/')))
        return {};
    return file.mid(finalPages.size() + 1);
}

Renamed renameWithLinks(const std::vector<std::pair<QString, QString>>& moves, const QString& title)
{
    const SharedState& s = state();
    const QString from = moves.empty() ? QString() : siteRelative(moves.front().first);
    const QString to = from.isEmpty() ? QString() : sitekit::folderOf(from) + fs::fileName(moves.front().second);
    sitekit::RenamePlan plan;
    plan.moves = moves;
    if (!from.isEmpty() && !s.Working_Folder.isEmpty()) {
        sitekit::SiteOptions options = siteOptions();
        options.withSources = true;
        options.mentioning = sitekit::mentionedName(from);
        plan = sitekit::planRename(sitekit::readSite(s.Working_Folder, options), from, to, moves,
                                   {s.Font_Name, s.Font_Size});
    }
    bool update = false;
    if (plan.links > 0) {
        const dialogs::Answer a = dialogs::message(sitekit::updateQuestion(plan), dialogs::Buttons::YesNoCancel,
                                                   dialogs::Icon::Question, title);
        if (a == dialogs::Answer::Cancel)
            return {Renamed::Outcome::Cancelled};
        update = a == dialogs::Answer::Yes;
    }
    EditorDocument editor;
    if (update && editorProvider())
        editor = editorProvider()();
    QStringList skip;
    for (const QString& p : editor.paths)
        for (const sitekit::FileChange& c : plan.changes)
            if (!p.isEmpty() && fs::sameFile(p, c.path))
                skip << c.path;
    const sitekit::Applied done = sitekit::applyRename(plan, update, skip);
    if (!done.ok) {
        const bool linkUpdate = std::none_of(moves.begin(), moves.end(), [&](const auto& m) {
            return fs::fileName(m.first) == done.file;
        });
        return {Renamed::Outcome::Failed, done.file, done.why, linkUpdate};
    }
    if (!skip.isEmpty() && editor.apply)
        editor.apply(from, to);
    return {};
}

QString updateFailed(const Renamed& r)
{
    return QStringLiteral("%1\r\ncould not be written: %2\r\nNothing was renamed.").arg(r.file, r.why);
}

bool confirmDelete(const QString& path, const QString& title)
{
    const SharedState& s = state();
    const QString target = siteRelative(path);
    if (target.isEmpty() || s.Working_Folder.isEmpty())
        return true;
    const QStringList pages = sitekit::filesLinkingTo(sitekit::readSite(s.Working_Folder, siteOptions()), target);
    if (pages.isEmpty())
        return true;
    return dialogs::message(sitekit::linkingPagesText(target, pages) + QStringLiteral("\r\nDelete it all the same?"),
                            dialogs::Buttons::YesNo, dialogs::Icon::Exclamation, title, dialogs::Answer::No)
        == dialogs::Answer::Yes;
}

} // namespace linkui
