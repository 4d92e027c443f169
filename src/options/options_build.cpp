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

#include <QCheckBox>
#include <QComboBox>
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

// The dialog's controls and their connections; the behaviour is in frm_Options.cpp.

using namespace options_widgets;

namespace {

const QString kQuoteRefused = QStringLiteral(" A double quote (\") cannot be kept in the settings ");

} // namespace

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
    tab_Options->addTab(buildEditingPage(), QStringLiteral("Editin&g"));

    cmd_Close = Make_Close_Button(this, QStringLiteral("cmd_Close"));
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
                                                      txt_Indent, txt_Tabs, txt_Bookmark, chk_Color_Typing,
                                                      chk_Line_Numbers, chk_Close_Tags, chk_Complete_Names,
                                                      chk_Reopen, chk_Match_Tags, chk_Modern_Markup, chk_Spell_Typing,
                                                      chk_Accessibility, cbo_Dictionary, cmd_Close})
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

QWidget* frm_Options::buildEditingPage()
{
    auto* page = new QWidget;
    chk_Color_Typing = new QCheckBox(QStringLiteral("Color code while t&yping"), page);
    chk_Color_Typing->setObjectName(QStringLiteral("chk_Color_Typing"));
    watch(chk_Color_Typing, 5, QStringLiteral(" Color the Source as You Type "));
    chk_Line_Numbers = new QCheckBox(QStringLiteral("&Line numbers"), page);
    chk_Line_Numbers->setObjectName(QStringLiteral("chk_Line_Numbers"));
    watch(chk_Line_Numbers, 5, QStringLiteral(" Number the Lines of the Source "));
    chk_Close_Tags = new QCheckBox(QStringLiteral("Close tags a&utomatically"), page);
    chk_Close_Tags->setObjectName(QStringLiteral("chk_Close_Tags"));
    watch(chk_Close_Tags, 5, QStringLiteral(" Put the End Tag in as You Close a Tag "));
    chk_Complete_Names = new QCheckBox(QStringLiteral("Co&mplete names while typing"), page);
    chk_Complete_Names->setObjectName(QStringLiteral("chk_Complete_Names"));
    watch(chk_Complete_Names, 5, QStringLiteral(" List the Tag, Attribute and Entity Names as You Type "));
    chk_Reopen = new QCheckBox(QStringLiteral("&Reopen the last page at start"), page);
    chk_Reopen->setObjectName(QStringLiteral("chk_Reopen"));
    watch(chk_Reopen, 5, QStringLiteral(" Open Again the Page Open at the End "));
    chk_Match_Tags = new QCheckBox(QStringLiteral("Mar&k the matching tag (Ctrl+J goes to it)"), page);
    chk_Match_Tags->setObjectName(QStringLiteral("chk_Match_Tags"));
    watch(chk_Match_Tags, 5, QStringLiteral(" Mark the Matching Tag; Ctrl+J Goes to It "));
    chk_Modern_Markup = new QCheckBox(QStringLiteral("Modern HTML&5 markup (CSS instead of old attributes)"), page);
    chk_Modern_Markup->setObjectName(QStringLiteral("chk_Modern_Markup"));
    watch(chk_Modern_Markup, 5, QStringLiteral(" Images and Colors Write Style Properties "));
    chk_Spell_Typing = new QCheckBox(QStringLiteral("Check spelling while typing (red wa&vy underline)"), page);
    chk_Spell_Typing->setObjectName(QStringLiteral("chk_Spell_Typing"));
    watch(chk_Spell_Typing, 5, QStringLiteral(" Underline Misspelt Words as You Type; F7 Goes to the Next "));
    chk_Accessibility = new QCheckBox(QStringLiteral("Accessibility checks in Check Page (&quality for screen readers)"), page);
    chk_Accessibility->setObjectName(QStringLiteral("chk_Accessibility"));
    watch(chk_Accessibility, 5, QStringLiteral(" Check Page and Check Site Look for a Missing alt, Table Headers "));
    lbl_Dictionary = new QLabel(QStringLiteral("Dictionary when a page's lang is not recogni&zed:"), page);
    cbo_Dictionary = new QComboBox(page);
    cbo_Dictionary->setObjectName(QStringLiteral("cbo_Dictionary"));
    lbl_Dictionary->setBuddy(cbo_Dictionary);
    watch(cbo_Dictionary, 5, QStringLiteral(" The Spelling Dictionary (Installed in the Hunspell Folder) "));
    auto* dictionary = new QHBoxLayout;
    dictionary->addWidget(lbl_Dictionary);
    dictionary->addWidget(cbo_Dictionary);
    dictionary->addStretch(1);
    auto* l = new QVBoxLayout(page);
    l->addWidget(chk_Color_Typing);
    l->addWidget(chk_Line_Numbers);
    l->addWidget(chk_Close_Tags);
    l->addWidget(chk_Complete_Names);
    l->addWidget(chk_Reopen);
    l->addWidget(chk_Match_Tags);
    l->addWidget(chk_Modern_Markup);
    l->addWidget(chk_Spell_Typing);
    l->addWidget(chk_Accessibility);
    l->addLayout(dictionary);
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
    connect(chk_Color_Typing, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_)
            state().More.Color_While_Typing = on;
    });
    connect(chk_Line_Numbers, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_)
            state().More.Line_Numbers = on;
    });
    const std::pair<QCheckBox*, bool MoreSettings::*> comforts[] = {
        {chk_Close_Tags, &MoreSettings::Close_Tags},
        {chk_Complete_Names, &MoreSettings::Complete_Names},
        {chk_Reopen, &MoreSettings::Reopen_Last_Page},
        {chk_Match_Tags, &MoreSettings::Match_Tags},
        {chk_Modern_Markup, &MoreSettings::Modern_Markup},
        {chk_Spell_Typing, &MoreSettings::Spell_While_Typing},
        {chk_Accessibility, &MoreSettings::Accessibility_Checks},
    };
    for (const auto& [box, option] : comforts)
        connect(box, &QCheckBox::toggled, this, [this, option](bool on) {
            if (!loading_)
                state().More.*option = on;
        });
    connect(cbo_Dictionary, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        if (!loading_)
            state().More.Dictionary = name;
    });
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
