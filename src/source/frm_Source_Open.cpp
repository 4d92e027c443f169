#include "source/frm_Source_Open.h"

#include "core/shared_state.h"
#include "source/source_document.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

frm_Source_Open::frm_Source_Open(QWidget* parent) : NameDialog(QStringLiteral("Open Source File"), parent)
{
    setObjectName(QStringLiteral("frm_Source_Open"));
    lst_Html_Pages = Add_List_And_Buttons(new QGridLayout(this), 0,
                                          QStringLiteral("Current Files: (double click opens file.)"),
                                          QStringLiteral("lst_Html_Pages"), cmd_Open, QStringLiteral("&Open File"),
                                          QStringLiteral("cmd_Open"));
    cmd_Open->setDefault(true);
    setFixedSize(320, 360);

    connect(cmd_Open, &QPushButton::clicked, this, [this] { Complete_Open(); });
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
