#pragma once
// The web browser control the browser and help windows show pages in. It
// wraps QWebEngineView and offers the operations and events the program uses
// under their names.
//
// Addresses: a web address ("https://...", "file:///...", "about:blank") or a
// full file path ("/home/me/site/Final-Pages/index.htm"), which is taken as a
// local file.
//
// Navigation flags: 2 no history entry, 4 do not read from the cache, 8 do
// not write to the cache; the program always passes 14. With 4 the page is
// read again from disk (or the network) whatever any cache holds, so a page
// the editor has just saved shows its new content. Flag 2: the engine always
// records a history entry for a new address; navigating to the address shown
// already replaces it instead (a reload), which is the case of every
// save-and-show.
//
// A link meant for a new window (target="_blank" and the like, or a script's
// window.open) opens in the control itself.
//
// When the page process of the engine cannot run (or dies), the control shows
// a message in place of the page rather than an empty area; the next
// navigation tries again.
//
// The control reads no program setting: its owner gives it the home page.

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

class QLabel;
class QPrinter;
class QStackedLayout;
class QWebEnginePage;
class QWebEngineView;

class WebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    enum Flags { NoHistory = 2, NoReadFromCache = 4, NoWriteToCache = 8, Fresh = 14 };

    // Loads an address or a full file path.
    void navigate(const QString& address, int flags = 0);
    // One step in the history. False (an error the callers ignore) when there
    // is no page to go to.
    bool back();
    bool forward();
    // Navigates to the home page (an empty page while none is set).
    void home();
    // The home page's address or full file path; the owner sets it.
    void setHomePage(const QString& pathOrAddress);
    QString homePage() const;
    // Reloads the current page, from disk or the network. While a navigate
    // is still loading its page, that load is the refresh: a reload then
    // would cancel it and leave the previous page showing.
    void refresh();
    void stop();
    // True while a page loads.
    bool busy() const;
    // Name of the current page: for a file its file name (with any "#part"),
    // otherwise the page's title, or its address while it has none.
    QString locationName() const;
    // Full address of the current page ("file:///...", "https://..."), "" before
    // the first page.
    QString locationAddress() const;

    // Commands: 4 save as, 6 print, 8 page setup, 12 copy, 17 select all,
    // 18 clear selection. Returns false for an unknown command or when a
    // dialog was cancelled or the command failed. The save-as, print and
    // page-setup dialogs go through platform/dialogs.
    bool execute(int command, int option = 0);
    enum Command { SaveAs = 4, Print = 6, PageSetup = 8, Copy = 12, SelectAll = 17, ClearSelection = 18 };

    // The engine's view and page, for what the operations above do not cover
    // (tests read a page's text through page()->runJavaScript).
    QWebEngineView* view() const;
    QWebEnginePage* page() const;
    // True while the message replaces the page.
    bool showingFailure() const;
    QString failureText() const;

    // Turns a file path into a file address; addresses stay as they are.
    static QString addressOf(const QString& pathOrAddress);
    // Lets the page engine start when the program runs as root (its sandbox
    // refuses to). Every control calls it; the program calls it before the
    // application object exists.
    static void allowEngineToStart();

Q_SIGNALS:
    // The status text changed (the address of the link under the mouse, or
    // "" when the mouse leaves it).
    void StatusTextChange(const QString& text);
    // The control moved to a new address (sent when the page starts to show).
    void NavigateComplete(const QString& address);
    // The page has finished loading (also after a failure or a stop).
    void DocumentComplete();
    void GotFocus();
    void LostFocus();

private:
    void showFailure(const QString& text);
    void showPage();
    void focusMoved(QWidget* old, QWidget* now);

    QStackedLayout* stack_ = nullptr;
    QWebEngineView* view_ = nullptr;
    QLabel* failure_ = nullptr;
    QPrinter* printer_ = nullptr;  // keeps the page setup between prints
    QString home_;
    bool loading_ = false;
    QUrl navigating_;  // the page a navigate is loading, until that load ends
    bool hasFocus_ = false;
};
