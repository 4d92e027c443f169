// libtidy 5.6 (Debian's tidy-html5): messages come through a callback with
// their line and column, so nothing has to be read back from Tidy's text
// output.
#include "sitekit/page_check.h"

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <QByteArray>

namespace sitekit {

namespace {

// Reminders to check something by eye; they name nothing to change.
bool isReminder(const char* key)
{
    const QByteArrayView k(key ? key : "");
    return k.startsWith("INFORMATION_NOT_CONVEYED") || k.startsWith("REMOVE_FLICKER") || k.startsWith("ENSURE_")
        || k.endsWith("_DLINK") || k.contains("LONGDESC");
}

Bool TIDY_CALL collect(TidyMessage message)
{
    auto* out = static_cast<std::vector<PageMessage>*>(tidyGetAppData(tidyGetMessageDoc(message)));
    const TidyReportLevel level = tidyGetMessageLevel(message);
    PageMessage m;
    switch (level) {
    case TidyWarning: m.kind = PageMessage::Kind::Warning; break;
    case TidyAccess: m.kind = PageMessage::Kind::Accessibility; break;
    case TidyError: case TidyBadDocument: case TidyFatal: m.kind = PageMessage::Kind::Error; break;
    default: return no;  // info, configuration and the summary
    }
    const int line = tidyGetMessageLine(message);
    if (line <= 0 && level != TidyBadDocument && level != TidyFatal)
        return no;
    if (m.kind == PageMessage::Kind::Accessibility && isReminder(tidyGetMessageKey(message)))
        return no;
    // HTML5 lets a page leave out these tags: Tidy adding them is no fault.
    const QByteArray said(tidyGetMessage(message));
    if (qstrcmp(tidyGetMessageKey(message), "INSERTING_TAG") == 0
        && (said.contains("<body>") || said.contains("<head>") || said.contains("<html>")))
        return no;
    m.line = qMax(1, line);
    m.column = qMax(1, tidyGetMessageColumn(message));
    m.text = QString::fromUtf8(said).trimmed();
    // "[1.1.1.1]: <img> missing 'alt' text." names a guideline number first.
    if (m.text.startsWith(QLatin1Char('[')) && m.text.indexOf(QStringLiteral("]: ")) > 0)
        m.text = m.text.mid(m.text.indexOf(QStringLiteral("]: ")) + 3);
    out->push_back(std::move(m));
    return no;  // nothing is printed
}

} // namespace

std::vector<PageMessage> checkMarkup(QByteArrayView utf8, const TidyOptions& options)
{
    std::vector<PageMessage> out;
    TidyDoc doc = tidyCreate();
    tidySetAppData(doc, &out);
    tidySetMessageCallback(doc, collect);
    TidyBuffer sink;  // whatever still goes to the error stream
    tidyBufInit(&sink);
    tidySetErrorBuffer(doc, &sink);
    tidyOptSetBool(doc, TidyQuiet, yes);
    tidyOptSetBool(doc, TidyShowInfo, no);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    tidyOptSetInt(doc, TidyShowErrors, 1000000);
    tidyOptSetInt(doc, TidyTabSize, 1);  // columns count characters, as the editor's do
    tidyOptSetInt(doc, TidyAccessibilityCheckLevel, options.accessibility ? 1 : 0);
    tidySetCharEncoding(doc, "utf8");
    // Tidy reads a C string: a NUL byte in the page would end it early.
    QByteArray text = utf8.toByteArray();
    text.replace('\0', ' ');
    const int parsed = tidyParseString(doc, text.constData());
    if (parsed >= 0)
        tidyRunDiagnostics(doc);
    else if (out.empty())
        out.push_back({PageMessage::Kind::Error, 1, 1, QStringLiteral("Tidy cannot read this page"), {}, 0, 0});
    tidyBufFree(&sink);
    tidyRelease(doc);
    return out;
}

QString messageText(const PageMessage& m)
{
    switch (m.kind) {
    case PageMessage::Kind::Error: return QStringLiteral("error: ") + m.text;
    case PageMessage::Kind::Warning: return QStringLiteral("warning: ") + m.text;
    case PageMessage::Kind::Accessibility: return QStringLiteral("accessibility: ") + m.text;
    case PageMessage::Kind::Spelling: break;
    }
    QString s = QStringLiteral("spelling: ") + m.text;
    if (!m.suggestions.isEmpty())
        s += QStringLiteral(" (suggestions: %1)").arg(m.suggestions.mid(0, 3).join(QStringLiteral(", ")));
    return s;
}

QString messageLine(const QString& file, const PageMessage& m)
{
    return QStringLiteral("%1:%2:%3: %4").arg(file).arg(m.line).arg(m.column).arg(messageText(m));
}

} // namespace sitekit
