// The settings file: what is written, what is read back, and the rules that
// are not a plain round trip.

#include "tesk_test.h"
#include "logic_support.h"

#include "core/more_settings.h"
#include "core/settings_file.h"
#include "core/shared_state.h"
#include "platform/file_system.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

using namespace tesk::test;

namespace {

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
    s.Working_Folder = QStringLiteral("/srv/sites/Caf\u00e9 Club/");
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
    QStringList storedLines() const { return fs::splitLines(fs::decodeText(readFile(iniPath()))); }

private Q_SLOTS:
    void init()
    {
        QDir d(dir_.path());
        for (const QString& f : d.entryList(QDir::Files))
            d.remove(f);
    }

    void writtenFileHasTheDocumentedLines()
    {
        SharedState s = fresh();
        s.Working_Folder = QStringLiteral("/home/user/site/");
        QCOMPARE(Write_Settings_File(s), fs::Result::Ok);
        const QByteArray bytes = readFile(iniPath());
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), kSettingsLines);
        QCOMPARE(bytes.count('\n'), kSettingsLines);  // no bare line feeds
        const QStringList l = storedLines();
        const QList<std::pair<int, const char*>> expected{
            {1, "\"Working Folder:\""}, {2, "\"/home/user/site/\""}, {6, "\" 2 Browser Window\""},
            {7, "\" 2 Source Window\""}, {8, "\"-2 Text Window\""}, {9, "\"-2 Image Window\""}, {13, "#FALSE#"},
            {21, "\" 1440 Left Margin\""}, {33, "10"}, {35, "\"Blue\""}, {42, "\"1 = Inches\""}, {65, "#FALSE#"}};
        for (const auto& [line, text] : expected)
            QVERIFY2(l[line - 1] == QLatin1String(text), qPrintable(QString::number(line) + ": " + l[line - 1]));
    }

    // Also when every label was edited by hand, the file name has another
    // letter case and the old program wrote it in its single-byte code page.
    void everyStoredValueSurvivesARoundTrip()
    {
        const SharedState written = changedState(folder());
        SharedState w = written;
        QCOMPARE(Write_Settings_File(w), fs::Result::Ok);
        SharedState read = fresh();
        QCOMPARE(Read_Settings_File(read), SettingsRead::Ok);
        QCOMPARE(storedValues(read), storedValues(written));
        QCOMPARE(read.Tool_Pane_Window, 1);
        // Writing what was read gives the same file again.
        const QByteArray first = readFile(iniPath());
        QCOMPARE(Write_Settings_File(read), fs::Result::Ok);
        QCOMPARE(readFile(iniPath()), first);

        QStringList l = storedLines();
        for (int i : {0, 2, 11, 13, 15, 17, 19, 24, 29, 31, 33, 40, 44, 46, 48, 50, 52, 54, 56, 58, 63})
            l[i] = QStringLiteral("\"(edited by hand)\"");
        QVERIFY(QFile::remove(iniPath()));
        const QString renamed = folder() + QStringLiteral("Tesk WEB Editor.ini");
        QVERIFY(writeFile(renamed, l.join(QLatin1String("\r\n")).toUtf8().replace("Caf\xc3\xa9", "Caf\xe9")));
        read = fresh();
        QCOMPARE(Read_Settings_File(read), SettingsRead::Ok);
        QCOMPARE(storedValues(read), storedValues(written));
        // Storing again replaces that file rather than adding a second one.
        QCOMPARE(Write_Settings_File(read), fs::Result::Ok);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("Tesk WEB Editor.ini")});
        QCOMPARE(readFile(renamed), first);
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

    // A picture pattern left at an older built-in default is read, and then
    // written, as today's, which shows PNG, WebP and SVG pictures; a pattern
    // the user chose is kept exactly. The file keeps its 65 lines.
    void olderDefaultPatterns_data()
    {
        QTest::addColumn<QString>("storedImages");
        QTest::addColumn<QString>("storedBackgrounds");
        QTest::addColumn<QString>("images");
        QTest::addColumn<QString>("backgrounds");
        const QString images = "*.gif;*.jpg;*.jpeg;*.bmp;*.png;*.webp;*.svg";
        const QString backgrounds = "*.gif;*.bmp;*.png;*.webp;*.svg";
        QTest::newRow("older defaults") << "*.gif;*.jpg;*.jpeg;*.bmp" << "*.gif;*.bmp" << images << backgrounds;
        QTest::newRow("today's defaults") << images << backgrounds << images << backgrounds;
        QTest::newRow("chosen by the user") << "*.gif;*.jpg" << "*.bmp;*.gif" << "*.gif;*.jpg" << "*.bmp;*.gif";
        QTest::newRow("older default, other case") << "*.GIF;*.JPG;*.JPEG;*.BMP" << "*.gif; *.bmp"
                                                   << "*.GIF;*.JPG;*.JPEG;*.BMP" << "*.gif; *.bmp";
        QTest::newRow("empty stays empty") << "" << "" << "" << "";
    }
    void olderDefaultPatterns()
    {
        QFETCH(QString, storedImages);
        QFETCH(QString, storedBackgrounds);
        SharedState w = changedState(folder());
        w.Image_Pattern = storedImages;
        w.Background_Pattern = storedBackgrounds;
        QCOMPARE(Write_Settings_File(w), fs::Result::Ok);
        SharedState r = fresh();
        QCOMPARE(Read_Settings_File(r), SettingsRead::Ok);
        QTEST(r.Image_Pattern, "images");
        QTEST(r.Background_Pattern, "backgrounds");
        QCOMPARE(Write_Settings_File(r), fs::Result::Ok);
        const QStringList l = storedLines();
        QCOMPARE(l.size(), kSettingsLines);
        QFETCH(QString, images);
        QFETCH(QString, backgrounds);
        QCOMPARE(l[53], '"' + images + '"');
        QCOMPARE(l[55], '"' + backgrounds + '"');
        // Everything else read as written.
        r.Image_Pattern = w.Image_Pattern;
        r.Background_Pattern = w.Background_Pattern;
        QCOMPARE(storedValues(r), storedValues(w));
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

    // Reading stops at the first item that is missing or not of its kind:
    // what was read before it is in force, the defaults stay after it.
    void damagedFileKeepsWhatWasRead_data()
    {
        QTest::addColumn<int>("line");  // the first damaged line, 1-based
        QTest::addColumn<bool>("cut");  // the file ends before it
        QTest::newRow("file of 40 lines") << 41 << true;
        QTest::newRow("line 13 not a Boolean") << 13 << false;
    }
    void damagedFileKeepsWhatWasRead()
    {
        QFETCH(int, line);
        QFETCH(bool, cut);
        SharedState w = changedState(folder());
        QCOMPARE(Write_Settings_File(w), fs::Result::Ok);
        QStringList l = storedLines();
        if (cut)
            l = l.mid(0, line - 1);
        else
            l[line - 1] = QStringLiteral("maybe");
        QVERIFY(writeFile(iniPath(), fs::encodeText(fs::joinLines(l))));
        SharedState r = fresh();
        QCOMPARE(Read_Settings_File(r), SettingsRead::Failed);
        const SharedState defaults;
        QCOMPARE(r.Working_Folder, w.Working_Folder);  // line 2
        QCOMPARE(r.Browser_Window_Pos, w.Browser_Window_Pos);  // line 6
        QCOMPARE(r.Arrange_Horizontal, line > 13 ? w.Arrange_Horizontal : defaults.Arrange_Horizontal);
        QCOMPARE(r.Font_Name, line > 31 ? w.Font_Name : defaults.Font_Name);
        QCOMPARE(r.Code_Color_Numbers[3], line > 40 ? w.Code_Color_Numbers[3] : defaults.Code_Color_Numbers[3]);
        QCOMPARE(r.Tab_Spacing, defaults.Tab_Spacing);  // line 43
        QCOMPARE(r.Use_XHTML, defaults.Use_XHTML);
    }

    // The second file: what it holds is read back; a value of the wrong
    // kind keeps the default; lines of other names come back as they were;
    // nothing that would break its lines gets written.
    void optionsBesideTheSettings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typingColours");
        QTest::addColumn<QString>("writtenBack");
        const QString numbered = "Line_Numbers=1\r\nClose_Tags=1\r\nComplete_Names=1\r\nReopen_Last_Page=1\r\n"
                                 "Match_Tags=1\r\nModern_Markup=0\r\nSpell_While_Typing=1\r\nAccessibility_Checks=0\r\n";
        QTest::newRow("none: defaults") << "" << true << "Color_While_Typing=1\r\n" + numbered;
        QTest::newRow("off") << "Color_While_Typing=0\r\n" << false << "Color_While_Typing=0\r\n" + numbered;
        QTest::newRow("words and blanks") << " Color_While_Typing = false\n" << false
                                          << "Color_While_Typing=0\r\n" + numbered;
        QTest::newRow("not a yes or no") << "Color_While_Typing=perhaps" << true << "Color_While_Typing=1\r\n" + numbered;
        QTest::newRow("a newer program's line kept") << "Word_Wrap=1\r\nColor_While_Typing=0" << false
                                                     << "Color_While_Typing=0\r\n" + numbered + "Word_Wrap=1\r\n";
        QTest::newRow("the last page; a caret that is no number")
            << "Last_Caret=x\r\nLast_Source=/s/a b.rtf\r\nLast_Scroll=7\r\nLast_Folder=/s/" << true
            << "Color_While_Typing=1\r\n" + numbered + "Last_Source=/s/a b.rtf\r\nLast_Folder=/s/\r\nLast_Scroll=7\r\n";
        QTest::newRow("lines without a name dropped") << "=1\r\nnonsense\r\n\r\n" << true
                                                      << "Color_While_Typing=1\r\n" + numbered;
    }
    void optionsBesideTheSettings()
    {
        QFETCH(QString, text);
        QFETCH(bool, typingColours);
        QFETCH(QString, writtenBack);
        TempSite site;
        const QString folder = site.path("options/");
        QVERIFY(QDir().mkpath(folder));
        if (!text.isEmpty())
            QVERIFY(writeFile(folder + "tesk web editor options.INI", text.toUtf8()));
        const MoreSettings m = Read_More_Settings(folder);
        QCOMPARE(m.Color_While_Typing, typingColours);
        QCOMPARE(Write_More_Settings(folder, m), fs::Result::Ok);
        const QStringList files = QDir(folder).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);  // the file found is the one written
        QCOMPARE(QString::fromUtf8(readFile(folder + files.first())), writtenBack);
        QCOMPARE(Parse_More_Settings(writtenBack), m);
    }

    // The dictionary option names a dictionary; anything else (a path, a
    // blank) gives en_US, so no file outside the dictionaries' folder is read.
    void dictionaryOption_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("a name") << "Dictionary= de_DE " << "de_DE";
        QTest::newRow("none") << "" << "en_US";
        QTest::newRow("a path") << "Dictionary=../../etc/passwd" << "en_US";
    }
    void dictionaryOption()
    {
        QFETCH(QString, line);
        QFETCH(QString, chosen);
        QCOMPARE(Chosen_Dictionary(Parse_More_Settings(line)), chosen);
    }
};
TESK_TEST(SettingsFileTest)

#include "settings_file_test.moc"
