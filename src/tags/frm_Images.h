#pragma once
// "Images": the tool window in which the user picks a picture, sees it with
// its size, fills in a few attributes and gets a complete image tag, and
// keeps the site's pictures: a "From" pane for pictures anywhere on disk and
// a "To" pane (normally the site's "Images" folder) to copy them into, where
// a picture can be given a new name or deleted.
//
// Other windows hear of the tool's additions through its signals (the
// program connects them to the Source window's tag bars):
//   imageTagAdded  a line of the tag box went to "Image.lst"
//   anchorAdded    a new anchor name went to "Anchor.lst"
//   targetAdded    a new link target went to "Target.lst"
// and tell it of theirs through Add_Target_Entry. After the working folder
// changes the program calls Retrieve_Image_Files; after pages were renamed,
// Retrieve_HTML_Pages.

#include "ui/forms.h"
#include "ui/tool_window.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <array>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTimer;
class RichTextBox;

class frm_Images : public ToolWindow {
    Q_OBJECT
public:
    frm_Images();
    ~frm_Images() override;
    void Form_Load();

    // ---- lists ------------------------------------------------------------------
    // Both folder boxes from their list files (keeping each selection while
    // it still exists), their file lists, then the page and anchor lists.
    void Retrieve_Image_Files();
    // The site's pages and the anchor list; the current picture is let go.
    void Retrieve_HTML_Pages();
    // The fixed link targets, then the lines of "Target.lst".
    void Retrieve_Target_Names();
    // The target box's text: select it, or store it as a new target.
    void Add_Target_Name();
    // The anchor box's text: store it as a new anchor unless listed.
    void New_Page_Anchor();
    // A target name stored by the Source window joins the target list.
    void Add_Target_Entry(const QString& name);

    // ---- the current picture and its tag ----------------------------------------
    // The selected file of pane Image_Side becomes the current picture.
    void Image_Selected();
    void Display_Image_Tag();
    void Add_to_List();
    void View_List();
    // The whole picture (every pixel) to the clipboard.
    void Copy_to_Clipboard();
    void Display_Full_Size();
    void Display_Normal();

    // ---- folders and files ------------------------------------------------------------
    void Store_Image_Files();
    // The folder picker for pane Image_Side, then Folder_to_Add and Select_Folder.
    void Add_Folder_to_List();
    void Folder_to_Add();
    void Remove_Folder();
    // Shows the files of the folder chosen in pane Image_Side's box.
    void Select_Folder();
    // Points pane's file list at folder (keeping the selected name when it is
    // still there). Reads names only: no picture is opened.
    void Show_Files(int pane, const QString& folder);
    void Copy_Button_On();
    void Copy_Image();
    void Select_to_Rename();
    void Rename_Image();
    void Delete_Image();

    // ---- state shared by the panes -------------------------------------------------------
    QString Image_Path;  // the current picture; "" when there is none
    QString Image_Name;
    // The pane of the last folder action or picture: 0 "From", 1 "To".
    int Image_Side = 0;
    // The current picture does not fit its frame ("Show Full Size" shows).
    bool Too_Large = false;
    // The current picture's size in pixels (upright); empty when it cannot
    // be shown.
    QSize pictureSize() const { return pictureSize_; }
    // The pane the current picture came from (-1: none).
    int pictureSide() const { return pictureSide_; }

    // ---- controls -----------------------------------------------------------------------
    QGroupBox* fra_Attributes = nullptr;
    QLabel* lbl_HTML_Pages = nullptr;
    QComboBox* cbo_HTML_Pages = nullptr;
    QComboBox* cbo_Page_Anchor = nullptr;
    QComboBox* cbo_Target = nullptr;
    QLineEdit* txt_Name = nullptr;
    QLineEdit* txt_Border = nullptr;
    RichTextBox* rtb_Image = nullptr;
    QPushButton* cmd_Add_to_List = nullptr;
    QPushButton* cmd_View = nullptr;
    QLabel* lbl_Image_Name = nullptr;
    QLabel* lbl_cur_Size = nullptr;
    QLabel* lbl_cur_File_Size = nullptr;
    QFrame* pic_cur_Frame = nullptr;
    QLabel* pic_cur_Image = nullptr;
    QWidget* tb_Full_Size = nullptr;
    QPushButton* cmd_Full_Size = nullptr;
    QScrollArea* pic_Full_Frame = nullptr;  // the full-size view over the window
    QLabel* pic_Full_Image = nullptr;
    QWidget* tb_Copy = nullptr;
    QPushButton* cmd_Copy = nullptr;
    QPushButton* cmd_Clipboard = nullptr;
    std::array<QGroupBox*, 2> fra_Folders{};
    std::array<QComboBox*, 2> cbo_Folders{};
    std::array<QPushButton*, 2> cmd_New{};
    std::array<QPushButton*, 2> cmd_Delete{};
    std::array<QGroupBox*, 2> fra_Files{};
    std::array<QListWidget*, 2> fil_Image{};
    std::array<QPushButton*, 2> cmd_Refresh{};
    QWidget* tb_To = nullptr;
    QPushButton* cmd_Rename = nullptr;
    QPushButton* cmd_Delete_Image = nullptr;
    QLineEdit* txt_Rename = nullptr;
    QLabel* lbl_Focus = nullptr;
    QPushButton* cmd_Size = nullptr;
    QPushButton* cmd_Close = nullptr;

    QSize designSizeTwips() const override { return QSize(9000, 6600); }
    QSize neededSizeTwips() const override;
    void maximizeRequested() override;
    void closeRequested() override;
    void frameActivated() override;
    bool windowKey(int keyCode, int shift) override;

signals:
    void imageTagAdded(const QString& tag);
    void anchorAdded(const QString& name);
    void targetAdded(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Tab from the last control comes round to the first, not to the list
    // the window hands its focus to.
    bool focusNextPrevChild(bool next) override;

private:
    // The frame around the picture box, each side.
    static constexpr int kPictureFrame = 2;
    void buildControls();
    QWidget* buildPane(int pane);
    QWidget* buildPictureSide();
    void connectControls();
    void setHints();
    // Decodes the current picture for its frame and shows it with its labels.
    void Show_Picture();
    void Clear_Picture();
    // Rename and delete act on the file selected in the "To" list only.
    QString Selected_To_File() const;
    void Show_To_Bar();
    void Refresh_Lists();
    void Select_Folder(int pane);
    void Remove_Folder(int pane);
    QSize Frame_Box() const;

    QScrollArea* scr_Images_ = nullptr;
    std::array<QString, 2> shownFolder_;
    QSize pictureSize_;
    bool pictureShown_ = false;   // decoded and on screen
    int pictureSide_ = -1;
    QSize decodedFor_;            // the frame size the shown picture was decoded for
    QString renameFrom_;          // the file a new name is being typed for
    QString builtTag_;            // the tag box's text as the program last wrote it
    QTimer* restTimer_ = nullptr;   // a file list's selection came to rest
    QTimer* refitTimer_ = nullptr;  // the frame changed size
    int restingPane_ = 0;
    int keyPane_ = -1;            // the list a key is moving through just now
    bool loaded_ = false;
};

TESK_DECLARE_FORM(frm_Images, Images)
