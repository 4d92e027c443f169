// Laying out a site, switching the working folder, new-folder names, the
// drives offered, and where the folder dialogs place themselves.

#include "tesk_test.h"
#include "logic_support.h"

#include "core/site_layout.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace tesk::test;

namespace {

const QStringList kWholeSite{"Working-Pages", "Final-Pages", "Final-Pages/Images", "Final-Pages/Backgrnd"};

// The site folders that exist under root.
QStringList siteFolders(const QString& root)
{
    QStringList out;
    for (const QString& rel : kWholeSite)
        if (QFileInfo(root + QLatin1Char('/') + rel).isDir())
            out << rel;
    return out;
}

} // namespace

class SiteLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void layOut_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("suffix");  // after the folder's path
        QTest::addColumn<int>("made");
        // (A plain folder and a read-only one: the working folder dialog's rows.)
        QTest::newRow("trailing separator: none doubled") << QStringList() << "/" << 4;
        QTest::newRow("Working-Pages only") << QStringList{"Working-Pages"} << "" << 3;
        QTest::newRow("Final-Pages without picture folders") << QStringList{"Final-Pages"} << "" << 3;
        QTest::newRow("complete site") << kWholeSite << "" << 0;
        QTest::newRow("other case is another folder") << QStringList{"working-pages", "FINAL-PAGES"} << "" << 4;
    }
    void layOut()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, suffix);
        QTemporaryDir dir;
        QDir root(dir.path());
        for (const QString& e : existing)
            QVERIFY(root.mkpath(e));
        QVERIFY(writeFile(dir.path() + QStringLiteral("/Working-Pages.txt"), "a file, not the folder"));
        if (existing.contains(QStringLiteral("Working-Pages")))
            QVERIFY(writeFile(dir.path() + QStringLiteral("/Working-Pages/index.rtf"), "kept"));
        const QStringList got = site::Lay_Out_Site(dir.path() + suffix);
        QTEST(int(got.size()), "made");
        QCOMPARE(siteFolders(dir.path()), kWholeSite);
        // No folder with an empty or doubled name appeared beside them.
        for (const QString& d : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QVERIFY2(existing.contains(d) || kWholeSite.contains(d), qPrintable(d));
        if (existing.contains(QStringLiteral("Working-Pages")))
            QCOMPARE(readFile(dir.path() + QStringLiteral("/Working-Pages/index.rtf")), QByteArray("kept"));
    }

    void workingFolderOf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("working");
        QTest::newRow("plain") << "/home/me/site" << "/home/me/site/";
        QTest::newRow("drive root: one separator") << "D:/" << "D:/";
    }
    void workingFolderOf()
    {
        QFETCH(QString, path);
        QFETCH(QString, working);
        QCOMPARE(site::Working_Folder_Of(path), working);
        // The folders derived from it: the start-up rules' test.
        SharedState s;
        QString shown;
        s.Status_Folder_Panel.onChange = [&shown](const QString& t) { shown = t; };
        site::Set_Working_Folder(s, path);
        QCOMPARE(s.Working_Folder, working);
        QCOMPARE(shown, working);
    }

    // Names typed for a new folder must stay inside the folder shown; only
    // the two page folders, in their own letter case, ask before becoming a site.
    void folderNames()
    {
        for (const char* n : {"Garden Club", "site/", "site\\", "v1.2", "working-pages", "Final-Pages"})
            QVERIFY2(site::Is_Plain_Folder_Name(QString::fromUtf8(n)), n);
        for (const char* n : {"", "/", "a/b", "a\\b", "/tmp/x", "..", "../escape", "a..b"})
            QVERIFY2(!site::Is_Plain_Folder_Name(QString::fromUtf8(n)), n);
        for (const char* n : {"working-pages", "Images", "Final-Pages/"})
            QVERIFY2(!site::Is_Page_Folder_Name(QString::fromUtf8(n)), n);
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
        // Nothing is made without a folder shown (nor outside it: the
        // dialog's rows).
        QVERIFY(site::Make_New_Folder(QString(), QStringLiteral("x")).result != fs::Result::Ok);

        setReadOnly(shown, true);
        made = site::Make_New_Folder(shown, QStringLiteral("blocked"));
        setReadOnly(shown, false);
        QCOMPARE(made.result, fs::Result::PermissionDenied);
        QVERIFY(!QFileInfo::exists(shown + QStringLiteral("/blocked")));
    }

    void usableDrives()
    {
        auto v = [](const char* root, const char* type, bool valid = true, bool ready = true, bool readable = true) {
            return site::Volume{QString::fromUtf8(root), QByteArray(type), valid, ready, readable};
        };
        const QList<site::Volume> volumes{
            v("/", "ext4"), v("/proc", "proc"), v("/sys/fs/cgroup", "cgroup2"), v("/dev", "devtmpfs"),
            v("/dev/shm", "tmpfs"), v("/run", "tmpfs"), v("/run/user/1000", "tmpfs"),
            v("/run/media/me/USB STICK", "vfat"), v("/tmp", "tmpfs"), v("/home", "ext4"), v("/home", "ext4"),
            v("/mnt/cdrom", "iso9660", true, false), v("/mnt/secret", "ext4", true, true, false),
            v("/mnt/gone", "ext4", false), v("/snap/core/1", "squashfs"), v("/scratch", "tmpfs"), v("C:/", "NTFS"),
        };
        QCOMPARE(site::Usable_Drives(volumes),
                 (QStringList{"/", "/home/", "/run/media/me/USB STICK/", "/tmp/", "C:/"}));

        // This machine's drives can all be read.
        const QStringList drives = site::Available_Drives();
        QVERIFY(!drives.isEmpty());
        for (const QString& d : drives)
            QVERIFY2(d.endsWith(QLatin1Char('/')) && site::Drive_Available(d), qPrintable(d));
        QCOMPARE(site::Drive_Of(QStringLiteral("C:/Sites/Club")), QStringLiteral("C:/"));
        QVERIFY(site::Drive_Of(QDir::tempPath()).endsWith(QLatin1Char('/')));
    }

    // The main window at 1500, 900 twips, the dialog 9000 x 7000 twips.
    void workingDialogPlacement_data()
    {
        QTest::addColumn<int>("helpShown");
        QTest::addColumn<QPoint>("helpAt");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QPoint>("dialogTo");  // the null point: stays
        QTest::addColumn<QPoint>("helpTo");    // the null point: stays
        const QSize client(12000, 9000);
        QTest::newRow("centred") << -3 << QPoint() << client << QPoint(1500, 1000) << QPoint();
        QTest::newRow("odd difference rounds") << -3 << QPoint() << QSize(12001, 9001) << QPoint(1501, 1001) << QPoint();
        QTest::newRow("too small: stays") << -3 << QPoint() << QSize(8000, 9000) << QPoint() << QPoint();
        QTest::newRow("help minimised: centred") << 0 << QPoint() << client << QPoint(1500, 1000) << QPoint();
        QTest::newRow("help shown far away") << 1 << QPoint(9000, 9000) << client << QPoint(60, 60) << QPoint();
        QTest::newRow("help over the corner") << 1 << QPoint(1600, 2000) << client << QPoint(60, 60) << QPoint(2500, 2900);
        QTest::newRow("help level with the top") << 1 << QPoint(9000, 2000) << client << QPoint(60, 60) << QPoint(9000, 2900);
    }
    void workingDialogPlacement()
    {
        QFETCH(int, helpShown);
        QFETCH(QPoint, helpAt);
        QFETCH(QSize, client);
        QFETCH(QPoint, dialogTo);
        QFETCH(QPoint, helpTo);
        const site::DialogPlacement p =
            site::Place_Working_Dialog(client, QSize(9000, 7000), helpShown, QPoint(1500, 900), helpAt);
        QCOMPARE(p.moveDialog ? p.dialog : QPoint(), dialogTo);
        QCOMPARE(p.moveHelp ? p.help : QPoint(), helpTo);
    }

    void pickerPlacement()
    {
        site::DialogPlacement p = site::Place_Folder_Picker(-2, QPoint(100, 100));
        QVERIFY(!p.moveDialog && !p.moveHelp);
        p = site::Place_Folder_Picker(1, QPoint(100, 100));
        QVERIFY(p.moveDialog && p.moveHelp);
        QCOMPARE(p.dialog, QPoint(60, 850));
        QCOMPARE(p.help, QPoint(1000, 2000));
        QVERIFY(!site::Place_Folder_Picker(1, QPoint(450, 1500)).moveHelp);
    }
};
TESK_TEST(SiteLayoutTest)

#include "site_layout_test.moc"
