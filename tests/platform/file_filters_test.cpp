// The filters of the open and save dialogs as Qt's own file dialog reads
// them: every filter the program ships must show the files it names.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>

class FileFiltersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shownFiles_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("index");
        // The sample names the chosen filter shows.
        QTest::addColumn<QString>("shown");
        const SharedState defaults;
        const QString web = defaults.Web_Page_Filter;
        const QString source = defaults.Source_File_Filter;
        const char* const webShown[] = {"index.html old.htm", "page.shtml", "a.asp", "b.jsp",
                                        "c.mv", "d.pl", "e.php", "f.xml"};
        for (int i = 1; i <= 8; ++i) {
            QTest::addRow("web pages %d", i) << web << i << webShown[i - 1];
            QTest::addRow("source files %d", i + 2) << source << i + 2 << webShown[i - 1];
        }
        QTest::newRow("source files 1") << source << 1 << "page.rtf";
        QTest::newRow("source files 2") << source << 2 << "notes.txt";
        QTest::newRow("home page file") << "Html Files (*.html;*.htm)|*.html;*.htm|" << 1 << "index.html old.htm";
        QTest::newRow("all files, names without extension too")
            << "Web Page (*.htm;*.html)|*.htm;*.html|All Files (*.*)|*.*|" << 2
            << "index.html old.htm page.shtml a.asp b.jsp c.mv d.pl e.php f.xml page.rtf notes.txt README doc.pdf "
               "blue.clr";
        QTest::newRow("print to file") << "PDF Files (*.pdf)|*.pdf|" << 1 << "doc.pdf";
        QTest::newRow("no bar after the last pattern") << "Color Setting Files (*.clr)|*.clr" << 1 << "blue.clr";
        QTest::newRow("description without patterns") << "Pages|*.htm; *.html|" << 1 << "index.html old.htm";
        QTest::newRow("parentheses that are no patterns") << "Source (rich text)|*.rtf|" << 1 << "page.rtf";
        QTest::newRow("patterns in the description differ") << "Pages (*.htm)|*.htm;*.html|" << 1
                                                            << "index.html old.htm";
    }
    void shownFiles()
    {
        QFETCH(QString, filter);
        QFETCH(int, index);
        QFileDialog dlg;
        dlg.setOption(QFileDialog::DontUseNativeDialog, true);
        dialogs::FileRequest request;
        request.filter = filter;
        request.filterIndex = index;
        dialogs::setUpFileDialog(dlg, request);
        // The model the dialog lists the folder with holds the globs Qt made
        // of the chosen filter.
        const auto* model = dlg.findChild<QFileSystemModel*>();
        QVERIFY(model);
        const QStringList globs = model->nameFilters();
        QStringList shown;
        for (const char* name : {"index.html", "old.htm", "page.shtml", "a.asp", "b.jsp", "c.mv", "d.pl", "e.php",
                                 "f.xml", "page.rtf", "notes.txt", "README", "doc.pdf", "blue.clr"})
            if (QDir::match(globs, QLatin1String(name)))
                shown << QLatin1String(name);
        QTEST(shown.join(' '), "shown");
        // The dialog offers every entry of the filter, each on its own.
        QCOMPARE(dlg.nameFilters().size(), (filter.count('|') + 1) / 2);
    }
};
TESK_TEST(FileFiltersTest)

#include "file_filters_test.moc"
