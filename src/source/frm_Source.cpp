#include "source/frm_Source.h"

#include "browser/frm_Browser.h"
#include "core/arrange.h"
#include "core/forms.h"
#include "core/frm_Start.h"
#include "platform/screen.h"
#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "platform/vb_keys.h"
#include "source/button_bar.h"
#include "source/frm_Ref_Open.h"
#include "source/frm_Source_Open.h"
#include "source/frm_Source_Save_As.h"
#include "source/new_page.h"
#include "source/source_document.h"
#include "source/tag_bars.h"
#include "source/text_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

TESK_DEFINE_FORM(frm_Source, Source)

namespace {

constexpr int kTopBarTwips = 1575;
constexpr int kMinSizeTwips = 2500;
constexpr int kGapTwips = 60;
constexpr int kLabelMaxTwips = 5000;
constexpr int kWrapReserveTwips = 800;
constexpr int kMenuOffsetTwips = 120;

QToolButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolTip(tip);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(false);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

} // namespace

frm_Source::frm_Source() : ToolWindow(QStringLiteral("Source File"))
{
    setObjectName(QStringLiteral("frm_Source"));
    buildControls();
    connectControls();
}

// ---- building the window ------------------------------------------------------

void frm_Source::buildControls()
{
    tb_Top = new QWidget(this);
    tb_Top->setObjectName(QStringLiteral("tb_Top"));

    cmd_Previous = makeButton(tb_Top, "cmd_Previous", QStringLiteral("Back"),
                              QStringLiteral(" Previous Browser Page | Page Samples"));
    cmd_Print = makeButton(tb_Top, "cmd_Print", QStringLiteral("Print"),
                           QStringLiteral(" Preview File | Print File  "));
    cmd_Open = makeButton(tb_Top, "cmd_Open", QStringLiteral("Open"), QStringLiteral(" Open Plus | Open "));
    cmd_Indent = makeButton(tb_Top, "cmd_Indent", QStringLiteral("Indent"),
                            QStringLiteral(" Indent Text | Remove Indent "));
    cmd_Find = makeButton(tb_Top, "cmd_Find", QStringLiteral("Find"), QStringLiteral(" Search and Replace"));
    cmd_Format = makeButton(tb_Top, "cmd_Format", QStringLiteral("Format"),
                            QStringLiteral("  Color Code | Apply Standard Format "));
    cmd_New = makeButton(tb_Top, "cmd_New", QStringLiteral("New"), QStringLiteral(" New "));
    cmd_Html = makeButton(tb_Top, "cmd_Html", QStringLiteral("Save"), QStringLiteral(" Save and Refresh "));
    cmd_Hor = makeButton(tb_Top, "cmd_Hor", QStringLiteral("Hor"), QStringLiteral(" Display Horizontally "));
    cmd_Ver = makeButton(tb_Top, "cmd_Ver", QStringLiteral("Ver"), QStringLiteral(" Display Vertically "));
    cmd_Size = makeButton(tb_Top, "cmd_Size", QStringLiteral("&M"),
                          QStringLiteral(" Maximize/Restore Source File Size "));
    cmd_Close = makeButton(tb_Top, "cmd_Close", QStringLiteral("&X"), QStringLiteral(" Close "));

    pic_Colors = new QFrame(tb_Top);
    pic_Colors->setObjectName(QStringLiteral("pic_Colors"));
    pic_Colors->setToolTip(QStringLiteral(" Color Applied to Text "));
    pic_Colors->setFrameShape(QFrame::StyledPanel);
    pic_Colors->setFrameShadow(QFrame::Sunken);
    auto* boxes = new QHBoxLayout(pic_Colors);
    boxes->setContentsMargins(2, 2, 2, 2);
    boxes->setSpacing(2);
    for (int i = 0; i < 4; ++i) {
        auto* box = new QFrame(pic_Colors);
        box->setObjectName(QStringLiteral("pic_Color_%1").arg(i));
        box->setFrameShape(QFrame::Box);
        box->setFixedSize(18, 18);
        box->setAutoFillBackground(true);
        box->setCursor(Qt::PointingHandCursor);
        pic_Color[i] = box;
        boxes->addWidget(box);
    }

    lbl_Page = new QLabel(QStringLiteral("Current Page:"), tb_Top);
    lbl_Page->setObjectName(QStringLiteral("lbl_Page"));
    lbl_Source_File = new QLabel(tb_Top);
    lbl_Source_File->setObjectName(QStringLiteral("lbl_Source_File"));
    lbl_Source_File->setFrameShape(QFrame::Panel);
    lbl_Source_File->setFrameShadow(QFrame::Sunken);
    lbl_Source_File->setTextInteractionFlags(Qt::NoTextInteraction);
    lbl_Source_File->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    auto* commands = new QHBoxLayout;
    commands->setSpacing(2);
    for (QWidget* w : std::initializer_list<QWidget*>{cmd_Previous, cmd_Print, cmd_Open, cmd_Indent, cmd_Find,
                                                      cmd_Format, pic_Colors, cmd_New, cmd_Html})
        commands->addWidget(w);
    commands->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{cmd_Hor, cmd_Ver, cmd_Size, cmd_Close})
        commands->addWidget(w);

    auto* name = new QHBoxLayout;
    name->addWidget(lbl_Page);
    name->addWidget(lbl_Source_File);
    name->addStretch(1);

    auto* top = new QVBoxLayout(tb_Top);
    top->setContentsMargins(4, 4, 4, 2);
    top->setSpacing(3);
    top->addLayout(commands);
    top->addLayout(name);
    top->addStretch(1);

    // The tag bars fill the rest of the top bar, placed with the window's size.
    tagBars = new TagBars(tb_Top);
    tagBars->setObjectName(QStringLiteral("tb_Tag_Bars"));

    tb_Left = new ButtonBar(this);
    tb_Left->setObjectName(QStringLiteral("tb_Left"));

    rtf_Source = new RichTextBox(this);
    rtf_Source->setObjectName(QStringLiteral("rtf_Source"));
    Apply_Editor_Style(*rtf_Source);
    // Our own menus pop up on the right button, not the control's.
    rtf_Source->viewport()->installEventFilter(this);

    for (QToolButton* b : {cmd_Previous, cmd_Print, cmd_Open, cmd_Indent, cmd_Format})
        b->installEventFilter(this);
    for (QFrame* box : pic_Color)
        box->installEventFilter(this);

    setTabOrder(cmd_Open, rtf_Source);
}

void frm_Source::connectControls()
{
    connect(cmd_Previous, &QToolButton::clicked, this, [this] { Previous_Click(false); });
    connect(cmd_Print, &QToolButton::clicked, this, [this] { Print_Click(false); });
    connect(cmd_Open, &QToolButton::clicked, this, [this] { Open_Plus_File(); });
    connect(cmd_Indent, &QToolButton::clicked, this, [this] { Indent_Text(1); });
    connect(cmd_Find, &QToolButton::clicked, this, [this] { Start_Search(); });
    connect(cmd_Format, &QToolButton::clicked, this, [this] { Format_Click(false); });
    connect(cmd_New, &QToolButton::clicked, this, [this] { Start_New_Page(); });
    connect(cmd_Html, &QToolButton::clicked, this, [this] { Html_Click(); });
    connect(cmd_Hor, &QToolButton::clicked, this, [this] { Hor_Click(); });
    connect(cmd_Ver, &QToolButton::clicked, this, [this] { Ver_Click(); });
    connect(cmd_Size, &QToolButton::clicked, this, [this] { maximizeRequested(); });
    connect(cmd_Close, &QToolButton::clicked, this, [this] { closeRequested(); });

    connect(rtf_Source, &RichTextBox::Change, this, [this] { Editor_Change(); });
    connect(rtf_Source, &RichTextBox::GotFocus, this, [this] { Editor_GotFocus(); });
    connect(rtf_Source, &RichTextBox::LostFocus, this, [this] { Editor_LostFocus(); });
    rtf_Source->onKeyDown = [this](int& keyCode, int shift) { Editor_KeyDown(keyCode, shift); };
    rtf_Source->onKeyPress = [this](QString& typed) { Editor_KeyPress(typed); };
    rtf_Source->onMouseUp = [this](int button, int shift, QPoint pos) { Editor_MouseUp(button, shift, pos); };
    tagBars->setEditor(rtf_Source);
    tb_Left->setEditor(rtf_Source);
}

void frm_Source::Form_Load()
{
    frm_Start* start = forms::Start();
    start->addToolWindow(this);
    connect(start->innerArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (w && w == frame())
            Form_Activate();
        else if (activated_)
            Form_Deactivate();
    });

    Working_Folder_Files();
    // The buttons first: the editor's place depends on the bar's width.
    tb_Left->Retrieve_Buttons();
    tb_Left->setEnabled(false);
    Form_Resize();
    Box_Colors();

    // Before any document the editor says what to do first.
    rtf_Source->setText(QStringLiteral("Select a File"));
    rtf_Source->setSelStart(0);
    rtf_Source->setSelLength(rtf_Source->TextLength());
    rtf_Source->setSelFontName(QStringLiteral("Arial"));
    rtf_Source->setSelFontSize(10);
    rtf_Source->setSelStart(0);
    state().Source_Changed = false;
}

void frm_Source::Form_Unload()
{
    if (state().Source_Changed)
        Save_Changes();
}

// ---- layout -------------------------------------------------------------------

void frm_Source::resizeEvent(QResizeEvent* event)
{
    ToolWindow::resizeEvent(event);
    Form_Resize();
}

void frm_Source::Form_Resize()
{
    // The window never gets smaller than 2500 twips either way.
    if (frame() && frame()->isVisible() && !frame()->isMaximized() && !frame()->isMinimized()) {
        const QRect g = geometryTwips();
        if (g.width() < kMinSizeTwips || g.height() < kMinSizeTwips) {
            setGeometryTwips(QRect(g.topLeft(), QSize(std::max(g.width(), kMinSizeTwips),
                                                       std::max(g.height(), kMinSizeTwips))));
            return;  // the frame's resize comes back here
        }
    }

    const int innerW = Twips_From_Px_X(width());
    const int innerH = Twips_From_Px_Y(height());
    const int topH = Px_From_Twips_Y(kTopBarTwips);
    tb_Top->setGeometry(0, 0, width(), topH);
    if (tb_Top->layout())
        tb_Top->layout()->activate();

    const int labelLeft = Twips_From_Px_X(lbl_Source_File->mapTo(this, QPoint(0, 0)).x());
    const int labelW = std::min(innerW - labelLeft - 120, kLabelMaxTwips);
    if (labelW > 20)
        lbl_Source_File->setFixedWidth(Px_From_Twips_X(labelW));

    const int nameBottom = std::max(lbl_Page->geometry().bottom(), lbl_Source_File->geometry().bottom());
    const int tagsLeft = lbl_Page->geometry().left();
    const int tagsTop = nameBottom + 4;
    tagBars->setGeometry(tagsLeft, tagsTop, std::max(width() - tagsLeft, 0), std::max(topH - tagsTop, 0));

    const int leftW = Twips_From_Px_X(tb_Left->sizeHint().width());
    tb_Left->setGeometry(0, topH, Px_From_Twips_X(leftW), std::max(height() - topH, 0));
    const int editorTop = kTopBarTwips + kGapTwips;
    const int editorLeft = leftW + kGapTwips;
    const int editorW = std::max(innerW - leftW - 2 * kGapTwips, 0);
    const int editorH = std::max(innerH - editorTop - kGapTwips, 0);
    rtf_Source->setGeometry(Px_From_Twips_X(editorLeft), Px_From_Twips_Y(editorTop), Px_From_Twips_X(editorW),
                            Px_From_Twips_Y(editorH));
    rtf_Source->setRightMargin(editorW - kWrapReserveTwips);
}

// ---- activation -----------------------------------------------------------------

void frm_Source::Form_Activate()
{
    activated_ = true;
    const SharedState& s = state();
    state().Status_Path_Panel.setText(s.Source_Path);
    tb_Left->setEnabled(rtf_Source->TextLength() > 0 && rtf_Source->isEnabled());
    if (!rtf_Source->isEnabled())
        cmd_Open->setFocus();
}

void frm_Source::Form_Deactivate()
{
    activated_ = false;
    state().Status_Path_Panel.clear();
}

void frm_Source::focusEditor()
{
    if (rtf_Source->isEnabled())
        rtf_Source->setFocus();
    else
        cmd_Open->setFocus();
}

// ---- states -------------------------------------------------------------------------

void frm_Source::Enable_Document_Commands(bool enabled)
{
    if (frm_Start* start = forms::Start_If_Loaded())
        for (QAction* a : {start->mnu_Source_Save, start->mnu_Source_Save_As, start->mnu_Source_New,
                           start->mnu_Source_Keys->menuAction(), start->mnu_Source_Print,
                           start->mnu_Source_Preview})
            a->setEnabled(enabled);
    for (QWidget* w : std::initializer_list<QWidget*>{tagBars->tb_Tag_Select, cmd_Html, cmd_Format, cmd_Indent,
                                                      cmd_Find, pic_Colors, cmd_Print, rtf_Source, tb_Left})
        w->setEnabled(enabled);
    state().Source_Changed = false;
}

void frm_Source::Enable_Menus()
{
    Enable_Document_Commands(true);
    rtf_Source->setFocus();
}

void frm_Source::Clear_Source()
{
    rtf_Source->setText(QString());
    lbl_Source_File->clear();
    tagBars->Close_Tag_Toolbar();
    Enable_Document_Commands(false);
}

void frm_Source::Working_Folder_Files()
{
    Clear_Source();
    if (!state().Working_Folder.isEmpty()) {
        tagBars->Retrieve_Tag_Lists();
        tagBars->Retrieve_HTML_Pages();
        // Link targets belong to a site too: the previous site's names must
        // not be offered in the new one.
        tagBars->Retrieve_Target_Names();
    }
}

void frm_Source::Retrieve_HTML_Pages()
{
    tagBars->Retrieve_HTML_Pages();
}

bool frm_Source::editorUsable() const
{
    return rtf_Source->isEnabled();
}

// ---- documents -------------------------------------------------------------------------

frm_Source::Document frm_Source::Current_Document() const
{
    const SharedState& s = state();
    return {s.Source_Path, s.Source_Title, s.HTML_Name, s.HTML_Path};
}

void frm_Source::Restore_Document(const Document& d)
{
    SharedState& s = state();
    s.Source_Path = d.Source_Path;
    s.Source_Title = d.Source_Title;
    s.HTML_Name = d.HTML_Name;
    s.HTML_Path = d.HTML_Path;
}

void frm_Source::Show_Source_Name(const QString& name)
{
    lbl_Source_File->setText(name);
}

void frm_Source::Open_Plus_File()
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    const Document before = Current_Document();
    frm_Source_Open dlg(dialogs::parentWindow());
    dialogs::exec(dlg);
    if (!s.Source_Title.isEmpty() && !s.Dialog_Cancelled)
        Open_Finish(before);
}

void frm_Source::Open_File()
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    if (s.Source_Folder.isEmpty())
        s.Source_Folder = s.Working_Pages_Folder;
    dialogs::FileRequest r;
    r.kind = dialogs::FileRequest::Kind::Open;
    r.title = srcdoc::kOpenDialogTitle;
    r.folder = s.Source_Folder;
    r.filter = s.Source_File_Filter;
    r.filterIndex = 1;
    r.fileName = QString();
    r.mustExist = true;
    const dialogs::FileResult chosen = dialogs::fileDialog(r);
    if (chosen.path.isEmpty())
        return;
    const Document before = Current_Document();
    s.Source_Path = chosen.path;
    s.Source_Title = fs::fileName(chosen.path);
    s.Source_Folder = fs::withSeparator(fs::parentFolder(chosen.path));
    Open_Finish(before);
}

void frm_Source::Open_Reference_File()
{
    SharedState& s = state();
    if (s.Source_Window_Pos < 1) {
        s.Source_Window_Pos = 1;
        Arrange_Windows();
    }
    frm_Ref_Open dlg(dialogs::parentWindow());
    dialogs::exec(dlg);
    if (s.Reference_Name.isEmpty() || s.Dialog_Cancelled)
        return;
    const Document before = Current_Document();
    s.Source_Folder = s.Reference_Folder;
    s.Source_Title = s.Reference_Name + QStringLiteral(".rtf");
    s.Source_Path = s.Reference_Folder + s.Source_Title;
    Open_Finish(before);
}

void frm_Source::Open_Finish(const Document& before)
{
    SharedState& s = state();
    // Opening a file from elsewhere makes it the source of that name in
    // Working-Pages: a different source already there is not replaced unasked.
    if (srcdoc::Open_Replaces_Other_Source(s.Source_Path, s.Source_Title, s.Working_Pages_Folder)) {
        const dialogs::Answer a = dialogs::message(srcdoc::kReplaceQuestion, dialogs::Buttons::YesNo,
                                                   dialogs::Icon::Exclamation, srcdoc::kReplaceTitle);
        if (a != dialogs::Answer::Yes) {
            Restore_Document(before);
            return;
        }
    }
    if (!rtf_Source->LoadFile(s.Source_Path)) {
        const auto why = static_cast<fs::Result>(rtf_Source->lastFileError());
        const QString path = s.Source_Path;
        Restore_Document(before);
        dialogs::message(srcdoc::Not_Opened(path, why), dialogs::Buttons::Ok, dialogs::Icon::Critical,
                         srcdoc::kNotOpenedTitle);
        return;
    }
    Show_Source_Name(srcdoc::Adjust_Source_Name(s));
    Save_Document();
    Retrieve_HTML_Pages();
}

// The document commands of the menus and keys act only on an open document
// (the main menu can reach them before the window has shown one).
void frm_Source::Save_Source()
{
    if (editorUsable())
        Save_Document();
}

void frm_Source::Save_As()
{
    if (editorUsable())
        Name_And_Save();
}

bool frm_Source::Save_Document()
{
    SharedState& s = state();
    if (s.Source_Path.isEmpty()) {
        Name_And_Save();
        return true;
    }
    const bool saved = rtf_Source->SaveFile(s.Source_Path, 0);
    const auto why = static_cast<fs::Result>(rtf_Source->lastFileError());
    if (!saved) {
        if (why == fs::Result::PermissionDenied)
            dialogs::message(srcdoc::kReadOnlyMessage, dialogs::Buttons::Ok, dialogs::Icon::Critical,
                             srcdoc::kReadOnlyTitle);
        else
            dialogs::message(srcdoc::Source_Not_Saved(s.Source_Path, why), dialogs::Buttons::Ok,
                             dialogs::Icon::Critical, srcdoc::kNotSavedTitle);
    }
    // The page of this document, whether or not it is written now: the
    // browser shows it either way.
    srcdoc::Adjust_HTML_Name(s);
    if (saved && !rtf_Source->SaveFile(s.HTML_Path, 1)) {
        const auto pageWhy = static_cast<fs::Result>(rtf_Source->lastFileError());
        dialogs::message(srcdoc::Page_Not_Saved(s.HTML_Path, pageWhy), dialogs::Buttons::Ok,
                         dialogs::Icon::Exclamation, srcdoc::kNotSavedTitle);
    }
    forms::Browser()->Navigate(s.HTML_Path, 14);
    s.Status_Path_Panel.setText(s.Source_Path);
    Enable_Menus();
    // A protected page is left as it is on purpose; any other failure keeps
    // the changes marked, so leaving the document asks again.
    const bool kept = saved || why == fs::Result::PermissionDenied;
    if (!kept)
        s.Source_Changed = true;
    return saved;
}

void frm_Source::Name_And_Save()
{
    SharedState& s = state();
    frm_Source_Save_As dlg(dialogs::parentWindow());
    dialogs::exec(dlg);
    if (s.Dialog_Cancelled) {
        // An unnamed new page that is not named is abandoned.
        if (rtf_Source->TextLength() == 0 || s.Source_Title.isEmpty())
            Clear_Source();
        return;
    }
    Show_Source_Name(srcdoc::Adjust_Source_Name(s));
    const bool saved = Save_Document();
    Retrieve_HTML_Pages();
    const bool changed = s.Source_Changed;
    Enable_Menus();
    if (!saved)
        s.Source_Changed = changed;
}

void frm_Source::Save_Changes()
{
    SharedState& s = state();
    if (s.Source_Title.isEmpty())
        s.Source_Title = QStringLiteral("New File");
    const dialogs::Answer a = dialogs::message(srcdoc::Save_Changes_Question(s.Source_Title),
                                               dialogs::Buttons::YesNo, dialogs::Icon::Exclamation,
                                               srcdoc::kSaveChangesTitle);
    if (a == dialogs::Answer::Yes)
        Save_Document();
}

void frm_Source::Start_New_Page()
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    rtf_Source->setText(QString());
    s.Source_Title.clear();
    s.Source_Path.clear();
    for (const newpage::Choice& c : newpage::Template_Order(s.Working_Pages_Folder, s.Program_Folder)) {
        if (c.source == newpage::Source::BuiltIn) {
            rtf_Source->setText(newpage::Built_In_Page_Text());
            break;
        }
        if (rtf_Source->LoadFile(c.path))
            break;
        // A template that cannot be read: say so, and start from the next one.
        const auto why = static_cast<fs::Result>(rtf_Source->lastFileError());
        dialogs::message(srcdoc::Not_Opened(c.path, why), dialogs::Buttons::Ok, dialogs::Icon::Exclamation,
                         srcdoc::kNotOpenedTitle);
    }
    Show_Source_Name(QString());
    Name_And_Save();
}

void frm_Source::Save_New()
{
    if (!editorUsable() || rtf_Source->TextLength() == 0)
        return;
    const dialogs::Answer a =
        dialogs::message(QStringLiteral("Use this File to Start New Pages?"), dialogs::Buttons::YesNo,
                         dialogs::Icon::Question, QStringLiteral("New Page Template"));
    if (a == dialogs::Answer::No)
        return;
    const QString path = newpage::Working_Template_Path(state().Working_Pages_Folder);
    if (!rtf_Source->SaveFile(path, 0))
        dialogs::message(srcdoc::Template_Not_Saved(path, static_cast<fs::Result>(rtf_Source->lastFileError())),
                         dialogs::Buttons::Ok, dialogs::Icon::Exclamation, srcdoc::kNotSavedTitle);
}

// ---- editing commands -----------------------------------------------------------------

void frm_Source::Edit_Cut()
{
    if (!editorUsable())
        return;
    QGuiApplication::clipboard()->setText(rtf_Source->SelText());
    rtf_Source->setSelText(QString());
}

void frm_Source::Edit_Copy()
{
    if (!editorUsable())
        return;
    QGuiApplication::clipboard()->setText(rtf_Source->SelText());
}

void frm_Source::Edit_Paste()
{
    if (!editorUsable())
        return;
    rtf_Source->setSelText(QGuiApplication::clipboard()->text());
}

void frm_Source::Edit_Select_All()
{
    if (!editorUsable())
        return;
    rtf_Source->setSelStart(0);
    rtf_Source->setSelLength(rtf_Source->TextLength());
}

void frm_Source::Start_Search() {}

void frm_Source::Color_Code()
{
    if (!editorUsable())
        return;
    Run_Color_Code();
    rtf_Source->setFocus();
}

void frm_Source::Format_Standard()
{
    if (!editorUsable())
        return;
    Run_Standard_Format();
    rtf_Source->setFocus();
}

void frm_Source::Indent_Text(int mode)
{
    if (!editorUsable() || rtf_Source->SelLength() == 0)
        return;
    const int p = rtf_Source->SelStart();
    rtf_Source->setSelIndent(mode == 1 ? state().Text_Indent : 0);
    if (rtf_Source->isEnabled() && rtf_Source->isVisible()) {
        rtf_Source->setFocus();
        rtf_Source->setSelStart(p);
    }
}

void frm_Source::Preview_Source_File() {}
void frm_Source::Print_Source_File() {}

// ---- colour boxes ------------------------------------------------------------------------

void frm_Source::Box_Colors()
{
    const SharedState& s = state();
    for (int i = 0; i < 4; ++i) {
        QPalette p = pic_Color[i]->palette();
        p.setColor(QPalette::Window, Palette_QColor(s.Code_Color_Numbers[i]));
        pic_Color[i]->setPalette(p);
        pic_Color[i]->setToolTip(s.Code_Color_Names[i]);
    }
}

void frm_Source::Current_Color()
{
    SharedState& s = state();
    s.Color_Index = -1;
    if (rtf_Source->SelLength() == 0) {
        const quint32 c = rtf_Source->SelColor();
        for (int i = 0; i < 4; ++i)
            if (Palette_Color(s.Code_Color_Numbers[i]) == c) {
                s.Color_Index = i;
                break;
            }
    }
    s.Status_Color_Panel.setText(s.Color_Index >= 0 && s.Color_Index <= 3 ? s.Code_Color_Names[s.Color_Index]
                                                                           : QString());
}

void frm_Source::Select_Color()
{
    SharedState& s = state();
    if (s.Color_Index < 0 || s.Color_Index > 3)
        return;
    const int p = rtf_Source->SelStart();
    rtf_Source->setSelColor(Palette_Color(s.Code_Color_Numbers[s.Color_Index]));
    s.Status_Color_Panel.setText(s.Code_Color_Names[s.Color_Index]);
    if (rtf_Source->isEnabled() && rtf_Source->isVisible()) {
        rtf_Source->setFocus();
        rtf_Source->setSelStart(p);
    }
}

// ---- editor events ----------------------------------------------------------------------------

void frm_Source::Editor_Change()
{
    SharedState& s = state();
    s.Source_Changed = true;
    if (s.Print_Source == 1)
        s.Paginated = 0;
}

void frm_Source::Editor_GotFocus()
{
    state().Color_Index = -1;
    Current_Color();
}

void frm_Source::Editor_LostFocus()
{
    SharedState& s = state();
    s.Color_Index = -1;
    s.Status_Color_Panel.clear();
}

void frm_Source::Editor_KeyDown(int& keyCode, int shift)
{
    const bool ctrl = shift & vb::CtrlMask;
    const bool alt = shift & vb::AltMask;
    const bool withShift = shift & vb::ShiftMask;
    if (alt && !ctrl) {
        if (keyCode == vb::Key_Home) {
            tb_Left->Focus_First_Button();
            keyCode = 0;
        }
        return;
    }
    if (!ctrl || alt)
        return;
    if (Run_Convert_Key(keyCode, withShift ? 1 : 0) || keyCode == 0)
        return;

    SharedState& s = state();
    const int key = keyCode;
    keyCode = 0;  // every key below is used; the rest go back to the editor
    switch (key) {
    case vb::Key_0:
        Run_Color_Code();
        rtf_Source->setFocus();
        return;
    case vb::Key_0 + 1:
    case vb::Key_0 + 2:
    case vb::Key_0 + 3:
    case vb::Key_0 + 4:
        s.Color_Index = key - vb::Key_0 - 1;
        Select_Color();
        return;
    case vb::letter('F'):
        Start_Search();
        return;
    case vb::letter('M'):
        Popup_Menu(withShift, rtf_Source->mapToGlobal(QPoint(Px_From_Twips_X(kMenuOffsetTwips),
                                                             Px_From_Twips_Y(kMenuOffsetTwips))));
        return;
    case vb::letter('P'):
        if (withShift)
            Print_Source_File();
        else
            Preview_Source_File();
        Arrange_Windows();
        return;
    case vb::letter('Q'):
        Toggle_Browser();
        return;
    case vb::letter('S'):
        if (withShift) {
            Save_As();
        } else {
            Save_Source();
            forms::Browser()->Refresh();
        }
        return;
    case vb::Key_Equals:
        Run_Standard_Format();
        rtf_Source->setFocus();
        return;
    case vb::Key_LeftBracket:
        Indent_Text(2);
        return;
    case vb::Key_RightBracket:
        Indent_Text(1);
        return;
    default:
        keyCode = key;
        return;
    }
}

void frm_Source::Editor_KeyPress(QString& typed)
{
    SharedState& s = state();
    if (!s.Entity_Suffix.isEmpty()) {
        if (typed.size() == 1) {
            const QChar c = typed[0];
            const bool letter = (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
            // An accent shortcut and then a letter: the entity of that letter.
            if (letter)
                typed = QStringLiteral("&") + c + s.Entity_Suffix;
        }
        s.Entity_Suffix.clear();
    }
    Current_Color();
}

void frm_Source::Editor_MouseUp(int button, int shift, QPoint pos)
{
    if (button == 2) {
        Popup_Menu(shift & vb::CtrlMask, rtf_Source->viewport()->mapToGlobal(pos));
        return;
    }
    Current_Color();
}

void frm_Source::Popup_Menu(bool keys, QPoint global)
{
    frm_Start* start = forms::Start();
    QMenu* menu = keys ? start->mnu_Source_Keys : start->mnu_Source;
    menu->popup(global);
}

// ---- window keys ---------------------------------------------------------------------------------

bool frm_Source::windowKey(int keyCode, int shift)
{
    const bool arrow = keyCode >= vb::Key_Left && keyCode <= vb::Key_Down;
    if ((shift == vb::AltMask || shift == (vb::AltMask | vb::ShiftMask)) && arrow) {
        int code = keyCode;
        Move_Split_Keys(code, shift);
        focusEditor();
        return true;
    }
    if (shift != vb::CtrlMask && shift != (vb::CtrlMask | vb::ShiftMask))
        return false;
    switch (keyCode) {
    case vb::letter('N'):
        Start_New_Page();
        return true;
    case vb::letter('O'):
        if (shift & vb::ShiftMask)
            Open_File();
        else
            Open_Plus_File();
        return true;
    default:
        return false;
    }
}

// ---- buttons ----------------------------------------------------------------------------------------

bool frm_Source::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == rtf_Source->viewport() && event->type() == QEvent::ContextMenu)
        return true;  // the right button's release pops up the Source menu
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        // The right button's command runs on release; the press goes nowhere.
        if (qobject_cast<QToolButton*>(watched)
            && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (auto* button = qobject_cast<QToolButton*>(watched); button && me->button() == Qt::RightButton) {
            if (button->isEnabled() && button->rect().contains(me->position().toPoint()))
                Right_Click(button);
            return true;
        }
        for (int i = 0; i < 4; ++i)
            if (watched == pic_Color[i] && me->button() == Qt::LeftButton && pic_Colors->isEnabled()) {
                state().Color_Index = i;
                Select_Color();
                return true;
            }
    }
    return ToolWindow::eventFilter(watched, event);
}

void frm_Source::Right_Click(QToolButton* button)
{
    if (button == cmd_Previous)
        Previous_Click(true);
    else if (button == cmd_Print)
        Print_Click(true);
    else if (button == cmd_Open)
        Open_File();
    else if (button == cmd_Indent)
        Indent_Text(2);
    else if (button == cmd_Format)
        Format_Click(true);
}

void frm_Source::Previous_Click(bool right)
{
    const SharedState& s = state();
    if (s.Browser_Window_Pos < 1)
        return;
    if (!right)
        forms::Browser()->GoBack();
    else if (!s.Samples_Index.isEmpty())
        forms::Browser()->Navigate(s.Samples_Index, 14);
}

void frm_Source::Print_Click(bool right)
{
    Hide_Tool_Windows();
    if (right)
        Print_Source_File();
    else
        Preview_Source_File();
    Arrange_Windows();
}

void frm_Source::Format_Click(bool right)
{
    if (right)
        Run_Standard_Format();
    else
        Run_Color_Code();
    rtf_Source->setFocus();
}

void frm_Source::Html_Click()
{
    Save_Source();
    forms::Browser()->Refresh();
}

void frm_Source::Hor_Click()
{
    SharedState& s = state();
    if (s.Arrange_Horizontal)
        return;
    s.Slider_Hor.value = int(s.Client_Width / Twips_Per_Pixel_X());
    s.Arrange_Horizontal = true;
    Arrange_Windows();
}

void frm_Source::Ver_Click()
{
    SharedState& s = state();
    if (!s.Arrange_Horizontal)
        return;
    s.Slider_Ver.value = int(s.Client_Height / Twips_Per_Pixel_Y());
    s.Arrange_Horizontal = false;
    Arrange_Windows();
}

void frm_Source::Toggle_Browser()
{
    SharedState& s = state();
    s.Browser_Window_Pos = s.Browser_Window_Pos < 1 ? 2 : 0;
    Arrange_Windows();
    rtf_Source->setFocus();
}

// ---- the text processing on this editor ------------------------------------------------------

void frm_Source::Run_Color_Code()
{
    Color_Code_Source(*rtf_Source);
}

void frm_Source::Run_Standard_Format()
{
    Standard_Format(*rtf_Source);
}

bool frm_Source::Run_Convert_Key(int& keyCode, int shift)
{
    Convert_Key(*rtf_Source, keyCode, shift != 0);
    return keyCode == 0;
}

// ---- window frame ---------------------------------------------------------------------------------

void frm_Source::maximizeRequested()
{
    SharedState& s = state();
    s.Source_Window_Pos = s.Source_Window_Pos != 1 ? 1 : 2;
    Arrange_Windows();
}

void frm_Source::closeRequested()
{
    SharedState& s = state();
    if (s.Source_Changed)
        Save_Changes();
    s.Source_Window_Pos = 0;
    if (s.Tool_Pane_Window == 4)
        s.Tool_Pane_Window = 0;
    Arrange_Windows();
}
