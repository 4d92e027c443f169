#pragma once
// "Publish Site": sends the working folder's pages to a server or a folder
// through the same engine as `tesk-site publish`, off the user interface
// thread, so the editor stays usable while a slow server takes its time.
// What is sent is the pages as saved on disk: the dialog says so rather than
// saving the editor's page behind the user's back.

#include "sitekit/publish_run.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QThread;

class frm_Publish : public QDialog {
    Q_OBJECT
public:
    explicit frm_Publish(QWidget* parent = nullptr);
    ~frm_Publish() override;

    // Opens (or brings back) the dialog with the focus in the destination
    // box, filled with where this working folder was published last.
    void Start_Publish();
    void Show_Plan();
    void Publish();
    void Cancel_Publish();
    bool Publishing() const { return worker_ != nullptr; }

    QLabel* lbl_Destination = nullptr;
    QLineEdit* txt_Destination = nullptr;
    QCheckBox* chk_Sources = nullptr;
    QCheckBox* chk_Delete = nullptr;
    QLabel* lbl_Saved = nullptr;
    QPushButton* cmd_Show_Plan = nullptr;
    QPushButton* cmd_Publish = nullptr;
    QPushButton* cmd_Close = nullptr;
    QListWidget* lst_Files = nullptr;
    QProgressBar* prg_Publish = nullptr;
    QPushButton* cmd_Cancel = nullptr;
    QLabel* lbl_Status = nullptr;

    // How a destination is reached; tests put a server of their own here.
    std::function<std::unique_ptr<sitekit::Transport>(const sitekit::Destination&, const sitekit::Connection&)> openTransport
        = sitekit::openTransport;

signals:
    // Esc or closing: the editor takes the focus.
    void editorFocusRequested();
    // Finished, cancelled or failed: the summary is in lbl_Status.
    void publishEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Prepared;
    // Reads the destination (or shows why it does not read), makes the plan
    // on a worker and hands it to then on this thread, unless cancelled.
    void Prepare(std::function<void(std::shared_ptr<Prepared>)> then);
    void Send(std::shared_ptr<Prepared> p);
    // The bar and Cancel while the plan is made or the files go.
    void Show_Working(bool working);
    void List_Plan(const Prepared& p);
    void Published();
    // Asks whether to trust a server's new key; true once it is in known_hosts.
    bool Trust_Host_Key(const sitekit::HostKey& key);
    void Update_Buttons();

    std::atomic<bool> cancel_{false};
    QThread* worker_ = nullptr;  // making the plan or sending
    bool planning_ = false;
    std::shared_ptr<sitekit::PublishResult> result_;
    int planned_ = 0;
    QString folder_;  // the working folder the destination box was filled for
    sitekit::Destination destination_;  // of the publish under way
    QString password_;  // typed in this session, never written to a file
    QString passwordFor_;  // user@host:port
    std::optional<bool> remember_;  // the typed password's "Remember", until it is tried
    bool keptRefused_ = false;  // the keyring's password was refused
    QString plainAgreed_;  // user@host:port the user let a password go to unencrypted
    std::shared_ptr<bool> usedKept_;  // the running publish took the keyring's password
};
