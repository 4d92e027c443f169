#include "print/frm_Print_Plus.h"

#include "print/dialog_parts.h"
#include "print/frm_Pg_Setup_Text.h"
#include "print/page_setup.h"
#include "print/pagination.h"
#include "print/print_engine.h"

#include "core/measure.h"
#include "core/shared_state.h"
#include "platform/file_system.h"
#include "ui/window_manner.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

TESK_DEFINE_FORM(frm_Print_Plus, Print_Plus)

namespace {

QPushButton* button(const char* caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QLabel* sunken(const char* name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

} // namespace

frm_Print_Plus::frm_Print_Plus() : ToolWindow(QStringLiteral("Print Plus"))
{
    setObjectName(QStringLiteral("frm_Print_Plus"));
    setMover(Mover::InnerArea);
    buildControls();
}

void frm_Print_Plus::buildControls()
{
    lbl_Focus = sunken("lbl_Focus", this);
    hints_ = new HintLine(lbl_Focus, this);

    fra_Printer = new QGroupBox(QStringLiteral(" &1. Printer: "), this);
    lbl_Printer = sunken("lbl_Printer", fra_Printer);
    lbl_Size = new QLabel(fra_Printer);
    lbl_Size->setObjectName(QStringLiteral("lbl_Size"));
    cmd_Prt_Setup = button("Printer Setup", "cmd_Prt_Setup", fra_Printer);
    cmd_Page_Setup = button("Page S&etup", "cmd_Page_Setup", fra_Printer);
    auto* printer = new QGridLayout(fra_Printer);
    printer->addWidget(lbl_Printer, 0, 0, 1, 3);
    printer->addWidget(new QLabel(QStringLiteral("Paper Size:"), fra_Printer), 1, 0);
    printer->addWidget(lbl_Size, 1, 1, 1, 2);
    printer->addWidget(cmd_Prt_Setup, 2, 0, 1, 2);
    printer->addWidget(cmd_Page_Setup, 2, 2);
    printer->setColumnStretch(1, 1);

    fra_Current_File = new QGroupBox(QStringLiteral(" &2. Current File: "), this);
    lbl_Print_File = sunken("lbl_Print_File", fra_Current_File);
    (new QVBoxLayout(fra_Current_File))->addWidget(lbl_Print_File);

    fra_Print_Pages = new QGroupBox(QStringLiteral(" Print P&ages: "), this);
    auto* pages = new QGridLayout(fra_Print_Pages);
    const auto digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (int i = 0; i < 2; ++i) {
        opt_Print_Pages[i] = new QRadioButton(fra_Print_Pages);
        opt_Print_Pages[i]->setObjectName(QStringLiteral("opt_Print_Pages_%1").arg(i));
        lbl_Print_Pages[i] = new QLabel(fra_Print_Pages);
        lbl_Print_Pages[i]->setObjectName(QStringLiteral("lbl_Print_Pages_%1").arg(i));
        lbl_Print_Pages[i]->installEventFilter(this);  // a click on it chooses its option
        opt_Print_Pages[i]->setAccessibleName(QStringLiteral("Print Pages %1").arg(i));
        hints_->add(opt_Print_Pages[i], QStringLiteral(" Select Pages to Print "));
        connect(opt_Print_Pages[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Pages_Option(i);
        });
    }
    lbl_Print_Pages[1]->setText(QStringLiteral("Pages:"));
    txt_First_Page = new QLineEdit(fra_Print_Pages);
    txt_First_Page->setObjectName(QStringLiteral("txt_First_Page"));
    txt_Last_Page = new QLineEdit(fra_Print_Pages);
    txt_Last_Page->setObjectName(QStringLiteral("txt_Last_Page"));
    pages->addWidget(opt_Print_Pages[0], 0, 0);
    pages->addWidget(lbl_Print_Pages[0], 0, 1, 1, 4);
    pages->addWidget(opt_Print_Pages[1], 1, 0);
    pages->addWidget(lbl_Print_Pages[1], 1, 1);
    pages->addWidget(txt_First_Page, 1, 2);
    pages->addWidget(new QLabel(QStringLiteral("to"), fra_Print_Pages), 1, 3);
    pages->addWidget(txt_Last_Page, 1, 4);
    pages->setColumnStretch(5, 1);
    // Hidden until the pages are counted, but its room is kept.
    QSizePolicy keep = fra_Print_Pages->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    fra_Print_Pages->setSizePolicy(keep);

    txt_Copies = new QLineEdit(this);
    txt_Copies->setObjectName(QStringLiteral("txt_Copies"));
    auto* copiesCaption = new QLabel(QStringLiteral("&Number of Copies:"), this);
    copiesCaption->setBuddy(txt_Copies);
    const int boxWidth = txt_Copies->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12;
    for (QLineEdit* box : {txt_First_Page, txt_Last_Page, txt_Copies}) {
        box->setValidator(digits);
        box->setMaxLength(5);
        box->setFixedWidth(boxWidth);
        box->installEventFilter(this);
        hints_->selectAllOnFocus(box);
    }
    hints_->add(txt_First_Page, QStringLiteral(" First Page to Print "));
    hints_->add(txt_Last_Page, QStringLiteral(" Last Page to Print "));
    hints_->add(txt_Copies, QStringLiteral(" Number of Copies to Print "));

    cmd_Print = button("&Print File", "cmd_Print", this);
    cmd_Preview = button("Preview &File", "cmd_Preview", this);
    cmd_Print_File_List = button("Print &List of Files", "cmd_Print_File_List", this);
    cmd_Close = button("&X", "cmd_Close", this);
    cmd_Close->setToolTip(QStringLiteral(" Close "));
    cmd_Close->setFixedWidth(cmd_Close->sizeHint().height() + 6);

    tab_Files = new QTabWidget(this);
    tab_Files->setObjectName(QStringLiteral("tab_Files"));
    auto* files = new QWidget(tab_Files);
    lbl_Working_Folder = sunken("lbl_Working_Folder", files);
    lbl_Working_Folder->setWordWrap(true);
    fil_Source = new QListWidget(files);
    fil_Source->setObjectName(QStringLiteral("fil_Source"));
    fil_Source->setMinimumWidth(200);
    auto* filesLayout = new QVBoxLayout(files);
    filesLayout->addWidget(new QLabel(QStringLiteral("Working Folder:"), files));
    filesLayout->addWidget(lbl_Working_Folder);
    filesLayout->addWidget(fil_Source, 1);
    tab_Files->addTab(files, QStringLiteral("&3. Source Files"));
    hints_->add(tab_Files, QStringLiteral(" Select File "));
    hints_->add(fil_Source, QStringLiteral(" Select File "));

    hints_->add(cmd_Close, QStringLiteral(" Close Dialog Box "));
    hints_->add(cmd_Page_Setup, QStringLiteral(" Page Setup "));
    hints_->add(cmd_Preview, QStringLiteral(" Preview Current File "));
    hints_->add(cmd_Print_File_List, QStringLiteral(" Print List of Files "));
    hints_->add(cmd_Print, QStringLiteral(" Print File "));
    hints_->add(cmd_Prt_Setup, QStringLiteral(" Printer Setup "));

    auto* copies = new QHBoxLayout;
    copies->addWidget(copiesCaption);
    copies->addWidget(txt_Copies);
    copies->addStretch(1);
    auto* actions = new QHBoxLayout;
    actions->addWidget(cmd_Print);
    actions->addWidget(cmd_Preview);
    auto* left = new QVBoxLayout;
    left->addWidget(fra_Printer);
    left->addWidget(fra_Current_File);
    left->addWidget(fra_Print_Pages);
    left->addLayout(copies);
    left->addLayout(actions);
    left->addWidget(cmd_Print_File_List);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(tab_Files, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lbl_Focus, 1);
    bottom->addWidget(cmd_Close);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addLayout(bottom);

    setTabOrder(cmd_Prt_Setup, cmd_Page_Setup);
    setTabOrder(cmd_Page_Setup, opt_Print_Pages[0]);
    setTabOrder(opt_Print_Pages[0], opt_Print_Pages[1]);
    setTabOrder(opt_Print_Pages[1], txt_First_Page);
    setTabOrder(txt_First_Page, txt_Last_Page);
    setTabOrder(txt_Last_Page, txt_Copies);
    setTabOrder(txt_Copies, cmd_Print);
    setTabOrder(cmd_Print, cmd_Preview);
    setTabOrder(cmd_Preview, cmd_Print_File_List);
    setTabOrder(cmd_Print_File_List, tab_Files);
    setTabOrder(tab_Files, fil_Source);
    setTabOrder(fil_Source, cmd_Close);

    connect(cmd_Prt_Setup, &QPushButton::clicked, this, [this] {
        Show_Printer_Setup();
        No_File_Selected();
        Adjust_for_Printer();
    });
    connect(cmd_Page_Setup, &QPushButton::clicked, this, [this] { Page_Setup_Click(); });
    connect(cmd_Print, &QPushButton::clicked, this, [this] { Print_File(); });
    connect(cmd_Preview, &QPushButton::clicked, this, [this] { Preview_File(); });
    connect(cmd_Print_File_List, &QPushButton::clicked, this, [this] { Print_File_List(); });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { Close_Form(); });
    // A file is chosen by selecting it (click, or the arrow keys); the
    // list's focus alone chooses nothing.
    connect(fil_Source, &QListWidget::itemClicked, this, [this] { fileClicked(); });
    connect(fil_Source, &QListWidget::itemSelectionChanged, this, [this] { fileClicked(); });
}

void frm_Print_Plus::Form_Load()
{
    joinMainWindowAsDialog(false);
    Enter_Presses_Buttons(this);
}

void frm_Print_Plus::Open_Dialog()
{
    frm_Print_Plus* d = forms::Print_Plus();
    Show_Dialog(d);
    d->Form_Activate();
}

void frm_Print_Plus::Form_Activate()
{
    SharedState& s = state();
    s.Print_Plus_Open = 1;
    lbl_Working_Folder->setText(s.Working_Folder);
    filling_ = true;
    fil_Source->clear();
    fil_Source->addItems(fs::listFiles(s.Working_Pages_Folder, QStringLiteral("*.rtf")));
    if (fil_Source->count() > 0)
        fil_Source->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    filling_ = false;
    txt_Copies->setText(QStringLiteral("1"));
    const bool file = !lbl_Print_File->text().isEmpty();
    cmd_Print->setEnabled(file);
    cmd_Preview->setEnabled(file);
    Adjust_for_Printer();
    Source_Selected();
    Fit_Frame(this);
    Place_As_Working_Dialog(this);
    (cmd_Print->isEnabled() ? static_cast<QWidget*>(cmd_Print) : fil_Source)->setFocus();
}

void frm_Print_Plus::Adjust_for_Printer()
{
    const int units = state().Measure_Units;
    const double f = page_setup::Unit_Factor(units);
    const QSize paper = Paper_Twips();
    lbl_Printer->setText(Printer_Device_Name());
    lbl_Size->setText(Inch_Fraction(paper.width() / 1440.0 * f, units) + QStringLiteral(" x ")
                      + Inch_Fraction(paper.height() / 1440.0 * f, units));
}

void frm_Print_Plus::Source_Selected()
{
    const SharedState& s = state();
    if (s.Source_Path.isEmpty() || s.Source_Title.isEmpty()) {
        No_File_Selected();
        return;
    }
    const QList<QListWidgetItem*> found = fil_Source->findItems(s.Source_Title, Qt::MatchExactly);
    if (found.isEmpty()) {
        No_File_Selected();
        return;
    }
    filling_ = true;
    fil_Source->setCurrentItem(found.first());
    filling_ = false;
    chosenName_ = s.Source_Title;
    chosenPath_ = s.Source_Path;
    Use_Source();
}

void frm_Print_Plus::fileClicked()
{
    const QList<QListWidgetItem*> selected = fil_Source->selectedItems();
    if (filling_ || selected.isEmpty())
        return;
    chosenName_ = selected.first()->text();
    chosenPath_ = state().Working_Pages_Folder + chosenName_;
    Use_Source();
}

void frm_Print_Plus::Use_Source()
{
    SharedState& s = state();
    if (chosenPath_ != s.Print_File_Path || s.Print_Source != 1)
        s.Paginated = 0;
    s.Print_File_Name = chosenName_;
    s.Print_File_Path = chosenPath_;
    s.Print_Source = 1;
    File_Selected();
}

void frm_Print_Plus::No_File_Selected()
{
    lbl_Print_File->clear();
    fra_Print_Pages->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{cmd_Print, cmd_Preview, txt_Copies})
        w->setEnabled(false);
}

void frm_Print_Plus::File_Selected()
{
    lbl_Print_File->setText(state().Print_File_Name);
    for (QWidget* w : std::initializer_list<QWidget*>{cmd_Print, cmd_Preview, txt_Copies, fra_Print_Pages})
        w->setEnabled(true);
    // Page counts exist only once the pages are made.
    if (Pagination_Current())
        Show_Current_Pages();
    else
        fra_Print_Pages->hide();
}

void frm_Print_Plus::Show_Current_Pages()
{
    const int total = state().Page_Total;
    fra_Print_Pages->show();
    txt_First_Page->setText(QStringLiteral("1"));
    txt_Last_Page->setText(QString::number(total));
    lbl_Print_Pages[0]->setText(total == 1 ? QStringLiteral("All of 1 page")
                                           : QStringLiteral("All of %1 pages").arg(total));
    opt_Print_Pages[0]->setChecked(true);
    Pages_Option(0);
}

void frm_Print_Plus::Pages_Option(int index)
{
    txt_First_Page->setEnabled(index == 1);
    txt_Last_Page->setEnabled(index == 1);
}

bool frm_Print_Plus::Count_Pages()
{
    SharedState& s = state();
    if (Pagination_Current())
        return true;
    s.Print_Source = 1;
    const QString caption = (s.Print_To_Printer == 1 ? QStringLiteral("Print ") : QStringLiteral("Preview "))
        + QStringLiteral("Source File");
    return ::Count_Pages(caption);
}

void frm_Print_Plus::Preview_File()
{
    SharedState& s = state();
    s.Dialog_Cancelled = false;
    s.Print_To_Printer = 0;
    if (!Count_Pages())
        return;
    Show_Preview();
    Show_Current_Pages();
}

void frm_Print_Plus::Print_File()
{
    SharedState& s = state();
    s.Dialog_Cancelled = false;
    s.Print_To_Printer = 1;
    if (!Count_Pages())
        return;
    if (opt_Print_Pages[0]->isChecked() || fra_Print_Pages->isHidden()) {
        s.First_Page = 1;
        s.Last_Page = s.Page_Total;
    } else {
        const int first = pagination::Clamp_Number(txt_First_Page->text(), 1, s.Page_Total);
        const int last = pagination::Clamp_Number(txt_Last_Page->text(), 1, s.Page_Total);
        s.First_Page = std::min(first, last);
        s.Last_Page = std::max(first, last);
    }
    s.Print_Copies = pagination::Clamp_Number(txt_Copies->text(), 1, 99);
    Print_Page_Range();
    Show_Current_Pages();
}

void frm_Print_Plus::Print_File_List()
{
    QStringList names;
    for (int i = 0; i < fil_Source->count(); ++i)
        names << fil_Source->item(i)->text();
    Print_Name_List(lbl_Working_Folder->text(), names);
}

void frm_Print_Plus::Page_Setup_Click()
{
    hideFrame();
    frm_Pg_Setup_Text* setup = forms::Pg_Setup_Text();
    connect(
        setup, &frm_Pg_Setup_Text::closed, this,
        [this] {
            showFrame();
            if (frame())
                frame()->raise();
            Adjust_for_Printer();
            if (state().Paginated == 0)
                No_File_Selected();
            cmd_Page_Setup->setFocus();
        },
        Qt::SingleShotConnection);
    frm_Pg_Setup_Text::Open_Dialog(false);
}

void frm_Print_Plus::Close_Form()
{
    state().Print_Plus_Open = 0;
    lbl_Print_File->clear();
    Close_Dialog(this);
}

void frm_Print_Plus::Number_Left(QLineEdit* box)
{
    const int high = box == txt_Copies ? 99 : std::max(state().Page_Total, 1);
    box->setText(QString::number(pagination::Clamp_Number(box->text(), 1, high)));
}

bool frm_Print_Plus::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 2; ++i)
        if (watched == lbl_Print_Pages[i] && event->type() == QEvent::MouseButtonPress) {
            opt_Print_Pages[i]->setChecked(true);
            opt_Print_Pages[i]->setFocus();
            return true;
        }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && (box == txt_First_Page || box == txt_Last_Page || box == txt_Copies)) {
        if (event->type() == QEvent::FocusOut && box->isEnabled())
            Number_Left(box);
        if (event->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(event);
            if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && k->modifiers() == Qt::NoModifier) {
                // first page -> last page -> copies -> Print
                QWidget* next = box == txt_First_Page ? static_cast<QWidget*>(txt_Last_Page)
                    : box == txt_Last_Page           ? static_cast<QWidget*>(txt_Copies)
                                                     : static_cast<QWidget*>(cmd_Print);
                next->setFocus();
                return true;
            }
        }
    }
    return ToolWindow::eventFilter(watched, event);
}
