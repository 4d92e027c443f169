#include "print/frm_Print_Preview.h"

#include "print/pagination.h"
#include "print/print_engine.h"

#include "core/shared_state.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"
#include "ui/tool_window.h"
#include "ui/window_manner.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// The sheet's place in its area, and the room kept free beyond it (twips).
constexpr int kOffset = 120;
constexpr int kRoom = 720;
} // namespace

frm_Print_Preview::frm_Print_Preview(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Print_Preview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    cmd_Previous = new QPushButton(QStringLiteral("&Previous Page"), this);
    cmd_Previous->setObjectName(QStringLiteral("cmd_Previous"));
    cmd_Next = new QPushButton(QStringLiteral("&Next Page"), this);
    cmd_Next->setObjectName(QStringLiteral("cmd_Next"));
    lbl_Current_Page = new QLabel(this);
    lbl_Current_Page->setObjectName(QStringLiteral("lbl_Current_Page"));
    lbl_Total_Pages = new QLabel(this);
    lbl_Total_Pages->setObjectName(QStringLiteral("lbl_Total_Pages"));
    cmd_Close = Make_Close_Button(this, QStringLiteral("cmd_Close"));

    fra_Page = new QWidget(this);
    fra_Page->setObjectName(QStringLiteral("fra_Page"));
    fra_Page->setBackgroundRole(QPalette::Dark);
    fra_Page->setAutoFillBackground(true);
    pic_Preview = new QLabel(fra_Page);
    pic_Preview->setObjectName(QStringLiteral("pic_Preview"));
    pic_Preview->setFrameShape(QFrame::Box);
    pic_Preview->setLineWidth(1);

    auto* bar = new QHBoxLayout;
    bar->addWidget(cmd_Previous);
    bar->addWidget(cmd_Next);
    bar->addSpacing(16);
    bar->addWidget(new QLabel(QStringLiteral("Page: "), this));
    bar->addWidget(lbl_Current_Page);
    bar->addWidget(new QLabel(QStringLiteral("of"), this));
    bar->addWidget(lbl_Total_Pages);
    bar->addStretch(1);
    bar->addWidget(cmd_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(fra_Page, 1);

    connect(cmd_Next, &QPushButton::clicked, this, [this] { Next_Page(); });
    connect(cmd_Previous, &QPushButton::clicked, this, [this] { Previous_Page(); });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { accept(); });
    Install_Key_Preview(this, [this](int& keyCode, int shift) {
        if (shift != vb::AltMask && shift != (vb::AltMask | vb::ShiftMask))
            return false;
        return Move_Window_Keys(keyCode, shift, this);
    });

    // Most of the screen: the page is shown as large as it fits.
    const QRect avail = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                         : QRect(0, 0, 800, 600);
    resize(std::max(avail.width() * 2 / 3, 400), std::max(avail.height() * 9 / 10, 300));
}

void frm_Print_Preview::Form_Activate()
{
    state().Print_Scale = 1.0;
    active_ = true;
    Layout_Preview();
    Show_First_Page();
}

void frm_Print_Preview::Show_First_Page()
{
    SharedState& s = state();
    cmd_Previous->setEnabled(false);
    lbl_Total_Pages->setText(QString::number(s.Page_Total));
    cmd_Next->setEnabled(s.Page_Total >= 2);
    s.Current_Page = 1;
    lbl_Current_Page->setText(QStringLiteral("1"));
    Draw_Current_Page();
    (cmd_Next->isEnabled() ? cmd_Next : cmd_Close)->setFocus();
}

void frm_Print_Preview::Next_Page()
{
    SharedState& s = state();
    if (s.Current_Page >= s.Page_Total)
        return;
    ++s.Current_Page;
    lbl_Current_Page->setText(QString::number(s.Current_Page));
    cmd_Previous->setEnabled(true);
    if (s.Current_Page >= s.Page_Total) {
        if (cmd_Next->hasFocus())
            cmd_Previous->setFocus();
        cmd_Next->setEnabled(false);
    }
    Draw_Current_Page();
}

void frm_Print_Preview::Previous_Page()
{
    SharedState& s = state();
    if (s.Current_Page <= 1)
        return;
    --s.Current_Page;
    lbl_Current_Page->setText(QString::number(s.Current_Page));
    if (s.Current_Page <= 1) {
        if (cmd_Previous->hasFocus())
            cmd_Next->setFocus();
        cmd_Previous->setEnabled(false);
    }
    cmd_Next->setEnabled(true);
    Draw_Current_Page();
}

void frm_Print_Preview::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (active_) {
        Layout_Preview();
        Draw_Current_Page();
    }
}

void frm_Print_Preview::Layout_Preview()
{
    layout()->activate();
    const QSize area(Twips_From_Px_X(fra_Page->width()) - kOffset - kRoom,
                     Twips_From_Px_Y(fra_Page->height()) - kOffset - kRoom);
    state().Print_Scale = pagination::Preview_Scale(area, Paper_Twips());
    pic_Preview->move(Px_From_Twips_X(kOffset), Px_From_Twips_Y(kOffset));
}

void frm_Print_Preview::Draw_Current_Page()
{
    const QImage page = Preview_Page(devicePixelRatioF());
    pic_Preview->setPixmap(QPixmap::fromImage(page));
    const int frame = 2 * pic_Preview->frameWidth();
    pic_Preview->resize(page.deviceIndependentSize().toSize() + QSize(frame, frame));
}
