#include "core/shared_state.h"

#include "platform/file_system.h"

#include <memory>

namespace {
std::unique_ptr<SharedState>& instance()
{
    static std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    return s;
}
} // namespace

SharedState& state() { return *instance(); }

void resetState()
{
    auto fresh = std::make_unique<SharedState>();
    SharedState& old = *instance();
    fresh->Status_Color_Panel.onChange = old.Status_Color_Panel.onChange;
    fresh->Status_Folder_Panel.onChange = old.Status_Folder_Panel.onChange;
    fresh->Status_Page_Panel.onChange = old.Status_Page_Panel.onChange;
    fresh->Status_Path_Panel.onChange = old.Status_Path_Panel.onChange;
    instance() = std::move(fresh);
}

QString Program_Folder_From(const QString& applicationDir)
{
    // A root such as "/" or "C:/" already ends in its separator.
    if (applicationDir.size() <= 3 && (applicationDir.endsWith(QLatin1Char('/'))
                                       || applicationDir.endsWith(QLatin1Char('\\'))))
        return applicationDir;
    return fs::withSeparator(applicationDir);
}

QString User_Files_Folder(const SharedState& s)
{
    return s.User_Folder.isEmpty() ? s.Program_Folder : s.User_Folder;
}

void Derive_Site_Folders(SharedState& s)
{
    s.Working_Pages_Folder = s.Working_Folder + QStringLiteral("Working-Pages") + fs::separator();
    s.Final_Pages_Folder = s.Working_Folder + QStringLiteral("Final-Pages") + fs::separator();
    s.Reference_Folder = User_Files_Folder(s) + QStringLiteral("References") + fs::separator();
}
