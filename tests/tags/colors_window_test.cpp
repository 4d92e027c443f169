// The Color Selection window beside the Source window, driven by clicks and
// keys: the tags it composes, what "Add to List" writes and offers in the
// Source window's colour bar, and colour setting files saved and opened.

#include "tesk_test.h"
#include "test_support.h"

#include "app/wiring.h"
#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "source/frm_Source.h"
#include "source/tag_bars.h"
#include "tags/color_settings_file.h"
#include "tags/color_widgets.h"
#include "tags/frm_Colors.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace tesk::test;

class ColorsWindowTest : public QObject {
    Q_OBJECT

    TempSite* site_ = nullptr;
    frm_Colors* w_ = nullptr;

    QString wp(const QString& name) const { return site_->path("site/Working-Pages/" + name); }

    // "cell <palette> <index>", "tab <tab control> <index>", "click <control>",
    // "type <control> <text>", "key <control> <key>"; controls by object name.
    void act(const QString& step)
    {
        const QStringList p = step.split(' ');
        QWidget* c = w_->findChild<QWidget*>(p.value(1));
        if (p[0] == "cell") {
            PaletteGrid* g = w_->pic_Color_Frame[p[1].toInt()];
            QTest::mouseClick(g, Qt::LeftButton, {}, g->cellRect(p[2].toInt()).center());
        } else if (p[0] == "tab") {
            static_cast<QTabWidget*>(c)->setCurrentIndex(p[2].toInt());
        } else if (p[0] == "click") {
            QVERIFY2(c && c->isVisible(), qPrintable(step));
            QTest::mouseClick(c, Qt::LeftButton, {}, c->rect().center());
        } else {
            c->setFocus();
            if (p[0] == "type")
                QTest::keyClicks(c, p.mid(2).join(' '));
            else
                QTest::keyClick(c, QKeySequence(p[2])[0].key());
        }
    }

private Q_SLOTS:
    void init()
    {
        resetProgram();
        site_ = new TempSite;
        site_->apply();
        Wire_Windows();
        forms::Source()->Working_Folder_Files();
        writeFile(site_->path("site/Final-Pages/Backgrnd/tile.gif"), "GIF89a");
        writeFile(site_->path("site/Final-Pages/Backgrnd/z.gif"), "GIF89a");
        w_ = forms::Colors();
        w_->resize(800, 560);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_));
    }
    void cleanup()
    {
        resetProgram();
        delete site_;
    }

    void composeAndAdd_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("choices");  // lines joined by |
        QTest::addColumn<bool>("add");
        QTest::newRow("safe cell for the body")
            << "cell 0 108;click cmd_Backgrnd" << "<body bgcolor=\"#FF9900\">" << true;
        QTest::newRow("named palette by keys for the text")
            << "tab tb_Select 1;key pic_Color_Frame_1 End;key pic_Color_Frame_1 Left;click cmd_Text"
            << "<body text=\"AliceBlue\">" << true;
        QTest::newRow("find field typed in lower case")
            << "type txt_Find ffab9900;key txt_Find Return;click cmd_Link_1" << "<body alink=\"#FF9900\">" << false;
        QTest::newRow("body pattern chosen by keys")
            << "click opt_Backgrnd_0;key cbo_Backgrnd_0 Down" << "<body background=\"Backgrnd\\tile.gif\">" << true;
        QTest::newRow("table with spacing, two lines")
            << "tab tb_Colors 1;type txt_Space 4 px;key txt_Space Return;cell 0 5;click cmd_Cells"
            << "<table cellspacing=\"4 px\">|<td bgcolor=\"#0000FF\">" << true;
        QTest::newRow("fonts 2 and 4 from the sliders")
            << "tab tb_Colors 2;tab tb_Select 1;key sld_Left_Right_1 Right;click cmd_Font_2;click cmd_Font_4"
            << "<font color=\"DarkSlateGray\">|<font color=\"DarkSlateGray\">|" << true;
    }
    void composeAndAdd()
    {
        QFETCH(QString, steps);
        QFETCH(QString, choices);
        for (const QString& step : steps.split(';'))
            act(step);
        QCOMPARE(w_->rtb_Choices->Text().replace("\r\n", "|"), choices);
        QFETCH(bool, add);
        if (!add)
            return;
        act("click cmd_Add");
        const QStringList lines = choices.split('|', Qt::SkipEmptyParts);
        QCOMPARE(readFile(wp("Color.lst")), (lines.join("\r\n") + "\r\n").toUtf8());
        QComboBox* bar = forms::Source()->tagBars->cbo_Tag[0];
        QCOMPARE(bar->itemText(bar->count() - 1), lines.last());
    }

    // An access key works whichever tab is shown: the control's tab comes
    // forward and the control does what its key does (an option is chosen,
    // a frame or a label hands the focus on). Of two controls with the same
    // key, the one shown wins.
    void accessKeysReachHiddenTabs_data()
    {
        QTest::addColumn<QString>("shown");  // "choice tab, palette tab" before the key
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("after");  // the tabs after it
        QTest::addColumn<QString>("focus");
        QTest::newRow("Alt+B from Tables: the body's pattern option") << "1,0" << QChar('B') << "0,0" << "opt_Backgrnd_0";
        QTest::newRow("Alt+T from Fonts: the text colours") << "2,0" << QChar('T') << "0,0" << "cmd_Text";
        QTest::newRow("Alt+S from Body: the cell spacing") << "0,0" << QChar('S') << "1,0" << "txt_Space";
        QTest::newRow("Alt+P from Fonts: the border pattern option") << "2,1" << QChar('P') << "1,1" << "opt_Border_0";
        QTest::newRow("Alt+E from Body: the cell pattern option") << "0,0" << QChar('E') << "1,0" << "opt_Cells_0";
        QTest::newRow("Alt+O from Body: the cell colour option") << "0,1" << QChar('O') << "1,1" << "opt_Cells_1";
        QTest::newRow("Alt+F from Body: the font colours") << "0,0" << QChar('F') << "2,0" << "cmd_Font_1";
        QTest::newRow("Alt+N from Named Colors: the find box") << "0,1" << QChar('N') << "0,0" << "txt_Find";
        QTest::newRow("Alt+C on Tables: its own colour option") << "1,0" << QChar('C') << "1,0" << "opt_Border_1";
        QTest::newRow("Alt+C on Body: its own colour option") << "0,0" << QChar('C') << "0,0" << "opt_Backgrnd_1";
    }
    void accessKeysReachHiddenTabs()
    {
        QFETCH(QString, shown);
        QFETCH(QChar, key);
        QFETCH(QString, after);
        QFETCH(QString, focus);
        act("tab tb_Colors " + shown.section(',', 0, 0));
        act("tab tb_Select " + shown.section(',', 1, 1));
        // Every option starts on its colour side, so a pattern option chosen
        // by its key shows.
        w_->tb_Colors->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key.unicode()), Qt::AltModifier);
        QCOMPARE(QStringLiteral("%1,%2").arg(w_->tb_Colors->currentIndex()).arg(w_->tb_Select->currentIndex()), after);
        QWidget* f = QApplication::focusWidget();
        QCOMPARE(f ? f->objectName() : QString(), focus);
        QVERIFY(f->isVisible());
        if (auto* option = qobject_cast<QRadioButton*>(f))
            QVERIFY(option->isChecked());
    }

    void colourDialogGoesToTheSafePalette()
    {
        ScriptedDialogs d;
        d.onColor([](const QColor&) { return QColor(0x66, 0x99, 0xCC); });
        act("tab tb_Select 1");
        act("click cmd_Backgrnd");  // a named colour first
        act("tab tb_Select 0");
        act("click cmd_More_Colors");
        act("click cmd_Backgrnd");
        QCOMPARE(w_->rtb_Choices->Text(), QStringLiteral("<body bgcolor=\"#6699CC\">"));
    }

    void settingFiles()
    {
        ScriptedDialogs d;
        for (const char* step : {"click opt_Backgrnd_0", "key cbo_Backgrnd_0 Down", "key cbo_Backgrnd_0 Down", "cell 0 108", "click cmd_Text",
                                    "tab tb_Colors 1", "type txt_Space 2"})
            act(step);
        const color_tags::Color_Choices saved = w_->choices();
        // Saved under a name typed without its extension.
        d.onFile([this](const dialogs::FileRequest& r) {
            return r.title == "Save Color File" ? dialogs::FileResult{wp("Greens"), {}} : dialogs::FileResult{};
        });
        act("click cmd_Save");
        QCOMPARE(w_->colorFilePath(), wp("Greens.clr"));
        const QByteArray file = readFile(wp("Greens.clr"));
        QVERIFY(file.startsWith("#TRUE#\r\n\"z.gif\"\r\n\"\"\r\n-2147483643\r\n\"#FF9900\"\r\n"));

        for (const char* step : {"tab tb_Colors 0", "click opt_Backgrnd_1", "cell 0 0", "click cmd_Text"})
            act(step);
        const auto open = [&](const QString& path) {
            d.onFile([path](const dialogs::FileRequest&) { return dialogs::FileResult{path, {}}; });
            act("click cmd_Open");
        };
        open(wp("Greens.clr"));
        QVERIFY(w_->choices() == color_settings::With_Fixed_Colors(saved));
        w_->frameActivated();  // coming back keeps the chosen pattern
        QCOMPARE(w_->cbo_Backgrnd[0]->currentText(), QStringLiteral("z.gif"));

        // A damaged file changes nothing.
        writeFile(wp("Short.clr"), file.left(file.lastIndexOf("\r\n", file.size() - 3) + 2));
        act("click opt_Backgrnd_1");
        const color_tags::Color_Choices before = w_->choices();
        d.expectMessage("Retrieval not Successful");
        open(wp("Short.clr"));
        QVERIFY(w_->choices() == before);

        // A pattern the site lacks is named and dropped.
        QFile::remove(site_->path("site/Final-Pages/Backgrnd/z.gif"));
        w_->Working_Backgrounds();
        d.expectMessage("z.gif Not Found");
        open(wp("Greens.clr"));
        QVERIFY(w_->choices().Pattern[0].isEmpty());

        // A file that cannot be replaced keeps what it held (a full disk the
        // same way: the file service's tests).
        setReadOnly(wp("Greens.clr"), true);
        d.answerNextMessage(dialogs::Answer::Ok);
        act("click cmd_Save");
        QCOMPARE(d.messages().last().title, QStringLiteral("TWE - Color Setting Not Saved"));
        QCOMPARE(readFile(wp("Greens.clr")), file);
        QVERIFY(d.allUsed());
    }
};

TESK_TEST(ColorsWindowTest)
#include "colors_window_test.moc"
