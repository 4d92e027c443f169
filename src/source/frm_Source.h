#pragma once
// The source editor window, "Source File": the rich-text editor rtf_Source
// in which the user writes HTML source, the top bar of commands with the
// four colour boxes and the document's name, the tag bars above the editor
// and the button bar on its left.
//
// The window edits one document at a time (source file in Working-Pages,
// page file in Final-Pages, see source/source_document.h). It is Empty (no
// document: editor disabled, the six document commands of the main menu
// disabled) until an open or a new page, then Enabled; Source_Changed says
// whether the editor holds changes not yet saved.
//
// frm_Source.cpp holds the controls, the layout and the events;
// document_commands.cpp the opens and saves; source_keys.cpp the keys.

#include "platform/dialogs.h"
#include "source/source_document.h"
#include "ui/flow_rows.h"
#include "ui/forms.h"
#include "ui/tool_window.h"

#include <QHash>

#include <array>
#include <utility>

class ButtonBar;
class EditorAssist;
class LiveColoring;
class MatchingTagMarks;
class SpellingMarks;
class QFrame;
class QLabel;
class QToolButton;
class RichTextBox;
class TagBars;

class frm_Source : public ToolWindow {
    Q_OBJECT
public:
    frm_Source();
    void Form_Load();
    // The window goes away with the program: unsaved changes are offered for
    // saving first, with Cancel, which keeps the program running. False when
    // the user chose to stay (or a save the user wanted did not happen).
    bool Form_Unload();

    // ---- documents ---------------------------------------------------------
    // A new page from the template, named at once through Save As.
    void Start_New_Page();
    // Open from the list of sources in Working-Pages.
    void Open_Plus_File();
    // Open any file through the system Open dialog; a file named from
    // outside (the command line) is opened as if the dialog had chosen it.
    void Open_File(const QString& chosen = QString());
    // Open the source of a page file (its text when it has no source yet)
    // with the characters at line and column (1-based) selected.
    void Open_Page_At(const QString& pagePath, int line, int column, int length);
    // The characters at line and column (1-based) of the open text selected.
    void Go_To(int line, int column, int length);
    // Open a copy of a reference source (the menu command has already offered
    // to save the changes).
    void Open_Reference_File();
    // Save the source and the page and show the page in the browser.
    void Save_Source();
    // Ask for a name, then save.
    void Save_As();
    // Make the current text the working folder's new-page template.
    void Save_New();
    // Offer to save unsaved changes.
    void Save_Changes();
    // The program is ended from outside (no one to ask): unsaved changes go
    // to a kept copy beside the source, never over it, and count as handled.
    void Keep_Unsaved_Changes();
    // Brings a kept copy back as the document it belongs to, changed and not
    // yet saved; the copy is removed once it is in the editor.
    void Open_Recovered(const QString& copyPath);
    // Opens again the source that was open when the program ended, with
    // the caret and the first position in view (Text() positions) as they
    // were; the opening rules are those of any open. False when it did not
    // open.
    bool Open_Again(const QString& sourcePath, int caret, int firstShown);
    // The caret and the first position in view, to remember at the end.
    std::pair<int, int> Caret_And_View() const;
    // The program's window came to the front: a document changed on disk
    // meanwhile is taken back into an editor without edits, and asked about
    // when there are edits.
    void Program_Activated();

    // ---- editing commands of the Source menu --------------------------------
    void Edit_Cut();
    void Edit_Copy();
    void Edit_Paste();
    void Edit_Select_All();
    void Start_Search();
    void Color_Code();
    void Format_Standard();
    // mode 1 indents the selected paragraphs, mode 2 removes their indent.
    void Indent_Text(int mode);
    // Preview or print the file (as saved) through the print engine.
    void Preview_Source_File();
    void Print_Source_File();
    // The editor takes the focus, or the open button while there is no document.
    void focusEditor();
    // The working folder changed: show the new site's files.
    void Working_Folder_Files();

    // ---- states and the colour boxes ----------------------------------------
    // Enabled state: a document is open (clears Source_Changed).
    void Enable_Menus();
    // Empty state: no document.
    void Clear_Source();
    // Paints the four colour boxes from the colour-coding colours.
    void Box_Colors();
    // Colouring while typing, the line numbers, closing tags and
    // completion on or off, as the options say.
    void Apply_Editing_Options();
    // Shows the name of the caret's colour in the status bar.
    void Current_Color();
    // Colours the selection with colour box Color_Index.
    void Select_Color();

    void maximizeRequested() override;
    void closeRequested() override;
    bool windowKey(int keyCode, int shift) override;

    // ---- controls ------------------------------------------------------------
    QWidget* tb_Top = nullptr;
    QToolButton* cmd_Previous = nullptr;
    QToolButton* cmd_Print = nullptr;
    QToolButton* cmd_Open = nullptr;
    QToolButton* cmd_Indent = nullptr;
    QToolButton* cmd_Find = nullptr;
    QToolButton* cmd_Hor = nullptr;
    QToolButton* cmd_Format = nullptr;
    QFrame* pic_Colors = nullptr;
    std::array<QFrame*, 4> pic_Color{};
    QToolButton* cmd_New = nullptr;
    QToolButton* cmd_Html = nullptr;
    QToolButton* cmd_Close = nullptr;
    QToolButton* cmd_Size = nullptr;
    QToolButton* cmd_Ver = nullptr;
    QLabel* lbl_Page = nullptr;
    QLabel* lbl_Source_File = nullptr;
    RichTextBox* rtf_Source = nullptr;
    LiveColoring* liveColors = nullptr;
    EditorAssist* assist = nullptr;  // closing tags and completion
    ButtonBar* tb_Left = nullptr;
    TagBars* tagBars = nullptr;
    MatchingTagMarks* tagMatch = nullptr;
    SpellingMarks* spelling = nullptr;

signals:
    // The browser is to show this page, read from disk (a save, the samples).
    void showPage(const QString& path);
    // The browser is to reload its page, or go back to the previous one.
    void refreshPage();
    void previousPage();
    // The print engine is to preview, or print, the editor's file as saved.
    void previewRequested();
    void printRequested();
    // F9: the open text's markup and spelling are to be checked.
    void checkPageRequested();
    // Ctrl+Shift+H: Find in Site, with the selection; F4 and Shift+F4: the
    // next and previous site result.
    void findInSiteRequested(const QString& selection);
    void siteResultStepRequested(bool backward);

public:
    // The record of the document's files as the editor last read or wrote
    // them, taken whenever editor and disk agree: at open, after a save,
    // after taking the disk's version back.
    void Record_Disk();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void connectControls();
    // The layout rules of the window, run on every resize.
    void Form_Resize();
    void Form_Activate();
    void Form_Deactivate();
    void frameActivated() override { Form_Activate(); }
    void frameDeactivated() override
    {
        if (activated_)
            Form_Deactivate();
    }
    // The six document commands of the main menu and the window's controls
    // that need a document; either state starts without unsaved changes.
    void Enable_Document_Commands(bool enabled);

    // The document as it was before an open: an open that cannot go on
    // puts it back.
    struct Document {
        QString Source_Path;
        QString Source_Title;
        QString HTML_Name;
        QString HTML_Path;
    };
    Document Current_Document() const;
    void Restore_Document(const Document& d);

    // The document commands behind the public ones (document_commands.cpp).
    bool Save_Document();
    void Name_And_Save();
    void Open_Finish(const Document& before);
    // The system Open dialog of Source > Open; "" when cancelled.
    QString Choose_File_To_Open();
    void Show_Source_Name(const QString& name);
    // The title names the document and marks changes not yet saved.
    void Show_Changed_Mark();
    void Retrieve_HTML_Pages();

    // Changes made on disk by others (document_commands.cpp).
    QString Page_Of_Document() const;
    // Asks about the changed file before a save writes over it; true to
    // write. On No the disk's version comes into the editor.
    bool Overwrite_Outside_Changes();
    // Yes, No or Cancel; Cancel is remembered so activation asks once per change.
    dialogs::Answer Ask_About_Outside_Change(const QString& path);
    // Loads the disk's version of the document (the source, or the text of
    // a page changed alone), keeping the caret where it was.
    bool Reload_From_Disk(const QString& path);

    // Editor events; the keys are rows in source_keys.cpp.
    void Editor_Change();
    void Editor_GotFocus();
    void Editor_LostFocus();
    void Editor_KeyDown(int& keyCode, int shift);
    void Editor_KeyPress(QString& typed);
    void Editor_MouseUp(int button, int shift, QPoint pos);

    // Buttons with a second command on the right mouse button.
    void Right_Click(QToolButton* button);
    QHash<QToolButton*, void (*)(frm_Source&)> rightCommands_;
    void Previous_Click(bool right);
    void Print_Click(bool right);
    void Format_Click(bool right);
    void Html_Click();
    void Hor_Click();
    void Ver_Click();
    void Toggle_Browser();
    // docPos: where the mouse points in the document, -1 for the caret; a
    // misspelt word there puts its suggestions at the menu's top.
    void Popup_Menu(bool keys, QPoint global, int docPos = -1);
    QList<QAction*> Spelling_Actions(int docPos);
    // F7: the next misspelt word after the caret, selected, with its menu.
    void Next_Misspelt_Word();
    // Where the menus pop up for Ctrl+M, just inside the editor.
    QPoint Menu_Key_Point() const;
    // Ctrl+1 to Ctrl+4: the colour of that box.
    void Color_Key(int box);

    // The commands of the text processing on this editor.
    void Run_Color_Code();
    void Run_Standard_Format();
    bool Run_Convert_Key(int& keyCode, int shift);

    bool editorUsable() const;

    bool activated_ = false;
    FlowRows commandRows_;  // the top bar's commands
    QString siteFolder_;  // the working folder the window's lists come from
    bool siteLoaded_ = false;  // the lists of a working folder were loaded before
    srcdoc::Disk_Record disk_;      // the document's files as last read or written
    srcdoc::Disk_Record declined_;  // a change the user chose to leave for now
    bool checkingDisk_ = false;
};

TESK_DECLARE_FORM(frm_Source, Source)
