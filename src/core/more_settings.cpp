#include "core/more_settings.h"

#include <QStringList>

#include <algorithm>

namespace {

struct BoolItem {
    const char* name;
    bool MoreSettings::*member;
};

constexpr BoolItem kBools[] = {
    {"Color_While_Typing", &MoreSettings::Color_While_Typing},
    {"Line_Numbers", &MoreSettings::Line_Numbers},
    {"Close_Tags", &MoreSettings::Close_Tags},
    {"Complete_Names", &MoreSettings::Complete_Names},
    {"Reopen_Last_Page", &MoreSettings::Reopen_Last_Page},
    {"Match_Tags", &MoreSettings::Match_Tags},
    {"Modern_Markup", &MoreSettings::Modern_Markup},
    {"Spell_While_Typing", &MoreSettings::Spell_While_Typing},
    {"Accessibility_Checks", &MoreSettings::Accessibility_Checks},
};

// Written only when they hold something: a start with no page open leaves
// no trace in the file.
struct TextItem {
    const char* name;
    QString MoreSettings::*member;
};

constexpr TextItem kTexts[] = {
    {"Last_Source", &MoreSettings::Last_Source},
    {"Last_Folder", &MoreSettings::Last_Folder},
    {"Find_In_Site_Window", &MoreSettings::Find_In_Site_Window},
    {"Dictionary", &MoreSettings::Dictionary},
};

struct NumberItem {
    const char* name;
    int MoreSettings::*member;
};

constexpr NumberItem kNumbers[] = {
    {"Last_Caret", &MoreSettings::Last_Caret},
    {"Last_Scroll", &MoreSettings::Last_Scroll},
};

std::optional<bool> readBool(const QString& v)
{
    const QString t = v.trimmed().toLower();
    if (t == u"1" || t == u"true" || t == u"yes" || t == u"on")
        return true;
    if (t == u"0" || t == u"false" || t == u"no" || t == u"off")
        return false;
    return std::nullopt;
}

// Names and values hold no line break, and a name no "=": what would break
// the file's lines is dropped.
QString oneLine(QString s)
{
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    return s;
}

} // namespace

QString More_Settings_File_Name() { return QStringLiteral("Tesk Web Editor Options.ini"); }

QString Chosen_Dictionary(const MoreSettings& m)
{
    // A name, not a path: the dictionary's files are looked up by it.
    const QString d = m.Dictionary.trimmed();
    const bool name = !d.isEmpty() && std::all_of(d.begin(), d.end(), [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-');
    });
    return name ? d : QStringLiteral("en_US");
}

MoreSettings Parse_More_Settings(const QString& text)
{
    MoreSettings m;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        // A stray CR inside a line is dropped as writing drops it: read
        // back, the line must mean what it meant (a "Line_<CR>Numbers"
        // kept as unknown would come back as a known option).
        const QString name = oneLine(line.left(eq)).trimmed();
        const QString value = oneLine(line.mid(eq + 1));
        bool known = false;
        for (const BoolItem& item : kBools)
            if (name == QLatin1String(item.name)) {
                known = true;
                if (const std::optional<bool> b = readBool(value))
                    m.*item.member = *b;
            }
        for (const TextItem& item : kTexts)
            if (name == QLatin1String(item.name)) {
                known = true;
                m.*item.member = value;
            }
        for (const NumberItem& item : kNumbers)
            if (name == QLatin1String(item.name)) {
                known = true;
                bool ok = false;
                const int n = value.trimmed().toInt(&ok);
                if (ok && n >= 0)
                    m.*item.member = n;
            }
        if (!known && !name.isEmpty())
            m.unknown.emplace_back(name, value);
    }
    return m;
}

QString Format_More_Settings(const MoreSettings& m)
{
    QString out;
    for (const BoolItem& item : kBools)
        out += QLatin1String(item.name) + QLatin1Char('=') + QLatin1String(m.*item.member ? "1" : "0")
            + QLatin1String("\r\n");
    for (const TextItem& item : kTexts)
        if (!(m.*item.member).isEmpty())
            out += QLatin1String(item.name) + QLatin1Char('=') + oneLine(m.*item.member) + QLatin1String("\r\n");
    for (const NumberItem& item : kNumbers)
        if (m.*item.member > 0)
            out += QLatin1String(item.name) + QLatin1Char('=') + QString::number(m.*item.member)
                + QLatin1String("\r\n");
    for (const auto& [name, value] : m.unknown) {
        const QString n = oneLine(name).remove(QLatin1Char('=')).trimmed();
        if (!n.isEmpty())
            out += n + QLatin1Char('=') + oneLine(value) + QLatin1String("\r\n");
    }
    return out;
}

MoreSettings Read_More_Settings(const QString& folder)
{
    const QString path = fs::findCaseInsensitive(folder, More_Settings_File_Name());
    QString text;
    if (path.isEmpty() || !fs::fileExists(path) || fs::readText(path, text) != fs::Result::Ok)
        return {};
    return Parse_More_Settings(text);
}

fs::Result Write_More_Settings(const QString& folder, const MoreSettings& m)
{
    QString path = fs::findCaseInsensitive(folder, More_Settings_File_Name());
    if (path.isEmpty())
        path = folder + More_Settings_File_Name();
    return fs::writeText(path, Format_More_Settings(m));
}
