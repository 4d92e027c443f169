#include "source/frm_Ref_Open.h"

#include "core/shared_state.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

frm_Ref_Open::frm_Ref_Open(QWidget* parent) : NameDialog(QStringLiteral("Open Reference File"), parent)
{
    setObjectName(QStringLiteral("frm_Ref_Open"));
    lbl_Files = new QLabel(QStringLiteral("Select a File (double click opens file.):"), this);
    lst_Ref_Pages = new QListWidget(this);
    lst_Ref_Pages->setObjectName(QStringLiteral("lst_Ref_Pages"));
    lst_Ref_Pages->setSelectionMode(QAbstractItemView::SingleSelection);
    lbl_Files->setBuddy(lst_Ref_Pages);
    cmd_Open = new QPushButton(QStringLiteral("&Open"), this);
    cmd_Open->setObjectName(QStringLiteral("cmd_Open"));
    cmd_Open->setDefault(true);
    cmd_Cancel = new QPushButton(QStringLiteral("&X"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    cmd_Cancel->setAutoDefault(false);
    cmd_Cancel->setToolTip(QStringLiteral(" Cancel "));

    auto* grid = new QGridLayout(this);
    grid->addWidget(lbl_Files, 0, 0, 1, 2);
    grid->addWidget(lst_Ref_Pages, 1, 0, 1, 2);
    grid->addWidget(cmd_Open, 2, 0);
    grid->addWidget(cmd_Cancel, 2, 1);
    grid->setColumnStretch(0, 1);
    resize(320, 360);

    connect(cmd_Open, &QPushButton::clicked, this, [this] { Complete_Open(); });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(lst_Ref_Pages, &QListWidget::itemDoubleClicked, this, [this] { Complete_Open(); });
    Form_Load();
}

void frm_Ref_Open::Form_Load()
{
    const SharedState& s = state();
    Fill_List(lst_Ref_Pages, s.Reference_Folder, s.Reference_Name);
    lst_Ref_Pages->setFocus();
}

void frm_Ref_Open::Complete_Open()
{
    const QString entry = Selected_Entry(lst_Ref_Pages);
    if (entry.isEmpty())
        return;
    SharedState& s = state();
    s.Reference_Name = entry;
    s.Dialog_Cancelled = false;
    accept();
}
