// Publish Site driven through its controls, to a folder standing in for the
// server: what the plan lists, what arrives, what the user is asked.

#include "tesk_test.h"
#include "test_support.h"

#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "site/frm_Publish.h"
#include "ui/forms.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using namespace tesk::test;

class PublishDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TempSite> site_;
    std::unique_ptr<ScriptedDialogs> script_;
    QByteArray dataHome_;

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
        resetProgram();
        site_ = std::make_unique<TempSite>();
        script_ = std::make_unique<ScriptedDialogs>();
        site_->apply();
        dataHome_ = qgetenv("XDG_DATA_HOME");
        QDir().mkpath(site_->path("data"));
        qputenv("XDG_DATA_HOME", site_->path("data").toUtf8());
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
        script_.reset();
        resetProgram();
        qputenv("XDG_DATA_HOME", dataHome_);
        site_.reset();
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
        QCOMPARE(lines(w->lst_Files), QStringList({"send Images/a.gif", "send index.html"}));
        QVERIFY(QDir(server()).isEmpty());
        QCOMPARE(sitekit::rememberedDestination(state().Working_Folder), server());
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

    void accessKeys_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("listed");
        QTest::newRow("destination") << Qt::Key_D << "txt_Destination" << 0;
        QTest::newRow("sources") << Qt::Key_O << "chk_Sources" << 0;
        QTest::newRow("delete") << Qt::Key_L << "chk_Delete" << 0;
        QTest::newRow("plan") << Qt::Key_A << "" << 2;
    }
    void accessKeys()
    {
        QFETCH(Qt::Key, key);
        QFETCH(QString, focused);
        QFETCH(int, listed);
        frm_Publish* w = open();
        w->txt_Destination->setText(server());
        QTRY_COMPARE(QApplication::focusWidget(), w->txt_Destination);
        w->cmd_Close->setFocus();
        QTest::keyClick(w->cmd_Close, key, Qt::AltModifier);
        QTRY_COMPARE(w->lst_Files->count(), listed);
        if (!focused.isEmpty())
            QTRY_COMPARE(QApplication::focusWidget()->objectName(), focused);
        // None taken twice in the dialog nor by the menu bar.
        QString taken = "fbstwhj";
        for (QWidget* c : w->findChildren<QWidget*>()) {
            const QString text = c->property("text").toString();
            const qsizetype at = text.indexOf('&');
            if (at < 0)
                continue;
            const QChar letter = text.at(at + 1).toLower();
            QVERIFY2(!taken.contains(letter), qPrintable(text));
            taken += letter;
        }
    }
};

TESK_TEST(PublishDialogTest)
#include "publish_dialog_test.moc"
