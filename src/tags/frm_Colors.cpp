#include "tags/frm_Colors.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"
#include "tags/color_settings_file.h"
#include "tags/color_widgets.h"
#include "tags/frm_Tags.h"
#include "tags/list_messages.h"
#include "tags/modern_markup.h"
#include "tags/palettes.h"
#include "tags/tag_list_files.h"
#include "ui/folder_controls.h"
#include "ui/window_manner.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

TESK_DEFINE_FORM(frm_Colors, Colors)

using namespace color_tags;
using palettes::Kind;

namespace {

const QString kFilter = QStringLiteral("Color Setting Files (*.clr)|*.clr");

Kind kindOf(int tab) { return tab == 0 ? Kind::Safe : Kind::Named; }

void paintSample(QFrame* f, const QColor& c)
{
    if (!f)
        return;
    QPalette p = f->palette();
    p.setColor(QPalette::Window, c);
    f->setPalette(p);
}

// What the colour buttons take and what they compose.
enum class Group { Body, Table, Fonts };
Group groupOf(Target t)
{
    if (t == Table || t == Cells)
        return Group::Table;
    if (t >= Font_1)
        return Group::Fonts;
    return Group::Body;
}

} // namespace

frm_Colors::frm_Colors() : ToolWindow(QStringLiteral("Color Selection"))
{
    setObjectName(QStringLiteral("frm_Colors"));
    buildControls();
    connectControls();
}

frm_Colors::~frm_Colors() = default;


// ---- load, size, keys -------------------------------------------------------------------

void frm_Colors::Form_Load()
{
    joinMainWindow();
    for (int a = 0; a < Area_Count; ++a)
        Area_Option_Changed(Area(a));
    for (int t = 0; t < Target_Count; ++t)
        showSample(Target(t));
    tb_Colors->setCurrentIndex(0);
    setHint(QStringLiteral(" Select Colors/Patterns for the Body Tag "));
    current_ = {0, 0};
    for (PaletteGrid* g : pic_Color_Frame)
        g->setCurrentCell(-1);
    Change_Boxes();
    Working_Backgrounds();
    Cell_Spacing();
    rtb_Choices->setText(QString());
    loaded_ = true;
}

QSize frm_Colors::designSizeTwips() const
{
    // Room for every control, the hint line and the frame's title bar.
    QSize twips = Twips_Around(scroll_->widget()->sizeHint(), lbl_Focus->sizeHint().height());
    // Never larger than the main window's inner area: there it scrolls.
    const SharedState& s = state();
    if (s.Client_Width > 0 && s.Client_Height > 0)
        twips = twips.boundedTo(QSize(s.Client_Width, s.Client_Height));
    return twips;
}

QSize frm_Colors::neededSizeTwips() const
{
    return Twips_Around(scroll_->widget()->minimumSizeHint(),
                        std::max(lbl_Focus->sizeHint().height(), cmd_Close->sizeHint().height()));
}

// The size button and the title bar's maximise: back into the pane from the
// whole area (or the free window), else out to the whole area.
void frm_Colors::maximizeRequested()
{
    SharedState& s = state();
    if (s.Color_Window_Pos < 2)
        s.Color_Window_Pos = s.Source_Window_Pos >= 1 ? 3 : 2;
    else
        s.Color_Window_Pos = 1;
    Arrange_Windows();
}

void frm_Colors::closeRequested()
{
    SharedState& s = state();
    s.Tool_Pane_Window = 0;
    s.Color_Window_Pos = 0;
    Arrange_Windows();
}

void frm_Colors::frameActivated()
{
    Working_Backgrounds();
    // Opened from the menu or the keyboard: the choice tabs take the focus.
    // A click into the window keeps the focus where it went.
    QTimer::singleShot(0, this, [this] {
        QWidget* f = QApplication::focusWidget();
        // Activated as it closes: the focus is no longer its to take.
        if (isVisible() && (!f || !isAncestorOf(f)))
            tb_Colors->setFocus();
    });
}

bool frm_Colors::windowKey(int keyCode, int shift)
{
    if (shift != vb::AltMask && shift != (vb::AltMask | vb::ShiftMask))
        return false;
    if (keyCode < vb::Key_Left || keyCode > vb::Key_Down)
        return false;
    if (state().Color_Window_Pos > 1)
        return Move_Split_Keys(keyCode, shift);
    return Move_Dialog_Keys(keyCode, shift, this);
}

void frm_Colors::setHint(const QString& hint) { lbl_Focus->setText(hint); }

// The tool's access keys share the main window with its menus (Alt+B, Alt+F
// and Alt+S name menus too): while the focus is in the tool, its own controls
// win, those on a tab not shown included.
bool frm_Colors::Access_Key(int qtKey, bool run)
{
    const QKeySequence wanted(QKeyCombination(Qt::AltModifier, Qt::Key(qtKey)));
    const auto matches = [&wanted](const QString& caption) { return QKeySequence::mnemonic(caption) == wanted; };
    for (QTabWidget* tabs : {tb_Colors, tb_Select})
        for (int i = 0; i < tabs->count(); ++i)
            if (matches(tabs->tabText(i))) {
                if (run) {
                    tabs->setCurrentIndex(i);
                    tabs->tabBar()->setFocus(Qt::ShortcutFocusReason);
                }
                return true;
            }
    // A control on a choice or palette tab not shown counts too: its tab
    // comes forward.
    QWidget* control = Access_Key_Control(this, wanted);
    if (!control)
        return false;
    if (run)
        Press_Access_Key(control);
    return true;
}

bool frm_Colors::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier && key->key() >= Qt::Key_0
            && key->key() <= Qt::Key_Z && Access_Key(key->key(), event->type() == QEvent::KeyPress)) {
            event->accept();
            return true;
        }
        break;
    }
    default:
        break;
    }
    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto it = hints_.constFind(watched);
        if (it != hints_.constEnd())
            setHint(*it);
        if (watched == tb_Colors->tabBar() || watched == tb_Colors)
            setHint(QString::fromLatin1(tb_Colors->currentIndex() == 0   ? " Select Colors/Patterns for the Body Tag "
                                        : tb_Colors->currentIndex() == 1 ? " Select Colors/Patterns for the Table Tags "
                                                                         : " Select Colors for the Font Tags "));
        if (watched == tb_Select->tabBar() || watched == tb_Select)
            setHint(tb_Select->currentIndex() == 0 ? QStringLiteral(" Safe Colors ") : QStringLiteral(" Named Colors "));
        for (int tab = 0; tab < Palettes; ++tab)
            if (watched == pic_Color_Frame[tab])
                lbl_Current_Color[tab]->setText(QStringLiteral("Select a Color: "));
        if (watched == txt_Find)
            QTimer::singleShot(0, txt_Find, [f = txt_Find] { f->selectAll(); });
        break;
    }
    case QEvent::FocusOut:
        for (int tab = 0; tab < Palettes; ++tab)
            if (watched == pic_Color_Frame[tab])
                lbl_Current_Color[tab]->setText(QStringLiteral("Current Color: "));
        if (watched == cmd_Backgrnd)
            setHint(QStringLiteral(" Text Colors "));
        if (watched == txt_Space)
            Cell_Spacing();
        if (watched == txt_Find && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason
            && static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
            Find_Color();
        break;
    case QEvent::KeyPress:
        if (watched == txt_Find) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                return false;
            switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                Find_Color();
                return true;
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                // A colour found takes the focus to its cell; otherwise the
                // field shows "N/A" and Tab moves on as anywhere else.
                return Find_Color();
            case Qt::Key_Backspace:
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Home:
            case Qt::Key_End:
            case Qt::Key_Delete:
                return false;
            default:
                break;
            }
            const QString typed = key->text();
            if (typed.size() == 1) {
                const QChar c = palettes::Find_Key_Filter(typed[0]);
                if (!c.isNull() && c != typed[0]) {
                    txt_Find->insert(QString(c));
                    return true;
                }
                return c.isNull();
            }
            return !typed.isEmpty();
        }
        break;
    default:
        break;
    }
    return ToolWindow::eventFilter(watched, event);
}

// ---- the patterns ------------------------------------------------------------------------

void frm_Colors::Working_Backgrounds()
{
    const SharedState& s = state();
    const QString folder = s.Final_Pages_Folder.isEmpty()
                               ? QString()
                               : fs::withSeparator(s.Final_Pages_Folder) + QStringLiteral("Backgrnd");
    if (folder != patternFolder_)
        pictures_.clear();
    patternFolder_ = folder;
    const QString patterns =
        s.Background_Pattern.isEmpty() ? QStringLiteral("*.gif;*.bmp;*.png;*.webp;*.svg") : s.Background_Pattern;
    QStringList names;
    if (!folder.isEmpty())
        for (const QString& name : fs::listFiles(folder, patterns))
            // A name with a line break could never be written into a tag.
            if (!name.contains(QLatin1Char('\n')) && !name.contains(QLatin1Char('\r')))
                names << name;
    for (int a = 0; a < Area_Count; ++a) {
        QComboBox* list = cbo_Backgrnd[a];
        bool same = list->count() == names.size();
        for (int i = 0; same && i < names.size(); ++i)
            same = list->itemText(i) == names[i];
        if (!same) {
            const QSignalBlocker block(list);
            list->clear();
            list->addItems(names);
        }
        // Each area keeps its pattern while the folder holds it; a pattern
        // of another site's folder is dropped.
        selectPattern(Area(a));
        if (!choices_.Pattern[a].isEmpty() && list->currentIndex() < 0) {
            choices_.Pattern[a].clear();
            if (a == Body_Area)
                Display_Body_Patterns();
            else if (a == Table_Area)
                Display_Border_Patterns();
            else
                Display_Cell_Patterns();
        }
    }
}

void frm_Colors::selectPattern(Area area)
{
    QComboBox* list = cbo_Backgrnd[area];
    const QSignalBlocker block(list);
    const QString& name = choices_.Pattern[area];
    list->setCurrentIndex(name.isEmpty() ? -1 : list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void frm_Colors::Find_Pattern(Area area)
{
    const QString name = choices_.Pattern[area];
    if (name.isEmpty())
        return;
    selectPattern(area);
    if (cbo_Backgrnd[area]->currentIndex() >= 0)
        return;
    dialogs::message(color_settings::Pattern_Not_Found(name), dialogs::Buttons::Ok, dialogs::Icon::Exclamation,
                     color_settings::Pattern_Not_Found_Title);
    choices_.Pattern[area].clear();
}

QPixmap frm_Colors::patternPicture(const QString& name)
{
    if (name.isEmpty() || patternFolder_.isEmpty())
        return QPixmap();
    const QString path = fs::withSeparator(patternFolder_) + name;
    const auto it = pictures_.constFind(path);
    if (it != pictures_.constEnd())
        return *it;
    // Decoded when first shown, never while listing.
    QPixmap picture;
    QByteArray bytes;
    if (fs::readBytes(path, bytes) == fs::Result::Ok)
        picture.loadFromData(bytes);
    pictures_.insert(path, picture);
    return picture;
}

void frm_Colors::Area_Option_Changed(Area area)
{
    const bool pattern = opt_Area[area][0]->isChecked();
    choices_.Use_Pattern[area] = pattern;
    cbo_Backgrnd[area]->setEnabled(pattern);
    targetButton_[Area_Target(area)]->setEnabled(!pattern);
    if (area == Body_Area)
        Display_Body_Patterns();
    else if (area == Table_Area)
        Display_Border_Patterns();
    else
        Display_Cell_Patterns();
    // What the tag says follows the option at once.
    if (loaded_)
        Display_Choices();
}

// ---- the palettes -----------------------------------------------------------------------

void frm_Colors::Set_Current_Cell(int tab, int cell)
{
    if (cell < 0 || cell >= palettes::Shape_Of(kindOf(tab)).count)
        return;
    current_[size_t(tab)] = cell;
    if (tab == 0) {
        dialogColor_ = false;
        Change_Color_Number();
    }
    else
        Change_Color_Name();
}

void frm_Colors::Change_Color_Select()
{
    selectTab_ = tb_Select->currentIndex();
    setHint(selectTab_ == 0 ? QStringLiteral(" Safe Colors ") : QStringLiteral(" Named Colors "));
    Change_Boxes();
    if (pic_Color_Frame[selectTab_]->isVisible() && tb_Select->isAncestorOf(QApplication::focusWidget()))
        pic_Color_Frame[selectTab_]->setFocus();
}

void frm_Colors::Change_Boxes()
{
    Change_Color_Number();
    Change_Color_Name();
}

void frm_Colors::Change_Color_Number()
{
    const int tab = 0;
    const int cell = current_[tab];
    pic_Color_Frame[tab]->setCurrentCell(cell);
    // A colour taken from the colour dialog stays the current colour until
    // a cell is chosen.
    if (!dialogColor_) {
        currentValue_[tab] = palettes::Cell_Value(Kind::Safe, cell);
        txt_Color_cur[tab]->setText(palettes::Cell_Text(Kind::Safe, cell));
    }
    paintSample(pic_Color_cur[tab], QColor_From_Bgr(currentValue_[tab]));
    const QSignalBlocker b1(sld_Left_Right[tab]);
    const QSignalBlocker b2(sld_Up_Down[tab]);
    sld_Left_Right[tab]->setValue(palettes::Column_Of(Kind::Safe, cell));
    sld_Up_Down[tab]->setValue(palettes::Row_Of(Kind::Safe, cell));
}

void frm_Colors::Change_Color_Name()
{
    const int tab = 1;
    const int cell = current_[tab];
    pic_Color_Frame[tab]->setCurrentCell(cell);
    currentValue_[tab] = palettes::Cell_Value(Kind::Named, cell);
    txt_Color_cur[tab]->setText(palettes::Cell_Text(Kind::Named, cell));
    paintSample(pic_Color_cur[tab], QColor_From_Bgr(currentValue_[tab]));
    const QSignalBlocker b1(sld_Left_Right[tab]);
    const QSignalBlocker b2(sld_Up_Down[tab]);
    sld_Left_Right[tab]->setValue(palettes::Column_Of(Kind::Named, cell));
    sld_Up_Down[tab]->setValue(palettes::Row_Of(Kind::Named, cell));
}

bool frm_Colors::Find_Color()
{
    // The number is always looked up among the safe colours, and the cell
    // found is the safe palette's, whichever palette is shown.
    const int cell = palettes::Find_Safe_Cell(palettes::Find_Text(txt_Find->text()));
    if (cell < 0) {
        txt_Find->setText(QStringLiteral("N/A"));
        return false;
    }
    Set_Current_Cell(0, cell);
    if (selectTab_ != 0)
        return false;
    pic_Color_Frame[0]->setFocus();
    return true;
}

void frm_Colors::Open_Color_Box()
{
    const auto chosen = dialogs::colorDialog(QColor_From_Bgr(currentValue_[0]), QStringLiteral("Open Color File"));
    if (!chosen)
        return;
    // Whichever palette is shown, the colour becomes the safe palette's
    // current colour.
    currentValue_[0] = Bgr_From_QColor(*chosen);
    dialogColor_ = true;
    txt_Color_cur[0]->setText(Rgb_Text_From_Bgr(currentValue_[0]));
    paintSample(pic_Color_cur[0], QColor_From_Bgr(currentValue_[0]));
}

void frm_Colors::Take_Current_Color(Target target)
{
    const size_t tab = size_t(selectTab_);
    choices_.Colors[target].Text = txt_Color_cur[tab]->text();
    choices_.Colors[target].Value = qint32(currentValue_[tab]);
    targetText_[target]->setText(choices_.Colors[target].Text);
    showSample(target);
    switch (groupOf(target)) {
    case Group::Body: Body_Choices(); break;
    case Group::Table: Table_Choices(); break;
    case Group::Fonts: Font_Choices(); break;
    }
}

// ---- previews ---------------------------------------------------------------------------

QColor frm_Colors::shown(qint32 value) const
{
    if (!Is_System_Color(value))
        return QColor_From_Bgr(quint32(value));
    return (value & 0xFF) == (System_Window_Text_Color & 0xFF) ? palette().color(QPalette::Text)
                                                                : palette().color(QPalette::Base);
}

void frm_Colors::showSample(Target target)
{
    paintSample(targetSample_[target], shown(choices_.Colors[target].Value));
    switch (target) {
    case Body: Display_Background_Colors(); break;
    case Text: Display_Text_Colors(); break;
    case Link:
    case ALink:
    case VLink: Display_Link_Colors(); break;
    case Table: Display_Border_Colors(); break;
    case Cells: Display_Cell_Colors(); break;
    default: Display_Font_Colors(); break;
    }
}

void frm_Colors::Display_Body_Patterns()
{
    ColorPreview::Fill page{shown(choices_.Colors[Body].Value), QPixmap()};
    if (choices_.Use_Pattern[Body_Area]) {
        page.color = palette().color(QPalette::Base);
        page.pattern = patternPicture(choices_.Pattern[Body_Area]);
    }
    for (ColorPreview* p : {pic_Body, pic_Table, pic_Font})
        p->setPage(page);
}

void frm_Colors::Display_Background_Colors() { Display_Body_Patterns(); }

void frm_Colors::Display_Text_Colors() { Display_Link_Colors(); }

void frm_Colors::Display_Link_Colors()
{
    std::vector<ColorPreview::Label> labels;
    const char* captions[4] = {"Text", "Link", "ALink", "VLink"};
    for (int k = 0; k < 4; ++k)
        labels.push_back({QString::fromLatin1(captions[k]), shown(choices_.Colors[Text + k].Value), k > 0});
    pic_Body->setPageLabels(labels);
    pic_Table->setCellLabels(labels);
}

void frm_Colors::Display_Border_Patterns()
{
    const auto fill = [this](Area area) {
        ColorPreview::Fill f{shown(choices_.Colors[Area_Target(area)].Value), QPixmap()};
        if (choices_.Use_Pattern[area]) {
            f.color = palette().color(QPalette::Base);
            f.pattern = patternPicture(choices_.Pattern[area]);
        }
        return f;
    };
    const int spacing = std::clamp(Spacing_Value(choices_.Spacing), 0, 1000);
    for (ColorPreview* p : {pic_Table, pic_Font})
        p->setTable(true, fill(Table_Area), fill(Cell_Area), spacing);
}

void frm_Colors::Display_Border_Colors() { Display_Border_Patterns(); }

void frm_Colors::Display_Cell_Patterns() { Display_Border_Patterns(); }

void frm_Colors::Display_Cell_Colors() { Display_Border_Patterns(); }

void frm_Colors::Cell_Spacing()
{
    choices_.Spacing = txt_Space->text();
    Display_Border_Patterns();
    Display_Choices();
}

void frm_Colors::Display_Font_Colors()
{
    std::vector<ColorPreview::Label> labels;
    for (int k = 0; k < 4; ++k)
        labels.push_back({QStringLiteral("Font #%1").arg(k + 1), shown(choices_.Colors[Font_1 + k].Value)});
    pic_Font->setPageLabels(labels);
    pic_Font->setCellLabels(labels);
}

// ---- the choices -------------------------------------------------------------------------

void frm_Colors::Display_Choices()
{
    switch (tb_Colors->currentIndex()) {
    case 0: Body_Choices(); break;
    case 1: Table_Choices(); break;
    default: Font_Choices(); break;
    }
}

void frm_Colors::Body_Choices()
{
    const SharedState& s = state();
    rtb_Choices->setText(s.More.Modern_Markup ? modern_markup::Body_Choices(choices_, s.Quote)
                                              : color_tags::Body_Choices(choices_, s.Quote));
}

void frm_Colors::Table_Choices()
{
    const SharedState& s = state();
    rtb_Choices->setText(s.More.Modern_Markup ? modern_markup::Table_Choices(choices_, s.Quote)
                                              : color_tags::Table_Choices(choices_, s.Quote));
}

void frm_Colors::Font_Choices()
{
    const SharedState& s = state();
    rtb_Choices->setText(s.More.Modern_Markup ? modern_markup::Font_Choices(choices_, s.Quote)
                                              : color_tags::Font_Choices(choices_, s.Quote));
}

void frm_Colors::Add_to_List()
{
    const QStringList lines = Choice_Lines(rtb_Choices->Text());
    if (lines.isEmpty() || !Working_Folder_Or_Tell())
        return;
    const QString path = tag_lists::Working_Path(tag_lists::Kind_File_Name(0));
    const fs::Result r = path.isEmpty() ? fs::Result::PathNotFound : tag_lists::Append_Many(path, lines);
    if (r != fs::Result::Ok)
        Show_List_Not_Saved(path.isEmpty() ? tag_lists::Kind_File_Name(0) : path, r);
    emit colorEntriesAdded(lines);
    tb_Colors->setFocus();
}

// ---- colour setting files --------------------------------------------------------------------

void frm_Colors::Open_Color_File()
{
    const SharedState& s = state();
    dialogs::FileRequest request;
    request.kind = dialogs::FileRequest::Kind::Open;
    request.title = QStringLiteral("Open Color File");
    request.folder = fileFolder_.isEmpty() ? s.Working_Pages_Folder : fileFolder_;
    request.filter = kFilter;
    request.filterIndex = 1;
    request.mustExist = true;
    const dialogs::FileResult chosen = dialogs::fileDialog(request);
    if (chosen.path.isEmpty())
        return;
    fileFolder_ = color_settings::Folder_Of(chosen.path);
    // All 29 values are checked before any is used: a damaged file changes
    // nothing.
    const auto read = color_settings::Read_Color_File(chosen.path);
    if (!read) {
        dialogs::message(color_settings::Retrieval_Failed);
        return;
    }
    filePath_ = chosen.path;
    fileShortName_ = color_settings::Short_Name_Of(chosen.path);
    choices_ = color_settings::With_Fixed_Colors(*read);

    for (int a = 0; a < Area_Count; ++a) {
        const QSignalBlocker block(opt_Area[a][0]);
        const bool pattern = choices_.Use_Pattern[a];
        opt_Area[a][pattern ? 0 : 1]->setChecked(true);
        cbo_Backgrnd[a]->setEnabled(pattern);
        targetButton_[Area_Target(Area(a))]->setEnabled(!pattern);
    }
    for (int t = 0; t < Target_Count; ++t) {
        targetText_[size_t(t)]->setText(choices_.Colors[size_t(t)].Text);
        paintSample(targetSample_[size_t(t)], shown(choices_.Colors[size_t(t)].Value));
    }
    txt_Space->setText(choices_.Spacing);
    for (int a = 0; a < Area_Count; ++a) {
        if (choices_.Use_Pattern[a]) {
            Find_Pattern(Area(a));
        } else {
            choices_.Pattern[a].clear();
            selectPattern(Area(a));
        }
    }
    Display_Body_Patterns();
    Display_Link_Colors();
    Display_Font_Colors();
    // Last, so the tag shown holds only patterns the site has.
    Cell_Spacing();
}

void frm_Colors::Save_Color_File()
{
    if (filePath_.isEmpty())
        Save_As_Color_File();
    else
        saveTo(filePath_);
}

void frm_Colors::Save_As_Color_File()
{
    const SharedState& s = state();
    dialogs::FileRequest request;
    request.kind = dialogs::FileRequest::Kind::Save;
    request.title = QStringLiteral("Save Color File");
    request.folder = s.Working_Pages_Folder.isEmpty() ? s.Reference_Folder : s.Working_Pages_Folder;
    request.filter = kFilter;
    request.filterIndex = 1;
    request.fileName = fileShortName_;
    request.mustExist = false;
    request.confirmOverwrite = true;
    const dialogs::FileResult chosen = dialogs::fileDialog(request);
    if (chosen.path.isEmpty())
        return;
    const QString path = color_settings::With_Extension(chosen.path);
    // The dialog asked about the name as typed; the extension may name a
    // file it did not ask about.
    if (path != chosen.path && fs::fileExists(path)
        && dialogs::message(QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                .arg(color_settings::Short_Name_Of(path)),
                            dialogs::Buttons::YesNo, dialogs::Icon::Exclamation, request.title,
                            dialogs::Answer::No)
               != dialogs::Answer::Yes)
        return;
    if (!saveTo(path))
        return;
    filePath_ = path;
    fileFolder_ = color_settings::Folder_Of(path);
    fileShortName_ = color_settings::Short_Name_Of(path);
}

bool frm_Colors::saveTo(const QString& path)
{
    choices_.Spacing = txt_Space->text();
    const fs::Result r = color_settings::Write_Color_File(path, choices_);
    if (r == fs::Result::Ok)
        return true;
    dialogs::message(color_settings::Not_Saved_Message(path, r), dialogs::Buttons::Ok, dialogs::Icon::Exclamation,
                     color_settings::Not_Saved_Title);
    return false;
}
