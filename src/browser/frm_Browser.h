#pragma once
// The Browser window, "Browser": the live preview of saved pages. Every save
// in the editor navigates it to the saved page, read again from disk; the
// reader's place on the page is kept when the same page is shown again.
//
// Controls, top to bottom: the address bar tb_Address (the toolbar tb_Top
// with Back, Forward, Stop, Refresh and Home, the address box cbo_Address
// with the addresses visited in this run, cmd_Go); the web control
// brw_Web_Browser; the status bar sb_Browser (the control's status text, the
// secure-page indicator, cmd_Access, cmd_Add and, in its place while a page
// loads, the progress indicator prg_Progress_Bar driven by tmr_Timer).
//
// Idle: progress hidden, cmd_Add shown. Loading: timer running, progress
// shown, cmd_Add hidden.

#include "ui/forms.h"
#include "ui/tool_window.h"

#include <QPointF>
#include <QString>

#include <array>

class QAction;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;
class WebBrowser;

class frm_Browser : public ToolWindow {
    Q_OBJECT
public:
    frm_Browser();
    // Opens the help page.
    void Form_Load();

    // ---- operations other windows use ---------------------------------------------
    // The control's navigate (the program always passes 14: fresh from disk).
    // Showing the page already shown again keeps the reader's place.
    void Navigate(const QString& address, int flags);
    // The control's history steps, home page, reload and stop; a step with no
    // history is ignored.
    void GoBack();
    void GoForward();
    void GoHome();
    void Refresh();
    void Stop();
    // The control's commands: 4 save as, 6 print, 8 page setup, 12 copy,
    // 17 select all, 18 clear selection.
    void ExecWB(int command);
    void Open_Disk_File();
    void Stop_Timer();
    // The button bar shown or hidden (the toolbar setting).
    void Display_Buttons(bool show);
    // The access button shown or hidden (the access-button setting).
    void Show_Access(bool show);
    void Focus_Access();

    // ---- the window's own procedures ----------------------------------------------
    void Start_Browser();
    void Start_Timer();
    void Browser_Working();
    void Download_Complete();
    void Add_URL();
    void Add_Tag();
    // A toolbar button by its key: "Back", "Forward", "Stop", "Refresh", "Home".
    void Top_Button_Click(const QString& key);

    void maximizeRequested() override;
    void closeRequested() override;
    bool windowKey(int keyCode, int shift) override;

    // The address box's history, first entry first.
    QStringList addressHistory() const;
    // The toolbar button with this key (null for an unknown key).
    QAction* topButton(const QString& key) const;
    // The folder the Open Disk File dialog ended in last ("" before).
    const QString& browserFolder() const { return Browser_Folder; }

    // ---- controls --------------------------------------------------------------------
    QWidget* tb_Address = nullptr;
    QComboBox* cbo_Address = nullptr;
    QToolButton* cmd_Go = nullptr;
    QToolBar* tb_Top = nullptr;
    WebBrowser* brw_Web_Browser = nullptr;
    QStatusBar* sb_Browser = nullptr;
    std::array<QLabel*, 2> sb_Panel{};  // 0 status text, 1 secure page
    QProgressBar* prg_Progress_Bar = nullptr;
    QTimer* tmr_Timer = nullptr;
    QPushButton* cmd_Add = nullptr;
    QPushButton* cmd_Access = nullptr;

signals:
    // "Add Address to List" took this address into the web-link list; the
    // editor's web-link bar shows it too.
    void webAddressAdded(const QString& address);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void Form_Resize();
    // Keeps the reader's place when the page shown is loaded again.
    void Keep_Place(const QString& address);
    void Load_Finished(bool ok);

    // Shows the address of the page shown in the address box.
    void Show_Address(const QString& address);

    QString Browser_Folder;
    QString browserSite_;  // the working folder when Browser_Folder was chosen
    bool buttonsShown_ = true;
    QPointF keptPlace_;
    QString keptAddress_;  // the page whose place is kept ("" for none)
};

TESK_DECLARE_FORM(frm_Browser, Browser)
