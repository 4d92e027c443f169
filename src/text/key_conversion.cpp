#include "text/key_conversion.h"

#include "platform/vb_keys.h"

#include <algorithm>

namespace keyconv {

namespace {

using vb::letter;
constexpr auto No = ShiftRule::No;
constexpr auto Yes = ShiftRule::Yes;
constexpr auto Either = ShiftRule::Either;

const std::vector<KeyRow> kTable = {
    {vb::Key_Return, Either, Action::PageBreak},
    {vb::Key_Space, Either, Action::Insert, "&nbsp;"},
    {'1', Yes, Action::Insert, "&iexcl;"},
    {'7', Yes, Action::Insert, "&amp;"},
    {vb::Key_Comma, No, Action::LineBreak},
    {vb::Key_Comma, Yes, Action::Insert, "&lt;"},
    {vb::Key_Period, Yes, Action::Insert, "&gt;"},
    {vb::Key_Slash, Yes, Action::Insert, "&iquest;"},
    {vb::Key_Apostrophe, Yes, Action::Insert, "&quot;"},
    {letter('B'), No, Action::Wrap, "<b>", "</b>"},
    {letter('B'), Yes, Action::Close, "", "</b>"},
    {letter('I'), No, Action::Wrap, "<i>", "</i>"},
    {letter('I'), Yes, Action::Close, "", "</i>"},
    {letter('U'), No, Action::Wrap, "<u>", "</u>"},
    {letter('U'), Yes, Action::Close, "", "</u>"},
    {letter('C'), Yes, Action::Wrap, "<center>", "</center>"},
    {vb::Key_F1, No, Action::Heading, "<h1>", "</h1>"},
    {vb::Key_F1 + 1, No, Action::Heading, "<h2>", "</h2>"},
    {vb::Key_F1 + 2, No, Action::Heading, "<h3>", "</h3>"},
    {vb::Key_F1 + 3, No, Action::Heading, "<h4>", "</h4>"},
    {vb::Key_F5, No, Action::Heading, "<h5>", "</h5>"},
    {vb::Key_F1, Yes, Action::HeadingClose, "", "</h1>"},
    {vb::Key_F1 + 1, Yes, Action::HeadingClose, "", "</h2>"},
    {vb::Key_F1 + 2, Yes, Action::HeadingClose, "", "</h3>"},
    {vb::Key_F1 + 3, Yes, Action::HeadingClose, "", "</h4>"},
    {vb::Key_F5, Yes, Action::HeadingClose, "", "</h5>"},
    {vb::Key_Period, No, Action::Paragraph},
    {letter('V'), Yes, Action::PastePlain},
    {'2', Yes, Action::Accent, "ring;", "", "Ring"},
    {'6', Yes, Action::Accent, "circ;", "", "Circ"},
    {vb::Key_Semicolon, No, Action::Accent, "cedil;", "", "Cedil"},
    {vb::Key_Semicolon, Yes, Action::Accent, "uml;", "", "Uml"},
    {vb::Key_Slash, No, Action::Accent, "slash;", "", "Slash"},
    {vb::Key_Grave, No, Action::Accent, "grave;", "", "Grave"},
    {vb::Key_Grave, Yes, Action::Accent, "tilde;", "", "Tilde"},
    {vb::Key_Apostrophe, No, Action::Accent, "acute;", "", "Acute"},
    {letter('G'), No, Action::NextBookmark},
    {letter('G'), Yes, Action::PreviousBookmark},
    {letter('K'), Either, Action::NextPageBreak},
};

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

const std::vector<KeyRow>& Key_Table() { return kTable; }

const KeyRow* Find_Key_Row(int keyCode, bool shift)
{
    for (const KeyRow& row : kTable)
        if (row.keyCode == keyCode
            && (row.shift == Either || (row.shift == Yes) == shift))
            return &row;
    return nullptr;
}

bool Consumes_Key(const KeyRow& row)
{
    return row.action != Action::Heading && row.action != Action::HeadingClose;
}

QString Replacement_Text(const KeyRow& row, const QString& selection, bool useXhtml,
                         const QString& pageBreakTag)
{
    const QString text = QString::fromLatin1(row.text);
    const QString closing = QString::fromLatin1(row.closing);
    switch (row.action) {
    case Action::Insert:
        return text;
    case Action::LineBreak:
        return useXhtml ? QStringLiteral("<br />") : QStringLiteral("<br>");
    case Action::PageBreak:
        return pageBreakTag + kCrLf;
    case Action::Wrap:
        return selection.isEmpty() ? text : text + selection + closing;
    case Action::Heading:
        return selection.isEmpty() ? text : text + selection + closing + kCrLf;
    case Action::Close:
    case Action::HeadingClose:
        return selection + closing;
    case Action::Paragraph: {
        if (selection.size() < 5)
            return QStringLiteral("<p>");
        QString body = selection;
        if (body.endsWith(kCrLf))
            body.chop(2);
        return QStringLiteral("<p>") + body + QStringLiteral("</p>") + kCrLf;
    }
    default:
        return selection;
    }
}

int Next_Mark_Caret(QStringView text, int caret, QStringView mark)
{
    if (mark.isEmpty())
        return -1;
    qsizetype at = text.indexOf(mark, std::max(0, caret));
    if (at < 0)
        at = text.indexOf(mark, 0);
    return at < 0 ? -1 : int(at + mark.size());
}

int Previous_Mark_Caret(QStringView text, int caret, QStringView mark)
{
    if (mark.isEmpty() || text.isEmpty())
        return -1;
    const int before = std::clamp(caret - int(mark.size()), 1, int(text.size()));
    qsizetype at = text.first(before).lastIndexOf(mark, Qt::CaseInsensitive);
    if (at < 0)
        at = text.lastIndexOf(mark, Qt::CaseInsensitive);
    return at < 0 ? -1 : int(at);
}

} // namespace keyconv
