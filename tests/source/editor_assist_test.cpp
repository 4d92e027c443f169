// Closing tags and the list of names in the editor, as the user types:
// what the keys do to the text ('|' the caret) with both options on.

#include "tesk_test.h"
#include "source_window_support.h"

#include "source/completion.h"
#include "source/editor_assist.h"

using namespace tesk::test;

class EditorAssistTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<SourceWindow> f_;

private Q_SLOTS:
    void init()
    {
        resetProgram();
        f_ = std::make_unique<SourceWindow>();
        QVERIFY(QFile::copy(TESK_SOURCE_DIR "/resources/html_names.txt",
                            state().Program_Folder + completion::Html_Names_File_Name()));
        state().More.Close_Tags = state().More.Complete_Names = true;
        f_->w->Apply_Editing_Options();
        f_->open("index", QString());
    }
    void cleanup()
    {
        QVERIFY(f_->dialogs.allUsed());
        f_.reset();
    }

    void keys_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("result");
        QTest::newRow("end tag put in") << "type <p>" << "<p>|</p>";
        QTest::newRow("typed anyway: once") << "type <p>Hi</p>" << "<p>Hi</p>|";
        QTest::newRow("one in another") << "type <p><b>x" << "<p><b>x|</b></p>";
        QTest::newRow("one undo step") << "type <p>; Ctrl+Z" << "<p|";
        QTest::newRow("Enter after a tag: a new line") << "type <p>; Return" << "<p>\r\n|</p>";
        QTest::newRow("Enter accepts") << "type <ta; Return" << "<table|";
        QTest::newRow("Tab accepts, Down chooses") << "type <t; Down; Tab" << "<tbody|";
        QTest::newRow("Esc closes") << "type <ta; Esc; Return" << "<ta\r\n|";
        QTest::newRow("space closes") << "type <b ; Return" << "<b \r\n|";
        QTest::newRow("attribute, quote typed over") << "type <img al; Tab; type x\">" << "<img alt=\"x\">|";
        QTest::newRow("entity") << "type &nbs; Return" << "&nbsp;|";
        QTest::newRow("typing on ignores it") << "type <zzz>" << "<zzz>|</zzz>";
    }
    void keys()
    {
        QFETCH(QString, steps);
        QFETCH(QString, result);
        f_->run(steps);
        QCOMPARE(drawn(*f_->box), result);
    }
};
TESK_TEST(EditorAssistTest)

#include "editor_assist_test.moc"
