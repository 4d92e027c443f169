// The web browser control, for what the browser window's tests cannot
// reach: a page process that dies, and the addresses made of what is typed.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/web_browser.h"

#include <QUrl>
#include <QWebEnginePage>

using tesk::test::writeFile;

namespace {

constexpr int kLoadTimeout = 60000;  // the engine starts slowly on a busy machine

// A shown control.
struct Shown {
    WebBrowser b;

    Shown()
    {
        b.resize(400, 300);
        b.show();
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
