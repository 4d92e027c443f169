#pragma once
// What the Tag Lists window keeps while it is open: the four tag lists of the
// working folder and of the reference folder, the entry selected on the tab
// shown, a pending edit of a working-folder entry, and for every list whether
// it differs from its file. The window moves these into its controls and
// does the file work the store asks for; nothing here touches a file.
//
// Kinds are the Tag_Index numbering (0 colours, 1 images, 2 web links,
// 3 anchors). Lists of kinds 0 and 1 keep the user's order and can be
// reordered; lists of kinds 2 and 3 are kept in alphabetical order without
// regard to case, and every entry added or edited takes its sorted place.

#include "platform/file_system.h"
#include "tags/tag_list_files.h"

#include <QString>
#include <QStringList>

#include <array>

namespace tag_lists {

// Kinds whose lists are kept sorted (web links and anchors).
bool Is_Sorted_Kind(int kind);
// Kinds whose entries can be moved by the user (colours and images).
bool Is_Movable_Kind(int kind);
// Where entry goes in a list sorted without regard to case: after every
// entry that sorts before it or equal to it.
int Sorted_Place(const QStringList& list, const QString& entry);
// An entry is one line of its file: line breaks typed or pasted into it
// become blanks (a CR LF pair one blank).
QString One_Line(const QString& text);

// Whole rows a list of height pixels shows, with rowHeight pixels a row,
// keeping one row spare (never below 1).
int Visible_Rows(int listHeight, int rowHeight = 18);
// The top row that keeps row index in sight after a move: a row below the
// visible rows becomes the last visible row, a row above the top the top row.
int Top_Row_Showing(int index, int topRow, int visibleRows);

// Lists a store could not write, each with why; told in one message titled
// Failure_Title.
struct Store_Failure {
    QString Path;
    fs::Result Io = fs::Result::Ok;
};
QString Store_Failure_Message(const QList<Store_Failure>& failures);

class TagListSet {
public:
    // What a store does with one list's file.
    enum class Action {
        Leave,    // the list is as its file: nothing to write
        Rewrite,  // write every entry
        Remove,   // the user emptied the list: delete the file (not a read-only one)
        Refuse,   // the file could not be read: writing would lose what it holds
    };

    // ---- filling ---------------------------------------------------------------
    // The entries read from a list's file and how the reading went (NotFound
    // for a missing file is an empty list like any other). The list is in
    // step with its file afterwards; a pending edit is dropped.
    void Load(int kind, Place place, const QStringList& entries, fs::Result read = fs::Result::Ok);
    const QStringList& Entries(int kind, Place place) const;
    // The list differs from its file.
    bool Changed(int kind, Place place) const;

    // ---- the tab shown and its selection ------------------------------------------
    int Kind() const { return kind_; }
    int WF_Tag_Index() const { return wfIndex_; }
    int RF_Tag_Index() const { return rfIndex_; }
    // The index selected on one side (-1 none).
    int Index(Place place) const { return place == Place::Working ? wfIndex_ : rfIndex_; }

    // Another tab is shown (kinds outside 0..3 show kind 0): a pending edit
    // lands where it was made, and nothing is selected.
    void Change_Tag(int kind);
    // An entry of the working-folder list was selected (-1 none): the pending
    // edit is committed first; the reference-folder side loses its selection.
    void WF_Selected(int index);
    // The same for the reference-folder list.
    void RF_Selected(int index);

    // ---- editing a working-folder entry ---------------------------------------------
    // The user typed in the edit line. Ignored while no working-folder entry
    // is selected. The edit belongs to the kind and entry selected now.
    void Edit(const QString& text);
    bool Tag_Edited() const { return edited_; }
    const QString& Edited_Text() const { return editText_; }
    // Commits the pending edit to the kind and entry where it was made. An
    // empty text never replaces an entry. In a sorted list the entry moves to
    // its sorted place and, on the tab shown, stays selected there. True when
    // an entry was replaced.
    bool Tag_Changed();

    // ---- changing the lists of the tab shown ---------------------------------------
    // Removes the selected entry of one side (a pending edit is committed
    // first); the selection goes to the entry now in its place, or the last
    // one, or none. True when an entry was removed.
    bool Delete_Tag(Place place);
    // Copies the selected entry of side from to the other side's list: at its
    // end, or its sorted place for kinds 2 and 3. Duplicates are kept. Returns
    // the new entry's index, -1 when nothing was selected.
    int Copy_Tag(Place from);
    // Moves the selected entry of one side by places (negative is up) when it
    // stays within the list; the selection follows the entry. topRow and
    // visibleRows describe the list as shown; Top_Row is where it should
    // scroll to.
    struct Move {
        bool Moved = false;
        int Index = -1;
        int Top_Row = 0;
    };
    Move Scroll_Tag(Place place, int places, int topRow, int visibleRows);
    // Empties one list of the tab shown; the window deletes its file.
    void Delete_All(Place place);

    // ---- storing -----------------------------------------------------------------------
    Action Store_Action(int kind, Place place) const;
    // How reading the list's file went (for a refused store).
    fs::Result Read_Result(int kind, Place place) const;
    // The window wrote or deleted the list's file (or refused to) with
    // result. Ok puts the list in step with its file. A failure keeps the
    // list as it is and returns true when it should be told: the first time
    // since the list last changed, so the same failure is not told over and
    // over while the window comes and goes.
    bool Stored(int kind, Place place, fs::Result result);

private:
    struct List {
        QStringList entries;
        bool changed = false;
        bool failureTold = false;
        fs::Result read = fs::Result::Ok;
    };
    List& list(int kind, Place place);
    const List& list(int kind, Place place) const;
    void touch(List& l);

    std::array<List, 2 * Kind_Count> lists_;
    int kind_ = 0;
    int wfIndex_ = -1;
    int rfIndex_ = -1;
    bool edited_ = false;
    QString editText_;
    int editKind_ = 0;
    int editIndex_ = -1;
};

} // namespace tag_lists
