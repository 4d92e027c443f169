// Laying out a site, switching the working folder, new-folder names, the
// drives offered, and where the folder dialogs place themselves.

#include "tesk_test.h"
#include "test_support.h"

#include "site/site_layout.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace tesk::test;

namespace {

// The site folders that exist under root, relative to it, sorted.
QStringList siteFolders(const QString& root)
{
    QStringList out;
    for (const QString& rel : {QStringLiteral("Working-Pages"), QStringLiteral("Final-Pages"),
                               QStringLiteral("Final-Pages/Images"), QStringLiteral("Final-Pages/Backgrnd")})
        if (QFileInfo(root + QLatin1Char('/') + rel).isDir())
            out << rel;
    return out;
}

const QStringList kWholeSite{"Working-Pages", "Final-Pages", "Final-Pages/Images", "Final-Pages/Backgrnd"};

} // namespace

class SiteLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void layOut_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<int>("made");
        QTest::newRow("plain folder") << QStringList() << 4;
        QTest::newRow("Working-Pages only") << QStringList{"Working-Pages"} << 3;
        QTest::newRow("Final-Pages without picture folders") << QStringList{"Final-Pages"} << 3;
        QTest::newRow("complete site") << kWholeSite << 0;
        QTest::newRow("other case is another folder") << QStringList{"working-pages", "FINAL-PAGES"} << 4;
    }
    void layOut()
    {
        QFETCH(QStringList, existing);
        QFETCH(int, made);
        QTemporaryDir dir;
        QDir root(dir.path());
        for (const QString& e : existing)
            QVERIFY(root.mkpath(e));
        QVERIFY(writeFile(dir.path() + QStringLiteral("/Working-Pages.txt"), "a file, not the folder"));
        if (existing.contains(QStringLiteral("Working-Pages")))
            QVERIFY(writeFile(dir.path() + QStringLiteral("/Working-Pages/index.rtf"), "kept"));

        const QStringList got = site::Lay_Out_Site(dir.path());
        QCOMPARE(got.size(), made);
        QCOMPARE(siteFolders(dir.path()), kWholeSite);
        if (existing.contains(QStringLiteral("Working-Pages")))
            QCOMPARE(readFile(dir.path() + QStringLiteral("/Working-Pages/index.rtf")), QByteArray("kept"));
    }

    void layOutWithTrailingSeparator()
    {
        QTemporaryDir dir;
        site::Lay_Out_Site(dir.path() + QLatin1Char('/'));
        QCOMPARE(siteFolders(dir.path()), kWholeSite);
        // No folder with a doubled separator or an empty name appeared.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{"Final-Pages", "Working-Pages"}));
    }

    void layOutInReadOnlyFolderMakesNothingQuietly()
    {
        QTemporaryDir dir;
        setReadOnly(dir.path(), true);
        const QStringList got = site::Lay_Out_Site(dir.path());
        setReadOnly(dir.path(), false);
        QVERIFY(got.isEmpty());
        QVERIFY(siteFolders(dir.path()).isEmpty());
    }

    void workingFolderOf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("working");
        QTest::addColumn<QString>("pages");
        QTest::newRow("plain") << "/home/me/site" << "/home/me/site/" << "/home/me/site/Working-Pages/";
        QTest::newRow("already ends in separator") << "/home/me/site/" << "/home/me/site/"
                                                   << "/home/me/site/Working-Pages/";
        QTest::newRow("root: one separator") << "/" << "/" << "/Working-Pages/";
        QTest::newRow("drive root: one separator") << "D:/" << "D:/" << "D:/Working-Pages/";
    }
    void workingFolderOf()
    {
        QFETCH(QString, path);
        QFETCH(QString, working);
        QFETCH(QString, pages);
        QCOMPARE(site::Working_Folder_Of(path), working);
        SharedState s;
        s.Program_Folder = QStringLiteral("/opt/tesk/");
        QString shown;
        s.Status_Folder_Panel.onChange = [&shown](const QString& t) { shown = t; };
        site::Set_Working_Folder(s, path);
        QCOMPARE(s.Working_Folder, working);
        QCOMPARE(s.Working_Pages_Folder, pages);
        QCOMPARE(s.Final_Pages_Folder, working + QStringLiteral("Final-Pages/"));
        QCOMPARE(s.Status_Folder_Panel.text(), working);
        QCOMPARE(shown, working);
        QCOMPARE(s.Reference_Folder, QStringLiteral("/opt/tesk/References/"));
    }

    void pageFolderQuestion()
    {
        QVERIFY(site::Is_Page_Folder_Name(QStringLiteral("Working-Pages")));
        QVERIFY(site::Is_Page_Folder_Name(QStringLiteral("Final-Pages")));
        QVERIFY(!site::Is_Page_Folder_Name(QStringLiteral("working-pages")));
        QVERIFY(!site::Is_Page_Folder_Name(QStringLiteral("Images")));
        QCOMPARE(site::Page_Folder_Question(QStringLiteral("Final-Pages")),
                 QStringLiteral("Do you wish to create\r\na Working-Pages Folder and\r\na Final-Pages Folder\r\n"
                                "with in a Final-Pages File?"));
    }

    void plainFolderName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("plain");
        QTest::newRow("name") << "Garden Club" << true;
        QTest::newRow("trailing slash") << "site/" << true;
        QTest::newRow("trailing backslash") << "site\\" << true;
        QTest::newRow("dots inside a word") << "v1.2" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("only a separator") << "/" << false;
        QTest::newRow("path") << "a/b" << false;
        QTest::newRow("backslash path") << "a\\b" << false;
        QTest::newRow("absolute") << "/tmp/x" << false;
        QTest::newRow("parent") << ".." << false;
        QTest::newRow("up and out") << "../escape" << false;
        QTest::newRow("double dot in name") << "a..b" << false;
    }
    void plainFolderName()
    {
        QFETCH(QString, typed);
        QFETCH(bool, plain);
        QCOMPARE(site::Is_Plain_Folder_Name(typed), plain);
    }

    void makeNewFolder()
    {
        QTemporaryDir dir;
        const QString shown = dir.path() + QStringLiteral("/shown");
        QVERIFY(QDir().mkpath(shown));

        site::NewFolder made = site::Make_New_Folder(shown, QStringLiteral("new\\"));
        QCOMPARE(made.result, fs::Result::Ok);
        QCOMPARE(made.path, shown + QStringLiteral("/new"));
        QVERIFY(QFileInfo(made.path).isDir());

        // An existing folder counts as made: the tree simply moves into it.
        QCOMPARE(site::Make_New_Folder(shown, QStringLiteral("new")).result, fs::Result::Ok);

        // Nothing is made outside the folder shown.
        made = site::Make_New_Folder(shown, QStringLiteral("../escape"));
        QVERIFY(made.result != fs::Result::Ok);
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/escape")));
        QVERIFY(site::Make_New_Folder(QString(), QStringLiteral("x")).result != fs::Result::Ok);

        setReadOnly(shown, true);
        made = site::Make_New_Folder(shown, QStringLiteral("blocked"));
        setReadOnly(shown, false);
        QCOMPARE(made.result, fs::Result::PermissionDenied);
        QVERIFY(!QFileInfo::exists(shown + QStringLiteral("/blocked")));

        QCOMPARE(site::New_Folder_Failure(QStringLiteral("a/b")), QStringLiteral("a/b could not be created. "));
    }

    void usableDrives()
    {
        auto v = [](const char* root, const char* type, bool valid = true, bool ready = true,
                    bool readable = true) {
            return site::Volume{QString::fromUtf8(root), QByteArray(type), valid, ready, readable};
        };
        const QList<site::Volume> volumes{
            v("/", "ext4"),
            v("/proc", "proc"),
            v("/sys/fs/cgroup", "cgroup2"),
            v("/dev", "devtmpfs"),
            v("/dev/shm", "tmpfs"),
            v("/run", "tmpfs"),
            v("/run/user/1000", "tmpfs"),
            v("/run/media/me/USB STICK", "vfat"),
            v("/tmp", "tmpfs"),
            v("/home", "ext4"),
            v("/home", "ext4"),
            v("/mnt/cdrom", "iso9660", true, false),
            v("/mnt/secret", "ext4", true, true, false),
            v("/mnt/gone", "ext4", false),
            v("/snap/core/1", "squashfs"),
            v("/scratch", "tmpfs"),
            v("C:/", "NTFS"),
        };
        QCOMPARE(site::Usable_Drives(volumes),
                 (QStringList{"/", "/home/", "/run/media/me/USB STICK/", "/tmp/", "C:/"}));
    }

    void thisMachineOffersTheRoot()
    {
        const QStringList drives = site::Available_Drives();
        QVERIFY(!drives.isEmpty());
        for (const QString& d : drives) {
            QVERIFY2(d.endsWith(QLatin1Char('/')), qPrintable(d));
            QVERIFY2(site::Drive_Available(d), qPrintable(d));
        }
        QVERIFY(!site::Drive_Available(QStringLiteral("/no/such/drive/")));
        QCOMPARE(site::Drive_Of(QStringLiteral("C:/Sites/Club")), QStringLiteral("C:/"));
        QVERIFY(site::Drive_Of(QDir::tempPath()).endsWith(QLatin1Char('/')));
    }

    void workingDialogPlacement_data()
    {
        QTest::addColumn<int>("helpShown");
        QTest::addColumn<QPoint>("helpAt");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("moveDialog");
        QTest::addColumn<QPoint>("dialogAt");
        QTest::addColumn<bool>("moveHelp");
        QTest::addColumn<QPoint>("helpTo");
        QTest::newRow("centred") << -3 << QPoint(0, 0) << QSize(12000, 9000) << true << QPoint(1500, 1000)
                                 << false << QPoint();
        QTest::newRow("odd difference rounds") << -3 << QPoint(0, 0) << QSize(12001, 9001) << true
                                               << QPoint(1501, 1001) << false << QPoint();
        QTest::newRow("too small: stays") << -3 << QPoint(0, 0) << QSize(8000, 9000) << false << QPoint(-500, 1000)
                                          << false << QPoint();
        QTest::newRow("help minimised: centred") << 0 << QPoint(0, 0) << QSize(12000, 9000) << true
                                                 << QPoint(1500, 1000) << false << QPoint();
        QTest::newRow("help shown far away") << 1 << QPoint(9000, 9000) << QSize(12000, 9000) << true
                                             << QPoint(60, 60) << false << QPoint(9000, 9000);
        QTest::newRow("help over the corner") << 1 << QPoint(1600, 2000) << QSize(12000, 9000) << true
                                              << QPoint(60, 60) << true << QPoint(2500, 2900);
        QTest::newRow("help level with the top") << 1 << QPoint(9000, 2000) << QSize(12000, 9000) << true
                                                 << QPoint(60, 60) << true << QPoint(9000, 2900);
    }
    void workingDialogPlacement()
    {
        QFETCH(int, helpShown);
        QFETCH(QPoint, helpAt);
        QFETCH(QSize, client);
        QFETCH(bool, moveDialog);
        QFETCH(QPoint, dialogAt);
        QFETCH(bool, moveHelp);
        QFETCH(QPoint, helpTo);
        // Main window at 1500, 900 twips; the dialog is 9000 x 7000 twips.
        const site::DialogPlacement p =
            site::Place_Working_Dialog(client, QSize(9000, 7000), helpShown, QPoint(1500, 900), helpAt);
        QCOMPARE(p.moveDialog, moveDialog);
        QCOMPARE(p.dialog, dialogAt);
        QCOMPARE(p.moveHelp, moveHelp);
        if (helpShown > 0)
            QCOMPARE(p.help, helpTo);
    }

    void pickerPlacement()
    {
        site::DialogPlacement p = site::Place_Folder_Picker(-2, QPoint(100, 100));
        QVERIFY(!p.moveDialog);
        QVERIFY(!p.moveHelp);
        p = site::Place_Folder_Picker(1, QPoint(100, 100));
        QVERIFY(p.moveDialog);
        QCOMPARE(p.dialog, QPoint(60, 850));
        QVERIFY(p.moveHelp);
        QCOMPARE(p.help, QPoint(1000, 2000));
        p = site::Place_Folder_Picker(1, QPoint(450, 1500));
        QVERIFY(!p.moveHelp);
        QCOMPARE(p.help, QPoint(450, 1500));
    }
};
TESK_TEST(SiteLayoutTest)

#include "site_layout_test.moc"
