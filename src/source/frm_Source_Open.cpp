#include "source/frm_Source_Open.h"

#include "core/shared_state.h"
#include "source/source_document.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

frm_Source_Open::frm_Source_Open(QWidget* parent) : NameDialog(QStringLiteral("Open Source File"), parent)
{
    setObjectName(QStringLiteral("frm_Source_Open"));
    lbl_Files = new QLabel(QStringLiteral("Current Files: (double click opens file.)"), this);
    lst_Html_Pages = new QListWidget(this);
    lst_Html_Pages->setObjectName(QStringLiteral("lst_Html_Pages"));
    lst_Html_Pages->setSelectionMode(QAbstractItemView::SingleSelection);
    lbl_Files->setBuddy(lst_Html_Pages);
    cmd_Open = new QPushButton(QStringLiteral("&Open File"), this);
    cmd_Open->setObjectName(QStringLiteral("cmd_Open"));
    cmd_Open->setDefault(true);
    cmd_Cancel = new QPushButton(QStringLiteral("&X"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    cmd_Cancel->setAutoDefault(false);
    cmd_Cancel->setToolTip(QStringLiteral(" Cancel "));

    auto* grid = new QGridLayout(this);
    grid->addWidget(lbl_Files, 0, 0, 1, 2);
    grid->addWidget(lst_Html_Pages, 1, 0, 1, 2);
    grid->addWidget(cmd_Open, 2, 0);
    grid->addWidget(cmd_Cancel, 2, 1);
    grid->setColumnStretch(0, 1);
    resize(320, 360);

    connect(cmd_Open, &QPushButton::clicked, this, [this] { Complete_Open(); });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(lst_Html_Pages, &QListWidget::itemDoubleClicked, this, [this] { Complete_Open(); });
    Form_Load();
}

void frm_Source_Open::Form_Load()
{
    const SharedState& s = state();
    Fill_List(lst_Html_Pages, s.Working_Pages_Folder, srcdoc::Current_Name(s.Source_Title));
    lst_Html_Pages->setFocus();
}

void frm_Source_Open::Complete_Open()
{
    const QString entry = Selected_Entry(lst_Html_Pages);
    if (entry.isEmpty())
        return;
    SharedState& s = state();
    s.Source_Title = entry;
    s.Source_Path = s.Working_Pages_Folder + entry + QStringLiteral(".rtf");
    s.Dialog_Cancelled = false;
    accept();
}
