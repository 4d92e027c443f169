#include "site/page_dialog.h"

#include "core/shared_state.h"
#include "platform/file_system.h"
#include "site/page_pairs.h"
#include "ui/folder_controls.h"
#include "ui/window_manner.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>

PageDialog::PageDialog(const QString& caption, int pageDialogCode) : ToolWindow(caption), code_(pageDialogCode)
{
    lst_Html_Pages = new QListWidget(this);
    lst_Html_Pages->setObjectName(QStringLiteral("lst_Html_Pages"));
    lst_Html_Pages->setMinimumWidth(200);
    lbl_Current_File = new QLabel(this);
    lbl_Current_File->setObjectName(QStringLiteral("lbl_Current_File"));
    Make_Sunken(lbl_Current_File);
    lbl_Working_Folder = new QLabel(this);
    lbl_Working_Folder->setObjectName(QStringLiteral("lbl_Working_Folder"));
    Make_Sunken(lbl_Working_Folder);
    cmd_Exit = Make_Close_Button(this, QStringLiteral("cmd_Exit"));

    connect(cmd_Exit, &QPushButton::clicked, this, [this] { End(); });
    connect(lst_Html_Pages, &QListWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
}

void PageDialog::Lay_Out(QWidget* extra, QWidget* hint)
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(lst_Html_Pages, 0, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Current File:"), this), 1, 0, 1, 2);
    grid->addWidget(lbl_Current_File, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Working Folder:"), this), 3, 0, 1, 2);
    grid->addWidget(lbl_Working_Folder, 4, 0, 1, 2);
    grid->addWidget(extra, 5, 0);
    grid->addWidget(cmd_Exit, 5, 1, Qt::AlignRight | Qt::AlignBottom);
    if (hint)
        grid->addWidget(hint, 6, 0, 1, 2);
    grid->setColumnStretch(0, 1);
}

void PageDialog::Form_Load_Frame()
{
    joinMainWindowAsDialog(true, QSize(280, 360));
}

void PageDialog::Open()
{
    SharedState& s = state();
    if (s.Source_Changed)
        emit saveChangesRequested();
    s.Page_Dialog = code_;
    Save_Layout();
    open_ = true;
    Forget_Page();
    showFrame();
    moveTwips(60, 60);
    if (frame())
        frame()->raise();
    // The page chosen is shown beside the dialog, so the user sees what is
    // deleted or renamed.
    emit browserPlaced(pages::Browser_Beside_Dialog(geometryTwips(), QSize(s.Client_Width, s.Client_Height)));
    lbl_Working_Folder->setText(s.Working_Folder);
    Display_List();
    lst_Html_Pages->setFocus();
}

void PageDialog::Display_List()
{
    filling_ = true;
    lst_Html_Pages->clear();
    lst_Html_Pages->addItems(pages::Page_Names(fs::listFiles(state().Working_Pages_Folder)));
    lst_Html_Pages->setCurrentRow(-1);
    lst_Html_Pages->clearSelection();
    filling_ = false;
    lbl_Current_File->clear();
    Choice_Changed(false);
}

void PageDialog::selectionChanged()
{
    if (filling_)
        return;
    if (lst_Html_Pages->selectedItems().isEmpty())
        Choice_Changed(false);
    else
        File_Selected();
}

void PageDialog::File_Selected()
{
    const int row = lst_Html_Pages->currentRow();
    if (row < 0 || row >= lst_Html_Pages->count())
        return;
    const SharedState& s = state();
    const QString name = lst_Html_Pages->item(row)->text();
    Source_Title = name;
    lbl_Current_File->setText(name);
    Source_Path = pages::Pair_Of(name, s.Working_Pages_Folder, s.Final_Pages_Folder).source;
    HTML_Path.clear();
    for (const QString& page : pages::Page_Candidates(name, s.Final_Pages_Folder))
        if (fs::fileExists(page)) {
            HTML_Path = page;
            break;
        }
    if (!HTML_Path.isEmpty())
        emit showPage(HTML_Path);
    Choice_Changed(true);
}

void PageDialog::Forget_Page()
{
    Source_Title.clear();
    Source_Path.clear();
    HTML_Path.clear();
}

void PageDialog::End()
{
    if (!open_)
        return;
    open_ = false;
    Before_End();
    Forget_Page();
    emit showPage(state().Help_File);
    emit pagesChanged();
    hideFrame();
    Restore_Layout();
    emit browserPlaced(QRect());
}
