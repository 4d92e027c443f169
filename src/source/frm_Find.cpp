#include "source/frm_Find.h"

#include "core/main_window_port.h"
#include "core/shared_state.h"
#include "platform/rich_text_box.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"
#include "source/frm_Source.h"
#include "ui/tool_window.h"
#include "ui/window_manner.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include <utility>

TESK_DEFINE_FORM(frm_Find, Find)

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    // Enter on a focused button presses it, as Space does.
    b->setAutoDefault(true);
    return b;
}

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

frm_Find::frm_Find()
{
    setObjectName(QStringLiteral("frm_Find"));
    setWindowTitle(QStringLiteral("Search and Replace"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildControls();
    connectControls();
}

// ---- building the window --------------------------------------------------------

void frm_Find::buildControls()
{
    const auto phraseBox = [this](const char* name) {
        auto* box = named(new QComboBox(this), name);
        box->setEditable(true);
        // The history is kept by the window's own rule (on leaving the box),
        // not by Enter.
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setDuplicatesEnabled(false);
        box->setMinimumContentsLength(16);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        return box;
    };
    cbo_Find = phraseBox("cbo_Find");
    cbo_Replace = phraseBox("cbo_Replace");
    lbl_Find = named(new QLabel(QStringLiteral("&1. Find What:"), this), "lbl_Find");
    lbl_Find->setBuddy(cbo_Find);
    lbl_replace = named(new QLabel(QStringLiteral("&2. Replace With:"), this), "lbl_replace");
    lbl_replace->setBuddy(cbo_Replace);
    lbl_Content = named(new QLabel(QStringLiteral("(^P = Paragraph, ^T = Tab)"), this), "lbl_Content");

    chk_Match_Case = named(new QCheckBox(QStringLiteral("&Match Case"), this), "chk_Match_Case");
    chk_Whole_Word = named(new QCheckBox(QStringLiteral("&Whole Word"), this), "chk_Whole_Word");
    chk_Selected = named(new QCheckBox(QStringLiteral("Se&lected Text"), this), "chk_Selected");

    lbl_Start = named(new QLabel(QStringLiteral("Search:"), this), "lbl_Start");
    const char* const portions[] = {"&All", "&Cursor to End", "T&op to Cursor"};
    for (int i = 0; i < 3; ++i) {
        opt_Start[i] = new QRadioButton(QLatin1String(portions[i]), this);
        opt_Start[i]->setObjectName(QStringLiteral("opt_Start_%1").arg(i));
    }
    opt_Start[0]->setChecked(true);

    cmd_Find = makeButton(this, "cmd_Find", QStringLiteral("&Find Next"));
    cmd_Replace = makeButton(this, "cmd_Replace", QStringLiteral("Replace"));
    cmd_Replace->setEnabled(false);
    cmd_Replace_All = makeButton(this, "cmd_Replace_All", QStringLiteral("R&eplace All"));
    cmd_Cancel = makeButton(this, "cmd_Cancel", QStringLiteral("&X"));

    fra_Find_Line = named(new QGroupBox(QStringLiteral(" Find Line &Number: "), this), "fra_Find_Line");
    txt_Find_Line = named(new QLineEdit(fra_Find_Line), "txt_Find_Line");
    // Typing is filtered key by key; this keeps pasted text to digits too.
    txt_Find_Line->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txt_Find_Line));
    txt_Find_Line->setMaximumWidth(txt_Find_Line->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    cmd_Find_Line = makeButton(fra_Find_Line, "cmd_Find_Line", QStringLiteral("&Go"));
    auto* line = new QHBoxLayout(fra_Find_Line);
    line->addWidget(txt_Find_Line, 1);
    line->addWidget(cmd_Find_Line);

    lbl_Results = named(new QLabel(this), "lbl_Results");
    lbl_Results->setFrameShape(QFrame::Panel);
    lbl_Results->setFrameShadow(QFrame::Sunken);
    lbl_Results->setEnabled(false);

    auto* checks = new QHBoxLayout;
    checks->addWidget(chk_Match_Case);
    checks->addWidget(chk_Whole_Word);
    checks->addWidget(chk_Selected);
    checks->addStretch(1);
    auto* scope = new QHBoxLayout;
    scope->addWidget(lbl_Start);
    for (QRadioButton* o : opt_Start)
        scope->addWidget(o);
    scope->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lbl_Find, 0, 0);
    grid->addWidget(cbo_Find, 0, 1);
    grid->addWidget(cmd_Find, 0, 2);
    grid->addWidget(lbl_replace, 1, 0);
    grid->addWidget(cbo_Replace, 1, 1);
    grid->addWidget(cmd_Replace, 1, 2);
    grid->addWidget(lbl_Content, 2, 1);
    grid->addWidget(cmd_Replace_All, 2, 2);
    grid->addLayout(checks, 3, 0, 1, 2);
    grid->addLayout(scope, 4, 0, 1, 2);
    grid->addWidget(fra_Find_Line, 3, 2, 2, 1);
    grid->addWidget(lbl_Results, 5, 0, 1, 2);
    grid->addWidget(cmd_Cancel, 5, 2);
    grid->setColumnStretch(1, 1);

    // The hint each control puts into the result line when it gets the
    // focus (the two phrase boxes also grey the line and begin the scope
    // again).
    const std::pair<QWidget*, const char*> hints[] = {
        {cbo_Find, " Enter Search Phrase "},          {cbo_Replace, " Enter Replacement Phrase "},
        {chk_Match_Case, " Match Case "},             {chk_Whole_Word, " Match Whole Words "},
        {chk_Selected, " Search Selected Text "},     {opt_Start[0], " Portion of File to Search "},
        {opt_Start[1], " Portion of File to Search "}, {opt_Start[2], " Portion of File to Search "},
        {cmd_Find, " Search for Phrase "},            {cmd_Replace, " Replace Current Phrase "},
        {cmd_Replace_All, " Replace All "},           {cmd_Find_Line, " Go To Line Number "},
        {txt_Find_Line, " Enter Line Number "},       {cmd_Cancel, " Close Dialog Box "},
    };
    for (const auto& [control, hint] : hints)
        hints_.insert(control, QLatin1String(hint));

    // Down the left column, then the buttons on the right.
    QWidget* order[] = {cbo_Find,   cbo_Replace, chk_Match_Case,  chk_Whole_Word, chk_Selected,
                        opt_Start[0], opt_Start[1], opt_Start[2], cmd_Find,   cmd_Replace,
                        cmd_Replace_All, txt_Find_Line, cmd_Find_Line, cmd_Cancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frm_Find::connectControls()
{
    connect(cmd_Find, &QPushButton::clicked, this, [this] { Find_Phrase(); });
    connect(cmd_Replace, &QPushButton::clicked, this, [this] { Replace_Phrase(); });
    connect(cmd_Replace_All, &QPushButton::clicked, this, [this] { Replace_All_Phrase(); });
    connect(cmd_Find_Line, &QPushButton::clicked, this, [this] { Find_Line_Number(); });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] {
        Remember_Position();
        End_Find();
    });
    connect(chk_Selected, &QCheckBox::clicked, this, [this] { Change_Select(); });
    for (QCheckBox* option : {chk_Match_Case, chk_Whole_Word})
        connect(option, &QCheckBox::clicked, this, [this] { Grey_Results(); });
    for (QRadioButton* o : opt_Start)
        connect(o, &QRadioButton::clicked, this, [this] { Start_Find(); });
    connect(cbo_Replace, &QComboBox::editTextChanged, this, [this] { Grey_Results(); });

    for (QObject* control : hints_.keys())
        control->installEventFilter(this);
    fra_Find_Line->installEventFilter(this);

    Install_Key_Preview(this, [this](int& keyCode, int shift) {
        if (QApplication::activePopupWidget())
            return false;  // Esc closes an open list first
        if (keyCode == vb::Key_Escape && shift == 0) {
            Focus_Editor();
            keyCode = 0;
            return true;
        }
        if (shift == vb::AltMask || shift == (vb::AltMask | vb::ShiftMask))
            return Move_Window_Keys(keyCode, shift, this);
        return false;
    });
}

void frm_Find::Form_Load()
{
    // A window owned by the main window: above it (not above other
    // programs) and minimised with it. Not a tool window: Qt gives a tool
    // window's Alt keys to its owner's menu bar first, so Alt+F would open
    // the File menu instead of pressing "&Find Next".
    QWidget* owner = mainWindowPort() ? mainWindowPort()->widget() : nullptr;
    setParent(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    adjustSize();
    setFixedSize(sizeHint());
}

// ---- opening, activation, closing -------------------------------------------------

void frm_Find::Start_Search()
{
    SharedState& s = state();
    s.Find_Window_State = 1;
    // Wherever it was left, the whole window comes back on the screen.
    const QSize screen = Screen_Size_Pixels();
    const QSize frame = frameGeometry().size().expandedTo(size());
    move(std::clamp(Px_From_Twips_X(s.Find_Left), 0, std::max(screen.width() - frame.width(), 0)),
         std::clamp(Px_From_Twips_Y(s.Find_Top), 0, std::max(screen.height() - frame.height(), 0)));
    show();
    raise();
    activateWindow();
    cbo_Find->setFocus(Qt::OtherFocusReason);
    // The old phrase is selected, so that typing replaces it. Again when the
    // box gets the focus: a window shown again loses the selection before
    // it becomes active.
    cbo_Find->lineEdit()->selectAll();
    selectPhrase_ = true;
}

bool frm_Find::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    else if (e->type() == QEvent::WindowDeactivate)
        Form_Deactivate();
    return QWidget::event(e);
}

void frm_Find::Form_Activate()
{
    frm_Source* source = forms::Source_If_Loaded();
    Search_Target = source ? source->rtf_Source : nullptr;
    Check_for_Selected_Text();
}

void frm_Find::Form_Deactivate()
{
    selectPhrase_ = false;
    Grey_Results();
    Disable_Replace();
    Remember_Position();
}

void frm_Find::Remember_Position()
{
    if (!isVisible())
        return;
    SharedState& s = state();
    s.Find_Left = Twips_From_Px_X(pos().x());
    s.Find_Top = Twips_From_Px_Y(pos().y());
}

void frm_Find::closeEvent(QCloseEvent* e)
{
    // The title bar's close button closes as "&X" does.
    e->ignore();
    Remember_Position();
    End_Find();
}

void frm_Find::End_Find()
{
    Grey_Results();
    state().Find_Window_State = -1;
    const bool active = isActiveWindow();
    hide();
    // The user goes on typing where the search was for.
    if (active)
        Focus_Editor();
}

void frm_Find::Focus_Editor()
{
    if (!Search_Target)
        return;
    if (QWidget* main = Search_Target->window())
        main->activateWindow();
    Search_Target->setFocus(Qt::OtherFocusReason);
}

// ---- hints, history and the keys of the boxes ----------------------------------------

bool frm_Find::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == fra_Find_Line && e->type() == QEvent::Shortcut) {
        // Alt+N is for typing a number. The group box would give the focus
        // to whichever of its controls had it last, "Go" among them, where
        // the digits typed go nowhere and Enter moves the caret.
        txt_Find_Line->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    if (e->type() == QEvent::FocusIn) {
        if (watched == cbo_Find && std::exchange(selectPhrase_, false))
            cbo_Find->lineEdit()->selectAll();
        Focus_Hint(watched);
    } else if (e->type() == QEvent::FocusOut) {
        if (watched == cbo_Find || watched == cbo_Replace)
            Add_To_History(static_cast<QComboBox*>(watched));
    } else if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (watched == txt_Find_Line) {
            // Digits and Backspace only; Tab and Enter go on to "Go".
            if ((k->key() == Qt::Key_Tab && k->modifiers() == Qt::NoModifier) || enter) {
                cmd_Find_Line->setFocus(Qt::TabFocusReason);
                return true;
            }
            const QString typed = k->text();
            if (!typed.isEmpty() && k->key() != Qt::Key_Backspace
                && !(typed.size() == 1 && typed[0] >= u'0' && typed[0] <= u'9'))
                return true;
        } else if ((watched == cbo_Find || watched == cbo_Replace) && enter
                   && !static_cast<QComboBox*>(watched)->view()->isVisible()) {
            // Enter in a phrase box searches, as the first button would.
            Add_To_History(static_cast<QComboBox*>(watched));
            Find_Phrase();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void frm_Find::Focus_Hint(QObject* control)
{
    const auto hint = hints_.constFind(control);
    if (hint == hints_.constEnd())
        return;
    lbl_Results->setText(*hint);
    if (control == cbo_Find || control == cbo_Replace) {
        lbl_Results->setEnabled(false);
        SearchState& s = state().Search;
        s.Search_Position = s.Search_Start;
        // The search begins again: the match still selected is no longer
        // where Replace All starts (Replace can still replace it).
        s.Found_Position = -1;
    }
    if (control == txt_Find_Line)
        txt_Find_Line->selectAll();
}

void frm_Find::Add_To_History(QComboBox* box)
{
    const QString text = box->currentText();
    if (text.isEmpty() || box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    // Putting the entry in must leave the text being edited as it is.
    const QSignalBlocker quiet(box);
    box->insertItem(0, text);
    box->setCurrentIndex(0);
    box->setEditText(text);
}

// ---- the result line ------------------------------------------------------------------

void frm_Find::Grey_Results() { lbl_Results->setEnabled(false); }

void frm_Find::Show_Result(search::Result r)
{
    lbl_Results->setText(search::Result_Text(r));
    lbl_Results->setEnabled(true);
}

void frm_Find::Disable_Replace()
{
    // Were the focus left to move on by itself, it would land on Replace All,
    // where one Enter too many replaces every match.
    if (cmd_Replace->hasFocus())
        cmd_Find->setFocus(Qt::OtherFocusReason);
    cmd_Replace->setEnabled(false);
}

bool frm_Find::Results_Showing() const { return lbl_Results->isEnabled(); }

int frm_Find::Checked_Options() const
{
    return search::Options(chk_Whole_Word->isChecked(), chk_Match_Case->isChecked());
}

int frm_Find::Portion() const
{
    for (int i = 0; i < 3; ++i)
        if (opt_Start[i]->isChecked())
            return i;
    return search::All;
}

void frm_Find::Restart_If_Needed()
{
    if (search::Must_Restart(state().Search, Results_Showing(), Checked_Options()))
        Start_Find();
}

// ---- procedures -------------------------------------------------------------------------

void frm_Find::Check_for_Selected_Text()
{
    if (!Search_Target)
        return;
    const bool scope = search::Check_Selection(state().Search, Search_Target->TextLength(),
                                               Search_Target->SelStart(), Search_Target->SelText());
    chk_Selected->setEnabled(scope);
    chk_Selected->setChecked(scope);
    for (QRadioButton* o : opt_Start)
        o->setEnabled(!scope);
    Start_Find();
}

void frm_Find::Change_Select()
{
    const bool on = chk_Selected->isChecked();
    state().Search.Selected_Only = on;
    for (QRadioButton* o : opt_Start)
        o->setEnabled(!on);
    Start_Find();
}

void frm_Find::Start_Find()
{
    Grey_Results();
    Disable_Replace();
    if (!Search_Target)
        return;
    search::Start_Find(state().Search, Search_Target->TextLength(), Search_Target->SelStart(), Portion());
    Search_Target->setSelLength(0);
}

void frm_Find::Set_Find_Phrase() { Find_Text = search::Phrase(cbo_Find->currentText()); }

void frm_Find::Set_Replace_Phrase() { Replace_Text = search::Phrase(cbo_Replace->currentText()); }

void frm_Find::Find_Phrase()
{
    if (!Search_Target)
        return;
    Restart_If_Needed();
    SearchState& s = state().Search;
    Search_Target->setHideSelection(false);
    s.Search_Options = Checked_Options();
    Set_Find_Phrase();
    const int found = Find_Text.isEmpty() ? -1
                                          : Search_Target->Find(Find_Text, s.Search_Position,
                                                                search::Find_End(s, int(Find_Text.size())),
                                                                s.Search_Options);
    const search::Result r = search::Found_Next(s, found);
    if (r == search::Result::Found) {
        cmd_Replace->setEnabled(true);
        return;
    }
    Disable_Replace();
    Show_Result(r);
    Search_Target->setSelLength(0);
}

void frm_Find::Replace_Phrase()
{
    if (!Search_Target || !cmd_Replace->isEnabled())
        return;
    SearchState& s = state().Search;
    Grey_Results();
    Search_Target->setHideSelection(false);
    Set_Replace_Phrase();
    const int matchStart = Search_Target->SelStart();
    const int matchLength = Search_Target->SelLength();
    const int lengthBefore = Search_Target->TextLength();
    Search_Target->setSelText(Replace_Text);
    // What the editor inserted, not the phrase's length: a line break pasted
    // into the box is one character there and CR LF in the text, and the
    // next search must begin after all of it.
    const int inserted = Search_Target->TextLength() - (lengthBefore - matchLength);
    s.Search_Options = Checked_Options();
    Set_Find_Phrase();
    const int from = search::Replaced(s, matchStart, matchLength, inserted, Search_Target->TextLength());
    const int found = Find_Text.isEmpty() ? -1
                                          : Search_Target->Find(Find_Text, from,
                                                                search::Find_End(s, int(Find_Text.size())),
                                                                s.Search_Options);
    if (search::Found_After_Replace(s, found) == search::Result::Found)
        return;
    Disable_Replace();
    Show_Result(search::Result::Search_Completed);
    Search_Target->setHideSelection(true);
}

void frm_Find::Replace_All_Phrase()
{
    if (!Search_Target)
        return;
    Restart_If_Needed();
    Grey_Results();
    SearchState& s = state().Search;
    // The match Find Next or Replace has just selected is replaced too.
    const bool matchSelected = cmd_Replace->isEnabled() && s.Found_Position >= 0;
    const int c = Search_Target->SelStart();
    s.Search_Options = Checked_Options();
    Set_Find_Phrase();
    Set_Replace_Phrase();
    const search::Replace_All_Plan plan =
        search::Replace_All(s, Search_Target->Text(), Find_Text, RichTextBox::insertedLength(Replace_Text),
                            s.Search_Options, matchSelected ? s.Found_Position : s.Search_Position);
    if (!plan.matches.empty()) {
        Search_Target->replaceMatches(plan.matches, int(Find_Text.size()), Replace_Text);
        Search_Target->setSelStart(std::min(c, Search_Target->TextLength()));
    }
    Disable_Replace();
    Show_Result(plan.result);
}

void frm_Find::Find_Line_Number()
{
    Grey_Results();
    if (!Search_Target)
        return;
    const search::Line_Target t = search::Find_Line(state().Search, Search_Target->Text(), txt_Find_Line->text());
    if (t.result == search::Result::None)
        return;
    if (t.result == search::Result::Line_Past_End) {
        // The report stays readable: the focus stays here.
        Show_Result(t.result);
        return;
    }
    Search_Target->setSelStart(t.start);
    Search_Target->setSelLength(t.length);
    Focus_Editor();
}
