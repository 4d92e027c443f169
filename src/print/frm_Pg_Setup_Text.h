#pragma once
// The "Page Setup" dialog: the four printer margins in the user's unit, the
// place of each header/footer item, the printer and its paper, and a small
// picture of the sheet with its text area. Closing it accepts what it shows
// (there is no cancel) and makes the pages again before the next print.
//
// From the File menu it is shown in the dialog manner and gives the main
// window back when it closes; opened from Print Plus it leaves the menus and
// the windows to Print Plus and only reports that it closed.

#include "ui/forms.h"
#include "ui/tool_window.h"

#include <array>

class HintLine;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frm_Pg_Setup_Text : public ToolWindow {
    Q_OBJECT
public:
    frm_Pg_Setup_Text();
    void Form_Load();

    // fromMenu: the File menu's command; otherwise Print Plus opened it.
    static void Open_Dialog(bool fromMenu = true);

    void Adjust_for_Printer();
    void Position_Image();
    // Accepts the settings shown and closes.
    void Accept_Close();

    void closeRequested() override { Accept_Close(); }

    // ---- controls: margins Left, Top, Right, Bottom; the rows Path Name,
    // File Name, Date Revised, Page Number, each with options 0 to 4 -------
    QGroupBox* fra_Margins = nullptr;
    std::array<QLineEdit*, 4> txt_Margin{};
    QLineEdit*& txt_Left = txt_Margin[0];
    QLineEdit*& txt_Top = txt_Margin[1];
    QLineEdit*& txt_Right = txt_Margin[2];
    QLineEdit*& txt_Bottom = txt_Margin[3];
    QGroupBox* fra_Head_Foot = nullptr;
    std::array<std::array<QRadioButton*, 5>, 4> opt_Row{};
    QLabel* lbl_Printer = nullptr;
    QLabel* lbl_Size = nullptr;
    QWidget* pic_Layout = nullptr;
    QPushButton* cmd_Prt_Setup = nullptr;
    QPushButton* cmd_Close = nullptr;
    QLabel* lbl_Focus = nullptr;

signals:
    // The dialog closed (by any route).
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Activate();
    // Leaving a margin box: its text in the display form, kept within the
    // paper, and the picture follows.
    void Margin_Left_Box(int box);
    int* marginOf(int box) const;

    HintLine* hints_ = nullptr;
    std::array<QButtonGroup*, 4> rows_{};
    std::array<bool, 4> typed_{};  // the box was edited since the dialog opened
    bool fromMenu_ = true;
    bool open_ = false;
};

TESK_DECLARE_FORM(frm_Pg_Setup_Text, Pg_Setup_Text)
