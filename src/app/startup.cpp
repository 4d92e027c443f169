#include "app/startup.h"

#include "app/arrange.h"
#include "ui/forms.h"
#include "app/frm_Start.h"
#include "app/wiring.h"
#include "platform/screen.h"
#include "core/installation.h"
#include "core/last_page.h"
#include "core/settings_file.h"
#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/end_signals.h"
#include "platform/file_system.h"
#include "platform/rich_text_box.h"
#include "source/frm_Source.h"
#include "source/source_document.h"
#include "ui/window_manner.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace {
std::function<void()>& programExit()
{
    static std::function<void()> fn = [] { QCoreApplication::exit(0); };
    return fn;
}
} // namespace

void setProgramExit(std::function<void()> exitFn) { programExit() = std::move(exitFn); }

void Set_Default_Settings(SharedState& s)
{
    const SharedState d;
    s.Quote = d.Quote;
    s.Font_Name = d.Font_Name;
    s.Font_Size = d.Font_Size;
    s.Code_Color_Names = d.Code_Color_Names;
    s.Code_Color_Numbers = d.Code_Color_Numbers;
    s.Measure_Units = d.Measure_Units;
    s.Tab_Spacing = d.Tab_Spacing;
    s.Text_Indent = d.Text_Indent;
    s.Show_Browser_Buttons = d.Show_Browser_Buttons;
    s.Show_Access_Button = d.Show_Access_Button;
    s.Margin_Left = d.Margin_Left;
    s.Margin_Top = d.Margin_Top;
    s.Margin_Right = d.Margin_Right;
    s.Margin_Bottom = d.Margin_Bottom;
    s.Page_Break_Tag = d.Page_Break_Tag;
    s.Bookmark_Chars = d.Bookmark_Chars;
    s.Web_Page_Filter = d.Web_Page_Filter;
    s.Source_File_Filter = d.Source_File_Filter;
    s.Support_File_Pattern = d.Support_File_Pattern;
    s.Image_Pattern = d.Image_Pattern;
    s.Background_Pattern = d.Background_Pattern;
    s.Browser_Window_Pos = d.Browser_Window_Pos;
    s.Source_Window_Pos = d.Source_Window_Pos;
    s.Image_Window_Pos = d.Image_Window_Pos;
    s.Color_Window_Pos = d.Color_Window_Pos;
    s.Find_Window_State = d.Find_Window_State;
    s.Tags_Window_Pos = d.Tags_Window_Pos;
}

void Apply_Startup_Rules(SharedState& s)
{
    if (!s.Working_Folder.isEmpty() && !fs::folderExists(s.Working_Folder))
        s.Working_Folder.clear();
    if (s.Working_Folder.isEmpty())
        s.Working_Folder = s.Default_Working_Folder.isEmpty() ? s.Program_Folder : s.Default_Working_Folder;
    s.Working_Folder = fs::withSeparator(s.Working_Folder);
    Derive_Site_Folders(s);
    if (s.Browser_Home_Page.isEmpty())
        s.Browser_Home_Page = s.Help_File;
    s.Samples_Index = s.Program_Folder + QStringLiteral("Samples") + fs::separator()
        + QStringLiteral("index.html");
    if (!fs::fileExists(s.Samples_Index))
        s.Samples_Index.clear();
}

void Retrieve_Defaults()
{
    if (Read_Settings_File(state()) == SettingsRead::Failed)
        dialogs::message(QStringLiteral("Default Retrieval not Successful"));
    state().More = Read_More_Settings(User_Files_Folder(state()));
}

namespace {

// What the editor holds as the program ends, for the next start.
void Remember_Last_Page()
{
    SharedState& s = state();
    frm_Source* source = forms::Source_If_Loaded();
    if (!s.More.Reopen_Last_Page || !source || !source->rtf_Source->isEnabled()) {
        Remember_Page(s.More, QString(), QString(), 0, 0);
        return;
    }
    const auto [caret, firstShown] = source->Caret_And_View();
    Remember_Page(s.More, s.Source_Path, s.Working_Folder, caret, firstShown);
}

void Reopen_Last_Page()
{
    SharedState& s = state();
    const QString page = Page_To_Reopen(s.More, s.Working_Folder);
    if (page.isEmpty())
        return;
    if (s.Source_Window_Pos < 1) {
        s.Source_Window_Pos = 1;
        Arrange_Windows();
    }
    forms::Source()->Open_Again(page, s.More.Last_Caret, s.More.Last_Scroll);
}

} // namespace

void Store_Defaults()
{
    Remember_Last_Page();
    if (Write_Settings_File(state()) != fs::Result::Ok
        || Write_More_Settings(User_Files_Folder(state()), state().More) != fs::Result::Ok)
        dialogs::message(QStringLiteral("Default Storage not Successful"));
}

void End_Program()
{
    Store_Defaults();
    programExit()();
}

namespace {

// Told to end from outside (a logout, a shutdown): as File > Exit, but no
// one is there to answer, so nothing asks and nothing waits.
void End_Program_From_Outside()
{
    if (frm_Source* source = forms::Source_If_Loaded())
        source->Keep_Unsaved_Changes();
    Remember_Last_Page();
    Write_Settings_File(state());
    Write_More_Settings(User_Files_Folder(state()), state().More);
    programExit()();
}

// Edits kept when the program was last ended from outside.
void Offer_Recovered_Changes()
{
    SharedState& s = state();
    for (const QString& copy : srcdoc::Recovered_Copies(s.Working_Pages_Folder)) {
        const dialogs::Answer a = dialogs::message(srcdoc::Recovered_Question(copy), dialogs::Buttons::YesNoCancel,
                                                   dialogs::Icon::Question, srcdoc::kRecoveredTitle);
        if (a == dialogs::Answer::Yes) {
            if (s.Source_Window_Pos < 1) {
                s.Source_Window_Pos = 1;
                Arrange_Windows();
            }
            forms::Source()->Open_Recovered(copy);
        } else if (a == dialogs::Answer::No) {
            fs::deleteFile(copy);
        }
    }
}

} // namespace

namespace {

ProgramPlaces Places_Of_This_Program()
{
    return Program_Places(QCoreApplication::applicationDirPath(), Installed_Data_From_Bin(),
                          QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

} // namespace

QString Settings_Folder_Of_This_Program()
{
    const ProgramPlaces places = Places_Of_This_Program();
    return places.userFolder.isEmpty() ? places.programFolder : places.userFolder;
}

void Main(const QString& programFolder)
{
    SharedState& s = state();
    // 1-2: the file-system service is stateless; the program folder comes
    // from the executable's own location.
    // An installed program reads its shipped files from the shared data
    // folder and writes its own into the user's folders.
    if (programFolder.isEmpty()) {
        const ProgramPlaces places = Places_Of_This_Program();
        s.Program_Folder = places.programFolder;
        s.User_Folder = places.userFolder;
        s.Default_Working_Folder = places.defaultWorkingFolder;
        Prepare_User_Folders(places);
    } else {
        s.Program_Folder = Program_Folder_From(programFolder);
    }

    Wire_Windows();
    Watch_End_Signals(End_Program_From_Outside);

    // 3-5: the main window, its geometry, the sliders in the middle.
    frm_Start* start = forms::Start();
    start->showStart();
    Adjust_Sliders();
    s.Slider_Hor.value = static_cast<int>(s.Client_Width / Twips_Per_Pixel_X() / 2);
    s.Slider_Ver.value = static_cast<int>(s.Client_Height / Twips_Per_Pixel_Y() / 2);
    start->syncSliders();

    // 6-7: the help page, and the browser over the whole inner area.
    s.Help_File = s.Program_Folder + QStringLiteral("TeskEdit.htm");
    Show_Browser_Initially();

    // 8-11: defaults.
    Set_Default_Settings(s);
    const QSize screen = Screen_Size_Pixels();
    const QSize find = Find_Dialog_Size_Twips();
    s.Find_Left = static_cast<int>((screen.width() * Twips_Per_Pixel_X() - find.width()) / 2.0 + 0.5);
    s.Find_Top = static_cast<int>((screen.height() * Twips_Per_Pixel_Y() - find.height()) / 2.0 + 0.5);
    s.Help_Width = 515;
    s.Help_Height = 672;
    s.Help_Left = screen.width() - s.Help_Width - 8;
    s.Help_Top = screen.height() - s.Help_Height - 8;
    s.Help_Shown = -3;

    // 12-16: stored settings and the checks that follow them.
    Retrieve_Defaults();
    Apply_Startup_Rules(s);
    // The stored window location is known only now: this is the first
    // placement of the main window in its normal state.
    start->Apply_Normal_Location();

    // 17-21: show what the settings say.
    Display_Browser_Buttons();
    start->applySettingsToMenus();
    s.Status_Folder_Panel.setText(s.Working_Folder);
    Arrange_Windows();
    Reopen_Last_Page();
    Focus_Source_If_Shown();
    Offer_Recovered_Changes();
}
