#pragma once
// The main window: the menu bar, the four-panel status bar, the two sliders
// that set the splits, and the inner area that holds the tool windows.

#include "core/main_window_port.h"
#include "ui/forms.h"

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QSlider;
class QToolBar;
class ToolWindow;

class frm_Site_Results;
class frm_Find_Site;
class frm_Publish;

class frm_Start : public QMainWindow, public MainWindowPort {
    Q_OBJECT
public:
    frm_Start();
    ~frm_Start() override;

    void Form_Load();

    // Shows the window at a sensible first size (before the settings are read).
    void showStart();
    // The first normal-state placement: the stored location, or a sensible one
    // when nothing is stored.
    void Apply_Normal_Location();

    QSize innerSizePx() const;
    QMdiArea* innerArea() const { return mdi_; }

    // ---- what the windows ask of the main window ----------------------------
    void addToolWindow(ToolWindow* w) override;
    void arrangeWindows() override;
    void hideToolWindows() override;
    void syncSliders() override;
    void hidePageDialog() override;
    void setTopMenusEnabled(bool enabled) override;
    bool topMenusEnabled() const override;
    void setDocumentCommandsEnabled(bool enabled) override;
    void popupSourceMenu(bool editKeys, const QPoint& global, const QList<QAction*>& top = {}) override;
    void focusWorkWindow() override;
    QRect frameGeometryPx() const override { return frameGeometry(); }
    QWidget* widget() override { return this; }

    void applySettingsToMenus();
    void setToolbarChecked(bool checked);
    void hideFindWindow();

    // ---- controls --------------------------------------------------------
    QMenu* mnu_File_Menu = nullptr;
    QMenu* mnu_Browser_Menu = nullptr;
    QMenu* mnu_Browser_Buttons_Menu = nullptr;
    QMenu* mnu_Source = nullptr;
    QMenu* mnu_Source_Keys = nullptr;
    QMenu* mnu_Site_Menu = nullptr;
    QAction* mnu_Site_Check_Links = nullptr;
    QAction* mnu_Site_Check_Page = nullptr;
    QAction* mnu_Site_Check_Site = nullptr;
    QAction* mnu_Source_Check_Page = nullptr;
    QAction* mnu_Site_Find = nullptr;
    QAction* mnu_Site_Publish = nullptr;
    QMenu* mnu_Window_Menu = nullptr;
    QMenu* mnu_Help_Menu = nullptr;

    QAction* mnu_File_Working_Folder = nullptr;
    QAction* mnu_File_Copy = nullptr;
    QAction* mnu_File_Prt_Setup = nullptr;
    QAction* mnu_File_Pg_Setup = nullptr;
    QAction* mnu_File_Print = nullptr;
    QAction* mnu_File_Exit = nullptr;
    std::array<QAction*, 5> mnu_Browser{};
    QAction* mnu_Browser_Open_File = nullptr;
    QAction* mnu_Browser_SaveAs = nullptr;
    QAction* mnu_Browser_All = nullptr;
    QAction* mnu_Browser_Back = nullptr;
    QAction* mnu_Browser_Forward = nullptr;
    QAction* mnu_Browser_Refresh = nullptr;
    QAction* mnu_Browser_Home = nullptr;
    QAction* mnu_Browser_Stop = nullptr;
    QAction* mnu_Browser_Copy = nullptr;
    QAction* mnu_Browser_Prt_Setup = nullptr;
    QAction* mnu_Browser_Setup = nullptr;
    QAction* mnu_Browser_Print = nullptr;
    QAction* mnu_Browser_Help = nullptr;
    QAction* mnu_Browser_Access = nullptr;
    QAction* mnu_Browser_Buttons = nullptr;
    QAction* mnu_Source_NewPage = nullptr;
    QAction* mnu_Source_Open_Plus = nullptr;
    QAction* mnu_Source_Open = nullptr;
    QAction* mnu_Source_Open_Ref = nullptr;
    QAction* mnu_Source_Save = nullptr;
    QAction* mnu_Source_Save_As = nullptr;
    QAction* mnu_Source_New = nullptr;
    QAction* mnu_Source_Rename = nullptr;
    QAction* mnu_Source_Delete = nullptr;
    QAction* mnu_Source_Cut = nullptr;
    QAction* mnu_Source_Copy = nullptr;
    QAction* mnu_Source_Paste = nullptr;
    QAction* mnu_Source_All = nullptr;
    QAction* mnu_Source_Find = nullptr;
    QAction* mnu_Source_Color = nullptr;
    QAction* mnu_Source_Format = nullptr;
    QAction* mnu_Source_Indent = nullptr;
    QAction* mnu_Source_NoIndent = nullptr;
    QAction* mnu_Source_Preview = nullptr;
    QAction* mnu_Source_Print = nullptr;
    QAction* mnu_Source_Tags = nullptr;
    QAction* mnu_Source_Xhtml = nullptr;
    QAction* mnu_Window_Ver = nullptr;
    QAction* mnu_Window_Hor = nullptr;
    QAction* mnu_Window_Clear = nullptr;
    QAction* mnu_Window_Browser = nullptr;
    QAction* mnu_Window_Source = nullptr;
    QAction* mnu_Window_Images = nullptr;
    QAction* mnu_Window_Colors = nullptr;
    QAction* mnu_Window_Tags = nullptr;
    QAction* mnu_Window_Options = nullptr;
    QAction* mnu_Help_Home = nullptr;
    QAction* mnu_Help_About = nullptr;
    QAction* mnu_Help_Font = nullptr;

    QToolBar* tb_Bottom = nullptr;
    QToolBar* tb_Right = nullptr;
    QSlider* sld_Hor = nullptr;
    QSlider* sld_Ver = nullptr;
    std::array<QLabel*, 4> sb_Status{};

    // ---- menu rules ------------------------------------------------------
    // Needs Source: the command runs only while the Source window is placed.
    static bool Needs_Source();
    // Opens Source: the Source window is placed (and the windows arranged)
    // before the command runs.
    static void Opens_Source();

    // Site > Find in Site (Ctrl+Shift+H in the editor): the window opened
    // with the editor's selection; F4 and Shift+F4 step through its results.
    void Find_In_Site(const QString& selection);
    void Step_Site_Result(bool backward);
    frm_Find_Site* Find_Site_Window() const { return findSite_; }
    // Site > Publish Site: the one publish dialog, made on first use.
    void Publish_Site();
    frm_Publish* Publish_Window() const { return publish_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    frm_Site_Results* siteResults_ = nullptr;
    // The one results window, made on first use, shown and in front.
    frm_Site_Results* Show_Site_Results();
    void Check_Page();
    frm_Find_Site* findSite_ = nullptr;
    frm_Publish* publish_ = nullptr;
    frm_Site_Results* Site_Results();
    struct MenuRow;
    QMenu* addMenuFromRows(QMenu* menu, std::initializer_list<MenuRow> rows);
    void buildMenus();
    void buildBars();
    void Form_Resize();
    void recordNormalLocation();
    void sliderMoved();

    // Menu commands whose action is more than a line.
    void Browser_Open_Disk_File();
    void Browser_Show_Help();
    void Browser_Toggle_Access();
    void Browser_Toggle_Buttons();
    void Source_Open_Reference();
    void Window_Images();
    void Window_Colors();

    QMdiArea* mdi_ = nullptr;
    bool syncing_ = false;
    bool unloading_ = false;
};

TESK_DECLARE_FORM(frm_Start, Start)
