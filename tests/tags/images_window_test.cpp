// The Images tool opened from the Window menu on a site, with real PNG, JPEG
// and GIF files made here, driven by clicks and keys: what lands on disk
// (the "To" folder, the trash, the list files), what the user is told, and
// what reaches the Source window's tag bars.

#include "tesk_test.h"
#include "test_support.h"

#include "app/frm_Start.h"
#include "app/startup.h"
#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "source/frm_Source.h"
#include "source/tag_bars.h"
#include "tags/frm_Images.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDirIterator>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>

using namespace tesk::test;

namespace {

const QByteArray kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02" "D\x01\x00;", 35);

} // namespace

class ImagesWindowTest : public QObject {
    Q_OBJECT

private:
    TempSite* site_ = nullptr;
    ScriptedDialogs* dialogs_ = nullptr;
    frm_Images* w_ = nullptr;
    QByteArray home_, dataHome_;

    QString from() const { return site_->path("pictures"); }
    QString to() const { return site_->path("site/Final-Pages/Images"); }
    QString where(const QString& shortName) const
    {
        const QString folder = shortName.section('/', 0, 0);
        return (folder == "to" ? to() : folder == "from" ? from() : site_->path(folder)) + '/' + shortName.section('/', 1);
    }

    void clickRow(int pane, const QString& name)
    {
        QListWidget* l = w_->fil_Image[pane];
        const QList<QListWidgetItem*> found = l->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(found.first()).center());
        QTRY_COMPARE(w_->Image_Name, name);
    }

    // "from|to <file>" click in a list, "click <control>", "answer Yes|No|Ok",
    // "old <to/file>" a file of the "To" folder dated 2001, "readonly <file>",
    // "rename <text>" typed into the name field and Enter, "choose <pane> <item>"
    // in a folder box, "gone <folder>", "call Delete_Image" (the button hidden).
    void act(const QString& step)
    {
        const QString arg = step.section(' ', 1);
        if (step.startsWith("from ") || step.startsWith("to ")) {
            clickRow(step.startsWith("to ") ? 1 : 0, arg);
        } else if (step.startsWith("click ")) {
            auto* c = w_->findChild<QWidget*>(arg);
            QVERIFY2(c && c->isVisible(), qPrintable(step));
            QTest::mouseClick(c, Qt::LeftButton);
        } else if (step.startsWith("answer ")) {
            dialogs_->answerNextMessage(arg == "Yes" ? dialogs::Answer::Yes
                                        : arg == "No" ? dialogs::Answer::No : dialogs::Answer::Ok);
        } else if (step.startsWith("old ")) {
            QFile f(where(arg));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("old") == 3 && f.flush());
            QVERIFY(f.setFileTime(QDateTime(QDate(2001, 5, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
            f.close();
            w_->Show_Files(1, to());
        } else if (step.startsWith("readonly ")) {
            setReadOnly(where(arg), true);
        } else if (step.startsWith("rename ")) {
            QTest::mouseClick(w_->cmd_Rename, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), w_->txt_Rename);
            w_->txt_Rename->setText(arg);
            QTest::keyClick(w_->txt_Rename, Qt::Key_Return);
        } else if (step.startsWith("choose ")) {
            QComboBox* box = w_->cbo_Folders[arg.section(' ', 0, 0).toInt()];
            box->setCurrentIndex(arg.section(' ', 1).toInt());
            emit box->activated(box->currentIndex());
        } else if (step.startsWith("gone ")) {
            QVERIFY(QDir(where(arg + "/")).removeRecursively());
        } else if (step == "call Delete_Image") {
            QVERIFY(!w_->cmd_Delete_Image->isVisible());
            w_->Delete_Image();
        }
    }

private Q_SLOTS:
    void init()
    {
        home_ = qgetenv("HOME");
        dataHome_ = qgetenv("XDG_DATA_HOME");
        resetProgram();
        site_ = new TempSite;
        dialogs_ = new ScriptedDialogs;
        // Deleted pictures go to a trash of the test's own.
        qputenv("HOME", site_->path("").toUtf8());
        qputenv("XDG_DATA_HOME", site_->path("data").toUtf8());
        QDir().mkpath(from());
        QDir().mkpath(site_->path("old"));
        QDir().mkpath(site_->path("data"));
        QVERIFY(QImage(40, 30, QImage::Format_RGB32).save(from() + "/a.png"));
        QImage big(64, 48, QImage::Format_RGB32);
        big.fill(Qt::blue);
        QVERIFY(big.save(from() + "/b.jpg"));
        QVERIFY(writeFile(from() + "/c.gif", kGif));
        QVERIFY(writeFile(from() + "/bad.jpg", QByteArray("\xFF\xD8\xFF\xE0 broken", 12)));
        Main(site_->programFolder());
        site_->apply();
        state().Image_Pattern = "*.gif;*.jpg;*.png";
        QVERIFY(writeFile(site_->path("site/Working-Pages/Images, From.lst"), (from() + "\r\n").toUtf8()));
        QVERIFY(writeFile(site_->path("site/Working-Pages/Images, To.lst"), (site_->path("old") + "\r\n").toUtf8()));
        QVERIFY(writeFile(site_->path("site/Working-Pages/index.rtf"), "{\\rtf1 }"));
        forms::Source()->Working_Folder_Files();
        forms::Start()->findChild<QAction*>("mnu_Window_Images")->trigger();
        w_ = forms::Images();
        QVERIFY(w_->isVisible());
        act("choose 0 1");
        QCOMPARE(w_->fil_Image[0]->count(), 4);
    }
    void cleanup()
    {
        for (const char* f : {"to/b.jpg", "from/b.jpg"})
            setReadOnly(where(f), false);
        resetProgram();
        delete dialogs_;
        delete site_;
        qputenv("HOME", home_);
        if (dataHome_.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", dataHome_);
    }

    void filesAndFolders_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("changes");
        QTest::newRow("copy a picture into the site") << "from b.jpg; click cmd_Copy" << "+to/b.jpg";
        QTest::newRow("copy over, No") << "old to/b.jpg; from b.jpg; answer No; click cmd_Copy"
            << "+to/b.jpg(2001) Image Exists: Replace Existing File? (No by default)";
        QTest::newRow("copy over, Yes") << "old to/b.jpg; from b.jpg; answer Yes; click cmd_Copy"
            << "+to/b.jpg Image Exists: Replace Existing File? (No by default)";
        QTest::newRow("copy over a read-only picture") << "old to/b.jpg; readonly to/b.jpg; from b.jpg; answer Ok; click cmd_Copy"
            << "+to/b.jpg(2001) TWE - Protected Image: b.jpg|is a Read Only File|and cannot be Replaced";
        QTest::newRow("copy onto itself") << "from b.jpg; click cmd_New_1; answer Ok; click cmd_Copy"
            << "Copy File: ~/pictures/b.jpg|Is Already in the \"To\" Folder to.lst=~/old|~/pictures|";
        QTest::newRow("rename: old extension, real rename") << "old to/b.jpg; to b.jpg; rename sunset.png"
            << "+to/sunset.png.jpg(2001)";
        QTest::newRow("rename: a dotted name left as it was") << "old to/x.y.jpg; to x.y.jpg; rename x.y.jpg"
            << "+to/x.y.jpg(2001)";
        QTest::newRow("rename over another: Enter keeps it") << "old to/b.jpg; old to/d.jpg; to b.jpg; answer No; rename d"
            << "+to/b.jpg(2001) +to/d.jpg(2001) Image Exists: Replace Existing File? (No by default)";
        QTest::newRow("rename a read-only picture") << "old to/b.jpg; readonly to/b.jpg; to b.jpg; answer Ok; rename x"
            << "+to/b.jpg(2001) TWE - Protected Image: b.jpg|is a Read Only File|and cannot be Renamed";
        QTest::newRow("rename out of the folder") << "old to/b.jpg; to b.jpg; answer Ok; rename x/../../y"
            << "+to/b.jpg(2001) TWE - Image Name: x/../../y|cannot be used as a picture name.|"
               "A picture name may not hold / or \\: the picture stays in its folder.";
        QTest::newRow("delete: to the trash") << "old to/b.jpg; to b.jpg; click cmd_Delete_Image" << "+data/Trash/files/b.jpg(2001)";
        QTest::newRow("delete: no data folder yet") << "gone data; old to/b.jpg; to b.jpg; click cmd_Delete_Image"
            << "+data/Trash/files/b.jpg(2001)";
        QTest::newRow("delete a read-only picture") << "old to/b.jpg; readonly to/b.jpg; to b.jpg; answer Ok; click cmd_Delete_Image"
            << "+to/b.jpg(2001) TWE - Protected Image: b.jpg|is a Read Only File|and cannot be Deleted";
        QTest::newRow("the From picture after a To folder action") << "from b.jpg; choose 1 0; call Delete_Image" << "";
        QTest::newRow("a remembered folder gone") << "gone old; answer Ok; choose 1 1" << "Select Folder: ~/old|No Longer Exists to.lst=";
    }
    void filesAndFolders()
    {
        QFETCH(QString, steps);
        const QString toList = site_->path("site/Working-Pages/Images, To.lst");
        const QByteArray listBefore = readFile(toList);
        // The folder picker, when asked, chooses the "From" folder.
        dialogs_->onModal([this](QDialog&) {
            state().Selected_Folder = from();
            return int(QDialog::Accepted);
        });
        for (const QString& step : steps.split("; "))
            act(step);
        // What is in the "To" folder and the trash ("(2001)": the date kept).
        QStringList out;
        for (const QString& folder : {to(), site_->path("data/Trash/files")}) {
            for (QDirIterator it(folder, QDir::Files); it.hasNext();) {
                const QString path = it.next();
                const bool kept = QFileInfo(path).lastModified().date().year() == 2001;
                out << '+' + QString(path).replace(to(), "to").replace(site_->path(""), "") + (kept ? "(2001)" : "");
            }
        }
        if (readFile(toList) != listBefore)
            out << "to.lst=" + QString::fromUtf8(readFile(toList)).replace("\r\n", "|");
        for (const dialogs::Message& m : dialogs_->messages())
            out << m.title + ": " + QString(m.text).replace("\r\n", "|")
                    + (m.defaultButton == dialogs::Answer::No ? " (No by default)" : "");
        // No picture of the "From" folder is ever lost or changed.
        for (const char* name : {"a.png", "b.jpg", "c.gif", "bad.jpg"})
            QVERIFY2(readFile(from() + '/' + name).size() > 3, name);
        out.sort();
        QTEST(out.join(' ').replace(site_->path(""), "~/"), "changes");
    }

    // A picture renamed, or left with its name, stays the one selected.
    void renamedPictureStaysSelected_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");  // the "To" folder's files; the selected one first
        QTest::newRow("left as it was") << "x.y.jpg" << "x.y.jpg";
        QTest::newRow("a new dotted name") << "a.b" << "a.b.jpg";
        QTest::newRow("own extension typed") << "z.JPG" << "z.jpg";
    }
    void renamedPictureStaysSelected()
    {
        QFETCH(QString, typed);
        QFETCH(QString, after);
        act("old to/x.y.jpg");
        act("to x.y.jpg");
        act("rename " + typed);
        QTRY_COMPARE(QDir(to()).entryList(QDir::Files).join(' '), after);
        const QListWidgetItem* item = w_->fil_Image[1]->currentItem();
        QVERIFY(item && item->isSelected());
        QCOMPARE(item->text(), after);
        QCOMPARE(w_->Image_Name, after);
    }

    void tagToListsAndBars()
    {
        act("from a.png");
        QCOMPARE(w_->lbl_cur_Size->text(), QStringLiteral("w = 40,  h = 30"));
        w_->cbo_HTML_Pages->setCurrentIndex(w_->cbo_HTML_Pages->findText("index"));
        emit w_->cbo_HTML_Pages->activated(w_->cbo_HTML_Pages->currentIndex());
        w_->cbo_Page_Anchor->setFocus();
        w_->cbo_Page_Anchor->setEditText("top");
        QTest::keyClick(w_->cbo_Page_Anchor, Qt::Key_Return);
        w_->cbo_Target->setFocus();
        w_->cbo_Target->setEditText(" main ");
        QTest::keyClick(w_->cbo_Target, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w_->rtb_Image);
        w_->txt_Name->setText("The \"sea\"");
        QTest::keyClick(w_->txt_Name, Qt::Key_Return);
        const QString tag = "<a href=\"index.html#top\" target=\"main\"> <img src=\"Images/a.png\" width=\"40\" "
                            "height=\"30\" alt=\"The &quot;sea&quot;\"> </a>";
        QCOMPARE(w_->rtb_Image->Text(), tag);
        QTest::mouseClick(w_->cmd_Add_to_List, Qt::LeftButton);
        QCOMPARE(readFile(site_->path("site/Working-Pages/Image.lst")), (tag + "\r\n").toUtf8());
        QCOMPARE(readFile(site_->path("site/Working-Pages/Anchor.lst")), QByteArray("top\r\n"));
        QCOMPARE(readFile(site_->path("site/Working-Pages/Target.lst")), QByteArray("main\r\n"));
        TagBars* bars = forms::Source()->tagBars;
        QCOMPARE(bars->cbo_Tag[1]->itemText(bars->cbo_Tag[1]->count() - 1), tag);
        QVERIFY(bars->cbo_Tag[3]->findText("top") > 0);
        QVERIFY(bars->cbo_Target[2]->findText("main") > 0);
        // A damaged picture: a note, no tag, nothing else.
        act("from bad.jpg");
        QCOMPARE(w_->pic_cur_Image->text(), QStringLiteral("This picture could not be read"));
        QCOMPARE(w_->rtb_Image->Text(), QString());
    }

    // A picture that cannot be read says so; the tag of the picture before
    // it goes, but a tag the user wrote or changed by hand stays.
    void unreadablePictureKeepsTypedTag_data()
    {
        QTest::addColumn<QString>("before");  // a picture clicked first, or ""
        QTest::addColumn<QString>("typed");   // then typed over the tag box, or ""
        QTest::addColumn<QString>("kept");    // the tag box after bad.jpg
        const QString tag = "<img src=\"Images/a.png\" width=\"40\" height=\"30\">";
        QTest::newRow("the program's tag goes") << "a.png" << "" << "";
        QTest::newRow("a tag changed by hand stays") << "a.png" << "<img src=\"x.png\" class=\"wide\">"
                                                     << "<img src=\"x.png\" class=\"wide\">";
        QTest::newRow("a tag typed with no picture stays") << "" << "<hr>" << "<hr>";
        QTest::newRow("an empty box stays empty") << "" << "" << "";
        QTest::newRow("retyped just as the program built it: goes")
            << "a.png" << tag << "";
    }
    void unreadablePictureKeepsTypedTag()
    {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        if (!before.isEmpty())
            act("from " + before);
        if (!typed.isEmpty()) {
            w_->rtb_Image->setFocus();
            w_->rtb_Image->selectAll();
            QTest::keyClicks(w_->rtb_Image, typed);
        }
        act("from bad.jpg");
        QCOMPARE(w_->pic_cur_Image->text(), QStringLiteral("This picture could not be read"));
        QVERIFY(w_->pic_cur_Image->isVisible());
        QCOMPARE(w_->lbl_cur_Size->text(), QString());
        QTEST(w_->rtb_Image->Text(), "kept");
        // A picture that can be read builds its tag again.
        act("from c.gif");
        QVERIFY(w_->rtb_Image->Text().startsWith("<img src=\"Images/c.gif\""));
    }

    // With no working folder there is no list to add to: the user is told
    // why, and nothing is written anywhere (a list beside the program, say).
    void addToListNeedsAWorkingFolder()
    {
        act("from a.png");
        const QString tag = w_->rtb_Image->Text();
        QVERIFY(!tag.isEmpty());
        TagBars* bars = forms::Source()->tagBars;
        const int entries = bars->cbo_Tag[1]->count();
        state().Working_Folder.clear();
        Derive_Site_Folders(state());
        dialogs_->answerNextMessage(dialogs::Answer::Ok);
        QTest::mouseClick(w_->cmd_Add_to_List, Qt::LeftButton);
        const dialogs::Message m = dialogs_->messages().last();
        QVERIFY2(m.text.contains("no working folder") && m.text.contains("File > Working Folder..."), qPrintable(m.text));
        QCOMPARE(m.title, QStringLiteral("TWE - No Working Folder"));
        QCOMPARE(bars->cbo_Tag[1]->count(), entries);
        QDirIterator it(site_->path(""), {"Image.lst"}, QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(!it.hasNext());
        QVERIFY(!QFile::exists(QDir::current().filePath("Working-Pages/Image.lst")));
    }

    void largePicture()
    {
        QImage large(3000, 2000, QImage::Format_RGB32);
        large.fill(Qt::red);
        QVERIFY(large.save(from() + "/large.jpg"));
        w_->Show_Files(0, from());
        // Arrow keys resting on a picture show it.
        w_->fil_Image[0]->setFocus();
        w_->fil_Image[0]->setCurrentRow(0);
        QTest::keyClick(w_->fil_Image[0], Qt::Key_Down);
        QTRY_COMPARE(w_->Image_Name, QStringLiteral("b.jpg"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(w_->fil_Image[0], Qt::Key_Down);
        QTRY_COMPARE(w_->Image_Name, QStringLiteral("large.jpg"));
        QCOMPARE(w_->pictureSize(), QSize(3000, 2000));
        QVERIFY(w_->Too_Large && w_->tb_Full_Size->isVisible());
        QVERIFY(w_->pic_cur_Image->width() <= w_->pic_cur_Frame->width());
        QTest::mouseClick(w_->cmd_Full_Size, Qt::LeftButton);
        QVERIFY(w_->pic_Full_Frame->isVisible());
        QCOMPARE(w_->pic_Full_Image->pixmap().size(), QSize(3000, 2000));
        QTest::keyClick(w_->pic_Full_Frame, Qt::Key_Escape);
        QVERIFY(!w_->pic_Full_Frame->isVisible() && w_->tb_Full_Size->isVisible());
        QTest::mouseClick(w_->cmd_Clipboard, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(3000, 2000));
    }
};

TESK_TEST(ImagesWindowTest)

#include "images_window_test.moc"
