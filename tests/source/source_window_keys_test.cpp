// The editor window driven as a user drives it: its keys and buttons, the
// colour boxes and the pop-up menus.

#include "tesk_test.h"
#include "source_window_support.h"

#include "source/tag_bars.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>

using namespace tesk::test;

namespace {

const QString kText = QStringLiteral("<p class=\"x\">Hello</p>\r\nSecond line\r\n");

} // namespace

class SourceKeysTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SourceWindow> f_;
    RichTextBox* box_ = nullptr;
    int hor_ = 0, ver_ = 0;

    // The window as facts: the first line of the text and of the page,
    // selection, focus, the colours at 1, 4, 13, 17 and 18, whether "Hello"
    // is bold, the indents, the colour panel, Source_Changed, the window
    // codes, the splits moved, a menu that popped up, the dialogs offered.
    Facts facts()
    {
        const SharedState& s = state();
        const rtf::Content c = box_->content();
        QStringList colours, indents;
        for (int pos : {1, 4, 13, 17, 18})
            colours << QString::number(Palette_Index(c.colorAt(pos)));
        for (int indent : c.indents)
            indents << QString::number(indent);
        QTextCursor hello(box_->document());
        hello.setPosition(15);
        QString menu;
        for (QMenu* m : {forms::Start()->mnu_Source, forms::Start()->mnu_Source_Keys})
            if (m->isVisible()) {
                menu = m->objectName();
                m->hide();
            }
        const QWidget* focus = QApplication::focusWidget();
        const auto number = [](auto n) { return QString::number(int(n)); };
        return {{"line", box_->Text().section("\r\n", 0, 0)},
                {"page", QString::fromUtf8(f_->page("index.html")).section("\r\n", 0, 0)},
                {"sel", QStringLiteral("%1+%2").arg(box_->SelStart()).arg(box_->SelLength())},
                {"focus", focus ? focus->objectName() : QString()}, {"colours", colours.join(',')},
                {"bold", number(hello.charFormat().fontWeight() == QFont::Bold)}, {"indents", indents.join(',')},
                {"status", s.Status_Color_Panel.text()}, {"changed", number(s.Source_Changed)},
                {"browser", number(s.Browser_Window_Pos)}, {"source", number(s.Source_Window_Pos)},
                {"horizontal", number(s.Arrange_Horizontal)},
                {"split", QStringLiteral("%1,%2").arg(s.Slider_Hor.value - hor_).arg(s.Slider_Ver.value - ver_)},
                {"menu", menu}, {"offered", f_->offered.join(" | ")}};
    }

private Q_SLOTS:
    void init()
    {
        // A plain-text source, black, without indents; "Hello" bold in
        // colour 5, the caret at 2, no changes.
        resetProgram();
        f_ = std::make_unique<SourceWindow>();
        box_ = f_->box;
        f_->open("index", kText, true);
        box_->setSelStart(13);
        box_->setSelLength(5);
        box_->setSelBold(true);
        box_->setSelColor(Palette_Color(5));
        box_->setSelStart(2);
        state().Source_Changed = false;
        hor_ = state().Slider_Hor.value;
        ver_ = state().Slider_Ver.value;
        QVERIFY(box_->hasFocus());
    }
    void cleanup()
    {
        QVERIFY(f_->dialogs.allUsed());
        f_.reset();
    }

    void keysAndButtons_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");  // the facts that changed; "*" any value
        auto row = [](const char* name, const char* steps, const char* changes) {
            QTest::newRow(name) << steps << changes;
        };
        row("Ctrl+0 colour codes", "Ctrl+0", "colours=9,12,0,0,9 changed=1");
        row("the format button colour codes", "cmd_Format", "colours=9,12,0,0,9 status=Blue changed=1");
        row("undoing a tag leaves the caret where the tag was", "16+0; Ctrl+B; Ctrl+Z; type x",
            "line=<p class=\"x\">Helxlo</p> sel=17+0 colours=0,0,5,5,5 status= changed=1");
        row("undoing a button's text too", "16+0; cmd_Button_0; Ctrl+Z; type x",
            "line=<p class=\"x\">Helxlo</p> sel=17+0 colours=0,0,5,5,5 status= changed=1");
        row("Ctrl+= applies the standard format", "Ctrl+=", "bold=0 changed=1");
        row("Enter on the focused format button", "Return on cmd_Format", "colours=9,12,0,0,9 changed=1");
        row("the format button, right click: standard format", "cmd_Format right", "bold=0 status= changed=1");
        row("Ctrl+1 colours black", "13+5; Ctrl+1", "sel=13+0 colours=0,0,0,0,0 changed=1");
        row("Ctrl+Shift+3 colours green, the Shift aside", "13+5; Ctrl+Shift+#",
            "sel=13+0 colours=0,0,2,2,0 status=Green changed=1");
        row("the third colour box", "13+5; pic_Color_2", "sel=13+0 colours=0,0,2,2,0 status=Green changed=1");
        row("Ctrl+] with nothing selected: nothing", "3+0; Ctrl+]", "sel=3+0");
        row("Ctrl+] indents", "3+25; Ctrl+]", "sel=3+0 indents=1080,1080,0 changed=1");
        row("Ctrl+[ removes the indent", "3+25; Ctrl+]; 3+25; Ctrl+[", "sel=3+0 changed=1");
        row("the indent button", "3+25; cmd_Indent", "sel=3+0 indents=1080,1080,0 status= changed=1");
        row("the indent button, right click: removes", "3+25; cmd_Indent; 3+25; cmd_Indent right",
            "sel=3+0 status= changed=1");
        row("Ctrl+Shift+1 is an entity, not a colour", "13+5; Ctrl+Shift+!",
            "line=<p class=\"x\">&iexcl;</p> sel=20+0 colours=0,0,5,5,5 changed=1");
        row("an accent, then a letter: its entity", "13+0; Ctrl+'; type e",
            "line=<p class=\"x\">&eacute;Hello</p> sel=21+0 colours=0,0,0,0,0 bold=0 changed=1");
        row("an accent, then a digit: the digit, the accent dropped", "13+0; Ctrl+'; type 5e",
            "line=<p class=\"x\">5eHello</p> sel=15+0 colours=0,0,0,5,5 bold=0 changed=1");
        const char* saved = "line=<p class=\"x\">Hello</p>X page=<p class=\"x\">Hello</p>X sel=23+0";
        row("Save and Refresh saves", "22+0; type X; cmd_Html", saved);
        row("Ctrl+O on a button: the list", "cancel; Ctrl+O on cmd_Find", "offered=Source_Open 'index' [index]");
        row("Ctrl+Shift+O on a button: the system dialog", "pick; Ctrl+Shift+O on cmd_Find", "offered=file in WP/");
        row("the open button: the list", "cancel; cmd_Open",
            "focus=cmd_Open status= offered=Source_Open 'index' [index]");
        row("the open button, right click: the system dialog", "pick; cmd_Open right",
            "focus=cmd_Open status= offered=file in WP/");
        row("Space on the open button: a left click", "cancel; Space on cmd_Open",
            "offered=Source_Open 'index' [index]");
        row("Alt+Left moves the split", "Alt+Left", "split=-1,0");
        row("Alt+Shift+Up moves the other split", "Alt+Shift+Up", "split=0,-10");
        row("Ctrl+Q hides the browser", "Ctrl+Q", "browser=-1");
        row("Ctrl+Q again shows it", "Ctrl+Q; Ctrl+Q", "");
        row("Ctrl+M: the Source menu", "Ctrl+M", "menu=mnu_Source");
        row("Ctrl+Shift+M: the keys menu", "Ctrl+Shift+M", "menu=mnu_Source_Keys");
        row("right click: the Source menu", "right click", "menu=mnu_Source");
        row("Ctrl+right click: the keys menu", "Ctrl+right click", "menu=mnu_Source_Keys");
        row("Alt+Home: the first button", "Alt+Home", "focus=cmd_Button_0 status=");
        row("the size button: full size", "cmd_Size", "focus=cmd_Size status= source=1");
        row("the size button again: back", "cmd_Size; cmd_Size", "focus=cmd_Size status=");
        row("the horizontal button", "cmd_Hor", "focus=cmd_Hor status= horizontal=1 split=*");
        row("and the vertical one back", "cmd_Hor; cmd_Ver", "focus=cmd_Ver status= split=*");
    }
    void keysAndButtons()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        const Facts before = facts();
        f_->run(steps);
        QCOMPARE(changes(before, facts(), expected), expected);
    }

    // An access key of the focused window comes before the main menu's:
    // Alt+H on the open anchor bar is its "&Here"; elsewhere the Help menu.
    void accessKeysOfTheWindowComeFirst()
    {
        QVERIFY(writeFile(f_->wp("Anchor.lst"), "top\r\n"));
        TagBars* bars = f_->w->tagBars;
        bars->Retrieve_Tag_Lists();
        bars->Select_Tag(3);
        bars->cbo_Tag[3]->setCurrentIndex(1);
        QTRY_VERIFY(bars->cbo_Tag[3]->hasFocus());
        QTest::keyClick(bars->cbo_Tag[3], Qt::Key_H, Qt::AltModifier);
        QCOMPARE(box_->Text().section("\r\n", 0, 0), QStringLiteral("<p<a name=\"top\"></a> class=\"x\">Hello</p>"));
        QMenu* help = forms::Start()->mnu_Help_Menu;
        QTRY_VERIFY(box_->hasFocus() && !help->isVisible());
        QTest::keyClick(box_, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(help->isVisible());
        help->hide();
    }

    // In a tag bar's drop-down list Alt+Down and Alt+Up open and close the
    // list; elsewhere in the window they move the split.
    void dropDownListsKeepAltArrows()
    {
        TagBars* t = f_->w->tagBars;
        t->Select_Tag(2);
        QTest::keyClick(t->cbo_Tag[2], Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(t->cbo_Tag[2]->view()->isVisible());
        QTest::keyClick(t->cbo_Tag[2]->view(), Qt::Key_Up, Qt::AltModifier);
        QTRY_VERIFY(!t->cbo_Tag[2]->view()->isVisible());
        QCOMPARE(state().Slider_Ver.value, ver_);
        QTest::keyClick(t->cmd_Goto[2], Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(state().Slider_Ver.value, ver_ + 1);
    }

    void aChangeMakesThePaginationStale()
    {
        SharedState& s = state();
        // A change makes the pagination of a printed source stale.
        s.Print_Source = 1;
        s.Paginated = 1;
        QTest::keyClicks(box_, "a");
        QCOMPARE(s.Paginated, 0);
    }
};
TESK_TEST(SourceKeysTest)

#include "source_window_keys_test.moc"
