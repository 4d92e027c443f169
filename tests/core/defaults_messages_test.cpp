// The messages when the settings cannot be read or stored (the file itself
// is tested with the logic tests).

#include "tesk_test.h"
#include "test_support.h"

#include "core/settings_file.h"
#include "core/shared_state.h"
#include "app/startup.h"

using namespace tesk::test;

class DefaultsMessagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { resetProgram(); }

    void failuresAreTold()
    {
        TempSite site;
        state().Program_Folder = site.programFolder();
        QVERIFY(writeFile(site.programFolder() + Settings_File_Name(), "\"Working Folder:\"\r\n"));
        {
            ScriptedDialogs d;
            d.expectMessage(QStringLiteral("Default Retrieval not Successful"));
            Retrieve_Defaults();
            QVERIFY(d.allUsed());
        }
        setReadOnly(site.programFolder(), true);
        ScriptedDialogs d;
        d.expectMessage(QStringLiteral("Default Storage not Successful"));
        Store_Defaults();
        setReadOnly(site.programFolder(), false);
        fullDisk(site.programFolder());
        d.expectMessage(QStringLiteral("Default Storage not Successful"));
        Store_Defaults();
        QVERIFY(d.allUsed());
        QCOMPARE(readFile(site.programFolder() + Settings_File_Name()), QByteArray("\"Working Folder:\"\r\n"));
    }
};
TESK_TEST(DefaultsMessagesTest)

#include "defaults_messages_test.moc"
