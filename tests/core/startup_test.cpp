// Start-up rules that run after the settings were read, and the program
// folder rule.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "core/startup.h"

#include <QDir>

using namespace tesk::test;

class StartupRulesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { resetProgram(); }

    void programFolder_data()
    {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ordinary") << "/opt/tesk" << "/opt/tesk/";
        QTest::newRow("root keeps one separator") << "/" << "/";
        QTest::newRow("drive root") << "C:/" << "C:/";
        QTest::newRow("drive folder") << "C:/Tesk" << "C:/Tesk/";
    }
    void programFolder()
    {
        QFETCH(QString, dir);
        QTEST(Program_Folder_From(dir), "expected");
    }

    void missingWorkingFolderFallsBackToTheProgramFolder()
    {
        TempSite site;
        SharedState& s = state();
        s.Program_Folder = site.programFolder();
        s.Help_File = s.Program_Folder + QStringLiteral("TeskEdit.htm");
        s.Working_Folder = site.path(QStringLiteral("gone/"));
        Apply_Startup_Rules(s);
        QCOMPARE(s.Working_Folder, site.programFolder());
        QCOMPARE(s.Working_Pages_Folder, site.programFolder() + QStringLiteral("Working-Pages/"));
        QCOMPARE(s.Final_Pages_Folder, site.programFolder() + QStringLiteral("Final-Pages/"));
        QCOMPARE(s.Reference_Folder, site.programFolder() + QStringLiteral("References/"));
    }

    void workingFolderGainsItsSeparator()
    {
        TempSite site;
        SharedState& s = state();
        s.Program_Folder = site.programFolder();
        s.Working_Folder = site.path(QStringLiteral("site"));
        Apply_Startup_Rules(s);
        QCOMPARE(s.Working_Folder, site.workingFolder());
        QCOMPARE(s.Working_Pages_Folder, site.workingFolder() + QStringLiteral("Working-Pages/"));
    }

    void emptyHomePageBecomesTheHelpPage()
    {
        TempSite site;
        SharedState& s = state();
        s.Program_Folder = site.programFolder();
        s.Help_File = site.programFolder() + QStringLiteral("TeskEdit.htm");
        s.Browser_Home_Page.clear();
        Apply_Startup_Rules(s);
        QCOMPARE(s.Browser_Home_Page, s.Help_File);

        s.Browser_Home_Page = QStringLiteral("https://example.org/");
        Apply_Startup_Rules(s);
        QCOMPARE(s.Browser_Home_Page, QStringLiteral("https://example.org/"));
    }

    void samplesPageOnlyWhenItExists()
    {
        TempSite site;
        SharedState& s = state();
        s.Program_Folder = site.programFolder();
        Apply_Startup_Rules(s);
        QCOMPARE(s.Samples_Index, QString());

        QDir().mkpath(site.programFolder() + QStringLiteral("Samples"));
        writeFile(site.programFolder() + QStringLiteral("Samples/index.html"), "<html></html>");
        Apply_Startup_Rules(s);
        QCOMPARE(s.Samples_Index, site.programFolder() + QStringLiteral("Samples/index.html"));
    }

    void defaultsAreRestoredOverChangedValues()
    {
        SharedState& s = state();
        s.Font_Name = QStringLiteral("Courier");
        s.Tab_Spacing = 1;
        s.Browser_Window_Pos = 4;
        s.Image_Window_Pos = 3;
        s.Web_Page_Filter = QString();
        Set_Default_Settings(s);
        QCOMPARE(s.Font_Name, QStringLiteral("Arial"));
        QCOMPARE(s.Tab_Spacing, 360);
        QCOMPARE(s.Browser_Window_Pos, 2);
        QCOMPARE(s.Image_Window_Pos, -2);
        QVERIFY(s.Web_Page_Filter.startsWith(QStringLiteral("HTML (*.html;*.htm)|*.html;*.htm|SSI")));
        QVERIFY(s.Source_File_Filter.endsWith(s.Web_Page_Filter));
        QCOMPARE(s.Page_Break_Tag, QStringLiteral("<p style=\"page-break-before: always\"></p>"));
    }
};
TESK_TEST(StartupRulesTest)

#include "startup_test.moc"
