// Back where the user left: the page of the last run opened again at start
// and remembered again at the end; the matching tag's marks and key on it.

#include "tesk_test.h"
#include "test_support.h"

#include "app/startup.h"
#include "core/more_settings.h"
#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "source/frm_Source.h"
#include "source/matching_tag_marks.h"
#include "ui/forms.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <tuple>

using namespace tesk::test;

namespace {

// Starts the program in site's program folder (its working folder too) with
// these options, and "about.rtf" of 300 "<p>line n</p>" lines when present.
QString startWith(const TempSite& site, const QString& options, bool present = true)
{
    const QString program = site.programFolder();
    QDir().mkpath(program + "Working-Pages"), QDir().mkpath(program + "Final-Pages");
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("<p>line %1</p>").arg(i);
    if (present)
        writeFile(program + "Working-Pages/about.rtf", ("{\\rtf1 " + lines.join("\\par ") + "}").toUtf8());
    writeFile(program + More_Settings_File_Name(),
              ("Color_While_Typing=0\r\nLine_Numbers=0\r\nLast_Source=" + program + "Working-Pages/about.rtf\r\n" + options).toUtf8());
    Main(program);
    QApplication::processEvents();
    return program;
}

} // namespace

class ReopenPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { resetProgram(); }
    void cleanup() { resetProgram(); }

    void backWhereYouLeft_data()
    {
        QTest::addColumn<bool>("option");
        QTest::addColumn<bool>("sameFolder");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("opened");
        QTest::newRow("page there") << true << true << true << true;
        QTest::newRow("page gone: no word") << true << true << false << false;
        QTest::newRow("page of another working folder") << true << false << true << false;
        QTest::newRow("option off") << false << true << true << false;
    }
    void backWhereYouLeft()
    {
        QFETCH(bool, option);
        QFETCH(bool, sameFolder);
        QFETCH(bool, present);
        TempSite site;
        ScriptedDialogs dialogs;  // any message fails the test
        const QString folder = sameFolder ? site.programFolder() : site.workingFolder();
        const QString program = startWith(
            site, QStringLiteral("Reopen_Last_Page=%1\r\nLast_Folder=%2\r\nLast_Caret=3000\r\nLast_Scroll=2500\r\n")
                      .arg(int(option))
                      .arg(folder),
            present);
        RichTextBox* box = forms::Source()->rtf_Source;
        QTEST(box->isEnabled(), "opened");
        if (!box->isEnabled())
            return;
        QCOMPARE(box->SelStart(), 3000);
        QVERIFY(QFile::exists(program + "Final-Pages/about.html"));  // the page the browser shows
        QTRY_VERIFY(box->visibleText().first > 2000);
        // Where the caret is at the end is where the next start puts it.
        box->setSelStart(40);
        Store_Defaults();
        const MoreSettings kept = Read_More_Settings(program);
        QCOMPARE(std::tie(kept.Last_Source, kept.Last_Folder, kept.Last_Caret),
                 std::make_tuple(state().Source_Path, program, 40));
    }

    // Ctrl+J goes to the partner and back; the marks leave the text alone.
    void matchingTagKey()
    {
        TempSite site;
        ScriptedDialogs dialogs;
        startWith(site, "Last_Folder=" + site.programFolder() + "\r\nLast_Caret=16\r\n");
        RichTextBox* box = forms::Source()->rtf_Source;
        const QString before = box->Text();
        QCOMPARE(before.mid(15, 3), QStringLiteral("<p>"));
        forms::Source()->tagMatch->refresh();
        QTRY_COMPARE(box->extraSelections().size(), 2);
        QTest::keyClick(box, Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(box->SelStart(), 26);  // "<p>line 1</|p>"
        QTest::keyClick(box, Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(box->SelStart(), 16);
        QCOMPARE(box->Text(), before);
    }
};
TESK_TEST(ReopenPageTest)

#include "reopen_page_test.moc"
