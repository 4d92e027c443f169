#pragma once
// The "Print Plus" dialog: prints or previews any source file of the site's
// Working-Pages folder, a range of its pages and a number of copies, reaches
// the printer and page setup, and prints the list of source files. Shown in
// the dialog manner from the File menu; closing it gives the main window back.

#include "ui/forms.h"
#include "ui/tool_window.h"

#include <array>

class HintLine;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

class frm_Print_Plus : public ToolWindow {
    Q_OBJECT
public:
    frm_Print_Plus();
    void Form_Load();

    // File > Print Plus: show in the dialog manner and prepare.
    static void Open_Dialog();

    void Adjust_for_Printer();
    // Chooses the Source editor's file when the list holds it.
    void Source_Selected();
    // The file chosen becomes the engine's file.
    void Use_Source();
    void No_File_Selected();
    void File_Selected();
    void Preview_File();
    void Print_File();
    // Makes the pages unless they are made already; false when cancelled.
    bool Count_Pages();
    void Show_Current_Pages();
    void Print_File_List();
    void Close_Form();

    void closeRequested() override { Close_Form(); }

    // ---- controls ----------------------------------------------------------
    QGroupBox* fra_Printer = nullptr;
    QLabel* lbl_Printer = nullptr;
    QLabel* lbl_Size = nullptr;
    QPushButton* cmd_Prt_Setup = nullptr;
    QPushButton* cmd_Page_Setup = nullptr;
    QGroupBox* fra_Current_File = nullptr;
    QLabel* lbl_Print_File = nullptr;
    QGroupBox* fra_Print_Pages = nullptr;
    std::array<QRadioButton*, 2> opt_Print_Pages{};
    std::array<QLabel*, 2> lbl_Print_Pages{};
    QLineEdit* txt_First_Page = nullptr;
    QLineEdit* txt_Last_Page = nullptr;
    QLineEdit* txt_Copies = nullptr;
    QPushButton* cmd_Print = nullptr;
    QPushButton* cmd_Preview = nullptr;
    QPushButton* cmd_Print_File_List = nullptr;
    QTabWidget* tab_Files = nullptr;
    QLabel* lbl_Working_Folder = nullptr;
    QListWidget* fil_Source = nullptr;
    QPushButton* cmd_Close = nullptr;
    QLabel* lbl_Focus = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Activate();
    void Page_Setup_Click();
    // The page or copies box left: its number brought into range.
    void Number_Left(QLineEdit* box);
    void Pages_Option(int index);
    void fileClicked();

    HintLine* hints_ = nullptr;
    QString chosenName_;
    QString chosenPath_;
    bool filling_ = false;  // the list is being filled or selected by the dialog itself
};

TESK_DECLARE_FORM(frm_Print_Plus, Print_Plus)
