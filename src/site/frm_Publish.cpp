#include "site/frm_Publish.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/keyring.h"
#include "ui/link_updates.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Publish Site");

QString plural(qsizetype n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}

QString serverName(const sitekit::Destination& d)
{
    return QStringLiteral("%1@%2:%3").arg(d.user, d.host).arg(d.port);
}

// The account a password belongs to, as the keyring files it.
keyring::Account accountOf(const sitekit::Destination& d)
{
    return {QUrl(d.text).scheme(), d.user, d.host, d.port};
}

struct Asked {
    QString password;
    bool remember = false;
};

// The password of a server that takes no key of ours (nor the password
// kept for it): kept in memory for this session, and in the desktop's
// keyring only when the user ticks "Remember". Nothing when the user cancels.
std::optional<Asked> askPassword(QWidget* parent, const QString& where, bool keptRefused)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("frm_Publish_Password"));
    d.setWindowTitle(kCaption);
    auto* label = new QLabel(QStringLiteral("%1 refused the %2. Passwor&d:")
                                 .arg(where, keptRefused ? QStringLiteral("password kept in the keyring") : QStringLiteral("login")), &d);
    label->setWordWrap(true);
    auto* text = new QLineEdit(&d);
    text->setObjectName(QStringLiteral("txt_Password"));
    text->setEchoMode(QLineEdit::Password);
    label->setBuddy(text);
    auto* remember = new QCheckBox(QStringLiteral("&Remember"), &d);
    remember->setObjectName(QStringLiteral("chk_Remember"));
    if (const QString why = keyring::unavailable(); !why.isEmpty()) {
        remember->setEnabled(false);
        remember->setToolTip(QStringLiteral("No keyring can keep it: %1").arg(why));
    } else {
        remember->setChecked(keptRefused);
        remember->setToolTip(QStringLiteral("Keep the password in the desktop's keyring, never in a file"));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    auto* column = new QVBoxLayout(&d);
    column->addWidget(label);
    column->addWidget(text);
    column->addWidget(remember);
    column->addWidget(buttons);
    d.setMinimumWidth(d.fontMetrics().averageCharWidth() * 55);  // the server's name on one line
    text->setFocus();
    if (dialogs::exec(d) != QDialog::Accepted || text->text().isEmpty())
        return std::nullopt;
    return Asked{text->text(), remember->isChecked()};
}

} // namespace

struct frm_Publish::Prepared {
    sitekit::Destination destination;
    QString manifestFile;
    sitekit::Manifest last;
    sitekit::PublishPlan plan;
    bool first = false;  // nothing published there yet
};

frm_Publish::frm_Publish(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frm_Publish"));
    setWindowTitle(kCaption);
    setModal(false);
    lbl_Destination = new QLabel(QStringLiteral("&Destination:"), this);
    txt_Destination = new QLineEdit(this);
    txt_Destination->setObjectName(QStringLiteral("txt_Destination"));
    txt_Destination->setPlaceholderText(QStringLiteral("sftp://user@host/path or a folder"));
    lbl_Destination->setBuddy(txt_Destination);
    chk_Sources = new QCheckBox(QStringLiteral("Send the s&ources (Working-Pages) too"), this);
    chk_Delete = new QCheckBox(QStringLiteral("Delete on the se&rver what was deleted here"), this);
    chk_Sources->setObjectName(QStringLiteral("chk_Sources"));
    chk_Delete->setObjectName(QStringLiteral("chk_Delete"));
    lbl_Saved = new QLabel(QStringLiteral("The pages are sent as saved: save the page in the editor first to send its changes."), this);
    lbl_Saved->setWordWrap(true);
    cmd_Show_Plan = new QPushButton(QStringLiteral("Show Pla&n"), this);
    cmd_Show_Plan->setObjectName(QStringLiteral("cmd_Show_Plan"));
    cmd_Publish = new QPushButton(QStringLiteral("P&ublish"), this);
    cmd_Publish->setObjectName(QStringLiteral("cmd_Publish"));
    cmd_Close = new QPushButton(QStringLiteral("&X"), this);
    cmd_Close->setObjectName(QStringLiteral("cmd_Close"));
    cmd_Close->setToolTip(QStringLiteral("Close"));
    lst_Files = new QListWidget(this);
    lst_Files->setObjectName(QStringLiteral("lst_Files"));
    prg_Publish = new QProgressBar(this);
    prg_Publish->setRange(0, 1000);
    cmd_Cancel = new QPushButton(QStringLiteral("Canc&el"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    lbl_Status = new QLabel(this);
    lbl_Status->setObjectName(QStringLiteral("lbl_Status"));
    lbl_Status->setWordWrap(true);
    lbl_Status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QPushButton* b : {cmd_Show_Plan, cmd_Publish, cmd_Close, cmd_Cancel})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(lbl_Destination, 0, 0);
    grid->addWidget(txt_Destination, 0, 1);
    grid->addWidget(chk_Sources, 1, 1);
    grid->addWidget(chk_Delete, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmd_Show_Plan);
    buttons->addWidget(cmd_Publish);
    buttons->addStretch();
    buttons->addWidget(cmd_Close);
    auto* progress = new QHBoxLayout;
    progress->addWidget(prg_Publish, 1);
    progress->addWidget(cmd_Cancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addWidget(lbl_Saved);
    column->addLayout(buttons);
    column->addWidget(lst_Files, 1);
    column->addWidget(lbl_Status);
    column->addLayout(progress);
    prg_Publish->hide();
    cmd_Cancel->hide();
    QWidget* order[] = {txt_Destination, chk_Sources, chk_Delete, cmd_Show_Plan, cmd_Publish, cmd_Close, lst_Files, cmd_Cancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(cmd_Show_Plan, &QPushButton::clicked, this, [this] { Show_Plan(); });
    connect(cmd_Publish, &QPushButton::clicked, this, [this] { Publish(); });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { Cancel_Publish(); });
    connect(cmd_Close, &QPushButton::clicked, this, &QDialog::close);
    connect(txt_Destination, &QLineEdit::textChanged, this, [this] { Update_Buttons(); });
    txt_Destination->installEventFilter(this);
    resize(600, 420);
    Update_Buttons();
}

frm_Publish::~frm_Publish()
{
    cancel_ = true;
    if (worker_) {
        worker_->wait();
        delete worker_;
    }
}

void frm_Publish::Start_Publish()
{
    // Another working folder is another site, published somewhere else.
    if (!Publishing() && folder_ != state().Working_Folder) {
        folder_ = state().Working_Folder;
        txt_Destination->setText(sitekit::rememberedDestination(folder_));
        lst_Files->clear();
        lbl_Status->clear();
    }
    show();
    raise();
    activateWindow();
    txt_Destination->setFocus(Qt::ShortcutFocusReason);
    txt_Destination->selectAll();
}

void frm_Publish::Update_Buttons()
{
    const bool can = !Publishing() && !txt_Destination->text().trimmed().isEmpty();
    cmd_Show_Plan->setEnabled(can);
    cmd_Publish->setEnabled(can);
    for (QWidget* w : {static_cast<QWidget*>(txt_Destination), static_cast<QWidget*>(chk_Sources),
                       static_cast<QWidget*>(chk_Delete)})
        w->setEnabled(!Publishing());
}

void frm_Publish::Prepare(std::function<void(std::shared_ptr<Prepared>)> then)
{
    QString why;
    const std::optional<sitekit::Destination> destination = sitekit::parseDestination(txt_Destination->text().trimmed(), &why);
    if (!destination) {
        lbl_Status->setText(why);
        return;
    }
    auto p = std::make_shared<Prepared>();
    p->destination = *destination;
    sitekit::PlanOptions options;
    options.pageExtensions = linkui::siteOptions().pageExtensions;
    options.withSources = chk_Sources->isChecked();
    options.deleteGone = chk_Delete->isChecked();
    options.cancel = &cancel_;
    const QString folder = state().Working_Folder;
    // A first publish reads every file of the site: the editor stays usable
    // meanwhile, and the plan is the worker's alone until it ends.
    cancel_ = false;
    planning_ = true;
    worker_ = QThread::create([p, options, folder] {
        p->manifestFile = sitekit::manifestPath(p->destination.text);
        p->first = !QFileInfo::exists(p->manifestFile);
        p->last = sitekit::readManifest(p->manifestFile);
        p->plan = sitekit::planPublish(folder, p->last, options);
    });
    QThread* thread = worker_;
    QWidget* focused = focusWidget();  // a child of the dialog, gone only with it
    connect(thread, &QThread::finished, this, [this, thread, p, folder, then, focused] {
        thread->deleteLater();
        if (worker_ != thread)
            return;
        worker_ = nullptr;
        Show_Working(false);
        // The user goes on from where the plan was asked for.
        if (focused && focused->isEnabled() && isVisible())
            focused->setFocus();
        if (p->plan.cancelled || cancel_) {
            lbl_Status->setText(QStringLiteral("Cancelled: nothing sent."));
            emit publishEnded();
            return;
        }
        // Remembered once it reads: the next time the dialog opens with it.
        if (const QString failed = sitekit::rememberDestination(folder, p->destination.text); !failed.isEmpty())
            lbl_Status->setText(failed);
        then(p);
    });
    Show_Working(true);
    lbl_Status->setText(QStringLiteral("Reading the files to see what changed..."));
    worker_->start();
}

void frm_Publish::Show_Working(bool working)
{
    if (!working) {
        planning_ = false;
        prg_Publish->setRange(0, 1000);
        prg_Publish->hide();
        cmd_Cancel->hide();
        Update_Buttons();
        return;
    }
    // No count while planning: a bar that moves says it is at work.
    prg_Publish->setRange(0, planning_ ? 0 : 1000);
    prg_Publish->setValue(0);
    prg_Publish->setFormat(QString());
    prg_Publish->show();
    cmd_Cancel->show();
    Update_Buttons();
    cmd_Cancel->setFocus();
}

void frm_Publish::List_Plan(const Prepared& p)
{
    lst_Files->clear();
    for (const sitekit::PublishItem& i : p.plan.send)
        lst_Files->addItem(QStringLiteral("send ") + i.remote);
    for (const QString& r : p.plan.remove)
        lst_Files->addItem(QStringLiteral("delete ") + r);
    for (const QString& u : p.plan.unreadable)
        lst_Files->addItem(QStringLiteral("not sent: ") + u);
    lbl_Status->setText(QStringLiteral("%1 to send (%2 bytes), %3 to delete.")
                            .arg(plural(p.plan.send.size(), "file", "files"))
                            .arg(p.plan.bytes)
                            .arg(p.plan.remove.size()));
}

void frm_Publish::Show_Plan()
{
    if (Publishing())
        return;
    Prepare([this](std::shared_ptr<Prepared> p) {
        List_Plan(*p);
        emit publishEnded();
    });
}

void frm_Publish::Publish()
{
    if (Publishing())
        return;
    Prepare([this](std::shared_ptr<Prepared> p) { Send(p); });
}

void frm_Publish::Send(std::shared_ptr<Prepared> p)
{
    List_Plan(*p);
    if (p->plan.send.empty() && p->plan.remove.empty()) {
        lbl_Status->setText(QStringLiteral("Nothing to send: the destination has every file as it is here."));
        emit publishEnded();
        return;
    }
    // Nothing there yet by this program: the whole site is about to go, so
    // the user sees where before it does.
    if (p->first
        && dialogs::message(QStringLiteral("Publish %1 files to %2?").arg(p->plan.send.size()).arg(p->destination.text),
                            dialogs::Buttons::YesNo, dialogs::Icon::Question, kCaption, dialogs::Answer::No)
               != dialogs::Answer::Yes) {
        lbl_Status->setText(QStringLiteral("Nothing sent."));
        emit publishEnded();
        return;
    }
    // Plain FTP shows the password and the pages to anyone on the way: said
    // once a session for each server, before any password goes.
    if (sitekit::sendsPasswordInClear(p->destination) && plainAgreed_ != serverName(p->destination)) {
        if (dialogs::message(QStringLiteral("%1 uses plain FTP: the password and the files travel unencrypted, and anyone "
                                            "on the network between here and the server can read them. Use sftp:// or "
                                            "ftps:// if the server offers it.\n\nSend them unencrypted anyway?")
                                 .arg(serverName(p->destination)),
                             dialogs::Buttons::YesNo, dialogs::Icon::Exclamation, kCaption, dialogs::Answer::No)
            != dialogs::Answer::Yes) {
            lbl_Status->setText(QStringLiteral("Nothing sent."));
            emit publishEnded();
            return;
        }
        plainAgreed_ = serverName(p->destination);
    }
    // The run lists what it does; files that could not be read stay named.
    lst_Files->clear();
    for (const QString& u : p->plan.unreadable)
        lst_Files->addItem(QStringLiteral("not sent: ") + u);
    planned_ = int(p->plan.send.size());
    destination_ = p->destination;
    cancel_ = false;
    lbl_Status->setText(QStringLiteral("Publishing..."));
    auto result = std::make_shared<sitekit::PublishResult>();
    result_ = result;
    auto* self = this;
    // Only to the server it was given for; else the one kept in the keyring,
    // looked up off this thread, as a locked keyring may ask to be opened.
    const QString password = passwordFor_ == serverName(p->destination) ? password_ : QString();
    const bool lookUp = password.isEmpty() && p->destination.kind != sitekit::Destination::Kind::Folder;
    auto kept = std::make_shared<bool>(false);
    usedKept_ = kept;
    worker_ = QThread::create([self, p, result, password, lookUp, kept, open = openTransport] {
        sitekit::Connection connection;
        connection.password = password;
        if (lookUp)
            if (const std::optional<QString> stored = keyring::lookup(accountOf(p->destination))) {
                connection.password = *stored;
                *kept = true;
            }
        const std::unique_ptr<sitekit::Transport> transport = open(p->destination, connection);
        sitekit::PublishHooks hooks;
        hooks.cancel = &self->cancel_;
        hooks.progress = [self](const sitekit::PublishProgress& at) {
            QMetaObject::invokeMethod(self, [self, at] {
                const double part = at.totalBytes > 0 ? double(at.bytes) / double(at.totalBytes)
                                    : at.totalFiles > 0 ? double(at.files) / at.totalFiles : 0.0;
                self->prg_Publish->setValue(int(part * 1000));
                self->prg_Publish->setFormat(QStringLiteral("%1 of %2 files, %3 of %4 KB")
                                                 .arg(at.files).arg(at.totalFiles)
                                                 .arg((at.bytes + 1023) / 1024).arg((at.totalBytes + 1023) / 1024));
            }, Qt::QueuedConnection);
        };
        hooks.done = [self](const QString& line) {
            QMetaObject::invokeMethod(self, [self, line] { self->lst_Files->addItem(line); }, Qt::QueuedConnection);
        };
        *result = sitekit::runPublish(p->plan, p->last, *transport, p->destination.text, p->manifestFile, hooks);
    });
    QThread* thread = worker_;
    connect(thread, &QThread::finished, this, [this, thread] {
        thread->deleteLater();
        if (worker_ == thread) {
            worker_ = nullptr;
            Published();
        }
    });
    Show_Working(true);
    worker_->start();
}

void frm_Publish::Cancel_Publish()
{
    if (Publishing())
        cancel_ = true;
}

void frm_Publish::Published()
{
    Show_Working(false);
    const sitekit::PublishResult& r = *result_;
    QString summary = QStringLiteral("%1 of %2 sent, %3 deleted.")
                          .arg(r.sent.size())
                          .arg(plural(planned_, "file", "files"))
                          .arg(r.removed.size());
    if (r.cancelled)
        summary += QStringLiteral(" Cancelled: the next publish sends the rest.");
    if (!r.failure.isEmpty())
        summary += QStringLiteral("\n") + r.failure;
    lst_Files->addItem(summary.section(QLatin1Char('\n'), 0, 0));
    if (!r.failure.isEmpty())
        lst_Files->addItem(r.failure);
    lbl_Status->setText(summary);
    Update_Buttons();
    if (isVisible())
        cmd_Close->setFocus();
    // A server met for the first time: its key is shown, and trusted only
    // when the user says so, before anything is sent to it.
    if (r.unknownHostKey && isVisible() && Trust_Host_Key(*r.unknownHostKey)) {
        Publish();
        return;
    }
    // A password typed in got in: kept, or a kept one that no longer works
    // forgotten, as the user chose.
    if (remember_ && passwordFor_ == serverName(destination_) && !r.loginRefused
        && (r.failure.isEmpty() || !r.sent.isEmpty() || !r.removed.isEmpty())) {
        const QString failed = *remember_ ? keyring::store(accountOf(destination_), password_)
                                          : keptRefused_ ? keyring::forget(accountOf(destination_)) : QString();
        if (!failed.isEmpty())
            lbl_Status->setText(lbl_Status->text() + QStringLiteral("\nThe password was not kept: ") + failed);
    }
    remember_.reset();
    // A server without our key, whatever carries the files: the password,
    // and the same publish again (what arrived is in the manifest, so only
    // the rest goes).
    if (r.loginRefused && isVisible()) {
        keptRefused_ = usedKept_ && *usedKept_;
        if (const std::optional<Asked> asked = askPassword(this, serverName(destination_), keptRefused_)) {
            password_ = asked->password;
            passwordFor_ = serverName(destination_);
            remember_ = asked->remember;
            Publish();
            return;
        }
    }
    emit publishEnded();
}

bool frm_Publish::Trust_Host_Key(const sitekit::HostKey& key)
{
    const QString server = key.port == 22 ? key.host : QStringLiteral("%1 (port %2)").arg(key.host).arg(key.port);
    const QString question = QStringLiteral(
        "The server %1 is not known yet. Its key fingerprint is %2\n\n"
        "Compare it with the one your web host gave you: if they differ, someone may be listening in. "
        "Trust this server and go on?").arg(server, key.fingerprint);
    if (dialogs::message(question, dialogs::Buttons::YesNo, dialogs::Icon::Question, kCaption, dialogs::Answer::No)
        != dialogs::Answer::Yes)
        return false;
    if (const QString why = sitekit::trustHostKey(key); !why.isEmpty()) {
        lbl_Status->setText(why);
        return false;
    }
    return true;
}

bool frm_Publish::eventFilter(QObject* watched, QEvent* event)
{
    // Qt types the letter of an Alt+letter that no control took, as when
    // the button it names is disabled just now: an access key is never text.
    if (watched == txt_Destination && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::AltModifier && !key->text().isEmpty()
            && key->text().at(0).isLetterOrNumber())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frm_Publish::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // A running publish is stopped first; the next Esc closes.
        if (Publishing())
            Cancel_Publish();
        else
            close();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
            b->click();
            return;
        }
        if (focusWidget() == txt_Destination) {
            Show_Plan();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void frm_Publish::closeEvent(QCloseEvent* event)
{
    // A publish left running would go on without anyone to see it end.
    if (worker_) {
        cancel_ = true;
        worker_->wait();
        worker_ = nullptr;  // deleted once its end is seen
        if (planning_)
            Show_Working(false);
        else
            Published();
    }
    QDialog::closeEvent(event);
    emit editorFocusRequested();
}
