#include "source/frm_Source_Save_As.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/vb_keys.h"
#include "source/source_document.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

frm_Source_Save_As::frm_Source_Save_As(QWidget* parent)
    : NameDialog(QStringLiteral("Save Source File"), parent)
{
    setObjectName(QStringLiteral("frm_Source_Save_As"));
    lbl_Name = new QLabel(QStringLiteral("Filename:"), this);
    txt_Save_As = new QLineEdit(this);
    txt_Save_As->setObjectName(QStringLiteral("txt_Save_As"));
    lbl_Name->setBuddy(txt_Save_As);
    auto* grid = new QGridLayout(this);
    grid->addWidget(lbl_Name, 0, 0, 1, 2);
    grid->addWidget(txt_Save_As, 1, 0, 1, 2);
    lst_Html_Pages = Add_List_And_Buttons(grid, 2,
                                          QStringLiteral("Current Files: (double click to select existing file.)"),
                                          QStringLiteral("lst_Html_Pages"), cmd_Save_As, QStringLiteral("&Save File"),
                                          QStringLiteral("cmd_Save_As"));
    // Enter in the name box only moves here; Enter on the focused button saves.
    cmd_Save_As->setAutoDefault(true);
    setFixedSize(340, 400);

    setTabOrder(txt_Save_As, cmd_Save_As);
    setTabOrder(cmd_Save_As, cmd_Cancel);
    setTabOrder(cmd_Cancel, lst_Html_Pages);
    txt_Save_As->installEventFilter(this);

    connect(cmd_Save_As, &QPushButton::clicked, this, [this] { Complete_Save_As(); });
    connect(lst_Html_Pages, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        // Choosing an existing file only fills in its name; nothing is saved yet.
        txt_Save_As->setText(item->text());
        txt_Save_As->setFocus();
    });
    Form_Load();
}

void frm_Source_Save_As::Form_Load()
{
    const SharedState& s = state();
    const QString name = srcdoc::Current_Name(s.Source_Title);
    Fill_List(lst_Html_Pages, s.Working_Pages_Folder, name);
    names_.clear();
    for (int i = 0; i < lst_Html_Pages->count(); ++i)
        names_ << lst_Html_Pages->item(i)->text();
    txt_Save_As->setText(name);
    txt_Save_As->selectAll();
    txt_Save_As->setFocus();
}

void frm_Source_Save_As::Complete_Save_As()
{
    const QString name = txt_Save_As->text();
    const QString problem = srcdoc::Save_As_Name_Problem(name);
    if (!problem.isEmpty()) {
        dialogs::message(problem, dialogs::Buttons::Ok, dialogs::Icon::Exclamation, srcdoc::kFileNameTitle);
        txt_Save_As->setFocus();
        txt_Save_As->selectAll();
        return;
    }
    // "page.rtf" names the same source as "page": both ask before replacing it.
    const int replaced = srcdoc::Replaced_Entry(names_, name);
    if (replaced >= 0) {
        const dialogs::Answer a = dialogs::message(srcdoc::kReplaceQuestion, dialogs::Buttons::YesNo,
                                                   dialogs::Icon::Exclamation, srcdoc::kReplaceTitle,
                                                   dialogs::Answer::No);
        if (a != dialogs::Answer::Yes) {
            Select_Row(lst_Html_Pages, replaced);
            txt_Save_As->setFocus();
            return;
        }
    }
    SharedState& s = state();
    s.Source_Title = name;
    s.Dialog_Cancelled = false;
    accept();
}

bool frm_Source_Save_As::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txt_Save_As) {
        if (event->type() == QEvent::FocusIn) {
            // The whole name is selected, so typing replaces it.
            QTimer::singleShot(0, txt_Save_As, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::KeyPress) {
            const vb::KeyStroke k = vb::fromEvent(*static_cast<QKeyEvent*>(event));
            if (k.shift == 0 && k.keyCode == vb::Key_Return) {
                cmd_Save_As->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return NameDialog::eventFilter(watched, event);
}
