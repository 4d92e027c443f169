#pragma once
// The tag bars at the top of the source editor. One row shows at a time:
// - tb_Tag_Select: five buttons, each opening one of the tag bars;
// - tb_Tag_Sel(i), i = 0 colours, 1 images, 2 web links, 3 anchors, 4 pages:
//   a pick-only list cbo_Tag(i) of stored entries and buttons that insert the
//   chosen entry (as it is, or as a link, jump, anchor or mail link around the
//   editor's selection); bars 2 and 4 add a target box cbo_Target(i);
// - tb_New_Tag: a text box for a new web address or anchor name.
// Tag_Index (shared state) holds the open bar.
//
// The lists come from the working folder's list files (colours and images in
// file order; web addresses, anchors and pages sorted without regard to case,
// each list's placeholder staying first) and from the site's source files.
//
// Embedding in the editor window:
//     tags = new TagBars(this);               // placed in the top area
//     tags->setEditor(rtf_Source);
//     tags->Retrieve_Target_Names();          // on load
//     connect(tags, &TagBars::Target_Name_Added, ...);  // pass on to the
//         // Images tool's target list when it is open (Image_Window_Pos > -2)
//     // Working_Folder_Files: Clear_Source, then when Working_Folder is set
//     //     tags->Retrieve_Tag_Lists(); tags->Retrieve_HTML_Pages();
//     // open and save as: tags->Retrieve_HTML_Pages();
//     // Clear_Source: tags->Close_Tag_Toolbar();
//     //     tags->tb_Tag_Select->setEnabled(false);  (true in Enable_Menus)
//     // on resize: tags->setGeometry(left, top, inner width - left, height);
//     //     the bars take that width less a margin, so give the widget the
//     //     width from its left to the window's inner right edge.
// Other windows reach the open editor's bars through Add_Web_Address (the
// browser), Add_List_Entry (the Images and Colours tools, the Tag Lists
// window's reload uses Retrieve_Tag_Lists) and Add_Target_Entry.

#include "platform/file_system.h"
#include "source/tag_insertion.h"
#include "ui/flow_rows.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RichTextBox;

class TagBars : public QWidget {
    Q_OBJECT
public:
    static constexpr int Bar_Count = tag_insertion::Bar_Count;

    explicit TagBars(QWidget* parent = nullptr);

    void setEditor(RichTextBox* editor);
    RichTextBox* editor() const { return editor_; }

    // ---- controls (null where a bar has no such control) -----------------------
    QWidget* tb_Tag_Select = nullptr;
    std::array<QPushButton*, Bar_Count> cmd_Tag_Sel{};
    std::array<QWidget*, Bar_Count> tb_Tag_Sel{};
    std::array<QComboBox*, Bar_Count> cbo_Tag{};
    std::array<QComboBox*, Bar_Count> cbo_Target{};    // bars 2 and 4
    std::array<QPushButton*, Bar_Count> cmd_Goto{};
    std::array<QPushButton*, Bar_Count> cmd_New_Link{};  // bars 2 and 3
    QPushButton* cmd_Here = nullptr;                     // bar 3
    std::array<QPushButton*, Bar_Count> cmd_Close_Tag{};
    QWidget* tb_New_Tag = nullptr;
    QLabel* lbl_New_Tag = nullptr;  // says what the box takes
    QLineEdit* txt_New_Tag = nullptr;
    QPushButton* cmd_OK = nullptr;
    QPushButton* cmd_Close_New = nullptr;

    // ---- filling the lists ----------------------------------------------------
    // Lists 0 to 3 from the working folder's list files, keeping each list's
    // selected position when it still exists.
    void Retrieve_Tag_Lists();
    // List 4: the base names of the site's source files.
    void Retrieve_HTML_Pages();
    // Both target boxes: the fixed items, then the lines of "Target.lst";
    // "Target" selected.
    void Retrieve_Target_Names();
    // The target box of the open bar lost the focus: select what was typed,
    // or store it as a new target name.
    void Add_Target_Name();

    // ---- bars ------------------------------------------------------------------
    void Select_Tag(int i);
    void Add_Goto_Tag();
    void Add_Here_Tag();
    void Add_Email_Tag();
    void Add_New_Link();
    void New_Tag();
    void Close_New_Tag();
    void Close_Tag_Toolbar();

    // ---- entry points for other windows ----------------------------------------
    // The browser's "Add Address to List": the address goes to position 1 of
    // the web-address list, outside its order, and is selected.
    void Add_Web_Address(const QString& address);
    // A tool added an entry to a working-folder list: colours and images go
    // to the end of their lists, web addresses and anchors to their sorted
    // place.
    void Add_List_Entry(int kind, const QString& entry);
    // The Images tool stored a new target name: it goes to the end of both
    // target boxes.
    void Add_Target_Entry(const QString& name);

    // The row that is showing: -1 the selection bar, 0..4 a tag bar, 5 the
    // new-entry bar.
    int openRow() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The open row takes more height where the width is too small for its
    // controls side by side.
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

Q_SIGNALS:
    // Another row is showing (its height may differ).
    void rowShown();
    // A new target name was typed and stored in "Target.lst".
    void Target_Name_Added(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildSelectBar();
    void buildTagBar(int i);
    void buildNewTagBar();
    // Places (apply) or measures the controls of row i in width; returns the
    // row's height.
    int layoutRow(QWidget* bar, int i, int width, bool apply) const;
    int rowHeight() const;
    void insertText(const QString& text);
    void addSorted(QComboBox* box, const QString& text);
    void setFocusMove(QWidget* from, QWidget* tab, QWidget* backtab);
    QWidget* focusMoveFor(QObject* watched, bool backwards) const;

    struct FocusMove {
        QWidget* from;
        QWidget* tab;
        QWidget* backtab;
    };
    std::vector<FocusMove> moves_;
    FlowRows selectRows_;  // the five buttons of the selection bar
    QPointer<RichTextBox> editor_;
    bool reporting_ = false;
};

