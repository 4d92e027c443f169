// Every file the user's work goes to, written on a real full disk (a tmpfs
// filled to its last byte) with a page open and edited: the old file keeps
// its bytes, the user is told which file and why, and the edits stay marked
// as not saved. An injected failure strikes before the buffers take the
// bytes; only a real disk shows what happens when the write that fails is
// the last one.

#include "tesk_test.h"
#include "source_window_support.h"

#include "core/settings_file.h"
#include "source/tag_bars.h"
#include "tags/frm_Colors.h"

#include <QDirIterator>

using namespace tesk::test;

class RealFullDiskTest : public QObject {
    Q_OBJECT

    static QStringList filesIn(const QString& folder)
    {
        QStringList out;
        for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
            out << it.next();
        out.sort();
        return out;
    }

private Q_SLOTS:
    void init() { resetProgram(); }

    void oldFileKeptAndTold_data()
    {
        QTest::addColumn<QString>("folder");   // mounted full
        QTest::addColumn<QString>("file");     // the file the user's work goes to
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("message");  // paths shortened, line ends as ¶
        QTest::newRow("source, Ctrl+S")
            << "WP/" << "WP/index.rtf" << "Ctrl+S"
            << "The source file could not be saved:¶WP/index.rtf¶(the disk is full)¶"
               "Your changes are still in the editor.";
        QTest::newRow("page, Ctrl+S")
            << "FP/" << "FP/index.html" << "Ctrl+S"
            << "The page file could not be saved:¶FP/index.html¶(the disk is full)";
        QTest::newRow("page, Save and Refresh")
            << "FP/" << "FP/index.html" << "mnu_Source_Save"
            << "The page file could not be saved:¶FP/index.html¶(the disk is full)";
        QTest::newRow("settings file")
            << "P/" << "P/Tesk Web Editor.ini" << "store settings"
            << "Default Storage not Successful";
        QTest::newRow("anchor list, a new name in the Source window's bar")
            << "WP/" << "WP/Anchor.lst" << "new anchor"
            << "The list file¶WP/Anchor.lst¶could not be written (the disk is full).¶¶"
               "The entry stays in the list until the program ends.";
        QTest::newRow("colour list, Add to List")
            << "WP/" << "WP/Color.lst" << "add colour"
            << "The list file¶WP/Color.lst¶could not be written (the disk is full).¶¶"
               "The entry stays in the list until the program ends.";
        QTest::newRow("colour setting file, saved over")
            << "WP/" << "WP/Greens.clr" << "save colours"
            << "The color setting file¶WP/Greens.clr¶could not be saved (the disk is full).¶¶"
               "No file was changed.";
    }
    void oldFileKeptAndTold()
    {
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QFETCH(QString, action);
        QFETCH(QString, message);
        SourceWindow f;
        QCOMPARE(Settings_Path(User_Files_Folder(state())), f.expand("P/Tesk Web Editor.ini"));
        f.open("index", "<p>old</p>\r\n");
        f.run("type new ; write P/Tesk Web Editor.ini=\"Working Folder:\"\r\n; "
              "write WP/Anchor.lst=top\r\n; write WP/Color.lst=<font color=\"Red\">\r\n; "
              "write WP/Greens.clr=\"Greens\"\r\n");
        const QString path = f.expand(file);
        const QByteArray old = readFile(path);
        QVERIFY(!old.isEmpty());

        FullFileSystem full(f.expand(folder));
        if (!full.mounted())
            QSKIP(qPrintable(full.whyNot()));
        QVERIFY2(full.whyNot().isEmpty(), qPrintable(full.whyNot()));
        QCOMPARE(readFile(path), old);
        // The files were copied onto the new file system, which the editor
        // would rightly take for a change made outside: it is told they are
        // its own, as an open of them would.
        f.w->Record_Disk();
        const QStringList files = filesIn(f.expand(folder));

        f.dialogs.answerNextMessage(dialogs::Answer::Ok);
        const qsizetype told = f.dialogs.messages().size();
        if (action == "store settings") {
            Store_Defaults();
        } else if (action == "new anchor") {
            f.w->tagBars->Select_Tag(3);
            f.w->tagBars->Add_New_Link();
            QTest::keyClicks(f.w->tagBars->txt_New_Tag, "zoo");
            QTest::keyClick(f.w->tagBars->txt_New_Tag, Qt::Key_Return);
        } else if (action == "add colour") {
            forms::Colors()->rtb_Choices->setText("<body bgcolor=\"#FF9900\">");
            forms::Colors()->Add_to_List();
        } else if (action == "save colours") {
            f.dialogs.onFile([path](const dialogs::FileRequest&) { return dialogs::FileResult{path, {}}; });
            forms::Colors()->Save_As_Color_File();
        } else {
            f.act(action);
        }

        QCOMPARE(readFile(path), old);
        QCOMPARE(filesIn(f.expand(folder)), files);  // nothing left beside it
        QCOMPARE(f.dialogs.messages().size(), told + 1);
        QCOMPARE(f.shorten(f.dialogs.messages().last().text).replace('\n', QStringLiteral("\u00b6")), message);
        QVERIFY(f.dialogs.allUsed());
        QVERIFY(state().Source_Changed);
        QVERIFY2(f.w->frame()->windowTitle().endsWith(" *"), qPrintable(f.w->frame()->windowTitle()));
    }
};
TESK_TEST(RealFullDiskTest)

#include "real_full_disk_test.moc"
