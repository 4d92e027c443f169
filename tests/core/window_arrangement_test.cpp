// Where the tool windows go: the pure geometry, as tables. All cases use
// 15 twips per pixel and an inner area of 12000 x 9000 twips (808 x 608
// pixels, split limits 638 and 438).

#include "tesk_test.h"

#include "core/shared_state.h"
#include "core/window_arrangement.h"
#include "platform/vb_keys.h"

namespace {

using A = Placement::Action;
using Codes = QList<int>;

// Browser, source, images, colors and tool pane codes, the sliders at 400 and
// 300 pixels (6000 and 4500 twips: the middle of the area).
ArrangeInput input(const Codes& c, bool horizontal = false)
{
    return {.browser = c[0], .source = c[1], .images = c[2], .colors = c[3], .toolPane = c[4],
            .horizontal = horizontal, .sliderHor = 400, .sliderVer = 300, .maxSplitX = 638, .maxSplitY = 438,
            .clientWidth = 12000, .clientHeight = 9000, .colorsSize = QSize(9000, 6600)};
}
const Codes kTwo{2, 2, -2, -2, 0};

} // namespace

class WindowArrangementTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placements_data()
    {
        QTest::addColumn<Codes>("codes");  // browser, source, images, colors, tool pane
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<Codes>("expected");  // source, images, colors, panes shown
        // Browser, source and tool window; an empty rect: not shown.
        QTest::addColumn<QList<QRect>>("rects");
        QTest::newRow("vertical, browser and source") << kTwo << false << Codes{2, -2, -2, 2}
            << QList<QRect>{{60, 60, 5940, 9000}, {6060, 60, 6000, 9000}, {}};
        QTest::newRow("horizontal, browser and source") << kTwo << true << Codes{2, -2, -2, 2}
            << QList<QRect>{{60, 60, 12000, 4440}, {60, 4560, 12000, 4500}, {}};
        QTest::newRow("vertical, three panes") << Codes{2, 2, 3, -2, 1} << false << Codes{3, 3, -2, 3}
            << QList<QRect>{{60, 60, 5940, 9000}, {6060, 60, 6000, 4440}, {6060, 4560, 6000, 4500}};
        QTest::newRow("horizontal, three panes") << Codes{2, 2, 3, -2, 1} << true << Codes{3, 3, -2, 3}
            << QList<QRect>{{60, 60, 12000, 4440}, {60, 4560, 5940, 4500}, {6060, 4560, 6000, 4500}};
        QTest::newRow("source 3 without a tool window falls back to 2") << Codes{2, 3, -2, -2, 0} << false
            << Codes{2, -2, -2, 2} << QList<QRect>{{60, 60, 5940, 9000}, {6060, 60, 6000, 9000}, {}};
        QTest::newRow("source 1 keeps the whole area beside a tool window") << Codes{-2, 1, 2, -2, 1} << false
            << Codes{1, 2, -2, 2} << QList<QRect>{{}, {60, 60, 12000, 9000}, {6060, 60, 6000, 9000}};
        QTest::newRow("images alone fills the area") << Codes{-2, -2, 3, -2, 1} << false << Codes{-2, 1, -2, 1}
            << QList<QRect>{{}, {}, {60, 60, 12000, 9000}};
        QTest::newRow("color selection alone floats centred") << Codes{-2, -2, -2, 2, 2} << false
            << Codes{-2, -2, 1, 1} << QList<QRect>{{}, {}, {1560, 1260, 9000, 6600}};
        QTest::newRow("colors pane closes images") << Codes{2, 2, 3, 3, 2} << false << Codes{3, -1, 3, 3}
            << QList<QRect>{{60, 60, 5940, 9000}, {6060, 60, 6000, 4440}, {6060, 4560, 6000, 4500}};
        QTest::newRow("no tool pane closes both tool windows") << Codes{2, 2, 3, 3, 0} << false
            << Codes{2, -1, -1, 2} << QList<QRect>{{60, 60, 5940, 9000}, {6060, 60, 6000, 9000}, {}};
        QTest::newRow("browser maximised") << Codes{1, -2, -2, -2, 0} << false << Codes{-2, -2, -2, 1}
            << QList<QRect>{{60, 60, 12000, 9000}, {}, {}};
    }
    void placements()
    {
        QFETCH(Codes, codes);
        QFETCH(bool, horizontal);
        QFETCH(QList<QRect>, rects);
        const ArrangeResult r = Compute_Arrangement(input(codes, horizontal));
        QTEST((Codes{r.source, r.images, r.colors, r.panesShown}), "expected");
        const Placement& tool = r.images > 0 ? r.imagesPlace : r.colorsPlace;
        const QList<Placement> places{r.browserPlace, r.sourcePlace, tool};
        for (int i = 0; i < 3; ++i) {
            const bool shown = places[i].action == A::Show;
            QVERIFY2(shown == !rects[i].isNull() && (!shown || places[i].rect == rects[i]),
                     qPrintable(QStringLiteral("window %1").arg(i)));
        }
        QCOMPARE(r.focusBrowser, codes[0] == 1);
    }

    // A tool window beside other windows gets the room its controls need:
    // the splits move toward the other panes, never below their least 170
    // pixels; in a pane of its own only the split beside it moves.
    void toolGetsTheRoomItNeeds_data()
    {
        QTest::addColumn<Codes>("codes");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<QSize>("needs");
        QTest::addColumn<QPoint>("sliders");
        QTest::addColumn<QRect>("tool");
        QTest::newRow("beside the source: both splits move") << Codes{2, 2, 3, -2, 1} << false << QSize(9000, 6000)
                                                             << QPoint(200, 200) << QRect(3060, 3060, 9000, 6000);
        QTest::newRow("Color Selection likewise") << Codes{2, 2, -2, 3, 2} << true << QSize(9000, 6000)
                                                  << QPoint(200, 200) << QRect(3060, 3060, 9000, 6000);
        QTest::newRow("room enough: the splits stay") << Codes{2, 2, 3, -2, 1} << false << QSize(3000, 3000)
                                                      << QPoint(400, 300) << QRect(6060, 4560, 6000, 4500);
        QTest::newRow("more than there is: the others keep their least")
            << Codes{2, 2, 3, -2, 1} << false << QSize(12000, 9000) << QPoint(170, 170) << QRect(2610, 2610, 9450, 6450);
        QTest::newRow("a pane of its own, side by side: the width") << Codes{2, -2, 2, -2, 1} << false
                                                                    << QSize(9000, 20000) << QPoint(200, 300)
                                                                    << QRect(3060, 60, 9000, 9000);
        QTest::newRow("a pane of its own, one above the other: the height") << Codes{2, -2, 2, -2, 1} << true
                                                                            << QSize(20000, 6000) << QPoint(400, 200)
                                                                            << QRect(60, 3060, 12000, 6000);
        QTest::newRow("unknown: nothing moves") << Codes{2, 2, 3, -2, 1} << false << QSize() << QPoint(400, 300)
                                                << QRect(6060, 4560, 6000, 4500);
    }
    void toolGetsTheRoomItNeeds()
    {
        QFETCH(Codes, codes);
        QFETCH(bool, horizontal);
        QFETCH(QSize, needs);
        ArrangeInput in = input(codes, horizontal);
        in.toolNeeds = needs;
        const ArrangeResult r = Compute_Arrangement(in);
        QTEST(QPoint(r.sliderHor, r.sliderVer), "sliders");
        QTEST((r.images > 0 ? r.imagesPlace : r.colorsPlace).rect, "tool");
    }

    void fixedBrowserSizesMoveTheSplits()
    {
        ArrangeInput in = input(kTwo);
        QCOMPARE(Compute_Arrangement(in).splitRatioX, 0.5f);
        QCOMPARE(Compute_Arrangement(in).splitRatioY, 0.5f);
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
        QTest::addColumn<Codes>("codes");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<QPoint>("sliders");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("vertical: only the hor slider") << kTwo << false << QPoint(100, 900) << QPoint(170, 900);
        QTest::newRow("vertical: upper limit") << kTwo << false << QPoint(700, 5) << QPoint(638, 5);
        QTest::newRow("horizontal: only the ver slider") << kTwo << true << QPoint(5, 900) << QPoint(5, 438);
        QTest::newRow("three panes: both") << Codes{2, 2, 3, -2, 1} << false << QPoint(5, 900) << QPoint(170, 438);
        QTest::newRow("two panes of source and tool: none")
            << Codes{-2, 2, 3, -2, 1} << false << QPoint(5, 900) << QPoint(5, 900);
    }
    void splitsStayWithinTheirLimits()
    {
        QFETCH(Codes, codes);
        QFETCH(bool, horizontal);
        QFETCH(QPoint, sliders);
        ArrangeInput in = input(codes, horizontal);
        in.sliderHor = sliders.x();
        in.sliderVer = sliders.y();
        const ArrangeResult r = Compute_Arrangement(in);
        QTEST(QPoint(r.sliderHor, r.sliderVer), "expected");
    }

    void closingWindows()
    {
        ArrangeInput in = input({0, 0, -2, -2, 0});
        in.findState = 1;
        ArrangeResult r = Compute_Arrangement(in);
        QCOMPARE((Codes{r.browser, r.source}), (Codes{-1, -1}));
        QCOMPARE(r.browserPlace.action, A::Hide);
        QCOMPARE(r.sourcePlace.action, A::Hide);
        QCOMPARE(r.findState, 0);  // the search window loses its editor

        // A closed browser is hidden again while any pane is in use, and left
        // alone when none is.
        QCOMPARE(Compute_Arrangement(input({-1, 2, -2, -2, 0})).browserPlace.action, A::Hide);
        r = Compute_Arrangement(input({-1, -1, -2, -2, 0}));
        QCOMPARE(r.browserPlace.action, A::Untouched);
        QCOMPARE(r.sourcePlace.action, A::Untouched);
    }

    void innerGeometry_data()
    {
        QTest::addColumn<QSize>("inner");     // pixels
        QTest::addColumn<QSize>("client");    // twips
        QTest::addColumn<QPoint>("maxSplit");  // pixels
        QTest::newRow("ordinary") << QSize(808, 608) << QSize(12000, 9000) << QPoint(638, 438);
        QTest::newRow("small: the 170 floor") << QSize(300, 250) << QSize(4380, 3630) << QPoint(170, 170);
        QTest::newRow("tiny: the inner size itself") << QSize(150, 100) << QSize(2130, 1380) << QPoint(142, 92);
    }
    void innerGeometry()
    {
        QFETCH(QSize, inner);
        const InnerGeometry g = Compute_Inner_Geometry(inner.width(), inner.height(), 15, 15, 0.25f, 0.5f);
        QTEST(QSize(g.clientWidth, g.clientHeight), "client");
        QTEST(QPoint(g.maxSplitX, g.maxSplitY), "maxSplit");
        QCOMPARE(g.sliderHorMax, inner.width());
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
        QTest::addColumn<QPoint>("sliders");  // hor, ver
        QTest::addColumn<bool>("used");
        QTest::addColumn<QPoint>("expected");
        const int left = vb::Key_Left;
        QTest::newRow("Alt+Left at 10: nothing") << left << Alt << QPoint(10, 50) << true << QPoint(10, 50);
        QTest::newRow("Shift+Alt+Left at 15: 5") << left << ShiftAlt << QPoint(15, 50) << true << QPoint(5, 50);
        QTest::newRow("Alt+Left at 11") << left << Alt << QPoint(11, 50) << true << QPoint(10, 50);
        QTest::newRow("Alt+Right at the limit") << int(vb::Key_Right) << Alt << QPoint(638, 50) << true << QPoint(638, 50);
        QTest::newRow("Alt+Up at 10") << int(vb::Key_Up) << Alt << QPoint(100, 10) << true << QPoint(100, 10);
        QTest::newRow("Ctrl+Left is not a mover") << left << int(vb::CtrlMask) << QPoint(100, 50) << false << QPoint(100, 50);
        QTest::newRow("Alt+Home is not a split key") << int(vb::Key_Home) << Alt << QPoint(100, 50) << false << QPoint(100, 50);
    }
    void splitKeys()
    {
        QFETCH(int, key);
        QFETCH(int, shift);
        QFETCH(QPoint, sliders);
        SharedState s;
        s.Slider_Hor.value = sliders.x();
        s.Slider_Ver.value = sliders.y();
        s.Max_Split_X = 638;
        s.Max_Split_Y = 438;
        QTEST(Move_Split(key, shift, s), "used");
        QTEST(QPoint(s.Slider_Hor.value, s.Slider_Ver.value), "expected");
    }

    void dialogKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("shift");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("screen");
        QTest::addColumn<QPoint>("expected");  // the null point: not a move key
        const QPoint mid(3000, 2000);
        QTest::newRow("Alt+Home: the margin") << int(vb::Key_Home) << Alt << mid << false << QPoint(60, 60);
        QTest::newRow("Shift+Alt+Home: centred") << int(vb::Key_Home) << ShiftAlt << mid << false << QPoint(3000, 2250);
        QTest::newRow("End, inner area") << int(vb::Key_End) << Alt << mid << false << QPoint(5940, 4440);
        QTest::newRow("End, screen") << int(vb::Key_End) << Alt << mid << true << QPoint(5880, 4380);
        QTest::newRow("Left") << int(vb::Key_Left) << Alt << mid << false << QPoint(2850, 2000);
        QTest::newRow("Left stops above 0") << int(vb::Key_Left) << Alt << QPoint(150, 2000) << false << QPoint(150, 2000);
        QTest::newRow("Up") << int(vb::Key_Up) << ShiftAlt << mid << false << QPoint(3000, 1850);
        QTest::newRow("Right stops at the edge") << int(vb::Key_Right) << Alt << QPoint(5900, 0) << false << QPoint(5900, 0);
        QTest::newRow("Down on the screen keeps clear of the edge")
            << int(vb::Key_Down) << Alt << QPoint(0, 4300) << true << QPoint(0, 4300);
        QTest::newRow("Down in the area") << int(vb::Key_Down) << Alt << QPoint(0, 4300) << false << QPoint(0, 4450);
        QTest::newRow("Alt+A passes on") << int(vb::Key_A) << Alt << mid << false << QPoint();
        QTest::newRow("Home without Alt passes on") << int(vb::Key_Home) << 0 << mid << false << QPoint();
    }
    void dialogKeys()
    {
        QFETCH(int, key);
        QFETCH(int, shift);
        QFETCH(QPoint, pos);
        QFETCH(bool, screen);
        QFETCH(QPoint, expected);
        // A 6000 x 4500 dialog in a 12000 x 9000 area.
        const DialogMove m = Move_Dialog(key, shift, pos, QSize(6000, 4500), QSize(12000, 9000),
                                         screen ? 120 : 60, 15, 15, screen);
        QCOMPARE(m.used, !expected.isNull());
        if (m.used)
            QCOMPARE(m.pos, expected);
    }
};
TESK_TEST(KeyboardMoversTest)

#include "window_arrangement_test.moc"
