#pragma once
// The drive list and the folder tree that both folder dialogs use, the drive
// change they share, and the keys, new-folder box and hint line they share.
//
// The tree's path is the folder it shows as current: the tree opens the path's
// drive as its single top entry and highlights the path. A click on a folder
// (or Space on the highlighted one) makes it the path. Setting the path to the
// one already shown changes nothing and reports nothing.

#include <QComboBox>
#include <QMap>
#include <QSortFilterProxyModel>
#include <QString>
#include <QTreeView>

#include <functional>

class QEvent;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QTimer;

// A list of the mounted drives, shown by their root paths.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // Lists the drives of the machine again.
    void Refresh_Drives();
    // The drive shown (its root, ending in a separator).
    QString drive() const;
    // Shows the drive that holds path; a drive not in the list is added.
    // Does not count as the user's choice.
    void setDrive(const QString& path);

signals:
    // The user chose a drive.
    void driveChosen(const QString& drive);
};

// Shows only one drive of the file-system model at the top level.
class DriveFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setDrive(const QModelIndex& driveParent, const QString& drivePath);

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    bool active_ = false;
    QPersistentModelIndex driveParent_;
    QString drivePath_;
};

class FolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);

    // The folder shown as current, without a trailing separator (a root keeps
    // its own).
    QString path() const { return path_; }
    void setPath(const QString& path);
    // Brings the path into view once the tree is shown and its folders are read.
    void Show_Path();
    // Reads the folders again (after one was made).
    void Refresh();
    // Makes the highlighted folder the path and opens it.
    void Open_Highlighted();

signals:
    void pathChanged(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void showDrive(const QString& drive);
    QString pathAt(const QModelIndex& viewIndex) const;
    void keepPathInView();
    // The path's folder, removed and made again, is shown as the path again.
    void findLostPath();
    // The found path is made current once the model lists it.
    void selectFoundPath();

    QFileSystemModel* model_ = nullptr;
    DriveFilter* filter_ = nullptr;
    QString path_;
    QString drive_;
    bool settingPath_ = false;
    // The path's folder was removed on disk and the view moved away from it.
    bool pathLost_ = false;
    // Looks for the lost folder on disk now and then: a change on a network
    // or mounted drive may never be reported, and a report can come late.
    QTimer* lostCheck_ = nullptr;
    // The lost folder is back and its files were read again; the tree has
    // not listed it yet.
    bool selectWhenListed_ = false;
    // The path was set by the program and the user has not scrolled since:
    // the view follows the path while folders are still being read.
    bool followPath_ = false;
    QTimer* follow_ = nullptr;
};

// A drive chosen in drv: the tree goes to the drive's root. A drive that
// cannot be read gives "This Drive is not Available"; drv and the tree then go
// back to the working folder. The focus returns to drv.
void Drive_Changed(DriveList* drv, FolderTree* dir);

// The sunken panel of a folder dialog's current folder and hint line.
void Make_Sunken(QLabel* label);

// What both folder dialogs do with their keys, the box a new folder's name is
// typed in, and their hint line. The dialog hands every event of its controls
// to Handle_Event: Alt (and Shift+Alt) keys go to move; Enter in the box, or
// leaving it for another control, runs create (the dialog's
// Create_New_Folder); a message box or another program taking the focus is
// not leaving it. The hint line names the control that gets the focus, and
// entering the box selects its text.
class FolderDialogParts {
public:
    struct Controls {
        QWidget* dialog = nullptr;
        QLineEdit* name = nullptr;
        FolderTree* tree = nullptr;
        DriveList* drive = nullptr;
        QLabel* hintLine = nullptr;
    };
    Controls c;
    QString title;  // of the "Use ... as a New Folder?" question
    QMap<QObject*, QString> hints;
    std::function<bool()> open;  // control events count only while this holds
    std::function<void()> create;
    std::function<bool(int& keyCode, int shift)> move;

    // Makes the dialog the event filter of each of its controls.
    void Watch_Controls();
    // True when the event was used up; false also for an Alt key that moved
    // nothing, which the dialog then leaves alone.
    bool Handle_Event(QObject* watched, QEvent* event);
    // Asks whether the name typed becomes a new folder; on Yes makes it inside
    // the folder the tree shows, reads the tree again and calls made with its
    // path. The box is emptied and the focus goes to next, or to the drive
    // list when the folder could not be made (after its failure message).
    void Create(QWidget* next, const std::function<void(const QString&)>& made = {});

private:
    bool creating_ = false;  // the question takes the focus: that is not leaving the box
};
