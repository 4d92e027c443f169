#include "source/name_dialog.h"

#include "ui/window_manner.h"
#include "platform/screen.h"
#include "core/shared_state.h"
#include "ui/tool_window.h"
#include "platform/vb_keys.h"
#include "ui/window_manner.h"
#include "source/source_document.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

NameDialog::NameDialog(const QString& caption, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(caption);
    // A dialog's title bar: its caption and a close button, nothing that
    // would minimise or maximise it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    state().Dialog_Cancelled = true;
    Install_Key_Preview(this, [this](int& keyCode, int shift) {
        if (shift != vb::AltMask && shift != (vb::AltMask | vb::ShiftMask))
            return false;
        return Move_Window_Keys(keyCode, shift, this);
    });
}

void NameDialog::Form_Activate()
{
    Place_Over_Help_Window(this);
}

void NameDialog::reject()
{
    state().Dialog_Cancelled = true;
    QDialog::reject();
}

QListWidget* NameDialog::Add_List_And_Buttons(QGridLayout* grid, int row, const QString& filesText,
                                              const QString& listName, QPushButton*& ok, const QString& okText,
                                              const QString& okName)
{
    lbl_Files = new QLabel(filesText, this);
    auto* list = new QListWidget(this);
    list->setObjectName(listName);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    lbl_Files->setBuddy(list);
    ok = new QPushButton(okText, this);
    ok->setObjectName(okName);
    cmd_Cancel = new QPushButton(QStringLiteral("&X"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    cmd_Cancel->setAutoDefault(false);
    cmd_Cancel->setToolTip(QStringLiteral(" Cancel "));
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { reject(); });

    grid->addWidget(lbl_Files, row, 0, 1, 2);
    grid->addWidget(list, row + 1, 0, 1, 2);
    grid->addWidget(ok, row + 2, 0);
    grid->addWidget(cmd_Cancel, row + 2, 1);
    grid->setColumnStretch(0, 1);
    return list;
}

void NameDialog::Fill_List(QListWidget* list, const QString& folder, const QString& name)
{
    list->clear();
    const QStringList names = srcdoc::Source_List(folder);
    list->addItems(names);
    Select_Row(list, srcdoc::Look_for_File(names, name));
}

QString NameDialog::Selected_Entry(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void NameDialog::Select_Row(QListWidget* list, int row)
{
    if (row < 0 || row >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(row);
    list->item(row)->setSelected(true);
    list->scrollToItem(list->item(row));
}

void NameDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}
