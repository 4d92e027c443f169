#pragma once
// The button bar on the left edge of the source editor (tb_Left): up to 30
// buttons, each inserting a fixed piece of HTML at the caret. The set is the
// built-in one of twelve, overlaid by the user's "Button.but" in the
// References folder (caption line, insertion-text line, ... ; "^P" stands for
// a line break and "^T" for a tab).
//
// Each button's tooltip holds its insertion text exactly as stored, so
// hovering shows the raw text (the tooltip is shown as plain text, never as
// rich text, so "<b>" stays visible).
//
// Embedding in the editor window:
//     tb_Left = new ButtonBar(this);          // vertical, left of the editor
//     tb_Left->setEditor(rtf_Source);
//     tb_Left->Retrieve_Buttons();            // on load
//     tb_Left->setEnabled(false);             // the bar starts disabled
//     // enabled and disabled with the editor (Enable_Menus / Clear_Source,
//     // and on activation: enabled exactly when the editor holds text)
//     // Alt+Home in the editor: tb_Left->Focus_First_Button();
// Clicking a button (or Space on it) inserts its text and gives the editor
// the focus; Tab on a button gives the editor the focus.

#include "source/tag_insertion.h"

#include <QPointer>
#include <QToolBar>

#include <array>

class QAction;
class QToolButton;
class RichTextBox;

class ButtonBar : public QToolBar {
    Q_OBJECT
public:
    explicit ButtonBar(QWidget* parent = nullptr);

    void setEditor(RichTextBox* editor);
    RichTextBox* editor() const { return editor_; }

    std::array<QToolButton*, tag_insertion::Button_Count> cmd_Button{};

    // Back to the built-in set, then the pairs of Reference_Folder
    // "Button.but" over it (a missing or unreadable file leaves the built-in
    // set); every button with a caption is shown, the others hidden.
    void Retrieve_Buttons();
    // Inserts the text of button k in place of the editor's selection and
    // gives the editor the focus.
    void Button_Selected(int k);

    // Caption and insertion text of button k.
    tag_insertion::Button button(int k) const;
    void setButtons(const tag_insertion::Button_Set& set);
    // Whether button k is part of the bar (has a caption).
    bool buttonShown(int k) const;
    // Alt+Home in the editor: the first button takes the focus when it is
    // shown. Returns whether it did.
    bool Focus_First_Button();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QAction*, tag_insertion::Button_Count> actions_{};
    QPointer<RichTextBox> editor_;
};
