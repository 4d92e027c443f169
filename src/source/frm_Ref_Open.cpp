#include "source/frm_Ref_Open.h"

#include "core/shared_state.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

frm_Ref_Open::frm_Ref_Open(QWidget* parent) : NameDialog(QStringLiteral("Open Reference File"), parent)
{
    setObjectName(QStringLiteral("frm_Ref_Open"));
    lst_Ref_Pages = Add_List_And_Buttons(new QGridLayout(this), 0,
                                         QStringLiteral("Select a File (double click opens file.):"),
                                         QStringLiteral("lst_Ref_Pages"), cmd_Open, QStringLiteral("&Open"),
                                         QStringLiteral("cmd_Open"));
    cmd_Open->setDefault(true);
    setFixedSize(320, 360);

    connect(cmd_Open, &QPushButton::clicked, this, [this] { Complete_Open(); });
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
