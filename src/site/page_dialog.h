#pragma once
// What the Delete Pages and Rename Pages dialogs share: the list of the
// site's pages, the page chosen in it (shown in the Browser window beside the
// dialog), and the end of the dialog, which gives the main window its layout
// back.
//
// The chosen page is the dialog's own: the editor's document is not touched,
// so a page open in the editor keeps its name and its changes. The editor is
// told only when its own page is deleted or renamed.

#include "ui/tool_window.h"

class QLabel;
class QListWidget;
class QPushButton;

class PageDialog : public ToolWindow {
    Q_OBJECT
public:
    PageDialog(const QString& caption, int pageDialogCode);

    // The menu command: offer to save the editor's changes, put the layout
    // aside, show the dialog with the Browser beside it, list the pages.
    void Open();

    bool isOpen() const { return open_; }
    void Display_List();
    void File_Selected();

    void closeRequested() override { End(); }

    // The chosen page: its name, its source, its page file ("" when the page
    // file does not exist).
    QString Source_Title;
    QString Source_Path;
    QString HTML_Path;

    QListWidget* lst_Html_Pages = nullptr;
    QLabel* lbl_Current_File = nullptr;
    QLabel* lbl_Working_Folder = nullptr;
    QPushButton* cmd_Exit = nullptr;

signals:
    // The editor is to offer to save its changes before the dialog takes over.
    void saveChangesRequested();
    // The browser is to show this page, read from disk.
    void showPage(const QString& path);
    // The Browser window is to stand at this place (twips in the main
    // window's inner area) while the dialog is open; an empty rectangle gives
    // it back to the arrangement.
    void browserPlaced(const QRect& twips);
    // The site's pages changed: the windows that list them read them again.
    void pagesChanged();
    // A page's files were deleted, or renamed to newName (its source path
    // was sourcePath): the editor follows when that page is its document.
    void pageDeleted(const QString& sourcePath);
    void pageRenamed(const QString& sourcePath, const QString& newName);

protected:
    // Ends the dialog (the X button, the title bar, the main window).
    void End();
    void Form_Load_Frame();
    // The layout of the dialog: the list, the labels, the dialog's own
    // commands (extra, beside the X) below the list, and its hint line, if it
    // has one, at the bottom.
    void Lay_Out(QWidget* extra, QWidget* hint = nullptr);
    // The chosen page is forgotten (after a delete or a rename).
    void Forget_Page();
    // A page was chosen, or the choice went.
    virtual void Choice_Changed(bool chosen) { (void)chosen; }
    // Before the dialog hides (a rename box is closed unrenamed).
    virtual void Before_End() {}

private:
    void selectionChanged();

    int code_;
    bool open_ = false;
    bool filling_ = false;  // the list is being filled: no choice is made
};
