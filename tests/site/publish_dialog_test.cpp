// Publish Site driven through its controls, to a folder, a real OpenSSH
// server or a stand-in that takes one password: what the plan lists, what
// arrives, what the user is asked.

#include "tesk_test.h"
#include "test_support.h"
#include "ssh_server.h"

#include "app/frm_Start.h"
#include "app/startup.h"
#include "core/shared_state.h"
#include "platform/keyring.h"
#include "site/frm_Publish.h"
#include "ui/forms.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>

#include <memory>

using namespace tesk::test;

// A server that takes one password, its files in a folder.
class PasswordServer : public sitekit::Transport {
public:
    PasswordServer(const QString& folder, const QString& password) : password_(password)
    {
        QString why;
        folder_ = sitekit::openTransport(*sitekit::parseDestination(folder, &why), {});
    }
    QString put(const QString& local, const QString& remote, qint64 size) override
    {
        return (loginRefused = password_ != "right") ? "refused the login" : folder_->put(local, remote, size);
    }
    QString remove(const QString& remote) override { return folder_->remove(remote); }

private:
    std::unique_ptr<sitekit::Transport> folder_;
    QString password_;
};

// Run in a session of its own with a real keyring (common/with_keyring.sh).
class PublishDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TempSite> site_;
    std::unique_ptr<ScriptedDialogs> script_;
    QByteArray dataHome_, home_;

    QString server() const { return site_->path("server/"); }
    frm_Publish* open()
    {
        forms::Start()->findChild<QAction*>("mnu_Site_Publish")->trigger();
        return forms::Start()->Publish_Window();
    }
    static QStringList lines(QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    static bool publish(frm_Publish* w)
    {
        QSignalSpy ended(w, &frm_Publish::publishEnded);
        w->cmd_Publish->click();
        return ended.count() == 1 || ended.wait(20000);
    }

private slots:
    void init()
    {
        dataHome_ = openSiteSession(site_, script_);
        home_ = qgetenv("HOME");
        QDir().mkpath(server());
        QDir().mkpath(site_->workingFolder() + "Final-Pages/Images");
        state().Source_Window_Pos = -2;
        forms::Start()->show();
        forms::Start()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(forms::Start()));
        QVERIFY(writeFile(site_->workingFolder() + "Final-Pages/index.html", "<img src=\"Images/a.gif\">"));
        QVERIFY(writeFile(site_->workingFolder() + "Final-Pages/Images/a.gif", "GIF89a"));
    }
    void cleanup()
    {
        QVERIFY(script_->allUsed());
        qputenv("HOME", home_);
        closeSiteSession(site_, script_, dataHome_);
    }

    void opensWithTheDestinationOfThisFolder()
    {
        QCOMPARE(sitekit::rememberDestination(state().Working_Folder, server()), QString());
        frm_Publish* w = open();
        QTRY_COMPARE(QApplication::focusWidget(), w->txt_Destination);
        QCOMPARE(w->txt_Destination->text(), server());
        QTest::keyClick(w->txt_Destination, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QTRY_VERIFY(!w->isAncestorOf(QApplication::focusWidget()));
    }

    void showPlanSendsNothing()
    {
        frm_Publish* w = open();
        QTest::keyClicks(w->txt_Destination, server());
        QTest::keyClick(w->txt_Destination, Qt::Key_Return);
        QTRY_COMPARE(lines(w->lst_Files), QStringList({"send Images/a.gif", "send index.html"}));
        QCOMPARE(QApplication::focusWidget(), w->txt_Destination);  // back where the plan was asked for
        QVERIFY(QDir(server()).isEmpty());
        QCOMPARE(sitekit::rememberedDestination(state().Working_Folder), server());
    }

    // The files are read on a worker: the dialog says it is at work, and Esc
    // stops it with nothing listed, sent or asked.
    void planningCancels()
    {
        frm_Publish* w = open();
        w->txt_Destination->setText(server());
        QTRY_COMPARE(QApplication::focusWidget(), w->txt_Destination);
        QSignalSpy ended(w, &frm_Publish::publishEnded);
        w->cmd_Publish->click();
        QVERIFY(w->cmd_Cancel->isVisible() && !w->txt_Destination->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(ended.wait(20000) && w->isVisible());
        QCOMPARE(w->lbl_Status->text(), "Cancelled: nothing sent.");
        QVERIFY(w->lst_Files->count() == 0 && QDir(server()).isEmpty() && w->txt_Destination->isEnabled());
    }

    void publishAsksTheFirstTime_data()
    {
        QTest::addColumn<dialogs::Answer>("answer");
        QTest::addColumn<QString>("arrived");
        QTest::addColumn<QString>("again");  // the status of a second publish
        QTest::newRow("yes") << dialogs::Answer::Yes << "GIF89a" << "Nothing to send: the destination has every file as it is here.";
        QTest::newRow("no") << dialogs::Answer::No << "" << "Nothing sent.";
    }
    void publishAsksTheFirstTime()
    {
        QFETCH(dialogs::Answer, answer);
        QFETCH(QString, arrived);
        QFETCH(QString, again);
        frm_Publish* w = open();
        w->txt_Destination->setText(server());
        script_->expectMessage(QStringLiteral("Publish 2 files to %1?").arg(server()), answer);
        QVERIFY(publish(w));
        QCOMPARE(script_->messages().last().defaultButton, dialogs::Answer::No);
        QCOMPARE(QString::fromUtf8(readFile(server() + "Images/a.gif")), arrived);
        if (answer == dialogs::Answer::No)
            script_->expectMessage(QStringLiteral("Publish 2 files to %1?").arg(server()), answer);
        else
            QCOMPARE(lines(w->lst_Files).last(), "2 of 2 files sent, 0 deleted.");
        QVERIFY(publish(w));
        QCOMPARE(w->lbl_Status->text(), again);
    }

    // Plain FTP is said to be unencrypted before anything goes, with No the
    // default; agreed to, it is not asked again for that server.
    void plainFtpWarns_data()
    {
        QTest::addColumn<dialogs::Answer>("answer");
        QTest::newRow("stopped") << dialogs::Answer::No;
        QTest::newRow("agreed") << dialogs::Answer::Yes;
    }
    void plainFtpWarns()
    {
        QFETCH(dialogs::Answer, answer);
        QTcpServer probe;  // a port nothing answers on once closed
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const QString to = QStringLiteral("ftp://tesk@127.0.0.1:%1/site/").arg(probe.serverPort());
        probe.close();
        frm_Publish* w = open();
        w->txt_Destination->setText(to);
        for (int run = 0; run < 2; ++run) {
            // Asked until something is on the record for the destination.
            const bool warns = run == 0 || answer == dialogs::Answer::No;
            if (warns)
                script_->expectMessage(QStringLiteral("Publish 2 files to %1?").arg(to), dialogs::Answer::Yes).answerNextMessage(answer);
            if (run == 0 && answer == dialogs::Answer::Yes)  // FTP has no keys: a password, after the warning
                script_->onModal([](QDialog& d) {
                    d.findChild<QLineEdit*>("txt_Password")->setText("pw");
                    return int(QDialog::Accepted);
                });
            const qsizetype before = script_->messages().size();
            QVERIFY(publish(w));
            QStringList asked;
            for (qsizetype i = before; i < script_->messages().size(); ++i)
                asked << script_->messages().at(i).text;
            QCOMPARE(asked.size(), warns ? 2 : 0);
            if (warns) {
                QVERIFY2(asked[1].contains("unencrypted"), qPrintable(asked[1]));
                QCOMPARE(script_->messages().last().defaultButton, dialogs::Answer::No);
            }
            if (answer == dialogs::Answer::No)
                QCOMPARE(w->lbl_Status->text(), "Nothing sent.");
            else  // it went on: to a server that is not there
                QVERIFY2(w->lbl_Status->text().contains("127.0.0.1"), qPrintable(w->lbl_Status->text()));
        }
    }

    // A server met for the first time is trusted only when the user says so,
    // before anything goes to it; a changed key is refused unasked.
    void hostKeys_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<dialogs::Answer>("answer");  // to the question, when asked
        QTest::newRow("unknown, trusted") << false << dialogs::Answer::Yes;
        QTest::newRow("unknown, not trusted") << false << dialogs::Answer::No;
        QTest::newRow("changed") << true << dialogs::Answer::Cancel;
    }
    void hostKeys()
    {
        QFETCH(bool, changed);
        QFETCH(dialogs::Answer, answer);
        SshServer ssh;
        if (!ssh.whyNot().isEmpty())
            QSKIP(qPrintable("no SSH server to publish to: " + ssh.whyNot()));
        // The user's own ~/.ssh: the key sshd takes, and known_hosts.
        const QString home = site_->path("home/"), knownHosts = home + ".ssh/known_hosts";
        QVERIFY(QDir().mkpath(home + ".ssh"));
        QVERIFY(QFile::copy(ssh.identity(), home + ".ssh/id_ed25519") && QFile::copy(ssh.identity() + ".pub", home + ".ssh/id_ed25519.pub"));
        qputenv("HOME", home.toUtf8());
        if (changed) {
            ssh.knowHost(knownHosts);
            ssh.stop();
            ssh.start();
        }
        const QByteArray before = readFile(knownHosts);
        frm_Publish* w = open();
        w->txt_Destination->setText(ssh.url(server()));
        script_->expectMessage(QStringLiteral("Publish 2 files to %1?").arg(ssh.url(server())), dialogs::Answer::Yes);
        if (!changed)
            script_->answerNextMessage(answer);
        QVERIFY(publish(w));
        const bool trusted = answer == dialogs::Answer::Yes;
        QCOMPARE(QString::fromUtf8(readFile(server() + "Images/a.gif")), trusted ? "GIF89a" : "");
        QCOMPARE(QString::fromUtf8(readFile(knownHosts)), trusted ? ssh.hostKeyLine() + "\n" : QString::fromUtf8(before));
        if (changed)
            QVERIFY2(w->lbl_Status->text().contains("has CHANGED"), qPrintable(w->lbl_Status->text()));
        else {
            const dialogs::Message asked = script_->messages().at(1);
            QVERIFY2(asked.text.contains(ssh.fingerprint()) && !ssh.fingerprint().isEmpty(), qPrintable(asked.text));
            QCOMPARE(asked.defaultButton, dialogs::Answer::No);
        }
        if (trusted)
            QVERIFY(!(QFile::permissions(knownHosts) & (QFile::ReadGroup | QFile::ReadOther)));
    }

    // Each access key of the dialog reaches its own control with the tool
    // windows of a fresh start open beside it (they share its key space); one
    // whose button is disabled types nothing into the destination.
    void accessKeys_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("control");
        QTest::newRow("destination") << Qt::Key_D << "txt_Destination";
        QTest::newRow("sources") << Qt::Key_O << "chk_Sources";
        QTest::newRow("delete") << Qt::Key_R << "chk_Delete";
        QTest::newRow("plan") << Qt::Key_N << "cmd_Show_Plan";
        QTest::newRow("publish") << Qt::Key_U << "cmd_Publish";
        QTest::newRow("close") << Qt::Key_X << "cmd_Close";
        QTest::newRow("plan, nothing to plan") << Qt::Key_N << "";
    }
    void accessKeys()
    {
        QFETCH(Qt::Key, key);
        QFETCH(QString, control);
        writeFile(site_->programFolder() + "TeskEdit.htm", "<p>help");
        Main(site_->programFolder());
        site_->apply();
        frm_Publish* w = open();
        w->txt_Destination->setText(control.isEmpty() ? "" : server());
        QTRY_COMPARE(QApplication::focusWidget(), w->txt_Destination);
        const auto letter = [](QWidget* c) { return c->property("text").toString().section('&', 1).left(1).toLower(); };
        QString taken = "fbstwhj";  // the menu bar's, then the tool windows' (every window has its "&X")
        for (QWidget* c : forms::Start()->findChildren<QWidget*>())
            taken += c->isVisible() && c->window() == forms::Start() && letter(c) != "x" ? letter(c) : "";
        for (QWidget* c : w->findChildren<QWidget*>()) {
            QVERIFY2(letter(c).isEmpty() || !taken.contains(letter(c)), qPrintable(c->property("text").toString()));
            taken += letter(c);
        }
        auto* target = w->findChild<QAbstractButton*>(control.isEmpty() ? "cmd_Show_Plan" : control);
        QSignalSpy clicked(target ? target : w->cmd_Close, &QAbstractButton::clicked);
        if (control == "cmd_Publish")
            script_->expectMessage(QStringLiteral("Publish 2 files to %1?").arg(server()), dialogs::Answer::No);
        QWidget* from = control.isEmpty() ? static_cast<QWidget*>(w->txt_Destination) : w->cmd_Close;
        from->setFocus();
        QSignalSpy ended(w, &frm_Publish::publishEnded);
        QTest::keyClick(from, key, Qt::AltModifier);
        if (control.isEmpty())
            QVERIFY(w->txt_Destination->text().isEmpty() && clicked.isEmpty());
        else if (target)
            QTRY_COMPARE(clicked.count(), 1);
        else
            QTRY_COMPARE(QApplication::focusWidget()->objectName(), control);
        if (control == "cmd_Show_Plan" || control == "cmd_Publish")  // the files are read on a worker first
            QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 20000);
    }

    // The password of a server that takes no key, in the test's own keyring:
    // the kept one is used unasked, a refused one asked again and replaced
    // only as the user chooses.
    void password_data()
    {
        QTest::addColumn<QString>("kept");     // in the keyring before
        QTest::addColumn<bool>("keyringRuns");
        QTest::addColumn<bool>("remember");    // ticked when asked ("" kept: not asked)
        QTest::addColumn<QString>("keptAfter");
        QTest::newRow("kept, taken unasked") << "right" << true << false << "right";
        QTest::newRow("kept refused, new one remembered") << "wrong" << true << true << "right";
        QTest::newRow("kept refused, new one not remembered") << "wrong" << true << false << "";
        QTest::newRow("no keyring runs") << "" << false << false << "";
    }
    void password()
    {
        QFETCH(QString, kept);
        QFETCH(bool, keyringRuns);
        QFETCH(bool, remember);
        QFETCH(QString, keptAfter);
        if (qEnvironmentVariable("TESK_PRIVATE_KEYRING") != "yes")
            QSKIP(qPrintable("no keyring of the test's own: " + qEnvironmentVariable("TESK_PRIVATE_KEYRING", "run through with_keyring.sh")));
        QTRY_COMPARE_WITH_TIMEOUT(keyring::unavailable(), QString(), 20000);  // the daemon takes a moment
        const keyring::Account account{"sftp", "ann", "example.invalid", 2222};
        QCOMPARE(keyring::forget(account), QString());
        if (!kept.isEmpty())
            QCOMPARE(keyring::store(account, kept), QString());
        const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS"), runtime = qgetenv("XDG_RUNTIME_DIR");
        if (!keyringRuns)
            qunsetenv("DBUS_SESSION_BUS_ADDRESS"), qunsetenv("XDG_RUNTIME_DIR");
        frm_Publish* w = open();
        w->openTransport = [this](const sitekit::Destination&, const sitekit::Connection& c) {
            return std::make_unique<PasswordServer>(server(), c.password);
        };
        const QString to = "sftp://ann@example.invalid:2222/site/";
        w->txt_Destination->setText(to);
        script_->expectMessage(QStringLiteral("Publish 2 files to %1?").arg(to), dialogs::Answer::Yes);
        if (kept != "right")  // asked: the strict dialogs fail a question not scripted
            script_->onModal([&](QDialog& d) {
                auto* box = d.findChild<QCheckBox*>("chk_Remember");
                // Ticked already when the kept one was refused; off and saying why without a keyring.
                if (box->isChecked() != (kept == "wrong") || box->isEnabled() != keyringRuns
                    || box->toolTip().contains("D-Bus") == keyringRuns)
                    return int(QDialog::Rejected);
                box->setChecked(remember);
                d.findChild<QLineEdit*>("txt_Password")->setText("right");
                return int(QDialog::Accepted);
            });
        QVERIFY(publish(w));
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
        qputenv("XDG_RUNTIME_DIR", runtime);
        QCOMPARE(QString::fromUtf8(readFile(server() + "Images/a.gif")), "GIF89a");
        QCOMPARE(keyring::lookup(account).value_or(""), keptAfter);
    }
};

TESK_TEST(PublishDialogTest)
#include "publish_dialog_test.moc"
