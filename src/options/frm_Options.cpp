#include "options/frm_Options.h"

#include "core/main_window_port.h"
#include "core/settings_file.h"
#include "core/shared_state.h"
#include "options/options_rules.h"
#include "platform/dialogs.h"
#include "platform/palette.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"
#include "sitekit/spelling.h"
#include "ui/folder_controls.h"
#include "ui/window_manner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>

#include "options/options_widgets.h"

TESK_DEFINE_FORM(frm_Options, Options)

using namespace options_widgets;

namespace {

// A home page the settings file can keep: a file whose name holds a double
// quote is kept as its file address, where the quote is encoded.
QString storableHomePage(const QString& page)
{
    if (!page.contains(QLatin1Char('"')))
        return page;
    return QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded);
}

} // namespace

frm_Options::frm_Options() : ToolWindow(QStringLiteral("Options"))
{
    setObjectName(QStringLiteral("frm_Options"));
    setMover(Mover::InnerArea);
    buildControls();
    connectControls();
}


void frm_Options::Form_Load()
{
    joinMainWindowAsDialog();
}

// ---- opening ----------------------------------------------------------------

void frm_Options::Open_Dialog()
{
    frm_Options* d = forms::Options();
    d->Prepare();
    Show_Dialog(d);
    d->Form_Activate();
    d->txt_Home_Page->setFocus(Qt::OtherFocusReason);
}

void frm_Options::Prepare()
{
    SharedState& s = state();
    shown_ = false;
    loading_ = true;
    txt_Home_Page->setText(s.Browser_Home_Page);
    tab_Options->setCurrentIndex(0);

    s.Font_Size = Usable_Font_Size(s.Font_Size);
    lst_Size->setCurrentRow(options::Font_Size_Row(s.Font_Size));
    Fill_Fonts();
    Show_Sample();

    // Every box at its normal place, then the first of each group selected.
    selectedColor_ = -1;
    selectedLocation_ = -1;
    for (int i = 0; i < options::kColorBoxes; ++i)
        placeBox(pic_Color[size_t(i)], i, false, false);
    for (int i = 0; i < options::kLocations; ++i) {
        placeBox(pic_Color_Loc[size_t(i)], i, true, false);
        static_cast<ColorBox*>(pic_Color_Loc[size_t(i)])
            ->setColor(Palette_QColor(s.Code_Color_Numbers[size_t(i)]));
    }
    Select_Color(0);
    Select_Location(0);

    if (s.Measure_Units != 2)
        s.Measure_Units = 1;
    (s.Measure_Units == 2 ? opt_Cms : opt_Inches)->setChecked(true);
    Show_Distances();
    chk_Color_Typing->setChecked(s.More.Color_While_Typing);
    chk_Line_Numbers->setChecked(s.More.Line_Numbers);
    chk_Close_Tags->setChecked(s.More.Close_Tags);
    chk_Complete_Names->setChecked(s.More.Complete_Names);
    chk_Reopen->setChecked(s.More.Reopen_Last_Page);
    chk_Match_Tags->setChecked(s.More.Match_Tags);
    chk_Modern_Markup->setChecked(s.More.Modern_Markup);
    chk_Spell_Typing->setChecked(s.More.Spell_While_Typing);
    chk_Accessibility->setChecked(s.More.Accessibility_Checks);
    // The dictionaries installed, and the one chosen even when it is not
    // (its absence is told when spelling runs).
    cbo_Dictionary->clear();
    QStringList dictionaries;
    for (const QString& file : QDir(sitekit::dictionaryFolder()).entryList({QStringLiteral("*.dic")}, QDir::Files, QDir::Name))
        dictionaries << file.chopped(4);
    const QString chosen = Chosen_Dictionary(s.More);
    if (!dictionaries.contains(chosen))
        dictionaries << chosen;
    cbo_Dictionary->addItems(dictionaries);
    cbo_Dictionary->setCurrentText(chosen);

    txt_Bookmark->setText(s.Bookmark_Chars);
    lbl_Focus->clear();
    loading_ = false;
}

void frm_Options::Form_Activate()
{
    SharedState& s = state();
    QPoint mainWindow(0, 0);
    if (const MainWindowPort* m = mainWindowPort())
        mainWindow = QPoint(Twips_From_Px_X(m->frameGeometryPx().x()), Twips_From_Px_Y(m->frameGeometryPx().y()));
    const QPoint help(Twips_From_Px_X(s.Help_Left), Twips_From_Px_Y(s.Help_Top));
    const site::DialogPlacement p = options::Place_Options(QSize(s.Client_Width, s.Client_Height),
                                                           geometryTwips().size(), s.Help_Shown, mainWindow, help);
    if (p.moveHelp)
        Move_Help_Window(Px_From_Twips_X(p.help.x()), Px_From_Twips_Y(p.help.y()));
    moveTwips(p.dialog.x(), p.dialog.y());
    shown_ = true;
}

void frm_Options::Tab_Selected(int tab)
{
    if (!shown_)
        return;
    // Each page opens on the control the user will use first.
    QWidget* first[] = {txt_Home_Page, lst_Fonts, pic_Color[size_t(selectedColor_)],
                        opt_Cms->isChecked() ? static_cast<QWidget*>(opt_Cms) : opt_Inches, txt_Bookmark,
                        chk_Color_Typing};
    if (tab >= 0 && tab < int(std::size(first)))
        first[tab]->setFocus(Qt::TabFocusReason);
}

// ---- home page ----------------------------------------------------------------

void frm_Options::Set_Home_Page(const QString& page)
{
    state().Browser_Home_Page = storableHomePage(page);
    txt_Home_Page->setText(state().Browser_Home_Page);
}

void frm_Options::Open_Home_File()
{
    dialogs::FileRequest r;
    r.kind = dialogs::FileRequest::Kind::Open;
    r.title = QStringLiteral("Open File");
    r.filter = QStringLiteral("Html Files (*.html;*.htm)|*.html;*.htm|");
    r.folder = state().Final_Pages_Folder;
    r.mustExist = true;
    const dialogs::FileResult chosen = dialogs::fileDialog(r);
    if (!chosen.path.isEmpty())
        Set_Home_Page(chosen.path);
}

void frm_Options::Commit_Home_Page()
{
    if (!txt_Home_Page->isModified())
        return;
    txt_Home_Page->setModified(false);
    state().Browser_Home_Page = options::Storable_Text(txt_Home_Page->text());
}

// ---- font ----------------------------------------------------------------------

void frm_Options::Fill_Fonts()
{
    const QString current = state().Font_Name;
    lst_Fonts->clear();
    int row = -1;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        if (family == current || (row < 0 && family.compare(current, Qt::CaseInsensitive) == 0))
            row = lst_Fonts->count();
        lst_Fonts->addItem(family);
    }
    lst_Fonts->setCurrentRow(row);
    if (row >= 0)
        lst_Fonts->scrollToItem(lst_Fonts->item(row), QAbstractItemView::PositionAtCenter);
}

void frm_Options::Show_Sample()
{
    const SharedState& s = state();
    QFont f(s.Font_Name);
    f.setPointSize(s.Font_Size);
    f.setBold(false);
    f.setItalic(false);
    lbl_Example->setFont(f);
    lbl_Example->setText(s.Font_Name);
}

// ---- colours ---------------------------------------------------------------------

void frm_Options::placeBox(QWidget* box, int index, bool location, bool selected)
{
    const QRect r = location
        ? options::Box_Rect(index, options::kLocationColumns, kLocationPitch, kLocationSize, selected)
        : options::Box_Rect(index, options::kColorColumns, kColorPitch, kColorSize, selected);
    box->setGeometry(pixels(r.translated(kGrow, kGrow)));
    // Only the selected box is a stop of the Tab key; arrows move within
    // the group.
    box->setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
    if (selected)
        box->raise();
}

void frm_Options::Select_Color(int index)
{
    if (index < 0 || index >= options::kColorBoxes)
        return;
    const int previous = selectedColor_;
    const bool hadFocus = previous >= 0 && pic_Color[size_t(previous)]->hasFocus();
    if (previous >= 0 && previous != index)
        placeBox(pic_Color[size_t(previous)], previous, false, false);
    selectedColor_ = index;
    placeBox(pic_Color[size_t(index)], index, false, true);
    if (hadFocus)
        pic_Color[size_t(index)]->setFocus(Qt::OtherFocusReason);
    // Moving the sliders from here must not select again.
    const QSignalBlocker a(sld_Left_Right), b(sld_Up_Down);
    sld_Left_Right->setValue(index % options::kColorColumns);
    sld_Up_Down->setValue(index / options::kColorColumns);
}

void frm_Options::Select_Location(int index)
{
    if (index < 0 || index >= options::kLocations)
        return;
    const int previous = selectedLocation_;
    const bool hadFocus = previous >= 0 && pic_Color_Loc[size_t(previous)]->hasFocus();
    if (previous >= 0 && previous != index)
        placeBox(pic_Color_Loc[size_t(previous)], previous, true, false);
    selectedLocation_ = index;
    placeBox(pic_Color_Loc[size_t(index)], index, true, true);
    if (hadFocus)
        pic_Color_Loc[size_t(index)]->setFocus(Qt::OtherFocusReason);
    const QSignalBlocker a(sld_Hor), b(sld_Ver);
    sld_Hor->setValue(index % options::kLocationColumns);
    sld_Ver->setValue(index / options::kLocationColumns);
}

void frm_Options::sliderMoved(bool location)
{
    if (location)
        Select_Location(sld_Ver->value() * options::kLocationColumns + sld_Hor->value());
    else
        Select_Color(sld_Up_Down->value() * options::kColorColumns + sld_Left_Right->value());
}

void frm_Options::Apply_Color()
{
    SharedState& s = state();
    if (options::Apply_Color(s, selectedLocation_, selectedColor_))
        static_cast<ColorBox*>(pic_Color_Loc[size_t(selectedLocation_)])->setColor(Palette_QColor(selectedColor_));
}

// ---- distances ---------------------------------------------------------------------

void frm_Options::Show_Distances()
{
    const SharedState& s = state();
    txt_Tabs->setText(options::Distance_Text(s.Tab_Spacing, s.Measure_Units));
    txt_Indent->setText(options::Distance_Text(s.Text_Indent, s.Measure_Units));
}

void frm_Options::Set_Units(int units)
{
    SharedState& s = state();
    if (s.Measure_Units == units)
        return;
    s.Measure_Units = units;
    Show_Distances();
}

void frm_Options::Commit_Distance(QLineEdit* field, int& stored)
{
    // A distance shown rounded to an eighth of an inch would change if it
    // were read back unedited: only what the user typed is read.
    if (!field->isModified())
        return;
    const options::Distance d = options::Read_Distance(field->text(), state().Measure_Units);
    stored = d.twips;
    field->setText(d.text);
}

// ---- bookmark ----------------------------------------------------------------------

void frm_Options::Commit_Bookmark()
{
    if (!txt_Bookmark->isModified())
        return;
    SharedState& s = state();
    const QString typed = options::Storable_Text(txt_Bookmark->text());
    // No characters would make every place of the text a bookmark: the
    // previous ones stay.
    if (!typed.isEmpty())
        s.Bookmark_Chars = typed;
    txt_Bookmark->setText(s.Bookmark_Chars);
}

// ---- closing -------------------------------------------------------------------------

void frm_Options::Commit_Fields()
{
    SharedState& s = state();
    Commit_Home_Page();
    Commit_Distance(txt_Indent, s.Text_Indent);
    Commit_Distance(txt_Tabs, s.Tab_Spacing);
    Commit_Bookmark();
}

void frm_Options::Close_Form()
{
    if (!shown_)
        return;
    Commit_Fields();
    shown_ = false;
    Close_Dialog(this);
    emit optionsApplied();
}

void frm_Options::closeRequested()
{
    Close_Form();
}

bool frm_Options::windowKey(int keyCode, int shift)
{
    if (keyCode == vb::Key_Escape && shift == 0) {
        Close_Form();
        return true;
    }
    return ToolWindow::windowKey(keyCode, shift);
}

// ---- events of the controls ---------------------------------------------------------

bool frm_Options::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto it = hints_.constFind(watched);
        if (it != hints_.constEnd()) {
            lbl_Focus->setText(it->text);
            if (it->tab >= 0 && tab_Options->currentIndex() != it->tab) {
                const QSignalBlocker block(tab_Options);
                tab_Options->setCurrentIndex(it->tab);
            }
        }
        if (auto* field = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
        break;
    }
    case QEvent::FocusOut: {
        // A pop-up (the field's own menu) is not leaving the field.
        if (!shown_ || static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
            break;
        SharedState& s = state();
        if (watched == txt_Home_Page)
            Commit_Home_Page();
        else if (watched == txt_Indent)
            Commit_Distance(txt_Indent, s.Text_Indent);
        else if (watched == txt_Tabs)
            Commit_Distance(txt_Tabs, s.Tab_Spacing);
        else if (watched == txt_Bookmark)
            Commit_Bookmark();
        break;
    }
    case QEvent::MouseButtonPress: {
        if (const auto c = std::find(pic_Color.begin(), pic_Color.end(), watched); c != pic_Color.end())
            Select_Color(int(c - pic_Color.begin()));
        if (const auto l = std::find(pic_Color_Loc.begin(), pic_Color_Loc.end(), watched); l != pic_Color_Loc.end())
            Select_Location(int(l - pic_Color_Loc.begin()));
        break;
    }
    case QEvent::KeyPress: {
        const vb::KeyStroke k = vb::fromEvent(*static_cast<QKeyEvent*>(event));
        if (k.shift != 0)
            break;
        const bool enter = k.keyCode == vb::Key_Return;
        if (watched == txt_Indent && (enter || k.keyCode == vb::Key_Tab)) {
            txt_Tabs->setFocus(Qt::TabFocusReason);
            return true;
        }
        if ((watched == txt_Tabs || watched == txt_Bookmark) && enter) {
            focusNextChild();
            return true;
        }
        if (watched == txt_Home_Page && enter) {
            Commit_Home_Page();
            return true;
        }
        if (enter && qobject_cast<QPushButton*>(watched)) {
            static_cast<QPushButton*>(watched)->click();
            return true;
        }
        // Keys on a box move the selection within its group.
        const bool colorBox = std::find(pic_Color.begin(), pic_Color.end(), watched) != pic_Color.end();
        const bool locationBox =
            std::find(pic_Color_Loc.begin(), pic_Color_Loc.end(), watched) != pic_Color_Loc.end();
        if (colorBox || locationBox) {
            const int next = colorBox
                ? options::Box_After_Key(selectedColor_, k.keyCode, options::kColorBoxes, options::kColorColumns, true)
                : options::Box_After_Key(selectedLocation_, k.keyCode, options::kLocations,
                                         options::kLocationColumns, false);
            if (next < 0)
                break;
            colorBox ? Select_Color(next) : Select_Location(next);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return ToolWindow::eventFilter(watched, event);
}
