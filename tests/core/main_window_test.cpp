// The main window: its menus, the menu rules, the dialog manner, placement
// of the tool windows, and the window's remembered location.

#include "tesk_test.h"
#include "test_support.h"

#include "browser/frm_Browser.h"
#include "app/arrange.h"
#include "ui/forms.h"
#include "app/frm_Start.h"
#include "core/settings_file.h"
#include "core/shared_state.h"
#include "app/startup.h"
#include "ui/tool_window.h"
#include "platform/file_system.h"
#include "source/frm_Source.h"
#include "tags/frm_Colors.h"
#include "tags/frm_Images.h"

#include <QDialog>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QTest>

#include <memory>

using namespace tesk::test;

namespace {

// The whole start-up in the program folder of site.
void startProgram(const TempSite& site)
{
    Main(site.programFolder());
    QApplication::processEvents();
}

class TestDialog : public ToolWindow {
public:
    TestDialog() : ToolWindow(QStringLiteral("Test Dialog"))
    {
        resize(300, 200);
        setMover(Mover::InnerArea);
    }
    void closeRequested() override { Close_Dialog(this); }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempSite> site_;

private Q_SLOTS:
    // A throw-away program folder each time, the program not yet started.
    void init()
    {
        resetProgram();
        site_ = std::make_unique<TempSite>();
    }
    void cleanup()
    {
        resetProgram();
        site_.reset();
    }

    void startUpPlacesBrowserLeftAndSourceRight()
    {
        startProgram(*site_);
        frm_Start* w = forms::Start_If_Loaded();
        QVERIFY(w && w->isVisible());
        frm_Browser* b = forms::Browser_If_Loaded();
        frm_Source* s = forms::Source_If_Loaded();
        QVERIFY(b && s && b->frameVisible() && s->frameVisible());
        QVERIFY(b->frame()->geometry().right() < s->frame()->geometry().left());

        // Moving the slider moves the split.
        const int before = b->frame()->width();
        w->sld_Hor->setValue(w->sld_Hor->value() - 100);
        QCOMPARE(b->frame()->width(), before - 100);

        // Exit writes the settings beside the program.
        w->mnu_File_Exit->trigger();
        const QStringList lines = fs::splitLines(fs::decodeText(
            readFile(site_->programFolder() + QStringLiteral("Tesk Web Editor.ini"))));
        QCOMPARE(lines[1], QLatin1Char('"') + site_->programFolder() + QLatin1Char('"'));
    }

    // A stored horizontal arrangement stacks the windows; the stored location
    // is applied at the first normal-state resize, and later moves recorded.
    void storedSettingsAreAppliedThenRecorded()
    {
        SharedState stored;
        stored.Program_Folder = site_->programFolder();
        stored.Arrange_Horizontal = true;
        stored.Use_XHTML = true;
        stored.Show_Access_Button = false;
        stored.Normal_Left = 300; stored.Normal_Top = 200; stored.Normal_Width = 10000; stored.Normal_Height = 9000;
        Write_Settings_File(stored);
        startProgram(*site_);
        frm_Start* w = forms::Start();
        const QRect b = forms::Browser()->frame()->geometry();
        const QRect s = forms::Source()->frame()->geometry();
        QVERIFY(b.bottom() < s.top());
        QVERIFY(w->mnu_Source_Xhtml->isChecked() && !w->mnu_Browser_Access->isChecked());

        QCOMPARE(QRect(w->pos(), w->size()), QRect(20, 13, 667, 600));
        QVERIFY(state().Normal_Location_Set);
        w->move(40, 60);
        QCOMPARE(QPoint(state().Normal_Left, state().Normal_Top), QPoint(600, 900));
        w->resize(800, 700);
        QCOMPARE(QSize(state().Normal_Width, state().Normal_Height), QSize(12000, 10500));
    }

    // Whatever the settings file says, the window comes up on the screen's
    // free area, no smaller than its minimum; with the editor window closed,
    // the document commands wait for a document.
    void storedPlaceStaysOnTheScreen_data()
    {
        // Left, top, width, height in twips (a QRect could not hold the first row).
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("largest numbers") << QList<int>{2147483647, 2147483647, 2147483647, 2147483647};
        QTest::newRow("most negative, far right, tiny") << QList<int>{-2147483647, 600000, 15, 15};
    }
    void storedPlaceStaysOnTheScreen()
    {
        QFETCH(QList<int>, stored);
        SharedState s;
        s.Program_Folder = site_->programFolder();
        s.Normal_Left = stored[0]; s.Normal_Top = stored[1];
        s.Normal_Width = stored[2]; s.Normal_Height = stored[3];
        s.Source_Window_Pos = -2;
        Write_Settings_File(s);
        startProgram(*site_);
        frm_Start* w = forms::Start();
        QVERIFY(w->screen()->availableGeometry().contains(w->frameGeometry()) && w->size() == w->size().expandedTo(w->minimumSize()));
        for (QAction* a : {w->mnu_Source_Save, w->mnu_Source_Save_As, w->mnu_Source_New,
                           w->mnu_Source_Keys->menuAction(), w->mnu_Source_Print, w->mnu_Source_Preview})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    }

    void editKeysNeedTheSourceWindow()
    {
        frm_Start* w = forms::Start();
        state().Source_Window_Pos = -2;
        for (QAction* a : {w->mnu_Source_Cut, w->mnu_Source_Copy, w->mnu_Source_Paste, w->mnu_Source_All,
                           w->mnu_Source_Find, w->mnu_Source_Color, w->mnu_Source_Format,
                           w->mnu_Source_Indent, w->mnu_Source_NoIndent})
            a->trigger();
        QVERIFY(!forms::Source_If_Loaded());
        QCOMPARE(state().Source_Window_Pos, -2);

        // "opens Source" commands place the window first.
        ScriptedDialogs d;
        d.onModal([](QDialog&) { return int(QDialog::Rejected); });
        w->mnu_Source_Open_Plus->trigger();
        QCOMPARE(state().Source_Window_Pos, 1);
        QVERIFY(forms::Source_If_Loaded());
    }

    void windowMenuCommands()
    {
        startProgram(*site_);
        frm_Start* w = forms::Start();
        const SharedState& s = state();
        w->mnu_Window_Images->trigger();
        QCOMPARE((QList<int>{s.Tool_Pane_Window, s.Image_Window_Pos, s.Source_Window_Pos}), (QList<int>{1, 3, 3}));
        QVERIFY(forms::Images()->frameVisible());
        w->mnu_Window_Colors->trigger();  // one tool window at a time
        QCOMPARE((QList<int>{s.Image_Window_Pos, s.Color_Window_Pos}), (QList<int>{-1, 3}));
        QVERIFY(!forms::Images()->frameVisible());

        w->mnu_Window_Hor->trigger();
        QVERIFY(s.Arrange_Horizontal);
        w->mnu_Window_Ver->trigger();
        QVERIFY(!s.Arrange_Horizontal);
        w->mnu_Source_Xhtml->trigger();
        QVERIFY(s.Use_XHTML && w->mnu_Source_Xhtml->isChecked());

        w->mnu_Window_Clear->trigger();
        QCOMPARE((QList<int>{s.Browser_Window_Pos, s.Source_Window_Pos, s.Color_Window_Pos, s.Tool_Pane_Window}),
                 (QList<int>{-1, -1, -1, 0}));
        w->mnu_Window_Source->trigger();
        QCOMPARE(s.Source_Window_Pos, 2);

        // Open Disk File brings a closed browser back docked beside the
        // source window, or over the whole area when it is alone (the file
        // dialog is cancelled both times).
        ScriptedDialogs d;
        for (int i = 0; i < 2; ++i)
            d.onFile([](const dialogs::FileRequest&) { return dialogs::FileResult{}; });
        w->mnu_Browser_Open_File->trigger();
        QCOMPARE(s.Browser_Window_Pos, 2);
        w->mnu_Browser[0]->trigger();  // Close Window
        w->mnu_Window_Clear->trigger();
        w->mnu_Browser_Open_File->trigger();
        QCOMPARE(s.Browser_Window_Pos, 1);
        QVERIFY(d.allUsed());
    }

    void maximiseTogglesTheSlotCode()
    {
        startProgram(*site_);
        frm_Source* s = forms::Source();
        s->frame()->showMaximized();
        QTRY_COMPARE(state().Source_Window_Pos, 1);
        s->frame()->showMaximized();
        QTRY_COMPARE(state().Source_Window_Pos, 2);

        // The title bar's close button is the window's own close.
        s->frame()->close();
        QCOMPARE(state().Source_Window_Pos, -1);
        QVERIFY(!s->frameVisible());
    }

    // One click on a tool window's close button (the same for every tool
    // window) closes it, whichever window was active before, also when the
    // window came up under a pointer that has not moved since.
    void oneClickOnTheCloseButton_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("colours, the editor active") << "colors";
        QTest::newRow("colours, itself active") << "colors active";
        QTest::newRow("colours alone, the free window") << "colors alone active";
    }
    void oneClickOnTheCloseButton()
    {
        QFETCH(QString, window);
        startProgram(*site_);
        frm_Start* w = forms::Start();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        if (window.contains("alone"))
            w->mnu_Window_Clear->trigger();
        w->mnu_Window_Colors->trigger();
        ToolWindow* tool = forms::Colors();
        window.endsWith("active") ? tool->setFocus() : forms::Source()->rtf_Source->setFocus();
        QApplication::processEvents();
        QMdiSubWindow* f = tool->frame();
        QStyleOptionTitleBar bar;
        bar.initFrom(f);
        bar.titleBarFlags = f->windowFlags();
        bar.rect = QRect(0, 0, f->width(), f->style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, f));
        const QRect close = f->style()->subControlRect(QStyle::CC_TitleBar, &bar, QStyle::SC_TitleBarCloseButton, f);
        QTest::mouseClick(f, Qt::LeftButton, {}, close.center());
        QTRY_VERIFY(!tool->frameVisible());
        QCOMPARE(state().Tool_Pane_Window, 0);
    }

    void dialogMannerTakesOverAndGivesBack()
    {
        startProgram(*site_);
        frm_Start* w = forms::Start();
        auto* dlg = new TestDialog;
        forms::Track(dlg);
        Show_Dialog(dlg);
        QVERIFY(!w->topMenusEnabled());
        QVERIFY(!w->mnu_Help_Menu->menuAction()->isEnabled());
        QVERIFY(!forms::Browser()->frameVisible());
        QVERIFY(!forms::Source()->frameVisible());

        // While it is open nothing is arranged.
        state().Browser_Window_Pos = 0;
        Arrange_Windows();
        QCOMPARE(state().Browser_Window_Pos, 0);

        // Alt keys move it inside the main window.
        QTest::keyClick(dlg, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(dlg->frame()->pos(), QPoint(14, 4));

        dlg->frame()->close();
        QVERIFY(w->topMenusEnabled());
        QCOMPARE(state().Browser_Window_Pos, -1);  // arranged on close
        QVERIFY(forms::Source()->frameVisible());
        QVERIFY(!dlg->frameVisible());
    }

    void minimisingEndsAPageDialog()
    {
        startProgram(*site_);
        state().Page_Dialog = 1;
        Save_Layout();
        QVERIFY(!forms::Start()->topMenusEnabled());
        forms::Start()->showMinimized();
        QTRY_COMPARE(state().Page_Dialog, 0);
        QVERIFY(forms::Start()->topMenusEnabled());
        QCOMPARE(state().Source_Window_Pos, 2);
    }
};
TESK_TEST(MainWindowTest)

#include "main_window_test.moc"
