#pragma once
// The arithmetic of a printed source file, without a printer: how many lines
// a page holds, where the header and footer go and what they say, where the
// text's long lines break and where its pages end. The print engine measures
// characters with the printer's font and hands the widths in; everything here
// is twips, so it is tested without a printer or a window.

#include <QMargins>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <vector>

namespace pagination {

// Where a header or footer item is printed (the page setup's codes).
enum Place { No_Place = 0, Head_Left = 1, Head_Right = 2, Foot_Left = 3, Foot_Right = 4 };

// The four items and the place chosen for each.
struct HeadFootItems {
    QString fileName;  // the File Name item
    QString path;      // the Path Name item
    QString revDate;   // "(rev. date)" or "" (see Rev_Date_Text)
    int Filename_Pos = 0;
    int Path_Name_Pos = 0;
    int Page_Number_Pos = 0;
    int Date_Revised_Pos = 0;
};

// The text of each place, index = place code; index 0 gathers the items
// printed nowhere. Items sharing a place are joined in the order file name,
// path, page number, revision date; each of the first three ends in a blank
// ("page 3 of 12 ").
using HeadFootText = std::array<QString, 5>;
HeadFootText Build_Head_Foot(const HeadFootItems& items, int page, int total);
bool Has_Header(const HeadFootText& t);
bool Has_Footer(const HeadFootText& t);

// The widths the left and right item of a header or footer line may take
// so that they never meet: both whole when they fit with gap between them;
// else the narrower one whole when it needs no more than half the room, the
// other the rest; else half each. An empty item leaves the other the whole
// line. Never below 0.
struct Corner_Widths {
    double left = 0;
    double right = 0;
};
Corner_Widths Head_Foot_Widths(double left, double right, double lineWidth, double gap);

// The revision item from a file's last-modified date and time as the system
// writes it ("3/14/24 9:05 PM"): "(rev. 3/14/24)". A text without a blank
// after its first character (a date alone) gives "".
QString Rev_Date_Text(const QString& dateTimeText);

// Where things go on a page, twips from the top-left corner of the margins.
struct PageMetrics {
    int printWidth = 0;    // width of a line of text
    int textHeight = 0;    // the paper's height less the top and bottom margins
    int lineHeight = 0;    // the pitch of the lines, for counting and drawing alike
    int linesPerPage = 1;  // lines of text a page holds
    int footerY = 0;       // top of the footer line
    int bodyTop = 0;       // top of the first line of text (two lines below a header)
};
// The nominal line is (fontPoints + 2) x 20 twips; a font whose own line
// spacing is wider uses that instead, so lines never run into the footer.
// A header takes two lines and a footer six; a page holds at least one line.
PageMetrics Page_Metrics(QSize paper, QMargins margins, int fontPoints, double fontLineSpacing, bool header,
                         bool footer);

// The width of every character, asked of measure once per distinct
// character and kept.
class CharWidths {
public:
    explicit CharWidths(std::function<double(char32_t)> measure);
    double operator()(char32_t c)
    {
        if (c < kTable) {
            float& w = table_[c];
            if (w < 0)
                w = float(measure_(c));
            return w;
        }
        return other(c);
    }

private:
    static constexpr char32_t kTable = 0x10000;
    double other(char32_t c);
    std::function<double(char32_t)> measure_;
    std::vector<float> table_;
    std::vector<std::pair<char32_t, double>> others_;
};

// One printed line: characters [start, end) of the text (its line break not
// included), drawn from x = indent.
struct PrintLine {
    int start = 0;
    int end = 0;
    int indent = 0;
    bool operator==(const PrintLine&) const = default;
};

// The pages of a text: page p (1 to count()) holds lines
// [firstLine[p - 1], firstLine[p]).
struct Pages {
    std::vector<PrintLine> lines;
    std::vector<int> firstLine{0};
    int count() const { return int(firstLine.size()) - 1; }
    // The page's first character and the character after its last one.
    int pageStart(int page) const;
    int pageEnd(int page) const;
};

struct Layout {
    int printWidth = 0;
    int tabWidth = 360;     // a tab moves the pen this far
    int linesPerPage = 1;
    QString breakTag;       // the page-break tag: the page ends there, the tag is not printed
};

// Breaks the text ('\n' between lines; indents: the left indent of each line,
// twips) into printed lines and pages. A line wider than the print width less
// its indent breaks after its last blank, tab or ">" that fits (a blank that
// overruns stays at the line's end); a line without any is cut by the
// average width of its characters, widened by a tenth; every line holds at
// least one character. A page ends once it holds its lines, and at every
// page-break tag (the text before and after the tag is kept). A page that
// would print nothing but blanks is left out. progress(percent) is called now
// and then; when it returns false the work stops and no pages are returned.
Pages Paginate(QStringView text, const std::vector<int>& indents, const Layout& layout, CharWidths& widths,
               const std::function<bool(int)>& progress = {});

// The preview's zoom for a sheet of paper (twips) in an area (twips): 1.0
// when the whole sheet fits, else the sheet shrunk until it fits both ways,
// but never below 0.05.
double Preview_Scale(QSize area, QSize paper);

// File names printed on one page of the list of files, below its heading.
int List_Names_Per_Page(int textHeight, int lineHeight);

// A name too wide for its line (the list of files) broken into lines: the
// first no wider than width, the others no wider than width - indent (they
// are drawn indented). A line breaks after the last blank, "-", "_", "."
// or "/" that fits, else before the first character that does not; each
// line holds at least one character, and together they hold every
// character of the name in order.
QStringList Wrap_Name(QStringView name, double width, double indent, CharWidths& widths);

// Whole numbers typed in the page range and copies boxes, brought into their
// range: empty or unreadable text gives low; anything outside [low, high]
// gives the nearer end.
int Clamp_Number(const QString& typed, int low, int high);

} // namespace pagination
