#include "print/print_engine.h"

#include "print/frm_Page_Count.h"
#include "print/frm_Print_Plus.h"
#include "print/frm_Print_Preview.h"
#include "print/pagination.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "platform/screen.h"
#include "ui/forms.h"
#include "ui/window_manner.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QDir>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const QString kPrintTitle = QStringLiteral("TWE - Print");

// What the pages were made from and the pages themselves.
struct Engine {
    rtf::Content content;
    pagination::Pages pages;
    pagination::PageMetrics metrics;
    QString key;  // what the pages were made from (see pagesKey)
    QFont font;
    double ascent = 0;
    QString widthsFont;  // the font the widths were measured in
    std::unique_ptr<pagination::CharWidths> widths;
    QPointer<RichTextBox> box;
};

// Kept for the whole run, never destroyed: its fonts must not outlive the
// application object at exit.
Engine& engine()
{
    static Engine* e = new Engine;
    return *e;
}

int fontPoints()
{
    const int size = state().Font_Size;
    return size > 0 && size <= 400 ? size : 10;
}

// The printer's font in twips: 20 twips to the point. Kerning off, so a run
// of characters is exactly as wide as its characters measured one by one.
QFont printFont()
{
    QFont f(state().Font_Name);
    f.setPixelSize(fontPoints() * 20);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QMargins margins()
{
    const SharedState& s = state();
    return QMargins(s.Margin_Left, s.Margin_Top, s.Margin_Right, s.Margin_Bottom);
}

pagination::HeadFootItems headFootItems()
{
    const SharedState& s = state();
    pagination::HeadFootItems items;
    items.fileName = s.Print_File_Name;
    items.path = s.Print_File_Path;
    items.revDate = s.Rev_Date_Text;
    items.Filename_Pos = s.Filename_Pos;
    items.Path_Name_Pos = s.Path_Name_Pos;
    items.Page_Number_Pos = s.Page_Number_Pos;
    items.Date_Revised_Pos = s.Date_Revised_Pos;
    return items;
}

// Everything the pages depend on: the file (and its state on disk), the font,
// the tabs, the paper, the margins and the head/foot places.
QString pagesKey()
{
    const SharedState& s = state();
    const QSize paper = Paper_Twips();
    QStringList parts{s.Print_File_Path,
                      fs::modified(s.Print_File_Path).toString(Qt::ISODateWithMs),
                      QString::number(fs::size(s.Print_File_Path)),
                      s.Font_Name,
                      s.Page_Break_Tag};
    for (int v : {fontPoints(), s.Tab_Spacing, paper.width(), paper.height(), s.Margin_Left, s.Margin_Top,
                  s.Margin_Right, s.Margin_Bottom, s.Filename_Pos, s.Path_Name_Pos, s.Page_Number_Pos,
                  s.Date_Revised_Pos})
        parts << QString::number(v);
    return parts.join(QChar(0x1F));
}

// A file's date and time as the system writes them, the date without
// blanks (a date written with blanks, "14 Mar 2024", is written 2024-03-14).
QString dateTimeText(const QDateTime& t)
{
    if (!t.isValid())
        return QString();
    const QLocale locale = QLocale::system();
    QString date = locale.toString(t.date(), QLocale::ShortFormat);
    if (date.contains(QLatin1Char(' ')))
        date = t.date().toString(Qt::ISODate);
    return date + QLatin1Char(' ') + locale.toString(t.time(), QLocale::ShortFormat);
}

pagination::CharWidths& widthsFor(const QFont& font, const QFontMetricsF& metrics)
{
    Engine& e = engine();
    const QString key = font.key();
    if (!e.widths || e.widthsFont != key) {
        e.widths = std::make_unique<pagination::CharWidths>([metrics](char32_t c) {
            return c < 0x10000 ? metrics.horizontalAdvance(QChar(char16_t(c)))
                               : metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
        });
        e.widthsFont = key;
    }
    return *e.widths;
}

// Draws the two items of a header or footer line. Items too wide to stand
// side by side are shortened in the middle (a path keeps its start and its
// file name), so neither ever runs over the other or past the margins.
void drawCorners(QPainter& p, const QFontMetricsF& fm, const QString& left, const QString& right, double y)
{
    const double width = state().Print_Width;
    const pagination::Corner_Widths room = pagination::Head_Foot_Widths(
        fm.horizontalAdvance(left), fm.horizontalAdvance(right), width, fm.horizontalAdvance(QStringLiteral("  ")));
    const auto fitted = [&](const QString& text, double allowed) {
        return fm.horizontalAdvance(text) <= allowed ? text : fm.elidedText(text, Qt::ElideMiddle, allowed);
    };
    const double baseline = y + engine().ascent;
    if (!left.isEmpty())
        p.drawText(QPointF(0, baseline), fitted(left, room.left));
    if (!right.isEmpty()) {
        const QString shown = fitted(right, room.right);
        p.drawText(QPointF(width - fm.horizontalAdvance(shown), baseline), shown);
    }
}

// One print job: on the printer, or with no printer installed into a PDF
// file the user names (written whole, in one step, when the job ends).
class PageOutput {
public:
    bool begin(const QString& title, const QString& suggestedPdf)
    {
        QPrinter& printer = Program_Printer();
        if (Printer_Installed()) {
            printer.setFullPage(true);
            printer.setDocName(title);
            printer.setCopyCount(1);  // copies are printed (collated) by the engine
            if (!painter_.begin(&printer)) {
                dialogs::message(QStringLiteral("The printer ") + printer.printerName()
                                     + QStringLiteral(" could not be started."),
                                 dialogs::Buttons::Ok, dialogs::Icon::Exclamation, kPrintTitle);
                return false;
            }
            const double k = printer.resolution() / 1440.0;
            painter_.scale(k, k);
        } else {
            pdfPath_ = askPdfPath(suggestedPdf);
            if (pdfPath_.isEmpty())
                return false;
            buffer_.open(QIODevice::WriteOnly);
            pdf_ = std::make_unique<QPdfWriter>(&buffer_);
            pdf_->setResolution(1440);
            const QPageLayout paper = printer.pageLayout();
            pdf_->setPageLayout(QPageLayout(paper.pageSize(), paper.orientation(), QMarginsF()));
            pdf_->setTitle(title);
            pdf_->setCreator(dialogs::applicationTitle());
            if (!painter_.begin(pdf_.get())) {
                failed(fs::Result::IoError);
                return false;
            }
        }
        painter_.setRenderHint(QPainter::TextAntialiasing);
        return true;
    }

    QPainter& painter() { return painter_; }

    void newPage()
    {
        const QTransform t = painter_.transform();
        if (pdf_)
            pdf_->newPage();
        else
            Program_Printer().newPage();
        painter_.setTransform(t);
    }

    bool finish()
    {
        painter_.end();
        if (!pdf_)
            return true;
        const fs::Result r = fs::writeBytes(pdfPath_, buffer_.data());
        if (r != fs::Result::Ok) {
            failed(r);
            return false;
        }
        return true;
    }

private:
    static QString askPdfPath(const QString& suggested)
    {
        dialogs::FileRequest request;
        request.kind = dialogs::FileRequest::Kind::Save;
        request.title = QStringLiteral("No Printer Installed - Save the Pages as a PDF File");
        request.folder = fs::parentFolder(suggested);
        request.fileName = suggested;
        request.filter = QStringLiteral("PDF Files (*.pdf)|*.pdf|");
        request.mustExist = false;
        request.confirmOverwrite = true;
        QString path = dialogs::fileDialog(request).path;
        if (path.isEmpty())
            return path;
        state().Pdf_Folder = fs::withSeparator(fs::parentFolder(path));
        if (fs::extension(path).compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
            // The name typed lacks the extension; the dialog asked about
            // replacing the name typed, not this one.
            path += QStringLiteral(".pdf");
            if (fs::exists(path)
                && dialogs::message(path + QStringLiteral("\r\nalready exists. Do you want to replace it?"),
                                    dialogs::Buttons::YesNo, dialogs::Icon::Question, kPrintTitle,
                                    dialogs::Answer::No)
                    != dialogs::Answer::Yes)
                return QString();
        }
        return path;
    }

    void failed(fs::Result r) const
    {
        dialogs::message(QStringLiteral("The PDF file could not be written:\r\n") + pdfPath_ + QStringLiteral("\r\n(")
                             + fs::describe(r) + QStringLiteral(")"),
                         dialogs::Buttons::Ok, dialogs::Icon::Exclamation, kPrintTitle);
    }

    QPainter painter_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> pdf_;
    QString pdfPath_;
};

QString suggestedPdf(const QString& name)
{
    // A PDF is the user's document, not a file of the site: it never goes
    // among the sources by default.
    QString folder = state().Pdf_Folder;
    if (folder.isEmpty() || !fs::folderExists(folder))
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !fs::folderExists(folder))
        folder = QDir::homePath();
    return fs::withSeparator(folder) + name + QStringLiteral(".pdf");
}

void Source_Entry(bool print)
{
    SharedState& s = state();
    if (s.Source_Path != s.Print_File_Path || s.Print_Source != 1)
        s.Paginated = 0;
    s.Print_File_Name = s.Source_Title;
    s.Print_File_Path = s.Source_Path;
    s.Print_Source = 1;
    if (s.Print_File_Path.isEmpty())
        return;
    Hide_Tool_Windows();
    if (!Count_Pages(print ? QStringLiteral("Print Source File") : QStringLiteral("Preview Source File")))
        return;
    if (print) {
        s.Print_Copies = 1;
        s.First_Page = 1;
        s.Last_Page = s.Page_Total;
        Print_Page_Range();
    } else {
        Show_Preview();
    }
}

} // namespace

// ---- the printer ----------------------------------------------------------------

QPrinter& Program_Printer()
{
    static QPrinter* printer = [] {
        auto* p = new QPrinter(QPrinter::HighResolution);
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            p->setOutputFormat(QPrinter::PdfFormat);
        return p;
    }();
    return *printer;
}

bool Printer_Installed()
{
    const QPrinter& p = Program_Printer();
    return p.outputFormat() == QPrinter::NativeFormat && !p.printerName().isEmpty();
}

QString Printer_Device_Name()
{
    return Printer_Installed() ? Program_Printer().printerName()
                               : QStringLiteral("No printer installed: PDF file");
}

QSize Paper_Twips()
{
    const QRectF r = Program_Printer().pageLayout().fullRectPoints();
    return QSize(qRound(r.width() * 20), qRound(r.height() * 20));
}

void Show_Printer_Setup()
{
    state().Paginated = 0;
    dialogs::printerSetup(Program_Printer(), QStringLiteral("Page Setup"));
}

void Preview_Source_File()
{
    Source_Entry(false);
}

void Print_Source_File()
{
    Source_Entry(true);
}

// ---- pagination --------------------------------------------------------------------

RichTextBox* Print_Box()
{
    Engine& e = engine();
    if (!e.box) {
        e.box = new RichTextBox;
        e.box->setObjectName(QStringLiteral("rtf_Print"));
        e.box->setHideSelection(true);
        forms::Track(e.box);
    }
    const SharedState& s = state();
    e.box->setEditorStyle({s.Font_Name, fontPoints(), s.Tab_Spacing, Twips_Per_Pixel_X()});
    return e.box;
}

bool Pagination_Current()
{
    SharedState& s = state();
    const Engine& e = engine();
    if (s.Paginated == 1 && e.pages.count() > 0 && e.key == pagesKey())
        return true;
    s.Paginated = 0;
    return false;
}

CountResult Page_Count(const std::function<bool(int)>& progress)
{
    SharedState& s = state();
    Engine& e = engine();
    RichTextBox* box = Print_Box();
    if (s.Print_File_Path.isEmpty() || !box->LoadFile(s.Print_File_Path))
        return CountResult::Unreadable;
    rtf::Content content = box->content();
    if (content.text.isEmpty())
        return CountResult::Empty;

    // The revision date is known before the footer's room is reserved.
    s.Rev_Date_Text = pagination::Rev_Date_Text(dateTimeText(fs::modified(s.Print_File_Path)));
    const pagination::HeadFootText t = pagination::Build_Head_Foot(headFootItems(), 1, 1);
    const QFont font = printFont();
    const QFontMetricsF fm(font);
    const pagination::PageMetrics m = pagination::Page_Metrics(
        Paper_Twips(), margins(), fontPoints(), fm.lineSpacing(), pagination::Has_Header(t),
        pagination::Has_Footer(t));
    pagination::Layout layout;
    layout.printWidth = m.printWidth;
    layout.tabWidth = std::max(s.Tab_Spacing, 0);
    layout.linesPerPage = m.linesPerPage;
    layout.breakTag = s.Page_Break_Tag;
    bool stopped = false;
    pagination::Pages pages = pagination::Paginate(
        content.text, content.indents, layout, widthsFor(font, fm), [&](int percent) {
            stopped = progress && !progress(percent);
            return !stopped;
        });
    if (stopped)
        return CountResult::Cancelled;
    if (pages.count() == 0)
        return CountResult::Empty;

    e.content = std::move(content);
    e.pages = std::move(pages);
    e.metrics = m;
    e.font = font;
    e.ascent = fm.ascent();
    e.key = pagesKey();
    s.Page_Total = e.pages.count();
    s.Lines_Per_Page = m.linesPerPage;
    s.Footer_Y = m.footerY;
    s.Print_Width = m.printWidth;
    s.Paginated = 1;
    if (s.Print_Plus_Open == 1)
        if (frm_Print_Plus* plus = forms::Print_Plus_If_Loaded())
            plus->Show_Current_Pages();
    return CountResult::Done;
}

bool Count_Pages(const QString& caption)
{
    SharedState& s = state();
    frm_Page_Count d(dialogs::parentWindow());
    d.setWindowTitle(caption);
    d.Form_Activate();
    dialogs::exec(d);
    return !s.Dialog_Cancelled && Pagination_Current();
}

// ---- drawing -----------------------------------------------------------------------

void Build_Head_Foot()
{
    SharedState& s = state();
    s.Head_Foot_Text = pagination::Build_Head_Foot(headFootItems(), s.Current_Page, s.Page_Total);
}

void Draw_Page(QPainter& p)
{
    SharedState& s = state();
    Engine& e = engine();
    const int page = s.Current_Page;
    if (page < 1 || page > e.pages.count())
        return;
    Build_Head_Foot();
    const auto& t = s.Head_Foot_Text;
    const pagination::PageMetrics& m = e.metrics;
    const QFontMetricsF fm(e.font);
    p.setFont(e.font);
    p.setPen(Qt::black);
    if (pagination::Has_Header(t))
        drawCorners(p, fm, t[pagination::Head_Left], t[pagination::Head_Right], 0);

    const QString& text = e.content.text;
    const std::vector<rtf::ColorChange>& colors = e.content.colors;
    pagination::CharWidths& widths = *e.widths;
    const int first = e.pages.firstLine[size_t(page - 1)];
    const int last = e.pages.firstLine[size_t(page)];
    // The colour change in force at the page's first character.
    auto change = std::upper_bound(colors.begin(), colors.end(), e.pages.pageStart(page),
                                   [](int pos, const rtf::ColorChange& c) { return pos < c.start; });
    quint32 color = change == colors.begin() ? 0 : std::prev(change)->bgr;
    for (int li = first; li < last; ++li) {
        const pagination::PrintLine& line = e.pages.lines[size_t(li)];
        const double y = m.bodyTop + double(li - first) * m.lineHeight + e.ascent;
        double x = line.indent;
        int runStart = line.start;
        double runX = x;
        auto flush = [&](int end) {
            if (end > runStart) {
                p.setPen(QColor_From_Bgr(color));
                p.drawText(QPointF(runX, y), text.mid(runStart, end - runStart));
            }
        };
        for (int i = line.start; i < line.end; ++i) {
            if (change != colors.end() && change->start <= i) {
                flush(i);
                while (change != colors.end() && change->start <= i)
                    color = (change++)->bgr;
                runStart = i;
                runX = x;
            }
            const QChar ch = text[i];
            if (ch == QLatin1Char('\t')) {
                flush(i);
                x += std::max(s.Tab_Spacing, 0);
                runStart = i + 1;
                runX = x;
            } else if (ch.isHighSurrogate() && i + 1 < line.end && text[i + 1].isLowSurrogate()) {
                x += widths(QChar::surrogateToUcs4(ch, text[i + 1]));
                ++i;
            } else {
                x += widths(ch.unicode());
            }
        }
        flush(line.end);
    }
    // Colour changes on the line breaks of the page are caught up by the
    // next line's first character.

    if (pagination::Has_Footer(t)) {
        p.setPen(Qt::black);
        drawCorners(p, fm, t[pagination::Foot_Left], t[pagination::Foot_Right], s.Footer_Y);
    }
}

QImage Preview_Page(double devicePixelRatio)
{
    SharedState& s = state();
    s.Print_To_Printer = 0;
    const QSize paper = Paper_Twips();
    const double k = s.Print_Scale / Twips_Per_Pixel_X();
    const double dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image(std::max(1, int(std::ceil(paper.width() * k * dpr))),
                 std::max(1, int(std::ceil(paper.height() * k * dpr))), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
    p.translate(s.Margin_Left, s.Margin_Top);
    Draw_Page(p);
    return image;
}

void Show_Preview()
{
    frm_Print_Preview v(dialogs::parentWindow());
    v.Form_Activate();
    dialogs::exec(v);
}

// ---- printing ------------------------------------------------------------------------

bool Print_Page_Range()
{
    SharedState& s = state();
    const int total = engine().pages.count();
    if (s.Paginated != 1 || total == 0)
        return false;
    const int first = std::clamp(std::min(s.First_Page, s.Last_Page), 1, total);
    const int last = std::clamp(std::max(s.First_Page, s.Last_Page), first, total);
    const int copies = std::clamp(s.Print_Copies, 1, 99);
    s.Print_To_Printer = 1;
    s.Print_Scale = 1.0;
    PageOutput out;
    if (!out.begin(s.Print_File_Name, suggestedPdf(fs::baseName(s.Print_File_Name))))
        return false;
    QPainter& p = out.painter();
    p.translate(s.Margin_Left, s.Margin_Top);
    bool firstSheet = true;
    for (int copy = 1; copy <= copies; ++copy)
        for (int page = first; page <= last; ++page) {
            if (!firstSheet)
                out.newPage();
            firstSheet = false;
            s.Current_Page = page;
            Draw_Page(p);
        }
    return out.finish();
}

bool Print_Name_List(const QString& heading, const QStringList& names)
{
    const SharedState& s = state();
    if (names.isEmpty()) {
        // A page holding only the heading would waste paper and say nothing.
        dialogs::message(QStringLiteral("There are no files in the list:\r\nthere is nothing to print."),
                         dialogs::Buttons::Ok, dialogs::Icon::Information, kPrintTitle);
        return false;
    }
    const QFont font = printFont();
    const QFontMetricsF fm(font);
    const pagination::PageMetrics m =
        pagination::Page_Metrics(Paper_Twips(), margins(), fontPoints(), fm.lineSpacing(), false, false);
    // Lines of a page: the heading, a blank line, then the names.
    const int pageLines = pagination::List_Names_Per_Page(m.textHeight, m.lineHeight) + 2;
    // A name wider than the paper goes on over further lines, indented so
    // that it still reads as one name; the heading likewise.
    const double indent = std::min(double(std::max(s.Tab_Spacing, 0)), m.printWidth / 4.0);
    pagination::CharWidths& widths = widthsFor(font, fm);
    const QStringList headingLines = pagination::Wrap_Name(heading, m.printWidth, indent, widths);
    const int namesTop = int(headingLines.size()) + 1;
    PageOutput out;
    if (!out.begin(heading, suggestedPdf(QStringLiteral("List of Files"))))
        return false;
    QPainter& p = out.painter();
    p.translate(s.Margin_Left, s.Margin_Top);
    p.setFont(font);
    p.setPen(Qt::black);
    const auto drawLine = [&](int line, const QString& text, bool continued) {
        p.drawText(QPointF(continued ? indent : 0, line * m.lineHeight + fm.ascent()), text);
    };
    const auto drawHeading = [&] {
        for (int i = 0; i < headingLines.size(); ++i)
            drawLine(i, headingLines[i], i > 0);
    };
    drawHeading();
    int line = namesTop;
    for (const QString& name : names) {
        const QStringList parts = pagination::Wrap_Name(name, m.printWidth, indent, widths);
        // A name starts on a new page rather than being split, unless it is
        // longer than a whole page.
        const int room = std::max(pageLines - namesTop, 1);
        if (line > namesTop && (line + parts.size() > pageLines && parts.size() <= room)) {
            out.newPage();
            drawHeading();
            line = namesTop;
        }
        for (int i = 0; i < parts.size(); ++i) {
            if (line >= pageLines && line > namesTop) {
                out.newPage();
                drawHeading();
                line = namesTop;
            }
            drawLine(line++, parts[i], i > 0);
        }
    }
    return out.finish();
}
