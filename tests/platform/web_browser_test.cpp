// The web browser control, for what the browser window's tests cannot
// reach: a page process that dies, and the addresses made of what is typed.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/web_browser.h"

#include <QUrl>
#include <QWebEnginePage>

static constexpr int kLoadTimeout = 60000;  // the engine starts slowly on a busy machine

class WebBrowserTest : public QObject {
    Q_OBJECT
private slots:
    // When the page process dies, a message stands in place of the page; the
    // next navigation shows pages again.
    void failureMessage()
    {
        WebBrowser b;
        b.resize(400, 300);
        b.show();
        b.navigate(QStringLiteral("chrome://crash"), WebBrowser::Fresh);
        QTRY_VERIFY_WITH_TIMEOUT(b.showingFailure(), kLoadTimeout);
        QVERIFY(b.failureText().contains(QStringLiteral("cannot be shown")) && !b.busy());
        b.navigate(QStringLiteral("data:text/html,back"), WebBrowser::Fresh);
        QVERIFY(!b.showingFailure());
        const auto text = std::make_shared<QString>();  // the page's text, as the engine last told it
        QTRY_COMPARE_WITH_TIMEOUT((b.page()->runJavaScript("document.body.innerText", [text](const QVariant& v) {
                                      *text = v.toString();
                                  }), *text), QStringLiteral("back"), kLoadTimeout);
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("address");
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
