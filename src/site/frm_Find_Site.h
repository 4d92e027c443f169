#pragma once
// "Find in Site": searches every source and every page without a source of
// the working folder, off the user interface thread, and lists the matches
// in the site results window as they are found. Replace All in Site changes
// every file found (the editor's own document through the editor) and can
// be undone as a whole. A window of its own beside the editor, like Search
// and Replace, so its access keys are its own.

#include "sitekit/site_search.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;
class frm_Site_Results;

class frm_Find_Site : public QDialog {
    Q_OBJECT
public:
    // results: where the matches are listed.
    explicit frm_Find_Site(frm_Site_Results* results, QWidget* parent = nullptr);
    ~frm_Find_Site() override;

    // Opens the window (or brings it back) with the focus in the Find box,
    // filled with selection when that is one line.
    void Start_Find_In_Site(const QString& selection);
    void Find_All();
    void Replace_All_In_Site();
    void Undo_Replace_In_Site();
    // The request the controls make.
    sitekit::SearchRequest Request() const;
    bool Searching() const { return worker_ != nullptr; }

    // The document open in the editor: its files (left to the editor), and
    // the replace made in its text as one undo step (the matches replaced).
    std::function<QStringList()> editorPaths;
    std::function<int(const sitekit::SearchRequest&, const QString&)> replaceInEditor;

    QLabel* lbl_Find = nullptr;
    QLineEdit* txt_Find = nullptr;
    QLabel* lbl_Replace = nullptr;
    QLineEdit* txt_Replace = nullptr;
    QCheckBox* chk_Match_Case = nullptr;
    QCheckBox* chk_Whole_Word = nullptr;
    QCheckBox* chk_Regular_Expression = nullptr;
    QLabel* lbl_Where = nullptr;
    QComboBox* cbo_Where = nullptr;
    QPushButton* cmd_Find_All = nullptr;
    QPushButton* cmd_Replace_All = nullptr;
    QPushButton* cmd_Undo_Replace = nullptr;
    QPushButton* cmd_Cancel = nullptr;
    QPushButton* cmd_Close = nullptr;
    QProgressBar* prg_Search = nullptr;
    QLabel* lbl_Status = nullptr;

signals:
    // Esc or closing: the editor takes the focus.
    void editorFocusRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Stop_Search();
    void Searched();
    void Show_Results(bool takeFocus);
    void Remember_Place();
    void Update_Buttons();

    frm_Site_Results* results_;
    sitekit::SearchCache cache_;
    std::atomic_bool cancel_{false};
    QThread* worker_ = nullptr;
    std::shared_ptr<std::vector<sitekit::FileResult>> found_;
    // The last search finished, as searched; what a replace changes.
    std::vector<sitekit::FileResult> results;
    sitekit::SearchRequest searched_;
    std::vector<sitekit::Backup> backups_;
    int generation_ = 0;
    bool placed_ = false;
};
