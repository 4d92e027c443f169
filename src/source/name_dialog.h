#pragma once
// What the three small name dialogs of the source editor share (Open Source
// File, Save Source File, Open Reference File): they run modally through
// dialogs::exec, leave Dialog_Cancelled for their caller (True unless
// completed, so closing one by any other way counts as cancelled), move on
// the screen with the Alt keys, and keep clear of the help window.

#include <QDialog>

class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;

class NameDialog : public QDialog {
    Q_OBJECT
public:
    NameDialog(const QString& caption, QWidget* parent);

    // Keeps the help window clear of the dialog when it is shown.
    void Form_Activate();

    // The cancel button, Esc and the title bar's close button.
    void reject() override;

    QLabel* lbl_Files = nullptr;
    QPushButton* cmd_Cancel = nullptr;

protected:
    // Lays out what the three dialogs share from row `row` of grid down:
    // lbl_Files saying filesText over the list of sources (object name
    // listName), then the dialog's own button ok (okText, object name okName)
    // beside the cancel button "&X". Returns the list.
    QListWidget* Add_List_And_Buttons(QGridLayout* grid, int row, const QString& filesText, const QString& listName,
                                      QPushButton*& ok, const QString& okText, const QString& okName);
    // Fills list with the sources of folder and selects the entry equal to
    // name (nothing when none is).
    static void Fill_List(QListWidget* list, const QString& folder, const QString& name);
    // The selected entry, or "" when none is.
    static QString Selected_Entry(const QListWidget* list);
    // Selects the entry at row (-1: none).
    static void Select_Row(QListWidget* list, int row);

    void showEvent(QShowEvent* event) override;
};
