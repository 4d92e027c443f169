#include "browser/frm_Browser.h"

#include "browser/browser_rules.h"
#include "ui/window_manner.h"
#include "ui/forms.h"
#include "platform/screen.h"
#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/rich_text_box.h"
#include "platform/vb_keys.h"
#include "platform/web_browser.h"
#include "tags/tag_list_files.h"
#include "tags/list_messages.h"

#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWebEnginePage>

TESK_DEFINE_FORM(frm_Browser, Browser)

namespace {

constexpr int kTimerMs = 500;

struct TopButton {
    const char* key;
    const char* theme;  // freedesktop icon name
    QStyle::StandardPixmap fallback;
    const char* tip;
};
const TopButton kTopButtons[] = {
    {"Back", "go-previous", QStyle::SP_ArrowBack, " Back "},
    {"Forward", "go-next", QStyle::SP_ArrowForward, " Forward "},
    {"Stop", "process-stop", QStyle::SP_BrowserStop, " Stop "},
    {"Refresh", "view-refresh", QStyle::SP_BrowserReload, " Refresh "},
    {"Home", "go-home", QStyle::SP_DirHomeIcon, " Home "},
};

// A small house: the style's own "home" picture is a folder.
QIcon drawnHomeIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2a, 0x4b, 0x8d), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xf4, 0xf1, 0xe6));
    p.drawPolygon(QPolygonF{{7, 15}, {7, 28}, {25, 28}, {25, 15}});
    p.setBrush(QColor(0xc0, 0x39, 0x2b));
    p.drawPolygon(QPolygonF{{3, 16}, {16, 4}, {29, 16}});
    p.setBrush(QColor(0x2a, 0x4b, 0x8d));
    p.drawRect(QRectF(13.5, 20, 5, 8));
    p.end();
    return QIcon(pm);
}

QIcon topButtonIcon(const TopButton& b, const QStyle* style)
{
    const QString theme = QLatin1String(b.theme);
    if (QIcon::hasThemeIcon(theme))
        return QIcon::fromTheme(theme);
    if (theme == QLatin1String("go-home"))
        return drawnHomeIcon();
    return style->standardIcon(b.fallback);
}

QRect pxFromTwips(const QRect& r)
{
    return QRect(Px_From_Twips_X(r.x()), Px_From_Twips_Y(r.y()), Px_From_Twips_X(r.width()),
                 Px_From_Twips_Y(r.height()));
}

// The same page, whatever part of it a jump showed.
QUrl pageOf(const QString& address)
{
    return QUrl(address).adjusted(QUrl::RemoveFragment);
}

} // namespace

frm_Browser::frm_Browser() : ToolWindow(QStringLiteral("Browser"))
{
    setObjectName(QStringLiteral("frm_Browser"));
    buildControls();
    connectControls();
}

// ---- building the window ---------------------------------------------------------

void frm_Browser::buildControls()
{
    tb_Address = new QWidget(this);
    tb_Address->setObjectName(QStringLiteral("tb_Address"));

    tb_Top = new QToolBar(tb_Address);
    tb_Top->setObjectName(QStringLiteral("tb_Top"));
    tb_Top->setIconSize(QSize(16, 16));
    tb_Top->setMovable(false);
    tb_Top->setFloatable(false);
    tb_Top->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const TopButton& b : kTopButtons) {
        const QString key = QLatin1String(b.key);
        QAction* a = tb_Top->addAction(topButtonIcon(b, style()), key);
        a->setObjectName(key);
        a->setToolTip(QLatin1String(b.tip));
        connect(a, &QAction::triggered, this, [this, key] { Top_Button_Click(key); });
    }

    cbo_Address = new QComboBox(tb_Address);
    cbo_Address->setObjectName(QStringLiteral("cbo_Address"));
    cbo_Address->setEditable(true);
    // The list is the history of completed pages only (Add_URL), never what
    // was typed.
    cbo_Address->setInsertPolicy(QComboBox::NoInsert);
    cbo_Address->setMaxVisibleItems(20);
    // Remembered addresses are offered in a list below the box, never filled
    // into it: Enter goes to what was typed.
    auto* completer = new QCompleter(cbo_Address->model(), cbo_Address);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    cbo_Address->setCompleter(completer);
    cbo_Address->setToolTip(QStringLiteral(" Web Address "));
    cbo_Address->lineEdit()->installEventFilter(this);

    cmd_Go = new QToolButton(tb_Address);
    cmd_Go->setObjectName(QStringLiteral("cmd_Go"));
    cmd_Go->setText(QStringLiteral("&Go"));
    cmd_Go->setToolTip(QStringLiteral(" Go to URL Address in Box "));
    cmd_Go->setFocusPolicy(Qt::StrongFocus);

    brw_Web_Browser = new WebBrowser(this);
    brw_Web_Browser->setObjectName(QStringLiteral("brw_Web_Browser"));
    // Focus given to the window goes to the page.
    setFocusProxy(brw_Web_Browser);

    sb_Browser = new QStatusBar(this);
    sb_Browser->setObjectName(QStringLiteral("sb_Browser"));
    sb_Browser->setSizeGripEnabled(false);

    cmd_Access = new QPushButton(QStringLiteral("&Access"), sb_Browser);
    cmd_Access->setObjectName(QStringLiteral("cmd_Access"));
    cmd_Access->setToolTip(QStringLiteral(" Keyboard Focus to the Page "));

    sb_Panel[0] = new QLabel(sb_Browser);
    sb_Panel[0]->setObjectName(QStringLiteral("sb_Panel_1"));
    sb_Panel[0]->setTextFormat(Qt::PlainText);
    sb_Panel[0]->setMinimumWidth(1);
    sb_Panel[1] = new QLabel(QStringLiteral("Secure"), sb_Browser);
    sb_Panel[1]->setObjectName(QStringLiteral("sb_Panel_2"));
    sb_Panel[1]->setToolTip(QStringLiteral(" Secure Page "));
    sb_Panel[1]->setFrameShape(QFrame::StyledPanel);
    sb_Panel[1]->hide();

    cmd_Add = new QPushButton(QStringLiteral("Add Address to &List"), sb_Browser);
    cmd_Add->setObjectName(QStringLiteral("cmd_Add"));
    cmd_Add->setToolTip(QStringLiteral(" Add URL to Source Page's \"Web Links\" "));

    prg_Progress_Bar = new QProgressBar(sb_Browser);
    prg_Progress_Bar->setObjectName(QStringLiteral("prg_Progress_Bar"));
    prg_Progress_Bar->setRange(0, 100);
    prg_Progress_Bar->setTextVisible(false);
    prg_Progress_Bar->setFixedWidth(cmd_Add->sizeHint().width());
    prg_Progress_Bar->setMaximumHeight(cmd_Add->sizeHint().height());
    prg_Progress_Bar->hide();

    sb_Browser->addWidget(cmd_Access);
    sb_Browser->addWidget(sb_Panel[0], 1);
    sb_Browser->addPermanentWidget(sb_Panel[1]);
    sb_Browser->addPermanentWidget(prg_Progress_Bar);
    sb_Browser->addPermanentWidget(cmd_Add);

    tmr_Timer = new QTimer(this);
    tmr_Timer->setObjectName(QStringLiteral("tmr_Timer"));
    tmr_Timer->setInterval(kTimerMs);
}

void frm_Browser::connectControls()
{
    connect(cmd_Go, &QToolButton::clicked, this, &frm_Browser::Start_Browser);
    connect(cbo_Address->lineEdit(), &QLineEdit::returnPressed, this, &frm_Browser::Start_Browser);
    // Picking from the list only gets Go ready.
    connect(cbo_Address, &QComboBox::activated, this, [this] { cmd_Go->setFocus(); });
    connect(cmd_Add, &QPushButton::clicked, this, &frm_Browser::Add_Tag);
    connect(cmd_Access, &QPushButton::clicked, this, [this] { brw_Web_Browser->setFocus(); });
    connect(tmr_Timer, &QTimer::timeout, this, &frm_Browser::Browser_Working);

    connect(brw_Web_Browser, &WebBrowser::StatusTextChange, this,
            [this](const QString& text) { sb_Panel[0]->setText(text); });
    connect(brw_Web_Browser, &WebBrowser::NavigateComplete, this, [this](const QString& address) {
        sb_Panel[1]->setVisible(browser_rules::Is_Secure_Address(address));
        Show_Address(address);
    });
    connect(brw_Web_Browser, &WebBrowser::DocumentComplete, this, &frm_Browser::Download_Complete);
    connect(brw_Web_Browser->page(), &QWebEnginePage::loadFinished, this, &frm_Browser::Load_Finished);
    connect(brw_Web_Browser, &WebBrowser::GotFocus, this, [this] { cmd_Access->hide(); });
    connect(brw_Web_Browser, &WebBrowser::LostFocus, this,
            [this] { cmd_Access->setVisible(state().Show_Access_Button); });
}

void frm_Browser::Form_Load()
{
    joinMainWindow();
    Navigate(state().Help_File, WebBrowser::Fresh);
    Stop_Timer();
}

// ---- layout ----------------------------------------------------------------------------

void frm_Browser::resizeEvent(QResizeEvent* event)
{
    ToolWindow::resizeEvent(event);
    Form_Resize();
}

void frm_Browser::Form_Resize()
{
    browser_rules::LayoutInput in;
    in.Width = Twips_From_Px_X(width());
    in.Height = Twips_From_Px_Y(height());
    in.Bar_Shown = buttonsShown_;
    const QSize toolbar = tb_Top->sizeHint();
    in.Toolbar_Width = Twips_From_Px_X(toolbar.width());
    in.Toolbar_Height = Twips_From_Px_Y(toolbar.height());
    in.Address_Height = Twips_From_Px_Y(cbo_Address->sizeHint().height());
    in.Go_Width = Twips_From_Px_X(cmd_Go->sizeHint().width());
    in.Status_Height = Twips_From_Px_Y(sb_Browser->sizeHint().height());
    const browser_rules::Layout l = browser_rules::Compute_Layout(in);
    if (!l.Laid_Out)
        return;
    if (buttonsShown_) {
        tb_Address->setGeometry(pxFromTwips(l.Bar));
        tb_Top->setGeometry(pxFromTwips(l.Toolbar));
        if (l.Address_Placed) {
            cbo_Address->setGeometry(pxFromTwips(l.Address));
            cmd_Go->setGeometry(pxFromTwips(l.Go));
        }
    }
    brw_Web_Browser->setGeometry(pxFromTwips(l.Browser));
    sb_Browser->setGeometry(pxFromTwips(l.Status));
}

void frm_Browser::Display_Buttons(bool show)
{
    buttonsShown_ = show;
    tb_Top->setVisible(show);
    tb_Address->setVisible(show);
    if (show)
        tb_Address->raise();
    Form_Resize();
}

void frm_Browser::Show_Access(bool show) { cmd_Access->setVisible(show); }

void frm_Browser::Focus_Access() { cmd_Access->setFocus(); }

// ---- navigation --------------------------------------------------------------------------

void frm_Browser::Keep_Place(const QString& address)
{
    const QString shown = brw_Web_Browser->locationAddress();
    if (shown.isEmpty() || pageOf(WebBrowser::addressOf(address)) != pageOf(shown)) {
        keptAddress_.clear();
        return;
    }
    // A save reloads the page and the editor's refresh follows at once: the
    // place read before the first reload is the reader's.
    if (keptAddress_ == pageOf(shown).toString())
        return;
    keptPlace_ = brw_Web_Browser->page()->scrollPosition();
    keptAddress_ = pageOf(shown).toString();
}

void frm_Browser::Load_Finished(bool ok)
{
    if (keptAddress_.isEmpty() || !ok)
        return;
    if (pageOf(brw_Web_Browser->locationAddress()).toString() != keptAddress_) {
        keptAddress_.clear();
        return;
    }
    keptAddress_.clear();
    if (keptPlace_.isNull())
        return;
    brw_Web_Browser->page()->runJavaScript(
        QStringLiteral("window.scrollTo(%1, %2);").arg(keptPlace_.x()).arg(keptPlace_.y()));
}

void frm_Browser::Navigate(const QString& address, int flags)
{
    Keep_Place(address);
    brw_Web_Browser->navigate(address, flags);
}

void frm_Browser::GoBack() { brw_Web_Browser->back(); }

void frm_Browser::GoForward() { brw_Web_Browser->forward(); }

void frm_Browser::GoHome()
{
    brw_Web_Browser->setHomePage(state().Browser_Home_Page);
    brw_Web_Browser->home();
}

void frm_Browser::Refresh()
{
    Keep_Place(brw_Web_Browser->locationAddress());
    brw_Web_Browser->refresh();
}

void frm_Browser::Stop() { brw_Web_Browser->stop(); }

void frm_Browser::ExecWB(int command)
{
    // The page's editing commands act on the focused page only: chosen from
    // the menu while the editor has the focus they would do nothing.
    if (command == WebBrowser::Copy || command == WebBrowser::SelectAll
        || command == WebBrowser::ClearSelection)
        brw_Web_Browser->setFocus();
    brw_Web_Browser->execute(command);
}

void frm_Browser::Show_Address(const QString& address)
{
    // The box names the page shown (what Add Address to List takes), unless
    // the user is typing an address into it.
    QLineEdit* typed = cbo_Address->lineEdit();
    if (typed->hasFocus() && typed->isModified())
        return;
    cbo_Address->setEditText(address);
    typed->setModified(false);
}

void frm_Browser::Start_Browser()
{
    const QString t = cbo_Address->currentText();
    if (t.isEmpty())
        return;
    cbo_Address->lineEdit()->setModified(false);
    Start_Timer();
    Navigate(t, WebBrowser::Fresh);
    state().Status_Page_Panel.setText(browser_rules::Working_Text);
}

void frm_Browser::Top_Button_Click(const QString& key)
{
    Start_Timer();
    // A step with no history to go to is ignored; the next tick finds the
    // control idle and ends the progress.
    if (key == QLatin1String("Back"))
        GoBack();
    else if (key == QLatin1String("Forward"))
        GoForward();
    else if (key == QLatin1String("Refresh"))
        Refresh();
    else if (key == QLatin1String("Home"))
        Navigate(state().Browser_Home_Page, WebBrowser::Fresh);
    else if (key == QLatin1String("Stop")) {
        Stop_Timer();
        Stop();
    }
}

QAction* frm_Browser::topButton(const QString& key) const
{
    for (QAction* a : tb_Top->actions())
        if (a->objectName() == key)
            return a;
    return nullptr;
}

// ---- progress ------------------------------------------------------------------------------

void frm_Browser::Start_Timer()
{
    cmd_Add->hide();
    prg_Progress_Bar->setValue(0);
    prg_Progress_Bar->show();
    tmr_Timer->start();
}

void frm_Browser::Stop_Timer()
{
    prg_Progress_Bar->hide();
    tmr_Timer->stop();
    cmd_Add->show();
}

void frm_Browser::Browser_Working()
{
    if (!brw_Web_Browser->busy()) {
        Stop_Timer();
        return;
    }
    if (prg_Progress_Bar->isHidden())
        Start_Timer();
    prg_Progress_Bar->setValue(browser_rules::Next_Progress(prg_Progress_Bar->value()));
}

// ---- completed pages and the address history -------------------------------------------

void frm_Browser::Download_Complete()
{
    Stop_Timer();
    const browser_rules::CompletedPage p = browser_rules::Complete_Page(
        brw_Web_Browser->locationName(), browser_rules::Help_Page_Name(state().Help_File));
    state().Status_Page_Panel.setText(p.Panel_Text);
    if (p.Add_To_History)
        Add_URL();
}

QStringList frm_Browser::addressHistory() const
{
    QStringList out;
    for (int i = 0; i < cbo_Address->count(); ++i)
        out << cbo_Address->itemText(i);
    return out;
}

void frm_Browser::Add_URL()
{
    const browser_rules::HistoryChoice c =
        browser_rules::Choose_History(brw_Web_Browser->locationAddress(), addressHistory());
    switch (c.What) {
    case browser_rules::HistoryChoice::Ignore:
        return;
    case browser_rules::HistoryChoice::SelectExisting:
        cbo_Address->setCurrentIndex(c.Index);
        return;
    case browser_rules::HistoryChoice::InsertFirst:
        cbo_Address->insertItem(0, brw_Web_Browser->locationAddress());
        cbo_Address->setCurrentIndex(0);
        return;
    }
}

void frm_Browser::Add_Tag()
{
    const QString t = cbo_Address->currentText();
    if (t.isEmpty())
        return;
    const SharedState& s = state();
    // The editor's web-link list gets it first, selected, ready for its Add.
    emit webAddressAdded(t);
    if (!s.Working_Folder.isEmpty()) {
        const QString path = tag_lists::Kind_Path(2, tag_lists::Place::Working);
        const fs::Result r = tag_lists::Append_One(path, t);
        if (r != fs::Result::Ok)
            Show_List_Not_Saved(path, r);
    }
}

void frm_Browser::Open_Disk_File()
{
    const SharedState& s = state();
    // A folder of the site that was the working folder then belongs to that
    // site: the dialog starts in the present site instead.
    if (browserSite_ != s.Working_Folder && Browser_Folder.startsWith(browserSite_))
        Browser_Folder.clear();
    browserSite_ = s.Working_Folder;
    Browser_Folder = browser_rules::Open_Folder(Browser_Folder, s.Final_Pages_Folder, s.Program_Folder);
    dialogs::FileRequest req;
    req.kind = dialogs::FileRequest::Kind::Open;
    req.title = QStringLiteral("Open Browser File");
    req.folder = Browser_Folder;
    req.filter = s.Web_Page_Filter;
    req.filterIndex = 1;
    req.fileName = QString();
    req.mustExist = true;
    const dialogs::FileResult res = dialogs::fileDialog(req);
    if (res.path.isEmpty())
        return;
    Navigate(res.path, WebBrowser::Fresh);
    // The file's own address, which the Go button can load again.
    cbo_Address->setEditText(WebBrowser::addressOf(res.path));
    if (!res.folder.isEmpty())
        Browser_Folder = res.folder;
}

// ---- keys and the title bar ----------------------------------------------------------------

bool frm_Browser::windowKey(int keyCode, int shift)
{
    SharedState& s = state();
    if (keyCode == vb::Key_F11 && shift == 0) {
        s.Browser_Window_Pos = browser_rules::Full_Size_Toggle(s.Browser_Window_Pos);
        Arrange_Windows();
        return true;
    }
    if (keyCode == vb::Key_Home && shift == vb::AltMask) {
        GoHome();
        return true;
    }
    if (keyCode == vb::letter('A') && shift == vb::AltMask && !cmd_Access->isHidden()) {
        brw_Web_Browser->setFocus();
        return true;
    }
    if (shift == vb::CtrlMask && keyCode == vb::letter('O')) {
        Open_Disk_File();
        return true;
    }
    if (shift == vb::CtrlMask && keyCode == vb::letter('S')) {
        ExecWB(WebBrowser::SaveAs);
        return true;
    }
    return ToolWindow::windowKey(keyCode, shift);
}

bool frm_Browser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cbo_Address->lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        Start_Browser();
        return true;
    }
    return ToolWindow::eventFilter(watched, event);
}

void frm_Browser::maximizeRequested()
{
    SharedState& s = state();
    s.Browser_Window_Pos = browser_rules::Maximize_Toggle(s.Browser_Window_Pos);
    Arrange_Windows();
}

void frm_Browser::closeRequested()
{
    state().Browser_Window_Pos = 0;
    Arrange_Windows();
}
