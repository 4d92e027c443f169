#pragma once
// The about box, "About Tesk Web Editor": the program picture, its name,
// "Demo" and the version. It opens inside the main window over the hidden
// tool windows, centred, or in the top-left corner with the help window
// pushed aside while that is shown. Every way out ("&OK", "&X", Esc, the
// title bar's close button) runs Close_Form, which gives the tool windows
// back. Alt keys move it within the main window.

#include "ui/forms.h"
#include "ui/tool_window.h"

class QLabel;
class QPushButton;

class frm_About : public ToolWindow {
    Q_OBJECT
public:
    frm_About();
    void Form_Load();

    // Help > About: the tool windows hidden, the box shown at its place.
    static void Show_About();
    // The start place, each time the box opens.
    void Form_Activate();
    void Close_Form();

    void closeRequested() override;
    bool windowKey(int keyCode, int shift) override;

    QLabel* pic_Logo = nullptr;
    QLabel* lbl_Title = nullptr;
    QLabel* lbl_Demo = nullptr;
    QLabel* lbl_Version = nullptr;
    QPushButton* cmd_Ok = nullptr;
    QPushButton* cmd_Close = nullptr;
};

TESK_DECLARE_FORM(frm_About, About)
