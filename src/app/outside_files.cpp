#include "app/outside_files.h"

#include "app/frm_Start.h"
#include "core/command_line.h"
#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/rich_text_box.h"
#include "site/frm_Working_Folder.h"
#include "source/frm_Source.h"
#include "source/source_document.h"
#include "ui/forms.h"
#include "ui/window_manner.h"

#include <QApplication>
#include <QTimer>

namespace {

QStringList& waiting()
{
    static QStringList files;
    return files;
}

bool& opening()
{
    static bool busy = false;
    return busy;
}

bool Same_Folder(const QString& a, const QString& b)
{
    return fs::withSeparator(a) == fs::withSeparator(b) || fs::sameFile(a, b);
}

void Open_One(const QString& path)
{
    SharedState& s = state();
    if (const Outside_File problem = Check_Outside_File(path); problem != Outside_File::Ok) {
        dialogs::message(Outside_File_Message(path, problem), dialogs::Buttons::Ok, dialogs::Icon::Exclamation,
                         srcdoc::kNotOpenedTitle);
        return;
    }
    const QString site = Site_Of_File(path);
    if (!site.isEmpty() && !Same_Folder(site, s.Working_Folder)) {
        const dialogs::Answer a = dialogs::message(Other_Site_Question(path, site, s.Working_Folder),
                                                   dialogs::Buttons::YesNoCancel, dialogs::Icon::Question,
                                                   kOtherSiteTitle);
        if (a == dialogs::Answer::Cancel)
            return;
        if (a == dialogs::Answer::Yes)
            forms::Working_Folder()->Change_Working_Folder(fs::withoutSeparator(site));
    }
    // A page of the site is edited through its source when it has one:
    // opened as itself it would get a second source beside the first.
    QString file = path;
    if (Same_Folder(fs::parentFolder(path), s.Final_Pages_Folder))
        if (const QString source = srcdoc::Source_Of_Page(s.Final_Pages_Folder + fs::fileName(path),
                                                          s.Working_Pages_Folder, s.Final_Pages_Folder);
            !source.isEmpty())
            file = source;
    frm_Start::Opens_Source();
    forms::Source()->Open_File(file);
}

// A dialog in the dialog manner or a modal one has the user's attention:
// its own questions come first, and it may be about to change the site.
bool Dialog_Open()
{
    return Menus_Disabled() || QApplication::activeModalWidget();
}

void Open_Waiting()
{
    if (opening())
        return;
    if (Dialog_Open()) {
        QTimer::singleShot(250, qApp, Open_Waiting);
        return;
    }
    opening() = true;
    while (!waiting().isEmpty())
        Open_One(waiting().takeFirst());
    opening() = false;
    if (frm_Source* source = forms::Source_If_Loaded(); source && state().Source_Window_Pos >= 1)
        source->focusEditor();
}

} // namespace

void Open_Outside_Files(const QStringList& paths)
{
    waiting() << paths;
    Open_Waiting();
}

QStringList Open_In_Editor()
{
    const frm_Source* source = forms::Source_If_Loaded();
    if (!source || !source->rtf_Source->isEnabled() || state().Source_Path.isEmpty())
        return {};
    return {state().Source_Path};
}
