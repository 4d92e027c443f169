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

// The tool's controls and their connections; the behaviour is in frm_Colors.cpp.

using namespace color_tags;
using palettes::Kind;

namespace {

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

} // namespace

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
    // Tab captions are never cut short: the tabs' width is part of what the
    // tool needs, and the arrangement gives it that room.
    for (QTabWidget* tabs : {tb_Colors, tb_Select}) {
        tabs->setElideMode(Qt::ElideNone);
        tabs->setUsesScrollButtons(false);
    }
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
