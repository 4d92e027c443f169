// The three name dialogs of the editor, shown and driven by keys and clicks:
// their lists, what they preselect, what they return, the names Save As
// refuses or asks about, and where they go over the help window.

#include "tesk_test.h"
#include "source_window_support.h"

#include "platform/screen.h"

using namespace tesk::test;

namespace {

bool showActive(QDialog& d)
{
    d.show();
    d.activateWindow();
    return QTest::qWaitForWindowActive(&d);
}

void doubleClick(QListWidget* list, const QString& entry)
{
    const QPoint at = list->visualItemRect(list->findItems(entry, Qt::MatchExactly).first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class NameDialogsTest : public QObject {
    Q_OBJECT

private:
    TempSite* site_ = nullptr;

private Q_SLOTS:
    void init()
    {
        resetProgram();
        site_ = new TempSite;
        site_->apply();
        for (const char* name : {"index.rtf", "page.rtf", "About.rtf", "x.RTF", "New Page", "notes.txt"})
            QVERIFY(writeFile(workingPages(*site_) + QLatin1String(name), "{\\rtf1 }"));
    }
    void cleanup()
    {
        resetProgram();
        delete site_;
    }

    void captions()
    {
        frm_Source_Open o;
        QCOMPARE(o.windowTitle(), QStringLiteral("Open Source File"));
        QCOMPARE(o.lbl_Files->text(), QStringLiteral("Current Files: (double click opens file.)"));
        QCOMPARE(o.cmd_Open->text(), QStringLiteral("&Open File"));
        QCOMPARE(o.cmd_Cancel->text(), QStringLiteral("&X"));
        QVERIFY(o.cmd_Open->isDefault());
        frm_Source_Save_As s;
        QCOMPARE(s.windowTitle(), QStringLiteral("Save Source File"));
        QCOMPARE(s.lbl_Name->text(), QStringLiteral("Filename:"));
        QCOMPARE(s.lbl_Files->text(), QStringLiteral("Current Files: (double click to select existing file.)"));
        QCOMPARE(s.cmd_Save_As->text(), QStringLiteral("&Save File"));
        frm_Ref_Open r;
        QCOMPARE(r.windowTitle(), QStringLiteral("Open Reference File"));
        QCOMPARE(r.lbl_Files->text(), QStringLiteral("Select a File (double click opens file.):"));
        QCOMPARE(r.cmd_Open->text(), QStringLiteral("&Open"));
    }

    void openListsTheSourcesAndSelectsTheCurrentOne_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("preselected");
        QTest::newRow("current source") << "page.rtf" << "page";
        QTest::newRow("name cut before .rtf") << "index.rtf.bak" << "index";
        QTest::newRow("new page") << "" << "";
    }
    void openListsTheSourcesAndSelectsTheCurrentOne()
    {
        QFETCH(QString, title);
        state().Source_Title = title;
        frm_Source_Open d;
        QCOMPARE(entries(d.lst_Html_Pages), (QStringList{"About", "index", "page"}));
        QTEST(selected(d.lst_Html_Pages), "preselected");
    }

    void openNeedsASelectedEntryAndEscapeCancels()
    {
        state().Source_Title.clear();
        frm_Source_Open d;
        QVERIFY(showActive(d));
        d.cmd_Open->click();
        QVERIFY(d.isVisible());
        QVERIFY(state().Dialog_Cancelled);
        doubleClick(d.lst_Html_Pages, "About");
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!state().Dialog_Cancelled);
        QCOMPARE(state().Source_Title, QStringLiteral("About"));
        QCOMPARE(state().Source_Path, workingPages(*site_) + "About.rtf");

        frm_Source_Open again;
        QVERIFY(showActive(again));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QVERIFY(state().Dialog_Cancelled);
        QCOMPARE(state().Source_Title, QStringLiteral("About"));
    }

    void saveAsByKeys()
    {
        state().Source_Title = "index.rtf";
        frm_Source_Save_As d;
        QCOMPARE(selected(d.lst_Html_Pages), QStringLiteral("index"));
        QVERIFY(showActive(d));
        QCOMPARE(QApplication::focusWidget(), d.txt_Save_As);
        QApplication::processEvents();
        QCOMPARE(d.txt_Save_As->selectedText(), QStringLiteral("index"));
        // Typing replaces the whole name; Enter goes to the button, a second
        // Enter presses it.
        QTest::keyClicks(d.txt_Save_As, "contact");
        QTest::keyClick(d.txt_Save_As, Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(QApplication::focusWidget(), d.cmd_Save_As);
        QTest::keyClick(d.cmd_Save_As, Qt::Key_Return);
        QVERIFY(!d.isVisible());
        QVERIFY(!state().Dialog_Cancelled);
        QCOMPARE(state().Source_Title, QStringLiteral("contact"));
    }

    void saveAsDoubleClickOnlyFillsTheNameAndXCancels()
    {
        state().Source_Title.clear();
        frm_Source_Save_As d;
        QCOMPARE(d.txt_Save_As->text(), QString());
        QVERIFY(showActive(d));
        doubleClick(d.lst_Html_Pages, "About");
        QVERIFY(d.isVisible());
        QCOMPARE(d.txt_Save_As->text(), QStringLiteral("About"));
        QCOMPARE(QApplication::focusWidget(), d.txt_Save_As);
        d.cmd_Cancel->click();
        QVERIFY(!d.isVisible());
        QVERIFY(state().Dialog_Cancelled);
    }

    void saveAsRefusesOrAsksAndStaysOpen()
    {
        state().Source_Title.clear();
        frm_Source_Save_As d;
        QVERIFY(showActive(d));
        ScriptedDialogs s;
        s.answerNextMessage(dialogs::Answer::Ok);
        d.txt_Save_As->setText("what?");
        d.cmd_Save_As->click();
        QCOMPARE(s.messages().last().title, QStringLiteral("TWE - File Name"));
        QVERIFY(d.isVisible());
        QVERIFY(state().Dialog_Cancelled);
        // "page.rtf" names the listed source "page": No keeps the dialog open
        // with it selected, Yes takes the name.
        s.expectMessage("Replace Existing File?", dialogs::Answer::No);
        d.txt_Save_As->setText("page.rtf");
        d.cmd_Save_As->click();
        QCOMPARE(s.messages().last().title, QStringLiteral("File Exists"));
        QCOMPARE(s.messages().last().icon, dialogs::Icon::Exclamation);
        QVERIFY(d.isVisible());
        QCOMPARE(selected(d.lst_Html_Pages), QStringLiteral("page"));
        QCOMPARE(QApplication::focusWidget(), d.txt_Save_As);
        QVERIFY(state().Source_Title.isEmpty());
        s.answerNextMessage(dialogs::Answer::Yes);
        d.cmd_Save_As->click();
        QVERIFY(s.allUsed());
        QVERIFY(!d.isVisible());
        QCOMPARE(state().Source_Title, QStringLiteral("page.rtf"));
    }

    void referenceListPreselectsTheLastChoice()
    {
        const QString ref = site_->programFolder() + "References/";
        for (const char* name : {"table.rtf", "form.rtf", "Button.but"})
            QVERIFY(writeFile(ref + QLatin1String(name), "{\\rtf1 }"));
        state().Reference_Name = "table";
        frm_Ref_Open d;
        QCOMPARE(entries(d.lst_Ref_Pages), (QStringList{"form", "table"}));
        QCOMPARE(selected(d.lst_Ref_Pages), QStringLiteral("table"));
        QVERIFY(showActive(d));
        doubleClick(d.lst_Ref_Pages, "form");
        QVERIFY(!d.isVisible());
        QCOMPARE(state().Reference_Name, QStringLiteral("form"));
        QVERIFY(!state().Dialog_Cancelled);
    }

    void keepsClearOfTheHelpWindowAndMovesWithAltKeys()
    {
        SharedState& s = state();
        s.Help_Shown = 1;
        s.Help_Left = 10;
        s.Help_Top = 500;
        frm_Source_Open d;
        QVERIFY(showActive(d));
        QCOMPARE(s.Help_Left, Px_From_Twips_X(1000));
        QCOMPARE(d.pos(), QPoint(Px_From_Twips_X(60), Px_From_Twips_Y(850)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(d.frameGeometry().topLeft(), QPoint(Px_From_Twips_X(120), Px_From_Twips_Y(120)));
    }
};
TESK_TEST(NameDialogsTest)

#include "name_dialogs_test.moc"
