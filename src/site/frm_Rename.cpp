#include "site/frm_Rename.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/vb_keys.h"
#include "site/page_pairs.h"
#include "ui/folder_controls.h"
#include "ui/link_updates.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TESK_DEFINE_FORM(frm_Rename, Rename)

frm_Rename::frm_Rename() : PageDialog(pages::kRenameCaption, 2)
{
    setObjectName(QStringLiteral("frm_Rename"));
    auto* extra = new QWidget(this);
    cmd_Rename = new QPushButton(QStringLiteral("&Rename Current File"), extra);
    cmd_Rename->setObjectName(QStringLiteral("cmd_Rename"));
    txt_Rename = new QLineEdit(extra);
    txt_Rename->setObjectName(QStringLiteral("txt_Rename"));
    txt_Rename->hide();
    lbl_Rename_Hint = new QLabel(extra);
    lbl_Rename_Hint->setObjectName(QStringLiteral("lbl_Rename_Hint"));
    lbl_Rename_Hint->setWordWrap(true);
    lbl_Rename_Hint->hide();
    auto* column = new QVBoxLayout(extra);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(txt_Rename);
    column->addWidget(lbl_Rename_Hint);
    column->addWidget(cmd_Rename, 0, Qt::AlignLeft);
    Lay_Out(extra);
    setTabOrder(lst_Html_Pages, txt_Rename);
    setTabOrder(txt_Rename, cmd_Rename);
    setTabOrder(cmd_Rename, cmd_Exit);
    txt_Rename->installEventFilter(this);
    connect(cmd_Rename, &QPushButton::clicked, this, [this] { Select_to_Rename(); });
}

void frm_Rename::Open_Dialog()
{
    forms::Rename()->Open();
}

void frm_Rename::Select_to_Rename()
{
    if (Source_Title.isEmpty())
        return;
    boxTitle_ = Source_Title;
    boxSource_ = Source_Path;
    boxPage_ = HTML_Path;
    txt_Rename->setText(Source_Title);
    lbl_Rename_Hint->hide();
    txt_Rename->show();
    txt_Rename->selectAll();
    txt_Rename->setFocus();
}

void frm_Rename::closeBox()
{
    // Hidden before the focus moves on, so leaving it cannot rename again.
    txt_Rename->hide();
    lbl_Rename_Hint->hide();
}

void frm_Rename::Before_End()
{
    closeBox();
}

void frm_Rename::tell(const QString& text, const QString& title)
{
    dialogs::message(text, dialogs::Buttons::Ok, dialogs::Icon::Critical, title);
}

bool frm_Rename::replaceExisting(const QString& name, const QStringList& targets)
{
    if (dialogs::message(pages::Replace_Page_Question(name), dialogs::Buttons::YesNo, dialogs::Icon::Exclamation,
                         pages::kReplacePageTitle, dialogs::Answer::No)
        != dialogs::Answer::Yes)
        return false;
    for (const QString& t : targets)
        if (fs::isReadOnly(t)) {
            tell(pages::Read_Only_Not_Renamed(name), pages::kProtectedFileTitle);
            return false;
        }
    for (const QString& t : targets) {
        // The page replaced can still be got back from the trash.
        fs::Result r = fs::moveToTrash(t);
        if (r == fs::Result::IoError)
            r = fs::removeFile(t);
        if (r != fs::Result::Ok && r != fs::Result::NotFound) {
            tell(pages::Delete_Failed(fs::fileName(t), fs::describe(r)), pages::kRenameFailedTitle);
            return false;
        }
    }
    return true;
}

void frm_Rename::Rename_Current_File()
{
    if (renaming_ || !txt_Rename->isVisible())
        return;
    const QString name = pages::Typed_Page_Name(txt_Rename->text());
    if (boxSource_.isEmpty() || txt_Rename->text().isEmpty() || name == boxTitle_) {
        closeBox();
        return;
    }
    if (const QString problem = pages::Page_Name_Problem(name); !problem.isEmpty()) {
        // The box stays open with the name to mend.
        lbl_Rename_Hint->setText(problem);
        lbl_Rename_Hint->show();
        QTimer::singleShot(0, txt_Rename, [this] {
            txt_Rename->setFocus();
            txt_Rename->selectAll();
        });
        return;
    }
    closeBox();
    renaming_ = true;
    const SharedState& s = state();
    const QString oldTitle = boxTitle_;
    const QString oldSource = boxSource_;
    const QString oldPage = boxPage_;
    const bool hasSource = fs::exists(oldSource);
    const pages::Pair target = pages::Pair_Of(name, s.Working_Pages_Folder, s.Final_Pages_Folder,
                                              pages::Kept_Extension(oldPage));
    auto finish = [this] { renaming_ = false; };

    if ((hasSource && fs::isReadOnly(oldSource)) || (!oldPage.isEmpty() && fs::isReadOnly(oldPage))) {
        tell(pages::Read_Only_Not_Renamed(oldTitle), pages::kProtectedFileTitle);
        return finish();
    }
    // Another page of the new name is replaced only when the user says so
    // (a name differing only in letter case may be this page itself).
    QStringList existing;
    for (const QString& t : {target.source, target.page})
        if (fs::exists(t) && !fs::canonicalPath(t).isEmpty()
            && fs::canonicalPath(t) != fs::canonicalPath(oldSource) && fs::canonicalPath(t) != fs::canonicalPath(oldPage))
            existing << t;
    if (!existing.isEmpty() && !replaceExisting(name, existing))
        return finish();

    // Real renames keep the files' dates and permissions; the links to the
    // page follow it when the user says so, and a file that cannot be
    // written or moved puts everything back, so the pair stays whole.
    std::vector<std::pair<QString, QString>> moves;
    if (!oldPage.isEmpty())
        moves.emplace_back(oldPage, target.page);
    if (hasSource)
        moves.emplace_back(oldSource, target.source);
    const linkui::Renamed done = linkui::renameWithLinks(moves, pages::kRenameCaption);
    if (done.outcome == linkui::Renamed::Outcome::Cancelled)
        return finish();
    if (done.outcome == linkui::Renamed::Outcome::Failed) {
        tell(done.linkUpdate ? linkui::updateFailed(done) : pages::Rename_Failed(oldTitle, done.why),
             pages::kRenameFailedTitle);
        return finish();
    }
    emit pageRenamed(oldSource, name);
    emit showPage(s.Help_File);
    Forget_Page();
    Display_List();
    lst_Html_Pages->setFocus();
    finish();
}

bool frm_Rename::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txt_Rename) {
        if (event->type() == QEvent::KeyPress) {
            const vb::KeyStroke k = vb::fromEvent(*static_cast<QKeyEvent*>(event));
            if (k.shift == 0 && (k.keyCode == vb::Key_Tab || k.keyCode == vb::Key_Return)) {
                lst_Html_Pages->setFocus();
                return true;
            }
            if (k.shift == 0 && k.keyCode == vb::Key_Escape) {
                // Esc leaves the name as it was.
                closeBox();
                lst_Html_Pages->setFocus();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // A message box or another program taking the focus is not leaving the box.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                QTimer::singleShot(0, this, [this] { Rename_Current_File(); });
        }
    }
    return PageDialog::eventFilter(watched, event);
}
