// The help page names the menu commands as the menus show them: every
// "Menu > Command" it names is a command of the real menus, and every
// command of the menus is named in it.

#include "tesk_test.h"
#include "test_support.h"

#include "app/frm_Start.h"
#include "print/frm_Page_Count.h"
#include "source/frm_Source_Open.h"
#include "source/frm_Source_Save_As.h"
#include "ui/forms.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>

using namespace tesk::test;

namespace {

// A caption as the page writes it: no access-key marks, no keys shown.
QString plain(QString caption)
{
    caption = caption.section(QLatin1Char('\t'), 0, 0);
    return caption.remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
}

void collect(QMenu* menu, const QString& path, QSet<QString>& out)
{
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        const QString here = path + QStringLiteral(" > ") + plain(a->text());
        if (a->menu())
            collect(a->menu(), here, out);
        else
            out.insert(here);
    }
}

// The page as a reader sees it: no markup, one blank between words.
QString pageText()
{
    QString page = QString::fromUtf8(readFile(QStringLiteral(TESK_SOURCE_DIR "/resources/TeskEdit.htm")));
    page.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    page.replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    return page.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

// The caption of a control of a real window, as the page writes it.
QString caption(const QWidget* window, const char* name)
{
    const QWidget* w = window->findChild<QWidget*>(QLatin1String(name));
    if (auto* b = qobject_cast<const QPushButton*>(w))
        return plain(b->text());
    if (auto* l = qobject_cast<const QLabel*>(w))
        return plain(l->text());
    return QStringLiteral("(no control %1)").arg(QLatin1String(name));
}

} // namespace

class HelpPageTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { resetProgram(); }

    void namesTheRealMenuCommands()
    {
        const QString page = QString::fromUtf8(readFile(QStringLiteral(TESK_SOURCE_DIR "/resources/TeskEdit.htm")));
        QSet<QString> named;
        const QRegularExpression span(QStringLiteral("<span class=\"menu\">(.*?)</span>"),
                                      QRegularExpression::DotMatchesEverythingOption);
        for (const QRegularExpressionMatch& m : span.globalMatch(page)) {
            QString text = m.captured(1);
            text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
            named.insert(text.replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                             .replace(QStringLiteral("&quot;"), QStringLiteral("\"")));
        }

        QSet<QString> real;
        for (QAction* a : forms::Start()->menuBar()->actions())
            collect(a->menu(), plain(a->text()), real);
        real.remove(QStringLiteral("Help > (Program Font: Arial)"));  // information, no command

        const QSet<QString> unknown = named - real;
        const QSet<QString> missing = real - named;
        QVERIFY2(unknown.isEmpty(), qPrintable(QStringLiteral("Not in the menus: ") + unknown.values().join(", ")));
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("Not in the page: ") + missing.values().join(", ")));
    }

    // What the page tells about a window matches the window: after each
    // place in the page, before the next paragraph ends, the captions the
    // real window shows, and none of what the window lacks.
    void describesTheWindowsAsTheyAre_data()
    {
        QTest::addColumn<QString>("from");        // where the page talks about it
        QTest::addColumn<QStringList>("named");   // captions of the real window
        QTest::addColumn<QStringList>("absent");  // what must not be said there
        frm_Source_Open open;
        frm_Source_Save_As saveAs;
        frm_Page_Count count;
        QTest::newRow("Open Plus: a list and its button, no name to type")
            << "Source > Open Plus... (Ctrl+O)" << QStringList{caption(&open, "cmd_Open")}
            << QStringList{"type", "name box"};
        QTest::newRow("a new page's name: Enter moves to the button, Enter again saves")
            << "Your first page" << QStringList{caption(&saveAs, "cmd_Save_As"), "first Enter", "second Enter"}
            << QStringList{};
        QTest::newRow("New pages: the same two Enters")
            << "then it asks for the page's name" << QStringList{"first Enter", caption(&saveAs, "cmd_Save_As"), "second"}
            << QStringList{};
        QTest::newRow("the pagination question explained")
            << caption(&count, "lbl_Action")
            << QStringList{caption(&count, "cmd_OK"), caption(&count, "cmd_Cancel"), caption(&count, "cmd_Repaginate")}
            << QStringList{};
        QTest::newRow("a PDF goes to the user's folder") << "saves the pages as a PDF file"
                                                         << QStringList{"documents folder"} << QStringList{};
    }
    void describesTheWindowsAsTheyAre()
    {
        QFETCH(QString, from);
        QFETCH(QStringList, named);
        QFETCH(QStringList, absent);
        const QString page = pageText();
        const qsizetype at = page.indexOf(from);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("The page never says: ") + from));
        const QString there = page.mid(at, 700);
        for (const QString& n : named)
            QVERIFY2(there.contains(n), qPrintable(n + QStringLiteral(" is not in: ") + there));
        const QString opening = page.mid(at, 200);
        for (const QString& a : absent)
            QVERIFY2(!opening.contains(a, Qt::CaseInsensitive), qPrintable(a + QStringLiteral(" is in: ") + opening));
    }
};

TESK_TEST(HelpPageTest)
#include "help_page_test.moc"
