#pragma once
// The print preview: the printed file's pages one at a time, the whole sheet
// scaled to fit the window, with next and previous page buttons. Runs
// modally through dialogs::exec once the pages are made.

#include <QDialog>

class QLabel;
class QPushButton;
class QWidget;

class frm_Print_Preview : public QDialog {
    Q_OBJECT
public:
    explicit frm_Print_Preview(QWidget* parent = nullptr);

    // Full size first, then fitted to the window, then page 1.
    void Form_Activate();
    void Show_First_Page();
    void Next_Page();
    void Previous_Page();

    QWidget* fra_Page = nullptr;  // the area the sheet is shown in
    QLabel* pic_Preview = nullptr;
    QPushButton* cmd_Previous = nullptr;
    QPushButton* cmd_Next = nullptr;
    QLabel* lbl_Current_Page = nullptr;
    QLabel* lbl_Total_Pages = nullptr;
    QPushButton* cmd_Close = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Fits the sheet into the window (Print_Scale) and draws the page.
    void Layout_Preview();
    void Draw_Current_Page();

    bool active_ = false;
};
