#pragma once
// The program-wide state every window reads and writes: folders, settings,
// window slot codes, the document, the print engine's pagination flags.
// One instance lives for the whole run (state()); tests build their own with
// resetState() so none depends on another's leftovers.

#include "core/more_settings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// A panel of the main window's status bar. Logic writes the text; the main
// window, once it exists, shows it.
class StatusPanel {
public:
    const QString& text() const { return text_; }
    void setText(const QString& text)
    {
        text_ = text;
        if (onChange)
            onChange(text_);
    }
    void clear() { setText(QString()); }
    std::function<void(const QString&)> onChange;

private:
    QString text_;
};

// A slider of the main window as the arrangement sees it: the window keeps the
// widget and this value in step.
struct SliderValue {
    int value = 0;
    int maximum = 0;
};

// The window values put aside while the Delete Pages or Rename Pages dialog
// is open.
struct SavedLayout {
    int Browser_Window_Pos = 0;
    int Source_Window_Pos = 0;
    int Tool_Pane_Window = 0;
    int Color_Window_Pos = 0;
    int Image_Window_Pos = 0;
};

struct FolderEntry {
    QString Name;
    QString Path;
};

// Search and replace between the clicks of its window (positions are
// 0-based indexes into the editor's text).
struct SearchState {
    // The scope is the selection that was present when the window became
    // active: [Selection_Start, Selection_End).
    bool Selected_Only = false;
    int Selection_Start = 0;
    int Selection_End = 0;
    // The current scope, where the next search begins, and the start of the
    // match last found (-1: none).
    int Search_Start = 0;
    int Search_End = 0;
    int Search_Position = 0;
    int Found_Position = -1;
    // Find options of the last search: +2 whole word, +4 match case.
    int Search_Options = 0;
    // Length of the replacement minus length of the search phrase.
    int Length_Change = 0;
};

struct SharedState {
    // ---- folders and files (every folder path ends in a separator) --------
    QString Program_Folder;
    QString Working_Folder;
    QString Working_Pages_Folder;
    QString Final_Pages_Folder;
    QString Reference_Folder;
    QString Help_File;
    QString Samples_Index;
    // Where the program writes its own files (the settings file and
    // "References") and its first working folder. Empty: the program folder,
    // as for a program run from its build folder; an installed program,
    // whose program folder is shared, uses the user's own folders.
    QString User_Folder;
    QString Default_Working_Folder;

    // ---- editor and HTML settings ------------------------------------------
    QString Font_Name = QStringLiteral("Arial");
    int Font_Size = 10;
    std::array<QString, 4> Code_Color_Names{QStringLiteral("Black"), QStringLiteral("Blue"),
                                            QStringLiteral("Green"), QStringLiteral("Red")};
    std::array<int, 4> Code_Color_Numbers{0, 9, 2, 12};
    int Measure_Units = 1;
    int Tab_Spacing = 360;
    int Text_Indent = 1080;
    QString Bookmark_Chars = QStringLiteral("~~~");
    bool Use_XHTML = false;
    // The options kept beside the settings file (core/more_settings.h).
    MoreSettings More;
    QString Quote = QStringLiteral("\"");
    QString Page_Break_Tag = QStringLiteral("<p style=\"page-break-before: always\"></p>");

    // ---- file-dialog filters and file patterns -----------------------------
    QString Web_Page_Filter = QStringLiteral(
        "HTML (*.html;*.htm)|*.html;*.htm|SSI (*.shtml)|*.shtml|ASP (*.asp)|*.asp|"
        "JSP (*.jsp)|*.jsp|Miva (*.mv)|*.mv|Perl (*.pl)|*.pl|PHP (*.php)|*.php|"
        "Xml (*.xml)|*.xml|");
    QString Source_File_Filter = QStringLiteral("Source Files (*.rtf)|*.rtf|Text Files (*.txt)|*.txt|")
        + Web_Page_Filter;
    QString Support_File_Pattern = QStringLiteral("*.xs?;*.xf?");
    // PNG, WebP and SVG belong to today's web; files that still carry the
    // older patterns get these when read (Parse_Settings).
    QString Image_Pattern = QStringLiteral("*.gif;*.jpg;*.jpeg;*.bmp;*.png;*.webp;*.svg");
    QString Background_Pattern = QStringLiteral("*.gif;*.bmp;*.png;*.webp;*.svg");

    // ---- printing ------------------------------------------------------------
    int Margin_Left = 1440;
    int Margin_Top = 1080;
    int Margin_Right = 1080;
    int Margin_Bottom = 1080;
    int Page_Number_Pos = 0;
    int Date_Revised_Pos = 0;
    int Filename_Pos = 0;
    int Path_Name_Pos = 0;
    // Pagination bookkeeping the editor touches when its text changes.
    int Print_Source = 0;
    int Paginated = 0;
    // The print engine's file and what it was asked to print; the page
    // layout of the last pagination.
    QString Print_File_Path;
    QString Print_File_Name;
    int Page_Total = 0;
    int First_Page = 1;
    int Last_Page = 1;
    int Current_Page = 1;
    int Print_Copies = 1;
    int Print_To_Printer = 0;  // 1 drawing on the printer, 0 on the preview
    double Print_Scale = 1.0;
    int Print_Plus_Open = 0;
    int Lines_Per_Page = 0;
    int Footer_Y = 0;
    int Print_Width = 0;
    std::array<QString, 5> Head_Foot_Text;
    QString Rev_Date_Text;
    // Where the last PDF of a print went (with no printer installed), for
    // the next one in this run; "" until then (the user's documents).
    QString Pdf_Folder;

    // ---- browser -------------------------------------------------------------
    QString Browser_Home_Page;
    bool Show_Browser_Buttons = true;
    bool Show_Access_Button = true;

    // ---- window arrangement --------------------------------------------------
    int Browser_Window_Pos = 2;
    int Source_Window_Pos = 2;
    int Image_Window_Pos = -2;
    int Color_Window_Pos = -2;
    int Tags_Window_Pos = -2;
    int Find_Window_State = -2;
    int Tool_Pane_Window = 0;
    bool Arrange_Horizontal = false;
    int Client_Width = 0;
    int Client_Height = 0;
    int Max_Split_X = 0;
    int Max_Split_Y = 0;
    float Split_Ratio_X = 0.5f;
    float Split_Ratio_Y = 0.5f;
    SliderValue Slider_Hor;
    SliderValue Slider_Ver;
    int Panes_Shown = 0;
    int Normal_Left = 0;
    int Normal_Top = 0;
    int Normal_Width = 0;
    int Normal_Height = 0;
    bool Normal_Location_Set = false;
    int Help_Shown = -3;
    int Help_Left = 0;
    int Help_Top = 0;
    int Help_Width = 515;
    int Help_Height = 672;
    int Find_Left = 0;
    int Find_Top = 0;
    int Page_Dialog = 0;  // 0 none, 1 Delete Pages, 2 Rename Pages
    SavedLayout Saved_Layout;

    // ---- status bar ----------------------------------------------------------
    StatusPanel Status_Color_Panel;
    StatusPanel Status_Folder_Panel;
    StatusPanel Status_Page_Panel;
    StatusPanel Status_Path_Panel;

    // ---- the document in the source editor ------------------------------------
    QString Source_Path;
    QString Source_Title;
    QString Source_Folder;
    QString HTML_Name;
    QString HTML_Path;
    bool Source_Changed = false;
    bool Dialog_Cancelled = false;
    QString Reference_Name;
    int Color_Index = -1;
    QString Entity_Suffix;
    int Tag_Index = 0;

    // ---- search and replace ----------------------------------------------------
    SearchState Search;

    // ---- folders handed between dialogs ---------------------------------------
    QString Selected_Folder;
    std::array<FolderEntry, 51> Folder_List;

    // ---- scratch: never expected to survive a call ----------------------------
    QString Work_Text;
    int Work_Index = 0;
};

// The program's instance.
SharedState& state();

// Replaces the program's instance by a fresh one with every default; the
// status panels keep their connections to the main window.
void resetState();

// The program folder from the executable's location: the separator is
// appended unless the path is a root, which already ends in one.
QString Program_Folder_From(const QString& applicationDir);

// The folder of the settings file and "References": User_Folder, or the
// program folder when that is empty.
QString User_Files_Folder(const SharedState& s);

// Recomputes Working_Pages_Folder, Final_Pages_Folder and Reference_Folder
// from Working_Folder and Program_Folder.
void Derive_Site_Folders(SharedState& s);
