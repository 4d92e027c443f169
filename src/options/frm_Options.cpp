#include "options/frm_Options.h"

#include "core/main_window_port.h"
#include "core/settings_file.h"
#include "core/shared_state.h"
#include "options/options_rules.h"
#include "platform/dialogs.h"
#include "platform/palette.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"
#include "ui/folder_controls.h"
#include "ui/window_manner.h"

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

TESK_DEFINE_FORM(frm_Options, Options)

namespace {

// Box sizes in twips: colour boxes 4 x 4, location boxes 2 x 2, both groups
// the same height. The selected box grows by 75 twips on every side, so each
// group keeps that margin around its boxes.
constexpr int kColorPitch = 480;
constexpr int kColorSize = 330;
constexpr int kLocationPitch = 960;
constexpr int kLocationSize = 810;
constexpr int kGrow = 75;

const QString kQuoteRefused = QStringLiteral(" A double quote (\") cannot be kept in the settings ");

QRect pixels(const QRect& twips)
{
    return QRect(Px_From_Twips_X(twips.x()), Px_From_Twips_Y(twips.y()), Px_From_Twips_X(twips.width()),
                 Px_From_Twips_Y(twips.height()));
}

// A colour box: its palette's Window colour with a frame; the box with the
// keyboard focus says so with a highlighted border.
class ColorBox : public QWidget {
public:
    explicit ColorBox(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::ClickFocus); }

    void setColor(const QColor& c)
    {
        QPalette p = palette();
        p.setColor(QPalette::Window, c);
        setPalette(p);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.fillRect(r, palette().color(QPalette::Window));
        p.setPen(palette().color(QPalette::Shadow));
        p.drawRect(r);
        if (hasFocus()) {
            p.setPen(QPen(palette().color(QPalette::Highlight), 2));
            p.drawRect(rect().adjusted(2, 2, -2, -2));
            p.setPen(QPen(Qt::white, 1, Qt::DotLine));
            p.drawRect(rect().adjusted(4, 4, -5, -5));
        }
    }
    void focusInEvent(QFocusEvent* e) override
    {
        QWidget::focusInEvent(e);
        update();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QWidget::focusOutEvent(e);
        update();
    }
};

// The settings file cannot hold a double quote or a line break inside a
// string: a quote is refused as it is typed or pasted, line breaks are
// dropped.
class StorableValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        if (input.contains(QLatin1Char('"')))
            return Invalid;
        const QString clean = options::Storable_Text(input);
        if (clean != input) {
            pos = std::min<int>(pos, int(clean.size()));
            input = clean;
        }
        return Acceptable;
    }
};

// A home page the settings file can keep: a file whose name holds a double
// quote is kept as its file address, where the quote is encoded.
QString storableHomePage(const QString& page)
{
    if (!page.contains(QLatin1Char('"')))
        return page;
    return QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded);
}

QGroupBox* groupBox(const char* caption, QWidget* parent)
{
    return new QGroupBox(QString::fromUtf8(caption), parent);
}

} // namespace

frm_Options::frm_Options() : ToolWindow(QStringLiteral("Options"))
{
    setObjectName(QStringLiteral("frm_Options"));
    setMover(Mover::InnerArea);
    buildControls();
    connectControls();
}

// ---- controls ---------------------------------------------------------------

void frm_Options::buildControls()
{
    tab_Options = new QTabWidget(this);
    tab_Options->setObjectName(QStringLiteral("tab_Options"));
    tab_Options->addTab(buildHomePage(), QStringLiteral("&Home"));
    tab_Options->addTab(buildFontPage(), QStringLiteral("&Font"));
    tab_Options->addTab(buildColorPage(), QStringLiteral("&Colors"));
    tab_Options->addTab(buildIndentPage(), QStringLiteral("&Indents"));
    tab_Options->addTab(buildBookmarkPage(), QStringLiteral("&Bookmark"));

    cmd_Close = new QPushButton(QStringLiteral("&X"), this);
    cmd_Close->setObjectName(QStringLiteral("cmd_Close"));
    cmd_Close->setToolTip(QStringLiteral(" Close "));
    cmd_Close->setFixedWidth(cmd_Close->sizeHint().height() + 6);
    lbl_Focus = new QLabel(this);
    lbl_Focus->setObjectName(QStringLiteral("lbl_Focus"));
    Make_Sunken(lbl_Focus);
    watch(cmd_Close, -1, QStringLiteral(" Close "));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lbl_Focus, 1);
    bottom->addSpacing(12);
    bottom->addWidget(cmd_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tab_Options, 1);
    layout->addLayout(bottom);

    // Tab order: the way each page is read, then the close button.
    const QList<QWidget*> order{txt_Home_Page, cmd_Tesk_Home, cmd_Open, lst_Fonts, lst_Size};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    QWidget* last = lst_Size;
    for (QWidget* box : pic_Color)
        setTabOrder(last, box), last = box;
    for (QWidget* w : {static_cast<QWidget*>(sld_Left_Right), static_cast<QWidget*>(sld_Up_Down)})
        setTabOrder(last, w), last = w;
    for (QWidget* box : pic_Color_Loc)
        setTabOrder(last, box), last = box;
    for (QWidget* w : std::initializer_list<QWidget*>{sld_Hor, sld_Ver, cmd_Color, opt_Inches, opt_Cms,
                                                      txt_Indent, txt_Tabs, txt_Bookmark, cmd_Close})
        setTabOrder(last, w), last = w;
}

QWidget* frm_Options::buildHomePage()
{
    auto* page = new QWidget;
    lbl_Home_Page = new QLabel(QStringLiteral("Select a Home Page for the Browser:"), page);
    lbl_URL = new QLabel(QStringLiteral("Type in an URL or use a Disk File:"), page);
    txt_Home_Page = new QLineEdit(page);
    txt_Home_Page->setObjectName(QStringLiteral("txt_Home_Page"));
    txt_Home_Page->setValidator(new StorableValidator(txt_Home_Page));
    cmd_Tesk_Home = new QPushButton(QStringLiteral("\"&Tesk's\" Home Page"), page);
    cmd_Tesk_Home->setObjectName(QStringLiteral("cmd_Tesk_Home"));
    cmd_Open = new QPushButton(QStringLiteral("&Open a Disk File"), page);
    cmd_Open->setObjectName(QStringLiteral("cmd_Open"));
    watch(txt_Home_Page, 0, QStringLiteral(" Enter a Home Page URL "));
    watch(cmd_Tesk_Home, 0, QStringLiteral(" Open \"Tesk's\" Home Page "));
    watch(cmd_Open, 0, QStringLiteral(" Open a Home Page File "));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmd_Tesk_Home);
    buttons->addWidget(cmd_Open);
    buttons->addStretch(1);
    auto* l = new QVBoxLayout(page);
    l->addWidget(lbl_Home_Page);
    l->addSpacing(6);
    l->addWidget(lbl_URL);
    l->addWidget(txt_Home_Page);
    l->addLayout(buttons);
    l->addStretch(1);
    return page;
}

QWidget* frm_Options::buildFontPage()
{
    auto* page = new QWidget;
    fra_Font = groupBox(" &Select a Font ", page);
    lst_Fonts = new QListWidget(fra_Font);
    lst_Fonts->setObjectName(QStringLiteral("lst_Fonts"));
    (new QVBoxLayout(fra_Font))->addWidget(lst_Fonts);
    fra_Size = groupBox(" Size (&Points) ", page);
    lst_Size = new QListWidget(fra_Size);
    lst_Size->setObjectName(QStringLiteral("lst_Size"));
    for (int points : options::kFontSizes)
        lst_Size->addItem(QString::number(points));
    lst_Size->setFixedWidth(lst_Size->fontMetrics().horizontalAdvance(QStringLiteral("18")) * 5);
    (new QVBoxLayout(fra_Size))->addWidget(lst_Size);
    lbl_Sample = new QLabel(QStringLiteral("Sample:"), page);
    lbl_Example = new QLabel(page);
    lbl_Example->setObjectName(QStringLiteral("lbl_Example"));
    // A long name in a large size is cut rather than widening the dialog;
    // the height holds the largest size offered.
    lbl_Example->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QFont largest = font();
    largest.setPointSize(options::kFontSizes.back());
    lbl_Example->setFixedHeight(QFontMetrics(largest).height() + 8);
    watch(lst_Fonts, 1, QStringLiteral(" Select Font "));
    watch(lst_Size, 1, QStringLiteral(" Select Font Size "));

    auto* lists = new QHBoxLayout;
    lists->addWidget(fra_Font, 1);
    lists->addWidget(fra_Size);
    auto* sample = new QHBoxLayout;
    sample->addWidget(lbl_Sample);
    sample->addWidget(lbl_Example, 1);
    auto* l = new QVBoxLayout(page);
    l->addLayout(lists, 1);
    l->addLayout(sample);
    return page;
}

QWidget* frm_Options::buildColorPage()
{
    auto* page = new QWidget;
    lbl_Select_Color = new QLabel(QStringLiteral("Select up to three colors for color coding text files:"), page);

    // One group: the boxes in a grid of their own size, a slider under them
    // for the column and one beside them for the row.
    auto group = [&](QGroupBox* box, auto& boxes, int columns, int pitch, int size, QSlider*& across,
                     QSlider*& down, const char* acrossName, const char* downName, int tab, const QString& hint) {
        const int rows = int(boxes.size()) / columns;
        auto* grid = new QWidget(box);
        grid->setFixedSize(pixels(QRect(0, 0, (columns - 1) * pitch + size + 2 * kGrow,
                                        (rows - 1) * pitch + size + 2 * kGrow)).size());
        for (QWidget*& b : boxes) {
            b = new ColorBox(grid);
            watch(b, tab, hint);
        }
        across = new QSlider(Qt::Horizontal, box);
        down = new QSlider(Qt::Vertical, box);
        across->setObjectName(QLatin1String(acrossName));
        down->setObjectName(QLatin1String(downName));
        across->setRange(0, columns - 1);
        down->setRange(0, rows - 1);
        down->setInvertedAppearance(true);  // the first row at the top
        down->setInvertedControls(true);
        for (QSlider* s : {across, down}) {
            s->setPageStep(1);
            s->setTickPosition(QSlider::NoTicks);
            // The boxes take the arrow keys already; the sliders are for the mouse.
            s->setFocusPolicy(Qt::ClickFocus);
            watch(s, tab, hint);
        }
        across->setFixedWidth(grid->width());
        down->setFixedHeight(grid->height());
        auto* l = new QGridLayout(box);
        l->addWidget(grid, 0, 0);
        l->addWidget(down, 0, 1);
        l->addWidget(across, 1, 0);
        l->setColumnStretch(2, 1);
        l->setRowStretch(2, 1);
    };

    fra_Select_Color = groupBox(" &1. Select Color ", page);
    group(fra_Select_Color, pic_Color, options::kColorColumns, kColorPitch, kColorSize, sld_Left_Right, sld_Up_Down,
          "sld_Left_Right", "sld_Up_Down", 2, QStringLiteral(" Select Color "));
    for (int i = 0; i < options::kColorBoxes; ++i) {
        pic_Color[size_t(i)]->setObjectName(QStringLiteral("pic_Color_%1").arg(i));
        pic_Color[size_t(i)]->setToolTip(options::Color_Box_Name(i));
        static_cast<ColorBox*>(pic_Color[size_t(i)])->setColor(Palette_QColor(i));
    }
    fra_Select_Loc = groupBox(" &2. Select Location ", page);
    group(fra_Select_Loc, pic_Color_Loc, options::kLocationColumns, kLocationPitch, kLocationSize, sld_Hor, sld_Ver,
          "sld_Hor", "sld_Ver", 2, QStringLiteral(" Select Location "));
    for (int i = 0; i < options::kLocations; ++i) {
        pic_Color_Loc[size_t(i)]->setObjectName(QStringLiteral("pic_Color_Loc_%1").arg(i));
        pic_Color_Loc[size_t(i)]->setToolTip(options::Location_Name(i));
    }

    cmd_Color = new QPushButton(QStringLiteral("&Apply"), page);
    cmd_Color->setObjectName(QStringLiteral("cmd_Color"));
    watch(cmd_Color, 2, QStringLiteral(" Apply Color to Location "));

    auto* groups = new QHBoxLayout;
    groups->addWidget(fra_Select_Color);
    groups->addWidget(fra_Select_Loc);
    groups->addStretch(1);
    auto* apply = new QHBoxLayout;
    apply->addStretch(1);
    apply->addWidget(cmd_Color);
    auto* l = new QVBoxLayout(page);
    l->addWidget(lbl_Select_Color);
    l->addLayout(groups);
    l->addLayout(apply);
    l->addStretch(1);
    return page;
}

QWidget* frm_Options::buildIndentPage()
{
    auto* page = new QWidget;
    fra_Meas_In = groupBox(" Measurements In ", page);
    opt_Inches = new QRadioButton(QStringLiteral("I&nches"), fra_Meas_In);
    opt_Inches->setObjectName(QStringLiteral("opt_Inches"));
    opt_Cms = new QRadioButton(QStringLiteral("C&entimeters"), fra_Meas_In);
    opt_Cms->setObjectName(QStringLiteral("opt_Cms"));
    auto* units = new QVBoxLayout(fra_Meas_In);
    units->addWidget(opt_Inches);
    units->addWidget(opt_Cms);
    units->addStretch(1);

    // The indent comes first: Enter in it goes on to the tab spacing.
    fra_Indent = groupBox(" &Distance for the Text Indent ", page);
    txt_Indent = new QLineEdit(fra_Indent);
    txt_Indent->setObjectName(QStringLiteral("txt_Indent"));
    (new QVBoxLayout(fra_Indent))->addWidget(txt_Indent);
    fra_Tabs = groupBox(" &Spacing between the Tabs ", page);
    txt_Tabs = new QLineEdit(fra_Tabs);
    txt_Tabs->setObjectName(QStringLiteral("txt_Tabs"));
    (new QVBoxLayout(fra_Tabs))->addWidget(txt_Tabs);
    watch(opt_Inches, 3, QStringLiteral(" Select Measurement in Inches "));
    watch(opt_Cms, 3, QStringLiteral(" Select Measurement in Centimeters "));
    watch(txt_Indent, 3, QStringLiteral(" Enter the Text Indent "));
    watch(txt_Tabs, 3, QStringLiteral(" Enter Tab Stop Measurement "));

    auto* distances = new QVBoxLayout;
    distances->addWidget(fra_Indent);
    distances->addWidget(fra_Tabs);
    distances->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(fra_Meas_In, 0, Qt::AlignTop);
    row->addLayout(distances, 1);
    auto* l = new QVBoxLayout(page);
    l->addLayout(row);
    l->addStretch(1);
    return page;
}

QWidget* frm_Options::buildBookmarkPage()
{
    auto* page = new QWidget;
    fra_Bookmark = groupBox(" &Enter Bookmark Character(s): ", page);
    txt_Bookmark = new QLineEdit(fra_Bookmark);
    txt_Bookmark->setObjectName(QStringLiteral("txt_Bookmark"));
    txt_Bookmark->setValidator(new StorableValidator(txt_Bookmark));
    (new QVBoxLayout(fra_Bookmark))->addWidget(txt_Bookmark);
    watch(txt_Bookmark, 4, QStringLiteral(" Enter the Bookmark Characters "));
    auto* l = new QVBoxLayout(page);
    l->addWidget(fra_Bookmark);
    l->addStretch(1);
    return page;
}

void frm_Options::watch(QWidget* control, int tab, const QString& hint)
{
    hints_.insert(control, {tab, hint});
    control->installEventFilter(this);
}

void frm_Options::connectControls()
{
    connect(cmd_Tesk_Home, &QPushButton::clicked, this, [this] { Set_Home_Page(state().Help_File); });
    connect(cmd_Open, &QPushButton::clicked, this, [this] { Open_Home_File(); });
    for (QLineEdit* field : {txt_Home_Page, txt_Bookmark})
        connect(field, &QLineEdit::inputRejected, this, [this] { lbl_Focus->setText(kQuoteRefused); });
    // A choice is a selected entry: a list that merely takes the focus
    // makes its first entry current without selecting it, and must not
    // change the font.
    connect(lst_Fonts, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = lst_Fonts->selectedItems();
        if (loading_ || chosen.isEmpty())
            return;
        state().Font_Name = chosen.first()->text();
        state().Paginated = 0;  // a new font lays out the pages anew
        Show_Sample();
    });
    connect(lst_Size, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = lst_Size->selectedItems();
        if (loading_ || chosen.isEmpty())
            return;
        state().Font_Size = options::kFontSizes[size_t(lst_Size->row(chosen.first()))];
        state().Paginated = 0;
        Show_Sample();
    });
    for (QSlider* s : {sld_Left_Right, sld_Up_Down})
        connect(s, &QSlider::valueChanged, this, [this] { sliderMoved(false); });
    for (QSlider* s : {sld_Hor, sld_Ver})
        connect(s, &QSlider::valueChanged, this, [this] { sliderMoved(true); });
    connect(cmd_Color, &QPushButton::clicked, this, [this] { Apply_Color(); });
    connect(opt_Inches, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !loading_)
            Set_Units(1);
    });
    connect(opt_Cms, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !loading_)
            Set_Units(2);
    });
    connect(tab_Options, &QTabWidget::currentChanged, this, [this](int tab) { Tab_Selected(tab); });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { Close_Form(); });
}

void frm_Options::Form_Load()
{
    joinMainWindow();
    if (QMdiSubWindow* f = frame()) {
        // A dialog: it neither maximises nor joins the arrangement.
        f->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint);
        f->resize(f->sizeHint());
    }
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
                        opt_Cms->isChecked() ? static_cast<QWidget*>(opt_Cms) : opt_Inches, txt_Bookmark};
    if (tab >= 0 && tab < 5)
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
