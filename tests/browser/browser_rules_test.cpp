// The Browser window's rules that need no window: the address history, the
// page panel after a load, the secure indicator, the progress steps and the
// layout.

#include "tesk_test.h"
#include "logic_support.h"

#include "browser/browser_rules.h"

#include <tuple>

using namespace browser_rules;

class BrowserRulesTest : public QObject {
    Q_OBJECT
private slots:
    void history_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("index");
        // The box holds {"https://b.example/", "http://a.example/"}.
        QTest::newRow("no address") << "" << int(HistoryChoice::Ignore) << -1;
        QTest::newRow("about page") << "about:blank" << int(HistoryChoice::Ignore) << -1;
        QTest::newRow("FILE: is not file:") << "FILE:///x" << int(HistoryChoice::InsertFirst) << 0;
        QTest::newRow("exact match only") << "http://A.example/" << int(HistoryChoice::InsertFirst) << 0;
    }
    void history()
    {
        QFETCH(QString, address);
        QFETCH(int, action);
        QFETCH(int, index);
        const HistoryChoice c = Choose_History(address, {"https://b.example/", "http://a.example/"});
        QCOMPARE(int(c.What), action);
        QCOMPARE(c.Index, index);
    }

    void completedPage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("history");
        QTest::newRow("saved page") << "index.html" << "index.html" << true;
        QTest::newRow("jump within a page") << "index.html#top" << "#top" << true;
        QTest::newRow("first # counts") << "a#b#c" << "#b#c" << true;
        QTest::newRow("web page title") << "Example Domain" << "Example Domain" << true;
    }
    void completedPage()
    {
        QFETCH(QString, name);
        QFETCH(QString, panel);
        QFETCH(bool, history);
        const CompletedPage p = Complete_Page(name, Help_Page_Name(QStringLiteral("/opt/tesk/TeskEdit.htm")));
        QCOMPARE(p.Panel_Text, panel);
        QCOMPARE(p.Add_To_History, history);
    }

    void secureAndProgress()
    {
        QVERIFY(Is_Secure_Address(QStringLiteral("https://x.example/")));
        QVERIFY(Is_Secure_Address(QStringLiteral("HTTPS://x.example/")));
        QVERIFY(!Is_Secure_Address(QStringLiteral("Https://x.example/")));
        QVERIFY(!Is_Secure_Address(QStringLiteral("http://x.example/")));
        QCOMPARE(Next_Progress(80), 90);
        QCOMPARE(Next_Progress(90), 0);  // reaching 100 starts again
    }

    void layout()
    {
        LayoutInput in{9000, 6000, true, 2000, 390, 330, 450, 345};
        Layout l = Compute_Layout(in);
        QVERIFY(l.Laid_Out);
        // The bar: the box at 2820, 120; the Go button keeps the right margin.
        QCOMPARE(l.Bar, QRect(0, 0, 9000, 570));
        QCOMPARE(l.Address, QRect(2820, 120, 5550, 330));
        QCOMPARE(l.Go, QRect(8430, 120, 450, 330));
        QVERIFY(l.Toolbar.right() < l.Address.left());
        // The page just below the bar, the status bar at the bottom.
        QCOMPARE(l.Browser, QRect(60, 570, 8880, 5085));
        QCOMPARE(l.Status, QRect(0, 5655, 9000, 345));

        // Too narrow for an address beside the toolbar: box and button on a
        // row of their own below it, the page below them.
        in.Width = 4500;
        l = Compute_Layout(in);
        QCOMPARE(l.Address, QRect(60, 570, 4500 - 120 - 450 - 60 - 60, 330));
        QCOMPARE(l.Go.top(), 570);
        QCOMPARE(l.Browser.top(), l.Bar.bottom() + 1);
        QVERIFY(l.Toolbar.bottom() < l.Address.top() && l.Address.bottom() < l.Bar.bottom());

        // A narrow bar leaves the box where it is.
        in.Width = 3000;
        l = Compute_Layout(in);
        QVERIFY(l.Laid_Out && !l.Address_Placed);

        // Without the bar the page starts at 60, 60.
        in.Bar_Shown = false;
        l = Compute_Layout(in);
        QVERIFY(l.Bar.isEmpty());
        QCOMPARE(l.Browser.topLeft(), QPoint(60, 60));
        QCOMPARE(l.Browser.bottom(), l.Status.top() - 1);

        // Too low for bar and status: the page gets no height, never less.
        in.Bar_Shown = true;
        in.Height = 600;
        QCOMPARE(Compute_Layout(in).Browser.height(), 0);

        // Nothing is laid out up to 2500 wide or 500 high.
        for (const auto& [width, height, laidOut] : {std::tuple{2500, 4000, false}, {2501, 500, false}, {2501, 501, true}}) {
            in.Width = width;
            in.Height = height;
            QCOMPARE(Compute_Layout(in).Laid_Out, laidOut);
        }
    }
};
TESK_TEST(BrowserRulesTest)

#include "browser_rules_test.moc"
