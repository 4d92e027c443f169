#include "tags/frm_Tags.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"
#include "tags/list_messages.h"
#include "tags/tag_list_files.h"
#include "ui/folder_controls.h"
#include "ui/tool_window.h"
#include "ui/window_manner.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

TESK_DEFINE_FORM(frm_Tags, Tags)

using tag_lists::Place;

namespace {

struct KindText {
    const char* tab;
    const char* name;  // begins with a blank: the hints put it after "a"
    const char* working;
    const char* reference;
};
const KindText kKinds[frm_Tags::Kinds] = {
    {"&Colors", " Color Tag", "Body Tags in Working Folder:", "Body Tags in Reference Folder:"},
    {"&Images", " Image Tag", "Image Tags in Working Folder:", "Image Tags in Reference Folder:"},
    {"&Web Link", " Web Link Tag", "Web Link Tags in Working Folder:", "Web Link Tags in Reference Folder:"},
    {"&Anchor", " Anchor Tag", "Anchor Tags in Working Folder:", "Anchor Tags in Reference Folder:"},
};

// The normal size of the window, in twips.
constexpr int kLeft = 120;
constexpr int kTop = 900;
constexpr int kWidth = 8925;
constexpr int kHeight = 7635;

QPushButton* button(QWidget* parent, const QString& caption, const QString& name)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // No button is the dialog's default: Enter presses the focused button
    // only (see keyPressEvent).
    b->setAutoDefault(false);
    // Hidden while nothing is selected; the others keep their places.
    QSizePolicy p = b->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    b->setSizePolicy(p);
    return b;
}

QListWidget* list(QWidget* parent, const QString& name)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(name);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setUniformItemSizes(true);
    return l;
}

int selectedRow(const QListWidget* l)
{
    const QList<QListWidgetItem*> items = l->selectedItems();
    return items.isEmpty() ? -1 : l->row(items.first());
}

void showList(QListWidget* l, const QStringList& entries, int selected)
{
    const QSignalBlocker block(l);
    while (l->count() > entries.size())
        delete l->takeItem(l->count() - 1);
    for (int i = 0; i < entries.size(); ++i) {
        if (i < l->count()) {
            if (l->item(i)->text() != entries[i])
                l->item(i)->setText(entries[i]);
        } else {
            l->addItem(entries[i]);
        }
    }
    if (selected >= 0 && selected < l->count()) {
        l->setCurrentRow(selected);
    } else {
        l->clearSelection();
        l->setCurrentRow(-1);
    }
}

void showWhen(QWidget* w, bool on)
{
    if (!w)
        return;
    w->setVisible(on);
    w->setEnabled(on);
}

// The list's first row in sight.
int topRow(const QListWidget* l)
{
    const int row = l->indexAt(QPoint(1, 1)).row();
    return row < 0 ? 0 : row;
}

int rowHeight(const QListWidget* l)
{
    const int h = l->count() > 0 ? l->sizeHintForRow(0) : 0;
    return h > 0 ? h : l->fontMetrics().height() + 2;
}

} // namespace

frm_Tags::frm_Tags() : QDialog(dialogs::parentWindow())
{
    setObjectName(QStringLiteral("frm_Tags"));
    setWindowTitle(QStringLiteral("Tag Lists"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);
    buildControls();
    Install_Key_Preview(this, [this](int& keyCode, int shift) {
        if (shift != vb::AltMask && shift != (vb::AltMask | vb::ShiftMask))
            return false;
        return Move_Window_Keys(keyCode, shift, this);
    });
}

frm_Tags::~frm_Tags() = default;

void frm_Tags::Show_Tags(int tagIndex)
{
    if (tagIndex >= 0)
        state().Tag_Index = tagIndex;
    frm_Tags* w = forms::Tags();
    dialogs::exec(*w);
    // However the run ended, the lists are written and the window goes.
    if (!w->closing_)
        w->done(QDialog::Rejected);
    delete w;
}

// ---- building ---------------------------------------------------------------------

void frm_Tags::buildControls()
{
    tab_Tags = new QTabWidget(this);
    tab_Tags->setObjectName(QStringLiteral("tab_Tags"));
    for (int k = 0; k < Kinds; ++k)
        tab_Tags->addTab(buildPage(k), QString::fromLatin1(kKinds[k].tab));

    lbl_Working_Folder = new QLabel(this);
    lbl_Working_Folder->setObjectName(QStringLiteral("lbl_Working_Folder"));
    Make_Sunken(lbl_Working_Folder);
    lbl_Focus = new QLabel(this);
    lbl_Focus->setObjectName(QStringLiteral("lbl_Focus"));
    Make_Sunken(lbl_Focus);
    cmd_Size = button(this, QStringLiteral("&M"), QStringLiteral("cmd_Size"));
    cmd_Size->setToolTip(QStringLiteral(" Maximize/Restore Tag List Size "));
    cmd_Close = button(this, QStringLiteral("&X"), QStringLiteral("cmd_Close"));
    cmd_Close->setToolTip(QStringLiteral(" Close "));
    for (QPushButton* b : {cmd_Size, cmd_Close})
        b->setFixedWidth(std::max(b->sizeHint().height() + 6, fontMetrics().horizontalAdvance(b->text()) + 16));

    auto* folder = new QHBoxLayout;
    folder->addWidget(new QLabel(QStringLiteral("Working Folder:"), this));
    folder->addWidget(lbl_Working_Folder, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lbl_Focus, 1);
    bottom->addWidget(cmd_Size);
    bottom->addWidget(cmd_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tab_Tags, 1);
    layout->addLayout(folder);
    layout->addLayout(bottom);

    hints_.insert(cmd_Size, {QStringLiteral(" Change Size of Dialog Box "), {}, true});
    hints_.insert(cmd_Close, {QStringLiteral(" Close Dialog Box "), {}, true});
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);

    connect(tab_Tags, &QTabWidget::currentChanged, this, [this] { Change_Tag(); });
    connect(cmd_Size, &QPushButton::clicked, this, [this] {
        SharedState& s = state();
        s.Tags_Window_Pos = s.Tags_Window_Pos == 2 ? 1 : 2;
        Change_Size();
    });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { accept(); });
    for (int k = 0; k < Kinds; ++k)
        connectControls(k);
}

QWidget* frm_Tags::buildPage(int kind)
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("page_%1").arg(kind));
    const QString n = QString::number(kind);
    const auto named = [&n](const char* name) { return QLatin1String(name) + QLatin1Char('_') + n; };

    lbl_WF[kind] = new QLabel(QString::fromLatin1(kKinds[kind].working), page);
    txt_WF[kind] = new QLineEdit(page);
    txt_WF[kind]->setObjectName(named("txt_WF"));
    cbo_WF[kind] = list(page, named("cbo_WF"));
    cmd_Delete_WF[kind] = button(page, QStringLiteral("&Delete Tag"), named("cmd_Delete_WF"));
    cmd_Del_All_WF[kind] = button(page, QStringLiteral("Delete All &Tags"), named("cmd_Del_All_WF"));
    cmd_Down[kind] = button(page, QString(), named("cmd_Down"));
    cmd_Down[kind]->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmd_Down[kind]->setToolTip(QStringLiteral(" Copy to the Reference Folder "));
    cmd_Down[kind]->setAccessibleName(QStringLiteral("Copy to the Reference Folder"));
    cmd_Up[kind] = button(page, QString(), named("cmd_Up"));
    cmd_Up[kind]->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmd_Up[kind]->setToolTip(QStringLiteral(" Copy to the Working Folder "));
    cmd_Up[kind]->setAccessibleName(QStringLiteral("Copy to the Working Folder"));
    lbl_RF[kind] = new QLabel(QString::fromLatin1(kKinds[kind].reference), page);
    lst_RF[kind] = list(page, named("lst_RF"));
    cmd_Delete_RF[kind] = button(page, QStringLiteral("&Delete Tag"), named("cmd_Delete_RF"));
    cmd_Del_All_RF[kind] = button(page, QStringLiteral("Delete All Tags"), named("cmd_Del_All_RF"));

    // A move bar on its coloured backing, in a frame that hides with the
    // selection.
    const auto mover = [&](QGroupBox*& frame, QFrame*& backing, QScrollBar*& bar, const char* side) {
        frame = new QGroupBox(QStringLiteral(" M&ove "), page);
        frame->setObjectName(named(side == QLatin1String("WF") ? "fra_WF" : "fra_RF"));
        QSizePolicy p = frame->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        frame->setSizePolicy(p);
        backing = new QFrame(frame);
        backing->setObjectName(named(side == QLatin1String("WF") ? "pic_WF" : "pic_RF"));
        backing->setAutoFillBackground(true);
        backing->setBackgroundRole(QPalette::Button);
        bar = new QScrollBar(Qt::Vertical, backing);
        bar->setObjectName(named(side == QLatin1String("WF") ? "vsb_WF" : "vsb_RF"));
        bar->setRange(-500, 500);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setValue(0);
        // A drag moves by where it ends, not by every step on the way.
        bar->setTracking(false);
        bar->setFocusPolicy(Qt::StrongFocus);
        auto* b = new QVBoxLayout(backing);
        b->setContentsMargins(6, 4, 6, 4);
        b->addWidget(bar, 0, Qt::AlignHCenter);
        auto* f = new QVBoxLayout(frame);
        f->addWidget(backing, 1);
    };
    if (tag_lists::Is_Movable_Kind(kind)) {
        mover(fra_WF[kind], pic_WF[kind], vsb_WF[kind], "WF");
        mover(fra_RF[kind], pic_RF[kind], vsb_RF[kind], "RF");
    }

    auto* grid = new QGridLayout(page);
    grid->addWidget(lbl_WF[kind], 0, 0);
    grid->addWidget(txt_WF[kind], 1, 0);
    grid->addWidget(cbo_WF[kind], 2, 0);
    auto* wfButtons = new QHBoxLayout;
    wfButtons->addWidget(cmd_Delete_WF[kind]);
    wfButtons->addWidget(cmd_Del_All_WF[kind]);
    wfButtons->addStretch(1);
    wfButtons->addWidget(cmd_Down[kind]);
    wfButtons->addWidget(cmd_Up[kind]);
    grid->addLayout(wfButtons, 3, 0);
    grid->addWidget(lbl_RF[kind], 4, 0);
    grid->addWidget(lst_RF[kind], 5, 0);
    auto* rfButtons = new QHBoxLayout;
    rfButtons->addWidget(cmd_Delete_RF[kind]);
    rfButtons->addWidget(cmd_Del_All_RF[kind]);
    rfButtons->addStretch(1);
    grid->addLayout(rfButtons, 6, 0);
    if (fra_WF[kind]) {
        grid->addWidget(fra_WF[kind], 1, 1, 2, 1);
        grid->addWidget(fra_RF[kind], 5, 1);
    }
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(2, 1);
    grid->setRowStretch(5, 1);

    // Tab order: top to bottom, each move bar after its list.
    QWidget* order[] = {txt_WF[kind], cbo_WF[kind], vsb_WF[kind], cmd_Delete_WF[kind], cmd_Del_All_WF[kind],
                        cmd_Down[kind], cmd_Up[kind], lst_RF[kind], vsb_RF[kind], cmd_Delete_RF[kind],
                        cmd_Del_All_RF[kind]};
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (!w)
            continue;
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }

    const auto hint = [this](QObject* c, const char* before, const char* after) {
        if (c)
            hints_.insert(c, {QString::fromLatin1(before), QString::fromLatin1(after)});
    };
    hint(cbo_WF[kind], " Select a", " from the Working Folder ");
    hint(txt_WF[kind], " Select a", " from the Working Folder ");
    hint(lst_RF[kind], " Select a", " in the Reference Folder ");
    hint(cmd_Delete_WF[kind], " Delete Current", " in the Working Folder ");
    hint(cmd_Delete_RF[kind], " Delete Current", " in the Reference Folder ");
    hint(cmd_Del_All_WF[kind], " Delete All", "s in the Working Folder ");
    hint(cmd_Del_All_RF[kind], " Delete All", "s in the Reference Folder ");
    hint(cmd_Down[kind], " Copy Current", " to the Reference Folder ");
    hint(cmd_Up[kind], " Copy Current", " to the Working Folder ");
    hint(vsb_WF[kind], " Move Current", " in the Working Folder ");
    hint(vsb_RF[kind], " Move Current", " in the Reference Folder ");
    return page;
}

void frm_Tags::connectControls(int k)
{
    connect(cbo_WF[k], &QListWidget::itemSelectionChanged, this, [this] { WF_Selected(); });
    connect(lst_RF[k], &QListWidget::itemSelectionChanged, this, [this] { RF_Selected(); });
    // Only the user's typing is an edit; the program filling the line is not.
    connect(txt_WF[k], &QLineEdit::textEdited, this, [this](const QString& text) { lists_.Edit(text); });
    connect(txt_WF[k], &QLineEdit::returnPressed, this, [this] { Tag_Changed(); });
    connect(cmd_Delete_WF[k], &QPushButton::clicked, this, [this] { Delete_WF_Tag(); });
    connect(cmd_Delete_RF[k], &QPushButton::clicked, this, [this] { Delete_RF_Tag(); });
    connect(cmd_Down[k], &QPushButton::clicked, this, [this] {
        if (lists_.Copy_Tag(Place::Working) >= 0)
            Show_Kind(lists_.Kind());
    });
    connect(cmd_Up[k], &QPushButton::clicked, this, [this] {
        if (lists_.Copy_Tag(Place::Reference) >= 0)
            Show_Kind(lists_.Kind());
    });
    connect(cmd_Del_All_WF[k], &QPushButton::clicked, this, [this] { Delete_WF_File(); });
    connect(cmd_Del_All_RF[k], &QPushButton::clicked, this, [this] { Delete_Ref_File(); });
    if (vsb_WF[k]) {
        connect(vsb_WF[k], &QScrollBar::valueChanged, this, [this] { Scroll_WF_Tag(); });
        connect(vsb_RF[k], &QScrollBar::valueChanged, this, [this] { Scroll_RF_Tag(); });
    }
}

// ---- load, size, placement ----------------------------------------------------------

void frm_Tags::Form_Load()
{
    SharedState& s = state();
    s.Tags_Window_Pos = 1;
    Change_Size();
    Retrieve_Tags();
    if (s.Tag_Index < 0 || s.Tag_Index >= Kinds)
        s.Tag_Index = 0;
    loaded_ = true;
    if (tab_Tags->currentIndex() != s.Tag_Index)
        tab_Tags->setCurrentIndex(s.Tag_Index);  // runs Change_Tag
    else
        Change_Tag();
}

void frm_Tags::Change_Size()
{
    const SharedState& s = state();
    QSize size(kWidth, kHeight);
    if (s.Tags_Window_Pos == 2 && s.Client_Width > 0 && s.Client_Height > 0)
        size = QSize(s.Client_Width, s.Client_Height);
    // Placed as over a main window filling the screen; kept on the screen.
    QPoint origin;
    if (QWidget* main = parentWidget())
        origin = main->frameGeometry().topLeft();
    QRect r(origin + QPoint(Px_From_Twips_X(kLeft), Px_From_Twips_Y(kTop)),
            QSize(Px_From_Twips_X(size.width()), Px_From_Twips_Y(size.height())));
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        const QMargins frame(0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
        r.setSize(r.size().boundedTo(area.size().shrunkBy(frame)));
        r.moveLeft(std::clamp(r.left(), area.left(), std::max(area.left(), area.right() - r.width())));
        r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() - r.height() - frame.top())));
    }
    resize(r.size().expandedTo(minimumSizeHint()));
    move(r.topLeft());
}

void frm_Tags::Form_Activate()
{
    Place_Over_Help_Window(this);
}

void frm_Tags::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
    if (QListWidget* l = cbo_WF[lists_.Kind()])
        l->setFocus();
}

void frm_Tags::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // Leaving the window writes the lists; its own message boxes and its
    // closing are not leaving it.
    if (event->type() == QEvent::ActivationChange && loaded_ && isVisible() && !isActiveWindow() && !messages_
        && !storing_ && !closing_)
        Store_Tags();
}

void frm_Tags::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the focused button; in the edit line or a list it is
    // theirs alone (there is no default button it could press by mistake).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(QApplication::focusWidget()); b && b->window() == this)
            b->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frm_Tags::done(int result)
{
    if (!closing_) {
        closing_ = true;
        Store_Tags();
        state().Tags_Window_Pos = 0;
    }
    QDialog::done(result);
}

// ---- lists ---------------------------------------------------------------------------

void frm_Tags::Retrieve_Tags()
{
    lbl_Working_Folder->setText(state().Working_Folder);
    for (Place place : {Place::Working, Place::Reference}) {
        for (int k = 0; k < Kinds; ++k) {
            QStringList entries;
            const fs::Result r = tag_lists::Read_All(tag_lists::Kind_Path(k, place), entries);
            lists_.Load(k, place, entries, r);
        }
    }
    for (int k = 0; k < Kinds; ++k)
        Show_Kind(k);
}

void frm_Tags::Show_Kind(int kind)
{
    const bool shown = kind == lists_.Kind();
    const int wf = shown ? lists_.WF_Tag_Index() : -1;
    const int rf = shown ? lists_.RF_Tag_Index() : -1;
    showList(cbo_WF[kind], lists_.Entries(kind, Place::Working), wf);
    showList(lst_RF[kind], lists_.Entries(kind, Place::Reference), rf);

    // The edit line shows the selected entry and takes typing only then.
    QLineEdit* line = txt_WF[kind];
    const QString text = wf >= 0 ? lists_.Entries(kind, Place::Working).at(wf) : QString();
    if (!(shown && lists_.Tag_Edited()) && line->text() != text)
        line->setText(text);
    line->setReadOnly(wf < 0);

    showWhen(cmd_Delete_WF[kind], wf >= 0);
    showWhen(cmd_Down[kind], wf >= 0);
    showWhen(fra_WF[kind], wf >= 0);
    showWhen(cmd_Delete_RF[kind], rf >= 0);
    // Nothing can be kept in a site's list while there is no site.
    showWhen(cmd_Up[kind], rf >= 0 && !state().Working_Pages_Folder.isEmpty());
    showWhen(fra_RF[kind], rf >= 0);
}

void frm_Tags::Change_Tag()
{
    if (!loaded_)
        return;
    const int kind = tab_Tags->currentIndex();
    const int before = lists_.Kind();
    lists_.Change_Tag(kind);
    state().Tag_Index = lists_.Kind();
    Show_Kind(before);
    Show_Kind(lists_.Kind());
    kindName_ = QString::fromLatin1(kKinds[lists_.Kind()].name);
    lbl_Focus->setText(kindName_ + QStringLiteral(" List"));
    if (isVisible())
        cbo_WF[lists_.Kind()]->setFocus();
}

void frm_Tags::WF_Selected()
{
    const int kind = lists_.Kind();
    lists_.WF_Selected(selectedRow(cbo_WF[kind]));
    Show_Kind(kind);
}

void frm_Tags::RF_Selected()
{
    const int kind = lists_.Kind();
    lists_.RF_Selected(selectedRow(lst_RF[kind]));
    txt_WF[kind]->clear();
    Show_Kind(kind);
}

void frm_Tags::Tag_Changed()
{
    if (!lists_.Tag_Edited())
        return;
    lists_.Tag_Changed();
    // The edit line shows the entry as it now is (the old one when the line
    // was emptied).
    for (QLineEdit* line : txt_WF)
        line->clear();
    for (int k = 0; k < Kinds; ++k)
        Show_Kind(k);
}

void frm_Tags::Delete_WF_Tag()
{
    const int kind = lists_.Kind();
    Tag_Changed();
    if (lists_.Delete_Tag(Place::Working))
        Show_Kind(kind);
    cbo_WF[kind]->setFocus();
}

void frm_Tags::Delete_RF_Tag()
{
    const int kind = lists_.Kind();
    if (lists_.Delete_Tag(Place::Reference))
        Show_Kind(kind);
    lst_RF[kind]->setFocus();
}

void frm_Tags::Scroll_WF_Tag()
{
    Scroll_Tag(Place::Working);
}

void frm_Tags::Scroll_RF_Tag()
{
    Scroll_Tag(Place::Reference);
}

void frm_Tags::Scroll_Tag(Place place)
{
    const int kind = lists_.Kind();
    QScrollBar* bar = place == Place::Working ? vsb_WF[kind] : vsb_RF[kind];
    QListWidget* l = place == Place::Working ? cbo_WF[kind] : lst_RF[kind];
    if (!bar)
        return;
    Tag_Changed();
    const int rows = tag_lists::Visible_Rows(l->viewport()->height(), rowHeight(l));
    const tag_lists::TagListSet::Move m = lists_.Scroll_Tag(place, bar->value(), topRow(l), rows);
    {
        // Back to rest without running this again.
        const QSignalBlocker block(bar);
        bar->setValue(0);
    }
    if (!m.Moved)
        return;
    Show_Kind(kind);
    l->scrollToItem(l->item(m.Top_Row), QAbstractItemView::PositionAtTop);
}

// ---- deleting whole lists, storing ----------------------------------------------------

bool frm_Tags::Confirm(const QString& text, const QString& title)
{
    ++messages_;
    const dialogs::Answer a = dialogs::message(text, dialogs::Buttons::YesNo, dialogs::Icon::Question, title,
                                               dialogs::Answer::No);
    --messages_;
    return a == dialogs::Answer::Yes;
}

void frm_Tags::Tell_Failures(const QList<tag_lists::Store_Failure>& failures)
{
    if (failures.isEmpty())
        return;
    ++messages_;
    Show_Lists_Not_Stored(failures);
    --messages_;
}

void frm_Tags::Delete_WF_File()
{
    Delete_File(Place::Working);
}

void frm_Tags::Delete_Ref_File()
{
    Delete_File(Place::Reference);
}

void frm_Tags::Delete_File(Place place)
{
    const bool working = place == Place::Working;
    const int kind = lists_.Kind();
    // The tab's caption as it stands, access key mark and all.
    const QString text = QStringLiteral("Delete All These ") + tab_Tags->tabText(kind) + QStringLiteral(" Tags\r\n")
        + (working ? QStringLiteral("From the Working Folder? ") : QStringLiteral("From the Reference Folder? "));
    if (!Confirm(text, working ? QStringLiteral("Working Folder Tags") : QStringLiteral("Reference Folder Tags")))
        return;
    lists_.Delete_All(place);
    if (working)
        txt_WF[kind]->clear();
    Show_Kind(kind);
    const QString path = tag_lists::Kind_Path(kind, place);
    const fs::Result r = tag_lists::Delete(path);
    if (lists_.Stored(kind, place, r))
        Tell_Failures({{path, r}});
    else if (working && r == fs::Result::Ok)
        workingWritten_ = true;
}

void frm_Tags::Store_Tags()
{
    if (storing_)
        return;
    storing_ = true;
    // Typing not yet committed is part of what the user leaves behind.
    Tag_Changed();
    QList<tag_lists::Store_Failure> failures;
    for (Place place : {Place::Working, Place::Reference}) {
        for (int k = 0; k < Kinds; ++k) {
            using Action = tag_lists::TagListSet::Action;
            const Action what = lists_.Store_Action(k, place);
            if (what == Action::Leave)
                continue;
            QString path = tag_lists::Kind_Path(k, place);
            fs::Result r = fs::Result::Ok;
            if (what == Action::Rewrite)
                r = tag_lists::Rewrite_All(path, lists_.Entries(k, place));
            else if (what == Action::Remove)
                // Emptied one entry at a time: a read-only file is kept (only
                // "Delete All" removes one of those).
                r = fs::isReadOnly(path) ? fs::Result::PermissionDenied : tag_lists::Delete(path);
            else
                r = lists_.Read_Result(k, place);
            if (lists_.Stored(k, place, r))
                failures.append({path.isEmpty() ? tag_lists::Kind_File_Name(k) : path, r});
            else if (r == fs::Result::Ok && place == Place::Working)
                workingWritten_ = true;
        }
    }
    if (workingWritten_) {
        workingWritten_ = false;
        emit listsStored();
    }
    Tell_Failures(failures);
    storing_ = false;
}

// ---- focus, keys, hints ------------------------------------------------------------------

void frm_Tags::Show_Hint(QObject* control)
{
    const auto h = hints_.constFind(control);
    if (h == hints_.constEnd())
        return;
    lbl_Focus->setText(h->fixed ? h->before : h->before + kindName_ + h->after);
}

bool frm_Tags::eventFilter(QObject* watched, QEvent* event)
{
    if (!loaded_)
        return QDialog::eventFilter(watched, event);
    const int kind = lists_.Kind();
    if (event->type() == QEvent::FocusIn) {
        Show_Hint(watched);
        if (watched == cbo_WF[kind] || watched == txt_WF[kind]) {
            WF_Selected();
        } else if (watched == vsb_WF[kind] || watched == vsb_RF[kind]) {
            auto* bar = static_cast<QScrollBar*>(watched);
            const QSignalBlocker block(bar);
            bar->setValue(0);
            (watched == vsb_WF[kind] ? pic_WF : pic_RF)[kind]->setBackgroundRole(QPalette::Highlight);
        }
    } else if (event->type() == QEvent::KeyPress && (watched == cbo_WF[kind] || watched == lst_RF[kind])) {
        // The first arrow key in a list with nothing selected selects its
        // first entry (the list would otherwise skip it).
        auto* l = static_cast<QListWidget*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (selectedRow(l) < 0 && l->count() > 0 && (key == Qt::Key_Down || key == Qt::Key_Up)) {
            l->setCurrentRow(0);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == cbo_WF[kind] || watched == txt_WF[kind])
            Tag_Changed();
        else if (watched == vsb_WF[kind] || watched == vsb_RF[kind])
            (watched == vsb_WF[kind] ? pic_WF : pic_RF)[kind]->setBackgroundRole(QPalette::Button);
    }
    return QDialog::eventFilter(watched, event);
}
