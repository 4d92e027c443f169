// Where the tool windows go: the pure geometry, as tables. All cases use
// 15 twips per pixel and an inner area of 12000 x 9000 twips (808 x 608
// pixels, split limits 638 and 438).

#include "tesk_test.h"

#include "core/shared_state.h"
#include "core/window_arrangement.h"
#include "platform/vb_keys.h"

Q_DECLARE_METATYPE(Placement::Action)

namespace {

ArrangeInput base()
{
    ArrangeInput in;
    in.browser = 2;
    in.source = 2;
    in.images = -2;
    in.colors = -2;
    in.toolPane = 0;
    in.sliderHor = 400;  // 6000 twips
    in.sliderVer = 300;  // 4500 twips
    in.maxSplitX = 638;
    in.maxSplitY = 438;
    in.clientWidth = 12000;
    in.clientHeight = 9000;
    in.colorsSize = QSize(9000, 6600);
    return in;
}

using A = Placement::Action;

} // namespace

class WindowArrangementTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placements_data()
    {
        QTest::addColumn<int>("browser");
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("colors");
        QTest::addColumn<int>("toolPane");
        QTest::addColumn<bool>("horizontal");
        // Expected codes and rectangles (an empty rect: not shown).
        QTest::addColumn<int>("expSource");
        QTest::addColumn<int>("expImages");
        QTest::addColumn<int>("expColors");
        QTest::addColumn<QRect>("browserRect");
        QTest::addColumn<QRect>("sourceRect");
        QTest::addColumn<QRect>("toolRect");
        QTest::addColumn<int>("panes");

        QTest::newRow("vertical, browser and source")
            << 2 << 2 << -2 << -2 << 0 << false << 2 << -2 << -2 << QRect(60, 60, 5940, 9000)
            << QRect(6060, 60, 6000, 9000) << QRect() << 2;
        QTest::newRow("horizontal, browser and source")
            << 2 << 2 << -2 << -2 << 0 << true << 2 << -2 << -2 << QRect(60, 60, 12000, 4440)
            << QRect(60, 4560, 12000, 4500) << QRect() << 2;
        QTest::newRow("vertical, three panes")
            << 2 << 2 << 3 << -2 << 1 << false << 3 << 3 << -2 << QRect(60, 60, 5940, 9000)
            << QRect(6060, 60, 6000, 4440) << QRect(6060, 4560, 6000, 4500) << 3;
        QTest::newRow("horizontal, three panes")
            << 2 << 2 << 3 << -2 << 1 << true << 3 << 3 << -2 << QRect(60, 60, 12000, 4440)
            << QRect(60, 4560, 5940, 4500) << QRect(6060, 4560, 6000, 4500) << 3;
        QTest::newRow("source 3 without a tool window falls back to 2")
            << 2 << 3 << -2 << -2 << 0 << false << 2 << -2 << -2 << QRect(60, 60, 5940, 9000)
            << QRect(6060, 60, 6000, 9000) << QRect() << 2;
        QTest::newRow("source 1 keeps the whole area beside a tool window")
            << -2 << 1 << 2 << -2 << 1 << false << 1 << 2 << -2 << QRect()
            << QRect(60, 60, 12000, 9000) << QRect(6060, 60, 6000, 9000) << 2;
        QTest::newRow("browser and images, second pane whole")
            << 2 << -2 << 2 << -2 << 1 << false << -2 << 2 << -2 << QRect(60, 60, 5940, 9000)
            << QRect() << QRect(6060, 60, 6000, 9000) << 2;
        QTest::newRow("images alone fills the area")
            << -2 << -2 << 3 << -2 << 1 << false << -2 << 1 << -2 << QRect() << QRect()
            << QRect(60, 60, 12000, 9000) << 1;
        QTest::newRow("color selection alone floats centred")
            << -2 << -2 << -2 << 2 << 2 << false << -2 << -2 << 1 << QRect() << QRect()
            << QRect(1560, 1260, 9000, 6600) << 1;
        QTest::newRow("colors pane closes images")
            << 2 << 2 << 3 << 3 << 2 << false << 3 << -1 << 3 << QRect(60, 60, 5940, 9000)
            << QRect(6060, 60, 6000, 4440) << QRect(6060, 4560, 6000, 4500) << 3;
        QTest::newRow("no tool pane closes both tool windows")
            << 2 << 2 << 3 << 3 << 0 << false << 2 << -1 << -1 << QRect(60, 60, 5940, 9000)
            << QRect(6060, 60, 6000, 9000) << QRect() << 2;
        QTest::newRow("browser maximised")
            << 1 << -2 << -2 << -2 << 0 << false << -2 << -2 << -2 << QRect(60, 60, 12000, 9000)
            << QRect() << QRect() << 1;
    }
    void placements()
    {
        ArrangeInput in = base();
        QFETCH(int, browser);
        QFETCH(int, source);
        QFETCH(int, images);
        QFETCH(int, colors);
        QFETCH(int, toolPane);
        QFETCH(bool, horizontal);
        QFETCH(QRect, browserRect);
        QFETCH(QRect, sourceRect);
        QFETCH(QRect, toolRect);
        in.browser = browser;
        in.source = source;
        in.images = images;
        in.colors = colors;
        in.toolPane = toolPane;
        in.horizontal = horizontal;
        const ArrangeResult r = Compute_Arrangement(in);

        QTEST(r.source, "expSource");
        QTEST(r.images, "expImages");
        QTEST(r.colors, "expColors");
        QTEST(r.panesShown, "panes");
        auto check = [](const Placement& p, const QRect& expected) {
            if (expected.isNull())
                return p.action != A::Show;
            return p.action == A::Show && p.rect == expected;
        };
        QVERIFY2(check(r.browserPlace, browserRect), "browser");
        QVERIFY2(check(r.sourcePlace, sourceRect), "source");
        const Placement& tool = r.images > 0 ? r.imagesPlace : r.colorsPlace;
        QVERIFY2(check(tool, toolRect), "tool window");
        QCOMPARE(r.focusBrowser, browser == 1);
    }

    void fixedBrowserSizesMoveTheSplits()
    {
        ArrangeInput in = base();
        in.browser = 3;
        ArrangeResult r = Compute_Arrangement(in);
        QCOMPARE(r.browserPlace.rect, QRect(60, 60, 10050, 7200));
        QCOMPARE(r.sliderHor, 674);
        QCOMPARE(r.sliderVer, 484);
        // The source is placed after the split moved.
        QCOMPARE(r.sourcePlace.rect, QRect(10170, 60, 1890, 9000));

        in.browser = 4;
        r = Compute_Arrangement(in);
        QCOMPARE(r.browserPlace.rect, QRect(60, 60, 12450, 9000));
        QCOMPARE(r.sliderHor, 800);  // the whole client width
        QCOMPARE(r.sliderVer, 600);
    }

    void splitsStayWithinTheirLimits_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("toolPane");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("hor");
        QTest::addColumn<int>("ver");
        QTest::addColumn<int>("expHor");
        QTest::addColumn<int>("expVer");
        QTest::newRow("vertical: only the hor slider") << 2 << -2 << 0 << false << 100 << 900 << 170 << 900;
        QTest::newRow("vertical: upper limit") << 2 << -2 << 0 << false << 700 << 5 << 638 << 5;
        QTest::newRow("horizontal: only the ver slider") << 2 << -2 << 0 << true << 5 << 900 << 5 << 438;
        QTest::newRow("three panes: both") << 2 << 3 << 1 << false << 5 << 900 << 170 << 438;
    }
    void splitsStayWithinTheirLimits()
    {
        ArrangeInput in = base();
        QFETCH(int, source);
        QFETCH(int, images);
        QFETCH(int, toolPane);
        QFETCH(bool, horizontal);
        QFETCH(int, hor);
        QFETCH(int, ver);
        in.source = source;
        in.images = images;
        in.toolPane = toolPane;
        in.horizontal = horizontal;
        in.sliderHor = hor;
        in.sliderVer = ver;
        const ArrangeResult r = Compute_Arrangement(in);
        QTEST(r.sliderHor, "expHor");
        QTEST(r.sliderVer, "expVer");
    }

    void noSplitWithOnePaneOrATwoPaneToolWindow()
    {
        ArrangeInput in = base();
        in.browser = -2;
        in.images = 3;
        in.toolPane = 1;
        in.sliderHor = 5;
        const ArrangeResult r = Compute_Arrangement(in);
        QCOMPARE(r.panesShown, 2);
        QCOMPARE(r.sliderHor, 5);
    }

    void closingWindows()
    {
        ArrangeInput in = base();
        in.browser = 0;
        in.source = 0;
        in.findState = 1;
        ArrangeResult r = Compute_Arrangement(in);
        QCOMPARE(r.browser, -1);
        QCOMPARE(r.source, -1);
        QCOMPARE(r.browserPlace.action, A::Hide);
        QCOMPARE(r.sourcePlace.action, A::Hide);
        QCOMPARE(r.findState, 0);  // the search window loses its editor

        // A closed browser is hidden again while any pane is in use, and left
        // alone when none is.
        in = base();
        in.browser = -1;
        QCOMPARE(Compute_Arrangement(in).browserPlace.action, A::Hide);
        in.source = -1;
        QCOMPARE(Compute_Arrangement(in).browserPlace.action, A::Untouched);
        QCOMPARE(Compute_Arrangement(in).sourcePlace.action, A::Untouched);
    }

    void splitRatiosFollowTheSliders()
    {
        const ArrangeResult r = Compute_Arrangement(base());
        QCOMPARE(r.splitRatioX, 0.5f);
        QCOMPARE(r.splitRatioY, 0.5f);
    }

    void innerGeometry_data()
    {
        QTest::addColumn<int>("wPx");
        QTest::addColumn<int>("hPx");
        QTest::addColumn<int>("clientW");
        QTest::addColumn<int>("clientH");
        QTest::addColumn<int>("maxX");
        QTest::addColumn<int>("maxY");
        QTest::newRow("ordinary") << 808 << 608 << 12000 << 9000 << 638 << 438;
        QTest::newRow("small: the 170 floor") << 300 << 250 << 4380 << 3630 << 170 << 170;
        QTest::newRow("tiny: the inner size itself") << 150 << 100 << 2130 << 1380 << 142 << 92;
    }
    void innerGeometry()
    {
        QFETCH(int, wPx);
        QFETCH(int, hPx);
        const InnerGeometry g = Compute_Inner_Geometry(wPx, hPx, 15, 15, 0.25f, 0.5f);
        QTEST(g.clientWidth, "clientW");
        QTEST(g.clientHeight, "clientH");
        QTEST(g.maxSplitX, "maxX");
        QTEST(g.maxSplitY, "maxY");
        QCOMPARE(g.sliderHorMax, wPx);
        QCOMPARE(g.sliderHor, int(0.25 * (g.clientWidth / 15.0)));
    }
};
TESK_TEST(WindowArrangementTest)

class KeyboardMoversTest : public QObject {
    Q_OBJECT
    static constexpr int Alt = vb::AltMask;
    static constexpr int ShiftAlt = vb::AltMask | vb::ShiftMask;

private Q_SLOTS:
    void splitKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("hor");
        QTest::addColumn<int>("ver");
        QTest::addColumn<bool>("used");
        QTest::addColumn<int>("expHor");
        QTest::addColumn<int>("expVer");
        QTest::newRow("Alt+Left at 10: nothing") << int(vb::Key_Left) << Alt << 10 << 50 << true << 10 << 50;
        QTest::newRow("Shift+Alt+Left at 15: 5") << int(vb::Key_Left) << ShiftAlt << 15 << 50 << true << 5 << 50;
        QTest::newRow("Alt+Left at 11") << int(vb::Key_Left) << Alt << 11 << 50 << true << 10 << 50;
        QTest::newRow("Alt+Right below the limit") << int(vb::Key_Right) << Alt << 100 << 50 << true << 101 << 50;
        QTest::newRow("Alt+Right at the limit") << int(vb::Key_Right) << Alt << 638 << 50 << true << 638 << 50;
        QTest::newRow("Shift+Alt+Down") << int(vb::Key_Down) << ShiftAlt << 100 << 50 << true << 100 << 60;
        QTest::newRow("Alt+Up at 10") << int(vb::Key_Up) << Alt << 100 << 10 << true << 100 << 10;
        QTest::newRow("Ctrl+Left is not a mover") << int(vb::Key_Left) << int(vb::CtrlMask) << 100 << 50 << false << 100 << 50;
        QTest::newRow("Alt+Home is not a split key") << int(vb::Key_Home) << Alt << 100 << 50 << false << 100 << 50;
    }
    void splitKeys()
    {
        QFETCH(int, key);
        QFETCH(int, shift);
        QFETCH(int, hor);
        QFETCH(int, ver);
        SharedState s;
        s.Slider_Hor.value = hor;
        s.Slider_Ver.value = ver;
        s.Max_Split_X = 638;
        s.Max_Split_Y = 438;
        QTEST(Move_Split(key, shift, s), "used");
        QTEST(s.Slider_Hor.value, "expHor");
        QTEST(s.Slider_Ver.value, "expVer");
    }

    void dialogKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("shift");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("screen");
        QTest::addColumn<QPoint>("expected");
        const QPoint mid(3000, 2000);
        QTest::newRow("Alt+Home: the margin") << int(vb::Key_Home) << Alt << mid << false << QPoint(60, 60);
        QTest::newRow("Shift+Alt+Home: centred") << int(vb::Key_Home) << ShiftAlt << mid << false << QPoint(3000, 2250);
        QTest::newRow("End, inner area") << int(vb::Key_End) << Alt << mid << false << QPoint(5940, 4440);
        QTest::newRow("End, screen") << int(vb::Key_End) << Alt << mid << true << QPoint(5880, 4380);
        QTest::newRow("Left") << int(vb::Key_Left) << Alt << mid << false << QPoint(2850, 2000);
        QTest::newRow("Left stops above 0") << int(vb::Key_Left) << Alt << QPoint(150, 2000) << false << QPoint(150, 2000);
        QTest::newRow("Up") << int(vb::Key_Up) << ShiftAlt << mid << false << QPoint(3000, 1850);
        QTest::newRow("Right") << int(vb::Key_Right) << Alt << mid << false << QPoint(3150, 2000);
        QTest::newRow("Right stops at the edge") << int(vb::Key_Right) << Alt << QPoint(5900, 0) << false << QPoint(5900, 0);
        QTest::newRow("Down on the screen keeps clear of the edge")
            << int(vb::Key_Down) << Alt << QPoint(0, 4300) << true << QPoint(0, 4300);
        QTest::newRow("Down in the area") << int(vb::Key_Down) << Alt << QPoint(0, 4300) << false << QPoint(0, 4450);
    }
    void dialogKeys()
    {
        QFETCH(int, key);
        QFETCH(int, shift);
        QFETCH(QPoint, pos);
        QFETCH(bool, screen);
        // A 6000 x 4500 dialog in a 12000 x 9000 area.
        const DialogMove m = Move_Dialog(key, shift, pos, QSize(6000, 4500), QSize(12000, 9000),
                                         screen ? 120 : 60, 15, 15, screen);
        QVERIFY(m.used);
        QTEST(m.pos, "expected");
    }

    void otherKeysPassOn()
    {
        const DialogMove m = Move_Dialog(vb::Key_A, vb::AltMask, QPoint(1, 1), QSize(10, 10),
                                         QSize(100, 100), 60, 15, 15, false);
        QVERIFY(!m.used);
        QVERIFY(!Move_Dialog(vb::Key_Home, 0, QPoint(1, 1), QSize(10, 10), QSize(100, 100), 60, 15, 15,
                             false).used);
    }
};
TESK_TEST(KeyboardMoversTest)

#include "window_arrangement_test.moc"
