// The web browser control: a page saved again on disk shows its new content
// after a navigate with flags 14; history, names, commands and events.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "platform/web_browser.h"

#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

constexpr int kLoadTimeout = 60000;  // the engine starts slowly on a busy machine

// The page's text, read through the engine.
QString pageText(WebBrowser& b)
{
    auto text = std::make_shared<QVariant>();
    auto done = std::make_shared<bool>(false);
    b.page()->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"),
                            [text, done](const QVariant& v) {
                                *text = v;
                                *done = true;
                            });
    if (!QTest::qWaitFor([&] { return *done; }, kLoadTimeout))
        return QStringLiteral("<no answer>");
    return text->toString();
}

bool loaded(WebBrowser& b, QSignalSpy& completed, int count)
{
    return QTest::qWaitFor([&] { return completed.count() >= count && !b.busy(); }, kLoadTimeout);
}

} // namespace

class WebBrowserTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tesk::test::resetProgram(); }

    void rewrittenPageShowsAfterFreshNavigate()
    {
        tesk::test::TempSite site;
        const QString page = site.path(QStringLiteral("page.htm"));
        QVERIFY(tesk::test::writeFile(page, "<html><body>first version</body></html>"));
        WebBrowser b;
        b.resize(400, 300);
        b.show();
        QSignalSpy completed(&b, &WebBrowser::DocumentComplete);
        QSignalSpy navigated(&b, &WebBrowser::NavigateComplete);
        b.navigate(page, WebBrowser::Fresh);
        QVERIFY(loaded(b, completed, 1));
        QVERIFY2(!b.showingFailure(), qPrintable(b.failureText()));
        QCOMPARE(pageText(b), QStringLiteral("first version"));
        QCOMPARE(b.locationName(), QStringLiteral("page.htm"));
        QCOMPARE(b.locationAddress(), QUrl::fromLocalFile(page).toString());
        QVERIFY(!navigated.isEmpty());
        QCOMPARE(navigated.last().at(0).toString(), QUrl::fromLocalFile(page).toString());

        // Saved again with the same size and time stamp resolution: only a
        // read from disk can show the change.
        QVERIFY(tesk::test::writeFile(page, "<html><body>second version</body></html>"));
        b.navigate(page, WebBrowser::Fresh);
        QVERIFY(loaded(b, completed, 2));
        QCOMPARE(pageText(b), QStringLiteral("second version"));
        // Showing the same page again adds no history entry.
        QVERIFY(!b.back());

        QVERIFY(tesk::test::writeFile(page, "<html><body>third version</body></html>"));
        b.refresh();
        QVERIFY(loaded(b, completed, 3));
        QCOMPARE(pageText(b), QStringLiteral("third version"));
    }

    void historyAndHome()
    {
        tesk::test::TempSite site;
        const QString one = site.path(QStringLiteral("one.htm"));
        const QString two = site.path(QStringLiteral("two.html"));
        QVERIFY(tesk::test::writeFile(one, "<html><head><title>One</title></head><body>1</body></html>"));
        QVERIFY(tesk::test::writeFile(two, "<html><body>2</body></html>"));
        WebBrowser b;
        b.show();
        QSignalSpy completed(&b, &WebBrowser::DocumentComplete);
        QVERIFY(!b.back());  // no history: an error result
        QVERIFY(!b.forward());
        QCOMPARE(b.locationAddress(), QString());
        b.navigate(one, WebBrowser::Fresh);
        QVERIFY(loaded(b, completed, 1));
        b.navigate(QUrl::fromLocalFile(two).toString() + QStringLiteral("#part"), WebBrowser::Fresh);
        QVERIFY(loaded(b, completed, 2));
        QCOMPARE(b.locationName(), QStringLiteral("two.html#part"));
        QVERIFY(b.back());
        QVERIFY(loaded(b, completed, 3));
        QCOMPARE(b.locationName(), QStringLiteral("one.htm"));
        QVERIFY(b.forward());
        QVERIFY(loaded(b, completed, 4));
        QCOMPARE(pageText(b), QStringLiteral("2"));

        state().Browser_Home_Page = one;
        b.home();
        QVERIFY(loaded(b, completed, 5));
        QCOMPARE(pageText(b), QStringLiteral("1"));
    }

    void commands()
    {
        tesk::test::TempSite site;
        const QString page = site.path(QStringLiteral("c.htm"));
        QVERIFY(tesk::test::writeFile(page, "<html><body>copy me</body></html>"));
        WebBrowser b;
        b.show();
        QSignalSpy completed(&b, &WebBrowser::DocumentComplete);
        b.navigate(page, WebBrowser::Fresh);
        QVERIFY(loaded(b, completed, 1));
        QVERIFY(b.execute(WebBrowser::SelectAll));
        QTRY_COMPARE_WITH_TIMEOUT(b.page()->selectedText(), QStringLiteral("copy me"), kLoadTimeout);
        QVERIFY(b.execute(WebBrowser::ClearSelection));
        QTRY_COMPARE_WITH_TIMEOUT(b.page()->selectedText(), QString(), kLoadTimeout);
        QVERIFY(b.execute(WebBrowser::Copy));
        QVERIFY(!b.execute(99));

        // Save as: the file as it is on disk, through the scripted dialog.
        const QString saved = site.path(QStringLiteral("saved.htm"));
        tesk::test::ScriptedDialogs dlg;
        dlg.onFile([&](const dialogs::FileRequest& r) {
            return dialogs::FileResult{saved, site.path(QString())};
        });
        QVERIFY(b.execute(WebBrowser::SaveAs));
        QCOMPARE(tesk::test::readFile(saved), QByteArray("<html><body>copy me</body></html>"));
        dlg.onFile([](const dialogs::FileRequest&) { return dialogs::FileResult{}; });
        QVERIFY(!b.execute(WebBrowser::SaveAs));  // cancelled
        dlg.onModal([](QDialog&) { return int(QDialog::Rejected); });
        QVERIFY(!b.execute(WebBrowser::PageSetup));
    }

    // The engine really draws pages here (headless), not only loads them.
    void rendersPixels()
    {
        tesk::test::TempSite site;
        const QString page = site.path(QStringLiteral("red.htm"));
        QVERIFY(tesk::test::writeFile(page, "<html><body style='background:#ff0000'></body></html>"));
        WebBrowser b;
        b.resize(300, 200);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QSignalSpy completed(&b, &WebBrowser::DocumentComplete);
        b.navigate(page, WebBrowser::Fresh);
        QVERIFY(loaded(b, completed, 1));
        QTRY_VERIFY_WITH_TIMEOUT(b.grab().toImage().pixelColor(150, 100) == QColor(Qt::red), kLoadTimeout);
    }

    // When the page process dies, a message stands in place of the page; the
    // next navigation shows pages again.
    void failureMessage()
    {
        tesk::test::TempSite site;
        const QString page = site.path(QStringLiteral("p.htm"));
        QVERIFY(tesk::test::writeFile(page, "<html><body>back again</body></html>"));
        WebBrowser b;
        b.show();
        QSignalSpy completed(&b, &WebBrowser::DocumentComplete);
        b.navigate(QStringLiteral("chrome://crash"), WebBrowser::Fresh);
        QTRY_VERIFY_WITH_TIMEOUT(b.showingFailure(), kLoadTimeout);
        QVERIFY(b.failureText().contains(QStringLiteral("cannot be shown")));
        QVERIFY(!b.busy());
        b.navigate(page, WebBrowser::Fresh);
        QVERIFY(!b.showingFailure());
        QTRY_COMPARE_WITH_TIMEOUT(pageText(b), QStringLiteral("back again"), kLoadTimeout);
    }

    void statusText()
    {
        WebBrowser b;
        QSignalSpy status(&b, &WebBrowser::StatusTextChange);
        emit b.page()->linkHovered(QStringLiteral("https://example.org/"));
        QCOMPARE(status.count(), 1);
        QCOMPARE(status.at(0).at(0).toString(), QStringLiteral("https://example.org/"));
    }

    void focusEvents()
    {
        QWidget other;
        WebBrowser b;
        QSignalSpy got(&b, &WebBrowser::GotFocus);
        QSignalSpy lost(&b, &WebBrowser::LostFocus);
        // The engine's own widgets inside the control take the focus.
        emit qApp->focusChanged(&other, b.view());
        QCOMPARE(got.count(), 1);
        QWidget* inner = b.view()->focusProxy() ? b.view()->focusProxy() : b.view();
        emit qApp->focusChanged(b.view(), inner);
        QCOMPARE(got.count(), 1);
        QCOMPARE(lost.count(), 0);
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
