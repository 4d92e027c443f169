#include "print/frm_Page_Count.h"

#include "print/print_engine.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/rich_text_box.h"
#include "platform/vb_keys.h"
#include "ui/tool_window.h"
#include "ui/window_manner.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

frm_Page_Count::frm_Page_Count(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Page_Count"));
    setWindowTitle(QStringLiteral("Print / Preview File"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    lbl_File = new QLabel(this);
    lbl_File->setObjectName(QStringLiteral("lbl_File"));
    lbl_File->setFrameShape(QFrame::Panel);
    lbl_File->setFrameShadow(QFrame::Sunken);
    lbl_File->setMinimumWidth(260);
    lbl_Action = new QLabel(QStringLiteral("Prepare Pagination?"), this);
    lbl_Action->setObjectName(QStringLiteral("lbl_Action"));
    cmd_Repaginate = new QPushButton(QStringLiteral("Check &Pagination"), this);
    cmd_Repaginate->setObjectName(QStringLiteral("cmd_Repaginate"));
    cmd_OK = new QPushButton(QStringLiteral("&OK"), this);
    cmd_OK->setObjectName(QStringLiteral("cmd_OK"));
    cmd_OK->setDefault(true);
    cmd_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    prg_Page_Count = new QProgressBar(this);
    prg_Page_Count->setObjectName(QStringLiteral("prg_Page_Count"));
    prg_Page_Count->setRange(0, 100);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Current File:"), this), 0, 0);
    grid->addWidget(lbl_File, 0, 1, 1, 2);
    grid->addWidget(lbl_Action, 1, 0, 1, 2);
    grid->addWidget(cmd_Repaginate, 1, 0, 1, 2, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmd_OK);
    buttons->addWidget(cmd_Cancel);
    grid->addLayout(buttons, 1, 2);
    grid->addWidget(prg_Page_Count, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    setTabOrder(cmd_OK, cmd_Cancel);
    setTabOrder(cmd_Cancel, cmd_Repaginate);

    connect(cmd_OK, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(cmd_Repaginate, &QPushButton::clicked, this, [this] { Count(); });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { reject(); });
    Install_Key_Preview(this, [this](int& keyCode, int shift) {
        if (shift != vb::AltMask && shift != (vb::AltMask | vb::ShiftMask))
            return false;
        return Move_Window_Keys(keyCode, shift, this);
    });
}

void frm_Page_Count::Form_Activate()
{
    SharedState& s = state();
    s.Dialog_Cancelled = false;
    lbl_File->setText(s.Print_File_Name);
    const bool made = Pagination_Current();
    lbl_Action->setVisible(!made);
    cmd_Repaginate->setVisible(made);
    prg_Page_Count->setValue(made ? 100 : 0);
    cmd_OK->setFocus();
}

void frm_Page_Count::OK_Click()
{
    if (Pagination_Current())
        accept();
    else
        Count();
}

void frm_Page_Count::Count()
{
    if (counting_)
        return;
    SharedState& s = state();
    counting_ = true;
    stop_ = false;
    cmd_OK->setEnabled(false);
    cmd_Repaginate->setEnabled(false);
    prg_Page_Count->setValue(0);
    const CountResult r = Page_Count([this](int percent) {
        prg_Page_Count->setValue(percent);
        // The window stays responsive, and Cancel can stop a long file.
        QCoreApplication::processEvents();
        return !stop_;
    });
    counting_ = false;
    cmd_OK->setEnabled(true);
    cmd_Repaginate->setEnabled(true);
    if (r == CountResult::Done) {
        prg_Page_Count->setValue(100);
        s.Dialog_Cancelled = false;
        accept();
        return;
    }
    if (r == CountResult::Unreadable) {
        const auto why = fs::Result(Print_Box()->lastFileError());
        dialogs::message(QStringLiteral("The file could not be read:\r\n") + s.Print_File_Path + QStringLiteral("\r\n(")
                             + fs::describe(why) + QStringLiteral(")"),
                         dialogs::Buttons::Ok, dialogs::Icon::Exclamation, QStringLiteral("TWE - Print"));
    }
    s.Dialog_Cancelled = true;
    QDialog::reject();
}

void frm_Page_Count::reject()
{
    if (counting_) {
        stop_ = true;
        return;
    }
    state().Dialog_Cancelled = true;
    QDialog::reject();
}
