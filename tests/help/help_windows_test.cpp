// The help window and the about box in the running program: opened from the
// Help menu, the help window comes back at its last normal place however it
// was left, its state follows minimising and restoring, and the about box
// closes the same way by every route, and no dialog ends up under the help
// window.

#include "tesk_test.h"
#include "test_support.h"

#include "app/frm_Start.h"
#include "app/startup.h"
#include "browser/frm_Browser.h"
#include "core/shared_state.h"
#include "help/frm_About.h"
#include "help/frm_Help.h"
#include "print/frm_Pg_Setup_Text.h"
#include "print/frm_Print_Plus.h"
#include "ui/tool_window.h"
#include "platform/screen.h"
#include "platform/web_browser.h"
#include "ui/forms.h"

#include <QAction>
#include <QDialog>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>

using namespace tesk::test;

namespace {

constexpr int kTimeout = 60000;

void startProgram(const TempSite& site)
{
    writeFile(site.programFolder() + QStringLiteral("TeskEdit.htm"), "<html><body>Help</body></html>");
    Main(site.programFolder());
}

frm_Help* openHelp()
{
    forms::Start()->mnu_Help_Home->trigger();
    return forms::Help();
}

bool shownNormally(QWidget* w) { return w->isVisible() && w->windowState() == Qt::WindowNoState; }

} // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { resetProgram(); }

    // However it was left (and whether closed or only left minimised), the
    // menu brings it back shown normally at its last normal place; its state
    // follows minimising, not only resizing.
    void helpWindowComesBackWhereItWas_data()
    {
        QTest::addColumn<Qt::WindowState>("leftAs");
        QTest::addColumn<bool>("closed");
        QTest::newRow("closed shown normally") << Qt::WindowNoState << true;
        QTest::newRow("closed maximised") << Qt::WindowMaximized << true;
        QTest::newRow("closed minimised") << Qt::WindowMinimized << true;
        QTest::newRow("minimised, not closed") << Qt::WindowMinimized << false;
    }
    void helpWindowComesBackWhereItWas()
    {
        QFETCH(Qt::WindowState, leftAs);
        QFETCH(bool, closed);
        TempSite site;
        startProgram(site);
        frm_Help* h = openHelp();
        QTRY_COMPARE_WITH_TIMEOUT(h->brw_Web_Browser->locationName(), QStringLiteral("TeskEdit.htm"), kTimeout);
        QCOMPARE(state().Help_Shown, 1);
        const QRect place(40, 50, 420, 380);
        h->setGeometry(place);
        QTRY_COMPARE(h->geometry(), place);

        h->setWindowState(leftAs);
        QTRY_COMPARE(h->windowState(), leftAs);
        QCOMPARE(state().Help_Shown, leftAs == Qt::WindowMinimized ? 0 : 1);
        if (closed) {
            h->close();
            QCOMPARE(state().Help_Shown, -2);
        }
        QCOMPARE(QRect(state().Help_Left, state().Help_Top, state().Help_Width, state().Help_Height), place);

        openHelp();
        QTRY_VERIFY(shownNormally(h));
        QTRY_COMPARE(h->geometry(), place);
        QCOMPARE(state().Help_Shown, 1);
    }

    void aboutBoxClosesByEveryRoute_data()
    {
        QTest::addColumn<QString>("route");
        QTest::newRow("&OK") << "ok";
        QTest::newRow("&X") << "x";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("title bar close") << "frame";
        QTest::newRow("Enter on OK") << "enter";
    }
    void aboutBoxClosesByEveryRoute()
    {
        QFETCH(QString, route);
        TempSite site;
        startProgram(site);
        frm_Browser* browser = forms::Browser();
        QTRY_VERIFY(browser->frameVisible());
        forms::Start()->mnu_Help_About->trigger();
        frm_About* a = forms::About();
        QVERIFY(a->frameVisible());
        QVERIFY(!browser->frameVisible());  // the tool windows make way
        if (route == "ok")
            a->cmd_Ok->click();
        else if (route == "x")
            a->cmd_Close->click();
        else if (route == "esc")
            QTest::keyClick(a->cmd_Ok, Qt::Key_Escape);
        else if (route == "enter")
            QTest::keyClick(a->cmd_Ok, Qt::Key_Return);
        else
            a->frame()->close();
        QVERIFY(!a->frameVisible());
        QVERIFY(browser->frameVisible());  // arranged again
    }

    // The help window stays on top of everything: a dialog opened while it
    // is shown must not end up under it. Whatever the dialog (one inside the
    // main window, or one of its own, as the printer setup), the help
    // window, put over the dialog's corner first, steps aside.
    void dialogsAreNeverUnderTheHelpWindow_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::newRow("About") << "mnu_Help_About";
        QTest::newRow("Page Setup") << "mnu_File_Pg_Setup";
        QTest::newRow("Print Plus") << "mnu_File_Print";
        QTest::newRow("Printer Setup (a window of its own)") << "mnu_File_Prt_Setup";
    }
    void dialogsAreNeverUnderTheHelpWindow()
    {
        QFETCH(QString, menu);
        TempSite site;
        startProgram(site);
        frm_Start* start = forms::Start();
        frm_Help* h = openHelp();
        QTRY_VERIFY(shownNormally(h));
        const QPoint corner = start->frameGeometry().topLeft();
        h->move(corner + QPoint(5, 5));
        QTRY_VERIFY(h->pos() == corner + QPoint(5, 5));
        QRect covered;
        ScriptedDialogs d;
        // The printer setup is the system's dialog: a stand-in of the same
        // kind, shown over the main window, reports what it saw.
        bool asked = false;
        dialogs::Handlers handlers = dialogs::handlers();
        handlers.printer = [&](QPrinter&) {
            asked = true;
            QDialog setup(start);
            setup.resize(420, 320);
            setup.move(start->geometry().topLeft() + QPoint(20, 20));
            setup.show();
            QTest::qWaitFor([&] { return !h->frameGeometry().intersects(setup.frameGeometry()); }, 5000);
            covered = h->frameGeometry().intersected(setup.frameGeometry());
            return false;
        };
        dialogs::setHandlers(handlers);
        start->findChild<QAction*>(menu)->trigger();
        if (menu == "mnu_File_Prt_Setup") {
            QVERIFY(asked);
            QVERIFY(covered.isEmpty());
            return;
        }
        ToolWindow* dialog = menu == "mnu_Help_About" ? static_cast<ToolWindow*>(forms::About())
                             : menu == "mnu_File_Pg_Setup" ? static_cast<ToolWindow*>(forms::Pg_Setup_Text())
                                                             : static_cast<ToolWindow*>(forms::Print_Plus());
        QVERIFY(dialog->frameVisible());
        QMdiSubWindow* f = dialog->frame();
        const auto onScreen = [f] { return QRect(f->mapToGlobal(QPoint(0, 0)), f->size()); };
        QTRY_VERIFY2(!h->frameGeometry().intersects(onScreen()),
                     qPrintable(QStringLiteral("help %1,%2 %3x%4 over the dialog %5,%6 %7x%8")
                                    .arg(h->frameGeometry().x()).arg(h->frameGeometry().y())
                                    .arg(h->frameGeometry().width()).arg(h->frameGeometry().height())
                                    .arg(onScreen().x()).arg(onScreen().y()).arg(onScreen().width())
                                    .arg(onScreen().height())));
        // And the place it went is remembered for the next time.
        QCOMPARE(QPoint(state().Help_Left, state().Help_Top), h->geometry().topLeft());
    }
};

TESK_TEST(HelpWindowsTest)
#include "help_windows_test.moc"
