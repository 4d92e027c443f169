// The Browser window in the running program: the help page at start, the
// address history of pages that are no local files, "Add Address to List",
// saved pages shown fresh from disk with the reader's place kept, and
// the Browser menu commands.

#include "tesk_test.h"
#include "test_support.h"

#include "browser/frm_Browser.h"
#include "ui/forms.h"
#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "app/startup.h"
#include "platform/web_browser.h"
#include "source/frm_Source.h"
#include "source/tag_bars.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <tuple>

using namespace tesk::test;

namespace {

constexpr int kTimeout = 60000;  // the page engine starts slowly on a busy machine

const QByteArray kHelpPage =
    "<html><head><title>Help</title></head><body style='background:#ff0000'><p>Tesk help text</p></body></html>";

// The whole start-up in a throw-away program folder with its own help page,
// then the site of the test as the working folder, shown in the editor.
frm_Browser* startProgram(const TempSite& site)
{
    writeFile(site.programFolder() + QStringLiteral("TeskEdit.htm"), kHelpPage);
    Main(site.programFolder());
    site.apply();
    forms::Source()->Working_Folder_Files();
    forms::Start()->activateWindow();
    (void)QTest::qWaitForWindowActive(forms::Start());
    return forms::Browser();
}

bool idle(frm_Browser* b)
{
    return QTest::qWaitFor([b] { return !b->brw_Web_Browser->busy(); }, kTimeout);
}

// Runs JavaScript in the page and gives back its result.
QVariant evaluate(frm_Browser* b, const QString& script)
{
    auto result = std::make_shared<QVariant>();
    auto done = std::make_shared<bool>(false);
    b->brw_Web_Browser->page()->runJavaScript(script, [result, done](const QVariant& v) {
        *result = v;
        *done = true;
    });
    if (!QTest::qWaitFor([&] { return *done; }, kTimeout))
        return QStringLiteral("<no answer>");
    return *result;
}

QString pageText(frm_Browser* b)
{
    return evaluate(b, QStringLiteral("document.body ? document.body.innerText.trim() : ''")).toString();
}

} // namespace

class BrowserWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempSite> site_;
    frm_Browser* b = nullptr;
    std::unique_ptr<QSignalSpy> completed_;
    QString path(const QString& name) const { return site_->path(name); }
    // Waits for the count-th completed page since the test started.
    bool loaded(int count)
    {
        return QTest::qWaitFor([&] { return completed_->count() >= count; }, kTimeout) && idle(b);
    }

private slots:
    // The program started on the help page, quiet.
    void init()
    {
        resetProgram();
        site_ = std::make_unique<TempSite>();
        b = startProgram(*site_);
        QVERIFY(idle(b));
        completed_ = std::make_unique<QSignalSpy>(b->brw_Web_Browser, &WebBrowser::DocumentComplete);
    }
    void cleanup()
    {
        completed_.reset();
        resetProgram();
        site_.reset();
    }

    // Start-up shows the help page (drawn, headless too); the menu's copy
    // takes the page's text.
    void startsOnTheHelpPage()
    {
        QTRY_COMPARE_WITH_TIMEOUT(state().Status_Page_Panel.text(), QStringLiteral("Home Page"), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!b->brw_Web_Browser->busy(), kTimeout);
        QCOMPARE(pageText(b), QStringLiteral("Tesk help text"));
        QTRY_VERIFY_WITH_TIMEOUT(b->brw_Web_Browser->grab().toImage().pixelColor(150, 250) == QColor(Qt::red), kTimeout);
        QVERIFY(b->addressHistory().isEmpty());  // a local file never enters it
        // Chosen from the menu while the editor has the focus.
        QApplication::clipboard()->clear();
        forms::Start()->mnu_Browser_All->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::clipboard()->text().trimmed(), QStringLiteral("Tesk help text"),
                                  kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(b->brw_Web_Browser->page()->selectedText(), QString(), kTimeout);
    }

    // Pages from the web enter the history newest first, once each (that
    // local files never do is the help page's part); Enter goes to the
    // address typed, not a remembered one it begins. "Add Address to List"
    // puts the address first in the editor's web-link list and last in the
    // site's "URL.lst"; an empty box does nothing.
    void addressHistoryAndAddToList()
    {
        // Pages that are no local files, whose text is their name.
        const QString one = "data:text/html,one", two = "data:text/html,two";
        b->cbo_Address->setEditText(one);
        b->cmd_Go->click();
        QVERIFY(loaded(1));
        b->cbo_Address->setEditText(two);
        QTest::keyClick(b->cbo_Address->lineEdit(), Qt::Key_Return);  // Enter in the box
        QVERIFY(loaded(2));
        QCOMPARE(b->addressHistory(), (QStringList{two, one}));
        QCOMPARE(b->cbo_Address->currentText(), two);
        b->cbo_Address->setEditText(one);  // the second visit selects its entry
        b->Start_Browser();
        QVERIFY(loaded(3));
        QCOMPARE(b->addressHistory(), (QStringList{two, one}));
        QCOMPARE(b->cbo_Address->currentIndex(), 1);
        // The same page again adds no step to go back; the toolbar steps back
        // and forth.
        b->Start_Browser();
        QVERIFY(loaded(4));
        b->topButton(QStringLiteral("Back"))->trigger();
        QVERIFY(loaded(5));
        QCOMPARE(pageText(b), QStringLiteral("two"));
        b->topButton(QStringLiteral("Forward"))->trigger();
        QVERIFY(loaded(6));
        QCOMPARE(pageText(b), QStringLiteral("one"));
        // Enter goes to the address typed, never to a longer one remembered.
        b->cbo_Address->setEditText(QString());
        b->cbo_Address->setFocus();
        QTRY_VERIFY(b->cbo_Address->lineEdit()->hasFocus());
        QTest::keyClicks(b->cbo_Address->lineEdit(), QStringLiteral("data:text/html,tw"));
        QTest::keyClick(b->cbo_Address->lineEdit(), Qt::Key_Return);
        QVERIFY(loaded(7));
        QCOMPARE(pageText(b), QStringLiteral("tw"));

        const QString list = state().Working_Pages_Folder + QStringLiteral("URL.lst");
        QComboBox* links = forms::Source()->tagBars->cbo_Tag[2];
        const QByteArray stored = "http://b.example/\r\nhttp://d.example/\r\n";
        QVERIFY(writeFile(list, stored));
        forms::Source()->tagBars->Retrieve_Tag_Lists();
        const QStringList before = items(links);
        for (const char* address : {"", "http://z.example/", "http://a.example/"}) {
            b->cbo_Address->setEditText(QString::fromUtf8(address));
            b->cmd_Add->click();
        }
        // Outside the list's alphabetical order, the newest selected.
        QCOMPARE(items(links), (QStringList{before[0], "http://a.example/", "http://z.example/",
                                            "http://b.example/", "http://d.example/"}));
        QCOMPARE(links->currentIndex(), 1);
        QCOMPARE(readFile(list), stored + "http://z.example/\r\nhttp://a.example/\r\n");

        // A list that cannot be written says so; the editor's list has it.
        QVERIFY(QFile::remove(list) && QDir().mkpath(list));  // a folder where the file should be
        ScriptedDialogs d;
        d.answerNextMessage(dialogs::Answer::Ok);
        b->cbo_Address->setEditText(QStringLiteral("http://c.example/"));
        b->cmd_Add->click();
        QCOMPARE(links->itemText(1), QStringLiteral("http://c.example/"));
        // No working folder: only the editor's list.
        state().Working_Folder.clear();
        b->cbo_Address->setEditText(QStringLiteral("http://e.example/"));
        b->cmd_Add->click();
        QCOMPARE(links->itemText(1), QStringLiteral("http://e.example/"));
        QVERIFY(d.allUsed());
    }

    // Every save shows the page read again from disk, and the reader stays
    // where they were on it, also after following a jump within the page.
    void savedPageShowsFreshAndKeepsThePlace()
    {
        const QString page = state().Final_Pages_Folder + QStringLiteral("long.html");
        // Versions of the same size: only a fresh read from disk shows the change.
        auto version = [&](char n) {
            QByteArray html = "<html><body><p id='first'>version " + QByteArray(1, n) + "</p>";
            for (int i = 0; i < 300; ++i)
                html += "<p" + QByteArray(i == 40 ? " id='mark'" : "") + ">line " + QByteArray::number(i) + "</p>";
            return writeFile(page, html + "</body></html>");
        };
        auto scrollY = [&] { return evaluate(b, "Math.round(window.scrollY)").toInt(); };

        QVERIFY(version('1'));
        b->Navigate(QUrl::fromLocalFile(page).toString() + QStringLiteral("#mark"), WebBrowser::Fresh);
        QVERIFY(loaded(1));
        // Saved where the jump left the reader, then again after the reader
        // moved on; Ctrl+S and "Save and Refresh" also refresh.
        for (const auto& [n, y, refresh] : {std::tuple{'2', 1500, false}, std::tuple{'3', 700, true}}) {
            evaluate(b, QStringLiteral("window.scrollTo(0, %1)").arg(y));
            QTRY_COMPARE_WITH_TIMEOUT(b->brw_Web_Browser->page()->scrollPosition().y(), qreal(y), kTimeout);
            QVERIFY(version(n));
            b->Navigate(page, WebBrowser::Fresh);
            if (refresh)
                b->Refresh();
            QTRY_COMPARE_WITH_TIMEOUT(evaluate(b, "document.getElementById('first').innerText").toString(),
                                      QStringLiteral("version ") + QLatin1Char(n), kTimeout);
            QVERIFY(idle(b));
            QTRY_COMPARE_WITH_TIMEOUT(scrollY(), y, kTimeout);
        }

        // Another page starts at its top.
        b->Navigate(state().Help_File, WebBrowser::Fresh);
        QTRY_COMPARE_WITH_TIMEOUT(pageText(b), QStringLiteral("Tesk help text"), kTimeout);
        QCOMPARE(scrollY(), 0);
    }

    // Saved in the editor: the browser shows the new text, each time read
    // again from disk.
    void editorSaveShowsTheNewText()
    {
        frm_Source* editor = forms::Source();
        const QString elsewhere = path(QStringLiteral("page.html"));
        QVERIFY(writeFile(elsewhere, "<html><body>one</body></html>"));
        ScriptedDialogs d;
        d.onFile([&](const dialogs::FileRequest&) { return dialogs::FileResult{elsewhere, path({})}; });
        editor->Open_File();  // imported: saved at once, and shown
        const QString page = state().HTML_Path;
        QVERIFY(page.startsWith(state().Final_Pages_Folder));
        QTRY_COMPARE_WITH_TIMEOUT(pageText(b), QStringLiteral("one"), kTimeout);
        // The page changed on disk behind the browser's back; the save,
        // once the user chose to overwrite it, still shows the editor's
        // text, not what was shown or cached.
        QVERIFY(writeFile(page, "<html><body>out</body></html>"));
        editor->rtf_Source->setText(QStringLiteral("<html><body>six</body></html>"));
        d.expectMessage(QStringLiteral("page.html has changed on disk since it was opened. Overwrite it?"),
                        dialogs::Answer::Yes);
        forms::Start()->mnu_Source_Save->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(pageText(b), QStringLiteral("six"), kTimeout);

        // Saved while the browser shows another page: every load the save
        // starts has ended, on the saved page as it is on disk now.
        QVERIFY(writeFile(state().Final_Pages_Folder + "other.html", "<html><body>other</body></html>"));
        b->Navigate(state().Final_Pages_Folder + "other.html", WebBrowser::Fresh);
        QTRY_COMPARE_WITH_TIMEOUT(pageText(b), QStringLiteral("other"), kTimeout);
        QVERIFY(idle(b));
        editor->rtf_Source->setText(QStringLiteral("<html><body>ten</body></html>"));
        QSignalSpy started(b->brw_Web_Browser->page(), &QWebEnginePage::loadStarted);
        QSignalSpy finished(b->brw_Web_Browser->page(), &QWebEnginePage::loadFinished);
        QTest::keyClick(editor->rtf_Source, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QTest::qWaitFor([&] { return started.count() > 0 && finished.count() >= started.count(); }, kTimeout));
        QVERIFY(finished.last().at(0).toBool());
        QCOMPARE(pageText(b), QStringLiteral("ten"));
        QVERIFY(d.allUsed());
    }

    // The Browser menu's size commands set the slot code and F11 toggles it;
    // the toolbar and access-button settings show and hide.
    void menuCommandsAndWindowKeys()
    {
        frm_Start* w = forms::Start();
        // Maximize, Restore (beside the editor), 640 x 480, 800 x 600.
        for (int code = 1; code <= 4; ++code) {
            w->mnu_Browser[code]->trigger();
            QCOMPARE(state().Browser_Window_Pos, code);
        }
        QCOMPARE(b->frame()->size(), QSize(830, 600));

        // F11 in the window: docked from any other size, then the whole
        // area and docked in turn.
        for (int expected : {2, 1, 2}) {
            QTest::keyClick(b->cbo_Address->lineEdit(), Qt::Key_F11);
            QCOMPARE(state().Browser_Window_Pos, expected);
        }

        w->mnu_Browser[0]->trigger();  // Close Window
        QCOMPARE(state().Browser_Window_Pos, -1);
        QVERIFY(!b->frameVisible());
        w->mnu_Browser[2]->trigger();
        QVERIFY(b->frameVisible());

        // Show Toolbar: the bars go and come back, the page moves up and down.
        const int pageTop = b->brw_Web_Browser->y();
        w->mnu_Browser_Buttons->trigger();
        QVERIFY(!state().Show_Browser_Buttons && b->tb_Address->isHidden() && b->tb_Top->isHidden());
        QVERIFY(b->brw_Web_Browser->y() < pageTop);
        w->mnu_Browser_Buttons->trigger();
        QVERIFY(state().Show_Browser_Buttons && !b->tb_Address->isHidden());
        QCOMPARE(b->brw_Web_Browser->y(), pageTop);

        // Show Access Button: hidden, then shown with the focus.
        w->mnu_Browser_Access->trigger();
        QVERIFY(!state().Show_Access_Button && b->cmd_Access->isHidden());
        w->mnu_Browser_Access->trigger();
        QVERIFY(state().Show_Access_Button && !b->cmd_Access->isHidden());
        QTRY_VERIFY(b->cmd_Access->hasFocus());
        // The access button hands the focus to the page and steps aside.
        b->cmd_Access->click();
        QTRY_VERIFY(b->cmd_Access->isHidden());
        forms::Source()->focusEditor();
        QTRY_VERIFY(!b->cmd_Access->isHidden());
    }

    // A link meant for a new window shows its page in the preview itself,
    // its address in the box.
    void newWindowLinksOpenInThePreview()
    {
        const QString one = path(QStringLiteral("one.html")), two = path(QStringLiteral("two.html"));
        QVERIFY(writeFile(one, "<html><body><a id=l href='two.html' target='_blank'>new</a></body></html>"));
        QVERIFY(writeFile(two, "<html><body>second page</body></html>"));
        b->Navigate(one, WebBrowser::Fresh);
        QVERIFY(loaded(1));
        evaluate(b, QStringLiteral("document.getElementById('l').click()"));
        QVERIFY(loaded(2));
        QCOMPARE(pageText(b), QStringLiteral("second page"));
        QCOMPARE(b->cbo_Address->currentText(), QUrl::fromLocalFile(two).toString());
    }

    // Open Disk File from the menu and with Ctrl+O; Ctrl+S saves the page
    // shown; the toolbar's Stop ends the progress.
    void openDiskFileAndToolbar()
    {

        b->Start_Timer();
        b->topButton(QStringLiteral("Stop"))->trigger();
        QVERIFY(b->prg_Progress_Bar->isHidden() && !b->cmd_Add->isHidden() && !b->tmr_Timer->isActive());

        const QString folder = state().Final_Pages_Folder + QStringLiteral("sub/");
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("disk page.html");
        QVERIFY(writeFile(file, "<html><body>from disk</body></html>"));
        ScriptedDialogs d;
        d.onFile([](const dialogs::FileRequest&) { return dialogs::FileResult{}; });  // cancelled
        d.onFile([&](const dialogs::FileRequest&) { return dialogs::FileResult{file, folder}; });
        d.onFile([](const dialogs::FileRequest&) { return dialogs::FileResult{}; });
        forms::Start()->mnu_Browser_Open_File->trigger();
        // The box names the page shown: still the help page.
        QCOMPARE(b->cbo_Address->currentText(), QUrl::fromLocalFile(state().Help_File).toString());
        forms::Start()->mnu_Browser_Open_File->trigger();
        QVERIFY(loaded(1));
        QCOMPARE(pageText(b), QStringLiteral("from disk"));
        QCOMPARE(b->cbo_Address->currentText(), QUrl::fromLocalFile(file).toString());
        QTest::keyClick(b->cbo_Address->lineEdit(), Qt::Key_O, Qt::ControlModifier);

        const QList<dialogs::FileRequest> asked = d.fileRequests();
        QCOMPARE(asked.size(), 3);
        QCOMPARE(asked[0].folder, state().Final_Pages_Folder);
        QCOMPARE(asked[2].folder, folder);  // where the last one ended

        // Ctrl+S: the page shown saved as a copy.
        const QString copy = path(QStringLiteral("copy.html"));
        d.onFile([&](const dialogs::FileRequest&) { return dialogs::FileResult{copy, path({})}; });
        QTest::keyClick(b->cbo_Address->lineEdit(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(readFile(copy), readFile(file));
        QVERIFY(d.allUsed());
    }
};
TESK_TEST(BrowserWindowTest)

#include "browser_window_test.moc"
