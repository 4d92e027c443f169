#include "browser/browser_rules.h"

#include <QFileInfo>

#include <algorithm>

namespace browser_rules {

const QString Home_Page_Text = QStringLiteral("Home Page");
const QString Working_Text = QStringLiteral("Working...");

HistoryChoice Choose_History(const QString& address, const QStringList& entries)
{
    HistoryChoice c;
    // Local files and the engine's own pages are not worth remembering; the
    // comparison is on the address as the engine reports it, case and all.
    const QString head = address.left(5);
    if (address.isEmpty() || head == QLatin1String("file:") || head == QLatin1String("about"))
        return c;
    const int at = entries.indexOf(address);
    if (at >= 0) {
        c.What = HistoryChoice::SelectExisting;
        c.Index = at;
    } else {
        c.What = HistoryChoice::InsertFirst;
        c.Index = 0;
    }
    return c;
}

QString Help_Page_Name(const QString& helpFile)
{
    return QFileInfo(helpFile).fileName();
}

CompletedPage Complete_Page(const QString& locationName, const QString& helpPageName)
{
    CompletedPage p;
    if (!helpPageName.isEmpty() && locationName == helpPageName) {
        p.Panel_Text = Home_Page_Text;
        return p;
    }
    // A jump within a page shows only the part the reader jumped to.
    const int hash = locationName.indexOf(QLatin1Char('#'));
    p.Panel_Text = hash >= 0 ? locationName.mid(hash) : locationName;
    p.Add_To_History = true;
    return p;
}

bool Is_Secure_Address(const QString& address)
{
    const QString head = address.left(6);
    return head == QLatin1String("https:") || head == QLatin1String("HTTPS:");
}

int Next_Progress(int value)
{
    const int next = value + 10;
    return next >= 100 ? 0 : next;
}

int Full_Size_Toggle(int browserWindowPos) { return browserWindowPos == 2 ? 1 : 2; }

int Maximize_Toggle(int browserWindowPos) { return browserWindowPos == 1 ? 2 : 1; }

QString Open_Folder(const QString& browserFolder, const QString& finalPagesFolder,
                    const QString& programFolder)
{
    if (!browserFolder.isEmpty())
        return browserFolder;
    if (!finalPagesFolder.isEmpty())
        return finalPagesFolder;
    return programFolder;
}

Layout Compute_Layout(const LayoutInput& in)
{
    Layout l;
    if (in.Width <= Min_Width || in.Height <= Min_Height)
        return l;
    l.Laid_Out = true;
    constexpr int margin = 60;

    int top = margin;
    if (in.Bar_Shown) {
        int barHeight = std::max(in.Toolbar_Height + 2 * margin, Address_Top + in.Address_Height + Address_Top);
        l.Toolbar = QRect(margin, (barHeight - in.Toolbar_Height) / 2, in.Toolbar_Width, in.Toolbar_Height);
        if (in.Width > Address_Bar_Min) {
            // The box runs from its fixed left edge to the Go button, which
            // keeps the bar's right margin; where that leaves too little to
            // read an address, box and button take a row below the toolbar.
            const int right = in.Width - 2 * margin;
            const int goLeft = right - in.Go_Width;
            int left = Address_Left;
            int rowTop = Address_Top;
            if (goLeft - margin - left < Address_Min_Width) {
                left = margin;
                rowTop = barHeight;
                barHeight += in.Address_Height + Address_Top;
            }
            l.Address_Placed = true;
            l.Address = QRect(left, rowTop, std::max(0, goLeft - margin - left), in.Address_Height);
            l.Go = QRect(goLeft, rowTop, in.Go_Width, in.Address_Height);
        }
        l.Bar = QRect(0, 0, in.Width, barHeight);
        top = barHeight;
    }
    const int statusTop = in.Height - in.Status_Height;
    l.Status = QRect(0, statusTop, in.Width, in.Status_Height);
    l.Browser = QRect(margin, top, in.Width - 2 * margin, std::max(0, statusTop - top));
    return l;
}

} // namespace browser_rules
