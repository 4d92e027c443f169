#pragma once
// The pagination dialog: names the file, offers to make its pages (or to
// check them again when they are made already) and shows the progress. It
// runs modally through dialogs::exec and leaves Dialog_Cancelled for its
// caller: true after Cancel, Esc or the title bar's close, and when the file
// holds nothing to print.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class frm_Page_Count : public QDialog {
    Q_OBJECT
public:
    explicit frm_Page_Count(QWidget* parent = nullptr);

    // Before it shows: the file's name, and whether the pages exist already.
    void Form_Activate();

    // Cancel; while the pages are being made, stops that first.
    void reject() override;

    QLabel* lbl_File = nullptr;
    QLabel* lbl_Action = nullptr;
    QPushButton* cmd_Repaginate = nullptr;
    QPushButton* cmd_OK = nullptr;
    QPushButton* cmd_Cancel = nullptr;
    QProgressBar* prg_Page_Count = nullptr;

private:
    void OK_Click();
    // Makes the pages and hides the dialog (unless stopped by the user).
    void Count();

    bool counting_ = false;
    bool stop_ = false;
};
