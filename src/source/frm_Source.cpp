#include "source/frm_Source.h"

#include "ui/window_manner.h"
#include "ui/forms.h"
#include "core/main_window_port.h"
#include "platform/screen.h"
#include "core/shared_state.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "platform/vb_keys.h"
#include "source/button_bar.h"
#include "source/editor_assist.h"
#include "source/frm_Find.h"
#include "source/live_coloring.h"
#include "source/matching_tag_marks.h"
#include "source/spelling_marks.h"
#include "platform/text_positions.h"
#include "source/tag_bars.h"
#include "source/text_commands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

TESK_DEFINE_FORM(frm_Source, Source)

namespace {

constexpr int kMinSizeTwips = 2500;
constexpr int kGapTwips = 60;
constexpr int kLabelMaxTwips = 5000;
constexpr int kWrapReserveTwips = 800;

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

    // The top bar's buttons; a second command runs on the right button.
    using Command = void (*)(frm_Source&);
    static const struct {
        QToolButton* frm_Source::*button;
        const char* name;
        const char* caption;
        const char* tip;
        Command left;
        Command right;
    } buttons[] = {
        {&frm_Source::cmd_Previous, "cmd_Previous", "Back", " Previous Browser Page | Page Samples",
         [](frm_Source& w) { w.Previous_Click(false); }, [](frm_Source& w) { w.Previous_Click(true); }},
        {&frm_Source::cmd_Print, "cmd_Print", "Print", " Preview File | Print File  ",
         [](frm_Source& w) { w.Print_Click(false); }, [](frm_Source& w) { w.Print_Click(true); }},
        {&frm_Source::cmd_Open, "cmd_Open", "Open", " Open Plus | Open ",
         [](frm_Source& w) { w.Open_Plus_File(); }, [](frm_Source& w) { w.Open_File(); }},
        {&frm_Source::cmd_Indent, "cmd_Indent", "Indent", " Indent Text | Remove Indent ",
         [](frm_Source& w) { w.Indent_Text(1); }, [](frm_Source& w) { w.Indent_Text(2); }},
        {&frm_Source::cmd_Find, "cmd_Find", "Find", " Search and Replace",
         [](frm_Source& w) { w.Start_Search(); }, nullptr},
        {&frm_Source::cmd_Format, "cmd_Format", "Format", "  Color Code | Apply Standard Format ",
         [](frm_Source& w) { w.Format_Click(false); }, [](frm_Source& w) { w.Format_Click(true); }},
        {&frm_Source::cmd_New, "cmd_New", "New", " New ", [](frm_Source& w) { w.Start_New_Page(); }, nullptr},
        {&frm_Source::cmd_Html, "cmd_Html", "Save", " Save and Refresh ", [](frm_Source& w) { w.Html_Click(); },
         nullptr},
        {&frm_Source::cmd_Hor, "cmd_Hor", "Hor", " Display Horizontally ", [](frm_Source& w) { w.Hor_Click(); },
         nullptr},
        {&frm_Source::cmd_Ver, "cmd_Ver", "Ver", " Display Vertically ", [](frm_Source& w) { w.Ver_Click(); },
         nullptr},
        {&frm_Source::cmd_Size, "cmd_Size", "&M", " Maximize/Restore Source File Size ",
         [](frm_Source& w) { w.maximizeRequested(); }, nullptr},
        {&frm_Source::cmd_Close, "cmd_Close", "&X", " Close ", [](frm_Source& w) { w.closeRequested(); }, nullptr},
    };
    for (const auto& row : buttons) {
        QToolButton* b = makeButton(tb_Top, row.name, QString::fromLatin1(row.caption), QString::fromLatin1(row.tip));
        this->*row.button = b;
        connect(b, &QToolButton::clicked, this, [this, command = row.left] { command(*this); });
        if (row.right) {
            rightCommands_.insert(b, row.right);
            b->installEventFilter(this);
        }
    }

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

    // The commands in rows as the width allows; the window's own buttons
    // (arrangement, size, close) at the right end.
    commandRows_.lead = {cmd_Previous, cmd_Print, cmd_Open, cmd_Indent, cmd_Find, cmd_Format, pic_Colors, cmd_New,
                         cmd_Html};
    commandRows_.trailing = {cmd_Hor, cmd_Ver, cmd_Size, cmd_Close};

    // The tag bars below the document's name, placed with the window's size.
    tagBars = new TagBars(tb_Top);
    tagBars->setObjectName(QStringLiteral("tb_Tag_Bars"));
    // A bar that needs another height than the one before moves the editor.
    connect(tagBars, &TagBars::rowShown, this, [this] { Form_Resize(); });

    tb_Left = new ButtonBar(this);
    tb_Left->setObjectName(QStringLiteral("tb_Left"));

    rtf_Source = new RichTextBox(this);
    rtf_Source->setObjectName(QStringLiteral("rtf_Source"));
    Apply_Editor_Style(*rtf_Source);
    // Our own menus pop up on the right button, not the control's.
    rtf_Source->viewport()->installEventFilter(this);

    for (QFrame* box : pic_Color)
        box->installEventFilter(this);

    setTabOrder(cmd_Open, rtf_Source);
}

void frm_Source::connectControls()
{
    connect(rtf_Source, &RichTextBox::Change, this, [this] { Editor_Change(); });
    connect(rtf_Source, &RichTextBox::GotFocus, this, [this] { Editor_GotFocus(); });
    connect(rtf_Source, &RichTextBox::LostFocus, this, [this] { Editor_LostFocus(); });
    rtf_Source->onKeyDown = [this](int& keyCode, int shift) { Editor_KeyDown(keyCode, shift); };
    rtf_Source->onKeyPress = [this](QString& typed) { Editor_KeyPress(typed); };
    rtf_Source->onMouseUp = [this](int button, int shift, QPoint pos) { Editor_MouseUp(button, shift, pos); };
    tagBars->setEditor(rtf_Source);
    tb_Left->setEditor(rtf_Source);
    liveColors = new LiveColoring(*rtf_Source);
    tagMatch = new MatchingTagMarks(*rtf_Source);
    spelling = new SpellingMarks(*rtf_Source);
    spelling->onProblem = [](const QString& problem) { dialogs::message(problem, dialogs::Buttons::Ok, dialogs::Icon::Exclamation); };
    liveColors->setParent(this);
    assist = new EditorAssist(*rtf_Source, *liveColors);
    Apply_Editing_Options();
    // Other programs work on the files while the user is away: look when the
    // program comes back, once the activation is over, and not under a
    // dialog of our own (it comes back to this window when it closes).
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState now) {
        if (now == Qt::ApplicationActive)
            QTimer::singleShot(0, this, [this] {
                if (!QApplication::activeModalWidget())
                    Program_Activated();
            });
    });
}

void frm_Source::Form_Load()
{
    joinMainWindow();

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
    Show_Changed_Mark();
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

    // The top bar is as high as its rows need at this width: every caption
    // whole, and no empty band above the editor.
    constexpr int margin = 4;
    const int rowsWidth = std::max(width() - 2 * margin, 0);
    int y = margin + commandRows_.place(QRect(margin, margin, rowsWidth, 0)) + 3;

    const QSize page = lbl_Page->sizeHint();
    const int nameH = std::max(page.height(), lbl_Source_File->sizeHint().height());
    lbl_Page->setGeometry(margin, y, page.width(), nameH);
    const int labelLeft = margin + page.width() + 6;
    const int labelW = std::min(innerW - Twips_From_Px_X(labelLeft) - 120, kLabelMaxTwips);
    lbl_Source_File->setGeometry(labelLeft, y, labelW > 20 ? Px_From_Twips_X(labelW) : 0, nameH);
    y += nameH + 4;

    const int tagsWidth = std::max(width() - margin, 0);
    const int tagsHeight = tagBars->heightForWidth(tagsWidth);
    tagBars->setGeometry(margin, y, tagsWidth, tagsHeight);
    const int topH = y + tagsHeight + 2;
    tb_Top->setGeometry(0, 0, width(), topH);

    const int leftW = Twips_From_Px_X(tb_Left->sizeHint().width());
    tb_Left->setGeometry(0, topH, Px_From_Twips_X(leftW), std::max(height() - topH, 0));
    const int editorTop = Twips_From_Px_Y(topH) + kGapTwips;
    const int editorLeft = leftW + kGapTwips;
    const int editorW = std::max(innerW - leftW - 2 * kGapTwips, 0);
    const int editorH = std::max(innerH - editorTop - kGapTwips, 0);
    rtf_Source->setGeometry(Px_From_Twips_X(editorLeft), Px_From_Twips_Y(editorTop), Px_From_Twips_X(editorW),
                            Px_From_Twips_Y(editorH));
    rtf_Source->setRightMargin(editorW - kWrapReserveTwips);
    // The caret stays in view whatever the window's new size.
    rtf_Source->ensureCursorVisible();
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
    if (MainWindowPort* m = mainWindowPort())
        m->setDocumentCommandsEnabled(enabled);
    for (QWidget* w : std::initializer_list<QWidget*>{tagBars->tb_Tag_Select, cmd_Html, cmd_Format, cmd_Indent,
                                                      cmd_Find, pic_Colors, cmd_Print, rtf_Source, tb_Left})
        w->setEnabled(enabled);
    state().Source_Changed = false;
    Show_Changed_Mark();
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
    disk_ = {};
}

void frm_Source::Working_Folder_Files()
{
    SharedState& s = state();
    // The system Open dialog starts in the new site, unless the user last
    // opened from a folder of no site.
    if (!siteFolder_.isEmpty() && s.Source_Folder.startsWith(siteFolder_))
        s.Source_Folder.clear();
    Clear_Source();
    // Another site: nothing may still name the document of the one before
    // (the path panel, a save, the page the browser would show for it).
    if (siteLoaded_) {
        Restore_Document({});
        s.Status_Path_Panel.clear();
    }
    siteLoaded_ = true;
    siteFolder_ = s.Working_Folder;
    if (!s.Working_Folder.isEmpty()) {
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

void frm_Source::Start_Search()
{
    if (!editorUsable())
        return;
    forms::Find()->Start_Search();
}

void frm_Source::Apply_Editing_Options()
{
    liveColors->setEnabled(state().More.Color_While_Typing);
    rtf_Source->setLineNumbers(state().More.Line_Numbers);
    tagMatch->setEnabled(state().More.Match_Tags);
    spelling->setOptions(state().More.Spell_While_Typing, Chosen_Dictionary(state().More));
    assist->setOptions(state().More.Close_Tags, state().More.Complete_Names,
                       state().Program_Folder + completion::Html_Names_File_Name());
}

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

void frm_Source::Preview_Source_File()
{
    emit previewRequested();
}

void frm_Source::Print_Source_File()
{
    emit printRequested();
}

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
    Show_Changed_Mark();
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
    assist->keyPress(typed);
    Current_Color();
}

void frm_Source::Editor_MouseUp(int button, int shift, QPoint pos)
{
    if (button == 2) {
        Popup_Menu(shift & vb::CtrlMask, rtf_Source->viewport()->mapToGlobal(pos),
                   rtf_Source->cursorForPosition(pos).position());
        return;
    }
    Current_Color();
}

void frm_Source::Popup_Menu(bool keys, QPoint global, int docPos)
{
    if (MainWindowPort* m = mainWindowPort())
        m->popupSourceMenu(keys, global, keys ? QList<QAction*>() : Spelling_Actions(docPos));
}

QList<QAction*> frm_Source::Spelling_Actions(int docPos)
{
    if (!spelling->enabled())
        return {};
    if (docPos < 0)
        docPos = rtf_Source->textCursor().position();
    const std::optional<SpellingMarks::Mark> mark = spelling->wordAt(docPos);
    if (!mark)
        return {};
    // The menu takes them over and drops them when it closes.
    QList<QAction*> out;
    const QTextCursor word = mark->cursor;
    for (const QString& s : spelling->suggestions(mark->word)) {
        auto* a = new QAction(s);
        connect(a, &QAction::triggered, this, [this, word, s] {
            const QTextDocument& doc = *rtf_Source->document();
            const int start = textpos::fromDocument(doc, word.selectionStart());
            rtf_Source->setSelStart(start);
            rtf_Source->setSelLength(textpos::fromDocument(doc, word.selectionEnd()) - start);
            rtf_Source->setSelText(s);
        });
        out << a;
    }
    auto* add = new QAction(QStringLiteral("Add to Dictionary"));
    connect(add, &QAction::triggered, this, [this, w = mark->word] {
        if (!spelling->addToDictionary(w))
            dialogs::message(QStringLiteral("The word list %1 cannot be written: \"%2\" counts as correct until "
                                            "the program ends.")
                                 .arg(sitekit::personalWordListPath(), w),
                             dialogs::Buttons::Ok, dialogs::Icon::Exclamation);
    });
    auto* ignore = new QAction(QStringLiteral("Ignore All"));
    connect(ignore, &QAction::triggered, this, [this, w = mark->word] { spelling->ignoreAll(w); });
    out << add << ignore;
    return out;
}

void frm_Source::Next_Misspelt_Word()
{
    if (!spelling->enabled())
        return;
    const std::optional<SpellingMarks::Mark> next = spelling->nextAfter(rtf_Source->textCursor().selectionEnd());
    if (!next)
        return;
    const QTextDocument& doc = *rtf_Source->document();
    const int start = textpos::fromDocument(doc, next->cursor.selectionStart());
    rtf_Source->setSelStart(start);
    rtf_Source->setSelLength(textpos::fromDocument(doc, next->cursor.selectionEnd()) - start);
    rtf_Source->ensureCursorVisible();
    const QRect r = rtf_Source->cursorRect();
    Popup_Menu(false, rtf_Source->viewport()->mapToGlobal(r.bottomLeft()), next->cursor.selectionStart());
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
    if (const auto command = rightCommands_.value(button))
        command(*this);
}

void frm_Source::Previous_Click(bool right)
{
    const SharedState& s = state();
    if (s.Browser_Window_Pos < 1)
        return;
    if (!right)
        emit previousPage();
    else if (!s.Samples_Index.isEmpty())
        emit showPage(s.Samples_Index);
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
    emit refreshPage();
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
