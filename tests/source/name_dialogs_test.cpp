// The three name dialogs of the editor, shown and driven by keys and clicks:
// their lists, what they return, and the names Save As refuses or asks about.

#include "tesk_test.h"
#include "source_window_support.h"

#include "platform/screen.h"

using namespace tesk::test;

namespace {

enum Kind { Open, SaveAs, Reference };

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
    QString wp() const { return site_->workingFolder() + "Working-Pages/"; }

private Q_SLOTS:
    void init()
    {
        resetProgram();
        site_ = new TempSite;
        site_->apply();
        for (const char* name : {"index.rtf", "page.rtf", "About.rtf", "x.RTF", "New Page", "notes.txt"})
            QVERIFY(writeFile(wp() + QLatin1String(name), "{\\rtf1 }"));
        for (const char* name : {"table.rtf", "form.rtf", "Button.but"})
            QVERIFY(writeFile(site_->programFolder() + "References/" + QLatin1String(name), "{\\rtf1 }"));
    }
    void cleanup()
    {
        resetProgram();
        delete site_;
    }

    // Each dialog lists the sources of its folder (what it preselects: the
    // editor's document tests); a double click, its button or Esc end it (or
    // not). Keys work from the first focus (the list, the name box); Enter
    // presses the focused button, the default one only while none has it.
    void listsChoicesAndCancels_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("current");  // Source_Title, or Reference_Name
        QTest::addColumn<QString>("action");  // "double click <entry>", "Esc", "keys ...", or a button
        QTest::addColumn<bool>("stays");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("chosen");  // Source_Title, the name box, or Reference_Name
        QTest::newRow("open: double click opens") << int(Open) << "page.rtf" << "double click About" << false
                                                  << false << "About";
        QTest::newRow("open: name cut before .rtf, Esc cancels")
            << int(Open) << "index.rtf.bak" << "Esc" << false << true << "index.rtf.bak";
        QTest::newRow("open: nothing selected, the button does nothing")
            << int(Open) << "" << "cmd_Open" << true << true << "";
        QTest::newRow("save as: double click only fills the name")
            << int(SaveAs) << "" << "double click About" << true << true << "About";
        QTest::newRow("reference: double click opens")
            << int(Reference) << "table" << "double click form" << false << false << "form";
        QTest::newRow("open: Down, Enter opens the entry after the current one")
            << int(Open) << "index.rtf" << "keys Down Return" << false << false << "page";
        QTest::newRow("open: Shift+Tab to X, Enter cancels")
            << int(Open) << "index.rtf" << "keys Backtab Return" << false << true << "index.rtf";
        QTest::newRow("save as: Tab twice to X, Enter cancels")
            << int(SaveAs) << "index.rtf" << "keys Tab Tab Return" << false << true << "index";
    }
    void listsChoicesAndCancels()
    {
        QFETCH(int, kind);
        QFETCH(QString, current);
        QFETCH(QString, action);
        QFETCH(bool, stays);
        SharedState& s = state();
        (kind == Reference ? s.Reference_Name : s.Source_Title) = current;
        std::unique_ptr<NameDialog> d;
        if (kind == Open)
            d = std::make_unique<frm_Source_Open>();
        else if (kind == SaveAs)
            d = std::make_unique<frm_Source_Save_As>();
        else
            d = std::make_unique<frm_Ref_Open>();
        auto* list = d->findChild<QListWidget*>();
        const QStringList listed = kind == Reference ? QStringList{"form", "table"} : QStringList{"About", "index", "page"};
        QCOMPARE(entries(list), listed);
        QVERIFY(showActive(*d));
        if (action.startsWith("double click "))
            doubleClick(list, action.mid(13));
        else if (action == "Esc")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else if (action.startsWith("keys "))
            for (const QString& key : action.mid(5).split(' '))
                QTest::keyClick(QApplication::focusWidget(), key == "Backtab" ? Qt::Key_Tab : QKeySequence(key)[0].key(),
                                key == "Backtab" ? Qt::ShiftModifier : Qt::NoModifier);
        else
            d->findChild<QPushButton*>(action)->click();
        QCOMPARE(d->isVisible(), stays);
        QTEST(s.Dialog_Cancelled, "cancelled");
        auto* name = d->findChild<QLineEdit*>();
        QTEST(kind == Open ? s.Source_Title : kind == SaveAs ? name->text() : s.Reference_Name, "chosen");
        if (kind == Open && !s.Dialog_Cancelled)
            QCOMPARE(s.Source_Path, wp() + s.Source_Title + ".rtf");
        if (kind == SaveAs && stays)
            QCOMPARE(QApplication::focusWidget(), name);
    }

    void saveAsByKeys()
    {
        state().Source_Title = "index.rtf";
        frm_Source_Save_As d;
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

    void saveAsRefusesOrAsksAndStaysOpen()
    {
        frm_Source_Save_As d;
        QVERIFY(showActive(d));
        ScriptedDialogs s;
        s.answerNextMessage(dialogs::Answer::Ok);
        d.txt_Save_As->setText("what?");
        d.cmd_Save_As->click();
        QVERIFY(d.isVisible());
        QVERIFY(state().Dialog_Cancelled);
        // "page.rtf" names the listed source "page": No keeps the dialog open
        // with it selected, Yes takes the name.
        s.expectMessage("Replace Existing File?", dialogs::Answer::No);
        d.txt_Save_As->setText("page.rtf");
        d.cmd_Save_As->click();
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

    // (Placed clear of the help window as the folder picker is.)
    void movesWithAltKeys()
    {
        frm_Source_Open d;
        QVERIFY(d.cmd_Open->isDefault());
        QVERIFY(showActive(d));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(d.frameGeometry().topLeft(), QPoint(Px_From_Twips_X(120), Px_From_Twips_Y(120)));
    }
};
TESK_TEST(NameDialogsTest)

#include "name_dialogs_test.moc"
