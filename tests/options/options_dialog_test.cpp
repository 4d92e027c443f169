// The Options dialog driven as a user drives it: what reaches the editor and
// the colour coding, the distances as they are shown and kept, and the ways
// out of the dialog.

#include "tesk_test.h"
#include "test_support.h"

#include "app/arrange.h"
#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "options/frm_Options.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "source/frm_Source.h"
#include "source/live_coloring.h"
#include "source/text_commands.h"
#include "ui/forms.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <memory>

using namespace tesk::test;

class OptionsDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempSite> site_;

    frm_Options* open()
    {
        forms::Start()->mnu_Window_Options->trigger();
        return forms::Options_If_Loaded();
    }
    // The dialog gone and the main window given back.
    static bool closed(frm_Options* d) { return !d->frameVisible() && forms::Start()->topMenusEnabled(); }

private slots:
    void init()
    {
        resetProgram();
        site_ = std::make_unique<TempSite>();
        QVERIFY(site_->ok());
        site_->apply();
        state().Browser_Window_Pos = -2;
        frm_Start* start = forms::Start();
        start->resize(1000, 760);
        start->show();
        start->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(start));
        Adjust_Sliders();
        forms::Source();
    }
    void cleanup()
    {
        resetProgram();
        site_.reset();
    }

    // The editor shows the chosen font and size once the dialog closes.
    void fontAndSizeReachTheEditor()
    {
        frm_Options* d = open();
        QVERIFY(d && d->frameVisible() && !forms::Start()->topMenusEnabled());
        QCOMPARE(QApplication::focusWidget(), d->txt_Home_Page);
        QTest::keyClick(d->txt_Home_Page, Qt::Key_F, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), d->lst_Fonts);
        QCOMPARE(state().Font_Name, QStringLiteral("Arial"));  // the focus alone chooses nothing
        const QList<QListWidgetItem*> other = d->lst_Fonts->findItems(QStringLiteral("*"), Qt::MatchWildcard);
        QVERIFY(!other.isEmpty());
        const QString family = other.last()->text();
        d->lst_Fonts->setCurrentItem(other.last());
        d->lst_Size->setCurrentItem(d->lst_Size->findItems(QStringLiteral("14"), Qt::MatchExactly).value(0));
        QCOMPARE(d->lbl_Example->font().family(), family);
        QTest::mouseClick(d->cmd_Close, Qt::LeftButton);
        QVERIFY(closed(d));
        const QFont shown = forms::Source()->rtf_Source->document()->defaultFont();
        QCOMPARE(shown.family(), family);
        QCOMPARE(shown.pointSize(), 14);
    }

    // Colour 9 applied to Comments with the keys; the source window's box
    // and the colour coding take it. Text/Values keeps its colour.
    void appliedColourColoursComments()
    {
        frm_Options* d = open();
        QTest::keyClick(d->txt_Home_Page, Qt::Key_C, Qt::AltModifier);
        QWidget* colors = QApplication::focusWidget();
        QCOMPARE(colors, d->pic_Color[0]);
        for (Qt::Key k : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
            QTest::keyClick(QApplication::focusWidget(), k);
        QCOMPARE(d->selectedColor(), 9);
        QTest::mouseClick(d->cmd_Color, Qt::LeftButton);  // location 0: Text/Values
        QCOMPARE(state().Code_Color_Numbers[0], 0);
        // Right at the end of a row goes on to the next; Down from the last
        // row stays.
        QTest::mouseClick(d->pic_Color_Loc[1], Qt::LeftButton);
        QTest::keyClick(d->pic_Color_Loc[1], Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(d->selectedLocation(), 2);
        QTest::keyClick(d->pic_Color_Loc[2], Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(d->pic_Color_Loc[2]->palette().color(QPalette::Window), Palette_QColor(9));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(closed(d));

        frm_Source* source = forms::Source();
        QCOMPARE(source->pic_Color[2]->palette().color(QPalette::Window), Palette_QColor(9));
        QCOMPARE(source->pic_Color[2]->toolTip(), QStringLiteral(" Blue "));
        RichTextBox& box = *source->rtf_Source;
        box.setText(QStringLiteral("x<!-- note -->"));
        Color_Code_Source(box);
        box.setSelStart(5);
        box.setSelLength(3);
        QCOMPARE(box.SelColor(), Palette_Color(9));
    }

    // Tabbing through keeps a distance that shows rounded; switching units
    // shows them again; a typed negative distance is stored as none, even
    // when Esc closes the dialog from the field.
    void distances()
    {
        state().Text_Indent = 1000;
        state().Tab_Spacing = 360;
        frm_Options* d = open();
        QTest::keyClick(d->txt_Home_Page, Qt::Key_I, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), d->opt_Inches);
        QTest::keyClick(d->opt_Inches, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(d->txt_Indent->text(), QStringLiteral("5/8\""));
        QTest::keyClick(d->txt_Indent, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d->txt_Tabs);
        QTest::keyClick(d->txt_Tabs, Qt::Key_Tab);
        QCOMPARE(state().Text_Indent, 1000);
        QCOMPARE(state().Tab_Spacing, 360);

        d->opt_Cms->click();
        QCOMPARE(state().Measure_Units, 2);
        QCOMPARE(d->txt_Tabs->text(), QStringLiteral(".6 cm"));
        QCOMPARE(state().Tab_Spacing, 360);

        d->txt_Indent->setFocus();
        d->txt_Indent->selectAll();
        QTest::keyClicks(d->txt_Indent, QStringLiteral("-3"));
        QTest::keyClick(d->txt_Indent, Qt::Key_Escape);
        QVERIFY(closed(d));
        QCOMPARE(state().Text_Indent, 0);
        QCOMPARE(d->txt_Indent->text(), QString());
    }

    // What the settings file cannot keep is refused or left out, and no
    // characters keep the previous bookmark; the frame's close button
    // takes in the field being edited.
    void bookmarkAndHomePage()
    {
        frm_Options* d = open();
        d->txt_Home_Page->selectAll();
        QTest::keyClicks(d->txt_Home_Page, QStringLiteral("http://a.org/\"x\""));
        QCOMPARE(d->txt_Home_Page->text(), QStringLiteral("http://a.org/x"));
        QVERIFY(d->lbl_Focus->text().contains(QLatin1Char('"')));
        QTest::keyClick(d->txt_Home_Page, Qt::Key_B, Qt::AltModifier);
        QCOMPARE(state().Browser_Home_Page, QStringLiteral("http://a.org/x"));
        d->txt_Bookmark->selectAll();
        QTest::keyClick(d->txt_Bookmark, Qt::Key_Delete);
        d->frame()->close();
        QVERIFY(closed(d));
        QCOMPARE(state().Bookmark_Chars, QStringLiteral("~~~"));
        QCOMPARE(d->txt_Bookmark->text(), QStringLiteral("~~~"));
    }

    // Colouring while typing from the keyboard: Alt+G shows the Editing
    // page with the focus on its box, Space turns it off, Alt+Y on again;
    // the editor follows when the dialog closes.
    void colourWhileTypingFromTheKeys()
    {
        state().More.Color_While_Typing = true;
        forms::Source()->Apply_Editing_Options();
        const LiveColoring* live = forms::Source()->liveColors;
        for (const bool on : {false, true}) {
            frm_Options* d = open();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), d->chk_Color_Typing);
            QCOMPARE(d->chk_Color_Typing->isChecked(), !on);
            if (on)
                QTest::keyClick(d->chk_Color_Typing, Qt::Key_Y, Qt::AltModifier);
            else
                QTest::keyClick(d->chk_Color_Typing, Qt::Key_Space);
            QCOMPARE(state().More.Color_While_Typing, on);
            QCOMPARE(live->enabled(), !on);  // in force when the dialog closes
            QTest::keyClick(d->chk_Color_Typing, Qt::Key_Escape);
            QVERIFY(closed(d));
            QCOMPARE(live->enabled(), on);
        }
    }

    // The page's other boxes answer their own letters (a letter shared
    // would only move the focus between them).
    // Each box of the Editing page answers its own Alt key, and no key
    // reaches a box of another page.
    void editingBoxesFromTheKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("box");
        QTest::newRow("Alt+Y") << int(Qt::Key_Y) << "chk_Color_Typing";
        QTest::newRow("Alt+L") << int(Qt::Key_L) << "chk_Line_Numbers";
        QTest::newRow("Alt+U") << int(Qt::Key_U) << "chk_Close_Tags";
        QTest::newRow("Alt+M") << int(Qt::Key_M) << "chk_Complete_Names";
        QTest::newRow("Alt+R") << int(Qt::Key_R) << "chk_Reopen";
        QTest::newRow("Alt+K") << int(Qt::Key_K) << "chk_Match_Tags";
        QTest::newRow("Alt+5") << int(Qt::Key_5) << "chk_Modern_Markup";
        QTest::newRow("Alt+V") << int(Qt::Key_V) << "chk_Spell_Typing";
        QTest::newRow("Alt+Q") << int(Qt::Key_Q) << "chk_Accessibility";
    }
    void editingBoxesFromTheKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, box);
        frm_Options* d = open();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::AltModifier);
        auto* chk = d->findChild<QCheckBox*>(box);
        QVERIFY(chk);
        const bool before = chk->isChecked();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), chk);
        QCOMPARE(chk->isChecked(), !before);
        QTest::keyClick(chk, Qt::Key_Escape);
        QVERIFY(closed(d));
    }
};
TESK_TEST(OptionsDialogTest)

#include "options_dialog_test.moc"
