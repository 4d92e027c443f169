#include "site/frm_Verify.h"

#include "platform/dialogs.h"
#include "ui/tool_window.h"
#include "ui/window_manner.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frm_Verify::frm_Verify(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Verify"));
    setWindowTitle(copying::kVerifyCaption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    lbl_File = new QLabel(this);
    lbl_File->setObjectName(QStringLiteral("lbl_File"));
    lbl_File->setFrameShape(QFrame::Panel);
    lbl_File->setFrameShadow(QFrame::Sunken);
    lbl_File->setMinimumWidth(260);

    const char* captions[4] = {"Replace &All Files", "&Replace This File", "Do &Not Replace This File",
                               "&Cancel File Copying"};
    auto* buttons = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        cmd_Replace[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        cmd_Replace[i]->setObjectName(QStringLiteral("cmd_Replace_%1").arg(i));
        cmd_Replace[i]->setAutoDefault(true);
        buttons->addWidget(cmd_Replace[i]);
        connect(cmd_Replace[i], &QPushButton::clicked, this, [this, i] {
            answer_ = static_cast<copying::Answer>(i);
            accept();
        });
    }
    cmd_Close = Make_Close_Button(this, QStringLiteral("cmd_Close"));
    connect(cmd_Close, &QPushButton::clicked, this, &QDialog::reject);
    // Esc and the title bar's close button reject too: the answer stays Cancel.

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("This file is already in the folder to copy to:"), this), 0, 0);
    grid->addWidget(cmd_Close, 0, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(lbl_File, 1, 0, 1, 2);
    grid->addLayout(buttons, 2, 0, 1, 2);

    Install_Key_Preview(this, [this](int& keyCode, int shift) { return Move_Window_Keys(keyCode, shift, this); });
}

copying::Answer frm_Verify::Ask(const QString& relativePath)
{
    frm_Verify dlg(dialogs::parentWindow());
    dlg.lbl_File->setText(relativePath);
    // The safe answer has the focus: Enter keeps the file that is there.
    dlg.cmd_Replace[2]->setFocus();
    dialogs::exec(dlg);
    return dlg.answer();
}
