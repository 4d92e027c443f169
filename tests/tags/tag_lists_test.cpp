// The Tag Lists window's lists without a window: selection, edits, deletes,
// copies, moves with their scrolling, and what a store writes.

#include "tesk_test.h"

#include "tags/tag_lists.h"

using tag_lists::Place;
using tag_lists::TagListSet;

namespace {

QStringList split(const QString& s)
{
    return s.isEmpty() ? QStringList{} : s.split('|');
}

// Every kind starts with the same lists (kinds 2 and 3 sorted); steps joined
// by "; ": "tab k", "select wf|rf i", "type text" ("\n" for a line break),
// "commit", "delete wf|rf", "copy wf|rf", "move wf|rf places top rows",
// "clear wf|rf". The result names the lists that changed, the selection and
// where a move scrolled to.
QString run(TagListSet& t, const QString& working, const QString& reference, const QString& steps,
            fs::Result read = fs::Result::Ok)
{
    for (int k = 0; k < tag_lists::Kind_Count; ++k) {
        t.Load(k, Place::Working, split(working), read);
        t.Load(k, Place::Reference, split(reference));
    }
    QString top;
    for (const QString& step : steps.split("; ", Qt::SkipEmptyParts)) {
        const QStringList w = step.split(' ');
        const Place p = w.value(1) == "rf" ? Place::Reference : Place::Working;
        if (w[0] == "tab")
            t.Change_Tag(w[1].toInt());
        else if (w[0] == "select")
            p == Place::Working ? t.WF_Selected(w[2].toInt()) : t.RF_Selected(w[2].toInt());
        else if (w[0] == "type")
            t.Edit(step.mid(5).replace("\\n", "\n").replace("\\r", "\r"));
        else if (w[0] == "commit")
            t.Tag_Changed();
        else if (w[0] == "delete")
            t.Delete_Tag(p);
        else if (w[0] == "copy")
            t.Copy_Tag(p);
        else if (w[0] == "move")
            top = " top=" + QString::number(t.Scroll_Tag(p, w[2].toInt(), w[3].toInt(), w[4].toInt()).Top_Row);
        else if (w[0] == "clear")
            t.Delete_All(p);
    }
    QStringList facts;
    for (Place place : {Place::Working, Place::Reference})
        for (int k = 0; k < tag_lists::Kind_Count; ++k)
            if (t.Changed(k, place))
                facts << QStringLiteral("%1%2=%3").arg(place == Place::Working ? "W" : "R").arg(k).arg(
                    t.Entries(k, place).join(','));
    facts << QStringLiteral("sel=%1,%2").arg(t.WF_Tag_Index()).arg(t.RF_Tag_Index());
    return facts.join(' ') + top;
}

} // namespace

class TagListsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void steps_data()
    {
        QTest::addColumn<QString>("working");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("after");
        const QString abc = "a|b|c", eight = "a|b|c|d|e|f|g|h";
        QTest::newRow("edit replaces the entry in place") << abc << "" << "select wf 1; type B2; commit" << "W0=a,B2,c sel=1,-1";
        QTest::newRow("line breaks in an edit become blanks") << abc << "" << "select wf 0; type x\\ny\\r\\nz; commit" << "W0=x y z,b,c sel=0,-1";
        QTest::newRow("an edited web link takes its sorted place") << "apple|Cherry|banana" << "" << "tab 2; select wf 0; type zebra; commit" << "W2=banana,Cherry,zebra sel=2,-1";
        QTest::newRow("selecting another entry commits first") << abc << "" << "select wf 1; type X; select wf 2" << "W0=a,X,c sel=2,-1";
        QTest::newRow("selecting a reference entry clears the working one") << abc << "r" << "select wf 1; select rf 0" << "sel=-1,0";
        QTest::newRow("delete: the next entry is selected") << abc << "" << "select wf 1; delete wf" << "W0=a,c sel=1,-1";
        QTest::newRow("delete the last entry: the one above is selected") << abc << "" << "select wf 2; delete wf" << "W0=a,b sel=1,-1";
        QTest::newRow("delete the only reference entry: none selected") << abc << "r" << "select rf 0; delete rf" << "R0= sel=-1,-1";
        QTest::newRow("delete and copy with nothing selected do nothing") << abc << "r" << "delete wf; delete rf; copy wf; copy rf" << "sel=-1,-1";
        QTest::newRow("an anchor is copied up to its sorted place") << "b|D" << "C" << "tab 3; select rf 0; copy rf" << "W3=b,C,D sel=-1,0";
        QTest::newRow("a copy commits the pending edit first") << abc << "r" << "select wf 0; type A; copy wf" << "W0=A,b,c R0=r,A sel=0,-1";
        QTest::newRow("the first entry cannot move up") << eight << "" << "select wf 0; move wf -1 0 5" << "sel=0,-1 top=0";
        QTest::newRow("the last entry cannot move down") << eight << "" << "select wf 7; move wf 1 3 5" << "sel=7,-1 top=3";
        QTest::newRow("a move past the end does nothing") << eight << "" << "select wf 6; move wf 5 0 5" << "sel=6,-1 top=0";
        QTest::newRow("a move within sight keeps the top row") << eight << "" << "select wf 1; move wf 2 0 5" << "W0=a,c,d,b,e,f,g,h sel=3,-1 top=0";
        QTest::newRow("below the visible rows it becomes the last one") << eight << "" << "select wf 2; move wf 4 0 3" << "W0=a,b,d,e,f,g,c,h sel=6,-1 top=4";
        QTest::newRow("above the top row it becomes the top one") << eight << "" << "select wf 5; move wf -4 4 3" << "W0=a,f,b,c,d,e,g,h sel=1,-1 top=1";
        QTest::newRow("reference entries move too") << abc << "r|s" << "select rf 0; move rf 1 0 5" << "R0=s,r sel=-1,1 top=0";
        QTest::newRow("web links do not move") << abc << "" << "tab 2; select wf 0; move wf 1 0 5" << "sel=0,-1 top=0";
        QTest::newRow("delete all empties the list") << abc << "r" << "select wf 1; clear wf" << "W0= sel=-1,-1";
    }
    void steps()
    {
        QFETCH(QString, working);
        QFETCH(QString, reference);
        QFETCH(QString, steps);
        TagListSet t;
        QTEST(run(t, working, reference, steps), "after");
    }

    // What a store does with each file of the colour tab: Leave, Rewrite,
    // Remove (delete the file) or Refuse (a file that could not be read).
    void storeDecisions_data()
    {
        QTest::addColumn<QString>("working");
        QTest::addColumn<int>("read");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("actions");
        QTest::newRow("unchanged lists are not written") << "a|b" << int(fs::Result::Ok) << "select wf 0; select rf 0" << "Leave Leave";
        QTest::newRow("an edit back to the same text changes nothing") << "a|b" << int(fs::Result::Ok) << "select wf 0; type a; commit" << "Leave Leave";
        QTest::newRow("a changed list is rewritten") << "a|b" << int(fs::Result::Ok) << "select wf 0; delete wf" << "Rewrite Leave";
        QTest::newRow("a copy changes only the receiving list") << "a" << int(fs::Result::Ok) << "select wf 0; copy wf" << "Leave Rewrite";
        QTest::newRow("a missing file is an empty list") << "" << int(fs::Result::NotFound) << "select rf 0; copy rf" << "Rewrite Leave";
        QTest::newRow("an unreadable file is never overwritten") << "" << int(fs::Result::IoError) << "select rf 0; copy rf" << "Refuse Leave";
        QTest::newRow("delete all of an unreadable file removes it") << "" << int(fs::Result::IoError) << "clear wf" << "Remove Leave";
    }
    void storeDecisions()
    {
        QFETCH(QString, working);
        QFETCH(int, read);
        QFETCH(QString, steps);
        TagListSet t;
        run(t, working, "r", steps, fs::Result(read));
        static const char* names[] = {"Leave", "Rewrite", "Remove", "Refuse"};
        QTEST(QStringLiteral("%1 %2").arg(names[int(t.Store_Action(0, Place::Working))],
                                          names[int(t.Store_Action(0, Place::Reference))]),
              "actions");
    }

    // A list that cannot be written is told about once until it changes
    // again; once written it is left alone.
    void failuresToldOncePerChange()
    {
        TagListSet t;
        run(t, "a|b", "", "select wf 0; delete wf");
        QVERIFY(t.Stored(0, Place::Working, fs::Result::PermissionDenied));
        QVERIFY(!t.Stored(0, Place::Working, fs::Result::PermissionDenied));
        QCOMPARE(t.Store_Action(0, Place::Working), TagListSet::Action::Rewrite);
        t.WF_Selected(0);
        t.Delete_Tag(Place::Working);
        QVERIFY(t.Stored(0, Place::Working, fs::Result::DiskFull));
        QVERIFY(!t.Stored(0, Place::Working, fs::Result::Ok));
        QCOMPARE(t.Store_Action(0, Place::Working), TagListSet::Action::Leave);
    }
};

TESK_TEST(TagListsTest)

#include "tag_lists_test.moc"
