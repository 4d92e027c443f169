#include "app/frm_Start.h"

#include "browser/frm_Browser.h"
#include "help/frm_About.h"
#include "help/frm_Help.h"
#include "app/arrange.h"
#include "ui/forms.h"
#include "core/shared_state.h"
#include "platform/screen.h"
#include "app/startup.h"
#include "ui/tool_window.h"
#include "platform/dialogs.h"
#include "platform/rich_text_box.h"
#include "options/frm_Options.h"
#include "site/frm_Working_Folder.h"
#include "site/frm_Copy.h"
#include "site/frm_Delete.h"
#include "site/frm_Rename.h"
#include "site/frm_Find_Site.h"
#include "site/frm_Publish.h"
#include "site/frm_Site_Results.h"
#include "print/frm_Pg_Setup_Text.h"
#include "print/frm_Print_Plus.h"
#include "print/print_engine.h"
#include "source/frm_Find.h"
#include "source/frm_Source.h"
#include "platform/rich_text_box.h"
#include "tags/frm_Colors.h"
#include "tags/frm_Images.h"
#include "tags/frm_Tags.h"

#include <QCloseEvent>
#include <QMenu>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>

TESK_DEFINE_FORM(frm_Start, Start)

frm_Start::frm_Start()
{
    setWindowTitle(QStringLiteral("Tesk Web Editor"));
    setObjectName(QStringLiteral("frm_Start"));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdi_Inner"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdi_->setFrameShape(QFrame::NoFrame);
    mdi_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(mdi_);
    buildMenus();
    // No document yet: the editor window enables these once it holds one.
    setDocumentCommandsEnabled(false);
    buildBars();
    setMinimumSize(Px_From_Twips_X(8000), Px_From_Twips_Y(7000));
    dialogs::setParentWindow(this);
    setMainWindowPort(this);
}

frm_Start::~frm_Start()
{
    SharedState& s = state();
    for (StatusPanel* p : {&s.Status_Color_Panel, &s.Status_Folder_Panel, &s.Status_Page_Panel,
                           &s.Status_Path_Panel})
        p->onChange = nullptr;
    if (dialogs::parentWindow() == this)
        dialogs::setParentWindow(nullptr);
    if (mainWindowPort() == static_cast<MainWindowPort*>(this))
        setMainWindowPort(nullptr);
}

void frm_Start::Form_Load()
{
    // The four panels, in panel order: the shared state writes, we show.
    SharedState& s = state();
    StatusPanel* panels[4] = {&s.Status_Color_Panel, &s.Status_Folder_Panel, &s.Status_Page_Panel,
                              &s.Status_Path_Panel};
    for (int i = 0; i < 4; ++i) {
        QLabel* label = sb_Status[i];
        panels[i]->onChange = [label](const QString& text) { label->setText(text); };
        label->setText(panels[i]->text());
    }
}

// One row of a menu: the member that keeps the command (null for none), its
// object name (null: a separator), caption, the keys that run the command in
// the windows (shown beside the caption only: the windows handle their keys
// themselves, so a key works the same whether or not a menu could see it),
// and what the command does.
struct frm_Start::MenuRow {
    QAction* frm_Start::*member = nullptr;
    const char* name = nullptr;
    const char* caption = nullptr;
    const char* keys = nullptr;
    std::function<void()> command;
    bool checkable = false;
};

QMenu* frm_Start::addMenuFromRows(QMenu* menu, std::initializer_list<MenuRow> rows)
{
    for (const MenuRow& r : rows) {
        if (!r.name) {
            menu->addSeparator();
            continue;
        }
        QString text = QString::fromUtf8(r.caption);
        if (r.keys)
            text += QLatin1Char('\t') + QString::fromUtf8(r.keys);
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(r.name));
        a->setCheckable(r.checkable);
        connect(a, &QAction::triggered, this, r.command);
        if (r.member)
            this->*r.member = a;
    }
    return menu;
}

void frm_Start::Find_In_Site(const QString& selection)
{
    if (!findSite_) {
        findSite_ = new frm_Find_Site(Site_Results(), this);
        connect(findSite_, &frm_Find_Site::editorFocusRequested, this, [this] {
            activateWindow();
            focusWorkWindow();
        });
        findSite_->editorPaths = [] {
            const SharedState& s = state();
            if (!forms::Source_If_Loaded() || s.Source_Path.isEmpty())
                return QStringList();
            return QStringList{s.Source_Path, s.HTML_Path};
        };
        // The editor's document changes in the editor: one undo step, marked
        // changed, nothing lost of what is not saved yet.
        findSite_->replaceInEditor = [](const sitekit::SearchRequest& request, const QString& with) {
            frm_Source* source = forms::Source_If_Loaded();
            if (!source)
                return 0;
            std::vector<RichTextBox::Replacement> pieces;
            for (const sitekit::TextEdit& e : sitekit::replacementEdits(source->rtf_Source->Text(), request, with, u"\r\n"))
                pieces.push_back({e.start, e.length, e.with});
            source->rtf_Source->replaceRanges(pieces);
            return int(pieces.size());
        };
    }
    findSite_->Start_Find_In_Site(selection);
}

void frm_Start::Publish_Site()
{
    if (!publish_) {
        publish_ = new frm_Publish(this);
        connect(publish_, &frm_Publish::editorFocusRequested, this, [this] {
            activateWindow();
            focusWorkWindow();
        });
    }
    publish_->Start_Publish();
}

void frm_Start::Step_Site_Result(bool backward)
{
    if (siteResults_)
        siteResults_->Step(backward);
}

namespace {

QMenu* topMenu(QMenuBar* bar, const char* caption, const char* name)
{
    QMenu* m = bar->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QLatin1String(name));
    return m;
}

// A command that needs the Source window shown; otherwise it does nothing.
std::function<void()> withSource(std::function<void(frm_Source*)> fn)
{
    return [fn] {
        if (frm_Start::Needs_Source())
            fn(forms::Source());
    };
}

// A command that shows the Source window first.
std::function<void()> openingSource(std::function<void(frm_Source*)> fn)
{
    return [fn] {
        frm_Start::Opens_Source();
        fn(forms::Source());
    };
}

} // namespace

void frm_Start::buildMenus()
{
    using S = frm_Start;
    QMenuBar* bar = menuBar();
    const auto nothing = [] {};
    const auto printerSetup = [] { Show_Printer_Setup(); };

    mnu_File_Menu = addMenuFromRows(topMenu(bar, "&File", "mnu_File"), {
        {&S::mnu_File_Working_Folder, "mnu_File_Working_Folder", "&Working Folder...", nullptr,
         [] { frm_Working_Folder::Open_Dialog(); }},
        {&S::mnu_File_Copy, "mnu_File_Copy", "&Copy Folders and Files...", nullptr,
         [] { frm_Copy::Open_Dialog(); }},
        {},
        {&S::mnu_File_Prt_Setup, "mnu_File_Prt_Setup", "P&rinter Setup...", nullptr, printerSetup},
        {&S::mnu_File_Pg_Setup, "mnu_File_Pg_Setup", "P&age Setup...", nullptr,
         [] { frm_Pg_Setup_Text::Open_Dialog(); }},
        {&S::mnu_File_Print, "mnu_File_Print", "&Print Plus...", nullptr, [] { frm_Print_Plus::Open_Dialog(); }},
        {},
        // Exit closes the window like its close button, so the editor offers
        // to save its changes before the program ends.
        {&S::mnu_File_Exit, "mnu_File_Exit", "E&xit", nullptr, [this] { close(); }},
    });

    mnu_Browser_Menu = topMenu(bar, "&Browser", "mnu_Browser_Menu");
    const char* sizes[5] = {"Close &Window", "&Maximize", "&Restore", "&640 x 480", "&800 x 600"};
    for (int i = 0; i < 5; ++i) {
        mnu_Browser[i] = mnu_Browser_Menu->addAction(QString::fromUtf8(sizes[i]));
        mnu_Browser[i]->setObjectName(QStringLiteral("mnu_Browser_%1").arg(i));
        connect(mnu_Browser[i], &QAction::triggered, this, [i] {
            state().Browser_Window_Pos = i;
            Arrange_Windows();
        });
    }
    addMenuFromRows(mnu_Browser_Menu, {
        {},
        {&S::mnu_Browser_Open_File, "mnu_Browser_Open_File", "&Open Disk File...", nullptr,
         [this] { Browser_Open_Disk_File(); }},
        {&S::mnu_Browser_SaveAs, "mnu_Browser_SaveAs", "Save &Web Page As...", nullptr,
         [] { forms::Browser()->ExecWB(4); }},
        {&S::mnu_Browser_All, "mnu_Browser_All", "Copy to C&lipboard", nullptr, [] {
             frm_Browser* b = forms::Browser();
             b->ExecWB(17);
             b->ExecWB(12);
             b->ExecWB(18);
         }},
    });
    mnu_Browser_Buttons_Menu = addMenuFromRows(mnu_Browser_Menu->addMenu(QStringLiteral("&Buttons")), {
        {&S::mnu_Browser_Back, "mnu_Browser_Back", "&Back", nullptr, [] { forms::Browser()->GoBack(); }},
        {&S::mnu_Browser_Forward, "mnu_Browser_Forward", "&Forward", nullptr,
         [] { forms::Browser()->GoForward(); }},
        {&S::mnu_Browser_Refresh, "mnu_Browser_Refresh", "&Refresh", nullptr,
         [] { forms::Browser()->Refresh(); }},
        {&S::mnu_Browser_Home, "mnu_Browser_Home", "&Home", nullptr, [] { forms::Browser()->GoHome(); }},
        {&S::mnu_Browser_Stop, "mnu_Browser_Stop", "&Stop", nullptr, [] {
             frm_Browser* b = forms::Browser();
             b->Stop_Timer();
             b->Stop();
         }},
        {&S::mnu_Browser_Copy, "mnu_Browser_Copy", "&Copy", nullptr, [] { forms::Browser()->ExecWB(12); }},
    });
    mnu_Browser_Buttons_Menu->setObjectName(QStringLiteral("mnu_Browser_Buttons_Menu"));
    addMenuFromRows(mnu_Browser_Menu, {
        {},
        {&S::mnu_Browser_Prt_Setup, "mnu_Browser_Prt_Setup", "P&rinter Setup...", nullptr, printerSetup},
        {&S::mnu_Browser_Setup, "mnu_Browser_Setup", "P&age Setup...", nullptr,
         [] { forms::Browser()->ExecWB(8); }},
        {&S::mnu_Browser_Print, "mnu_Browser_Print", "&Print...", nullptr, [] { forms::Browser()->ExecWB(6); }},
        {},
        {&S::mnu_Browser_Help, "mnu_Browser_Help", "&Show \"Tesk\" Home", nullptr,
         [this] { Browser_Show_Help(); }},
        {&S::mnu_Browser_Access, "mnu_Browser_Access", "S&how Access Button", nullptr,
         [this] { Browser_Toggle_Access(); }, true},
        {&S::mnu_Browser_Buttons, "mnu_Browser_Buttons", "Show &Toolbar", nullptr,
         [this] { Browser_Toggle_Buttons(); }, true},
    });

    mnu_Source = addMenuFromRows(topMenu(bar, "&Source", "mnu_Source"), {
        {&S::mnu_Source_NewPage, "mnu_Source_NewPage", "New &Web Page...", "Ctrl+N",
         openingSource([](frm_Source* w) { w->Start_New_Page(); })},
        {&S::mnu_Source_Open_Plus, "mnu_Source_Open_Plus", "&Open Plus...", "Ctrl+O",
         openingSource([](frm_Source* w) { w->Open_Plus_File(); })},
        {&S::mnu_Source_Open, "mnu_Source_Open", "Op&en...", "Ctrl+Shift+O",
         openingSource([](frm_Source* w) { w->Open_File(); })},
        {&S::mnu_Source_Open_Ref, "mnu_Source_Open_Ref", "Open Reference &File...", nullptr,
         [this] { Source_Open_Reference(); }},
        {},
        {&S::mnu_Source_Save, "mnu_Source_Save", "&Save and Refresh", "Ctrl+S", [] {
             frm_Source* w = forms::Source();
             w->Save_Source();
             emit w->refreshPage();
         }},
        {&S::mnu_Source_Save_As, "mnu_Source_Save_As", "Save &As...", "Ctrl+Shift+S",
         [] { forms::Source()->Save_As(); }},
        {&S::mnu_Source_New, "mnu_Source_New", "Save for &New Pages...", nullptr,
         [] { forms::Source()->Save_New(); }},
        {},
        {&S::mnu_Source_Rename, "mnu_Source_Rename", "Rena&me Pages...", nullptr,
         [] { frm_Rename::Open_Dialog(); }},
        {&S::mnu_Source_Delete, "mnu_Source_Delete", "&Delete Pages...", nullptr,
         [] { frm_Delete::Open_Dialog(); }},
        {&S::mnu_Source_Check_Page, "mnu_Source_Check_Page", "&Check Page", "F9", [this] { Check_Page(); }},
        {},
    });
    mnu_Source_Keys = addMenuFromRows(mnu_Source->addMenu(QStringLiteral("Edit &Keys")), {
        {&S::mnu_Source_Cut, "mnu_Source_Cut", "Cu&t", "Ctrl+X", withSource([](frm_Source* w) { w->Edit_Cut(); })},
        {&S::mnu_Source_Copy, "mnu_Source_Copy", "&Copy", "Ctrl+C",
         withSource([](frm_Source* w) { w->Edit_Copy(); })},
        {&S::mnu_Source_Paste, "mnu_Source_Paste", "&Paste", "Ctrl+V",
         withSource([](frm_Source* w) { w->Edit_Paste(); })},
        {&S::mnu_Source_All, "mnu_Source_All", "Select &All", "Ctrl+A",
         withSource([](frm_Source* w) { w->Edit_Select_All(); })},
        {&S::mnu_Source_Find, "mnu_Source_Find", "&Find", "Ctrl+F",
         withSource([](frm_Source* w) { w->Start_Search(); })},
    });
    mnu_Source_Keys->setObjectName(QStringLiteral("mnu_Source_Keys"));
    addMenuFromRows(mnu_Source, {
        {&S::mnu_Source_Color, "mnu_Source_Color", "C&olor Code", "Ctrl+0",
         withSource([](frm_Source* w) { w->Color_Code(); })},
        {&S::mnu_Source_Format, "mnu_Source_Format", "&Standard Format", "Ctrl+=",
         withSource([](frm_Source* w) { w->Format_Standard(); })},
        {&S::mnu_Source_Indent, "mnu_Source_Indent", "&Indent Block", "Ctrl+]",
         withSource([](frm_Source* w) { w->Indent_Text(1); })},
        {&S::mnu_Source_NoIndent, "mnu_Source_NoIndent", "&Remove Indent", "Ctrl+[",
         withSource([](frm_Source* w) { w->Indent_Text(2); })},
        {},
        {&S::mnu_Source_Preview, "mnu_Source_Preview", "P&review File", "Ctrl+P", [] {
             Hide_Tool_Windows();
             forms::Source()->Preview_Source_File();
             Arrange_Windows();
         }},
        {&S::mnu_Source_Print, "mnu_Source_Print", "&Print File", "Ctrl+Shift+P", [] {
             Hide_Tool_Windows();
             forms::Source()->Print_Source_File();
             Arrange_Windows();
         }},
        {},
        {&S::mnu_Source_Tags, "mnu_Source_Tags", "Edit &Tag Lists...", nullptr, [] { frm_Tags::Show_Tags(); }},
        {&S::mnu_Source_Xhtml, "mnu_Source_Xhtml", "Use &XHTML Format", nullptr, [this] {
             SharedState& st = state();
             st.Use_XHTML = !st.Use_XHTML;
             mnu_Source_Xhtml->setChecked(st.Use_XHTML);
         }, true},
    });

    // Every letter of "Site" is an access key of a control in the main
    // window (the tag bar's "&Images", the colour window's "C&ell Pattern",
    // "&Toolbar", the Source menu): J is used by none.
    mnu_Site_Menu = addMenuFromRows(topMenu(bar, "Site (&J)", "mnu_Site"), {
        {&S::mnu_Site_Find, "mnu_Site_Find", "&Find in Site...", "Ctrl+Shift+H", [this] {
             frm_Source* source = forms::Source_If_Loaded();
             Find_In_Site(source ? source->rtf_Source->SelText() : QString());
         }},
        {&S::mnu_Site_Check_Links, "mnu_Site_Check_Links", "Check Site &Links...", nullptr,
         [this] { Show_Site_Results()->Check_Site_Links(); }},
        {&S::mnu_Site_Check_Page, "mnu_Site_Check_Page", "Check &Page", nullptr, [this] { Check_Page(); }},
        {&S::mnu_Site_Check_Site, "mnu_Site_Check_Site", "Check &Site", nullptr,
         [this] { Show_Site_Results()->Check_Site_Pages(); }},
        {},
        {&S::mnu_Site_Publish, "mnu_Site_Publish", "P&ublish Site...", nullptr, [this] { Publish_Site(); }},
    });

    mnu_Window_Menu = addMenuFromRows(topMenu(bar, "&Window", "mnu_Window"), {
        {&S::mnu_Window_Ver, "mnu_Window_Ver", "Display &Vertically", nullptr, [] {
             if (state().Arrange_Horizontal) {
                 state().Arrange_Horizontal = false;
                 Arrange_Windows();
             }
         }},
        {&S::mnu_Window_Hor, "mnu_Window_Hor", "Display Hori&zontally", nullptr, [] {
             if (!state().Arrange_Horizontal) {
                 state().Arrange_Horizontal = true;
                 Arrange_Windows();
             }
         }},
        {&S::mnu_Window_Clear, "mnu_Window_Clear", "C&lear Display", nullptr, [] { Clear_Display(); }},
        {},
        {&S::mnu_Window_Browser, "mnu_Window_Browser", "&Browser", nullptr, [] {
             state().Browser_Window_Pos = 2;
             Arrange_Windows();
             forms::Browser()->setFocus();
         }},
        {&S::mnu_Window_Source, "mnu_Window_Source", "&Source File", nullptr, [] {
             state().Source_Window_Pos = 2;
             Arrange_Windows();
             forms::Source()->focusEditor();
         }},
        {&S::mnu_Window_Images, "mnu_Window_Images", "&Images", nullptr, [this] { Window_Images(); }},
        {&S::mnu_Window_Colors, "mnu_Window_Colors", "&Color Selection", nullptr, [this] { Window_Colors(); }},
        {},
        {&S::mnu_Window_Tags, "mnu_Window_Tags", "&Edit Tag Lists...", nullptr, [] { frm_Tags::Show_Tags(); }},
        {&S::mnu_Window_Options, "mnu_Window_Options", "&Options...", nullptr, [] { frm_Options::Open_Dialog(); }},
    });

    mnu_Help_Menu = addMenuFromRows(topMenu(bar, "&Help", "mnu_Help"), {
        {&S::mnu_Help_Home, "mnu_Help_Home", "&Help Display...", nullptr, [] { frm_Help::Show_Help(); }},
        {&S::mnu_Help_About, "mnu_Help_About", "&About \"Tesk\"...", nullptr, [] { frm_About::Show_About(); }},
        {},
        {&S::mnu_Help_Font, "mnu_Help_Font", "(Program Font: Arial)", nullptr, nothing},
    });
}

void frm_Start::buildBars()
{
    tb_Bottom = new QToolBar(QStringLiteral("tb_Bottom"), this);
    tb_Bottom->setObjectName(QStringLiteral("tb_Bottom"));
    tb_Bottom->setMovable(false);
    tb_Bottom->setFloatable(false);
    sld_Hor = new QSlider(Qt::Horizontal, tb_Bottom);
    sld_Hor->setObjectName(QStringLiteral("sld_Hor"));
    sld_Hor->setToolTip(QStringLiteral(" Move the Split between the Windows "));
    sld_Hor->setTickPosition(QSlider::NoTicks);
    tb_Bottom->addWidget(sld_Hor);
    addToolBar(Qt::BottomToolBarArea, tb_Bottom);

    tb_Right = new QToolBar(QStringLiteral("tb_Right"), this);
    tb_Right->setObjectName(QStringLiteral("tb_Right"));
    tb_Right->setMovable(false);
    tb_Right->setFloatable(false);
    sld_Ver = new QSlider(Qt::Vertical, tb_Right);
    sld_Ver->setObjectName(QStringLiteral("sld_Ver"));
    sld_Ver->setToolTip(QStringLiteral(" Move the Split between the Windows "));
    sld_Ver->setTickPosition(QSlider::NoTicks);
    // Top of the bar is the top of the inner area, as the split it moves.
    sld_Ver->setInvertedAppearance(true);
    sld_Ver->setInvertedControls(true);
    tb_Right->addWidget(sld_Ver);
    addToolBar(Qt::RightToolBarArea, tb_Right);

    for (QToolBar* bar : {tb_Bottom, tb_Right})
        bar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    connect(sld_Hor, &QSlider::valueChanged, this, [this] { sliderMoved(); });
    connect(sld_Ver, &QSlider::valueChanged, this, [this] { sliderMoved(); });

    sb_Status[0] = new QLabel(this);
    sb_Status[1] = new QLabel(this);
    sb_Status[2] = new QLabel(this);
    sb_Status[3] = new QLabel(this);
    const char* names[4] = {"Status_Color_Panel", "Status_Folder_Panel", "Status_Page_Panel",
                            "Status_Path_Panel"};
    const int stretch[4] = {0, 3, 1, 4};
    for (int i = 0; i < 4; ++i) {
        QLabel* l = sb_Status[i];
        l->setObjectName(QLatin1String(names[i]));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(i == 0 ? 110 : 80);
        l->setTextInteractionFlags(Qt::NoTextInteraction);
        statusBar()->addWidget(l, stretch[i]);
    }
    statusBar()->setSizeGripEnabled(true);
}

void frm_Start::showStart()
{
    // A sensible first size: most of the screen, centred. The stored normal
    // location, once read, replaces it (Apply_Normal_Location).
    const QRect avail = QGuiApplication::primaryScreen()
        ? QGuiApplication::primaryScreen()->availableGeometry()
        : QRect(0, 0, 1024, 768);
    const QSize size(std::max(minimumWidth(), avail.width() * 85 / 100),
                     std::max(minimumHeight(), avail.height() * 85 / 100));
    resize(size);
    move(avail.x() + (avail.width() - size.width()) / 2, avail.y() + (avail.height() - size.height()) / 2);
    show();
    if (layout())
        layout()->activate();
}

void frm_Start::Apply_Normal_Location()
{
    SharedState& s = state();
    if (s.Normal_Left != 0 || s.Normal_Top != 0 || s.Normal_Width != 0 || s.Normal_Height != 0) {
        // Whatever the settings file says (a damaged file can hold any
        // number), the window goes on the screen's free area, frame and all:
        // a window larger than the screen can bring the graphics system down.
        const QRect area = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
        const QSize frame = frameGeometry().size() - geometry().size();
        const int maxW = std::max(minimumWidth(), area.width() - frame.width());
        const int maxH = std::max(minimumHeight(), area.height() - frame.height());
        const int w = std::clamp(Px_From_Twips_X(s.Normal_Width), minimumWidth(), maxW);
        const int h = std::clamp(Px_From_Twips_Y(s.Normal_Height), minimumHeight(), maxH);
        const int x = std::clamp(Px_From_Twips_X(s.Normal_Left), area.left(),
                                 std::max(area.left(), area.right() + 1 - w - frame.width()));
        const int y = std::clamp(Px_From_Twips_Y(s.Normal_Top), area.top(),
                                 std::max(area.top(), area.bottom() + 1 - h - frame.height()));
        setGeometry(geometry().x(), geometry().y(), w, h);
        move(x, y);
        if (layout())
            layout()->activate();
    }
    s.Normal_Location_Set = true;
    recordNormalLocation();
}

QSize frm_Start::innerSizePx() const
{
    return mdi_->size();
}

void frm_Start::arrangeWindows() { Apply_Arrangement(); }

void frm_Start::hideToolWindows() { Hide_All_Tool_Windows(); }

void frm_Start::setDocumentCommandsEnabled(bool enabled)
{
    for (QAction* a : {mnu_Source_Save, mnu_Source_Save_As, mnu_Source_New, mnu_Source_Keys->menuAction(),
                       mnu_Source_Print, mnu_Source_Preview})
        a->setEnabled(enabled);
}

void frm_Start::popupSourceMenu(bool editKeys, const QPoint& global, const QList<QAction*>& top)
{
    QMenu* menu = editKeys ? mnu_Source_Keys : mnu_Source;
    if (!top.isEmpty()) {
        QAction* first = menu->actions().value(0);
        QList<QAction*> added = top;
        added << menu->insertSeparator(first);
        menu->insertActions(added.last(), top);
        for (QAction* a : top)
            a->setParent(menu);
        // A chosen action runs after the menu hid: it goes on the next turn.
        connect(menu, &QMenu::aboutToHide, menu, [menu, added] {
            for (QAction* a : added) {
                menu->removeAction(a);
                a->deleteLater();
            }
        }, Qt::SingleShotConnection);
    }
    menu->popup(global);
}

void frm_Start::focusWorkWindow() { Focus_Work_Window(); }

void frm_Start::addToolWindow(ToolWindow* w)
{
    if (w->frame())
        return;
    auto* frame = new ToolFrame(w, nullptr);
    mdi_->addSubWindow(frame);
    frame->hide();
}

void frm_Start::syncSliders()
{
    const SharedState& s = state();
    syncing_ = true;
    sld_Hor->setRange(0, std::max(0, s.Slider_Hor.maximum));
    sld_Ver->setRange(0, std::max(0, s.Slider_Ver.maximum));
    sld_Hor->setValue(s.Slider_Hor.value);
    sld_Ver->setValue(s.Slider_Ver.value);
    syncing_ = false;
}

void frm_Start::sliderMoved()
{
    if (syncing_)
        return;
    SharedState& s = state();
    s.Slider_Hor.value = sld_Hor->value();
    s.Slider_Ver.value = sld_Ver->value();
    Arrange_Windows();
}

void frm_Start::applySettingsToMenus()
{
    const SharedState& s = state();
    mnu_Browser_Access->setChecked(s.Show_Access_Button);
    if (frm_Browser* b = forms::Browser_If_Loaded())
        b->Show_Access(s.Show_Access_Button);
    mnu_Source_Xhtml->setChecked(s.Use_XHTML);
}

void frm_Start::setToolbarChecked(bool checked) { mnu_Browser_Buttons->setChecked(checked); }

void frm_Start::setTopMenusEnabled(bool enabled)
{
    for (QMenu* m : {mnu_File_Menu, mnu_Browser_Menu, mnu_Source, mnu_Site_Menu, mnu_Window_Menu, mnu_Help_Menu})
        m->menuAction()->setEnabled(enabled);
    // A disabled menu still holds its Alt letter; the bar gives them up while
    // a dialog is open, so the dialog's own access keys ("Preview &File")
    // press their buttons instead of only focusing them.
    menuBar()->setEnabled(enabled);
}

bool frm_Start::topMenusEnabled() const { return mnu_File_Menu->menuAction()->isEnabled(); }

void frm_Start::hideFindWindow()
{
    if (frm_Find* find = forms::Find_If_Loaded())
        find->hide();
}

void frm_Start::hidePageDialog()
{
    if (frm_Delete* d = forms::Delete_If_Loaded())
        d->hideFrame();
    if (frm_Rename* r = forms::Rename_If_Loaded())
        r->hideFrame();
}

bool frm_Start::Needs_Source() { return state().Source_Window_Pos >= 1; }

frm_Site_Results* frm_Start::Site_Results()
{
    if (!siteResults_) {
        siteResults_ = new frm_Site_Results(this);
        connect(siteResults_, &frm_Site_Results::openRequested, this,
                [](const QString& path, int line, int column, int length) {
                    frm_Start::Opens_Source();
                    // The open text's own rows (Check Page) move the caret only:
                    // reopening would ask to save first.
                    if (path == state().Source_Path)
                        forms::Source()->Go_To(line, column, length);
                    else
                        forms::Source()->Open_Page_At(path, line, column, length);
                });
        connect(siteResults_, &QDialog::finished, this, [this] { focusWorkWindow(); });
    }
    return siteResults_;
}

frm_Site_Results* frm_Start::Show_Site_Results()
{
    Site_Results()->show();
    siteResults_->raise();
    siteResults_->activateWindow();
    return siteResults_;
}

void frm_Start::Check_Page()
{
    Opens_Source();
    const SharedState& s = state();
    const QString shown = s.Source_Title.isEmpty() ? QStringLiteral("(new page)") : s.Source_Title;
    Show_Site_Results()->Check_Page(s.Source_Path, shown, forms::Source()->rtf_Source->Text());
}

void frm_Start::Opens_Source()
{
    if (state().Source_Window_Pos < 1) {
        state().Source_Window_Pos = 1;
        Arrange_Windows();
    }
}

void frm_Start::Browser_Open_Disk_File()
{
    forms::Browser()->Open_Disk_File();
    SharedState& s = state();
    if (s.Browser_Window_Pos < 1) {
        const bool anyShown = s.Source_Window_Pos > 0 || s.Image_Window_Pos > 0 || s.Color_Window_Pos > 0;
        s.Browser_Window_Pos = anyShown ? 2 : 1;
        Arrange_Windows();
    }
}

void frm_Start::Browser_Show_Help()
{
    SharedState& s = state();
    forms::Browser()->Navigate(s.Help_File, 14);
    if (s.Browser_Window_Pos < 1) {
        const bool anyShown = s.Source_Window_Pos > 0 || s.Image_Window_Pos > 0 || s.Color_Window_Pos > 0;
        s.Browser_Window_Pos = anyShown ? 2 : 1;
        Arrange_Windows();
    }
}

void frm_Start::Browser_Toggle_Access()
{
    SharedState& s = state();
    s.Show_Access_Button = !s.Show_Access_Button;
    mnu_Browser_Access->setChecked(s.Show_Access_Button);
    if (frm_Browser* b = forms::Browser_If_Loaded()) {
        b->Show_Access(s.Show_Access_Button);
        if (s.Show_Access_Button && s.Show_Browser_Buttons)
            b->Focus_Access();
    }
    if (frm_Help* h = forms::Help_If_Loaded())
        h->Show_Access(s.Show_Access_Button);
}

void frm_Start::Browser_Toggle_Buttons()
{
    SharedState& s = state();
    s.Show_Browser_Buttons = !s.Show_Browser_Buttons;
    Display_Browser_Buttons();
}

void frm_Start::Source_Open_Reference()
{
    if (state().Source_Changed)
        forms::Source()->Save_Changes();
    Opens_Source();
    forms::Source()->Open_Reference_File();
}

void frm_Start::Window_Images()
{
    SharedState& s = state();
    s.Tool_Pane_Window = 1;
    s.Image_Window_Pos = s.Source_Window_Pos >= 1 ? 3 : 2;
    Arrange_Windows();
    forms::Images()->setFocus();
}

void frm_Start::Window_Colors()
{
    SharedState& s = state();
    s.Tool_Pane_Window = 2;
    s.Color_Window_Pos = s.Source_Window_Pos >= 1 ? 3 : 2;
    Arrange_Windows();
    forms::Colors()->setFocus();
}

// ---- window events ---------------------------------------------------------

void frm_Start::closeEvent(QCloseEvent* event)
{
    if (unloading_) {
        event->accept();
        return;
    }
    // The editor asks about its changes before anything is written or
    // closed: Cancel leaves everything as it was.
    if (frm_Source* src = forms::Source_If_Loaded(); src && !src->Form_Unload()) {
        event->ignore();
        return;
    }
    unloading_ = true;
    event->accept();
    End_Program();
}

void frm_Start::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        End_Page_Dialog();
}

void frm_Start::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frm_Start::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (!isMinimized() && !isMaximized() && !isFullScreen())
        recordNormalLocation();
}

void frm_Start::recordNormalLocation()
{
    SharedState& s = state();
    if (!s.Normal_Location_Set)
        return;
    s.Normal_Left = Twips_From_Px_X(x());
    s.Normal_Top = Twips_From_Px_Y(y());
    s.Normal_Width = Twips_From_Px_X(width());
    s.Normal_Height = Twips_From_Px_Y(height());
}

void frm_Start::Form_Resize()
{
    if (isMinimized())
        return;
    SharedState& s = state();
    if (!isMaximized() && !isFullScreen()) {
        recordNormalLocation();
        if (Twips_From_Px_Y(height()) < 7000)
            s.Normal_Height = 7000;
        if (Twips_From_Px_X(width()) < 8000)
            s.Normal_Width = 8000;
    }
    if (s.Client_Width + s.Client_Height > 0) {
        Adjust_Sliders();
        Arrange_Windows();
    }
}
