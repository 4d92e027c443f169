// Where the keyboard focus goes when a window closes: to the editor when it
// shows, else to the next window that can take it, never to a toolbar
// button or nowhere, whatever the window and whichever way it was closed;
// Esc closes every dialog that has an "&X".

#include "tesk_test.h"
#include "source_window_support.h"

#include "browser/frm_Browser.h"
#include "platform/web_browser.h"
#include "ui/tool_window.h"

#include <QAction>
#include <QMdiSubWindow>

using namespace tesk::test;

namespace {

// The window and the named control that hold the focus (the page of a web
// control takes it in an unnamed part of its own).
QString describe(const QWidget* w)
{
    if (!w)
        return QStringLiteral("(nothing)");
    while (w->objectName().isEmpty() && w->parentWidget())
        w = w->parentWidget();
    QString where = w->objectName();
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const ToolWindow*>(p))
            return p->objectName() + '/' + where;
    return "main window/" + where;
}

} // namespace

class WindowFocusTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SourceWindow> f_;

private Q_SLOTS:
    void init()
    {
        resetProgram();
        f_ = std::make_unique<SourceWindow>();
        f_->open("index", "<p>page</p>\r\n");
    }
    void cleanup()
    {
        QVERIFY(f_->dialogs.allUsed());
        f_.reset();
    }

    void closingAWindowGivesTheFocusBack_data()
    {
        QTest::addColumn<bool>("editorShown");
        QTest::addColumn<QString>("menu");     // opens the window
        QTest::addColumn<QString>("window");   // its object name
        QTest::addColumn<QString>("close");    // "Alt+X", "Esc", or a button to click
        QTest::addColumn<QString>("focus");    // where the focus must be then
        const QString editor = "frm_Source/rtf_Source", browser = "frm_Browser/brw_Web_Browser";
        auto row = [&](const char* name, bool shown, const char* menu, const char* window, const char* close,
                       const QString& focus) { QTest::newRow(name) << shown << menu << window << close << focus; };
        row("Images, Alt+X", true, "mnu_Window_Images", "frm_Images", "Alt+X", editor);
        row("Color Selection, Alt+X", true, "mnu_Window_Colors", "frm_Colors", "Alt+X", editor);
        row("Images, its X, no editor", false, "mnu_Window_Images", "frm_Images", "cmd_Close", browser);
        row("Color Selection, the title bar, no editor", false, "mnu_Window_Colors", "frm_Colors", "frame", browser);
        row("Delete Pages, Alt+X", true, "mnu_Source_Delete", "frm_Delete", "Alt+X", editor);
        row("Rename Pages, Alt+X", true, "mnu_Source_Rename", "frm_Rename", "Alt+X", editor);
        row("Delete Pages, Esc, no editor", false, "mnu_Source_Delete", "frm_Delete", "Esc", browser);
        row("Print Plus, Alt+X", true, "mnu_File_Print", "frm_Print_Plus", "Alt+X", editor);
        row("Print Plus, Esc", true, "mnu_File_Print", "frm_Print_Plus", "Esc", editor);
        row("Page Setup, Esc", true, "mnu_File_Pg_Setup", "frm_Pg_Setup_Text", "Esc", editor);
        row("Copy, Esc", true, "mnu_File_Copy", "frm_Copy", "Esc", editor);
        row("Working Folder, Alt+X", true, "mnu_File_Working_Folder", "frm_Working_Folder", "Alt+X", editor);
        row("Options, Esc", true, "mnu_Window_Options", "frm_Options", "Esc", editor);
        row("About, OK", true, "mnu_Help_About", "frm_About", "cmd_Ok", editor);
        row("the Source window itself", true, "", "frm_Source", "cmd_Close", browser);
    }
    void closingAWindowGivesTheFocusBack()
    {
        QFETCH(bool, editorShown);
        QFETCH(QString, menu);
        QFETCH(QString, window);
        QFETCH(QString, close);
        QFETCH(QString, focus);
        frm_Start* start = forms::Start();
        if (!editorShown) {
            f_->w->closeRequested();
            QVERIFY(!f_->w->frameVisible());
        }
        if (!menu.isEmpty())
            start->findChild<QAction*>(menu)->trigger();
        ToolWindow* w = nullptr;
        for (QWidget* top : QApplication::allWidgets())
            if (top->objectName() == window && qobject_cast<ToolWindow*>(top))
                w = static_cast<ToolWindow*>(top);
        QVERIFY(w && w->frameVisible());
        // The user works in the window first: the focus is in it.
        QWidget* inside = nullptr;
        for (QWidget* c : w->findChildren<QWidget*>())
            if (c->isVisible() && c->isEnabled() && (c->focusPolicy() & Qt::TabFocus)) {
                inside = c;
                break;
            }
        QVERIFY(inside);
        inside->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() && w->isAncestorOf(QApplication::focusWidget()));
        inside = QApplication::focusWidget();

        if (close == "Alt+X")
            QTest::keyClick(inside, Qt::Key_X, Qt::AltModifier);
        else if (close == "Esc")
            QTest::keyClick(inside, Qt::Key_Escape);
        else if (close == "frame")
            w->frame()->close();
        else
            QTest::mouseClick(w->findChild<QWidget*>(close), Qt::LeftButton);
        QTRY_VERIFY(!w->frameVisible());
        QTRY_COMPARE(describe(QApplication::focusWidget()), focus);
        // And the keys work at once: Ctrl+F finds in the editor.
        if (editorShown && window != "frm_Source") {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
            QTRY_VERIFY(state().Find_Window_State > 0);
        }
    }
};

TESK_TEST(WindowFocusTest)
#include "window_focus_test.moc"
