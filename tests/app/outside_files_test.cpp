// Files named on the command line or handed over by a second start, opened
// in the running program as Source > Open opens them.

#include "tesk_test.h"
#include "test_support.h"
#include "app/outside_files.h"
#include "app/startup.h"
#include "core/shared_state.h"

#include <QFile>

using namespace tesk::test;

class OutsideFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opening_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<int>>("answers");  // one per message, in order
        QTest::addColumn<QStringList>("titles");  // of those messages
        QTest::addColumn<QString>("open");        // "" for nothing
        QTest::addColumn<QString>("working");
        using A = dialogs::Answer;
        const auto row = [](const char* name, QStringList files, QList<A> answers, QString title, QString open,
                            QString working = "site/") {
            QList<int> codes;
            for (A a : answers)
                codes << int(a);
            QTest::newRow(name) << files << codes << QStringList(answers.size(), title) << open << working;
        };
        const QString other = "TWE - Another Site", notOpened = "TWE - File Not Opened";
        row("page of this site, no source yet", {"site/Final-Pages/a.htm"}, {}, {}, "site/Working-Pages/a.htm.rtf");
        row("page of this site, its source", {"site/Final-Pages/b.html"}, {}, {}, "site/Working-Pages/b.rtf");
        row("another site, Yes switches", {"other/Final-Pages/c.htm"}, {A::Yes}, other,
            "other/Working-Pages/c.htm.rtf", "other/");
        row("another site, No opens it here", {"other/Final-Pages/c.htm"}, {A::No}, other,
            "site/Working-Pages/c.htm.rtf");
        row("another site, Cancel", {"other/Final-Pages/c.htm"}, {A::Cancel}, other, "");
        row("missing, folder, unreadable", {"site/none.htm", "other", "secret.htm"}, {A::Ok, A::Ok, A::Ok},
            notOpened, "");
        row("several: each opened, the last stays", {"site/Final-Pages/a.htm", "site/none.htm", "outside.htm"},
            {A::Ok}, notOpened, "site/Working-Pages/outside.htm.rtf");
    }
    void opening()
    {
        QFETCH(QStringList, files);
        QFETCH(QList<int>, answers);
        TempSite site;
        QVERIFY(QDir().mkpath(site.path("other/Working-Pages")) && QDir().mkpath(site.path("other/Final-Pages")));
        for (const char* file : {"site/Final-Pages/a.htm", "site/Final-Pages/b.html", "other/Final-Pages/c.htm",
                                 "outside.htm", "secret.htm"})
            QVERIFY(writeFile(site.path(file), "<p>page</p>\r\n"));
        QVERIFY(writeFile(site.path("site/Working-Pages/b.rtf"), "{\\rtf1 <p>source</p>}"));
        QVERIFY(QFile::setPermissions(site.path("secret.htm"), QFileDevice::WriteOwner));
        Main(site.programFolder());
        site.apply();
        ScriptedDialogs dialogs;
        for (int a : answers)
            dialogs.answerNextMessage(dialogs::Answer(a));
        QStringList paths;
        for (const QString& f : files)
            paths << site.path(f);
        Open_Outside_Files(paths);

        QVERIFY(dialogs.allUsed());
        QStringList titles;
        for (const dialogs::Message& m : dialogs.messages())
            titles << m.title;
        QTEST(titles, "titles");
        QFETCH(QString, open);
        QCOMPARE(Open_In_Editor(), open.isEmpty() ? QStringList{} : QStringList{site.path(open)});
        QFETCH(QString, working);
        QCOMPARE(state().Working_Folder, site.path(working));
        // A file opened before the last is in its site too.
        QCOMPARE(QFile::exists(site.path("site/Working-Pages/a.htm.rtf")), files.first().endsWith("a.htm"));
        resetProgram();
    }
};

TESK_TEST(OutsideFilesTest)
#include "outside_files_test.moc"
