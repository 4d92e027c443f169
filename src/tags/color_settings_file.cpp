#include "tags/color_settings_file.h"

#include "platform/data_file.h"
#include "tags/tag_lists.h"

#include <QDir>

#include <limits>

namespace color_settings {

using namespace color_tags;

const QString Extension = QStringLiteral(".clr");
const QString Retrieval_Failed = QStringLiteral("Retrieval not Successful");
const QString Not_Saved_Title = QStringLiteral("TWE - Color Setting Not Saved");
const QString Pattern_Not_Found_Title = QStringLiteral("Background Pattern");

namespace {

// One item per line, in file order. The same table drives the writer and the
// reader, so the two cannot disagree about the order.
enum class Kind { Boolean, String, Integer };
struct Item {
    Kind kind;
    int area;    // Use_Pattern / Pattern, or -1
    int target;  // Colors[target].Text / .Value, or -1
};
constexpr Item kItems[Line_Count] = {
    {Kind::Boolean, Body_Area, -1},  {Kind::String, Body_Area, -1},
    {Kind::String, -1, Body},        {Kind::Integer, -1, Body},
    {Kind::String, -1, Text},        {Kind::Integer, -1, Text},
    {Kind::String, -1, Link},        {Kind::Integer, -1, Link},
    {Kind::String, -1, ALink},       {Kind::Integer, -1, ALink},
    {Kind::String, -1, VLink},       {Kind::Integer, -1, VLink},
    {Kind::Boolean, Table_Area, -1}, {Kind::String, Table_Area, -1},
    {Kind::String, -1, Table},       {Kind::Integer, -1, Table},
    {Kind::String, -1, -1},  // the cell spacing
    {Kind::Boolean, Cell_Area, -1},  {Kind::String, Cell_Area, -1},
    {Kind::String, -1, Cells},       {Kind::Integer, -1, Cells},
    {Kind::String, -1, Font_1},      {Kind::Integer, -1, Font_1},
    {Kind::String, -1, Font_2},      {Kind::Integer, -1, Font_2},
    {Kind::String, -1, Font_3},      {Kind::Integer, -1, Font_3},
    {Kind::String, -1, Font_4},      {Kind::Integer, -1, Font_4},
};

const QString& stringOf(const Color_Choices& c, const Item& item)
{
    if (item.area >= 0)
        return c.Pattern[size_t(item.area)];
    if (item.target >= 0)
        return c.Colors[size_t(item.target)].Text;
    return c.Spacing;
}
QString& stringOf(Color_Choices& c, const Item& item)
{
    return const_cast<QString&>(stringOf(std::as_const(c), item));
}

QString blanksTrimmed(const QString& line)
{
    qsizetype from = 0;
    qsizetype to = line.size();
    const auto blank = [&line](qsizetype i) { return line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t'); };
    while (from < to && blank(from))
        ++from;
    while (to > from && blank(to - 1))
        --to;
    return line.mid(from, to - from);
}

std::optional<bool> booleanOf(const QString& line)
{
    const QString t = blanksTrimmed(line);
    if (t.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::optional<qint32> integerOf(const QString& line)
{
    const QString t = blanksTrimmed(line);
    bool ok = false;
    const qint64 v = t.toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(v);
}

std::optional<QString> stringOfLine(const QString& line)
{
    const QString t = blanksTrimmed(line);
    if (t.size() < 2 || !t.startsWith(QLatin1Char('"')) || !t.endsWith(QLatin1Char('"')))
        return std::nullopt;
    return t.mid(1, t.size() - 2);
}

} // namespace

QString Format_Color_File(const Color_Choices& c)
{
    data_file::Writer w;
    for (const Item& item : kItems) {
        switch (item.kind) {
        case Kind::Boolean: w.writeBoolean(c.Use_Pattern[size_t(item.area)]); break;
        case Kind::String: w.writeString(tag_lists::One_Line(stringOf(c, item))); break;
        case Kind::Integer: w.writeNumber(c.Colors[size_t(item.target)].Value); break;
        }
    }
    return w.text();
}

std::optional<Color_Choices> Parse_Color_File(const QString& text)
{
    const QStringList lines = fs::splitLines(text);
    if (lines.size() < Line_Count)
        return std::nullopt;
    Color_Choices c;
    for (int i = 0; i < Line_Count; ++i) {
        const Item& item = kItems[i];
        switch (item.kind) {
        case Kind::Boolean: {
            const auto b = booleanOf(lines[i]);
            if (!b)
                return std::nullopt;
            c.Use_Pattern[size_t(item.area)] = *b;
            break;
        }
        case Kind::String: {
            const auto s = stringOfLine(lines[i]);
            if (!s)
                return std::nullopt;
            stringOf(c, item) = *s;
            break;
        }
        case Kind::Integer: {
            const auto v = integerOf(lines[i]);
            if (!v)
                return std::nullopt;
            c.Colors[size_t(item.target)].Value = *v;
            break;
        }
        }
    }
    return c;
}

fs::Result Write_Color_File(const QString& path, const Color_Choices& c)
{
    return fs::writeText(path, Format_Color_File(c));
}

std::optional<Color_Choices> Read_Color_File(const QString& path)
{
    QString text;
    if (fs::readText(path, text) != fs::Result::Ok)
        return std::nullopt;
    return Parse_Color_File(text);
}

Color_Choices With_Fixed_Colors(Color_Choices c)
{
    for (int t = 0; t < Target_Count; ++t) {
        qint32& v = c.Colors[size_t(t)].Value;
        if (!Is_System_Color(v))
            continue;
        switch (t) {
        case Body:
        case Cells: v = 0xFFFFFF; break;
        case Table: v = 0xCCCCCC; break;
        default: v = 0; break;
        }
    }
    return c;
}

QString With_Extension(const QString& path)
{
    const QString name = fs::fileName(path);
    if (name.isEmpty() || !fs::extension(name).isEmpty())
        return path;
    return name.endsWith(QLatin1Char('.')) ? path + Extension.mid(1) : path + Extension;
}

QString Folder_Of(const QString& path) { return fs::parentFolder(path); }

QString Short_Name_Of(const QString& path) { return fs::fileName(path); }

QString Not_Saved_Message(const QString& path, fs::Result result)
{
    return QStringLiteral("The color setting file\n%1\ncould not be saved (%2).\n\n"
                          "No file was changed.")
        .arg(QDir::toNativeSeparators(path), fs::describe(result));
}

QString Pattern_Not_Found(const QString& name) { return name + QStringLiteral(" Not Found"); }

} // namespace color_settings
