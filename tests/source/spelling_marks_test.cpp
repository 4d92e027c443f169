// Spelling while typing in the editor window: which words get the wavy
// underline, the pop-up menu's suggestions and commands, and F7.

#include "tesk_test.h"
#include "source_window_support.h"

#include "sitekit/spelling.h"
#include "source/spelling_marks.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTextEdit>

using namespace tesk::test;

class SpellingMarksTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SourceWindow> f_;
    std::unique_ptr<QTemporaryDir> config_;

    // The words under a wavy underline, in order.
    QString marked() const
    {
        QStringList out;
        for (const QTextEdit::ExtraSelection& s : f_->box->extraSelections())
            if (s.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                out << s.cursor.selectedText();
        return out.join(' ');
    }
    void settle() { QTRY_VERIFY(f_->w->spelling->finished()); }

private Q_SLOTS:
    void init()
    {
        resetProgram();
        // The personal word list goes to a throw-away configuration folder.
        config_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config_->path().toUtf8());
        f_ = std::make_unique<SourceWindow>();
        state().More.Spell_While_Typing = true;
        f_->w->Apply_Editing_Options();
        f_->open("index", "<p>teh cat, teh dog</p>\r\n");
        settle();
    }
    void cleanup()
    {
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
        QVERIFY(f_->dialogs.allUsed());
        f_.reset();
        qunsetenv("XDG_CONFIG_HOME");
    }

    // Typed at the start of the page, only the misspelt words a visitor
    // reads are marked; the other marks over the text stay.
    void typedWordsMarked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("marked");
        QTest::newRow("a correct and a misspelt word") << "<p>house wrod</p>" << "wrod";
        QTest::newRow("names and values of tags") << "<p clas=\"wrod\">house</p>" << "";
        QTest::newRow("an address") << "<p>see http://wrod.example/wrod</p>" << "";
        QTest::newRow("alt read, entity decoded") << "<img alt=\"wrod\"><p>h&ouml;use &quot;house&quot;</p>"
                                                   << "wrod h&ouml;use";
    }
    void typedWordsMarked()
    {
        QFETCH(QString, typed);
        QFETCH(QString, marked);
        QTextEdit::ExtraSelection other{QTextCursor(f_->box->document()), {}};
        other.format.setBackground(Qt::yellow);
        f_->box->setExtraSelections({other});
        f_->run("0+0; type " + typed);
        settle();
        QCOMPARE(this->marked(), (marked + " teh teh").trimmed());
        QCOMPARE(f_->box->extraSelections().size(), this->marked().count(' ') + 2);
    }

    // F7 selects the next misspelt word after the caret, wrapping, and pops
    // the menu up with the word's suggestions at its top; each of its
    // commands does its part.
    void menuOfAWord_data()
    {
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("command");  // "" for the first suggestion
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("marked");
        QTest::addColumn<QString>("wordList");
        QTest::newRow("a suggestion") << 0 << "" << "<p>the cat, teh dog</p>\r\n" << "teh" << "";
        QTest::newRow("the next, past the first") << 4 << "" << "<p>teh cat, the dog</p>\r\n" << "teh" << "";
        QTest::newRow("wrapping round") << 20 << "" << "<p>the cat, teh dog</p>\r\n" << "teh" << "";
        QTest::newRow("Add to Dictionary") << 0 << "Add to Dictionary" << "<p>teh cat, teh dog</p>\r\n" << ""
                                           << "teh\n";
        QTest::newRow("Ignore All") << 0 << "Ignore All" << "<p>teh cat, teh dog</p>\r\n" << "" << "";
    }
    void menuOfAWord()
    {
        QFETCH(int, caret);
        QFETCH(QString, command);
        QFETCH(QString, text);
        QFETCH(QString, marked);
        QFETCH(QString, wordList);
        const QString before = f_->box->Text();
        f_->box->setSelStart(caret);
        f_->run("F7");
        QCOMPARE(f_->box->SelText(), QString("teh"));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const QList<QAction*> actions = menu->actions();
        sitekit::Speller speller(QStringLiteral("en_US"), QString());
        const QStringList suggested = speller.suggestions("teh");
        QVERIFY(!suggested.isEmpty() && suggested.first() == "the");
        for (int i = 0; i < suggested.size(); ++i)
            QCOMPARE(actions[i]->text(), suggested[i]);
        QCOMPARE(actions[suggested.size()]->text(), QString("Add to Dictionary"));
        QVERIFY(actions[suggested.size() + 2]->isSeparator());
        QAction* chosen = command.isEmpty() ? actions.first()
                                            : *std::find_if(actions.begin(), actions.end(),
                                                            [&](QAction* a) { return a->text() == command; });
        menu->close();
        chosen->trigger();
        QCOMPARE(f_->box->Text(), text);
        settle();
        QCOMPARE(this->marked(), marked);
        QCOMPARE(QString::fromUtf8(readFile(sitekit::personalWordListPath())), wordList);
        // The menu is the Source menu again.
        QVERIFY(menu->actions().first()->text() != suggested.first());
        f_->run("Ctrl+Z");
        QCOMPARE(f_->box->Text(), before);
    }
};
TESK_TEST(SpellingMarksTest)

#include "spelling_marks_test.moc"
