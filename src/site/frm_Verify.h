#pragma once
// "File Exists": asked by the copy dialog for a file that is already at the
// destination. Its four buttons are the four answers; closing it any other
// way (its "&X", the title bar, Esc) stops the copying.

#include "site/copy_plan.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

class frm_Verify : public QDialog {
    Q_OBJECT
public:
    explicit frm_Verify(QWidget* parent = nullptr);

    // Asks about the file at relativePath below the folder copied to (its
    // subfolders shown, so two files of one name are told apart) and returns
    // the answer.
    static copying::Answer Ask(const QString& relativePath);

    copying::Answer answer() const { return answer_; }

    QLabel* lbl_File = nullptr;
    // Indexed by the answer: Replace All, Replace, Do Not Replace, Cancel.
    std::array<QPushButton*, 4> cmd_Replace{};
    QPushButton* cmd_Close = nullptr;

private:
    copying::Answer answer_ = copying::Answer::Cancel;
};
