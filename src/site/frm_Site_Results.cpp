#include "site/frm_Site_Results.h"

#include "core/shared_state.h"
#include "platform/file_system.h"
#include "sitekit/external_links.h"
#include "sitekit/link_check.h"
#include "sitekit/site_checks.h"
#include "ui/link_updates.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column { File, Line, Col, Text, Reason };
constexpr int PathRole = Qt::UserRole;
constexpr int LengthRole = Qt::UserRole + 1;
}

frm_Site_Results::frm_Site_Results(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Site_Results"));
    setWindowTitle(QStringLiteral("Site Results"));
    setModal(false);
    lst_Results = new QTreeWidget(this);
    lst_Results->setObjectName(QStringLiteral("lst_Results"));
    lst_Results->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Line"), QStringLiteral("Column"),
                                  QStringLiteral("Link"), QStringLiteral("Reason")});
    lst_Results->setRootIsDecorated(true);
    lst_Results->setUniformRowHeights(true);
    lst_Results->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lbl_Summary = new QLabel(this);
    lbl_Summary->setWordWrap(true);
    cmd_External = new QPushButton(QStringLiteral("Check &External Links"), this);
    cmd_External->setObjectName(QStringLiteral("cmd_External"));
    prg_External = new QProgressBar(this);
    prg_External->hide();
    cmd_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmd_Cancel->hide();
    cmd_Close = new QPushButton(QStringLiteral("Clo&se"), this);
    cmd_Close->setObjectName(QStringLiteral("cmd_Close"));
    for (QPushButton* b : {cmd_External, cmd_Cancel, cmd_Close})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmd_External);
    buttons->addWidget(prg_External, 1);
    buttons->addWidget(cmd_Cancel);
    buttons->addStretch();
    buttons->addWidget(cmd_Close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(lbl_Summary);
    column->addWidget(lst_Results, 1);
    column->addLayout(buttons);
    resize(720, 420);
    setTabOrder(lst_Results, cmd_External);
    setTabOrder(cmd_External, cmd_Cancel);
    setTabOrder(cmd_Cancel, cmd_Close);

    connect(lst_Results, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { openItem(item); });
    connect(cmd_External, &QPushButton::clicked, this, [this] { Check_External_Links(); });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] {
        if (external_)
            external_->cancel();
    });
    connect(cmd_Close, &QPushButton::clicked, this, &QDialog::close);
}

QTreeWidgetItem* frm_Site_Results::addRow(const Row& r)
{
    QTreeWidgetItem* group = nullptr;
    for (int i = lst_Results->topLevelItemCount() - 1; i >= 0 && !group; --i)
        if (lst_Results->topLevelItem(i)->data(File, PathRole).toString() == r.group)
            group = lst_Results->topLevelItem(i);
    if (!group) {
        group = new QTreeWidgetItem(lst_Results, {r.group});
        group->setData(File, PathRole, r.group);
        group->setFirstColumnSpanned(true);
        group->setExpanded(true);
    }
    auto* item = new QTreeWidgetItem(group, {r.file, r.line ? QString::number(r.line) : QString(),
                                             r.column ? QString::number(r.column) : QString(), r.text, r.reason});
    item->setData(File, PathRole, r.path);
    item->setData(File, LengthRole, r.length);
    group->setText(File, QStringLiteral("%1 (%2)").arg(r.group).arg(group->childCount()));
    return item;
}

void frm_Site_Results::setTextHeader(const QString& header)
{
    lst_Results->headerItem()->setText(Text, header);
}

void frm_Site_Results::Show_Rows(const QString& caption, const std::vector<Row>& rows, const QString& summary,
                                 bool takeFocus)
{
    lst_Results->clear();
    opened_ = nullptr;
    for (const Row& r : rows)
        addRow(r);
    lbl_Summary->setText(!summary.isEmpty() ? caption + QStringLiteral(": ") + summary + QLatin1Char('.')
                         : rows.empty()    ? caption + QStringLiteral(": nothing found.")
                                           : QStringLiteral("%1: %2 rows.").arg(caption).arg(rows.size()));
    if (QTreeWidgetItem* first = lst_Results->topLevelItem(0))
        lst_Results->setCurrentItem(first->childCount() > 0 ? first->child(0) : first);
    if (takeFocus)
        lst_Results->setFocus();
}

void frm_Site_Results::Begin_Rows(const QString& caption, const QString& textHeader)
{
    lst_Results->clear();
    opened_ = nullptr;
    setTextHeader(textHeader);
    cmd_External->hide();
    lbl_Summary->setText(caption + QStringLiteral(": searching..."));
}

void frm_Site_Results::Add_Rows(const std::vector<Row>& rows)
{
    for (const Row& r : rows)
        addRow(r);
}

void frm_Site_Results::Step(bool backward)
{
    std::vector<QTreeWidgetItem*> rows;
    for (int g = 0; g < lst_Results->topLevelItemCount(); ++g)
        for (int i = 0; i < lst_Results->topLevelItem(g)->childCount(); ++i)
            if (!lst_Results->topLevelItem(g)->child(i)->data(File, PathRole).toString().isEmpty())
                rows.push_back(lst_Results->topLevelItem(g)->child(i));
    if (rows.empty())
        return;
    const auto at = std::find(rows.begin(), rows.end(), opened_);
    qsizetype i = at - rows.begin();
    const qsizetype n = qsizetype(rows.size());
    if (at == rows.end())
        i = backward ? n - 1 : 0;
    else
        i = (i + (backward ? n - 1 : 1)) % n;
    lst_Results->setCurrentItem(rows[size_t(i)]);
    openItem(rows[size_t(i)]);
}

void frm_Site_Results::Check_Site_Links()
{
    const SharedState& s = state();
    const sitekit::SiteOptions options = linkui::siteOptions();
    const sitekit::Site site = sitekit::readSite(s.Working_Folder, options);
    setTextHeader(QStringLiteral("Link"));
    cmd_External->show();
    std::vector<Row> rows;
    for (const sitekit::Finding& f : sitekit::checkLinks(site, options.pageExtensions))
        rows.push_back({sitekit::groupName(f.group), f.file, f.path, f.line, f.column, int(f.link.size()), f.link,
                        f.reason});
    Show_Rows(QStringLiteral("Check Site Links"), rows);
    const QTreeWidgetItem* last = lst_Results->topLevelItem(lst_Results->topLevelItemCount() - 1);
    cmd_External->setEnabled(last && last->text(File).startsWith(sitekit::groupName(sitekit::Finding::Group::External)));
}

namespace {

void addPageRows(std::vector<frm_Site_Results::Row>& markup, std::vector<frm_Site_Results::Row>& spelling,
                 const QString& shown, const QString& path, const QByteArray& utf8,
                 const std::vector<sitekit::PageMessage>& messages)
{
    for (const sitekit::PageMessage& m : messages) {
        const QString said = sitekit::messageText(m);
        if (m.kind == sitekit::PageMessage::Kind::Spelling)
            spelling.push_back({QStringLiteral("Spelling"), shown, path, m.line, m.column,
                                int(QString::fromUtf8(utf8.mid(m.start, m.length)).size()), m.text,
                                m.suggestions.isEmpty() ? QStringLiteral("not in the dictionary")
                                                        : QStringLiteral("suggestions: ") + m.suggestions.join(QStringLiteral(", "))});
        else
            markup.push_back({QStringLiteral("HTML"), shown, path, m.line, m.column, 0,
                              said.section(QLatin1Char(':'), 0, 0), m.text});
    }
}

// As the options say: the dictionary for pages whose lang names none, and
// Tidy's accessibility checks.
sitekit::PageChecks Chosen_Checks()
{
    sitekit::PageChecks what;
    what.dictionary = Chosen_Dictionary(state().More);
    what.tidy.accessibility = state().More.Accessibility_Checks;
    return what;
}

} // namespace

void frm_Site_Results::Check_Page(const QString& path, const QString& shown, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const sitekit::PageChecks what = Chosen_Checks();
    sitekit::Spellers spellers(what.personalList);
    QStringList problems;
    std::vector<Row> rows, spelling;
    addPageRows(rows, spelling, shown, path, utf8, sitekit::checkPage(utf8, what, spellers, problems));
    rows.insert(rows.end(), spelling.begin(), spelling.end());
    setTextHeader(QStringLiteral("Found"));
    Show_Rows(QStringLiteral("Check Page"), rows);
    cmd_External->setEnabled(false);
    if (!problems.isEmpty())
        lbl_Summary->setText(lbl_Summary->text() + QLatin1Char(' ') + problems.join(QLatin1Char(' ')));
}

void frm_Site_Results::Check_Site_Pages()
{
    const sitekit::SiteOptions options = linkui::siteOptions();
    const sitekit::Site site = sitekit::readSite(state().Working_Folder, options);
    const sitekit::SiteChecks checks = sitekit::checkPages(site, Chosen_Checks());
    std::vector<Row> rows, spelling;
    for (const sitekit::PageFindings& page : checks.pages) {
        QByteArray utf8;
        if (const sitekit::SiteFile* f = site.page(page.file.mid(int(qstrlen("Final-Pages/")))))
            utf8 = fs::decodeText(f->bytes).toUtf8();
        addPageRows(rows, spelling, page.file, page.path, utf8, page.messages);
    }
    rows.insert(rows.end(), spelling.begin(), spelling.end());
    setTextHeader(QStringLiteral("Found"));
    Show_Rows(QStringLiteral("Check Site"), rows);
    cmd_External->setEnabled(false);
    if (!checks.problems.isEmpty())
        lbl_Summary->setText(lbl_Summary->text() + QLatin1Char(' ') + checks.problems.join(QLatin1Char(' ')));
}

void frm_Site_Results::Check_External_Links()
{
    QList<QTreeWidgetItem*> items;
    QStringList addresses;
    for (int g = 0; g < lst_Results->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = lst_Results->topLevelItem(g);
        if (!group->text(File).startsWith(sitekit::groupName(sitekit::Finding::Group::External)))
            continue;
        for (int i = 0; i < group->childCount(); ++i) {
            items << group->child(i);
            addresses << group->child(i)->text(Text);
        }
    }
    if (!external_) {
        external_ = new sitekit::ExternalCheck(this);
        connect(external_, &sitekit::ExternalCheck::progress, this, [this](int done, int total) {
            prg_External->setMaximum(total);
            prg_External->setValue(done);
        });
        connect(external_, &sitekit::ExternalCheck::checked, this, [this, items](const QString& address, bool ok, const QString& status) {
            for (QTreeWidgetItem* i : items)
                if (i->text(Text) == address)
                    i->setText(Reason, (ok ? QStringLiteral("external link: ") : QStringLiteral("broken external link: ")) + status);
        });
        connect(external_, &sitekit::ExternalCheck::finished, this, [this] {
            prg_External->hide();
            cmd_Cancel->hide();
            cmd_External->setEnabled(true);
            cmd_External->setFocus();
        });
    }
    cmd_External->setEnabled(false);
    prg_External->show();
    cmd_Cancel->show();
    cmd_Cancel->setFocus();
    external_->start(addresses);
}

void frm_Site_Results::openItem(QTreeWidgetItem* item)
{
    if (!item || !item->parent() || item->data(File, PathRole).toString().isEmpty())
        return;
    opened_ = item;
    emit openRequested(item->data(File, PathRole).toString(), item->text(Line).toInt(), item->text(Col).toInt(),
                       item->data(File, LengthRole).toInt());
}

void frm_Site_Results::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && lst_Results->hasFocus()) {
        openItem(lst_Results->currentItem());
        return;
    }
    QDialog::keyPressEvent(event);
}
