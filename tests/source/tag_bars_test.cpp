// The editor's tag bars: filling the lists, inserting from them, new entries,
// target names, the width rules and the Tab order.

#include "tesk_test.h"
#include "test_support.h"

#include "core/screen.h"
#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "source/tag_bars.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>

using namespace tesk::test;

namespace {

// Tag bars above an editor in an active window, on a laid-out site.
struct Editor_With_Tags {
    TempSite site;
    QWidget window;
    TagBars* tags;
    RichTextBox* rtf;

    Editor_With_Tags()
    {
        site.apply();
        tags = new TagBars(&window);
        rtf = new RichTextBox(&window);
        tags->setEditor(rtf);
        tags->setGeometry(10, 10, 780, tags->sizeHint().height());
        rtf->setGeometry(10, 60, 780, 400);
        window.resize(800, 480);
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
    QString list(const QString& name) const { return site.workingFolder() + "Working-Pages/" + name; }
    void select(const QString& text, int start, int length)
    {
        rtf->setText(text);
        rtf->setSelStart(start);
        rtf->setSelLength(length);
    }
    QStringList items(QComboBox* box) const
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    // Exactly one row shows; returns which (-1 selection bar, 0..4, 5 new entry).
    int shownRow() const
    {
        int shown = 0;
        int row = -2;
        if (tags->tb_Tag_Select->isVisible()) {
            ++shown;
            row = -1;
        }
        for (int i = 0; i < 5; ++i)
            if (tags->tb_Tag_Sel[i]->isVisible()) {
                ++shown;
                row = i;
            }
        if (tags->tb_New_Tag->isVisible()) {
            ++shown;
            row = 5;
        }
        return shown == 1 ? row : -100 - shown;
    }
};

} // namespace

class TagBarsListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetProgram(); }

    void listsFromTheWorkingFolder()
    {
        Editor_With_Tags e;
        QVERIFY(writeFile(e.list("Color.lst"), "<body>\r\n\r\n \r\n\t<td>\r\n <font color=\"red\">\r\n<a>"));
        QVERIFY(writeFile(e.list("URL.lst"), "zeta.org\r\nAlpha.com\r\nbeta.net\r\nalpha.com\r\nbeta.net\r\n"));
        QVERIFY(writeFile(e.list("Anchor.lst"), "top\r\nBottom\r\n"));
        e.tags->Retrieve_Tag_Lists();
        // Colours and images keep the file's order; the reader skips lines that
        // cannot be an entry but keeps one that starts with a blank.
        QCOMPARE(e.items(e.tags->cbo_Tag[0]),
                 (QStringList{" Select a Color Tag", "<body>", " <font color=\"red\">", "<a>"}));
        QCOMPARE(e.items(e.tags->cbo_Tag[1]), QStringList{" Select an Image Tag"});
        // Web addresses and anchors are sorted without regard to case;
        // duplicates stay.
        QCOMPARE(e.items(e.tags->cbo_Tag[2]),
                 (QStringList{" Select a Web Address Tag", "Alpha.com", "alpha.com", "beta.net", "beta.net", "zeta.org"}));
        QCOMPARE(e.items(e.tags->cbo_Tag[3]), (QStringList{" Select an Anchor Tag", "Bottom", "top"}));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(e.tags->cbo_Tag[i]->currentIndex(), 0);
        QVERIFY(!e.tags->cbo_Tag[0]->isEditable());
    }

    void refillKeepsThePositionThatStillExists()
    {
        Editor_With_Tags e;
        QVERIFY(writeFile(e.list("Image.lst"), "a\r\nb\r\nc\r\n"));
        e.tags->Retrieve_Tag_Lists();
        e.tags->cbo_Tag[1]->setCurrentIndex(3);
        QVERIFY(writeFile(e.list("Image.lst"), "x\r\ny\r\nz\r\nw\r\n"));
        e.tags->Retrieve_Tag_Lists();
        QCOMPARE(e.tags->cbo_Tag[1]->currentText(), QStringLiteral("z"));
        QVERIFY(writeFile(e.list("Image.lst"), "x\r\n"));
        e.tags->Retrieve_Tag_Lists();
        QCOMPARE(e.tags->cbo_Tag[1]->currentIndex(), 0);
    }

    void pagesAreTheSourceFiles()
    {
        Editor_With_Tags e;
        for (const char* name : {"index.rtf", "about.rtf", "Contact.rtf", "old.RTF", "page.html"})
            QVERIFY(writeFile(e.list(name), "{\\rtf1}"));
        e.tags->Retrieve_HTML_Pages();
        QCOMPARE(e.items(e.tags->cbo_Tag[4]), (QStringList{" Select a Page Link", "about", "Contact", "index"}));
        QCOMPARE(e.tags->cbo_Tag[4]->currentIndex(), 0);
    }

    void entriesFromOtherWindows()
    {
        Editor_With_Tags e;
        QVERIFY(writeFile(e.list("URL.lst"), "b.org\r\nd.org\r\n"));
        e.tags->Retrieve_Tag_Lists();
        // The browser's address goes to position 1, outside the order.
        e.tags->Add_Web_Address("z.org");
        QCOMPARE(e.tags->cbo_Tag[2]->currentIndex(), 1);
        QCOMPARE(e.tags->cbo_Tag[2]->currentText(), QStringLiteral("z.org"));
        // Tools: colours and images at the end, anchors at their sorted place.
        e.tags->Add_List_Entry(0, "<body>");
        e.tags->Add_List_Entry(0, "<a>");
        QCOMPARE(e.items(e.tags->cbo_Tag[0]), (QStringList{" Select a Color Tag", "<body>", "<a>"}));
        e.tags->Add_List_Entry(3, "m");
        e.tags->Add_List_Entry(3, "B");
        e.tags->Add_List_Entry(3, "a");
        QCOMPARE(e.items(e.tags->cbo_Tag[3]), (QStringList{" Select an Anchor Tag", "a", "B", "m"}));
        e.tags->Add_Target_Entry("frame");
        QCOMPARE(e.tags->cbo_Target[2]->itemText(5), QStringLiteral("frame"));
        QCOMPARE(e.tags->cbo_Target[4]->itemText(5), QStringLiteral("frame"));
    }
};
TESK_TEST(TagBarsListTest)

class TagBarsInsertTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetProgram(); }

    void webLinkAroundTheSelection()
    {
        Editor_With_Tags e;
        QVERIFY(e.ready());
        QVERIFY(writeFile(e.list("URL.lst"), "www.example.com\r\nme@example.com\r\n"));
        e.tags->Retrieve_Tag_Lists();
        e.select("Go Home now", 3, 4);

        QCOMPARE(e.shownRow(), -1);
        QTest::mouseClick(e.tags->cmd_Tag_Sel[2], Qt::LeftButton);
        QCOMPARE(state().Tag_Index, 2);
        QCOMPARE(e.shownRow(), 2);
        QCOMPARE(QApplication::focusWidget(), e.tags->cbo_Tag[2]);
        e.tags->cbo_Tag[2]->setCurrentIndex(e.tags->cbo_Tag[2]->findText("www.example.com"));
        e.tags->cbo_Target[2]->setCurrentIndex(2);
        QTest::mouseClick(e.tags->cmd_Goto[2], Qt::LeftButton);
        const QString link = QStringLiteral("<a href=\"http://www.example.com\" target=\"_blank\">Home</a>");
        QCOMPARE(e.rtf->Text(), "Go " + link + " now");
        QCOMPARE(e.rtf->SelStart(), 3 + link.size());
        QCOMPARE(e.shownRow(), -1);
        QCOMPARE(QApplication::focusWidget(), e.rtf);

        // A mail address ignores the target box.
        e.select("x", 0, 1);
        e.tags->Select_Tag(2);
        e.tags->cbo_Tag[2]->setCurrentIndex(e.tags->cbo_Tag[2]->findText("me@example.com"));
        QTest::mouseClick(e.tags->cmd_Goto[2], Qt::LeftButton);
        QCOMPARE(e.rtf->Text(), QStringLiteral("<a href=\"mailto:me@example.com\">x</a>"));
        QCOMPARE(e.shownRow(), -1);
    }

    void placeholderInsertsNothing()
    {
        Editor_With_Tags e;
        e.select("keep", 0, 4);
        for (int i = 0; i < 5; ++i) {
            e.tags->Select_Tag(i);
            QTest::mouseClick(e.tags->cmd_Goto[i], Qt::LeftButton);
            QCOMPARE(e.rtf->Text(), QStringLiteral("keep"));
            QCOMPARE(e.shownRow(), -1);
        }
        e.tags->Select_Tag(3);
        QTest::mouseClick(e.tags->cmd_Here, Qt::LeftButton);
        QCOMPARE(e.rtf->Text(), QStringLiteral("keep"));
    }

    void anchorsPagesAndTags()
    {
        Editor_With_Tags e;
        QVERIFY(writeFile(e.list("Anchor.lst"), "top\r\n"));
        QVERIFY(writeFile(e.list("Color.lst"), "<body bgcolor=\"#FFFFFF\">\r\n"));
        QVERIFY(writeFile(e.list("index.rtf"), "x"));
        e.tags->Retrieve_Tag_Lists();
        e.tags->Retrieve_HTML_Pages();

        e.select("Up", 0, 2);
        e.tags->Select_Tag(3);
        e.tags->cbo_Tag[3]->setCurrentIndex(1);
        QTest::mouseClick(e.tags->cmd_Goto[3], Qt::LeftButton);
        QCOMPARE(e.rtf->Text(), QStringLiteral("<a href=\"#top\">Up</a>"));

        // "Here" with no selection: an empty anchor right at the caret.
        e.select("ab", 1, 0);
        e.tags->Select_Tag(3);
        e.tags->cbo_Tag[3]->setCurrentIndex(1);
        QTest::mouseClick(e.tags->cmd_Here, Qt::LeftButton);
        QCOMPARE(e.rtf->Text(), QStringLiteral("a<a name=\"top\"></a>b"));

        e.select("Start", 0, 5);
        e.tags->Select_Tag(4);
        e.tags->cbo_Tag[4]->setCurrentIndex(1);
        e.tags->cbo_Target[4]->setCurrentIndex(1);  // "none"
        QTest::mouseClick(e.tags->cmd_Goto[4], Qt::LeftButton);
        QCOMPARE(e.rtf->Text(), QStringLiteral("<a href=\"index.html\">Start</a>"));

        e.select("<body>", 0, 6);
        e.tags->Select_Tag(0);
        e.tags->cbo_Tag[0]->setCurrentIndex(1);
        QTest::mouseClick(e.tags->cmd_Goto[0], Qt::LeftButton);
        QCOMPARE(e.rtf->Text(), QStringLiteral("<body bgcolor=\"#FFFFFF\">"));
    }

    void newEntriesGoToListAndFile()
    {
        Editor_With_Tags e;
        QVERIFY(e.ready());
        QVERIFY(writeFile(e.list("Anchor.lst"), "top\r\nzoo\r\n"));
        e.tags->Retrieve_Tag_Lists();
        e.tags->Select_Tag(3);
        QTest::mouseClick(e.tags->cmd_New_Link[3], Qt::LeftButton);
        QCOMPARE(e.shownRow(), 5);
        QCOMPARE(QApplication::focusWidget(), e.tags->txt_New_Tag);

        // Nothing typed: the new-entry bar stays.
        QTest::mouseClick(e.tags->cmd_OK, Qt::LeftButton);
        QCOMPARE(e.shownRow(), 5);

        QTest::keyClicks(e.tags->txt_New_Tag, "Middle");
        QTest::keyClick(e.tags->txt_New_Tag, Qt::Key_Return);
        QCOMPARE(e.items(e.tags->cbo_Tag[3]), (QStringList{" Select an Anchor Tag", "Middle", "top", "zoo"}));
        QCOMPARE(e.tags->cbo_Tag[3]->currentText(), QStringLiteral("Middle"));
        QCOMPARE(readFile(e.list("Anchor.lst")), QByteArray("top\r\nzoo\r\nMiddle\r\n"));
        QCOMPARE(e.shownRow(), 3);
        QCOMPARE(QApplication::focusWidget(), e.tags->cmd_Goto[3]);

        // A name already listed: the first equal entry is selected, the
        // duplicate stays in the list and goes to the file too.
        e.tags->cbo_Tag[3]->setCurrentIndex(0);
        e.tags->Add_New_Link();
        e.tags->txt_New_Tag->setText("top");
        e.tags->New_Tag();
        QCOMPARE(e.items(e.tags->cbo_Tag[3]), (QStringList{" Select an Anchor Tag", "Middle", "top", "top", "zoo"}));
        QCOMPARE(e.tags->cbo_Tag[3]->currentIndex(), 2);
        QCOMPARE(readFile(e.list("Anchor.lst")), QByteArray("top\r\nzoo\r\nMiddle\r\ntop\r\n"));

        // Closing the new-entry bar goes back to the bar it came from.
        e.tags->Add_New_Link();
        QTest::mouseClick(e.tags->cmd_Close_New, Qt::LeftButton);
        QCOMPARE(e.shownRow(), 3);
        QTest::mouseClick(e.tags->cmd_Close_Tag[3], Qt::LeftButton);
        QCOMPARE(e.shownRow(), -1);
    }

    void newEntryThatCannotBeStored()
    {
        Editor_With_Tags e;
        QVERIFY(writeFile(e.list("URL.lst"), "a.org\r\n"));
        setReadOnly(e.list("URL.lst"), true);
        e.tags->Retrieve_Tag_Lists();
        e.tags->Select_Tag(2);
        e.tags->Add_New_Link();
        e.tags->txt_New_Tag->setText("b.org");
        {
            ScriptedDialogs dialogs;
            dialogs.answerNextMessage(dialogs::Answer::Ok);
            e.tags->New_Tag();
            QCOMPARE(dialogs.messages().size(), 1);
            QVERIFY(dialogs.messages()[0].text.contains(e.list("URL.lst")));
            QVERIFY(dialogs.messages()[0].title.startsWith("TWE - "));
        }
        QCOMPARE(e.tags->cbo_Tag[2]->currentText(), QStringLiteral("b.org"));
        QCOMPARE(readFile(e.list("URL.lst")), QByteArray("a.org\r\n"));
        QCOMPARE(e.shownRow(), 2);
        setReadOnly(e.list("URL.lst"), false);
    }
};
TESK_TEST(TagBarsInsertTest)

class TagBarsTargetTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetProgram(); }

    void targetNamesFromTheFile()
    {
        Editor_With_Tags e;
        QVERIFY(writeFile(e.list("Target.lst"), "main\r\n\r\nside"));
        e.tags->Retrieve_Target_Names();
        e.tags->Retrieve_Target_Names();  // read again: nothing piles up
        const QStringList expected{"Target", "none", "_blank", "_parent", "_top", "main", "", "side"};
        for (int i : {2, 4}) {
            QCOMPARE(e.items(e.tags->cbo_Target[i]), expected);
            QCOMPARE(e.tags->cbo_Target[i]->currentIndex(), 0);
            QVERIFY(e.tags->cbo_Target[i]->isEditable());
        }
        QVERIFY(!e.tags->cbo_Target[0]);
    }

    void typedNameIsStoredOnceTrimmed()
    {
        Editor_With_Tags e;
        QVERIFY(e.ready());
        e.tags->Retrieve_Target_Names();
        QSignalSpy added(e.tags, &TagBars::Target_Name_Added);
        e.tags->Select_Tag(2);
        QComboBox* box = e.tags->cbo_Target[2];
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), "  menu  ");
        e.tags->cmd_Goto[2]->setFocus(Qt::TabFocusReason);  // leaving the box

        QCOMPARE(readFile(e.list("Target.lst")), QByteArray("menu\r\n"));
        QCOMPARE(e.items(box).mid(5), QStringList{"menu"});
        QCOMPARE(e.items(e.tags->cbo_Target[4]).mid(5), QStringList{"menu"});
        QCOMPARE(box->currentIndex(), 5);
        QCOMPARE(box->currentText(), QStringLiteral("menu"));
        QCOMPARE(added.size(), 1);
        QCOMPARE(added[0][0].toString(), QStringLiteral("menu"));

        // Leaving again with the same name adds nothing.
        box->setFocus();
        box->setEditText(" menu");
        e.tags->cmd_Goto[2]->setFocus(Qt::TabFocusReason);
        QCOMPARE(readFile(e.list("Target.lst")), QByteArray("menu\r\n"));
        QCOMPARE(box->count(), 6);
        QCOMPARE(box->currentIndex(), 5);

        // Only blanks: back to "Target"; a fixed name is found, not stored.
        box->setEditText("   ");
        e.tags->Add_Target_Name();
        QCOMPARE(box->currentIndex(), 0);
        box->setEditText("_top ");
        e.tags->Add_Target_Name();
        QCOMPARE(box->currentIndex(), 4);
        QCOMPARE(readFile(e.list("Target.lst")), QByteArray("menu\r\n"));
        QCOMPARE(added.size(), 1);
    }

    void typedNameUsedByAdd()
    {
        Editor_With_Tags e;
        QVERIFY(writeFile(e.list("index.rtf"), "x"));
        e.tags->Retrieve_HTML_Pages();
        e.select("Home", 0, 4);
        e.tags->Select_Tag(4);
        e.tags->cbo_Tag[4]->setCurrentIndex(1);
        e.tags->cbo_Target[4]->setEditText(" content ");
        // "Add" reached while the name is still being typed takes it first.
        e.tags->Add_Goto_Tag();
        QCOMPARE(e.rtf->Text(), QStringLiteral("<a href=\"index.html\" target=\"content\">Home</a>"));
        QCOMPARE(readFile(e.list("Target.lst")), QByteArray("content\r\n"));
    }

    void nameThatCannotBeStoredIsReportedOnce()
    {
        Editor_With_Tags e;
        QVERIFY(e.ready());
        QVERIFY(writeFile(e.list("Target.lst"), ""));
        setReadOnly(e.list("Target.lst"), true);
        e.tags->Retrieve_Target_Names();
        e.tags->Select_Tag(2);
        QComboBox* box = e.tags->cbo_Target[2];
        {
            ScriptedDialogs dialogs;
            dialogs.answerNextMessage(dialogs::Answer::Ok);
            box->setFocus();
            box->setEditText("frame");
            e.tags->cmd_Goto[2]->setFocus(Qt::TabFocusReason);
            box->setFocus();
            e.tags->cmd_Goto[2]->setFocus(Qt::TabFocusReason);
            QCOMPARE(dialogs.messages().size(), 1);
            QVERIFY(dialogs.messages()[0].text.contains(e.list("Target.lst")));
        }
        QCOMPARE(e.items(box).mid(5), QStringList{"frame"});
        QCOMPARE(e.items(e.tags->cbo_Target[4]).mid(5), QStringList{"frame"});
        QCOMPARE(readFile(e.list("Target.lst")), QByteArray());
        setReadOnly(e.list("Target.lst"), false);
    }
};
TESK_TEST(TagBarsTargetTest)

class TagBarsLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetProgram(); }

    void widthsFollowTheWindow()
    {
        Editor_With_Tags e;
        const int width = e.tags->width();
        const int margin = Px_From_Twips_X(120);
        e.tags->Select_Tag(2);
        QWidget* bar = e.tags->tb_Tag_Sel[2];
        QCOMPARE(bar->pos(), e.tags->tb_Tag_Select->pos());
        QCOMPARE(bar->width(), width - margin);
        QCOMPARE(e.tags->cbo_Tag[2]->geometry().right() + 1, bar->width() - margin);

        // Anchors and pages stop at a fixed width on a wide window.
        for (int i : {3, 4}) {
            e.tags->Select_Tag(i);
            QCOMPARE(e.tags->cbo_Tag[i]->width(), Px_From_Twips_X(3795));
        }
        e.tags->Select_Tag(3);
        e.tags->Add_New_Link();
        QCOMPARE(e.tags->tb_New_Tag->width(), width - margin);
        QCOMPARE(e.tags->txt_New_Tag->geometry().right() + 1, width - margin - Px_From_Twips_X(180));

        // The open bar follows a narrower window.
        e.tags->Close_New_Tag();
        e.tags->resize(500, e.tags->height());
        QCOMPARE(e.tags->tb_Tag_Sel[3]->width(), 500 - margin);
        QCOMPARE(e.tags->cbo_Tag[3]->geometry().right() + 1, 500 - 2 * margin);
    }

    void tabOrder_data()
    {
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QString>("to");
        auto row = [](int bar, const char* from, bool back, const char* to) {
            QTest::addRow("%d %s %s", bar, from, back ? "shift+tab" : "tab") << bar << from << back << to;
        };
        for (int i : {0, 1}) {
            row(i, qPrintable(QString("cbo_Tag_%1").arg(i)), false, qPrintable(QString("cmd_Goto_%1").arg(i)));
            row(i, qPrintable(QString("cmd_Goto_%1").arg(i)), false, qPrintable(QString("cbo_Tag_%1").arg(i)));
            row(i, qPrintable(QString("cmd_Goto_%1").arg(i)), true, qPrintable(QString("cmd_Close_Tag_%1").arg(i)));
            row(i, qPrintable(QString("cmd_Close_Tag_%1").arg(i)), false, qPrintable(QString("cmd_Goto_%1").arg(i)));
            row(i, qPrintable(QString("cmd_Close_Tag_%1").arg(i)), true, qPrintable(QString("cbo_Tag_%1").arg(i)));
        }
        row(2, "cbo_Tag_2", false, "cmd_Goto_2");
        row(2, "cbo_Target_2", false, "cbo_Tag_2");
        row(2, "cmd_Goto_2", false, "cbo_Target_2");
        row(2, "cmd_Goto_2", true, "cmd_New_Link_2");
        row(2, "cmd_New_Link_2", false, "cmd_Goto_2");
        row(2, "cmd_New_Link_2", true, "cmd_Close_Tag_2");
        row(2, "cmd_Close_Tag_2", false, "cmd_New_Link_2");
        row(2, "cmd_Close_Tag_2", true, "cbo_Tag_2");
        row(3, "cbo_Tag_3", false, "cmd_Goto_3");
        row(3, "cmd_Goto_3", false, "cmd_Here");
        row(3, "cmd_Goto_3", true, "cmd_New_Link_3");
        row(3, "cmd_Here", false, "cbo_Tag_3");
        row(3, "cmd_Here", true, "cmd_Goto_3");
        row(3, "cmd_New_Link_3", false, "cmd_Goto_3");
        row(3, "cmd_New_Link_3", true, "cmd_Close_Tag_3");
        row(3, "cmd_Close_Tag_3", false, "cmd_New_Link_3");
        row(3, "cmd_Close_Tag_3", true, "cbo_Tag_3");
        row(4, "cbo_Tag_4", false, "cmd_Goto_4");
        row(4, "cbo_Target_4", false, "cbo_Tag_4");
        row(4, "cmd_Goto_4", false, "cbo_Target_4");
        row(4, "cmd_Goto_4", true, "cmd_Close_Tag_4");
        row(4, "cmd_Close_Tag_4", false, "cmd_Goto_4");
        row(4, "cmd_Close_Tag_4", true, "cbo_Tag_4");
        row(5, "txt_New_Tag", false, "cmd_OK");
        row(5, "txt_New_Tag", true, "cmd_Close_New");
        row(5, "cmd_OK", false, "txt_New_Tag");
        row(5, "cmd_OK", true, "cmd_Close_New");
        row(5, "cmd_Close_New", false, "cmd_OK");
        row(5, "cmd_Close_New", true, "txt_New_Tag");
    }
    void tabOrder()
    {
        QFETCH(int, bar);
        QFETCH(QString, from);
        QFETCH(bool, backwards);
        QFETCH(QString, to);
        Editor_With_Tags e;
        QVERIFY(e.ready());
        if (bar == 5) {
            e.tags->Select_Tag(2);
            e.tags->Add_New_Link();
        } else {
            e.tags->Select_Tag(bar);
        }
        auto* source = e.tags->findChild<QWidget*>(from);
        auto* target = e.tags->findChild<QWidget*>(to);
        QVERIFY(source && target);
        source->setFocus(Qt::OtherFocusReason);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused);
        QTest::keyClick(focused, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* now = QApplication::focusWidget();
        QVERIFY(now == target || (now && now->parentWidget() == target && qobject_cast<QLineEdit*>(now)));
    }

    void enterInATargetBoxGoesToTheList()
    {
        Editor_With_Tags e;
        QVERIFY(e.ready());
        e.tags->Select_Tag(4);
        e.tags->cbo_Target[4]->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e.tags->cbo_Tag[4]);
        QCOMPARE(e.tags->cbo_Target[4]->count(), 5);
    }

    void newEntryBoxSelectsItsTextOnFocus()
    {
        Editor_With_Tags e;
        QVERIFY(e.ready());
        e.tags->Select_Tag(3);
        e.tags->Add_New_Link();
        e.tags->txt_New_Tag->setText("abc");
        e.tags->cmd_OK->setFocus();
        QTest::keyClick(e.tags->cmd_OK, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), e.tags->txt_New_Tag);
        QTRY_COMPARE(e.tags->txt_New_Tag->selectedText(), QStringLiteral("abc"));
    }
};
TESK_TEST(TagBarsLayoutTest)

#include "tag_bars_test.moc"
