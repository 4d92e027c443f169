// The Tag Lists window opened from the main window's menus on a site with
// all eight list files, driven by clicks and keys: what lands on disk, what
// the user is asked or told, and what the Source window's tag bars show.

#include "tesk_test.h"
#include "test_support.h"

#include "app/frm_Start.h"
#include "app/startup.h"
#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "source/frm_Source.h"
#include "source/tag_bars.h"
#include "tags/frm_Tags.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

using namespace tesk::test;

namespace {

const std::pair<const char*, const char*> kFiles[] = {
    {"WP/Color.lst", "<body bgcolor=\"#FFFFFF\">\r\n<font color=\"#FF0000\">\r\n"},
    {"WP/Image.lst", "<img src=\"a.gif\">\r\n<img src=\"b.gif\">\r\n"},
    {"WP/URL.lst", "zeta.example\r\nalpha.example\r\n"},  // sorted only on screen
    {"WP/Anchor.lst", "top\r\n"},
    {"R/Color.lst", "<td bgcolor=\"#00FF00\">\r\n"},
    {"R/Image.lst", "<img src=\"r.gif\">\r\n"},
    {"R/URL.lst", "mid.example\r\n"},
    {"R/Anchor.lst", "end\r\n"},
};

QStringList barEntries(int i) { return items(forms::Source()->tagBars->cbo_Tag[i], 1); }

} // namespace

class TagsWindowTest : public QObject {
    Q_OBJECT

private:
    TempSite* site_ = nullptr;
    ScriptedDialogs* dialogs_ = nullptr;
    QList<QStringList> bars_;

    QString path(const QString& shortName) const
    {
        return site_->path((shortName.startsWith("WP/") ? "site/Working-Pages/" : "program/References/")
                           + shortName.section('/', 1));
    }

    // One step: "click <control> [row]", "key <keys>" and "type <text>" at
    // the focus, "paste <text>" (\n a line break), "answer Yes|No|Ok",
    // "readonly <file>", "not edited", "leave" (another window takes the focus and gives it
    // back), "store again while telling" (a store while a message shows).
    void act(frm_Tags& w, const QString& step)
    {
        const QString arg = step.section(' ', 1);
        if (step.startsWith("click ")) {
            QWidget* c = w.findChild<QWidget*>(arg.section(' ', 0, 0));
            QVERIFY2(c && c->isVisible(), qPrintable(step));
            if (auto* l = qobject_cast<QListWidget*>(c))
                QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                                  l->visualItemRect(l->item(arg.section(' ', 1).toInt())).center());
            else
                QTest::mouseClick(c, Qt::LeftButton, {}, c->rect().center());
        } else if (step.startsWith("key ")) {
            const QKeyCombination k = QKeySequence(arg)[0];
            QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
        } else if (step.startsWith("type ")) {
            QTest::keyClicks(QApplication::focusWidget(), arg);
        } else if (step.startsWith("paste ")) {
            QApplication::clipboard()->setText(QString(arg).replace("\\n", "\r\n"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        } else if (step.startsWith("answer ")) {
            dialogs_->answerNextMessage(arg == "Yes"  ? dialogs::Answer::Yes
                                        : arg == "No" ? dialogs::Answer::No : dialogs::Answer::Ok);
        } else if (step.startsWith("readonly ")) {
            setReadOnly(path(arg), true);
        } else if (step.startsWith("full disk ")) {
            fullDisk(arg.section(' ', 1));
        } else if (step == "not edited") {
            QVERIFY(!w.lists().Tag_Edited());  // the program filled the edit line
        } else if (step == "leave") {
            QWidget other;  // as another program's window would
            other.setWindowModality(Qt::ApplicationModal);
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            other.hide();
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
        } else if (step == "store again while telling") {
            dialogs::Handlers h = dialogs::handlers();
            const dialogs::MessageHandler told = h.message;
            h.message = [&w, told](const dialogs::Message& m) {
                w.Store_Tags();
                return told(m);
            };
            dialogs::setHandlers(h);
            w.Store_Tags();
            h.message = told;
            dialogs::setHandlers(h);
        }
    }

    // What differs from the start: files ("(gone)" when deleted), the
    // Source window's bars, every message (title: text).
    QString changes(int messagesBefore) const
    {
        QStringList out;
        for (const auto& [name, bytes] : kFiles) {
            const QString p = path(name);
            if (!QFile::exists(p))
                out << QString(name) + "=(gone)";
            else if (readFile(p) != bytes)
                out << QString(name) + '=' + QString::fromUtf8(readFile(p)).replace("\r\n", "|");
        }
        for (int i = 0; i < 4; ++i)
            if (barEntries(i) != bars_[i])
                out << QStringLiteral("bar%1=%2").arg(i).arg(barEntries(i).join('|'));
        for (qsizetype m = messagesBefore; m < dialogs_->messages().size(); ++m)
            out << dialogs_->messages()[m].title + ": "
                    + QString(dialogs_->messages()[m].text).replace("\r\n", "|").replace('\n', '|');
        return out.join(' ').replace(QDir::toNativeSeparators(site_->path("")), "~/");
    }

private Q_SLOTS:
    void init()
    {
        resetProgram();
        site_ = new TempSite;
        dialogs_ = new ScriptedDialogs;
        Main(site_->programFolder());
        site_->apply();
        for (const auto& [name, bytes] : kFiles)
            QVERIFY(writeFile(path(name), bytes));
        forms::Source()->Working_Folder_Files();
        bars_.clear();
        for (int i = 0; i < 4; ++i)
            bars_ << barEntries(i);
    }
    void cleanup()
    {
        setReadOnly(site_->path("site/Working-Pages/Anchor.lst"), false);
        setReadOnly(site_->path("program/References"), false);
        resetProgram();
        delete dialogs_;
        delete site_;
    }

    void fromTheMenus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("changes");
        QTest::newRow("looked at only: no file rewritten") << "mnu_Source_Tags" << 2 << "click cbo_WF_2 0; not edited; click lst_RF_2 0" << "";
        QTest::newRow("delete all answered No") << "mnu_Window_Tags" << 1 << "answer No; click cmd_Del_All_WF_1"
            << "Working Folder Tags: Delete All These &Images Tags|From the Working Folder? ";
        QTest::newRow("delete all answered Yes: file gone, bar emptied") << "mnu_Window_Tags" << 1 << "answer Yes; click cmd_Del_All_WF_1"
            << "WP/Image.lst=(gone) bar1= Working Folder Tags: Delete All These &Images Tags|From the Working Folder? ";
        QTest::newRow("delete all of the reference anchors") << "mnu_Source_Tags" << 3 << "answer Yes; click cmd_Del_All_RF_3"
            << "R/Anchor.lst=(gone) Reference Folder Tags: Delete All These &Anchor Tags|From the Reference Folder? ";
        QTest::newRow("the last entry deleted by hand empties the file") << "mnu_Source_Tags" << 3 << "click cbo_WF_3 0; click cmd_Delete_WF_3" << "WP/Anchor.lst=(gone) bar3=";
        QTest::newRow("delete twice: what is shown selected goes") << "mnu_Source_Tags" << 0 << "click lst_RF_0 0; click cmd_Up_0; click cbo_WF_0 0; click cmd_Delete_WF_0; click cmd_Delete_WF_0"
            << "WP/Color.lst=<td bgcolor=\"#00FF00\">| bar0=<td bgcolor=\"#00FF00\">";
        QTest::newRow("edit, Enter") << "mnu_Source_Tags" << 0 << "click cbo_WF_0 1; click txt_WF_0; key Ctrl+A; type <font>; key Return"
            << "WP/Color.lst=<body bgcolor=\"#FFFFFF\">|<font>| bar0=<body bgcolor=\"#FFFFFF\">|<font>";
        QTest::newRow("edit, Tab") << "mnu_Source_Tags" << 3 << "click cbo_WF_3 0; click txt_WF_3; key End; type 2; key Tab" << "WP/Anchor.lst=top2| bar3=top2";
        QTest::newRow("edit, then the reference list") << "mnu_Source_Tags" << 3 << "click cbo_WF_3 0; click txt_WF_3; type x; click lst_RF_3 0" << "WP/Anchor.lst=topx| bar3=topx";
        QTest::newRow("edit, then another tab: kept where typed") << "mnu_Source_Tags" << 3 << "click cbo_WF_3 0; click txt_WF_3; type x; key Alt+W" << "WP/Anchor.lst=topx| bar3=topx";
        QTest::newRow("an emptied edit line keeps the entry") << "mnu_Source_Tags" << 3 << "click cbo_WF_3 0; click txt_WF_3; key Ctrl+A; key Delete; key Return" << "";
        QTest::newRow("typing with nothing selected does nothing") << "mnu_Source_Tags" << 3 << "click txt_WF_3; type x; key Return" << "";
        QTest::newRow("a pasted line break becomes a blank") << "mnu_Source_Tags" << 3 << "click cbo_WF_3 0; click txt_WF_3; key Ctrl+A; paste a\\nb; key Return"
            << "WP/Anchor.lst=a b| bar3=a b";
        QTest::newRow("an image tag copied down twice") << "mnu_Source_Tags" << 1 << "click cbo_WF_1 0; click cmd_Down_1; click cmd_Down_1"
            << "R/Image.lst=<img src=\"r.gif\">|<img src=\"a.gif\">|<img src=\"a.gif\">|";
        QTest::newRow("a web link copied up to its sorted place") << "mnu_Source_Tags" << 2 << "click lst_RF_2 0; click cmd_Up_2"
            << "WP/URL.lst=alpha.example|mid.example|zeta.example| bar2=alpha.example|mid.example|zeta.example";
        QTest::newRow("two moves down move one entry two places") << "mnu_Source_Tags" << 1 << "click lst_RF_1 0; click cmd_Up_1; click cbo_WF_1 0; click vsb_WF_1; key Down; key Down"
            << "WP/Image.lst=<img src=\"b.gif\">|<img src=\"r.gif\">|<img src=\"a.gif\">| bar1=<img src=\"b.gif\">|<img src=\"r.gif\">|<img src=\"a.gif\">";
        QTest::newRow("an emptied read-only list is kept, told once")
            << "mnu_Source_Tags" << 3 << "readonly WP/Anchor.lst; click cbo_WF_3 0; click cmd_Delete_WF_3; answer Ok; store again while telling; leave; leave"
            << "TWE - List Not Saved: The list file|~/site/Working-Pages/Anchor.lst|could not be written (the file or folder is read-only).||The file keeps its previous entries; "
                     "the list keeps your changes while this window is open.";
        QTest::newRow("an edit on a full disk keeps the file, told once")
            << "mnu_Source_Tags" << 0 << "full disk Color.lst; click cbo_WF_0 1; click txt_WF_0; key Ctrl+A; type <font>; answer Ok; key Return; leave; leave"
            << "TWE - List Not Saved: The list file|~/site/Working-Pages/Color.lst|could not be written (the disk is full).||The file keeps its previous entries; "
                     "the list keeps your changes while this window is open.";
        QTest::newRow("leaving the window writes at once") << "mnu_Source_Tags" << 3 << "click lst_RF_3 0; click cmd_Up_3; leave; readonly WP/Anchor.lst"
            << "WP/Anchor.lst=end|top| bar3=end|top";
        QTest::newRow("delete all removes a read-only file") << "mnu_Source_Tags" << 3 << "readonly WP/Anchor.lst; answer Yes; click cmd_Del_All_WF_3"
            << "WP/Anchor.lst=(gone) bar3= Working Folder Tags: Delete All These &Anchor Tags|From the Working Folder? ";
    }
    void fromTheMenus()
    {
        QFETCH(QString, menu);
        QFETCH(int, tab);
        QFETCH(QString, steps);
        state().Tag_Index = tab;
        const qsizetype before = dialogs_->messages().size();
        dialogs_->onModal([&](QDialog& d) {
            auto& w = static_cast<frm_Tags&>(d);
            d.show();
            d.activateWindow();
            if (!QTest::qWaitForWindowActive(&d))
                return -1;
            [&] { QCOMPARE(w.tab_Tags->currentIndex(), tab); }();
            for (const QString& step : steps.split("; ", Qt::SkipEmptyParts))
                act(w, step);
            QTest::mouseClick(w.cmd_Close, Qt::LeftButton);
            return d.result();
        });
        forms::Start()->findChild<QAction*>(menu)->trigger();
        QVERIFY(dialogs_->allUsed());
        QVERIFY(!forms::Tags_If_Loaded());
        QCOMPARE(state().Tags_Window_Pos, 0);
        QTEST(changes(int(before)), "changes");
    }
};

TESK_TEST(TagsWindowTest)

#include "tags_window_test.moc"
