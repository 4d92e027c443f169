// The settings file: what is written, what is read back, and the rules that
// are not a plain round trip.

#include "tesk_test.h"
#include "test_support.h"

#include "core/settings_file.h"
#include "core/shared_state.h"
#include "app/startup.h"
#include "platform/file_system.h"

#include <QDebug>
#include <QDir>
#include <QTemporaryDir>

using namespace tesk::test;

namespace {

QStringList linesOf(const QByteArray& bytes)
{
    return fs::splitLines(fs::decodeText(bytes));
}

// Every value the file stores, as one text to compare two states by.
QString storedValues(const SharedState& s)
{
    QString out;
    QDebug(&out) << s.Working_Folder << s.Browser_Window_Pos << s.Source_Window_Pos << s.Image_Window_Pos
                 << s.Color_Window_Pos << s.Arrange_Horizontal << s.Browser_Home_Page << s.Show_Browser_Buttons
                 << s.Show_Access_Button << s.Margin_Left << s.Margin_Top << s.Margin_Right << s.Margin_Bottom
                 << s.Page_Number_Pos << s.Date_Revised_Pos << s.Filename_Pos << s.Path_Name_Pos << s.Font_Name
                 << s.Font_Size << QStringList(s.Code_Color_Names.begin(), s.Code_Color_Names.end())
                 << QList<int>(s.Code_Color_Numbers.begin(), s.Code_Color_Numbers.end()) << s.Measure_Units << s.Tab_Spacing
                 << s.Text_Indent << s.Source_File_Filter << s.Web_Page_Filter << s.Support_File_Pattern
                 << s.Image_Pattern << s.Background_Pattern << s.Bookmark_Chars << s.Normal_Left << s.Normal_Top
                 << s.Normal_Width << s.Normal_Height << s.Use_XHTML;
    return out;
}

// A state with every stored value changed from its default.
SharedState changedState(const QString& programFolder)
{
    SharedState s;
    s.Program_Folder = programFolder;
    s.Working_Folder = QStringLiteral("/srv/sites/Garden Club/");
    s.Browser_Window_Pos = 4; s.Source_Window_Pos = 3; s.Image_Window_Pos = 3; s.Color_Window_Pos = -2;
    s.Arrange_Horizontal = true; s.Show_Browser_Buttons = false; s.Show_Access_Button = false; s.Use_XHTML = true;
    s.Browser_Home_Page = QStringLiteral("https://example.org/start.html");
    s.Margin_Left = 720; s.Margin_Top = 360; s.Margin_Right = 1440; s.Margin_Bottom = -5;
    s.Page_Number_Pos = 4; s.Date_Revised_Pos = 3; s.Filename_Pos = 2; s.Path_Name_Pos = 1;
    s.Font_Name = QStringLiteral("Courier New");
    s.Font_Size = 12;
    s.Code_Color_Names = {QStringLiteral("Black"), QStringLiteral(" Navy "), QStringLiteral(" Yellow "),
                          QStringLiteral(" Magenta ")};
    s.Code_Color_Numbers = {0, 1, 14, 5};
    s.Measure_Units = 2; s.Tab_Spacing = 567; s.Text_Indent = 1134;
    s.Source_File_Filter = QStringLiteral("Source Files (*.rtf)|*.rtf|");
    s.Web_Page_Filter = QStringLiteral("HTML (*.html)|*.html|");
    s.Support_File_Pattern = QStringLiteral("*.css");
    s.Image_Pattern = QStringLiteral("*.png;*.gif");
    s.Background_Pattern = QStringLiteral("*.png");
    s.Bookmark_Chars = QStringLiteral("##");
    s.Normal_Left = 300; s.Normal_Top = 200; s.Normal_Width = 10000; s.Normal_Height = 9000;
    return s;
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + QLatin1Char('/'); }
    QString iniPath() const { return folder() + QStringLiteral("Tesk Web Editor.ini"); }
    SharedState fresh() const
    {
        SharedState s;
        s.Program_Folder = folder();
        return s;
    }
    // Rewrites the stored file line by line.
    void editFile(const std::function<void(QStringList&)>& edit)
    {
        QStringList l = linesOf(readFile(iniPath()));
        edit(l);
        QVERIFY(writeFile(iniPath(), fs::encodeText(fs::joinLines(l))));
    }

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
        SharedState s = fresh();
        s.Working_Folder = QStringLiteral("/home/user/site/");
        QCOMPARE(Write_Settings_File(s), fs::Result::Ok);
        const QByteArray bytes = readFile(iniPath());
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), kSettingsLines);
        QCOMPARE(bytes.count('\n'), kSettingsLines);  // no bare line feeds
        const QStringList l = linesOf(bytes);
        const QList<std::pair<int, const char*>> expected{
            {1, "\"Working Folder:\""}, {2, "\"/home/user/site/\""}, {6, "\" 2 Browser Window\""},
            {7, "\" 2 Source Window\""}, {8, "\"-2 Text Window\""}, {9, "\"-2 Image Window\""}, {13, "#FALSE#"},
            {21, "\" 1440 Left Margin\""}, {33, "10"}, {35, "\"Blue\""}, {42, "\"1 = Inches\""}, {65, "#FALSE#"}};
        for (const auto& [line, text] : expected)
            QVERIFY2(l[line - 1] == QLatin1String(text), qPrintable(QString::number(line) + ": " + l[line - 1]));
    }

    void everyStoredValueSurvivesARoundTrip()
    {
        SharedState written = changedState(folder());
        QCOMPARE(Write_Settings_File(written), fs::Result::Ok);
        SharedState read = fresh();
        QCOMPARE(Read_Settings_File(read), SettingsRead::Ok);
        QCOMPARE(storedValues(read), storedValues(written));
        QCOMPARE(read.Tool_Pane_Window, 1);

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
        SharedState w, r;
        w.Image_Window_Pos = images;
        w.Color_Window_Pos = colors;
        QCOMPARE(Parse_Settings(Format_Settings(w), r), SettingsRead::Ok);
        QTEST(r.Image_Window_Pos, "expImages");
        QTEST(r.Color_Window_Pos, "expColors");
        QTEST(r.Tool_Pane_Window, "expPane");
    }

    // Head and foot codes of 5 or more keep what is in force; a closed source
    // window is stored as -2, in the file and in memory.
    void codesChangedOnTheWay()
    {
        SharedState w, r;
        w.Page_Number_Pos = 5; w.Date_Revised_Pos = 9; w.Filename_Pos = 4; w.Path_Name_Pos = -1;
        w.Source_Window_Pos = 0;
        const QString text = Format_Settings(w);
        QCOMPARE(w.Source_Window_Pos, -2);
        QCOMPARE(fs::splitLines(text)[6], QStringLiteral("\"-2 Source Window\""));
        QCOMPARE(Parse_Settings(text, r), SettingsRead::Ok);
        QCOMPARE(QList<int>({r.Page_Number_Pos, r.Date_Revised_Pos, r.Filename_Pos, r.Path_Name_Pos}),
                 QList<int>({0, 0, 4, -1}));
        w.Source_Window_Pos = 1;
        Format_Settings(w);
        QCOMPARE(w.Source_Window_Pos, 1);
    }

    void shortFileKeepsWhatWasReadAndShowsTheMessage()
    {
        SharedState w = changedState(folder());
        Write_Settings_File(w);
        editFile([](QStringList& l) { l = l.mid(0, 40); });
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
        SharedState w = fresh();
        w.Arrange_Horizontal = true;
        Write_Settings_File(w);
        editFile([](QStringList& l) { l[12] = QStringLiteral("maybe"); });
        SharedState r = fresh();
        QCOMPARE(Read_Settings_File(r), SettingsRead::Failed);
        QCOMPARE(r.Arrange_Horizontal, false);
        QCOMPARE(r.Browser_Window_Pos, 2);  // read before the damaged line
    }

    // Labels edited by hand, or a name in another letter case, still read.
    void editedLabelsAndFileNameStillRead()
    {
        SharedState w = changedState(folder());
        Write_Settings_File(w);
        editFile([](QStringList& l) {
            for (int i : {0, 2, 11, 13, 15, 17, 19, 24, 29, 31, 33, 40, 44, 46, 48, 50, 52, 54, 56, 58, 63})
                l[i] = QStringLiteral("\"(edited by hand)\"");
        });
        QVERIFY(QFile::rename(iniPath(), folder() + QStringLiteral("Tesk WEB Editor.ini")));
        SharedState r = fresh();
        QCOMPARE(Read_Settings_File(r), SettingsRead::Ok);
        QCOMPARE(storedValues(r), storedValues(w));

        // Storing again replaces that file rather than adding a second one.
        r.Font_Size = 14;
        QCOMPARE(Write_Settings_File(r), fs::Result::Ok);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("Tesk WEB Editor.ini")});
        SharedState again = fresh();
        Read_Settings_File(again);
        QCOMPARE(again.Font_Size, 14);
    }

    void legacyWindows1252FileReadsItsCharacters()
    {
        SharedState w = fresh();
        w.Working_Folder = QStringLiteral("C:\\Sites\\Caf\u00e9 \u20ac\\");
        Write_Settings_File(w);
        // The same file as the old program wrote it: single-byte code page.
        QByteArray bytes = readFile(iniPath());
        bytes.replace(QStringLiteral("Caf\u00e9 \u20ac").toUtf8(), QByteArray("Caf\xe9 \x80"));
        writeFile(iniPath(), bytes);
        SharedState r = fresh();
        QCOMPARE(Read_Settings_File(r), SettingsRead::Ok);
        QCOMPARE(r.Working_Folder, w.Working_Folder);
    }

    void failedStoreKeepsThePreviousFile()
    {
        SharedState w = fresh();
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
};
TESK_TEST(SettingsFileTest)

#include "settings_file_test.moc"
