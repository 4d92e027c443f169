// The web browser control: a page saved again on disk shows its new content
// after a navigate with flags 14; history, names, commands and events.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/web_browser.h"

#include <QSignalSpy>
#include <QUrl>
#include <QWebEnginePage>

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
    // The engine draws the page (headless too); the history steps back and
    // forth. (A page saved again shown fresh, the home page, save as and the
    // focus: the browser window's tests.)
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
        QSignalSpy navigated(&w.b, &WebBrowser::NavigateComplete);
        QVERIFY(w.go(page));
        QCOMPARE(w.text(), QStringLiteral("first version"));
        QCOMPARE(navigated.last().at(0).toString(), address);
        QTRY_VERIFY_WITH_TIMEOUT(w.b.grab().toImage().pixelColor(200, 150) == QColor(Qt::red), kLoadTimeout);

        QVERIFY(w.go(page));
        QVERIFY(!w.b.back());  // showing the same page again adds no history entry
        QVERIFY(w.go(QUrl::fromLocalFile(two).toString() + QStringLiteral("#part")));
        QCOMPARE(w.b.locationName(), QStringLiteral("two.html#part"));
        QVERIFY(w.b.back() && w.next());
        QCOMPARE(w.b.locationName(), QStringLiteral("page.htm"));
        QVERIFY(w.b.forward() && w.next());
        QCOMPARE(w.text(), QStringLiteral("2"));
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
