#include "core/settings_file.h"

#include "platform/data_file.h"

using data_file::numberText;

namespace {

// The notation escapes nothing: a double quote or a line break inside a
// string would end the item early and shift every later line of the file,
// spoiling all the settings after it. Such characters are left out, so a
// value that cannot be stored exactly never takes the others with it.
QString Storable(const QString& value)
{
    QString v = value;
    v.remove(QLatin1Char('"'));
    v.remove(QLatin1Char('\r'));
    v.remove(QLatin1Char('\n'));
    return v;
}

} // namespace

QString Current_Image_Pattern(const QString& stored)
{
    return stored == QLatin1String("*.gif;*.jpg;*.jpeg;*.bmp") ? SharedState().Image_Pattern : stored;
}

QString Current_Background_Pattern(const QString& stored)
{
    return stored == QLatin1String("*.gif;*.bmp") ? SharedState().Background_Pattern : stored;
}

int Usable_Font_Size(int points)
{
    return points < 8 || points > 18 ? 8 : points;
}

QString Settings_File_Name() { return QStringLiteral("Tesk Web Editor.ini"); }

QString Settings_Path(const QString& programFolder)
{
    const QString found = fs::findCaseInsensitive(programFolder, Settings_File_Name());
    if (!found.isEmpty())
        return found;
    return programFolder + Settings_File_Name();
}

QString Format_Settings(SharedState& s)
{
    data_file::Writer w;
    auto string = [&](const QString& value) { w.writeString(Storable(value)); };
    auto numbered = [&](int n, const char* label) {
        w.writeString(numberText(n) + QLatin1String(label));
    };
    w.writeString(QStringLiteral("Working Folder:"));
    string(s.Working_Folder);
    w.writeString(QStringLiteral("Server URL:"));
    w.writeString(QString());
    w.writeString(QString());
    numbered(s.Browser_Window_Pos, " Browser Window");
    if (s.Source_Window_Pos < 1)
        s.Source_Window_Pos = -2;
    numbered(s.Source_Window_Pos, " Source Window");
    w.writeString(QStringLiteral("-2 Text Window"));
    numbered(s.Image_Window_Pos, " Image Window");
    numbered(s.Color_Window_Pos, " Color Selection Window");
    w.writeString(QStringLiteral("-2 Reference Window"));
    w.writeString(QStringLiteral("Windows Arranged Horizontally: "));
    w.writeBoolean(s.Arrange_Horizontal);
    w.writeString(QStringLiteral("Browser Home Page:"));
    string(s.Browser_Home_Page);
    w.writeString(QStringLiteral("View Browser Buttons:"));
    w.writeBoolean(s.Show_Browser_Buttons);
    w.writeString(QStringLiteral("Display Access Button:"));
    w.writeBoolean(s.Show_Access_Button);
    w.writeString(QStringLiteral("Printer Margins:"));
    numbered(s.Margin_Left, " Left Margin");
    numbered(s.Margin_Top, " Top Margin");
    numbered(s.Margin_Right, " Right Margin");
    numbered(s.Margin_Bottom, " Bottom Margin");
    w.writeString(QStringLiteral("Head/Foot (0=None, Head: 1=Left, 2=Right, Foot: 3=Left, 4=Right)"));
    numbered(s.Page_Number_Pos, " Page Number");
    numbered(s.Date_Revised_Pos, " Date Revised");
    numbered(s.Filename_Pos, " Filename");
    numbered(s.Path_Name_Pos, " Path Name");
    w.writeString(QStringLiteral("Font Name: "));
    string(s.Font_Name);
    w.writeString(QStringLiteral("Font Size:"));
    w.writeNumber(s.Font_Size);
    w.writeString(QStringLiteral("Font Colors:"));
    for (int i = 1; i <= 3; ++i) {
        string(s.Code_Color_Names[i]);
        w.writeNumber(s.Code_Color_Numbers[i]);
    }
    w.writeString(QStringLiteral("Tab Stops and Margin Indents:"));
    w.writeString(s.Measure_Units == 2 ? QStringLiteral("2 = Centimeters") : QStringLiteral("1 = Inches"));
    w.writeNumber(s.Tab_Spacing);
    w.writeNumber(s.Text_Indent);
    w.writeString(QStringLiteral("Text File Extensions:"));
    w.writeString(QString());
    w.writeString(QStringLiteral("Source File Extensions:"));
    string(s.Source_File_Filter);
    w.writeString(QStringLiteral("Web Page File Extensions:"));
    string(s.Web_Page_Filter);
    w.writeString(QStringLiteral("Other Web Page Support Files:"));
    string(s.Support_File_Pattern);
    w.writeString(QStringLiteral("Image Extensions:"));
    string(s.Image_Pattern);
    w.writeString(QStringLiteral("Background Extensions:"));
    string(s.Background_Pattern);
    w.writeString(QStringLiteral("Book_Mark Character(s):"));
    string(s.Bookmark_Chars);
    w.writeString(QStringLiteral("Normal Location:"));
    w.writeNumber(s.Normal_Left);
    w.writeNumber(s.Normal_Top);
    w.writeNumber(s.Normal_Width);
    w.writeNumber(s.Normal_Height);
    w.writeString(QStringLiteral("Use XHTML Format"));
    w.writeBoolean(s.Use_XHTML);
    Q_ASSERT(w.lineCount() == kSettingsLines);
    return w.text();
}

SettingsRead Parse_Settings(const QString& text, SharedState& s)
{
    data_file::Reader r(text);
    // Each helper reads one item and applies it; false ends the reading.
    auto skip = [&]() { return r.readString().has_value(); };
    auto string = [&](QString& into) {
        const auto v = r.readString();
        if (v)
            into = *v;
        return v.has_value();
    };
    auto number = [&](int& into) {
        const auto v = r.readNumber();
        if (v)
            into = *v;
        return v.has_value();
    };
    auto boolean = [&](bool& into) {
        const auto v = r.readBoolean();
        if (v)
            into = *v;
        return v.has_value();
    };
    auto headFoot = [&](int& into) {
        const auto v = r.readNumber();
        if (v && *v < 5)
            into = *v;
        return v.has_value();
    };
    auto toolWindow = [&](int& pos, int pane) {
        const auto v = r.readNumber();
        if (v && *v > 0) {
            pos = *v;
            s.Tool_Pane_Window = pane;
        }
        return v.has_value();
    };
    // A colour number outside the 16-colour palette (a file edited by hand)
    // would colour with nothing sensible: the slot keeps its built-in colour
    // and name.
    auto colour = [&](size_t slot) {
        const auto v = r.readNumber();
        if (!v)
            return false;
        if (*v >= 0 && *v < 16) {
            s.Code_Color_Numbers[slot] = *v;
        } else {
            const SharedState defaults;
            s.Code_Color_Numbers[slot] = defaults.Code_Color_Numbers[slot];
            s.Code_Color_Names[slot] = defaults.Code_Color_Names[slot];
        }
        return true;
    };
    auto pattern = [&](QString& into, QString (*current)(const QString&)) {
        const auto v = r.readString();
        if (v)
            into = current(*v);
        return v.has_value();
    };
    auto fontSize = [&]() {
        const auto v = r.readNumber();
        if (v)
            s.Font_Size = Usable_Font_Size(*v);
        return v.has_value();
    };
    int discard = 0;

    const bool complete =
        skip() && string(s.Working_Folder) && skip() && skip() && skip()
        && number(s.Browser_Window_Pos) && number(s.Source_Window_Pos) && number(discard)
        && toolWindow(s.Image_Window_Pos, 1) && toolWindow(s.Color_Window_Pos, 2) && number(discard)
        && skip() && boolean(s.Arrange_Horizontal)
        && skip() && string(s.Browser_Home_Page)
        && skip() && boolean(s.Show_Browser_Buttons)
        && skip() && boolean(s.Show_Access_Button)
        && skip() && number(s.Margin_Left) && number(s.Margin_Top) && number(s.Margin_Right)
        && number(s.Margin_Bottom)
        && skip() && headFoot(s.Page_Number_Pos) && headFoot(s.Date_Revised_Pos)
        && headFoot(s.Filename_Pos) && headFoot(s.Path_Name_Pos)
        && skip() && string(s.Font_Name)
        && skip() && fontSize()
        && skip() && string(s.Code_Color_Names[1]) && colour(1)
        && string(s.Code_Color_Names[2]) && colour(2)
        && string(s.Code_Color_Names[3]) && colour(3)
        && skip() && number(s.Measure_Units) && number(s.Tab_Spacing) && number(s.Text_Indent)
        && skip() && skip()
        && skip() && string(s.Source_File_Filter)
        && skip() && string(s.Web_Page_Filter)
        && skip() && string(s.Support_File_Pattern)
        && skip() && pattern(s.Image_Pattern, Current_Image_Pattern)
        && skip() && pattern(s.Background_Pattern, Current_Background_Pattern)
        && skip() && string(s.Bookmark_Chars)
        && skip() && number(s.Normal_Left) && number(s.Normal_Top) && number(s.Normal_Width)
        && number(s.Normal_Height)
        && skip() && boolean(s.Use_XHTML);
    return complete ? SettingsRead::Ok : SettingsRead::Failed;
}

SettingsRead Read_Settings_File(SharedState& s)
{
    const QString path = fs::findCaseInsensitive(User_Files_Folder(s), Settings_File_Name());
    if (path.isEmpty() || !fs::fileExists(path))
        return SettingsRead::Missing;
    QString text;
    if (fs::readText(path, text) != fs::Result::Ok)
        return SettingsRead::Failed;
    return Parse_Settings(text, s);
}

fs::Result Write_Settings_File(SharedState& s)
{
    const QString text = Format_Settings(s);
    return fs::writeText(Settings_Path(User_Files_Folder(s)), text);
}
