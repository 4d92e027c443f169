// The settings file: what is written, what is read back, and the rules that
// are not a plain round trip.

#include "tesk_test.h"
#include "test_support.h"

#include "core/settings_file.h"
#include "core/shared_state.h"
#include "core/startup.h"
#include "platform/file_system.h"

#include <QDir>
#include <QTemporaryDir>

using namespace tesk::test;

namespace {

QStringList linesOf(const QByteArray& bytes)
{
    return fs::splitLines(fs::decodeText(bytes));
}

// A state with every stored value changed from its default.
SharedState changedState(const QString& programFolder)
{
    SharedState s;
    s.Program_Folder = programFolder;
    s.Working_Folder = QStringLiteral("/srv/sites/Garden Club/");
    s.Browser_Window_Pos = 4;
    s.Source_Window_Pos = 3;
    s.Image_Window_Pos = 3;
    s.Color_Window_Pos = -2;
    s.Arrange_Horizontal = true;
    s.Browser_Home_Page = QStringLiteral("https://example.org/start.html");
    s.Show_Browser_Buttons = false;
    s.Show_Access_Button = false;
    s.Margin_Left = 720;
    s.Margin_Top = 360;
    s.Margin_Right = 1440;
    s.Margin_Bottom = -5;
    s.Page_Number_Pos = 4;
    s.Date_Revised_Pos = 3;
    s.Filename_Pos = 2;
    s.Path_Name_Pos = 1;
    s.Font_Name = QStringLiteral("Courier New");
    s.Font_Size = 12;
    s.Code_Color_Names = {QStringLiteral("Black"), QStringLiteral(" Navy "), QStringLiteral(" Yellow "),
                          QStringLiteral(" Magenta ")};
    s.Code_Color_Numbers = {0, 1, 14, 5};
    s.Measure_Units = 2;
    s.Tab_Spacing = 567;
    s.Text_Indent = 1134;
    s.Source_File_Filter = QStringLiteral("Source Files (*.rtf)|*.rtf|");
    s.Web_Page_Filter = QStringLiteral("HTML (*.html)|*.html|");
    s.Support_File_Pattern = QStringLiteral("*.css");
    s.Image_Pattern = QStringLiteral("*.png;*.gif");
    s.Background_Pattern = QStringLiteral("*.png");
    s.Bookmark_Chars = QStringLiteral("##");
    s.Normal_Left = 300;
    s.Normal_Top = 200;
    s.Normal_Width = 10000;
    s.Normal_Height = 9000;
    s.Use_XHTML = true;
    return s;
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + QLatin1Char('/'); }
    QString iniPath() const { return folder() + QStringLiteral("Tesk Web Editor.ini"); }

private Q_SLOTS:
    void init()
    {
        QDir d(dir_.path());
        for (const QString& f : d.entryList(QDir::Files))
            d.remove(f);
        resetProgram();
    }

    void defaultFileHasTheDocumentedLines()
    {
        SharedState s;
        s.Program_Folder = folder();
        s.Working_Folder = QStringLiteral("/home/user/site/");
        QCOMPARE(Write_Settings_File(s), fs::Result::Ok);

        const QByteArray bytes = readFile(iniPath());
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), kSettingsLines);
        QCOMPARE(bytes.count('\n'), kSettingsLines);  // no bare line feeds
        const QStringList l = linesOf(bytes);
        QCOMPARE(l.size(), kSettingsLines);
        QCOMPARE(l[0], QStringLiteral("\"Working Folder:\""));
        QCOMPARE(l[1], QStringLiteral("\"/home/user/site/\""));
        QCOMPARE(l[3], QStringLiteral("\"\""));
        QCOMPARE(l[5], QStringLiteral("\" 2 Browser Window\""));
        QCOMPARE(l[6], QStringLiteral("\" 2 Source Window\""));
        QCOMPARE(l[7], QStringLiteral("\"-2 Text Window\""));
        QCOMPARE(l[8], QStringLiteral("\"-2 Image Window\""));
        QCOMPARE(l[11], QStringLiteral("\"Windows Arranged Horizontally: \""));
        QCOMPARE(l[12], QStringLiteral("#FALSE#"));
        QCOMPARE(l[16], QStringLiteral("#TRUE#"));
        QCOMPARE(l[18], QStringLiteral("#TRUE#"));
        QCOMPARE(l[20], QStringLiteral("\" 1440 Left Margin\""));
        QCOMPARE(l[21], QStringLiteral("\" 1080 Top Margin\""));
        QCOMPARE(l[25], QStringLiteral("\" 0 Page Number\""));
        QCOMPARE(l[32], QStringLiteral("10"));
        QCOMPARE(l[34], QStringLiteral("\"Blue\""));
        QCOMPARE(l[35], QStringLiteral("9"));
        QCOMPARE(l[41], QStringLiteral("\"1 = Inches\""));
        QCOMPARE(l[42], QStringLiteral("360"));
        QCOMPARE(l[43], QStringLiteral("1080"));
        QCOMPARE(l[64], QStringLiteral("#FALSE#"));
    }

    void everyStoredValueSurvivesARoundTrip()
    {
        SharedState written = changedState(folder());
        QCOMPARE(Write_Settings_File(written), fs::Result::Ok);

        SharedState read;
        read.Program_Folder = folder();
        QCOMPARE(Read_Settings_File(read), SettingsRead::Ok);

        QCOMPARE(read.Working_Folder, written.Working_Folder);
        QCOMPARE(read.Browser_Window_Pos, 4);
        QCOMPARE(read.Source_Window_Pos, 3);
        QCOMPARE(read.Image_Window_Pos, 3);
        QCOMPARE(read.Tool_Pane_Window, 1);
        QCOMPARE(read.Color_Window_Pos, -2);
        QCOMPARE(read.Arrange_Horizontal, true);
        QCOMPARE(read.Browser_Home_Page, written.Browser_Home_Page);
        QCOMPARE(read.Show_Browser_Buttons, false);
        QCOMPARE(read.Show_Access_Button, false);
        QCOMPARE(read.Margin_Left, 720);
        QCOMPARE(read.Margin_Top, 360);
        QCOMPARE(read.Margin_Right, 1440);
        QCOMPARE(read.Margin_Bottom, -5);
        QCOMPARE(read.Page_Number_Pos, 4);
        QCOMPARE(read.Date_Revised_Pos, 3);
        QCOMPARE(read.Filename_Pos, 2);
        QCOMPARE(read.Path_Name_Pos, 1);
        QCOMPARE(read.Font_Name, written.Font_Name);
        QCOMPARE(read.Font_Size, 12);
        QCOMPARE(read.Code_Color_Names, written.Code_Color_Names);
        QCOMPARE(read.Code_Color_Numbers, written.Code_Color_Numbers);
        QCOMPARE(read.Measure_Units, 2);
        QCOMPARE(read.Tab_Spacing, 567);
        QCOMPARE(read.Text_Indent, 1134);
        QCOMPARE(read.Source_File_Filter, written.Source_File_Filter);
        QCOMPARE(read.Web_Page_Filter, written.Web_Page_Filter);
        QCOMPARE(read.Support_File_Pattern, written.Support_File_Pattern);
        QCOMPARE(read.Image_Pattern, written.Image_Pattern);
        QCOMPARE(read.Background_Pattern, written.Background_Pattern);
        QCOMPARE(read.Bookmark_Chars, written.Bookmark_Chars);
        QCOMPARE(read.Normal_Left, 300);
        QCOMPARE(read.Normal_Top, 200);
        QCOMPARE(read.Normal_Width, 10000);
        QCOMPARE(read.Normal_Height, 9000);
        QCOMPARE(read.Use_XHTML, true);

        // Writing what was read gives the same file again.
        const QByteArray first = readFile(iniPath());
        QCOMPARE(Write_Settings_File(read), fs::Result::Ok);
        QCOMPARE(readFile(iniPath()), first);
    }

    void toolWindowCodes_data()
    {
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("colors");
        QTest::addColumn<int>("expImages");
        QTest::addColumn<int>("expColors");
        QTest::addColumn<int>("expPane");
        QTest::newRow("both closed") << -2 << -2 << -2 << -2 << 0;
        QTest::newRow("zero ignored") << 0 << 0 << -2 << -2 << 0;
        QTest::newRow("negative ignored") << -1 << -1 << -2 << -2 << 0;
        QTest::newRow("images open") << 3 << -2 << 3 << -2 << 1;
        QTest::newRow("colors open") << -2 << 1 << -2 << 1 << 2;
        QTest::newRow("both open: colors win") << 2 << 3 << 2 << 3 << 2;
    }
    void toolWindowCodes()
    {
        QFETCH(int, images);
        QFETCH(int, colors);
        SharedState w;
        w.Program_Folder = folder();
        w.Image_Window_Pos = images;
        w.Color_Window_Pos = colors;
        Write_Settings_File(w);
        SharedState r;
        r.Program_Folder = folder();
        QCOMPARE(Read_Settings_File(r), SettingsRead::Ok);
        QTEST(r.Image_Window_Pos, "expImages");
        QTEST(r.Color_Window_Pos, "expColors");
        QTEST(r.Tool_Pane_Window, "expPane");
    }

    void headFootCodesOfFiveOrMoreAreIgnored()
    {
        SharedState w;
        w.Program_Folder = folder();
        w.Page_Number_Pos = 5;
        w.Date_Revised_Pos = 9;
        w.Filename_Pos = 4;
        w.Path_Name_Pos = -1;
        Write_Settings_File(w);
        SharedState r;
        r.Program_Folder = folder();
        r.Page_Number_Pos = 0;
        QCOMPARE(Read_Settings_File(r), SettingsRead::Ok);
        QCOMPARE(r.Page_Number_Pos, 0);
        QCOMPARE(r.Date_Revised_Pos, 0);
        QCOMPARE(r.Filename_Pos, 4);
        QCOMPARE(r.Path_Name_Pos, -1);
    }

    void closedSourceWindowIsStoredAsMinusTwo()
    {
        SharedState s;
        s.Program_Folder = folder();
        s.Source_Window_Pos = 0;
        Write_Settings_File(s);
        QCOMPARE(s.Source_Window_Pos, -2);
        QCOMPARE(linesOf(readFile(iniPath()))[6], QStringLiteral("\"-2 Source Window\""));

        s.Source_Window_Pos = 1;
        Write_Settings_File(s);
        QCOMPARE(s.Source_Window_Pos, 1);
    }

    void shortFileKeepsWhatWasReadAndShowsTheMessage()
    {
        SharedState w = changedState(folder());
        Write_Settings_File(w);
        const QStringList all = linesOf(readFile(iniPath()));
        writeFile(iniPath(), fs::encodeText(fs::joinLines(all.mid(0, 40))));

        state().Program_Folder = folder();
        {
            ScriptedDialogs d;
            d.expectMessage(QStringLiteral("Default Retrieval not Successful"));
            Retrieve_Defaults();
            QVERIFY(d.allUsed());
            QCOMPARE(d.messages().first().title, QStringLiteral("Tesk Web Editor"));
        }
        const SharedState& s = state();
        // Lines 1-40 were there: their values are in force ...
        QCOMPARE(s.Working_Folder, w.Working_Folder);
        QCOMPARE(s.Font_Name, w.Font_Name);
        QCOMPARE(s.Code_Color_Numbers[3], 5);
        // ... and from line 41 on the defaults stay.
        QCOMPARE(s.Measure_Units, 1);
        QCOMPARE(s.Tab_Spacing, 360);
        QCOMPARE(s.Use_XHTML, false);
    }

    void damagedBooleanStopsTheReading()
    {
        SharedState w;
        w.Program_Folder = folder();
        w.Arrange_Horizontal = true;
        Write_Settings_File(w);
        QStringList l = linesOf(readFile(iniPath()));
        l[12] = QStringLiteral("maybe");
        writeFile(iniPath(), fs::encodeText(fs::joinLines(l)));
        SharedState r;
        r.Program_Folder = folder();
        QCOMPARE(Read_Settings_File(r), SettingsRead::Failed);
        QCOMPARE(r.Arrange_Horizontal, false);
        QCOMPARE(r.Browser_Window_Pos, 2);  // read before the damaged line
    }

    void missingFileIsNoError()
    {
        state().Program_Folder = folder();
        Retrieve_Defaults();  // no message box expected
        QCOMPARE(state().Font_Name, QStringLiteral("Arial"));
    }

    void editedLabelsStillRead()
    {
        SharedState w = changedState(folder());
        Write_Settings_File(w);
        QStringList l = linesOf(readFile(iniPath()));
        for (int i : {0, 2, 11, 13, 15, 17, 19, 24, 29, 31, 33, 40, 44, 46, 48, 50, 52, 54, 56, 58, 63})
            l[i] = QStringLiteral("\"(edited by hand)\"");
        writeFile(iniPath(), fs::encodeText(fs::joinLines(l)));
        SharedState r;
        r.Program_Folder = folder();
        QCOMPARE(Read_Settings_File(r), SettingsRead::Ok);
        QCOMPARE(r.Font_Name, w.Font_Name);
        QCOMPARE(r.Use_XHTML, true);
        QCOMPARE(r.Normal_Height, 9000);
    }

    void legacyWindows1252FileReadsItsCharacters()
    {
        SharedState w;
        w.Program_Folder = folder();
        w.Working_Folder = QStringLiteral("C:\\Sites\\Caf\u00e9 \u20ac\\");
        Write_Settings_File(w);
        // The same file as the old program wrote it: single-byte code page.
        QByteArray bytes = readFile(iniPath());
        bytes.replace(QStringLiteral("Caf\u00e9 \u20ac").toUtf8(), QByteArray("Caf\xe9 \x80"));
        writeFile(iniPath(), bytes);
        SharedState r;
        r.Program_Folder = folder();
        QCOMPARE(Read_Settings_File(r), SettingsRead::Ok);
        QCOMPARE(r.Working_Folder, w.Working_Folder);
    }

    void fileNameIsFoundWhateverItsLetterCase()
    {
        SharedState w = changedState(folder());
        Write_Settings_File(w);
        QVERIFY(QFile::rename(iniPath(), folder() + QStringLiteral("Tesk WEB Editor.ini")));
        SharedState r;
        r.Program_Folder = folder();
        QCOMPARE(Read_Settings_File(r), SettingsRead::Ok);
        QCOMPARE(r.Font_Name, w.Font_Name);

        // Storing again replaces that file rather than adding a second one.
        r.Font_Size = 14;
        QCOMPARE(Write_Settings_File(r), fs::Result::Ok);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("Tesk WEB Editor.ini")});
        SharedState again;
        again.Program_Folder = folder();
        Read_Settings_File(again);
        QCOMPARE(again.Font_Size, 14);
    }

    void failedStoreKeepsThePreviousFile()
    {
        SharedState w;
        w.Program_Folder = folder();
        w.Font_Name = QStringLiteral("Verdana");
        Write_Settings_File(w);
        const QByteArray before = readFile(iniPath());

        setReadOnly(dir_.path(), true);
        state().Program_Folder = folder();
        state().Font_Name = QStringLiteral("Georgia");
        {
            ScriptedDialogs d;
            d.expectMessage(QStringLiteral("Default Storage not Successful"));
            Store_Defaults();
            QVERIFY(d.allUsed());
        }
        setReadOnly(dir_.path(), false);
        QCOMPARE(readFile(iniPath()), before);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).size(), 1);  // no temporary left behind
    }

    void exitStoresTheSettings()
    {
        state().Program_Folder = folder();
        state().Working_Folder = QStringLiteral("/tmp/x/");
        End_Program();
        QCOMPARE(linesOf(readFile(iniPath()))[1], QStringLiteral("\"/tmp/x/\""));
    }
};
TESK_TEST(SettingsFileTest)

#include "settings_file_test.moc"
