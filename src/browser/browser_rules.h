#pragma once
// The decisions of the Browser window that need no window: which addresses
// enter the address history, what the main window's page panel says when a
// page has loaded, when a page counts as secure, how the progress indicator
// steps, how the window's slot code toggles, and where its controls go.

#include <QRect>
#include <QString>
#include <QStringList>

namespace browser_rules {

// ---- address history --------------------------------------------------------
// What a completed page does to the address box's history.
struct HistoryChoice {
    enum Action {
        Ignore,          // no address, a local file or an "about" page
        SelectExisting,  // listed already (exactly): select entry Index
        InsertFirst,     // a new address: it becomes the first entry
    };
    Action What = Ignore;
    int Index = -1;
};
HistoryChoice Choose_History(const QString& address, const QStringList& entries);

// ---- the main window's page panel ---------------------------------------------
extern const QString Home_Page_Text;  // "Home Page"
extern const QString Working_Text;    // "Working..."
// The file name of the help page ("TeskEdit.htm" for the program's own).
QString Help_Page_Name(const QString& helpFile);
// A page has loaded: the panel text for its location name, and whether the
// address goes on to the history (not for the help page).
struct CompletedPage {
    QString Panel_Text;
    bool Add_To_History = false;
};
CompletedPage Complete_Page(const QString& locationName, const QString& helpPageName);

// ---- small rules ------------------------------------------------------------
// The secure-page indicator shows for "https:" addresses (either case as
// written, as older browsers reported them).
bool Is_Secure_Address(const QString& address);
// The progress indicator's next value on a busy tick: up by ten, from 100
// back to 0.
int Next_Progress(int value);
// F11 in the window: docked becomes the whole area, anything else docked.
int Full_Size_Toggle(int browserWindowPos);
// The title bar's maximise: the whole area becomes docked, anything else
// the whole area.
int Maximize_Toggle(int browserWindowPos);
// The folder the Open Disk File dialog starts in: the last one used, else the
// site's page folder, else the program's folder.
QString Open_Folder(const QString& browserFolder, const QString& finalPagesFolder,
                    const QString& programFolder);

// ---- layout (twips, within the window's inner area) ---------------------------------
struct LayoutInput {
    int Width = 0;
    int Height = 0;
    bool Bar_Shown = true;    // the button bar (address bar with the toolbar)
    int Toolbar_Width = 0;    // the five buttons
    int Toolbar_Height = 0;
    int Address_Height = 0;   // the address box
    int Go_Width = 0;         // the Go button beside it
    int Status_Height = 0;
};
struct Layout {
    bool Laid_Out = false;    // false: the area is too small, nothing moves
    QRect Bar;                // empty while the bar is hidden
    QRect Toolbar;            // inside Bar
    bool Address_Placed = false;
    QRect Address;            // inside Bar
    QRect Go;                 // inside Bar
    QRect Browser;
    QRect Status;
};
constexpr int Min_Width = 2500;
constexpr int Min_Height = 500;
constexpr int Address_Left = 2820;
constexpr int Address_Top = 120;
constexpr int Address_Bar_Min = 3000;
constexpr int Address_Min_Width = 1800;  // narrower, an address cannot be read
Layout Compute_Layout(const LayoutInput& in);

} // namespace browser_rules
