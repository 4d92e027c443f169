#pragma once
// The Browser window: the live preview of saved pages.

#include "core/tool_window.h"

class frm_Browser : public ToolWindow {
    Q_OBJECT
public:
    frm_Browser();
    void Form_Load();

    // Operations other windows use.
    void Navigate(const QString& address, int flags);
    void GoBack();
    void GoForward();
    void GoHome();
    void Refresh();
    void Stop();
    void ExecWB(int command);
    void Open_Disk_File();
    void Stop_Timer();
    void Display_Buttons(bool show);
    void Show_Access(bool show);
    void Focus_Access();

    void maximizeRequested() override;
    void closeRequested() override;
};
