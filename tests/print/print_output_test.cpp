// Printing read back from real output: a source file printed to PDF and read
// with pdfinfo and pdftotext, the preview picture, and the windows a user
// goes through (the editor's preview, Print Plus, Page Setup).

#include "tesk_test.h"
#include "test_support.h"

#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/rtf_writer.h"
#include "print/frm_Page_Count.h"
#include "print/frm_Pg_Setup_Text.h"
#include "print/frm_Print_Plus.h"
#include "print/frm_Print_Preview.h"
#include "print/print_engine.h"
#include "source/frm_Source.h"
#include "ui/forms.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPaintEngine>
#include <QPainter>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>

#include <memory>

using namespace tesk::test;

namespace {

const QString kTag = QStringLiteral("<p style=\"page-break-before: always\"></p>");

// Twelve pages, one per piece between page-break tags: a long line on the
// first, text on both sides of a tag between the second and third, an
// indented paragraph on the fourth.
rtf::Content twelvePages()
{
    QStringList words;
    for (int i = 1; i <= 60; ++i)
        words << QStringLiteral("w%1").arg(i, 2, 10, QLatin1Char('0'));
    QStringList pieces{QStringLiteral("<html>\nFirst page\n") + words.join(QLatin1Char(' ')),
                       QStringLiteral("Second page\nbefore-tag"), QStringLiteral("after-tag\nThird page"),
                       QStringLiteral("Plain paragraph\nIndented paragraph\nPlain again")};
    for (int p = 5; p <= 12; ++p)
        pieces << QStringLiteral("Page piece %1").arg(p);
    rtf::Content c;
    c.append(pieces[0], 0xFF0000);  // blue
    for (int i = 1; i < pieces.size(); ++i)
        c.append((i == 2 ? kTag : QLatin1Char('\n') + kTag + QLatin1Char('\n')) + pieces[i], 0);
    c.fixIndents();
    const int indented = int(c.text.left(c.text.indexOf(QLatin1String("Indented"))).count(QLatin1Char('\n')));
    c.indents[size_t(indented)] = 1440;
    return c;
}

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The PDF's pages as pdftotext lays them out, each a list of its non-empty lines.
QList<QStringList> pdfPages(const QString& pdf)
{
    QList<QStringList> pages;
    for (const QString& page : run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                                   .split(QLatin1Char('\f'), Qt::SkipEmptyParts)) {
        QStringList lines;
        for (const QString& l : page.split(QLatin1Char('\n')))
            if (!l.trimmed().isEmpty())
                lines << l;
        if (!lines.isEmpty())
            pages << lines;
    }
    return pages;
}

// The box is left, as when the user moves on.
void leave(QWidget* box)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
}

// Where each word of a page stands (points from the sheet's top-left).
struct Word {
    QString text;
    QPointF topLeft;
    double right;
};
QList<Word> pdfWords(const QString& pdf, int page)
{
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)</word>"));
    QList<Word> words;
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                            QString::number(page), QStringLiteral("-bbox"), pdf,
                                                            QStringLiteral("-")});
    for (auto m = word.globalMatch(html); m.hasNext();) {
        const QRegularExpressionMatch w = m.next();
        words << Word{w.captured(4), QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                      w.captured(3).toDouble()};
    }
    return words;
}
Word find(const QList<Word>& words, const QString& text)
{
    for (const Word& w : words)
        if (w.text == text)
            return w;
    return Word{};
}

// A surface that keeps every text drawn on it, with the rectangle it covers
// (twips: the painter is not transformed).
struct DrawnText {
    QString text;
    QRectF rect;
    double baseline;
};
class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        texts << DrawnText{item.text(),
                           QRectF(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent()), p.y()};
    }
    Type type() const override { return QPaintEngine::User; }
    QList<DrawnText> texts;
};
class RecordingSheet : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return 12240;
        case PdmHeight: return 15840;
        case PdmWidthMM: return 216;
        case PdmHeightMM: return 279;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 1440;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }
};

} // namespace

class PrintOutputTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempSite> site_;
    QString book_;

    QString pdf(const QString& name) const { return site_->path(name); }
    // The next PDF file dialog answers with this file.
    static void savePdfAs(ScriptedDialogs& d, const QString& path)
    {
        d.onFile([path](const dialogs::FileRequest&) { return dialogs::FileResult{path, QString()}; });
    }
    static int clickOk(QDialog& d)
    {
        d.findChild<QPushButton*>(QStringLiteral("cmd_OK"))->click();
        return d.result();
    }

private slots:
    void init()
    {
        resetProgram();
        site_ = std::make_unique<TempSite>();
        site_->apply();
        Program_Printer().setOutputFormat(QPrinter::PdfFormat);
        Program_Printer().setPageSize(QPageSize(QPageSize::Letter));
        book_ = state().Working_Pages_Folder + QStringLiteral("book.rtf");
        QVERIFY(writeFile(book_, rtf::write(twelvePages(), QStringLiteral("Arial"), 10)));
        QFile f(book_);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime(QDate(2024, 3, 14), QTime(21, 5)), QFileDevice::FileModificationTime));
        SharedState& s = state();
        s.Filename_Pos = 1;
        s.Page_Number_Pos = 2;
        s.Date_Revised_Pos = 3;
        s.Print_File_Path = book_;
        s.Print_File_Name = QStringLiteral("book.rtf");
    }
    void cleanup() { resetProgram(); }

    // The PDF of a print is the user's document: offered in the documents
    // folder (the home folder when there is none), then where the last one
    // went; never among the site's sources.
    void pdfIsOfferedInTheUsersFolder_data()
    {
        QTest::addColumn<QString>("documents");  // "" when the user has no documents folder
        QTest::newRow("a documents folder") << "Documents";
        QTest::newRow("none: the home folder") << "";
    }
    void pdfIsOfferedInTheUsersFolder()
    {
        QFETCH(QString, documents);
        const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", site_->path("home").toUtf8());
        qputenv("XDG_CONFIG_HOME", site_->path("home/.config").toUtf8());
        QVERIFY(QDir().mkpath(site_->path("home/.config")));
        if (!documents.isEmpty())
            QVERIFY(QDir().mkpath(site_->path("home/" + documents)));
        QVERIFY(QDir().mkpath(site_->path("elsewhere")));
        QCOMPARE(Page_Count(), CountResult::Done);
        SharedState& s = state();
        s.First_Page = s.Last_Page = 1;
        ScriptedDialogs d;
        QStringList offered;
        const auto answer = [&offered](const QString& path) {
            return [&offered, path](const dialogs::FileRequest& r) {
                offered << QDir::cleanPath(r.folder) + " | " + QFileInfo(r.fileName).fileName();
                return dialogs::FileResult{path, QString()};
            };
        };
        d.onFile(answer(site_->path("elsewhere/first.pdf")));
        d.onFile(answer(site_->path("elsewhere/second.pdf")));
        QVERIFY(Print_Page_Range());
        QVERIFY(Print_Page_Range());
        qputenv("HOME", home);
        if (config.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", config);
        const QString first = site_->path(documents.isEmpty() ? "home" : "home/" + documents);
        QCOMPARE(offered, QStringList({QDir::cleanPath(first) + " | book.pdf",
                                       QDir::cleanPath(site_->path("elsewhere")) + " | book.pdf"}));
        QVERIFY(QFile::exists(site_->path("elsewhere/second.pdf")));
    }

    void printedPdf()
    {
        QCOMPARE(Page_Count(), CountResult::Done);
        QCOMPARE(state().Page_Total, 12);
        ScriptedDialogs d;
        savePdfAs(d, pdf(QStringLiteral("book.pdf")));
        SharedState& s = state();
        s.First_Page = 1;
        s.Last_Page = 12;
        QVERIFY(Print_Page_Range());
        QVERIFY(run(QStringLiteral("pdfinfo"), {pdf(QStringLiteral("book.pdf"))})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+12\\n"))));
        const QList<QStringList> pages = pdfPages(pdf(QStringLiteral("book.pdf")));
        QCOMPARE(pages.size(), 12);

        // Header on the top margin: the file name at the left margin, "page 3
        // of 12 " ending at the right one (1", 3/4", 3/4" margins, in points).
        const QList<Word> third = pdfWords(pdf(QStringLiteral("book.pdf")), 3);
        QCOMPARE(pages[2].first().simplified(), QStringLiteral("book.rtf page 3 of 12"));
        QCOMPARE(find(third, QStringLiteral("book.rtf")).topLeft.toPoint(), QPoint(72, 54));
        QVERIFY(qAbs(find(third, QStringLiteral("12")).right - (612 - 54)) < 5);
        // The revision date at the left of the footer line.
        QCOMPARE(find(third, QStringLiteral("(rev.")).topLeft.toPoint(), QPoint(72, 54 + 672));
        QVERIFY2(pages[2].last().contains(QRegularExpression(QStringLiteral("^\\(rev\\. \\S*14\\S*\\)$"))),
                 qPrintable(pages[2].last()));

        // The long line is broken over several lines, every word kept in order.
        const QStringList wordLines = pages[0].filter(QRegularExpression(QStringLiteral("^\\s*w\\d\\d")));
        QVERIFY(wordLines.size() >= 2);
        QStringList words;
        for (int i = 1; i <= 60; ++i)
            words << QStringLiteral("w%1").arg(i, 2, 10, QLatin1Char('0'));
        QCOMPARE(wordLines.join(QLatin1Char(' ')).simplified(), words.join(QLatin1Char(' ')));

        // Text on both sides of the page-break tag, the tag itself nowhere.
        QCOMPARE(pages[1].at(pages[1].size() - 2).trimmed(), QStringLiteral("before-tag"));
        QCOMPARE(pages[2].at(1).trimmed(), QStringLiteral("after-tag"));
        for (const QStringList& page : pages)
            QVERIFY(page.filter(QStringLiteral("page-break")).isEmpty());

        // The indented paragraph stands an inch to the right of its neighbours.
        const QList<Word> fourth = pdfWords(pdf(QStringLiteral("book.pdf")), 4);
        QCOMPARE(qRound(find(fourth, QStringLiteral("Plain")).topLeft.x()), 72);
        QCOMPARE(qRound(find(fourth, QStringLiteral("Indented")).topLeft.x()), 144);
    }

    // A header or footer item too long for its line is shortened, never
    // drawn over the item in the other corner nor past the margins; items
    // that fit are drawn whole.
    void headFootNeverOverlap_data()
    {
        QTest::addColumn<int>("pathLength");  // the Path Name item's length
        QTest::addColumn<int>("nameLength");  // the File Name item's length
        QTest::addColumn<QList<int>>("places");  // file name, path, page number, date
        QTest::addColumn<bool>("whole");      // every item drawn whole
        QTest::newRow("200-character path left, name and page right") << 200 << 8 << QList<int>{2, 1, 2, 0} << false;
        QTest::newRow("200-character path right, name left") << 200 << 8 << QList<int>{1, 2, 0, 0} << false;
        QTest::newRow("both long") << 200 << 150 << QList<int>{2, 1, 0, 0} << false;
        QTest::newRow("short path and name") << 20 << 8 << QList<int>{2, 1, 0, 0} << true;
        QTest::newRow("footer: page left, long path right") << 200 << 8 << QList<int>{0, 4, 3, 0} << false;
        QTest::newRow("long path alone") << 200 << 8 << QList<int>{0, 2, 0, 0} << false;
        QTest::newRow("header and footer both crowded") << 200 << 120 << QList<int>{3, 1, 2, 4} << false;
    }
    void headFootNeverOverlap()
    {
        QFETCH(int, pathLength);
        QFETCH(int, nameLength);
        QFETCH(QList<int>, places);
        QFETCH(bool, whole);
        SharedState& s = state();
        s.Filename_Pos = places[0];
        s.Path_Name_Pos = places[1];
        s.Page_Number_Pos = places[2];
        s.Date_Revised_Pos = places[3];
        QCOMPARE(Page_Count(), CountResult::Done);
        // The items as they are printed: the file is paginated, its names
        // are only read when a page is drawn.
        QString path = QStringLiteral("/home/user/");
        while (path.size() < pathLength - 9)
            path += QStringLiteral("folder%1/").arg(path.size() % 10);
        path = path.left(pathLength - 9) + QStringLiteral("/book.rtf");
        QCOMPARE(path.size(), pathLength);
        s.Print_File_Path = path;
        s.Print_File_Name = QString(nameLength - 4, QLatin1Char('n')) + QStringLiteral(".rtf");
        s.Current_Page = 1;
        Build_Head_Foot();
        const auto texts = s.Head_Foot_Text;

        RecordingSheet sheet;
        {
            QPainter p(&sheet);
            Draw_Page(p);
        }
        const QList<DrawnText>& drawn = sheet.engine.texts;
        QVERIFY(!drawn.isEmpty());
        double top = drawn.first().baseline, bottom = top;
        for (const DrawnText& d : drawn) {
            top = std::min(top, d.baseline);
            bottom = std::max(bottom, d.baseline);
        }
        const auto line = [&](double baseline) {
            QList<DrawnText> items;
            for (const DrawnText& d : drawn)
                if (d.baseline == baseline)
                    items << d;
            std::sort(items.begin(), items.end(),
                      [](const DrawnText& a, const DrawnText& b) { return a.rect.left() < b.rect.left(); });
            return items;
        };
        const auto check = [&](const QList<DrawnText>& items, const QString& left, const QString& right) {
            QCOMPARE(items.size(), int(!left.isEmpty()) + int(!right.isEmpty()));
            for (const DrawnText& d : items) {
                QVERIFY2(d.rect.left() >= -0.5 && d.rect.right() <= s.Print_Width + 0.5, qPrintable(d.text));
                QVERIFY(!d.text.isEmpty());
            }
            if (items.size() == 2)
                QVERIFY2(items[0].rect.right() < items[1].rect.left(),
                         qPrintable(QStringLiteral("%1 | %2").arg(items[0].text, items[1].text)));
            QStringList shown, meant;
            for (const DrawnText& d : items)
                shown << d.text;
            for (const QString& t : {left, right})
                if (!t.isEmpty())
                    meant << t;
            if (whole)
                QCOMPARE(shown, meant);
            else
                QVERIFY(shown != meant);
            // A shortened item keeps its start and its end.
            for (int i = 0; i < shown.size(); ++i) {
                QVERIFY2(shown[i].left(3) == meant[i].left(3), qPrintable(shown[i]));
                QVERIFY2(shown[i].right(3) == meant[i].right(3), qPrintable(shown[i]));
            }
        };
        const bool header = !(texts[1] + texts[2]).isEmpty();
        const bool footer = !(texts[3] + texts[4]).isEmpty();
        if (header)
            check(line(top), texts[1], texts[2]);
        if (footer)
            check(line(bottom), texts[3], texts[4]);
    }

    // The list of files: a name wider than the paper goes on over the next
    // lines, every character printed within the margins; names run over as
    // many pages as they need, each with the heading.
    void listOfFiles_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("pages");
        QString noBlank;
        while (noBlank.size() < 196)
            noBlank += QStringLiteral("chapter%1").arg(noBlank.size() % 7);
        noBlank = noBlank.left(196) + QStringLiteral(".rtf");
        QString blanks;
        for (int i = 0; blanks.size() < 190; ++i)
            blanks += QStringLiteral("word%1 ").arg(i);
        blanks += QStringLiteral("end.rtf");
        QStringList many;
        for (int i = 1; i <= 70; ++i)
            many << QStringLiteral("page%1.rtf").arg(i, 2, 10, QLatin1Char('0'));
        QTest::newRow("short names") << QStringList{"a.rtf", "b.rtf", "index.rtf"} << 1;
        QTest::newRow("200 characters, no blank") << QStringList{"a.rtf", noBlank, "z.rtf"} << 1;
        QTest::newRow("200 characters with blanks") << QStringList{blanks, "z.rtf"} << 1;
        QTest::newRow("more names than a page holds") << many << 2;
    }
    void listOfFiles()
    {
        QFETCH(QStringList, names);
        QFETCH(int, pages);
        const QString heading = QStringLiteral("/srv/site/Working-Pages/");
        ScriptedDialogs d;
        savePdfAs(d, pdf(QStringLiteral("list.pdf")));
        QVERIFY(Print_Name_List(heading, names));
        QVERIFY(d.allUsed());
        QVERIFY(run(QStringLiteral("pdfinfo"), {pdf(QStringLiteral("list.pdf"))})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));
        QString printed;
        for (int page = 1; page <= pages; ++page) {
            const QList<Word> words = pdfWords(pdf(QStringLiteral("list.pdf")), page);
            QVERIFY(!words.isEmpty());
            QCOMPARE(words.first().text, heading);
            for (const Word& w : words) {
                // Letter paper, 3/4" right margin: 558 points.
                QVERIFY2(w.right <= 612 - 54 + 1, qPrintable(w.text));
                QVERIFY2(w.topLeft.x() >= 72 - 1, qPrintable(w.text));
            }
            for (const Word& w : words.mid(1))
                printed += w.text;
        }
        QCOMPARE(printed, names.join(QString()).remove(QLatin1Char(' ')));
    }

    // An empty list prints no page: the user is told there is nothing.
    void emptyListOfFiles()
    {
        ScriptedDialogs d;
        d.answerNextMessage(dialogs::Answer::Ok);
        QVERIFY(!Print_Name_List(QStringLiteral("/srv/site/Working-Pages/"), {}));
        QVERIFY(d.allUsed());
        QCOMPARE(d.messages().size(), 1);
        QVERIFY(d.messages().first().text.contains(QStringLiteral("nothing to print")));
        QVERIFY(d.fileRequests().isEmpty());
    }

    // Printer Setup keeps the print dialog for choosing the printer and its
    // paper; what printing itself asks for (copies, an output file, a page
    // range) cannot be set there, however often the dialog is shown and
    // whichever printer is chosen.
    void printerSetupDialog()
    {
        const std::unique_ptr<QDialog> dlg = dialogs::printerSetupDialog(Program_Printer(), QStringLiteral("Page Setup"));
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Page Setup"));
        auto* printers = dlg->findChild<QComboBox*>(QStringLiteral("printers"));
        QVERIFY(printers);
        const auto lockedAndOpen = [&] {
            for (const char* name : {"copies", "filename", "gbPrintRange"}) {
                QWidget* w = dlg->findChild<QWidget*>(QLatin1String(name));
                QVERIFY2(w, name);
                QVERIFY2(!w->isEnabled(), name);
            }
            QVERIFY(printers->isEnabled());
        };
        lockedAndOpen();
        dlg->show();
        lockedAndOpen();
        for (int i = 0; i < printers->count(); ++i) {
            printers->setCurrentIndex(i);
            lockedAndOpen();
        }
        dlg->hide();
        dlg->show();
        lockedAndOpen();
        dlg->hide();
    }

    // The preview draws the sheet: ink only within the margins.
    void previewWithinMargins()
    {
        QCOMPARE(Page_Count(), CountResult::Done);
        SharedState& s = state();
        s.Print_Scale = 0.5;
        s.Current_Page = 1;
        const QImage page = Preview_Page();
        const double px = page.width() / 12240.0;  // pixels per twip
        QRect ink;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.pixel(x, y) != qRgb(255, 255, 255))
                    ink |= QRect(x, y, 1, 1);
        QVERIFY(!ink.isEmpty());
        const QRect margins(int(1440 * px), int(1080 * px), int(9720 * px) + 2, int(13680 * px) + 2);
        QVERIFY2(margins.contains(ink), qPrintable(QStringLiteral("%1 %2 %3 %4").arg(ink.x()).arg(ink.y())
                                                       .arg(ink.right()).arg(ink.bottom())));
    }

    // Ctrl+P's route: the pagination dialog, then the preview page by page;
    // a second preview of the unchanged file reuses the pages.
    void previewFromTheEditor()
    {
        SharedState& s = state();
        s.Source_Path = book_;
        s.Source_Title = QStringLiteral("book.rtf");
        s.Print_File_Path.clear();
        QStringList seen;
        ScriptedDialogs d;
        auto preview = [&](QDialog& dlg) {
            auto* v = qobject_cast<frm_Print_Preview*>(&dlg);
            seen << QStringLiteral("%1 %2/%3 next %4").arg(dlg.windowTitle(), v->lbl_Current_Page->text(),
                                                          v->lbl_Total_Pages->text())
                        .arg(v->cmd_Next->isEnabled());
            v->cmd_Next->click();
            v->cmd_Next->click();
            seen << QStringLiteral("page %1 previous %2").arg(v->lbl_Current_Page->text())
                        .arg(v->cmd_Previous->isEnabled());
            v->cmd_Close->click();
            return int(QDialog::Accepted);
        };
        auto counting = [&](QDialog& dlg) {
            auto* c = qobject_cast<frm_Page_Count*>(&dlg);
            seen << QStringLiteral("%1: %2, check %3").arg(dlg.windowTitle(), c->lbl_File->text())
                        .arg(c->cmd_Repaginate->isVisibleTo(c));
            return clickOk(dlg);
        };
        d.onModal(counting).onModal(preview).onModal(counting).onModal(preview);
        forms::Source()->Preview_Source_File();
        forms::Source()->Preview_Source_File();
        QCOMPARE(seen, QStringList({"Preview Source File: book.rtf, check 0", "Print Preview 1/12 next 1",
                                    "page 3 previous 1", "Preview Source File: book.rtf, check 1",
                                    "Print Preview 1/12 next 1", "page 3 previous 1"}));
        QVERIFY(d.allUsed());
    }

    // Print Plus selects the editor's file, keeps copies within 1 to 99,
    // prints copies collated, and prints a file whose pages are made without
    // asking again.
    void printPlus()
    {
        SharedState& s = state();
        s.Source_Path = book_;
        s.Source_Title = QStringLiteral("book.rtf");
        forms::Start()->mnu_File_Print->trigger();
        frm_Print_Plus* plus = forms::Print_Plus_If_Loaded();
        QVERIFY(plus);
        QCOMPARE(plus->lbl_Print_File->text(), QStringLiteral("book.rtf"));
        QVERIFY(!forms::Start()->topMenusEnabled());
        plus->txt_Copies->setText(QStringLiteral("150"));
        leave(plus->txt_Copies);
        QCOMPARE(plus->txt_Copies->text(), QStringLiteral("99"));
        plus->txt_Copies->setText(QStringLiteral("2"));

        ScriptedDialogs d;
        d.onModal(clickOk);
        savePdfAs(d, pdf(QStringLiteral("plus.pdf")));
        savePdfAs(d, pdf(QStringLiteral("again.pdf")));
        plus->cmd_Print->click();
        QCOMPARE(plus->lbl_Print_Pages[0]->text(), QStringLiteral("All of 12 pages"));
        plus->opt_Print_Pages[1]->setChecked(true);
        plus->txt_First_Page->setText(QStringLiteral("12"));
        plus->txt_Last_Page->setText(QStringLiteral("11"));
        plus->cmd_Print->click();  // no pagination dialog: the pages are made
        QVERIFY(d.allUsed());
        // Two copies: one document, collated.
        QStringList headers;
        for (const QStringList& page : pdfPages(pdf(QStringLiteral("plus.pdf"))))
            headers << page.first().section(QLatin1String("page "), 1);
        QCOMPARE(headers.size(), 24);
        QCOMPARE(headers.mid(11, 3), QStringList({"12 of 12", "1 of 12", "2 of 12"}));
        QCOMPARE(pdfPages(pdf(QStringLiteral("again.pdf"))).size(), 4);

        // Page Setup from Print Plus leaves the menus to Print Plus.
        plus->cmd_Page_Setup->click();
        frm_Pg_Setup_Text* setup = forms::Pg_Setup_Text_If_Loaded();
        setup->cmd_Close->click();
        QVERIFY(!forms::Start()->topMenusEnabled());
        QVERIFY(!plus->frame()->isHidden());
        QVERIFY(!plus->cmd_Print->isEnabled());
        plus->cmd_Close->click();
        QVERIFY(forms::Start()->topMenusEnabled());
        QCOMPARE(s.Print_Plus_Open, 0);
    }

    // Page Setup keeps margins the user did not touch exactly, and keeps a
    // typed margin within the paper.
    void pageSetupMargins()
    {
        SharedState& s = state();
        s.Measure_Units = 2;
        s.Paginated = 1;
        forms::Start()->mnu_File_Pg_Setup->trigger();
        frm_Pg_Setup_Text* setup = forms::Pg_Setup_Text_If_Loaded();
        QCOMPARE(setup->txt_Left->text(), QStringLiteral("2.5 cm"));
        setup->txt_Right->setText(QStringLiteral("40"));
        emit setup->txt_Right->textEdited(QStringLiteral("40"));
        leave(setup->txt_Right);
        QCOMPARE(setup->txt_Right->text(), QStringLiteral("16.5 cm"));
        setup->opt_Row[3][4]->setChecked(true);
        setup->cmd_Close->click();
        QCOMPARE(QList<int>({s.Margin_Left, s.Margin_Top, s.Margin_Right, s.Margin_Bottom, s.Page_Number_Pos}),
                 QList<int>({1440, 1080, 9354, 1080, 4}));
        QCOMPARE(s.Paginated, 0);
        QVERIFY(forms::Start()->topMenusEnabled());
    }
};

TESK_TEST(PrintOutputTest)
#include "print_output_test.moc"
