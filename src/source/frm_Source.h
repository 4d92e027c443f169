#pragma once
// The source editor window.

#include "core/tool_window.h"

class frm_Source : public ToolWindow {
    Q_OBJECT
public:
    frm_Source();
    void Form_Load();
    void Form_Unload();

    void Start_New_Page();
    void Open_Plus_File();
    void Open_File();
    void Open_Reference_File();
    void Save_Source();
    void Save_As();
    void Save_New();
    void Save_Changes();
    void Edit_Cut();
    void Edit_Copy();
    void Edit_Paste();
    void Edit_Select_All();
    void Start_Search();
    void Color_Code();
    void Format_Standard();
    void Indent_Text(int mode);
    void Preview_Source_File();
    void Print_Source_File();
    void focusEditor();
    // The working folder changed: show the new site's files.
    void Working_Folder_Files();

    void maximizeRequested() override;
    void closeRequested() override;
};
