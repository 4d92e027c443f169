// The web browser control: a page saved again on disk shows its new content
// after a navigate with flags 14; history, names, commands and events.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/web_browser.h"

#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

using tesk::test::writeFile;

namespace {

constexpr int kLoadTimeout = 60000;  // the engine starts slowly on a busy machine

// A shown control that counts the pages it finished loading.
struct Shown {
    WebBrowser b;
    QSignalSpy completed{&b, &WebBrowser::DocumentComplete};
    int loads = 0;

    Shown()
    {
        b.resize(400, 300);
        b.show();
    }
    // Waits until the next page has loaded.
    bool next()
    {
        ++loads;
        return QTest::qWaitFor([&] { return completed.count() >= loads && !b.busy(); }, kLoadTimeout);
    }
    bool go(const QString& address)
    {
        b.navigate(address, WebBrowser::Fresh);
        return next();
    }
    // The page's text, read through the engine.
    QString text()
    {
        auto result = std::make_shared<std::optional<QString>>();
        b.page()->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"),
                                [result](const QVariant& v) { *result = v.toString(); });
        return QTest::qWaitFor([&] { return result->has_value(); }, kLoadTimeout) ? **result : QStringLiteral("<no answer>");
    }
};

QByteArray body(const char* text) { return QByteArray("<html><body>") + text + "</body></html>"; }

} // namespace

class WebBrowserTest : public QObject {
    Q_OBJECT
private slots:
    // The engine draws the page (headless too); a page saved again shows its
    // new content after a refresh (after a navigate with flags 14, and the
    // page commands from the menu: the browser window's tests); the history
    // steps back and forth; home is the page set as home; save as copies the
    // file.
    void navigation()
    {
        tesk::test::TempSite site;
        const QString page = site.path(QStringLiteral("page.htm")), two = site.path(QStringLiteral("two.html"));
        const QString address = QUrl::fromLocalFile(page).toString();
        QVERIFY(writeFile(page, "<html><head><title>One</title></head>"
                                "<body style='background:#ff0000'>first version</body></html>"));
        QVERIFY(writeFile(two, body("2")));
        Shown w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.b));
        QVERIFY(!w.b.back() && !w.b.forward());  // no history: an error result
        QCOMPARE(w.b.locationAddress(), QString());
        QSignalSpy navigated(&w.b, &WebBrowser::NavigateComplete);
        QVERIFY(w.go(page));
        QVERIFY2(!w.b.showingFailure(), qPrintable(w.b.failureText()));
        QCOMPARE(w.text(), QStringLiteral("first version"));
        QCOMPARE(w.b.locationAddress(), address);
        QVERIFY(!navigated.isEmpty());
        QCOMPARE(navigated.last().at(0).toString(), address);
        QTRY_VERIFY_WITH_TIMEOUT(w.b.grab().toImage().pixelColor(200, 150) == QColor(Qt::red), kLoadTimeout);

        QVERIFY(w.go(page));
        QVERIFY(!w.b.back());  // showing the same page again adds no history entry
        // Saved again within the time stamp resolution: only a read from
        // disk can show the change.
        QVERIFY(writeFile(page, body("third version")));
        w.b.refresh();
        QVERIFY(w.next());
        QCOMPARE(w.text(), QStringLiteral("third version"));

        QVERIFY(w.go(QUrl::fromLocalFile(two).toString() + QStringLiteral("#part")));
        QCOMPARE(w.b.locationName(), QStringLiteral("two.html#part"));
        QVERIFY(w.b.back() && w.next());
        QCOMPARE(w.b.locationName(), QStringLiteral("page.htm"));
        QVERIFY(w.b.forward() && w.next());
        QCOMPARE(w.text(), QStringLiteral("2"));
        w.b.setHomePage(page);
        w.b.home();
        QVERIFY(w.next());
        QCOMPARE(w.text(), QStringLiteral("third version"));

        QVERIFY(!w.b.execute(99));
        const QString saved = site.path(QStringLiteral("saved.htm"));
        tesk::test::ScriptedDialogs dlg;
        dlg.onFile([&](const dialogs::FileRequest&) { return dialogs::FileResult{saved, site.path(QString())}; });
        QVERIFY(w.b.execute(WebBrowser::SaveAs));
        QCOMPARE(tesk::test::readFile(saved), body("third version"));
        dlg.onModal([](QDialog&) { return int(QDialog::Rejected); });
        QVERIFY(!w.b.execute(WebBrowser::PageSetup));
    }

    // A link meant for a new window shows its page in the control itself.
    void newWindowLinksOpenHere()
    {
        tesk::test::TempSite site;
        const QString page = site.path(QStringLiteral("page.htm"));
        QVERIFY(writeFile(page, body("<a id=l href='two.html' target='_blank'>new</a>")));
        QVERIFY(writeFile(site.path(QStringLiteral("two.html")), body("second page")));
        Shown w;
        QVERIFY(w.go(page));
        w.b.page()->runJavaScript("document.getElementById('l').click()");
        QVERIFY(w.next());
        QCOMPARE(w.text(), QStringLiteral("second page"));
        QCOMPARE(w.b.locationName(), QStringLiteral("two.html"));
    }

    // When the page process dies, a message stands in place of the page; the
    // next navigation shows pages again.
    void failureMessage()
    {
        tesk::test::TempSite site;
        const QString page = site.path(QStringLiteral("p.htm"));
        QVERIFY(writeFile(page, body("back again")));
        Shown w;
        w.b.navigate(QStringLiteral("chrome://crash"), WebBrowser::Fresh);
        QTRY_VERIFY_WITH_TIMEOUT(w.b.showingFailure(), kLoadTimeout);
        QVERIFY(w.b.failureText().contains(QStringLiteral("cannot be shown")));
        QVERIFY(!w.b.busy());
        w.b.navigate(page, WebBrowser::Fresh);
        QVERIFY(!w.b.showingFailure());
        QTRY_COMPARE_WITH_TIMEOUT(w.text(), QStringLiteral("back again"), kLoadTimeout);
    }

    // The hovered link is the status text; the engine's own widgets inside
    // the control taking the focus count as the control's focus.
    void statusAndFocusEvents()
    {
        QWidget other;
        WebBrowser b;
        QSignalSpy status(&b, &WebBrowser::StatusTextChange);
        emit b.page()->linkHovered(QStringLiteral("https://example.org/"));
        QCOMPARE(status.count(), 1);
        QCOMPARE(status.at(0).at(0).toString(), QStringLiteral("https://example.org/"));
        QSignalSpy got(&b, &WebBrowser::GotFocus), lost(&b, &WebBrowser::LostFocus);
        QWidget* inner = b.view()->focusProxy() ? b.view()->focusProxy() : b.view();
        emit qApp->focusChanged(&other, b.view());
        emit qApp->focusChanged(b.view(), inner);
        QCOMPARE(std::pair(int(got.count()), int(lost.count())), std::pair(1, 0));  // in once, never out
        emit qApp->focusChanged(b.view(), &other);
        QCOMPARE(lost.count(), 1);
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("address");
        QTest::newRow("file path") << "/tmp/a b.htm" << "file:///tmp/a b.htm";
        QTest::newRow("file address") << "file:///tmp/x.htm" << "file:///tmp/x.htm";
        QTest::newRow("web address") << "https://example.org/a?b=c" << "https://example.org/a?b=c";
        QTest::newRow("bare host") << "example.org" << "http://example.org";
        QTest::newRow("empty") << "" << "about:blank";
    }
    void addresses()
    {
        QFETCH(QString, in);
        QFETCH(QString, address);
        QCOMPARE(QUrl(WebBrowser::addressOf(in)), QUrl(address));
    }
};
TESK_TEST(WebBrowserTest)

#include "web_browser_test.moc"
