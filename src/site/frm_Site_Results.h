#pragma once
// "Site Results": one window for whatever a site-wide command finds (broken
// links today; search hits and page checks list the same way): rows of
// file, line, column, text and reason, grouped. Enter or a double click
// opens the row's page in the editor with the text selected.

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace sitekit {
class ExternalCheck;
}

class frm_Site_Results : public QDialog {
    Q_OBJECT
public:
    struct Row {
        QString group;
        QString file;  // as shown
        QString path;  // on disk
        int line = 0, column = 0, length = 0;
        QString text, reason;
    };

    explicit frm_Site_Results(QWidget* parent = nullptr);

    // Site > Check Site Links: the working site read and checked.
    void Check_Site_Links();
    // summary: what the label says ("" gives "N rows"); takeFocus: the list
    // gets the focus.
    void Show_Rows(const QString& caption, const std::vector<Row>& rows, const QString& summary = {},
                   bool takeFocus = true);
    // A search that lists its rows as it finds them: the list emptied, the
    // text column named, rows added to their file's group.
    void Begin_Rows(const QString& caption, const QString& textHeader);
    void Add_Rows(const std::vector<Row>& rows);
    // The next (or previous) row that opens a file, opened.
    void Step(bool backward);
    // Check Page: the markup and spelling of a page's text (the editor's,
    // saved or not); its rows open path. Check Site: those of every page.
    void Check_Page(const QString& path, const QString& shown, const QString& text);
    void Check_Site_Pages();
    // Asks the servers of the external links listed (progress, Cancel).
    void Check_External_Links();

    QTreeWidget* lst_Results = nullptr;
    QLabel* lbl_Summary = nullptr;
    QPushButton* cmd_External = nullptr;
    QProgressBar* prg_External = nullptr;
    QPushButton* cmd_Cancel = nullptr;
    QPushButton* cmd_Close = nullptr;

signals:
    void openRequested(const QString& path, int line, int column, int length);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openItem(QTreeWidgetItem* item);
    QTreeWidgetItem* addRow(const Row& r);
    void setTextHeader(const QString& header);
    sitekit::ExternalCheck* external_ = nullptr;
    QTreeWidgetItem* opened_ = nullptr;  // the row last opened, where F4 goes on from
};
