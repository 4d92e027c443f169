#include "print/frm_Pg_Setup_Text.h"

#include "print/dialog_parts.h"
#include "print/page_setup.h"
#include "print/print_engine.h"

#include "core/measure.h"
#include "core/shared_state.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"
#include "ui/window_manner.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TESK_DEFINE_FORM(frm_Pg_Setup_Text, Pg_Setup_Text)

namespace {

// The sheet at a tenth of its size and its text area, drawn in picture units
// (a tenth of the sheet's twips, shown as screen twips).
class PagePicture : public QWidget {
public:
    using QWidget::QWidget;
    void setSheet(const QRect& sheet)
    {
        shp_Paper = sheet;
        updateGeometry();
        update();
    }
    void setText(const QRect& text)
    {
        shp_Image = text;
        update();
    }
    QSize sizeHint() const override
    {
        return QSize(Px_From_Twips_X(shp_Paper.right() + page_setup::kSheetCorner),
                     Px_From_Twips_Y(shp_Paper.bottom() + page_setup::kSheetCorner));
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

    QRect shp_Paper;
    QRect shp_Image;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        auto px = [](const QRect& r) {
            return QRect(Px_From_Twips_X(r.x()), Px_From_Twips_Y(r.y()), Px_From_Twips_X(r.width()),
                         Px_From_Twips_Y(r.height()));
        };
        p.fillRect(px(shp_Paper), Qt::white);
        p.setPen(Qt::black);
        p.drawRect(px(shp_Paper).adjusted(0, 0, -1, -1));
        p.fillRect(px(shp_Image).intersected(px(shp_Paper)), QColor(0xC0, 0xC0, 0xC0));
    }
};

const char* const kRowNames[4] = {"opt_Pathname", "opt_Filename", "opt_DateRev", "opt_Pg_Number"};
const char* const kRowCaptions[4] = {"Path Name:", "File Name:", "Date Revised:", "Page Number:"};
const char* const kRowHints[4] = {" Path Name Position ", " Filename Position ", " Date Revised Position ",
                                  " Page Number Position "};
const char* const kMarginCaptions[4] = {"Left:", "Top:", "Right:", "Bottom:"};
const char* const kMarginNames[4] = {"txt_Left", "txt_Top", "txt_Right", "txt_Bottom"};
const char* const kMarginHints[4] = {" Left Margin ", " Top Margin ", " Right Margin ", " Bottom Margin "};

// The position code each row edits.
int& rowCode(int row)
{
    SharedState& s = state();
    int* codes[4] = {&s.Path_Name_Pos, &s.Filename_Pos, &s.Date_Revised_Pos, &s.Page_Number_Pos};
    return *codes[row];
}

} // namespace

frm_Pg_Setup_Text::frm_Pg_Setup_Text() : ToolWindow(QStringLiteral("Page Setup"))
{
    setObjectName(QStringLiteral("frm_Pg_Setup_Text"));
    setMover(Mover::InnerArea);
    buildControls();
}

void frm_Pg_Setup_Text::buildControls()
{
    lbl_Focus = new QLabel(this);
    lbl_Focus->setObjectName(QStringLiteral("lbl_Focus"));
    lbl_Focus->setFrameShape(QFrame::Panel);
    lbl_Focus->setFrameShadow(QFrame::Sunken);
    hints_ = new HintLine(lbl_Focus, this);

    fra_Margins = new QGroupBox(QStringLiteral(" Margins "), this);
    auto* margins = new QGridLayout(fra_Margins);
    for (int i = 0; i < 4; ++i) {
        txt_Margin[i] = new QLineEdit(fra_Margins);
        txt_Margin[i]->setObjectName(QLatin1String(kMarginNames[i]));
        txt_Margin[i]->setMinimumWidth(txt_Margin[i]->fontMetrics().horizontalAdvance(QStringLiteral("00 0/00\"__")));
        auto* caption = new QLabel(QLatin1String(kMarginCaptions[i]), fra_Margins);
        caption->setBuddy(txt_Margin[i]);
        margins->addWidget(caption, i, 0);
        margins->addWidget(txt_Margin[i], i, 1);
        hints_->add(txt_Margin[i], QLatin1String(kMarginHints[i]));
        hints_->selectAllOnFocus(txt_Margin[i]);
        txt_Margin[i]->installEventFilter(this);
        connect(txt_Margin[i], &QLineEdit::textEdited, this, [this, i] { typed_[i] = true; });
    }
    margins->setRowStretch(4, 1);

    fra_Head_Foot = new QGroupBox(QStringLiteral(" Head/Foot Content "), this);
    auto* grid = new QGridLayout(fra_Head_Foot);
    grid->addWidget(new QLabel(QStringLiteral("None"), fra_Head_Foot), 1, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Head"), fra_Head_Foot), 0, 2, 1, 2, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Foot"), fra_Head_Foot), 0, 4, 1, 2, Qt::AlignCenter);
    const char* sides[4] = {"Left", "Right", "Left", "Right"};
    for (int c = 0; c < 4; ++c)
        grid->addWidget(new QLabel(QLatin1String(sides[c]), fra_Head_Foot), 1, 2 + c, Qt::AlignCenter);
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(new QLabel(QLatin1String(kRowCaptions[r]), fra_Head_Foot), 2 + r, 0);
        rows_[r] = new QButtonGroup(this);
        for (int c = 0; c < 5; ++c) {
            QRadioButton* o = new QRadioButton(fra_Head_Foot);
            o->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(kRowNames[r])).arg(c));
            o->setAccessibleName(QLatin1String(kRowCaptions[r]) + QLatin1Char(' ') + QString::number(c));
            // The option that has the focus stands out from its row.
            o->setAutoFillBackground(true);
            o->installEventFilter(this);
            rows_[r]->addButton(o, c);
            opt_Row[r][c] = o;
            grid->addWidget(o, 2 + r, 1 + c, Qt::AlignCenter);
            hints_->add(o, QLatin1String(kRowHints[r]));
        }
    }

    lbl_Printer = new QLabel(this);
    lbl_Printer->setObjectName(QStringLiteral("lbl_Printer"));
    lbl_Size = new QLabel(this);
    lbl_Size->setObjectName(QStringLiteral("lbl_Size"));
    auto* picture = new PagePicture(this);
    pic_Layout = picture;
    pic_Layout->setObjectName(QStringLiteral("pic_Layout"));
    cmd_Prt_Setup = new QPushButton(QStringLiteral("&Printer Setup"), this);
    cmd_Prt_Setup->setObjectName(QStringLiteral("cmd_Prt_Setup"));
    hints_->add(cmd_Prt_Setup, QStringLiteral(" Printer Setup "));
    cmd_Close = Make_Close_Button(this, QStringLiteral("cmd_Close"));

    auto* printer = new QGridLayout;
    printer->addWidget(new QLabel(QStringLiteral("Printer:"), this), 0, 0);
    printer->addWidget(lbl_Printer, 0, 1);
    printer->addWidget(new QLabel(QStringLiteral("Paper Size:"), this), 1, 0);
    printer->addWidget(lbl_Size, 1, 1);
    printer->addWidget(cmd_Prt_Setup, 2, 0, 1, 2, Qt::AlignLeft);
    printer->setColumnStretch(1, 1);
    printer->setRowStretch(3, 1);
    auto* layoutBox = new QVBoxLayout;
    layoutBox->addWidget(new QLabel(QStringLiteral("Page Layout:"), this));
    layoutBox->addWidget(pic_Layout);
    layoutBox->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(fra_Margins);
    top->addWidget(fra_Head_Foot, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(printer, 1);
    middle->addLayout(layoutBox);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lbl_Focus, 1);
    bottom->addWidget(cmd_Close);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(middle, 1);
    all->addLayout(bottom);

    QWidget* previous = txt_Margin[3];
    for (int i = 1; i < 4; ++i)
        setTabOrder(txt_Margin[i - 1], txt_Margin[i]);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c) {
            setTabOrder(previous, opt_Row[r][c]);
            previous = opt_Row[r][c];
        }
    setTabOrder(previous, cmd_Prt_Setup);
    setTabOrder(cmd_Prt_Setup, cmd_Close);

    connect(cmd_Prt_Setup, &QPushButton::clicked, this, [this] {
        Show_Printer_Setup();
        Adjust_for_Printer();
        Position_Image();
    });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { Accept_Close(); });
}

void frm_Pg_Setup_Text::Form_Load()
{
    joinMainWindowAsDialog(false);
    Enter_Presses_Buttons(this);
}

void frm_Pg_Setup_Text::Open_Dialog(bool fromMenu)
{
    frm_Pg_Setup_Text* d = forms::Pg_Setup_Text();
    d->fromMenu_ = fromMenu;
    Show_Dialog(d);
    d->Form_Activate();
}

void frm_Pg_Setup_Text::Form_Activate()
{
    const SharedState& s = state();
    const int* margins[4] = {&s.Margin_Left, &s.Margin_Top, &s.Margin_Right, &s.Margin_Bottom};
    for (int i = 0; i < 4; ++i) {
        txt_Margin[i]->setText(page_setup::Margin_Text(*margins[i], s.Measure_Units));
        typed_[i] = false;
    }
    for (int r = 0; r < 4; ++r) {
        const int code = rowCode(r);
        opt_Row[r][code >= 0 && code <= 4 ? code : 0]->setChecked(true);
    }
    Adjust_for_Printer();
    Position_Image();
    Fit_Frame(this);
    Place_As_Working_Dialog(this);
    open_ = true;
    txt_Left->setFocus();
}

void frm_Pg_Setup_Text::Adjust_for_Printer()
{
    const int units = state().Measure_Units;
    const double f = page_setup::Unit_Factor(units);
    const QSize paper = Paper_Twips();
    lbl_Printer->setText(Printer_Device_Name());
    lbl_Size->setText(Inch_Fraction(paper.width() / 1440.0 * f, units) + QStringLiteral(" x ")
                      + Inch_Fraction(paper.height() / 1440.0 * f, units));
    static_cast<PagePicture*>(pic_Layout)->setSheet(page_setup::Sheet_Picture(paper));
}

void frm_Pg_Setup_Text::Position_Image()
{
    const int units = state().Measure_Units;
    double v[4];
    for (int i = 0; i < 4; ++i)
        v[i] = Measure_Value(txt_Margin[i]->text(), units);
    static_cast<PagePicture*>(pic_Layout)
        ->setText(page_setup::Text_Area_Picture(Paper_Twips(), v[0], v[1], v[2], v[3], units));
}

int* frm_Pg_Setup_Text::marginOf(int box) const
{
    SharedState& s = state();
    int* margins[4] = {&s.Margin_Left, &s.Margin_Top, &s.Margin_Right, &s.Margin_Bottom};
    return margins[box];
}

void frm_Pg_Setup_Text::Margin_Left_Box(int box)
{
    const int units = state().Measure_Units;
    QLineEdit* t = txt_Margin[box];
    if (typed_[box]) {
        const QSize paper = Paper_Twips();
        const int opposite = box ^ 2;  // left <-> right, top <-> bottom
        const int extent = box % 2 == 0 ? paper.width() : paper.height();
        const int other = typed_[opposite] ? page_setup::Margin_Twips(txt_Margin[opposite]->text(), units)
                                           : *marginOf(opposite);
        const int twips = page_setup::Margin_Twips(t->text(), units);
        const int kept = page_setup::Limit_Margin(twips, extent, other);
        if (kept != twips) {
            t->setText(page_setup::Margin_Text(kept, units));
            hints_->show(QStringLiteral(" The margins must leave room for the text on the paper "));
        } else {
            t->setText(Measure_Text(t->text(), units));
        }
    }
    Position_Image();
}

void frm_Pg_Setup_Text::Accept_Close()
{
    if (!open_)
        return;
    SharedState& s = state();
    const QSize paper = Paper_Twips();
    int twips[4];
    for (int i = 0; i < 4; ++i)
        // An untouched box keeps its margin exactly (the box shows it rounded).
        twips[i] = typed_[i] ? page_setup::Margin_Twips(txt_Margin[i]->text(), s.Measure_Units) : *marginOf(i);
    for (int i = 0; i < 4; ++i)
        *marginOf(i) = page_setup::Limit_Margin(twips[i], i % 2 == 0 ? paper.width() : paper.height(),
                                                 twips[i ^ 2]);
    for (int r = 0; r < 4; ++r)
        rowCode(r) = std::max(rows_[r]->checkedId(), 0);
    s.Paginated = 0;
    open_ = false;
    if (fromMenu_)
        Close_Dialog(this);
    else
        hideFrame();
    emit closed();
}

bool frm_Pg_Setup_Text::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 4; ++i) {
        if (watched != txt_Margin[i])
            continue;
        if (event->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(event);
            if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && k->modifiers() == Qt::NoModifier) {
                txt_Margin[(i + 1) % 4]->setFocus();  // Left, Top, Right, Bottom, Left ...
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && open_) {
            Margin_Left_Box(i);
        }
        return false;
    }
    if (auto* o = qobject_cast<QRadioButton*>(watched)) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            o->setBackgroundRole(event->type() == QEvent::FocusIn ? QPalette::Highlight : QPalette::Button);
        if (event->type() == QEvent::FocusIn)
            o->setForegroundRole(QPalette::HighlightedText);
        else if (event->type() == QEvent::FocusOut)
            o->setForegroundRole(QPalette::ButtonText);
    }
    return ToolWindow::eventFilter(watched, event);
}
