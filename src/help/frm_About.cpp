#include "help/frm_About.h"

#include "core/main_window_port.h"
#include "core/shared_state.h"
#include "core/site_layout.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"
#include "ui/window_manner.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

TESK_DEFINE_FORM(frm_About, About)

frm_About::frm_About() : ToolWindow(QStringLiteral("About Tesk Web Editor"))
{
    setObjectName(QStringLiteral("frm_About"));
    pic_Logo = new QLabel(this);
    pic_Logo->setObjectName(QStringLiteral("pic_Logo"));
    pic_Logo->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    pic_Logo->setFixedSize(64, 64);

    lbl_Title = new QLabel(QStringLiteral("Tesk Web Editor"), this);
    lbl_Title->setObjectName(QStringLiteral("lbl_Title"));
    QFont big = lbl_Title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lbl_Title->setFont(big);
    lbl_Demo = new QLabel(QStringLiteral("Demo"), this);
    lbl_Demo->setObjectName(QStringLiteral("lbl_Demo"));
    lbl_Version = new QLabel(QStringLiteral("Version 1.0.0"), this);
    lbl_Version->setObjectName(QStringLiteral("lbl_Version"));

    cmd_Ok = new QPushButton(QStringLiteral("&OK"), this);
    cmd_Ok->setObjectName(QStringLiteral("cmd_Ok"));
    cmd_Close = Make_Close_Button(this, QStringLiteral("cmd_Close"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 12, 16, 12);
    grid->setHorizontalSpacing(16);
    auto* close = new QHBoxLayout;
    close->addStretch();
    close->addWidget(cmd_Close);
    grid->addLayout(close, 0, 0, 1, 2);
    grid->addWidget(pic_Logo, 1, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lbl_Title, 1, 1);
    grid->addWidget(lbl_Demo, 2, 1);
    grid->addWidget(lbl_Version, 3, 1);
    auto* ok = new QHBoxLayout;
    ok->addStretch();
    ok->addWidget(cmd_Ok);
    ok->addStretch();
    grid->addLayout(ok, 4, 0, 1, 2);
    grid->setRowMinimumHeight(4, cmd_Ok->sizeHint().height() + 16);

    connect(cmd_Ok, &QPushButton::clicked, this, [this] { Close_Form(); });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { Close_Form(); });
    setMover(Mover::InnerArea);
}

void frm_About::Form_Load()
{
    joinMainWindowAsDialog();
}

void frm_About::Show_About()
{
    Hide_Tool_Windows();
    frm_About* d = forms::About();
    d->showFrame();
    if (QMdiSubWindow* f = d->frame())
        f->raise();
    d->Form_Activate();
    d->cmd_Ok->setFocus(Qt::OtherFocusReason);
}

void frm_About::Form_Activate()
{
    // The same rule as the working-folder dialog: centred over the inner
    // area, or at its top left with the help window moved off the corner.
    const SharedState& s = state();
    QPoint mainWindow(0, 0);
    if (const MainWindowPort* m = mainWindowPort())
        mainWindow = QPoint(Twips_From_Px_X(m->frameGeometryPx().x()), Twips_From_Px_Y(m->frameGeometryPx().y()));
    const QPoint help(Twips_From_Px_X(s.Help_Left), Twips_From_Px_Y(s.Help_Top));
    const site::DialogPlacement p = site::Place_Working_Dialog(
        QSize(s.Client_Width, s.Client_Height), geometryTwips().size(), s.Help_Shown, mainWindow, help);
    if (p.moveHelp)
        Move_Help_Window(Px_From_Twips_X(p.help.x()), Px_From_Twips_Y(p.help.y()));
    if (p.moveDialog)
        moveTwips(p.dialog.x(), p.dialog.y());
}

void frm_About::Close_Form()
{
    hideFrame();
    Arrange_Windows();
}

void frm_About::closeRequested() { Close_Form(); }

bool frm_About::windowKey(int keyCode, int shift)
{
    if (keyCode == vb::Key_Escape && shift == 0) {
        Close_Form();
        return true;
    }
    if (keyCode == vb::Key_Return && shift == 0) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
            b->click();
            return true;
        }
    }
    return ToolWindow::windowKey(keyCode, shift);
}
