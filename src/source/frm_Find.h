#pragma once
// "Search and Replace": searches the source editor's text, replaces matches
// one by one or all at once, and sends the caret to a line number. A small
// window of its own, owned by the main window and kept above it (not above
// every program), that stays open beside the editor.
//
// Every activation reads the editor's selection again: a selection over a
// line break becomes the scope ("Se&lected Text"), otherwise the scope is
// the option chosen below it. The bookkeeping between the clicks is
// source/search.h; the window runs the editor's Find and shows the outcome
// in lbl_Results, which is greyed while it shows a hint and enabled while it
// reports the result of the last operation.
//
// The phrase boxes keep the phrases used for the whole run (never stored).

#include "source/search.h"
#include "ui/forms.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RichTextBox;

class frm_Find : public QWidget {
    Q_OBJECT
public:
    frm_Find();
    void Form_Load();

    // Opens the window at Find_Left, Find_Top (or brings it back), with the
    // focus in the search phrase.
    void Start_Search();

    // ---- procedures -----------------------------------------------------------
    void Check_for_Selected_Text();
    void Change_Select();
    void Start_Find();
    void Set_Find_Phrase();
    void Set_Replace_Phrase();
    void Find_Phrase();
    void Replace_Phrase();
    void Replace_All_Phrase();
    void End_Find();
    void Find_Line_Number();

    // The phrases as last computed (escapes applied).
    QString Find_Text;
    QString Replace_Text;
    // The editor searched: the source editor, taken again on every activation.
    QPointer<RichTextBox> Search_Target;

    // ---- controls ----------------------------------------------------------------
    QLabel* lbl_Find = nullptr;
    QComboBox* cbo_Find = nullptr;
    QLabel* lbl_replace = nullptr;
    QComboBox* cbo_Replace = nullptr;
    QLabel* lbl_Content = nullptr;
    QCheckBox* chk_Match_Case = nullptr;
    QCheckBox* chk_Whole_Word = nullptr;
    QCheckBox* chk_Selected = nullptr;
    QLabel* lbl_Start = nullptr;
    std::array<QRadioButton*, 3> opt_Start{};
    QPushButton* cmd_Find = nullptr;
    QPushButton* cmd_Replace = nullptr;
    QPushButton* cmd_Replace_All = nullptr;
    QGroupBox* fra_Find_Line = nullptr;
    QLineEdit* txt_Find_Line = nullptr;
    QPushButton* cmd_Find_Line = nullptr;
    QPushButton* cmd_Cancel = nullptr;
    QLabel* lbl_Results = nullptr;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    void connectControls();
    void Form_Activate();
    void Form_Deactivate();
    // Remembers the window's place on the screen in Find_Left, Find_Top.
    void Remember_Position();
    // Esc: the editor takes the focus; the window stays open.
    void Focus_Editor();
    // A phrase box lost the focus: its text joins its history.
    static void Add_To_History(QComboBox* box);
    // The result line: greyed with its hint, or enabled with a result.
    void Grey_Results();
    void Show_Result(search::Result r);
    bool Results_Showing() const;
    // Replace is no longer possible (and keeps no focus).
    void Disable_Replace();
    int Checked_Options() const;
    int Portion() const;
    // Begins the scope again when the last pass ended or the options changed.
    void Restart_If_Needed();
    // A control got the focus: its hint goes into the result line.
    void Focus_Hint(QObject* control);

    QHash<QObject*, QString> hints_;
    // Ctrl+F opened the window: the phrase is selected when its box gets the focus.
    bool selectPhrase_ = false;
};

TESK_DECLARE_FORM(frm_Find, Find)
