// The open document's files changed by another program (or a second copy of
// the editor) while the page is open: a save asks before writing over them,
// No takes the disk's version and keeps its bytes, and coming back to the
// program takes a change in quietly when there is nothing to lose.

#include "tesk_test.h"
#include "source_window_support.h"

#include <QFile>
#include <QFileInfo>

using namespace tesk::test;

namespace {

const QString kOld = QStringLiteral("<p>old</p>\r\n");

// The question about a changed file, as the user reads it.
QString question(const QString& fileName)
{
    return fileName + QStringLiteral(" has changed on disk since it was opened. Overwrite it?");
}

// Writes bytes into the file itself, as an editor that saves in place does:
// the inode stays, the size and the modification time change.
bool writeInPlace(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Writes bytes beside the file and renames them over it, as a program that
// saves safely does: a new inode.
bool replaceWhole(const QString& path, const QByteArray& bytes)
{
    const QString temporary = path + QStringLiteral(".other");
    return writeFile(temporary, bytes) && QFile::remove(path) && QFile::rename(temporary, path);
}

// The bytes of a source holding text, as another copy of the editor writes it.
QByteArray sourceBytes(const QString& scratch, const QString& text)
{
    return writeSource(scratch, text) ? readFile(scratch) : QByteArray();
}

} // namespace

class OutsideChangesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SourceWindow> f_;
    QByteArray outsideSource_, outsidePage_;  // what the other program left on disk

    QString source() const { return f_->wp("index.rtf"); }
    QString pagePath() const { return f_->site.workingFolder() + "Final-Pages/index.html"; }

    // What the other program does, while the page is open:
    //   "source:<text>" rewrites the source in place (another size),
    //   "same size:<word>" puts a word for "old" in the source, in place, with a later time,
    //   "page:<text>" rewrites the page in place,
    //   "both:<text>" replaces both as another copy of the editor saves,
    //   "delete source", "delete both", or "" nothing.
    void changeOutside(const QString& what)
    {
        const QString text = what.section(':', 1) + QStringLiteral("\r\n");
        const QByteArray before = readFile(source());
        if (what.startsWith("source:")) {
            outsideSource_ = sourceBytes(f_->site.path("scratch.rtf"), text);
            QVERIFY(outsideSource_.size() != before.size());
            QVERIFY(writeInPlace(source(), outsideSource_));
        } else if (what.startsWith("same size:")) {
            // The same file with one word changed for another as long.
            outsideSource_ = QByteArray(before).replace("old", what.section(':', 1).toUtf8());
            QCOMPARE(outsideSource_.size(), before.size());
            QVERIFY(outsideSource_ != before);
            const QDateTime was = QFileInfo(source()).lastModified();
            QVERIFY(writeInPlace(source(), outsideSource_));
            QFile f(source());
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(was.addSecs(2), QFileDevice::FileModificationTime));
        } else if (what.startsWith("page:")) {
            outsidePage_ = text.toUtf8();
            QVERIFY(writeInPlace(pagePath(), outsidePage_));
        } else if (what.startsWith("both:")) {
            outsideSource_ = sourceBytes(f_->site.path("scratch.rtf"), text);
            outsidePage_ = text.toUtf8();
            QVERIFY(replaceWhole(source(), outsideSource_));
            QVERIFY(replaceWhole(pagePath(), outsidePage_));
        } else if (what == "delete source" || what == "delete both") {
            QVERIFY(QFile::remove(source()));
            if (what == "delete both")
                QVERIFY(QFile::remove(pagePath()));
        }
    }

    // A file as the row expects it: "outside" for exactly the bytes the other
    // program wrote, "(none)" for no file, else its text.
    QString onDisk(const QString& path, const QByteArray& outside) const
    {
        if (!QFile::exists(path))
            return QStringLiteral("(none)");
        const QByteArray bytes = readFile(path);
        if (!outside.isEmpty() && bytes == outside)
            return QStringLiteral("outside");
        return f_->shorten(bytes.startsWith("{\\rtf") ? rtf::crlfText(readSource(path)) : QString::fromUtf8(bytes));
    }

private Q_SLOTS:
    void init()
    {
        resetProgram();
        f_ = std::make_unique<SourceWindow>();
        outsideSource_.clear();
        outsidePage_.clear();
    }
    void cleanup()
    {
        QVERIFY(f_->dialogs.allUsed());
        f_.reset();
    }

    // The page index is open with "<p>old</p>"; "Hi " typed when the row has
    // edits, the caret after them (or at 3 without); then the other program
    // changes the files and the user saves ("save", Ctrl+S) or comes back to
    // the program ("activate"), answering in turn. The editor is drawn with
    // its caret, "¶" a CR LF.
    void outsideChanges_data()
    {
        QTest::addColumn<QString>("outside");
        QTest::addColumn<bool>("edits");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("sourceFile");
        QTest::addColumn<QString>("pageFile");
        QTest::addColumn<bool>("changed");
        auto row = [](const char* name, const QString& outside, bool edits, const QString& steps,
                      const QString& answers, const QString& asked, const QString& editor, const QString& sourceFile,
                      const QString& pageFile, bool changed) {
            QTest::newRow(name) << outside << edits << steps << answers << asked << editor << sourceFile << pageFile
                                << changed;
        };
        const QString mine = "Hi <p>old</p>\u00b6";
        const QString rtfAsked = question("index.rtf"), htmlAsked = question("index.html");

        row("nothing changed: saved without a question", "", true, "save", "", "", "Hi |<p>old</p>\u00b6", mine,
            mine, false);
        row("source bigger, No: the disk's bytes kept and shown", "source:<p>outside, longer</p>", true, "save", "No",
            rtfAsked, "<p>|outside, longer</p>\u00b6", "outside", "<p>old</p>\u00b6", false);
        row("source bigger, Yes: written over", "source:<p>outside, longer</p>", true, "save", "Yes", rtfAsked,
            "Hi |<p>old</p>\u00b6", mine, mine, false);
        row("source bigger, Cancel: both left as they are", "source:<p>outside, longer</p>", true, "save", "Cancel",
            rtfAsked, "Hi |<p>old</p>\u00b6", "outside", "<p>old</p>\u00b6", true);
        row("same size, later time, No: the disk's bytes kept", "same size:new", true, "save", "No", rtfAsked,
            "<p>|new</p>\u00b6", "outside", "<p>old</p>\u00b6", false);
        row("same size, later time, no edits: Ctrl+S asks too", "same size:new", false, "save", "Yes",
            rtfAsked, "<p>|old</p>\u00b6", "<p>old</p>\u00b6", "<p>old</p>\u00b6", false);
        row("page alone changed, No: its text taken in, still to be saved", "page:<p>by hand</p>", true, "save",
            "No", htmlAsked, "<p>|by hand</p>\u00b6", "<p>old</p>\u00b6", "outside", true);
        row("a second copy saved both, No: its version shown", "both:<p>second copy</p>", true, "save", "No",
            rtfAsked, "<p>|second copy</p>\u00b6", "outside", "outside", false);
        row("a second copy saved both, Yes: written over", "both:<p>second copy</p>", true, "save", "Yes", rtfAsked,
            "Hi |<p>old</p>\u00b6", mine, mine, false);
        row("source deleted: made again without a question", "delete source", true, "save", "", "",
            "Hi |<p>old</p>\u00b6", mine, mine, false);
        row("both deleted: made again without a question", "delete both", true, "save", "", "",
            "Hi |<p>old</p>\u00b6", mine, mine, false);

        row("back in the program, nothing changed: nothing happens", "", true, "activate", "", "",
            "Hi |<p>old</p>\u00b6", "<p>old</p>\u00b6", "<p>old</p>\u00b6", true);
        row("back, no edits: taken in quietly, the caret kept", "source:<p>outside, longer</p>", false, "activate",
            "", "", "<p>|outside, longer</p>\u00b6", "outside", "<p>old</p>\u00b6", false);
        row("back, no edits, a second copy saved: its version", "both:<p>second copy</p>", false, "activate", "", "",
            "<p>|second copy</p>\u00b6", "outside", "outside", false);
        row("back, no edits, file deleted: the text stays", "delete source", false, "activate", "", "",
            "<p>|old</p>\u00b6", "(none)", "<p>old</p>\u00b6", false);
        row("back with edits, No: the disk's version", "source:<p>outside, longer</p>", true, "activate", "No",
            rtfAsked, "<p>|outside, longer</p>\u00b6", "outside", "<p>old</p>\u00b6", false);
        row("back with edits, Yes: the edits saved", "page:<p>by hand</p>", true, "activate", "Yes", htmlAsked,
            "Hi |<p>old</p>\u00b6", mine, mine, false);
        row("back with edits, Cancel: asked once, a save asks again", "source:<p>outside, longer</p>", true,
            "activate; activate; save", "Cancel; No", rtfAsked + " | " + rtfAsked, "<p>|outside, longer</p>\u00b6",
            "outside", "<p>old</p>\u00b6", false);
        row("saved after a question: the next save asks nothing", "source:<p>outside, longer</p>", true,
            "save; save", "Yes", rtfAsked, "Hi |<p>old</p>\u00b6", mine, mine, false);
    }
    void outsideChanges()
    {
        QFETCH(QString, outside);
        QFETCH(bool, edits);
        QFETCH(QString, steps);
        QFETCH(QString, answers);
        f_->open("index", kOld);
        if (edits)
            f_->act("type Hi ");
        else
            f_->box->setSelStart(3);
        changeOutside(outside);
        static const QHash<QString, dialogs::Answer> answer{
            {"Yes", dialogs::Answer::Yes}, {"No", dialogs::Answer::No}, {"Cancel", dialogs::Answer::Cancel}};
        for (const QString& a : answers.split("; ", Qt::SkipEmptyParts))
            f_->dialogs.answerNextMessage(answer.value(a));
        const qsizetype before = f_->dialogs.messages().size();
        for (const QString& step : steps.split("; "))
            step == "save" ? f_->act("Ctrl+S") : f_->w->Program_Activated();

        QStringList asked;
        for (qsizetype i = before; i < f_->dialogs.messages().size(); ++i) {
            const dialogs::Message& m = f_->dialogs.messages()[i];
            asked << m.text;
            // Enter and Esc must never write over the other program's file.
            QCOMPARE(m.defaultButton, std::optional(dialogs::Answer::No));
            QCOMPARE(m.buttons, dialogs::Buttons::YesNoCancel);
        }
        QTEST(asked.join(" | "), "asked");
        QTEST(f_->shorten(drawn(*f_->box)), "editor");
        QTEST(onDisk(source(), outsideSource_), "sourceFile");
        QTEST(onDisk(pagePath(), outsidePage_), "pageFile");
        QTEST(state().Source_Changed, "changed");
        QCOMPARE(f_->w->frame()->windowTitle().endsWith(" *"), state().Source_Changed);
    }

    // The look happens when the program itself comes back to the front, not
    // only when asked to.
    void comingBackToTheProgramLooks()
    {
        f_->open("index", kOld);
        changeOutside("source:<p>outside, longer</p>");
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
        QTRY_COMPARE(f_->box->Text(), QStringLiteral("<p>outside, longer</p>\r\n"));
        QVERIFY(!state().Source_Changed);
    }

    // Another document, or none: nothing of the one before is looked at.
    void anotherDocumentIsNotAsked()
    {
        f_->open("index", kOld);
        changeOutside("source:<p>outside, longer</p>");
        f_->open("other", QStringLiteral("<p>other</p>\r\n"));
        f_->act("type Hi ");
        f_->act("Ctrl+S");
        f_->w->Program_Activated();
        QCOMPARE(f_->dialogs.messages().size(), 0);
        QCOMPARE(readFile(source()), outsideSource_);
    }
};
TESK_TEST(OutsideChangesTest)

#include "outside_changes_test.moc"
