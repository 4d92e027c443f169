// The help page names the menu commands as the menus show them: every
// "Menu > Command" it names is a command of the real menus, and every
// command of the menus is named in it.

#include "tesk_test.h"
#include "test_support.h"

#include "app/frm_Start.h"
#include "ui/forms.h"

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
};

TESK_TEST(HelpPageTest)
#include "help_page_test.moc"
