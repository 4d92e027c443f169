// The Browser window in the running program: the help page at start, the
// address history of pages loaded from a local web server, "Add Address to
// List", saved pages shown fresh from disk with the reader's place kept, and
// the Browser menu commands.

#include "tesk_test.h"
#include "test_support.h"

#include "browser/frm_Browser.h"
#include "core/arrange.h"
#include "core/forms.h"
#include "core/frm_Start.h"
#include "core/shared_state.h"
#include "core/startup.h"
#include "platform/web_browser.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace tesk::test;

namespace {

constexpr int kTimeout = 60000;  // the page engine starts slowly on a busy machine

const QByteArray kHelpPage =
    "<html><head><title>Help</title></head><body><p>Tesk help text</p></body></html>";

// The whole start-up in a throw-away program folder with its own help page,
// then the site of the test as the working folder.
frm_Browser* startProgram(const TempSite& site)
{
    writeFile(site.programFolder() + QStringLiteral("TeskEdit.htm"), kHelpPage);
    Main(site.programFolder());
    site.apply();
    return forms::Browser();
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

// Waits for the count-th completed page since the spy started.
bool loaded(frm_Browser* b, QSignalSpy& completed, int count)
{
    return QTest::qWaitFor([&] { return completed.count() >= count && !b->brw_Web_Browser->busy(); },
                           kTimeout);
}

// A small web server on this machine: every path answers with a page whose
// title and text are the path.
class LocalServer : public QObject {
public:
    LocalServer()
    {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [s] {
                    const QByteArray request = s->peek(s->bytesAvailable());
                    if (!request.contains("\r\n\r\n"))
                        return;
                    const QByteArray path = request.split(' ').value(1);
                    const QByteArray body = "<html><head><title>Page " + path + "</title></head><body>"
                        + path + "</body></html>";
                    s->readAll();
                    s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n"
                             "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    s->disconnectFromHost();
                });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    QString address(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }

private:
    QTcpServer server_;
};

} // namespace

class BrowserWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { resetProgram(); }
    void cleanup() { resetProgram(); }

    // Start-up shows the help page; the menu's copy takes the page's text.
    void startsOnTheHelpPage()
    {
        TempSite site;
        frm_Browser* b = startProgram(site);
        QCOMPARE(b->windowTitle(), QStringLiteral("Browser"));
        QTRY_COMPARE_WITH_TIMEOUT(state().Status_Page_Panel.text(), QStringLiteral("Home Page"), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!b->brw_Web_Browser->busy(), kTimeout);
        QCOMPARE(pageText(b), QStringLiteral("Tesk help text"));
        QCOMPARE(b->brw_Web_Browser->locationName(), QStringLiteral("TeskEdit.htm"));
        // A local file never enters the history; the window is idle.
        QVERIFY(b->addressHistory().isEmpty());
        QVERIFY(!b->cmd_Add->isHidden());
        QVERIFY(b->prg_Progress_Bar->isHidden());
        QVERIFY(!b->tmr_Timer->isActive());

        // Chosen from the menu while the editor has the focus.
        QVERIFY(!b->brw_Web_Browser->view()->hasFocus());
        QApplication::clipboard()->clear();
        forms::Start()->mnu_Browser_All->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::clipboard()->text().trimmed(), QStringLiteral("Tesk help text"),
                                  kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(b->brw_Web_Browser->page()->selectedText(), QString(), kTimeout);
    }

    // Pages from the web enter the history newest first, once each; local
    // files and "about" pages never do.
    void addressHistory()
    {
        TempSite site;
        LocalServer server;
        frm_Browser* b = startProgram(site);
        QTRY_VERIFY_WITH_TIMEOUT(!b->brw_Web_Browser->busy(), kTimeout);
        QSignalSpy completed(b->brw_Web_Browser, &WebBrowser::DocumentComplete);
        const QString one = server.address(QStringLiteral("/one.html"));
        const QString two = server.address(QStringLiteral("/two.html"));

        b->cbo_Address->setEditText(one);
        b->cmd_Go->click();
        QCOMPARE(state().Status_Page_Panel.text(), QStringLiteral("Working..."));
        QVERIFY(b->cmd_Add->isHidden());
        QVERIFY(!b->prg_Progress_Bar->isHidden());
        QVERIFY(loaded(b, completed, 1));
        QCOMPARE(pageText(b), QStringLiteral("/one.html"));
        QCOMPARE(state().Status_Page_Panel.text(), QStringLiteral("Page /one.html"));
        QCOMPARE(b->addressHistory(), QStringList{one});
        QVERIFY(!b->cmd_Add->isHidden());
        QVERIFY(b->prg_Progress_Bar->isHidden());

        b->cbo_Address->setEditText(two);
        QTest::keyClick(b->cbo_Address->lineEdit(), Qt::Key_Return);  // Enter in the box
        QVERIFY(loaded(b, completed, 2));
        QCOMPARE(b->addressHistory(), (QStringList{two, one}));
        QCOMPARE(b->cbo_Address->currentText(), two);

        // The second visit selects the entry it already has.
        b->cbo_Address->setEditText(one);
        b->Start_Browser();
        QVERIFY(loaded(b, completed, 3));
        QCOMPARE(b->addressHistory(), (QStringList{two, one}));
        QCOMPARE(b->cbo_Address->currentIndex(), 1);

        // A local file and an "about" page leave the history as it is.
        const QString page = site.path(QStringLiteral("site/Final-Pages/local.html"));
        QVERIFY(writeFile(page, "<html><body>local</body></html>"));
        b->Navigate(page, WebBrowser::Fresh);
        QVERIFY(loaded(b, completed, 4));
        QCOMPARE(state().Status_Page_Panel.text(), QStringLiteral("local.html"));
        b->Navigate(QStringLiteral("about:blank"), WebBrowser::Fresh);
        QVERIFY(loaded(b, completed, 5));
        QCOMPARE(b->addressHistory(), (QStringList{two, one}));

        // Back and Forward on the toolbar walk the control's history.
        b->topButton(QStringLiteral("Back"))->trigger();
        QVERIFY(loaded(b, completed, 6));
        QCOMPARE(pageText(b), QStringLiteral("local"));
        b->topButton(QStringLiteral("Forward"))->trigger();
        QVERIFY(loaded(b, completed, 7));
        QCOMPARE(b->brw_Web_Browser->locationAddress(), QStringLiteral("about:blank"));
        QTRY_VERIFY_WITH_TIMEOUT(b->prg_Progress_Bar->isHidden() && !b->tmr_Timer->isActive(), kTimeout);
    }

    // Every save shows the page read again from disk, and the reader stays
    // where they were on it, also after following a jump within the page.
    void savedPageShowsFreshAndKeepsThePlace()
    {
        TempSite site;
        frm_Browser* b = startProgram(site);
        QTRY_VERIFY_WITH_TIMEOUT(!b->brw_Web_Browser->busy(), kTimeout);
        QSignalSpy completed(b->brw_Web_Browser, &WebBrowser::DocumentComplete);
        const QString page = state().Final_Pages_Folder + QStringLiteral("long.html");
        // Versions of the same size: only a fresh read from disk shows the change.
        auto version = [&](char n) {
            QByteArray html = "<html><body><p id='first'>version " + QByteArray(1, n) + "</p>";
            for (int i = 0; i < 300; ++i)
                html += "<p" + QByteArray(i == 40 ? " id='mark'" : "") + ">line " + QByteArray::number(i) + "</p>";
            return writeFile(page, html + "</body></html>");
        };
        auto firstLine = [&] { return evaluate(b, "document.getElementById('first').innerText").toString(); };
        auto scrollY = [&] { return evaluate(b, "Math.round(window.scrollY)").toInt(); };
        // A save shows the page; Ctrl+S and "Save and Refresh" refresh it too.
        auto saved = [&](bool refresh) {
            b->Navigate(page, WebBrowser::Fresh);
            if (refresh)
                b->Refresh();
        };

        QVERIFY(version('1'));
        b->Navigate(QUrl::fromLocalFile(page).toString() + QStringLiteral("#mark"), WebBrowser::Fresh);
        QVERIFY(loaded(b, completed, 1));
        QCOMPARE(state().Status_Page_Panel.text(), QStringLiteral("#mark"));
        evaluate(b, QStringLiteral("window.scrollTo(0, 1500)"));
        QTRY_COMPARE_WITH_TIMEOUT(b->brw_Web_Browser->page()->scrollPosition().y(), 1500.0, kTimeout);

        QVERIFY(version('2'));
        saved(false);
        QTRY_COMPARE_WITH_TIMEOUT(firstLine(), QStringLiteral("version 2"), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!b->brw_Web_Browser->busy(), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(scrollY(), 1500, kTimeout);
        QCOMPARE(state().Status_Page_Panel.text(), QStringLiteral("long.html"));

        // Saved again after the reader moved on.
        evaluate(b, QStringLiteral("window.scrollTo(0, 700)"));
        QTRY_COMPARE_WITH_TIMEOUT(b->brw_Web_Browser->page()->scrollPosition().y(), 700.0, kTimeout);
        QVERIFY(version('3'));
        saved(true);
        QTRY_COMPARE_WITH_TIMEOUT(firstLine(), QStringLiteral("version 3"), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!b->brw_Web_Browser->busy(), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(scrollY(), 700, kTimeout);

        // Another page starts at its top.
        b->Navigate(state().Help_File, WebBrowser::Fresh);
        QTRY_COMPARE_WITH_TIMEOUT(pageText(b), QStringLiteral("Tesk help text"), kTimeout);
        QCOMPARE(scrollY(), 0);
    }
};
TESK_TEST(BrowserWindowTest)

#include "browser_window_test.moc"
