#pragma once
// The help window, "Tesk Web Editor - Help": the help page in a web control
// of its own, in a window that stays above the main window and outside it.
// The "&Access" button in its top-left corner hands the keyboard to the page.
//
// Help_Shown follows the window: 1 shown, 0 minimised, -2 closed (below 1
// before the first opening). Help_Left, Help_Top, Help_Width and Help_Height
// always hold its last normal place and size in pixels (never a maximised or
// minimised one), so a dialog can push it aside and a reopened window comes
// back where it was, shown normally. The settings file does not keep them.
//
// Staying on top, it would hide any dialog opened under it: whenever a
// dialog shows or moves while the help window covers it, the help window
// steps aside.

#include "ui/forms.h"

#include <QRect>
#include <QWidget>

class QPushButton;
class WebBrowser;

class frm_Help : public QWidget {
    Q_OBJECT
public:
    frm_Help();
    ~frm_Help() override;
    void Form_Load();

    // Help > Help Display: placed, shown and loaded when it is not shown
    // (never opened, closed or minimised); the page takes the focus always.
    static void Show_Help();

    // The access-button setting changed.
    void Show_Access(bool show);

    WebBrowser* brw_Web_Browser = nullptr;
    QPushButton* cmd_Access = nullptr;

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Moves out of the way of a dialog it covers (screen pixels).
    void Keep_Clear_Of(const QRect& dialog);
    void Form_Resize();
    void Record_Place();
    void Place_Window();
};

TESK_DECLARE_FORM(frm_Help, Help)
