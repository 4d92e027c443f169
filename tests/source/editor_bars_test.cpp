// The editor's tag bars and button bar, beside an editor in an active
// window: filling the lists, inserting from them, new entries, target names,
// the width rules, the Tab order, and the button file's rules.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "source/button_bar.h"
#include "source/tag_bars.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

#include <sys/stat.h>

using namespace tesk::test;

namespace {

// The tag bars above an editor, the button bar on its left, in an active
// window, on a laid-out site.
struct Editor_With_Bars {
    TempSite site;
    QWidget window;
    TagBars* tags = new TagBars(&window);
    ButtonBar* bar = new ButtonBar(&window);
    RichTextBox* rtf = new RichTextBox(&window);

    Editor_With_Bars()
    {
        site.apply();
        tags->setEditor(rtf);
        bar->setEditor(rtf);
        tags->setGeometry(10, 10, 780, tags->sizeHint().height());
        bar->setGeometry(0, 60, 100, 520);
        rtf->setGeometry(110, 60, 680, 400);
        window.resize(800, 600);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);  // the focus checks fail if it never comes
    }
    QString list(const QString& name) const { return site.workingFolder() + "Working-Pages/" + name; }
    // Writes the named files of Working-Pages and reads the lists again.
    bool files(std::initializer_list<std::pair<const char*, QByteArray>> named)
    {
        for (const auto& [name, bytes] : named)
            if (!writeFile(list(name), bytes))
                return false;
        tags->Retrieve_Tag_Lists();
        tags->Retrieve_HTML_Pages();
        tags->Retrieve_Target_Names();
        return true;
    }
    void select(const QString& text, int start, int length)
    {
        rtf->setText(text);
        rtf->setSelStart(start);
        rtf->setSelLength(length);
    }
    // The one row showing (-1 the selection bar, 0..4, 5 new entry); -9 when
    // not exactly one shows.
    int shownRow() const
    {
        QList<int> rows;
        for (int i = -1; i < 6; ++i)
            if ((i < 0 ? tags->tb_Tag_Select : i < 5 ? tags->tb_Tag_Sel[i] : tags->tb_New_Tag)->isVisible())
                rows << i;
        return rows.size() == 1 ? rows[0] : -9;
    }
    // Picks an entry of the open bar ("" the placeholder) and clicks the button.
    void pick(int bar, const QString& entry, QPushButton* button)
    {
        tags->Select_Tag(bar);
        tags->cbo_Tag[bar]->setCurrentIndex(std::max(tags->cbo_Tag[bar]->findText(entry), 0));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Types name into the target box of bar 2 and leaves it.
    void typeTarget(const QString& name)
    {
        QComboBox* box = tags->cbo_Target[2];
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), name);
        tags->cmd_Goto[2]->setFocus(Qt::TabFocusReason);
    }
    // Clicks the buttons and returns the editor's text.
    QString click(const QList<int>& buttons)
    {
        for (int k : buttons)
            QTest::mouseClick(bar->cmd_Button[k], Qt::LeftButton);
        return rtf->Text();
    }
};

} // namespace

class TagBarsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetProgram(); }

    void listsFromTheWorkingFolderAndOtherWindows()
    {
        Editor_With_Bars e;
        QVERIFY(e.files({{"Color.lst", "<body>\r\n\r\n \r\n\t<td>\r\n <font>\r\n<a>"},
                         {"URL.lst", "Zeta.org\r\nAlpha.com\r\nbeta.net\r\nalpha.com\r\nbeta.net\r\n"},
                         {"Image.lst", "a\r\nb\r\nc\r\n"},
                         {"index.rtf", "x"}, {"about.rtf", "x"}, {"Contact.rtf", "x"}, {"old.RTF", "x"}}));
        // Colours and images in file order; empty, blank and tab-led lines skipped.
        QCOMPARE(items(e.tags->cbo_Tag[0], 1), (QStringList{"<body>", " <font>", "<a>"}));
        // Web addresses and pages sorted without regard to case; duplicates stay.
        QCOMPARE(items(e.tags->cbo_Tag[2], 1),
                 (QStringList{"Alpha.com", "alpha.com", "beta.net", "beta.net", "Zeta.org"}));
        QCOMPARE(items(e.tags->cbo_Tag[4], 1), (QStringList{"about", "Contact", "index"}));
        // A refill keeps a position that still exists.
        e.tags->cbo_Tag[1]->setCurrentIndex(3);
        QVERIFY(e.files({{"Image.lst", "x\r\ny\r\nz\r\n"}}));
        QCOMPARE(e.tags->cbo_Tag[1]->currentText(), QStringLiteral("z"));
        QVERIFY(e.files({{"Image.lst", "x\r\n"}}));
        QCOMPARE(e.tags->cbo_Tag[1]->currentIndex(), 0);
        // Entries added from other windows: anchors in order, targets after
        // the fixed ones (colours at the end: the Colours tool's test).
        for (const char* entry : {"m", "B", "a"})
            e.tags->Add_List_Entry(3, entry);
        QCOMPARE(items(e.tags->cbo_Tag[3], 1), (QStringList{"a", "B", "m"}));
        e.tags->Add_Target_Entry("frame");
        QCOMPARE(e.tags->cbo_Target[4]->itemText(5), QStringLiteral("frame"));
    }

    // A list that is a pipe is said and stays empty; nothing waits on it.
    void listsThatCannotBeReadAreSaid()
    {
        Editor_With_Bars e;
        QVERIFY(mkfifo(QFile::encodeName(e.list("Color.lst")).constData(), 0600) == 0);
        ScriptedDialogs dialogs;
        dialogs.answerNextMessage(dialogs::Answer::Ok);
        QVERIFY(e.files({}));
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.messages()[0].text.contains(e.list("Color.lst")));
        QCOMPARE(e.tags->cbo_Tag[0]->count(), 1);
    }

    void insertingFromTheBars()
    {
        Editor_With_Bars e;
        QVERIFY(e.files({{"URL.lst", "www.example.com\r\nme@example.com\r\n"}, {"Anchor.lst", "top\r\n"},
                         {"index.rtf", "x"}}));
        e.select("Go Home now", 3, 4);
        QTest::mouseClick(e.tags->cmd_Tag_Sel[2], Qt::LeftButton);
        QCOMPARE(e.shownRow(), 2);
        QCOMPARE(QApplication::focusWidget(), e.tags->cbo_Tag[2]);
        e.tags->cbo_Target[2]->setCurrentIndex(2);
        e.pick(2, "www.example.com", e.tags->cmd_Goto[2]);
        const QString link = "<a href=\"http://www.example.com\" target=\"_blank\">Home</a>";
        QCOMPARE(e.rtf->Text(), "Go " + link + " now");
        QCOMPARE(e.rtf->SelStart(), 3 + link.size());
        QCOMPARE(e.shownRow(), -1);
        QCOMPARE(QApplication::focusWidget(), e.rtf);
        // The anchor bar's own button; the placeholder inserts nothing and
        // closes the bar all the same. (The texts: TagInsertionTest.)
        e.select("x", 0, 1);
        e.pick(3, "top", e.tags->cmd_Here);
        QCOMPARE(e.rtf->Text(), QStringLiteral("<a name=\"top\">x</a>"));
        e.pick(1, "", e.tags->cmd_Goto[1]);
        QCOMPARE(e.rtf->Text(), QStringLiteral("<a name=\"top\">x</a>"));
        QCOMPARE(e.shownRow(), -1);
    }

    void newEntries()
    {
        Editor_With_Bars e;
        QVERIFY(e.files({{"Anchor.lst", "top\r\nzoo\r\n"}}));
        e.tags->Select_Tag(3);
        QTest::mouseClick(e.tags->cmd_New_Link[3], Qt::LeftButton);
        QCOMPARE(e.shownRow(), 5);
        QCOMPARE(QApplication::focusWidget(), e.tags->txt_New_Tag);
        QTest::mouseClick(e.tags->cmd_OK, Qt::LeftButton);  // nothing typed: stays open
        QCOMPARE(e.shownRow(), 5);
        QTest::keyClicks(e.tags->txt_New_Tag, "Middle");
        QTest::keyClick(e.tags->txt_New_Tag, Qt::Key_Return);
        QCOMPARE(items(e.tags->cbo_Tag[3], 1), (QStringList{"Middle", "top", "zoo"}));
        QCOMPARE(e.tags->cbo_Tag[3]->currentText(), QStringLiteral("Middle"));
        QCOMPARE(e.shownRow(), 3);
        QCOMPARE(QApplication::focusWidget(), e.tags->cmd_Goto[3]);
        // A listed name: the first equal entry is selected; the duplicate is
        // kept in the list and written too.
        e.tags->Add_New_Link();
        e.tags->txt_New_Tag->setText("top");
        e.tags->New_Tag();
        QCOMPARE(items(e.tags->cbo_Tag[3], 1), (QStringList{"Middle", "top", "top", "zoo"}));
        QCOMPARE(e.tags->cbo_Tag[3]->currentIndex(), 2);
        QCOMPARE(readFile(e.list("Anchor.lst")), QByteArray("top\r\nzoo\r\nMiddle\r\ntop\r\n"));
        e.tags->Add_New_Link();
        QTest::mouseClick(e.tags->cmd_Close_New, Qt::LeftButton);
        QCOMPARE(e.shownRow(), 3);
    }

    void targetNames()
    {
        Editor_With_Bars e;
        QVERIFY(e.files({{"Target.lst", "main\r\n\r\n"}}));
        e.tags->Retrieve_Target_Names();  // again: nothing piles up
        QCOMPARE(items(e.tags->cbo_Target[4], 5), (QStringList{"main", ""}));
        QSignalSpy added(e.tags, &TagBars::Target_Name_Added);
        // Typed with blanks, twice: stored once, trimmed, in the file and both boxes.
        e.tags->Select_Tag(2);
        e.typeTarget("  menu  ");
        e.typeTarget(" menu");
        QCOMPARE(readFile(e.list("Target.lst")), QByteArray("main\r\n\r\nmenu\r\n"));
        QCOMPARE(items(e.tags->cbo_Target[2], 7), QStringList{"menu"});
        QCOMPARE(items(e.tags->cbo_Target[4], 7), QStringList{"menu"});
        QCOMPARE(e.tags->cbo_Target[2]->currentText(), QStringLiteral("menu"));
        QCOMPARE(added.size(), 1);
        // "Add" reached while a name is still being typed takes it first.
        QVERIFY(e.files({{"index.rtf", "x"}}));
        e.select("Home", 0, 4);
        e.tags->Select_Tag(4);
        e.tags->cbo_Tag[4]->setCurrentIndex(1);
        e.tags->cbo_Target[4]->setEditText(" content ");
        e.tags->Add_Goto_Tag();
        QCOMPARE(e.rtf->Text(), QStringLiteral("<a href=\"index.html\" target=\"content\">Home</a>"));
        QCOMPARE(readFile(e.list("Target.lst")), QByteArray("main\r\n\r\nmenu\r\ncontent\r\n"));
    }

    // (A full disk fails the same way, keeping the file: the file service's
    // and the Tag Lists window's tests.)
    void entriesThatCannotBeStoredAreReportedOnce_data()
    {
        QTest::addColumn<bool>("target");
        QTest::newRow("new web address") << false;
        QTest::newRow("target name, left twice") << true;
    }
    void entriesThatCannotBeStoredAreReportedOnce()
    {
        QFETCH(bool, target);
        Editor_With_Bars e;
        const QString file = e.list(target ? "Target.lst" : "URL.lst");
        QVERIFY(writeFile(file, "a.org\r\n"));
        setReadOnly(file, true);
        e.tags->Select_Tag(2);
        ScriptedDialogs dialogs;
        dialogs.answerNextMessage(dialogs::Answer::Ok);
        if (target) {
            e.typeTarget("frame");
            e.tags->cbo_Target[2]->setFocus();
            e.tags->cmd_Goto[2]->setFocus(Qt::TabFocusReason);
        } else {
            e.tags->Add_New_Link();
            e.tags->txt_New_Tag->setText("frame");
            e.tags->New_Tag();
        }
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.messages()[0].text.contains(file));
        // The entry stays in the list for this run; the file is untouched.
        const QString kept = target ? e.tags->cbo_Target[4]->itemText(5) : e.tags->cbo_Tag[2]->currentText();
        QCOMPARE(kept, QStringLiteral("frame"));
        QCOMPARE(readFile(file), QByteArray("a.org\r\n"));
    }

    // Tab and Shift+Tab go round each bar's own controls (a sample of them).
    void tabOrder_data()
    {
        QTest::addColumn<int>("bar");  // 5: the new-entry row
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("backtab");
        QTest::newRow("cmd_Goto_2") << 2 << "cmd_Goto_2" << "cbo_Target_2" << "cmd_New_Link_2";
        QTest::newRow("cmd_OK") << 5 << "cmd_OK" << "txt_New_Tag" << "cmd_Close_New";
    }
    void tabOrder()
    {
        QFETCH(int, bar);
        QFETCH(QString, from);
        QFETCH(QString, tab);
        QFETCH(QString, backtab);
        Editor_With_Bars e;
        e.tags->Select_Tag(bar == 5 ? 2 : bar);
        if (bar == 5)
            e.tags->Add_New_Link();
        for (const bool back : {false, true}) {
            const QString& to = back ? backtab : tab;
            e.tags->findChild<QWidget*>(from)->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), to);
        }
    }

    void enterInTheTargetBoxGoesToTheList()
    {
        Editor_With_Bars e;
        e.tags->Select_Tag(4);
        e.tags->cbo_Target[4]->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e.tags->cbo_Tag[4]);
    }
};
TESK_TEST(TagBarsTest)

class ButtonBarTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetProgram(); }

    void clickReplacesTheSelectionAndFocusesTheEditor()
    {
        // No button file: the built-in set.
        Editor_With_Bars e;
        e.bar->Retrieve_Buttons();
        e.select("a XX b", 2, 2);
        e.bar->cmd_Button[1]->setFocus();
        const QString text = e.click({11});  // ends in a line break
        QVERIFY(text.startsWith("a ") && text.endsWith("\r\n b") && !text.contains("XX"));
        QCOMPARE(e.rtf->SelStart(), text.size() - 2);
        QCOMPARE(e.rtf->SelLength(), 0);
        QCOMPARE(QApplication::focusWidget(), e.rtf);
    }

    // The pairs of the button file over the built-in set: what the bar shows
    // (the first four captions, '-' hidden, and how many show) and what
    // clicks insert.
    void buttonFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("three pairs, the second caption blank: hidden")
            << QByteArray("Mine\r\n<em>\r\n \r\n<lost>\r\nTabbed\r\n^T<li>^P\r\n") << "Mine - Tabbed Style, 11"
            << QList<int>{2, 0, 9} << "\t<li>\r\n<em><td>";
        QTest::newRow("escapes are case-sensitive") << QByteArray("E\r\na^pb^Pc^Td^t\r\n")
            << "E <div> </div> Style, 12" << QList<int>{0} << "a^pb\r\nc\td^t";
        QTest::newRow("a caption without a text line is left out")
            << QByteArray("X\r\nx\r\nY\r\ny\r\nZ\r\n") << "X Y </div> Style, 12" << QList<int>{2} << "</div>\r\n";
        QByteArray many;
        for (int k = 0; k < 31; ++k)
            many += "B" + QByteArray::number(k) + "\r\nt" + QByteArray::number(k) + "\r\n";
        QTest::newRow("31 pairs: the first 30") << many << "B0 B1 B2 B3, 30" << QList<int>{29} << "t29";
    }
    void buttonFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<int>, clicks);
        Editor_With_Bars e;
        QVERIFY(writeFile(e.site.programFolder() + "References/Button.but", file));
        e.bar->Retrieve_Buttons();
        QStringList shows;
        int count = 0;
        for (int k = 0; k < tag_insertion::Button_Count; ++k) {
            count += e.bar->buttonShown(k);
            if (k < 4)
                shows << (e.bar->buttonShown(k) ? e.bar->cmd_Button[k]->text() : "-");
        }
        QTEST(shows.join(' ') + ", " + QString::number(count), "shows");
        QTEST(e.click(clicks), "inserted");
    }

    void tabSpaceAndAltHomeMoveBetweenBarAndEditor()
    {
        Editor_With_Bars e;
        e.bar->Retrieve_Buttons();
        e.rtf->setFocus();
        QVERIFY(e.bar->Focus_First_Button());
        QCOMPARE(QApplication::focusWidget(), e.bar->cmd_Button[0]);
        QTest::keyClick(e.bar->cmd_Button[0], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), e.rtf);
        // Space on a focused button clicks it.
        e.bar->cmd_Button[4]->setFocus();
        QTest::keyClick(e.bar->cmd_Button[4], Qt::Key_Space);
        QVERIFY(!e.rtf->Text().isEmpty());
    }
};
TESK_TEST(ButtonBarTest)

#include "editor_bars_test.moc"
