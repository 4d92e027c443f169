// Colouring while typing, in the editor window as the user types: after
// every kind of change the text shows the colours Color Code gives it, one
// undo takes the change and its colours back, colouring alone never marks
// the page changed, and colours given by hand elsewhere stay.

#include "tesk_test.h"
#include "source_window_support.h"

#include "source/live_coloring.h"
#include "text/color_coding.h"

#include <QClipboard>
#include <QTemporaryDir>

using namespace tesk::test;

namespace {

const QString kText = QStringLiteral("<p class=\"x\">Hello</p>\r\nSecond line\r\n<!-- note -->\r\n");

} // namespace

class TypingColorsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SourceWindow> f_;

    // The palette index of every character (line breaks left out).
    QList<int> colours() const
    {
        const rtf::Content c = f_->box->content();
        QList<int> out;
        for (int i = 0; i < c.text.size(); ++i)
            if (c.text[i] != QLatin1Char('\n'))
                out << Palette_Index(c.colorAt(i));
        return out;
    }

    // What Color Code gives, in the same form; -1 where it keeps a colour.
    QList<int> colorCode() const
    {
        const QString text = f_->box->Text();
        const std::vector<qint8> want = colorcode::Color_Code_Slots(text, 0, 0);
        QList<int> out;
        for (int i = 0; i < text.size(); ++i)
            if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
                out << (want[size_t(i)] < 0 ? -1 : state().Code_Color_Numbers[size_t(want[size_t(i)])]);
        return out;
    }

    // Positions (of colours()) where the two differ, but those in `except`.
    QString differences(const QList<int>& except = {}) const
    {
        const QList<int> have = colours(), want = colorCode();
        QStringList out;
        for (int i = 0; i < std::min(have.size(), want.size()); ++i)
            if (want[i] >= 0 && have[i] != want[i] && !except.contains(i))
                out << QStringLiteral("%1:%2/%3").arg(i).arg(have[i]).arg(want[i]);
        return out.join(' ');
    }

private Q_SLOTS:
    void init()
    {
        resetProgram();
        f_ = std::make_unique<SourceWindow>();
        state().More.Color_While_Typing = true;
        f_->w->Apply_Editing_Options();
        f_->open("index", kText);
        f_->run("Ctrl+0");
        QCOMPARE(differences(), QString());
        state().Source_Changed = false;
    }
    void cleanup()
    {
        QVERIFY(f_->dialogs.allUsed());
        f_.reset();
    }

    void everyChangeIsColoured_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::newRow("a tag typed into text") << "16+0; type <b>";
        QTest::newRow("a comment opened at the start") << "0+0; type <!--";
        QTest::newRow("and closed again") << "0+0; type <!--; 8+0; type -->";
        QTest::newRow("a value with a name in it") << "2+0; type  id=\"a_b\"";
        QTest::newRow("the > of a tag taken away") << "3+0; Backspace";
        QTest::newRow("a line joined to the next") << "24+0; Delete";
        QTest::newRow("a selection typed over") << "0+10; type <i";
        QTest::newRow("a tag by Ctrl+B") << "16+0; Ctrl+B";
        QTest::newRow("a button of the bar") << "16+0; cmd_Button_0";
        QTest::newRow("pasted") << "paste <style>p{color:red}</style>; 24+0; Ctrl+V";
        QTest::newRow("pasted over a selection") << "paste <!-- x; 0+5; Ctrl+V";
        QTest::newRow("a paste undone") << "paste \"<b>; 16+0; Ctrl+V; Ctrl+Z";
        QTest::newRow("undone and redone") << "16+0; type <b>; Ctrl+Z; Ctrl+Y";
        QTest::newRow("the standard format") << "Ctrl+=";
        QTest::newRow("an end tag put in") << "close tags; 16+0; type <b>";
        QTest::newRow("an end tag typed over") << "close tags; 16+0; type <b>x</b>";
        QTest::newRow("an end tag put in, undone") << "close tags; 16+0; type <em>; Ctrl+Z";
    }
    void everyChangeIsColoured()
    {
        QFETCH(QString, steps);
        for (QString step : steps.split("; ")) {
            if (step.startsWith("paste ")) {
                QGuiApplication::clipboard()->setText(step.mid(6));
                continue;
            }
            if (step == "close tags") {
                state().More.Close_Tags = true;
                f_->w->Apply_Editing_Options();
                continue;
            }
            f_->run(step);
        }
        QCOMPARE(differences(), QString());
    }

    // Undo takes text and colours back in one step; the colouring made no
    // step of its own.
    void oneUndoTakesBoth()
    {
        const QString text = f_->box->Text();
        const QList<int> before = colours();
        // Each key typed is its own step, with the colours it brought.
        f_->run("16+0; type <; type b; type >");
        const QList<int> typed = colours();
        f_->run("type x; Ctrl+Z");
        QCOMPARE(colours(), typed);
        f_->run("Ctrl+Z; Ctrl+Z; Ctrl+Z");
        QCOMPARE(f_->box->Text(), text);
        QCOMPARE(colours(), before);
    }

    // A colour given by hand on one line stays when another line changes.
    void handColoursElsewhereStay()
    {
        f_->run("13+5; Ctrl+3");  // "Hello" green by hand
        const QList<int> hand = colours().mid(13, 5);
        f_->run("25+0; type <em>more</em>");
        QCOMPARE(colours().mid(13, 5), hand);
        QCOMPARE(differences({13, 14, 15, 16, 17}), QString());
    }

    // A change that recolours a long page to its end colours the lines in
    // view at once and the rest between keystrokes ("wait": until the last
    // slice); typing on, undo and redo meanwhile end in Color Code's colours,
    // and undoing every step gives back the text and colours of the start.
    void longRecolouringInSlices_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("back");
        const QString undoAll = "Ctrl+Z; Ctrl+Z; Ctrl+Z; Ctrl+Z";
        QTest::newRow("a comment opened at the top") << "0+0; type <!--" << false;
        QTest::newRow("typed on before the end") << "0+0; type <!--; 70+0; type <b>" << false;
        QTest::newRow("undone before the end") << "0+0; type <!--; " + undoAll << true;
        QTest::newRow("undone after typing on") << "0+0; type <!--; 70+0; type x; wait; Ctrl+Z; " + undoAll << true;
        QTest::newRow("undone and redone") << "0+0; type <!--; wait; " + undoAll + "; Ctrl+Y; Ctrl+Y; Ctrl+Y; Ctrl+Y"
                                           << false;
        QTest::newRow("saved before the end: the file has every colour") << "0+0; type <!--; save" << false;
    }
    void longRecolouringInSlices()
    {
        QFETCH(QString, steps);
        QFETCH(bool, back);
        QString text;  // no comment to end one opened at the top
        for (int i = 0; text.size() < 300000; ++i)
            text += QStringLiteral("<p class=\"x\">line %1</p>\r\n").arg(i);
        f_->open("long", text, true);
        const QList<int> before = colours();
        const LiveColoring& live = *f_->w->liveColors;
        const QStringList list = steps.split("; ");
        for (const QString& step : list) {
            if (step == "wait") {
                QTRY_VERIFY(!live.busy());
            } else if (step == "save") {
                QVERIFY(live.busy());
                QTemporaryDir dir;
                QVERIFY(f_->box->SaveFile(dir.filePath("long.rtf"), 0));
                QVERIFY(!live.busy());
                QCOMPARE(differences(), QString());
            } else {
                f_->run(step);
            }
        }
        if (list.last() != "wait" && list.last() != "save" && steps.contains("type"))
            QVERIFY(live.busy() || back);
        QTRY_VERIFY(!live.busy());
        QCOMPARE(differences(), QString());
        if (back) {
            QCOMPARE(f_->box->Text(), text);
            QCOMPARE(colours(), before);
        }
    }

    // A page in one colour is coloured when it opens, and is not changed by
    // that; a page with colours of its own keeps them.
    void pagesColouredWhenOpened_data()
    {
        QTest::addColumn<bool>("plain");
        QTest::newRow("a page in one colour") << true;
        QTest::newRow("a page with its own colours") << false;
    }
    void pagesColouredWhenOpened()
    {
        QFETCH(bool, plain);
        const QString text = QStringLiteral("<p>one</p>\r\n<b>two</b>\r\n");
        f_->open("other", text, plain);
        QCOMPARE(state().Source_Changed, false);
        QVERIFY(!f_->box->document()->isUndoAvailable());
        if (plain)
            QCOMPARE(differences(), QString());
        else
            QVERIFY(!differences().isEmpty());  // written in other colours by the test's writer
    }
};
TESK_TEST(TypingColorsTest)

#include "typing_colors_test.moc"
