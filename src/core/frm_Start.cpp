#include "core/frm_Start.h"

#include "browser/frm_Browser.h"
#include "core/arrange.h"
#include "core/forms.h"
#include "core/shared_state.h"
#include "core/startup.h"
#include "core/tool_window.h"
#include "platform/dialogs.h"
#include "site/frm_Working_Folder.h"
#include "source/frm_Source.h"
#include "tags/frm_Colors.h"
#include "tags/frm_Images.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>

TESK_DEFINE_FORM(frm_Start, Start)

namespace {

QPrinter& programPrinter()
{
    static QPrinter printer;
    return printer;
}

void Show_Printer_Setup()
{
    state().Paginated = 0;
    dialogs::printerSetup(programPrinter());
}

} // namespace

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
    buildBars();
    setMinimumSize(Px_From_Twips_X(8000), Px_From_Twips_Y(7000));
    dialogs::setParentWindow(this);
}

frm_Start::~frm_Start()
{
    SharedState& s = state();
    for (StatusPanel* p : {&s.Status_Color_Panel, &s.Status_Folder_Panel, &s.Status_Page_Panel,
                           &s.Status_Path_Panel})
        p->onChange = nullptr;
    if (dialogs::parentWindow() == this)
        dialogs::setParentWindow(nullptr);
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

void frm_Start::buildMenus()
{
    auto add = [this](QMenu* menu, const char* name, const QString& caption, auto fn) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, fn);
        return a;
    };
    SharedState* s = &state();
    (void)s;

    // ---- File --------------------------------------------------------------
    mnu_File_Menu = menuBar()->addMenu(QStringLiteral("&File"));
    mnu_File_Menu->setObjectName(QStringLiteral("mnu_File"));
    mnu_File_Working_Folder = add(mnu_File_Menu, "mnu_File_Working_Folder",
                                  QStringLiteral("&Working Folder..."),
                                  [] { frm_Working_Folder::Open_Dialog(); });
    mnu_File_Copy = add(mnu_File_Menu, "mnu_File_Copy", QStringLiteral("&Copy Folders and Files..."),
                        [] {});
    mnu_File_Menu->addSeparator();
    mnu_File_Prt_Setup = add(mnu_File_Menu, "mnu_File_Prt_Setup", QStringLiteral("P&rinter Setup..."),
                             [] { Show_Printer_Setup(); });
    mnu_File_Pg_Setup = add(mnu_File_Menu, "mnu_File_Pg_Setup", QStringLiteral("P&age Setup..."),
                            [] {});
    mnu_File_Print = add(mnu_File_Menu, "mnu_File_Print", QStringLiteral("&Print Plus..."), [] {});
    mnu_File_Menu->addSeparator();
    // Exit closes the window like its close button, so the editor offers to
    // save its changes before the program ends.
    mnu_File_Exit = add(mnu_File_Menu, "mnu_File_Exit", QStringLiteral("E&xit"), [this] { close(); });

    // ---- Browser -----------------------------------------------------------
    mnu_Browser_Menu = menuBar()->addMenu(QStringLiteral("&Browser"));
    mnu_Browser_Menu->setObjectName(QStringLiteral("mnu_Browser_Menu"));
    const QString sizes[5] = {QStringLiteral("Close &Window"), QStringLiteral("&Maximize"),
                              QStringLiteral("&Restore"), QStringLiteral("&640 x 480"),
                              QStringLiteral("&800 x 600")};
    for (int i = 0; i < 5; ++i) {
        mnu_Browser[i] = add(mnu_Browser_Menu, "mnu_Browser", sizes[i], [i] {
            state().Browser_Window_Pos = i;
            Arrange_Windows();
        });
        mnu_Browser[i]->setObjectName(QStringLiteral("mnu_Browser_%1").arg(i));
    }
    mnu_Browser_Menu->addSeparator();
    mnu_Browser_Open_File = add(mnu_Browser_Menu, "mnu_Browser_Open_File",
                                QStringLiteral("&Open Disk File..."), [this] { Browser_Open_Disk_File(); });
    mnu_Browser_SaveAs = add(mnu_Browser_Menu, "mnu_Browser_SaveAs", QStringLiteral("Save &Web Page As..."),
                             [] { forms::Browser()->ExecWB(4); });
    mnu_Browser_All = add(mnu_Browser_Menu, "mnu_Browser_All", QStringLiteral("Copy to C&lipboard"), [] {
        frm_Browser* b = forms::Browser();
        b->ExecWB(17);
        b->ExecWB(12);
        b->ExecWB(18);
    });
    mnu_Browser_Buttons_Menu = mnu_Browser_Menu->addMenu(QStringLiteral("&Buttons"));
    mnu_Browser_Buttons_Menu->setObjectName(QStringLiteral("mnu_Browser_Buttons_Menu"));
    mnu_Browser_Back = add(mnu_Browser_Buttons_Menu, "mnu_Browser_Back", QStringLiteral("&Back"),
                           [] { forms::Browser()->GoBack(); });
    mnu_Browser_Forward = add(mnu_Browser_Buttons_Menu, "mnu_Browser_Forward", QStringLiteral("&Forward"),
                              [] { forms::Browser()->GoForward(); });
    mnu_Browser_Refresh = add(mnu_Browser_Buttons_Menu, "mnu_Browser_Refresh", QStringLiteral("&Refresh"),
                              [] { forms::Browser()->Refresh(); });
    mnu_Browser_Home = add(mnu_Browser_Buttons_Menu, "mnu_Browser_Home", QStringLiteral("&Home"),
                           [] { forms::Browser()->GoHome(); });
    mnu_Browser_Stop = add(mnu_Browser_Buttons_Menu, "mnu_Browser_Stop", QStringLiteral("&Stop"), [] {
        frm_Browser* b = forms::Browser();
        b->Stop_Timer();
        b->Stop();
    });
    mnu_Browser_Copy = add(mnu_Browser_Buttons_Menu, "mnu_Browser_Copy", QStringLiteral("&Copy"),
                           [] { forms::Browser()->ExecWB(12); });
    mnu_Browser_Menu->addSeparator();
    mnu_Browser_Prt_Setup = add(mnu_Browser_Menu, "mnu_Browser_Prt_Setup",
                                QStringLiteral("P&rinter Setup..."), [] { Show_Printer_Setup(); });
    mnu_Browser_Setup = add(mnu_Browser_Menu, "mnu_Browser_Setup", QStringLiteral("P&age Setup..."),
                            [] { forms::Browser()->ExecWB(8); });
    mnu_Browser_Print = add(mnu_Browser_Menu, "mnu_Browser_Print", QStringLiteral("&Print..."),
                            [] { forms::Browser()->ExecWB(6); });
    mnu_Browser_Menu->addSeparator();
    mnu_Browser_Help = add(mnu_Browser_Menu, "mnu_Browser_Help", QStringLiteral("&Show \"Tesk\" Home"),
                           [this] { Browser_Show_Help(); });
    mnu_Browser_Access = add(mnu_Browser_Menu, "mnu_Browser_Access", QStringLiteral("S&how Access Button"),
                             [this] { Browser_Toggle_Access(); });
    mnu_Browser_Access->setCheckable(true);
    mnu_Browser_Buttons = add(mnu_Browser_Menu, "mnu_Browser_Buttons", QStringLiteral("Show &Toolbar"),
                              [this] { Browser_Toggle_Buttons(); });
    mnu_Browser_Buttons->setCheckable(true);

    // ---- Source ------------------------------------------------------------
    mnu_Source = menuBar()->addMenu(QStringLiteral("&Source"));
    mnu_Source->setObjectName(QStringLiteral("mnu_Source"));
    mnu_Source_NewPage = add(mnu_Source, "mnu_Source_NewPage", QStringLiteral("New &Web Page..."), [] {
        Opens_Source();
        forms::Source()->Start_New_Page();
    });
    mnu_Source_Open_Plus = add(mnu_Source, "mnu_Source_Open_Plus", QStringLiteral("&Open Plus..."), [] {
        Opens_Source();
        forms::Source()->Open_Plus_File();
    });
    mnu_Source_Open = add(mnu_Source, "mnu_Source_Open", QStringLiteral("Op&en..."), [] {
        Opens_Source();
        forms::Source()->Open_File();
    });
    mnu_Source_Open_Ref = add(mnu_Source, "mnu_Source_Open_Ref", QStringLiteral("Open Reference &File..."),
                              [this] { Source_Open_Reference(); });
    mnu_Source->addSeparator();
    mnu_Source_Save = add(mnu_Source, "mnu_Source_Save", QStringLiteral("&Save and Refresh"), [] {
        forms::Source()->Save_Source();
        if (frm_Browser* b = forms::Browser_If_Loaded())
            b->Refresh();
    });
    mnu_Source_Save_As = add(mnu_Source, "mnu_Source_Save_As", QStringLiteral("Save &As..."),
                             [] { forms::Source()->Save_As(); });
    mnu_Source_New = add(mnu_Source, "mnu_Source_New", QStringLiteral("Save for &New Pages..."),
                         [] { forms::Source()->Save_New(); });
    mnu_Source->addSeparator();
    mnu_Source_Rename = add(mnu_Source, "mnu_Source_Rename", QStringLiteral("Rena&me Pages..."), [] {});
    mnu_Source_Delete = add(mnu_Source, "mnu_Source_Delete", QStringLiteral("&Delete Pages..."), [] {});
    mnu_Source->addSeparator();
    mnu_Source_Keys = mnu_Source->addMenu(QStringLiteral("Edit &Keys"));
    mnu_Source_Keys->setObjectName(QStringLiteral("mnu_Source_Keys"));
    mnu_Source_Cut = add(mnu_Source_Keys, "mnu_Source_Cut", QStringLiteral("Cu&t"), [] {
        if (Needs_Source())
            forms::Source()->Edit_Cut();
    });
    mnu_Source_Copy = add(mnu_Source_Keys, "mnu_Source_Copy", QStringLiteral("&Copy"), [] {
        if (Needs_Source())
            forms::Source()->Edit_Copy();
    });
    mnu_Source_Paste = add(mnu_Source_Keys, "mnu_Source_Paste", QStringLiteral("&Paste"), [] {
        if (Needs_Source())
            forms::Source()->Edit_Paste();
    });
    mnu_Source_All = add(mnu_Source_Keys, "mnu_Source_All", QStringLiteral("Select &All"), [] {
        if (Needs_Source())
            forms::Source()->Edit_Select_All();
    });
    mnu_Source_Find = add(mnu_Source_Keys, "mnu_Source_Find", QStringLiteral("&Find"), [] {
        if (Needs_Source())
            forms::Source()->Start_Search();
    });
    mnu_Source_Color = add(mnu_Source, "mnu_Source_Color", QStringLiteral("C&olor Code"), [] {
        if (Needs_Source())
            forms::Source()->Color_Code();
    });
    mnu_Source_Format = add(mnu_Source, "mnu_Source_Format", QStringLiteral("&Standard Format"), [] {
        if (Needs_Source())
            forms::Source()->Format_Standard();
    });
    mnu_Source_Indent = add(mnu_Source, "mnu_Source_Indent", QStringLiteral("&Indent Block"), [] {
        if (Needs_Source())
            forms::Source()->Indent_Text(1);
    });
    mnu_Source_NoIndent = add(mnu_Source, "mnu_Source_NoIndent", QStringLiteral("&Remove Indent"), [] {
        if (Needs_Source())
            forms::Source()->Indent_Text(2);
    });
    mnu_Source->addSeparator();
    mnu_Source_Preview = add(mnu_Source, "mnu_Source_Preview", QStringLiteral("P&review File"), [] {
        Hide_Tool_Windows();
        forms::Source()->Preview_Source_File();
        Arrange_Windows();
    });
    mnu_Source_Print = add(mnu_Source, "mnu_Source_Print", QStringLiteral("&Print File"), [] {
        Hide_Tool_Windows();
        forms::Source()->Print_Source_File();
        Arrange_Windows();
    });
    mnu_Source->addSeparator();
    mnu_Source_Tags = add(mnu_Source, "mnu_Source_Tags", QStringLiteral("Edit &Tag Lists..."), [] {});
    mnu_Source_Xhtml = add(mnu_Source, "mnu_Source_Xhtml", QStringLiteral("Use &XHTML Format"), [this] {
        SharedState& st = state();
        st.Use_XHTML = !st.Use_XHTML;
        mnu_Source_Xhtml->setChecked(st.Use_XHTML);
    });
    mnu_Source_Xhtml->setCheckable(true);

    // ---- Window ------------------------------------------------------------
    mnu_Window_Menu = menuBar()->addMenu(QStringLiteral("&Window"));
    mnu_Window_Menu->setObjectName(QStringLiteral("mnu_Window"));
    mnu_Window_Ver = add(mnu_Window_Menu, "mnu_Window_Ver", QStringLiteral("Display &Vertically"), [] {
        if (state().Arrange_Horizontal) {
            state().Arrange_Horizontal = false;
            Arrange_Windows();
        }
    });
    mnu_Window_Hor = add(mnu_Window_Menu, "mnu_Window_Hor", QStringLiteral("Display Hori&zontally"), [] {
        if (!state().Arrange_Horizontal) {
            state().Arrange_Horizontal = true;
            Arrange_Windows();
        }
    });
    mnu_Window_Clear = add(mnu_Window_Menu, "mnu_Window_Clear", QStringLiteral("C&lear Display"),
                           [] { Clear_Display(); });
    mnu_Window_Menu->addSeparator();
    mnu_Window_Browser = add(mnu_Window_Menu, "mnu_Window_Browser", QStringLiteral("&Browser"), [] {
        state().Browser_Window_Pos = 2;
        Arrange_Windows();
        forms::Browser()->setFocus();
    });
    mnu_Window_Source = add(mnu_Window_Menu, "mnu_Window_Source", QStringLiteral("&Source File"), [] {
        state().Source_Window_Pos = 2;
        Arrange_Windows();
        forms::Source()->focusEditor();
    });
    mnu_Window_Images = add(mnu_Window_Menu, "mnu_Window_Images", QStringLiteral("&Images"),
                            [this] { Window_Images(); });
    mnu_Window_Colors = add(mnu_Window_Menu, "mnu_Window_Colors", QStringLiteral("&Color Selection"),
                            [this] { Window_Colors(); });
    mnu_Window_Menu->addSeparator();
    mnu_Window_Tags = add(mnu_Window_Menu, "mnu_Window_Tags", QStringLiteral("&Edit Tag Lists..."), [] {});
    mnu_Window_Options = add(mnu_Window_Menu, "mnu_Window_Options", QStringLiteral("&Options..."), [] {});

    // ---- Help --------------------------------------------------------------
    mnu_Help_Menu = menuBar()->addMenu(QStringLiteral("&Help"));
    mnu_Help_Menu->setObjectName(QStringLiteral("mnu_Help"));
    mnu_Help_Home = add(mnu_Help_Menu, "mnu_Help_Home", QStringLiteral("&Help Display..."), [] {});
    mnu_Help_About = add(mnu_Help_Menu, "mnu_Help_About", QStringLiteral("&About \"Tesk\"..."), [] {});
    mnu_Help_Menu->addSeparator();
    mnu_Help_Font = add(mnu_Help_Menu, "mnu_Help_Font", QStringLiteral("(Program Font: Arial)"), [] {});
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
        const int w = std::max(Px_From_Twips_X(s.Normal_Width), minimumWidth());
        const int h = std::max(Px_From_Twips_Y(s.Normal_Height), minimumHeight());
        setGeometry(geometry().x(), geometry().y(), w, h);
        move(Px_From_Twips_X(s.Normal_Left), Px_From_Twips_Y(s.Normal_Top));
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
    for (QMenu* m : {mnu_File_Menu, mnu_Browser_Menu, mnu_Source, mnu_Window_Menu, mnu_Help_Menu})
        m->menuAction()->setEnabled(enabled);
}

bool frm_Start::topMenusEnabled() const { return mnu_File_Menu->menuAction()->isEnabled(); }

void frm_Start::hideFindWindow()
{
    // The Search and Replace window joins when it exists.
}

void frm_Start::hidePageDialog()
{
    // The Delete and Rename Pages dialogs join when they exist.
}

bool frm_Start::Needs_Source() { return state().Source_Window_Pos >= 1; }

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
    unloading_ = true;
    // The windows inside close by their own rules first (the editor may ask
    // to save its changes).
    if (frm_Source* src = forms::Source_If_Loaded())
        src->Form_Unload();
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
