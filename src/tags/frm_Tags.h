#pragma once
// "Tag Lists": the modal window in which the user looks after the stored tag
// lists. One tab per kind (colours, images, web links, anchors), each with
// the working folder's list above the reference folder's list. Working-folder
// entries can be edited in place; entries of either list can be deleted one
// by one or all at once, copied to the other list, and (colours and images)
// moved up and down. Everything happens in memory; the lists that changed are
// written back when the window loses the focus and when it closes.
//
// Opening it (main window menus, and the "&View List" buttons of the Images
// and Colours tools with kind 1 and 0):
//
//     frm_Tags::Show_Tags(1);   // the Images tab; -1 keeps Tag_Index
//
// Show_Tags runs the window modally through dialogs::exec and unloads it when
// it closes. After writing working-folder lists the window emits
// listsStored(); the program reloads the Source window's tag bars then.

#include "tags/tag_lists.h"
#include "ui/forms.h"

#include <QDialog>
#include <QHash>

#include <array>
#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTabWidget;

class frm_Tags : public QDialog {
    Q_OBJECT
public:
    frm_Tags();
    ~frm_Tags() override;

    // Shows the window modally on tab tagIndex (0 colours, 1 images, 2 web
    // links, 3 anchors; -1: the kind in Tag_Index) and unloads it afterwards.
    static void Show_Tags(int tagIndex = -1);

    // Size state 1, the lists read from disk, the tab of Tag_Index.
    void Form_Load();
    // Keeps the help window clear of this one when it is shown.
    void Form_Activate();

    // ---- procedures ---------------------------------------------------------
    // Fills all eight lists from their files (the site's and the shared ones).
    void Retrieve_Tags();
    void Change_Tag();
    void WF_Selected();
    void RF_Selected();
    void Tag_Changed();
    void Delete_WF_Tag();
    void Delete_RF_Tag();
    void Scroll_WF_Tag();
    void Scroll_RF_Tag();
    // Writes back the lists that changed; a failure is told once.
    void Store_Tags();
    // "Delete All" of the tab shown, after the user's confirmation.
    void Delete_WF_File();
    void Delete_Ref_File();
    // Size state (Tags_Window_Pos) 1: normal, 2: filling the main window.
    void Change_Size();

    // The lists as the window holds them (what the controls show).
    const tag_lists::TagListSet& lists() const { return lists_; }

    // ---- controls, one of each per kind ----------------------------------------
    QTabWidget* tab_Tags = nullptr;
    static constexpr int Kinds = tag_lists::Kind_Count;
    std::array<QLabel*, Kinds> lbl_WF{};
    std::array<QLabel*, Kinds> lbl_RF{};
    // The working-folder list: its edit line shows the selected entry and
    // takes the user's edit of it.
    std::array<QLineEdit*, Kinds> txt_WF{};
    std::array<QListWidget*, Kinds> cbo_WF{};
    std::array<QListWidget*, Kinds> lst_RF{};
    std::array<QPushButton*, Kinds> cmd_Delete_WF{};
    std::array<QPushButton*, Kinds> cmd_Delete_RF{};
    std::array<QPushButton*, Kinds> cmd_Del_All_WF{};
    std::array<QPushButton*, Kinds> cmd_Del_All_RF{};
    std::array<QPushButton*, Kinds> cmd_Down{};  // working folder -> reference folder
    std::array<QPushButton*, Kinds> cmd_Up{};    // reference folder -> working folder
    // Move bars: kinds 0 and 1 only (null for the others).
    std::array<QGroupBox*, Kinds> fra_WF{};
    std::array<QGroupBox*, Kinds> fra_RF{};
    std::array<QFrame*, Kinds> pic_WF{};
    std::array<QFrame*, Kinds> pic_RF{};
    std::array<QScrollBar*, Kinds> vsb_WF{};
    std::array<QScrollBar*, Kinds> vsb_RF{};
    QLabel* lbl_Working_Folder = nullptr;
    QLabel* lbl_Focus = nullptr;
    QPushButton* cmd_Size = nullptr;
    QPushButton* cmd_Close = nullptr;

    void done(int result) override;

signals:
    // Working-folder list files were written or deleted.
    void listsStored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QWidget* buildPage(int kind);
    void connectControls(int kind);
    // Moves the lists of kind into their controls, with the selection and the
    // buttons it allows when kind is the tab shown.
    void Show_Kind(int kind);
    void Show_Hint(QObject* control);
    void Scroll_Tag(tag_lists::Place place);
    void Delete_File(tag_lists::Place place);
    // The window's own message boxes do not count as leaving it.
    bool Confirm(const QString& text, const QString& title);
    void Tell_Failures(const QList<tag_lists::Store_Failure>& failures);

    tag_lists::TagListSet lists_;
    struct Hint {
        QString before;
        QString after;  // K (the kind name) goes between, unless fixed
        bool fixed = false;
    };
    QHash<QObject*, Hint> hints_;
    QString kindName_;
    int messages_ = 0;        // own message boxes open
    bool storing_ = false;
    bool closing_ = false;
    bool workingWritten_ = false;
    bool loaded_ = false;
};

TESK_DECLARE_FORM(frm_Tags, Tags)
