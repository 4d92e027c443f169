// Links kept working through the windows: Rename Pages asking to update the
// links (the open document changed in the editor), Delete Pages naming the
// pages that link to it, and the results window of Check Site Links, its
// rows opening the page and its external links asked of a local server.

#include "tesk_test.h"
#include "test_support.h"

#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "platform/rtf_writer.h"
#include "site/frm_Delete.h"
#include "site/frm_Find_Site.h"
#include "site/frm_Rename.h"
#include "site/frm_Site_Results.h"
#include "source/frm_Source.h"
#include "ui/forms.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTreeWidget>

#include <memory>

using namespace tesk::test;

class SiteLinksWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TempSite> site_;
    std::unique_ptr<ScriptedDialogs> script_;
    QByteArray dataHome_;

    QString at(const QString& relative) const { return site_->workingFolder() + relative; }
    void put(const QString& relative, const QByteArray& text)
    {
        QDir().mkpath(QFileInfo(at(relative)).absolutePath());
        if (!writeFile(at(relative), text))
            QFAIL("cannot write the site");
    }

private slots:
    void init()
    {
        dataHome_ = openSiteSession(site_, script_);
        state().Source_Window_Pos = -2;
        forms::Start()->resize(1000, 760);
        forms::Start()->show();
        forms::Start()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(forms::Start()));
        put("Final-Pages/index.html", "<a href=\"about.html#team\">About</a>");
        put("Final-Pages/about.html", "<p id=\"team\">");
        put("Working-Pages/about.rtf", "<p id=\"team\">");
    }
    void cleanup()
    {
        QVERIFY(script_->allUsed());
        closeSiteSession(site_, script_, dataHome_);
    }

    void renameAsksToUpdateLinks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<bool>("renamed");
        QTest::newRow("Yes") << int(dialogs::Answer::Yes) << QByteArray("<a href=\"contact.html#team\">About</a>") << true;
        QTest::newRow("No: rename only") << int(dialogs::Answer::No) << QByteArray("<a href=\"about.html#team\">About</a>") << true;
        QTest::newRow("Cancel") << int(dialogs::Answer::Cancel) << QByteArray("<a href=\"about.html#team\">About</a>") << false;
    }
    void renameAsksToUpdateLinks()
    {
        QFETCH(int, answer);
        QFETCH(QByteArray, index);
        QFETCH(bool, renamed);
        forms::Start()->mnu_Source_Rename->trigger();
        frm_Rename* d = forms::Rename_If_Loaded();
        d->lst_Html_Pages->setCurrentItem(d->lst_Html_Pages->findItems("about", Qt::MatchExactly).value(0));
        d->cmd_Rename->click();
        d->txt_Rename->setText("contact");
        script_->expectMessage("Update 1 links in 1 files?", dialogs::Answer(answer));
        QTest::keyClick(d->txt_Rename, Qt::Key_Return);
        QTRY_VERIFY(script_->allUsed());
        QCOMPARE(readFile(at("Final-Pages/index.html")), index);
        QCOMPARE(QFile::exists(at("Final-Pages/contact.html")), renamed);
        QCOMPARE(QFile::exists(at("Working-Pages/about.rtf")), !renamed);
        d->End_Rename();
    }

    // The page open in the editor changes there, as one undo step, and is
    // not written behind the editor's back.
    void openDocumentChangesInTheEditor()
    {
        put("Working-Pages/index.rtf", rtf::write(rtf::fromPlainText("<a href=\"about.html#team\">About</a>"), "Arial", 10));
        SharedState& s = state();
        s.Source_Window_Pos = 2;
        frm_Source* source = forms::Source();
        source->Open_Page_At(at("Final-Pages/index.html"), 1, 10, 15);
        QCOMPARE(source->rtf_Source->SelText(), "about.html#team");
        forms::Start()->mnu_Source_Rename->trigger();
        frm_Rename* d = forms::Rename_If_Loaded();
        d->lst_Html_Pages->setCurrentItem(d->lst_Html_Pages->findItems("about", Qt::MatchExactly).value(0));
        d->cmd_Rename->click();
        d->txt_Rename->setText("contact");
        script_->expectMessage("Update 2 links in 2 files?", dialogs::Answer::Yes);
        QTest::keyClick(d->txt_Rename, Qt::Key_Return);
        QTRY_VERIFY(script_->allUsed());
        d->End_Rename();
        QCOMPARE(source->rtf_Source->Text(), "<a href=\"contact.html#team\">About</a>");
        QVERIFY(s.Source_Changed);
        QCOMPARE(readFile(at("Final-Pages/index.html")), QByteArray("<a href=\"about.html#team\">About</a>"));
        source->rtf_Source->undo();
        QCOMPARE(source->rtf_Source->Text(), "<a href=\"about.html#team\">About</a>");
        s.Source_Changed = false;
    }

    void deleteNamesTheLinkingPages_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("Yes") << int(dialogs::Answer::Yes) << true;
        QTest::newRow("No") << int(dialogs::Answer::No) << false;
    }
    void deleteNamesTheLinkingPages()
    {
        QFETCH(int, answer);
        QFETCH(bool, deleted);
        forms::Start()->mnu_Source_Delete->trigger();
        frm_Delete* d = forms::Delete_If_Loaded();
        d->lst_Html_Pages->setCurrentItem(d->lst_Html_Pages->findItems("about", Qt::MatchExactly).value(0));
        script_->expectMessage("1 page links to about.html: index.html\r\nDelete it all the same?", dialogs::Answer(answer));
        d->cmd_Delete->click();
        QCOMPARE(script_->messages().last().defaultButton, dialogs::Answer::No);
        QCOMPARE(QFile::exists(at("Final-Pages/about.html")), !deleted);
        d->End_Delete();
    }

    // F9 lists the open text's markup and spelling, unsaved changes
    // included; Enter selects the word without reopening the page.
    void checkPageGoesToTheWord()
    {
        put("Working-Pages/index.rtf", rtf::write(rtf::fromPlainText("<p>Fine"), "Arial", 10));
        frm_Start::Opens_Source();
        frm_Source* source = forms::Source();
        source->Open_Page_At(at("Final-Pages/index.html"), 1, 1, 0);
        source->rtf_Source->setText("<!DOCTYPE html>\r\n<title>t</title>\r\n<p>A caf&eacute; wrold</b>");
        state().Source_Changed = true;
        forms::Start()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(forms::Start()));
        source->rtf_Source->setFocus();
        QTest::keyClick(source->rtf_Source, Qt::Key_F9);
        auto* w = forms::Start()->findChild<frm_Site_Results*>();
        QVERIFY(w && w->isVisible());
        QTreeWidget* list = w->lst_Results;
        QCOMPARE(list->topLevelItem(0)->child(0)->text(4), "discarding unexpected </b>");
        QTreeWidgetItem* word = list->topLevelItem(1)->child(1);
        QCOMPARE(word->text(3), "wrold");
        QVERIFY(word->text(4).contains("world"));
        list->setCurrentItem(word);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(source->rtf_Source->SelText(), "wrold");
        QVERIFY(state().Source_Changed);
        state().Source_Changed = false;
    }

    void resultsOpenThePageAndAskTheServers()
    {
        // A server of the test's own: /ok answers HEAD, /gone is 404, /get
        // refuses HEAD and answers GET.
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        connect(&server, &QTcpServer::newConnection, &server, [&server] {
            QTcpSocket* c = server.nextPendingConnection();
            connect(c, &QTcpSocket::readyRead, c, [c] {
                const QByteArray request = c->readAll();
                const bool head = request.startsWith("HEAD");
                QByteArray status = "200 OK";
                if (request.contains(" /gone "))
                    status = "404 Not Found";
                else if (request.contains(" /get ") && head)
                    status = "405 Method Not Allowed";
                c->write("HTTP/1.1 " + status + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                c->disconnectFromHost();
            });
        });
        const QByteArray base = "http://127.0.0.1:" + QByteArray::number(server.serverPort());
        put("Final-Pages/index.html", "<a href=\"about.html\">About</a>\n<a href=\"" + base + "/ok\">\n<a href=\"" + base
                                          + "/gone\">\n<a href=\"" + base + "/get\"><img src=\"nope.gif\">");
        state().Source_Window_Pos = 2;
        forms::Start()->findChild<QAction*>("mnu_Site_Check_Links")->trigger();
        auto* w = forms::Start()->findChild<frm_Site_Results*>();
        QVERIFY(w && w->isVisible());
        QTreeWidget* list = w->lst_Results;
        QCOMPARE(list->topLevelItem(0)->text(0), "Broken links (1)");
        QTreeWidgetItem* broken = list->topLevelItem(0)->child(0);
        QCOMPARE(broken->text(3) + ": " + broken->text(4), "nope.gif: missing file");
        list->setCurrentItem(broken);
        list->setFocus();
        script_->answerNextMessage(dialogs::Answer::Ok);  // the page gets its source
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(forms::Source()->rtf_Source->SelText(), "nope.gif");
        QCOMPARE(state().Source_Path, at("Working-Pages/index.html.rtf"));

        QVERIFY(w->cmd_External->isEnabled());
        w->cmd_External->click();
        QVERIFY(w->prg_External->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!w->prg_External->isVisible(), 15000);
        QTreeWidgetItem* external = list->topLevelItem(list->topLevelItemCount() - 1);
        QStringList reasons;
        for (int i = 0; i < external->childCount(); ++i)
            reasons << external->child(i)->text(3).section('/', -1) + " " + external->child(i)->text(4);
        QCOMPARE(reasons, QStringList({"ok external link: 200 OK", "gone broken external link: 404 Not Found",
                                       "get external link: 200 OK"}));
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    }

    // Find in Site from the keyboard: the focus in the Find box, Enter
    // searches, Replace All asks with No the default, Esc gives the focus
    // back, F4 in the editor opens the next match selected.
    void findInSiteFromTheKeyboard()
    {
        state().Source_Window_Pos = 2;
        forms::Start()->findChild<QAction*>("mnu_Site_Find")->trigger();
        auto* w = forms::Start()->findChild<frm_Find_Site*>();
        QVERIFY(w && w->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), w->txt_Find);
        QTest::keyClicks(w->txt_Find, "TEAM");
        QTest::keyClick(w->txt_Find, Qt::Key_Return);
        QTRY_COMPARE(w->lbl_Status->text(), "2 matches in 2 files");
        script_->expectMessage("Replace 2 matches in 2 files?", dialogs::Answer::No);
        w->cmd_Replace_All->click();
        QCOMPARE(script_->messages().last().defaultButton, dialogs::Answer::No);
        QCOMPARE(readFile(at("Working-Pages/about.rtf")), QByteArray("<p id=\"team\">"));
        QTest::keyClick(w->txt_Find, Qt::Key_Escape);
        QTRY_VERIFY(!w->isAncestorOf(QApplication::focusWidget()));
        QTreeWidget* list = forms::Start()->findChild<frm_Site_Results*>()->lst_Results;
        list->setFocus();
        script_->answerNextMessage(dialogs::Answer::Ok);  // the plain source saved as RTF
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(state().Source_Path, at("Working-Pages/about.rtf"));
        QTest::keyClick(forms::Source()->rtf_Source, Qt::Key_F4);
        QCOMPARE(state().Source_Path, at("Working-Pages/index.html.rtf"));
        QCOMPARE(forms::Source()->rtf_Source->SelText(), "team");
    }
};

TESK_TEST(SiteLinksWindowsTest)
#include "site_links_windows_test.moc"
