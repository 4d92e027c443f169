#pragma once
// The print engine: a source file as stored on disk, paginated with the
// printer's font, drawn page by page with its header and footer, in the
// colours and indents of the editor, on the printer or on the preview
// picture. Both surfaces are drawn by one routine: the painter works in
// twips, with (0, 0) at the top-left corner of the margins.
//
// The printer is any installed (CUPS) printer; with none installed, printing
// writes a PDF file whose name the user gives.
//
// The engine's state lives in the shared state (Print_File_Path, Paginated,
// Page_Total, Current_Page ...); the pages themselves stay here, valid while
// Paginated is 1 and nothing they were made from has changed.

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class QImage;
class QPainter;
class QPrinter;
class RichTextBox;

// ---- the printer ----------------------------------------------------------
// The printer every print command uses, as chosen in Printer Setup.
QPrinter& Program_Printer();
// True when the printer is a real one; otherwise output goes to a PDF file.
bool Printer_Installed();
// The printer's name as the dialogs show it.
QString Printer_Device_Name();
// The paper's width and height, twips.
QSize Paper_Twips();
// The printer setup dialog; the pages are made again for the printer chosen.
void Show_Printer_Setup();

// ---- from the source editor -------------------------------------------------
// Preview, or print every page once, of the editor's file as saved.
void Preview_Source_File();
void Print_Source_File();

// ---- pagination --------------------------------------------------------------
// True when Paginated is 1 and the pages still fit the file, the font, the
// printer, the margins and the head/foot choices; otherwise Paginated
// becomes 0.
bool Pagination_Current();
enum class CountResult { Done, Empty, Unreadable, Cancelled };
// Loads Print_File_Path into the pagination box and breaks it into pages
// (Page_Total, Lines_Per_Page, Footer_Y, Print_Width); Paginated = 1 when
// Done. progress(percent) may return false to stop.
CountResult Page_Count(const std::function<bool(int)>& progress = {});
// The hidden rich-text box that holds the file being printed.
RichTextBox* Print_Box();
// Shows the pagination dialog with this caption; false when it was
// cancelled or the file had nothing to print.
bool Count_Pages(const QString& caption);

// ---- drawing -------------------------------------------------------------------
// Head_Foot_Text for Current_Page.
void Build_Head_Foot();
// Draws Current_Page with its header and footer: the painter's units are
// twips and (0, 0) is the margins' top-left corner.
void Draw_Page(QPainter& painter);
// Current_Page as the preview shows it: the whole sheet at Print_Scale (1.0
// is the paper's size on the screen), for a screen of devicePixelRatio.
QImage Preview_Page(double devicePixelRatio = 1.0);
// Shows the preview window (from page 1).
void Show_Preview();

// ---- printing ------------------------------------------------------------------
// Pages First_Page to Last_Page, Print_Copies times (collated), as one job.
// False when nothing was printed (cancelled, or the output failed: the user
// has been told).
bool Print_Page_Range();
// The names under the heading, repeated on every page, as one job.
bool Print_Name_List(const QString& heading, const QStringList& names);
