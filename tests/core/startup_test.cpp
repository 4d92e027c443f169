// Start-up rules that run after the settings were read, and the program
// folder rule.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "app/startup.h"

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

    void rulesAfterTheSettingsWereRead()
    {
        TempSite site;
        const QString program = site.programFolder();
        SharedState& s = state();
        s.Program_Folder = program;
        s.Help_File = program + QStringLiteral("TeskEdit.htm");
        // A working folder that is gone gives way to the program folder; an
        // empty home page becomes the help page; no samples page, no link.
        s.Working_Folder = site.path(QStringLiteral("gone/"));
        s.Browser_Home_Page.clear();
        Apply_Startup_Rules(s);
        QCOMPARE(s.Working_Folder, program);
        QCOMPARE(s.Working_Pages_Folder, program + QStringLiteral("Working-Pages/"));
        QCOMPARE(s.Final_Pages_Folder, program + QStringLiteral("Final-Pages/"));
        QCOMPARE(s.Reference_Folder, program + QStringLiteral("References/"));
        QCOMPARE(s.Browser_Home_Page, s.Help_File);
        QCOMPARE(s.Samples_Index, QString());

        // A folder without its separator gains it; a home page of one's own
        // stays; a samples page that exists is linked.
        s.Working_Folder = site.path(QStringLiteral("site"));
        s.Browser_Home_Page = QStringLiteral("https://example.org/");
        QVERIFY(QDir().mkpath(program + QStringLiteral("Samples")));
        QVERIFY(writeFile(program + QStringLiteral("Samples/index.html"), "<html></html>"));
        Apply_Startup_Rules(s);
        QCOMPARE(s.Working_Folder, site.workingFolder());
        QCOMPARE(s.Working_Pages_Folder, site.workingFolder() + QStringLiteral("Working-Pages/"));
        QCOMPARE(s.Browser_Home_Page, QStringLiteral("https://example.org/"));
        QCOMPARE(s.Samples_Index, program + QStringLiteral("Samples/index.html"));
    }

    void defaultsAreRestoredOverChangedValues()
    {
        SharedState& s = state();
        const SharedState fresh;
        s.Font_Name = QStringLiteral("Courier");
        s.Tab_Spacing = 1;
        s.Web_Page_Filter = QString();
        Set_Default_Settings(s);
        QCOMPARE(std::make_tuple(s.Font_Name, s.Tab_Spacing, s.Web_Page_Filter),
                 std::make_tuple(fresh.Font_Name, fresh.Tab_Spacing, fresh.Web_Page_Filter));
        QVERIFY(s.Source_File_Filter.endsWith(s.Web_Page_Filter));
    }
};
TESK_TEST(StartupRulesTest)

#include "startup_test.moc"
