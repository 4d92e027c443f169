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

QPushButton* button(QWidget* parent, const QString& caption, const char* name)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    // Enter on a focused button presses it.
    b->setAutoDefault(true);
    return b;
}

QLineEdit* textField(QWidget* parent, const char* name)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(QLatin1String(name));
    t->setMinimumWidth(t->fontMetrics().horizontalAdvance(QStringLiteral("#DDDDDD")) + 8);
    return t;
}

QFrame* sample(QWidget* parent, const char* name)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Sunken);
    f->setAutoFillBackground(true);
    const int side = f->fontMetrics().height() + 6;
    f->setFixedSize(side + side / 4, side);
    return f;
}

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

// ---- building ---------------------------------------------------------------------------

void frm_Colors::buildControls()
{
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("pic_Colors"));

    // Left: the choice tabs, the choices box and the setting files.
    tb_Colors = new QTabWidget(content);
    tb_Colors->setObjectName(QStringLiteral("tb_Colors"));
    tb_Colors->addTab(buildBodyPage(), QStringLiteral("&1. Body"));
    tb_Colors->addTab(buildTablePage(), QStringLiteral("&2. Tables"));
    tb_Colors->addTab(buildFontPage(), QStringLiteral("&3. Fonts"));

    rtb_Choices = new RichTextBox(content);
    rtb_Choices->setObjectName(QStringLiteral("rtb_Choices"));
    rtb_Choices->setAcceptRichText(false);
    rtb_Choices->setLineWrapMode(QTextEdit::WidgetWidth);
    rtb_Choices->setMinimumHeight(rtb_Choices->fontMetrics().lineSpacing() * 3 + 10);
    rtb_Choices->setMaximumHeight(rtb_Choices->fontMetrics().lineSpacing() * 5 + 10);
    cmd_View = button(content, QStringLiteral("&View List"), "cmd_View");
    cmd_Add = button(content, QStringLiteral("Add to &List"), "cmd_Add");
    cmd_Add->setToolTip(QStringLiteral(" Save "));
    auto* settings = new QGroupBox(QStringLiteral(" &6. Color Settings "), content);
    settings->setObjectName(QStringLiteral("fra_Settings"));
    cmd_Open = button(settings, QStringLiteral("Open"), "cmd_Open");
    cmd_Save = button(settings, QStringLiteral("Save"), "cmd_Save");
    cmd_Save_As = button(settings, QStringLiteral("Save As"), "cmd_Save_As");
    auto* settingsRow = new QHBoxLayout(settings);
    settingsRow->addWidget(cmd_Open);
    settingsRow->addWidget(cmd_Save);
    settingsRow->addWidget(cmd_Save_As);

    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(cmd_View);
    listButtons->addWidget(cmd_Add);
    listButtons->addStretch(1);
    auto* choicesRow = new QHBoxLayout;
    choicesRow->addWidget(rtb_Choices, 1);
    choicesRow->addLayout(listButtons);
    auto* left = new QVBoxLayout;
    left->addWidget(tb_Colors, 1);
    left->addLayout(choicesRow);
    left->addWidget(settings);

    // Right: the palettes.
    tb_Select = new QTabWidget(content);
    tb_Select->setObjectName(QStringLiteral("tb_Select"));
    tb_Select->addTab(buildPalettePage(0), QStringLiteral("&4. Safe Colors"));
    tb_Select->addTab(buildPalettePage(1), QStringLiteral(" &5. Named Colors"));
    auto* right = new QVBoxLayout;
    right->addWidget(tb_Select);
    right->addStretch(1);

    auto* columns = new QHBoxLayout(content);
    columns->setContentsMargins(4, 4, 4, 4);
    columns->addLayout(left, 1);
    columns->addLayout(right, 0);

    // Tight spacing: the whole tool fits the main window at 800 x 600.
    for (QLayout* l : content->findChildren<QLayout*>()) {
        l->setContentsMargins(4, 4, 4, 4);
        l->setSpacing(4);
    }
    columns->setContentsMargins(2, 2, 2, 2);

    // The window may get less room than the tool needs (a pane of the main
    // window): it scrolls, and the hint line and the size and close buttons
    // stay in sight below.
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scr_Colors"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(content);

    lbl_Focus = new QLabel(this);
    lbl_Focus->setObjectName(QStringLiteral("lbl_Focus"));
    Make_Sunken(lbl_Focus);
    cmd_Size = button(this, QStringLiteral("&M"), "cmd_Size");
    cmd_Size->setToolTip(QStringLiteral(" Maximize/Restore Color Selection  Size "));
    cmd_Close = button(this, QStringLiteral("&X"), "cmd_Close");
    cmd_Close->setToolTip(QStringLiteral(" Close "));
    for (QPushButton* b : {cmd_Size, cmd_Close})
        b->setFixedWidth(std::max(b->sizeHint().height() + 6, fontMetrics().horizontalAdvance(b->text()) + 16));
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(4, 0, 4, 4);
    bottom->addWidget(lbl_Focus, 1);
    bottom->addWidget(cmd_Size);
    bottom->addWidget(cmd_Close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(scroll_, 1);
    layout->addLayout(bottom);

    const auto hint = [this](QObject* o, const char* text) { hints_.insert(o, QString::fromLatin1(text)); };
    hint(cbo_Backgrnd[Body_Area], " Select a Pattern for the Body ");
    hint(cbo_Backgrnd[Table_Area], " Select a Pattern for the Border ");
    hint(cbo_Backgrnd[Cell_Area], " Select a Pattern for the Cells ");
    hint(opt_Area[Body_Area][0], " Use a Background Pattern for the Body ");
    hint(opt_Area[Table_Area][0], " Use a Background Pattern for the Border ");
    hint(opt_Area[Cell_Area][0], " Use a Background Pattern for the Cells ");
    hint(opt_Area[Body_Area][1], " Use a Color for the Body ");
    hint(opt_Area[Table_Area][1], " Use a Color for the Border ");
    hint(opt_Area[Cell_Area][1], " Use a Color for the Cells ");
    hint(cmd_Backgrnd, " Select Current Color for Body ");
    hint(cmd_Border, " Select Current Color for Border ");
    hint(cmd_Cells, " Select Current Color for Cells ");
    hint(cmd_Text, " Select Current Color for Text ");
    hint(cmd_Link[0], " Select Current Color for Link ");
    hint(cmd_Link[1], " Select Current Color for Active Link ");
    hint(cmd_Link[2], " Select Current Color for Visited Link ");
    for (int k = 1; k <= 4; ++k)
        hints_.insert(cmd_Font[size_t(k)], QStringLiteral(" Select Current Color for Font #%1").arg(k));
    hint(txt_Space, " Set Size of Border in Pixels ");
    hint(txt_Find, " Find a Color by Numver ");
    hint(cmd_More_Colors, " Show All Color Dialog Box ");
    hint(rtb_Choices, " Current Color Tags ");
    hint(cmd_Add, " Add Colors to Tag List ");
    hint(cmd_View, " View Tag List ");
    hint(cmd_Open, " Open a Color Setting ");
    hint(cmd_Save, " Save the Color Setting ");
    hint(cmd_Save_As, " Save a Color Setting with a new Filename ");
    hint(cmd_Size, " Change Size ");
    hint(cmd_Close, " Close Color Selection Tool ");
    hint(pic_Color_Frame[0], " Select a Color Number ");
    hint(pic_Color_Frame[1], " Select a Color Name ");

    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    // The window handed the focus (from the Window menu) gives it to the
    // choice tabs.
    setFocusProxy(tb_Colors);
}

QGroupBox* frm_Colors::buildAreaFrame(Area area, const QString& title, const QString& patternCaption,
                                      const QString& colorCaption, QPushButton* colorButton, QLineEdit* text,
                                      QFrame* sampleBox)
{
    static const char* const names[Area_Count][3] = {
        {"fra_Backgrnd", "opt_Backgrnd", "cbo_Backgrnd_0"},
        {"fra_Border", "opt_Border", "cbo_Backgrnd_1"},
        {"fra_Cells", "opt_Cells", "cbo_Backgrnd_2"},
    };
    auto* frame = new QGroupBox(title);
    frame->setObjectName(QLatin1String(names[area][0]));
    for (int k = 0; k < 2; ++k) {
        opt_Area[area][size_t(k)] = new QRadioButton(k == 0 ? patternCaption : colorCaption, frame);
        opt_Area[area][size_t(k)]->setObjectName(QLatin1String(names[area][1]) + QLatin1Char('_')
                                                 + QString::number(k));
    }
    cbo_Backgrnd[area] = new QComboBox(frame);
    cbo_Backgrnd[area]->setObjectName(QLatin1String(names[area][2]));
    cbo_Backgrnd[area]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbo_Backgrnd[area]->setMinimumContentsLength(10);
    // A site may hold thousands of patterns: the list must not measure them all.
    QSizePolicy policy = cbo_Backgrnd[area]->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Expanding);
    cbo_Backgrnd[area]->setSizePolicy(policy);
    colorButton->setParent(frame);
    text->setParent(frame);
    sampleBox->setParent(frame);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(opt_Area[area][0], 0, 0);
    grid->addWidget(cbo_Backgrnd[area], 0, 1, 1, 3);
    grid->addWidget(opt_Area[area][1], 1, 0);
    grid->addWidget(colorButton, 1, 1);
    grid->addWidget(text, 1, 2);
    grid->addWidget(sampleBox, 1, 3);
    grid->setColumnStretch(2, 1);
    opt_Area[area][1]->setChecked(true);
    return frame;
}

QWidget* frm_Colors::buildColorRow(Target target, QPushButton* colorButton, QLineEdit* text, QFrame* sampleBox)
{
    targetButton_[target] = colorButton;
    targetText_[target] = text;
    targetSample_[target] = sampleBox;
    return colorButton;
}

QWidget* frm_Colors::buildBodyPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("page_Body"));
    cmd_Backgrnd = button(page, QStringLiteral("  Background"), "cmd_Backgrnd");
    txt_Backgrnd = textField(page, "txt_Backgrnd");
    cmd_Backgrnd_pic = sample(page, "cmd_Backgrnd_pic");
    buildColorRow(Body, cmd_Backgrnd, txt_Backgrnd, cmd_Backgrnd_pic);
    QGroupBox* background = buildAreaFrame(Body_Area, QStringLiteral(" Background "),
                                           QStringLiteral("&Background Pattern:"), QStringLiteral("&Color:"),
                                           cmd_Backgrnd, txt_Backgrnd, cmd_Backgrnd_pic);
    background->setParent(page);

    auto* textColors = new QGroupBox(QStringLiteral(" &Text Colors "), page);
    textColors->setObjectName(QStringLiteral("fra_Text"));
    auto* grid = new QGridLayout(textColors);
    cmd_Text = button(textColors, QStringLiteral("Text"), "cmd_Text");
    txt_Text = textField(textColors, "txt_Text");
    buildColorRow(Text, cmd_Text, txt_Text, nullptr);
    grid->addWidget(cmd_Text, 0, 0);
    grid->addWidget(txt_Text, 0, 1);
    const char* captions[3] = {"Link", "ALink", "VLink"};
    for (int k = 0; k < 3; ++k) {
        cmd_Link[size_t(k)] = button(textColors, QString::fromLatin1(captions[k]),
                                     qPrintable(QStringLiteral("cmd_Link_%1").arg(k)));
        txt_Link[size_t(k)] = textField(textColors, qPrintable(QStringLiteral("txt_Link_%1").arg(k)));
        buildColorRow(Target(Link + k), cmd_Link[size_t(k)], txt_Link[size_t(k)], nullptr);
        const int cell = k + 1;
        grid->addWidget(cmd_Link[size_t(k)], cell / 2, (cell % 2) * 2);
        grid->addWidget(txt_Link[size_t(k)], cell / 2, (cell % 2) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    pic_Body = new ColorPreview(page);
    pic_Body->setObjectName(QStringLiteral("pic_Body"));
    auto* v = new QVBoxLayout(page);
    v->addWidget(background);
    v->addWidget(textColors);
    v->addWidget(pic_Body, 1);
    return page;
}

QWidget* frm_Colors::buildTablePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("page_Tables"));
    cmd_Border = button(page, QStringLiteral("   Border Color"), "cmd_Border");
    txt_Border = textField(page, "txt_Border");
    cmd_Border_pic = sample(page, "cmd_Border_pic");
    buildColorRow(Table, cmd_Border, txt_Border, cmd_Border_pic);
    QGroupBox* border = buildAreaFrame(Table_Area, QStringLiteral(" Border "), QStringLiteral("Border &Pattern:"),
                                       QStringLiteral("&Color:"), cmd_Border, txt_Border, cmd_Border_pic);
    border->setParent(page);
    auto* spaceLabel = new QLabel(QStringLiteral("Cell &Spacing, pixels:"), border);
    txt_Space = textField(border, "txt_Space");
    txt_Space->setMaximumWidth(txt_Space->minimumWidth());
    spaceLabel->setBuddy(txt_Space);
    auto* grid = static_cast<QGridLayout*>(border->layout());
    grid->addWidget(spaceLabel, 2, 0, 1, 2);
    grid->addWidget(txt_Space, 2, 2);

    cmd_Cells = button(page, QStringLiteral("   Cell Color"), "cmd_Cells");
    txt_Cells = textField(page, "txt_Cells");
    cmd_Cells_pic = sample(page, "cmd_Cells_pic");
    buildColorRow(Cells, cmd_Cells, txt_Cells, cmd_Cells_pic);
    QGroupBox* cells = buildAreaFrame(Cell_Area, QStringLiteral(" Cells "), QStringLiteral("C&ell Pattern:"),
                                      QStringLiteral("C&olor:"), cmd_Cells, txt_Cells, cmd_Cells_pic);
    cells->setParent(page);

    pic_Table = new ColorPreview(page);
    pic_Table->setObjectName(QStringLiteral("pic_Table"));
    auto* v = new QVBoxLayout(page);
    v->addWidget(border);
    v->addWidget(cells);
    v->addWidget(pic_Table, 1);
    return page;
}

QWidget* frm_Colors::buildFontPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("page_Fonts"));
    auto* fonts = new QGroupBox(QStringLiteral(" &Font Colors "), page);
    fonts->setObjectName(QStringLiteral("fra_Font"));
    auto* grid = new QGridLayout(fonts);
    for (int k = 1; k <= 4; ++k) {
        cmd_Font[size_t(k)] = button(fonts, QStringLiteral("#%1").arg(k), qPrintable(QStringLiteral("cmd_Font_%1").arg(k)));
        txt_Font[size_t(k)] = textField(fonts, qPrintable(QStringLiteral("txt_Font_%1").arg(k)));
        buildColorRow(Target(Font_1 + k - 1), cmd_Font[size_t(k)], txt_Font[size_t(k)], nullptr);
        grid->addWidget(cmd_Font[size_t(k)], (k - 1) / 2, ((k - 1) % 2) * 2);
        grid->addWidget(txt_Font[size_t(k)], (k - 1) / 2, ((k - 1) % 2) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    pic_Font = new ColorPreview(page);
    pic_Font->setObjectName(QStringLiteral("pic_Font"));
    auto* v = new QVBoxLayout(page);
    v->addWidget(fonts);
    v->addWidget(pic_Font, 1);
    return page;
}

QWidget* frm_Colors::buildPalettePage(int tab)
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("page_Palette_%1").arg(tab));
    const palettes::Shape shape = palettes::Shape_Of(kindOf(tab));
    const QString n = QString::number(tab);

    pic_Color_Frame[tab] = new PaletteGrid(kindOf(tab), page);
    pic_Color_Frame[tab]->setObjectName(QStringLiteral("pic_Color_Frame_") + n);
    sld_Up_Down[tab] = new QSlider(Qt::Vertical, page);
    sld_Up_Down[tab]->setObjectName(QStringLiteral("sld_Up_Down_") + n);
    sld_Up_Down[tab]->setRange(0, shape.perColumn - 1);
    // Row 0 at the top, as in the palette beside it.
    sld_Up_Down[tab]->setInvertedAppearance(true);
    sld_Up_Down[tab]->setInvertedControls(true);
    sld_Left_Right[tab] = new QSlider(Qt::Horizontal, page);
    sld_Left_Right[tab]->setObjectName(QStringLiteral("sld_Left_Right_") + n);
    sld_Left_Right[tab]->setRange(0, shape.columns() - 1);
    for (QSlider* s : {sld_Up_Down[tab], sld_Left_Right[tab]}) {
        s->setPageStep(1);
        s->setTickPosition(QSlider::NoTicks);
    }

    lbl_Current_Color[tab] = new QLabel(QStringLiteral("Current Color: "), page);
    lbl_Current_Color[tab]->setObjectName(QStringLiteral("lbl_Current_Color_") + n);
    txt_Color_cur[tab] = textField(page, qPrintable(QStringLiteral("txt_Color_cur_") + n));
    txt_Color_cur[tab]->setReadOnly(true);
    txt_Color_cur[tab]->setFocusPolicy(Qt::ClickFocus);
    txt_Color_cur[tab]->setMinimumWidth(
        txt_Color_cur[tab]->fontMetrics().horizontalAdvance(QStringLiteral("DarkGoldenrod")) + 12);
    pic_Color_cur[tab] = sample(page, qPrintable(QStringLiteral("pic_Color_cur_") + n));
    pic_Color_cur[tab]->setFixedSize(pic_Color_cur[tab]->width() * 2, pic_Color_cur[tab]->height() * 2);

    auto* side = new QVBoxLayout;
    side->addWidget(lbl_Current_Color[tab]);
    side->addWidget(txt_Color_cur[tab]);
    side->addWidget(pic_Color_cur[tab], 0, Qt::AlignLeft);
    side->addStretch(1);
    if (tab == 0) {
        auto* find = new QGroupBox(QStringLiteral(" Fi&nd "), page);
        find->setObjectName(QStringLiteral("fra_Find"));
        txt_Find = textField(find, "txt_Find");
        txt_Find->setMaxLength(7);
        cmd_More_Colors = button(find, QStringLiteral("&All Colors"), "cmd_More_Colors");
        auto* f = new QVBoxLayout(find);
        f->addWidget(txt_Find);
        f->addWidget(cmd_More_Colors);
        side->addWidget(find);
    }

    auto* grid = new QGridLayout(page);
    grid->addWidget(pic_Color_Frame[tab], 0, 0);
    grid->addWidget(sld_Up_Down[tab], 0, 1);
    grid->addWidget(sld_Left_Right[tab], 1, 0);
    grid->addLayout(side, 0, 2, 2, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    return page;
}

void frm_Colors::connectControls()
{
    for (int t = 0; t < Target_Count; ++t) {
        const Target target = Target(t);
        connect(targetButton_[size_t(t)], &QPushButton::clicked, this, [this, target] { Take_Current_Color(target); });
        // What the user types is the colour text; a colour the browsers know
        // by that text is shown as well.
        connect(targetText_[size_t(t)], &QLineEdit::textEdited, this, [this, target](const QString& text) {
            choices_.Colors[target].Text = text;
            if (QColor::isValidColorName(text)) {
                choices_.Colors[target].Value = qint32(Bgr_From_QColor(QColor::fromString(text)));
                showSample(target);
            }
        });
        connect(targetText_[size_t(t)], &QLineEdit::editingFinished, this, [this] { Display_Choices(); });
    }
    for (int a = 0; a < Area_Count; ++a) {
        const Area area = Area(a);
        connect(opt_Area[a][0], &QRadioButton::toggled, this, [this, area] { Area_Option_Changed(area); });
        connect(cbo_Backgrnd[a], &QComboBox::activated, this, [this, area] {
            choices_.Pattern[area] = cbo_Backgrnd[area]->currentText();
            if (area == Body_Area)
                Display_Body_Patterns();
            else if (area == Table_Area)
                Display_Border_Patterns();
            else
                Display_Cell_Patterns();
            Display_Choices();
        });
    }
    connect(txt_Space, &QLineEdit::textEdited, this, [this](const QString& text) { choices_.Spacing = text; });
    connect(txt_Space, &QLineEdit::returnPressed, this, [this] { Cell_Spacing(); });
    connect(tb_Colors, &QTabWidget::currentChanged, this, [this](int tab) {
        static const char* const hints[3] = {" Select Colors/Patterns for the Body Tag ",
                                             " Select Colors/Patterns for the Table Tags ",
                                             " Select Colors for the Font Tags "};
        if (tab >= 0 && tab < 3)
            setHint(QString::fromLatin1(hints[tab]));
        if (loaded_)
            Display_Choices();
    });
    connect(tb_Select, &QTabWidget::currentChanged, this, [this] { Change_Color_Select(); });
    for (int tab = 0; tab < Palettes; ++tab) {
        connect(pic_Color_Frame[tab], &PaletteGrid::cellChosen, this, [this, tab](int cell) { Set_Current_Cell(tab, cell); });
        const auto slid = [this, tab] {
            const int cell = palettes::Cell_At(kindOf(tab), sld_Left_Right[tab]->value(), sld_Up_Down[tab]->value());
            if (cell >= 0)
                Set_Current_Cell(tab, cell);
        };
        connect(sld_Left_Right[tab], &QSlider::valueChanged, this, slid);
        connect(sld_Up_Down[tab], &QSlider::valueChanged, this, slid);
    }
    connect(cmd_More_Colors, &QPushButton::clicked, this, [this] { Open_Color_Box(); });
    connect(cmd_Add, &QPushButton::clicked, this, [this] { Add_to_List(); });
    connect(cmd_View, &QPushButton::clicked, this, [] { frm_Tags::Show_Tags(0); });
    connect(cmd_Open, &QPushButton::clicked, this, [this] { Open_Color_File(); });
    connect(cmd_Save, &QPushButton::clicked, this, [this] { Save_Color_File(); });
    connect(cmd_Save_As, &QPushButton::clicked, this, [this] { Save_As_Color_File(); });
    connect(cmd_Size, &QPushButton::clicked, this, [this] { maximizeRequested(); });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { closeRequested(); });
}

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
    const QSize content = scroll_->widget()->sizeHint();
    const int frame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize px(content.width() + 2 * frame + 4,
                   content.height() + lbl_Focus->sizeHint().height() + title + 2 * frame + 10);
    QSize twips(Twips_From_Px_X(px.width()), Twips_From_Px_Y(px.height()));
    // Never larger than the main window's inner area: there it scrolls.
    const SharedState& s = state();
    if (s.Client_Width > 0 && s.Client_Height > 0)
        twips = twips.boundedTo(QSize(s.Client_Width, s.Client_Height));
    return twips;
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
        if (!f || !isAncestorOf(f))
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
// and Alt+S name menus too): while the focus is in the tool, its own visible
// controls win.
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
    for (QWidget* w : findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled())
            continue;
        auto* button = qobject_cast<QAbstractButton*>(w);
        auto* frame = qobject_cast<QGroupBox*>(w);
        auto* label = qobject_cast<QLabel*>(w);
        const QString caption = button ? button->text() : frame ? frame->title() : label && label->buddy() ? label->text() : QString();
        if (caption.isEmpty() || !matches(caption))
            continue;
        if (!run)
            return true;
        if (button) {
            button->setFocus(Qt::ShortcutFocusReason);
            button->click();
        } else if (label) {
            label->buddy()->setFocus(Qt::ShortcutFocusReason);
        } else {
            // A frame gives the focus to its first control.
            for (QWidget* c : frame->findChildren<QWidget*>())
                if (c->isVisible() && c->isEnabled() && (c->focusPolicy() & Qt::TabFocus)) {
                    c->setFocus(Qt::ShortcutFocusReason);
                    break;
                }
        }
        return true;
    }
    return false;
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
        s.Background_Pattern.isEmpty() ? QStringLiteral("*.gif;*.bmp") : s.Background_Pattern;
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

void frm_Colors::Body_Choices() { rtb_Choices->setText(color_tags::Body_Choices(choices_, state().Quote)); }

void frm_Colors::Table_Choices() { rtb_Choices->setText(color_tags::Table_Choices(choices_, state().Quote)); }

void frm_Colors::Font_Choices() { rtb_Choices->setText(color_tags::Font_Choices(choices_, state().Quote)); }

void frm_Colors::Add_to_List()
{
    const QStringList lines = Choice_Lines(rtb_Choices->Text());
    if (lines.isEmpty())
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
                            dialogs::Buttons::YesNo, dialogs::Icon::Exclamation, request.title)
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
