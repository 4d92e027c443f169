#include "site/frm_Find_Site.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "site/frm_Site_Results.h"
#include "ui/link_updates.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Find in Site");

std::vector<frm_Site_Results::Row> rowsOf(const sitekit::FileResult& r)
{
    std::vector<frm_Site_Results::Row> rows;
    if (!r.skipped.isEmpty()) {
        rows.push_back({QStringLiteral("Skipped"), r.file.shown, QString(), 0, 0, 0, QString(), r.skipped});
        return rows;
    }
    for (const sitekit::Hit& h : r.hits) {
        // The match between two marks, the line as it is around it.
        const QString shown = h.lineText.left(h.inLine) + QStringLiteral("\u00bb") + h.lineText.mid(h.inLine, h.length)
                            + QStringLiteral("\u00ab") + h.lineText.mid(h.inLine + h.length);
        rows.push_back({r.file.shown, r.file.shown, r.file.page, h.line, h.column, h.length, shown, QString()});
    }
    return rows;
}

} // namespace

frm_Find_Site::frm_Find_Site(frm_Site_Results* results, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      results_(results)
{
    setObjectName(QStringLiteral("frm_Find_Site"));
    setWindowTitle(kCaption);
    setModal(false);
    lbl_Find = new QLabel(QStringLiteral("&1. Find What:"), this);
    txt_Find = new QLineEdit(this);
    txt_Find->setObjectName(QStringLiteral("txt_Find"));
    lbl_Find->setBuddy(txt_Find);
    lbl_Replace = new QLabel(QStringLiteral("&2. Replace With:"), this);
    txt_Replace = new QLineEdit(this);
    txt_Replace->setObjectName(QStringLiteral("txt_Replace"));
    lbl_Replace->setBuddy(txt_Replace);
    chk_Match_Case = new QCheckBox(QStringLiteral("&Match Case"), this);
    chk_Whole_Word = new QCheckBox(QStringLiteral("&Whole Word"), this);
    chk_Regular_Expression = new QCheckBox(QStringLiteral("&Regular Expression"), this);
    lbl_Where = new QLabel(QStringLiteral("Look i&n:"), this);
    cbo_Where = new QComboBox(this);
    cbo_Where->addItems({QStringLiteral("Sources and pages without a source"), QStringLiteral("Sources only"),
                         QStringLiteral("Pages without a source only")});
    lbl_Where->setBuddy(cbo_Where);
    cmd_Find_All = new QPushButton(QStringLiteral("&Find All"), this);
    cmd_Find_All->setObjectName(QStringLiteral("cmd_Find_All"));
    cmd_Replace_All = new QPushButton(QStringLiteral("R&eplace All in Site"), this);
    cmd_Replace_All->setObjectName(QStringLiteral("cmd_Replace_All"));
    cmd_Undo_Replace = new QPushButton(QStringLiteral("&Undo Replace in Site"), this);
    cmd_Undo_Replace->setObjectName(QStringLiteral("cmd_Undo_Replace"));
    cmd_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmd_Close = new QPushButton(QStringLiteral("&X"), this);
    cmd_Close->setObjectName(QStringLiteral("cmd_Close"));
    cmd_Close->setToolTip(QStringLiteral("Close"));
    prg_Search = new QProgressBar(this);
    prg_Search->setRange(0, 0);
    lbl_Status = new QLabel(this);
    lbl_Status->setObjectName(QStringLiteral("lbl_Status"));
    lbl_Status->setWordWrap(true);
    for (QPushButton* b : {cmd_Find_All, cmd_Replace_All, cmd_Undo_Replace, cmd_Cancel, cmd_Close})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(lbl_Find, 0, 0);
    grid->addWidget(txt_Find, 0, 1);
    grid->addWidget(lbl_Replace, 1, 0);
    grid->addWidget(txt_Replace, 1, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(chk_Match_Case);
    options->addWidget(chk_Whole_Word);
    options->addWidget(chk_Regular_Expression);
    options->addStretch();
    grid->addLayout(options, 2, 1);
    grid->addWidget(lbl_Where, 3, 0);
    grid->addWidget(cbo_Where, 3, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmd_Find_All, cmd_Replace_All, cmd_Undo_Replace})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmd_Close);
    auto* progress = new QHBoxLayout;
    progress->addWidget(prg_Search, 1);
    progress->addWidget(cmd_Cancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addLayout(buttons);
    column->addWidget(lbl_Status);
    column->addLayout(progress);
    column->addStretch();
    prg_Search->hide();
    cmd_Cancel->hide();
    QWidget* order[] = {txt_Find, txt_Replace, chk_Match_Case, chk_Whole_Word, chk_Regular_Expression, cbo_Where,
                        cmd_Find_All, cmd_Replace_All, cmd_Undo_Replace, cmd_Close, cmd_Cancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(cmd_Find_All, &QPushButton::clicked, this, [this] { Find_All(); });
    connect(cmd_Replace_All, &QPushButton::clicked, this, [this] { Replace_All_In_Site(); });
    connect(cmd_Undo_Replace, &QPushButton::clicked, this, [this] { Undo_Replace_In_Site(); });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { Stop_Search(); });
    connect(cmd_Close, &QPushButton::clicked, this, &QDialog::close);
    connect(txt_Find, &QLineEdit::textChanged, this, [this] { Update_Buttons(); });
    connect(chk_Regular_Expression, &QCheckBox::toggled, this, [this] { Update_Buttons(); });

    resize(560, sizeHint().height());
    const QStringList place = state().More.Find_In_Site_Window.split(QLatin1Char(','));
    if (place.size() == 4) {
        const QRect r(place[0].toInt(), place[1].toInt(), place[2].toInt(), place[3].toInt());
        if (r.width() > 100 && r.height() > 50) {
            resize(r.size());
            move(r.topLeft());
            placed_ = true;
        }
    }
    Update_Buttons();
}

frm_Find_Site::~frm_Find_Site()
{
    cancel_ = true;
    if (worker_) {
        worker_->wait();
        delete worker_;
    }
}

sitekit::SearchRequest frm_Find_Site::Request() const
{
    sitekit::SearchRequest r;
    r.find = txt_Find->text();
    r.matchCase = chk_Match_Case->isChecked();
    r.wholeWord = chk_Whole_Word->isChecked();
    r.regularExpression = chk_Regular_Expression->isChecked();
    r.where = sitekit::SearchRequest::Where(cbo_Where->currentIndex());
    return r;
}

void frm_Find_Site::Start_Find_In_Site(const QString& selection)
{
    if (!selection.isEmpty() && !selection.contains(QLatin1Char('\n')) && !selection.contains(QLatin1Char('\r')))
        txt_Find->setText(selection);
    show();
    raise();
    activateWindow();
    txt_Find->setFocus(Qt::ShortcutFocusReason);
    txt_Find->selectAll();
}

void frm_Find_Site::Update_Buttons()
{
    const QString problem = sitekit::requestProblem(Request());
    if (!problem.isEmpty())
        lbl_Status->setText(problem);
    else if (lbl_Status->text().startsWith(QStringLiteral("Invalid regular expression")))
        lbl_Status->clear();
    const bool can = !txt_Find->text().isEmpty() && problem.isEmpty() && !Searching();
    cmd_Find_All->setEnabled(can);
    cmd_Replace_All->setEnabled(can);
    cmd_Undo_Replace->setEnabled(!backups_.empty() && !Searching());
}

void frm_Find_Site::Find_All()
{
    const sitekit::SearchRequest request = Request();
    if (request.find.isEmpty() || !sitekit::requestProblem(request).isEmpty())
        return;
    Stop_Search();
    const std::vector<sitekit::SearchFile> files = sitekit::searchFiles(
        state().Working_Folder, linkui::siteOptions().pageExtensions, request.where);
    searched_ = request;
    results.clear();
    results_->Begin_Rows(kCaption, QStringLiteral("Text"));
    results_->show();
    activateWindow();  // the results beside, the typing here
    cancel_ = false;
    const int generation = ++generation_;
    found_ = std::make_shared<std::vector<sitekit::FileResult>>();
    auto found = found_;
    auto* self = this;
    worker_ = QThread::create([self, files, request, found, generation] {
        *found = sitekit::searchSite(files, request, self->cache_, [self, generation](const sitekit::FileResult& r) {
            const std::vector<frm_Site_Results::Row> rows = rowsOf(r);
            QMetaObject::invokeMethod(self, [self, generation, rows] {
                if (generation == self->generation_)
                    self->results_->Add_Rows(rows);
            }, Qt::QueuedConnection);
        }, &self->cancel_);
    });
    QThread* thread = worker_;
    connect(thread, &QThread::finished, this, [this, generation, thread] {
        thread->deleteLater();
        if (worker_ != thread)
            return;  // stopped: already listed
        worker_ = nullptr;
        if (generation == generation_)
            Searched();
    });
    lbl_Status->setText(QStringLiteral("Searching..."));
    prg_Search->show();
    cmd_Cancel->show();
    Update_Buttons();
    worker_->start();
}

void frm_Find_Site::Stop_Search()
{
    if (!worker_)
        return;
    cancel_ = true;
    worker_->wait();
    // What was found up to here stays listed.
    ++generation_;
    worker_ = nullptr;  // deleted once its end is seen
    results = std::move(*found_);
    Show_Results(false);
    lbl_Status->setText(lbl_Status->text() + QStringLiteral(" (cancelled)"));
}

void frm_Find_Site::Searched()
{
    results = std::move(*found_);
    Show_Results(false);
}

void frm_Find_Site::Show_Results(bool takeFocus)
{
    prg_Search->hide();
    cmd_Cancel->hide();
    std::vector<frm_Site_Results::Row> rows;
    for (const sitekit::FileResult& r : results) {
        const std::vector<frm_Site_Results::Row> more = rowsOf(r);
        rows.insert(rows.end(), more.begin(), more.end());
    }
    // Skipped files after the matches.
    std::stable_partition(rows.begin(), rows.end(), [](const frm_Site_Results::Row& r) { return !r.path.isEmpty(); });
    const QString count = sitekit::countText(results);
    results_->Show_Rows(kCaption, rows, count, takeFocus);
    lbl_Status->setText(count);
    Update_Buttons();
}

void frm_Find_Site::Replace_All_In_Site()
{
    const sitekit::SearchRequest request = Request();
    if (request.find.isEmpty() || !sitekit::requestProblem(request).isEmpty())
        return;
    Stop_Search();
    // The matches replaced are the ones found for these very options.
    if (!(request.find == searched_.find && request.matchCase == searched_.matchCase
          && request.wholeWord == searched_.wholeWord && request.regularExpression == searched_.regularExpression
          && request.where == searched_.where)
        || results.empty()) {
        searched_ = request;
        results = sitekit::searchSite(sitekit::searchFiles(state().Working_Folder,
                                                           linkui::siteOptions().pageExtensions, request.where),
                                      request, cache_);
        Show_Results(false);
    }
    int matches = 0, files = 0;
    for (const sitekit::FileResult& r : results)
        if (!r.hits.empty()) {
            matches += int(r.hits.size());
            ++files;
        }
    if (matches == 0)
        return;
    const QString question = QStringLiteral("Replace %1 %2 in %3 %4?")
                                 .arg(matches)
                                 .arg(matches == 1 ? QStringLiteral("match") : QStringLiteral("matches"))
                                 .arg(files)
                                 .arg(files == 1 ? QStringLiteral("file") : QStringLiteral("files"));
    if (dialogs::message(question, dialogs::Buttons::YesNo, dialogs::Icon::Question, kCaption, dialogs::Answer::No)
        != dialogs::Answer::Yes)
        return;
    const QStringList open = editorPaths ? editorPaths() : QStringList();
    const SharedState& s = state();
    sitekit::ReplaceOutcome out = sitekit::replaceInSite(results, request, txt_Replace->text(), sitekit::backupFolder(),
                                                         {s.Font_Name, s.Font_Size}, open);
    for (const sitekit::FileResult& r : results)
        if (!r.hits.empty() && open.contains(r.file.path) && replaceInEditor) {
            out.matches += replaceInEditor(request, txt_Replace->text());
            ++out.files;
            break;
        }
    backups_ = std::move(out.backups);
    QString report = QStringLiteral("Replaced %1 %2 in %3 %4.")
                         .arg(out.matches)
                         .arg(out.matches == 1 ? QStringLiteral("match") : QStringLiteral("matches"))
                         .arg(out.files)
                         .arg(out.files == 1 ? QStringLiteral("file") : QStringLiteral("files"));
    if (!out.changedSince.isEmpty())
        report += QStringLiteral("\nChanged on disk since the search, left as they are: ") + out.changedSince.join(QStringLiteral(", "));
    if (!out.failed.isEmpty())
        report += QStringLiteral("\nNot changed: ") + out.failed.join(QStringLiteral("; "));
    if (!out.changedSince.isEmpty() || !out.failed.isEmpty())
        dialogs::message(report, dialogs::Buttons::Ok, dialogs::Icon::Exclamation, kCaption);
    Find_All();
    lbl_Status->setText(report);
}

void frm_Find_Site::Undo_Replace_In_Site()
{
    Stop_Search();
    const sitekit::UndoOutcome out = sitekit::undoReplace(backups_);
    backups_.clear();
    QString report = QStringLiteral("%1 %2 put back.").arg(out.restored).arg(out.restored == 1 ? QStringLiteral("file")
                                                                                                 : QStringLiteral("files"));
    if (!out.changedSince.isEmpty())
        report += QStringLiteral("\nChanged since the replace, left as they are: ") + out.changedSince.join(QStringLiteral(", "));
    if (!out.failed.isEmpty())
        report += QStringLiteral("\nNot put back: ") + out.failed.join(QStringLiteral("; "));
    if (!out.changedSince.isEmpty() || !out.failed.isEmpty())
        dialogs::message(report, dialogs::Buttons::Ok, dialogs::Icon::Exclamation, kCaption);
    Find_All();
    lbl_Status->setText(report);
    Update_Buttons();
}

void frm_Find_Site::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        emit editorFocusRequested();
        return;
    }
    // Enter presses the focused button; in the Find box it searches.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
            b->click();
            return;
        }
        if (focusWidget() == txt_Find || focusWidget() == txt_Replace) {
            Find_All();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void frm_Find_Site::closeEvent(QCloseEvent* event)
{
    Stop_Search();
    Remember_Place();
    QDialog::closeEvent(event);
    emit editorFocusRequested();
}

void frm_Find_Site::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    if (isVisible())
        Remember_Place();
}

void frm_Find_Site::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (isVisible())
        Remember_Place();
}

void frm_Find_Site::Remember_Place()
{
    const QRect r = geometry();
    state().More.Find_In_Site_Window =
        QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}
