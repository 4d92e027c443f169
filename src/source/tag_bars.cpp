#include "source/tag_bars.h"

#include "platform/screen.h"
#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/rich_text_box.h"
#include "source/source_document.h"
#include "tags/tag_list_files.h"
#include "tags/list_messages.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>

#include <algorithm>

namespace {

namespace ti = tag_insertion;

// Lengths of the bars, in twips.
constexpr int Right_Margin = 120;      // between a list and the bar's right end
constexpr int New_Text_Margin = 180;   // between the new-entry box and the bar's end
constexpr int Short_List_Max = 3795;   // anchor and page lists never grow wider
constexpr int Gap = 60;                // between the controls of a bar
constexpr int Target_Width = 1500;     // the target boxes
constexpr int Close_Width = 405;       // the small "C" buttons

constexpr int New_Row = TagBars::Bar_Count;  // index of the new-entry bar in the rows
constexpr int Readable_Chars = 24;  // a list narrower than this many characters goes on a row of its own

// What each bar's close button closes.
QString Bar_Name(int i)
{
    static const char* const names[TagBars::Bar_Count] = {"Colors", "Images", "Web Link", "Anchor", "Page Link"};
    return QString::fromLatin1(names[i]);
}

const char* const Select_Captions[TagBars::Bar_Count] = {
    "&Colors", "&Images", "Web &Link", "&Anchor", "To &Page",
};

QPushButton* makeButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// Sorted without regard to case, equal entries in the order they came. Each
// entry is case-folded once, not again at every comparison.
void sortIgnoringCase(QStringList& entries)
{
    std::vector<std::pair<QString, qsizetype>> keyed;
    keyed.reserve(size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QString key = entries[i];
        for (QChar& c : key)
            c = QChar(char16_t(QChar::toCaseFolded(c.unicode())));
        keyed.emplace_back(std::move(key), i);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const auto& k : keyed)
        sorted << entries[k.second];
    entries = std::move(sorted);
}

// A list may hold many thousand entries: it is set in one call on a model of
// plain strings, not item by item.
void setItems(QComboBox* box, const QStringList& items)
{
    static_cast<QStringListModel*>(box->model())->setStringList(items);
}

bool isTabKey(const QKeyEvent* k, bool& backwards)
{
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (k->key() == Qt::Key_Backtab || (k->key() == Qt::Key_Tab && (k->modifiers() & Qt::ShiftModifier))) {
        backwards = true;
        return true;
    }
    if (k->key() == Qt::Key_Tab) {
        backwards = false;
        return true;
    }
    return false;
}

} // namespace

TagBars::TagBars(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TagBars"));
    buildSelectBar();
    for (int i = 0; i < Bar_Count; ++i)
        buildTagBar(i);
    buildNewTagBar();

    // Tab and Shift+Tab inside the bars go round each bar's own controls.
    for (int i = 0; i < Bar_Count; ++i)
        setFocusMove(cbo_Tag[i], cmd_Goto[i], nullptr);
    for (int i : {2, 4})
        setFocusMove(cbo_Target[i], cbo_Tag[i], nullptr);
    for (int i : {0, 1}) {
        setFocusMove(cmd_Goto[i], cbo_Tag[i], cmd_Close_Tag[i]);
        setFocusMove(cmd_Close_Tag[i], cmd_Goto[i], cbo_Tag[i]);
    }
    setFocusMove(cmd_Goto[2], cbo_Target[2], cmd_New_Link[2]);
    setFocusMove(cmd_Goto[3], cmd_Here, cmd_New_Link[3]);
    setFocusMove(cmd_Goto[4], cbo_Target[4], cmd_Close_Tag[4]);
    setFocusMove(cmd_Here, cbo_Tag[3], cmd_Goto[3]);
    for (int i : {2, 3}) {
        setFocusMove(cmd_New_Link[i], cmd_Goto[i], cmd_Close_Tag[i]);
        setFocusMove(cmd_Close_Tag[i], cmd_New_Link[i], cbo_Tag[i]);
    }
    setFocusMove(cmd_Close_Tag[4], cmd_Goto[4], cbo_Tag[4]);
    setFocusMove(txt_New_Tag, cmd_OK, cmd_Close_New);
    setFocusMove(cmd_OK, txt_New_Tag, cmd_Close_New);
    setFocusMove(cmd_Close_New, cmd_OK, txt_New_Tag);

    // Placeholders and fixed targets only: the editor window fills the lists
    // once the folders are known.
    for (int i = 0; i < Bar_Count; ++i)
        cbo_Tag[i]->addItem(ti::Placeholder(i));
    for (int i : {2, 4})
        cbo_Target[i]->addItems(ti::Fixed_Targets());
    Close_Tag_Toolbar();
}

void TagBars::buildSelectBar()
{
    tb_Tag_Select = new QWidget(this);
    tb_Tag_Select->setObjectName(QStringLiteral("tb_Tag_Select"));
    selectRows_.gap = Px_From_Twips_X(Gap);
    for (int i = 0; i < Bar_Count; ++i) {
        cmd_Tag_Sel[i] = makeButton(QString::fromLatin1(Select_Captions[i]),
                                    QStringLiteral("cmd_Tag_Sel_%1").arg(i), tb_Tag_Select);
        selectRows_.lead.push_back(cmd_Tag_Sel[i]);
        connect(cmd_Tag_Sel[i], &QPushButton::clicked, this, [this, i] { Select_Tag(i); });
    }
}

void TagBars::buildTagBar(int i)
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("tb_Tag_Sel_%1").arg(i));
    bar->hide();
    tb_Tag_Sel[i] = bar;

    cmd_Close_Tag[i] = makeButton(QStringLiteral("&C"), QStringLiteral("cmd_Close_Tag_%1").arg(i), bar);
    cmd_Close_Tag[i]->setToolTip(QStringLiteral(" Close the %1 Bar ").arg(Bar_Name(i)));
    connect(cmd_Close_Tag[i], &QPushButton::clicked, this, &TagBars::Close_Tag_Toolbar);
    if (i == 2 || i == 3) {
        cmd_New_Link[i] = makeButton(QStringLiteral("&New"), QStringLiteral("cmd_New_Link_%1").arg(i), bar);
        connect(cmd_New_Link[i], &QPushButton::clicked, this, &TagBars::Add_New_Link);
    }
    cmd_Goto[i] = makeButton(i == 3 ? QStringLiteral("&Go To") : QStringLiteral("&Add"),
                             QStringLiteral("cmd_Goto_%1").arg(i), bar);
    connect(cmd_Goto[i], &QPushButton::clicked, this, &TagBars::Add_Goto_Tag);
    if (i == 3) {
        cmd_Here = makeButton(QStringLiteral("&Here"), QStringLiteral("cmd_Here"), bar);
        connect(cmd_Here, &QPushButton::clicked, this, &TagBars::Add_Here_Tag);
    }
    if (i == 2 || i == 4) {
        auto* box = new QComboBox(bar);
        box->setObjectName(QStringLiteral("cbo_Target_%1").arg(i));
        box->setEditable(true);
        // Typed names are stored by Add_Target_Name, trimmed, in both boxes;
        // the box must neither add them itself nor complete them into a name
        // the user did not type.
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
        box->setModel(new QStringListModel(box));
        box->installEventFilter(this);
        cbo_Target[i] = box;
    }
    auto* list = new QComboBox(bar);
    list->setObjectName(QStringLiteral("cbo_Tag_%1").arg(i));
    list->setEditable(false);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(8);
    list->setModel(new QStringListModel(list));
    cbo_Tag[i] = list;
}

void TagBars::buildNewTagBar()
{
    tb_New_Tag = new QWidget(this);
    tb_New_Tag->setObjectName(QStringLiteral("tb_New_Tag"));
    tb_New_Tag->hide();
    cmd_Close_New = makeButton(QStringLiteral("&C"), QStringLiteral("cmd_Close_New"), tb_New_Tag);
    cmd_Close_New->setToolTip(QStringLiteral(" Close the New Entry Bar "));
    cmd_OK = makeButton(QStringLiteral("&Add"), QStringLiteral("cmd_OK"), tb_New_Tag);
    lbl_New_Tag = new QLabel(tb_New_Tag);
    lbl_New_Tag->setObjectName(QStringLiteral("lbl_New_Tag"));
    txt_New_Tag = new QLineEdit(tb_New_Tag);
    txt_New_Tag->setObjectName(QStringLiteral("txt_New_Tag"));
    lbl_New_Tag->setBuddy(txt_New_Tag);
    txt_New_Tag->installEventFilter(this);
    connect(cmd_Close_New, &QPushButton::clicked, this, &TagBars::Close_New_Tag);
    connect(cmd_OK, &QPushButton::clicked, this, &TagBars::New_Tag);
    connect(txt_New_Tag, &QLineEdit::returnPressed, this, &TagBars::New_Tag);
}

void TagBars::setEditor(RichTextBox* editor) { editor_ = editor; }

// ---- layout -------------------------------------------------------------------

QSize TagBars::sizeHint() const
{
    return minimumSizeHint();
}

QSize TagBars::minimumSizeHint() const
{
    return {tb_Tag_Select->sizeHint().width(), rowHeight()};
}

int TagBars::rowHeight() const
{
    int h = selectRows_.rowHeight();
    h = std::max(h, cbo_Tag[0]->sizeHint().height());
    h = std::max(h, txt_New_Tag->sizeHint().height());
    return h;
}

bool TagBars::hasHeightForWidth() const { return true; }

int TagBars::heightForWidth(int width) const
{
    const int row = openRow();
    if (row < 0)
        return selectRows_.place(QRect(0, 0, width, 0), false);
    return layoutRow(row == New_Row ? tb_New_Tag : tb_Tag_Sel[row], row, width, false);
}

int TagBars::layoutRow(QWidget* bar, int i, int width, bool apply) const
{
    // The bar sits where the selection bar sits and reaches to a margin short
    // of the window's inner right edge; its list (or text box) takes the rest
    // of the row, or a row of its own where the rest would be too narrow to
    // read an entry.
    const int h = rowHeight();
    const int barWidth = std::max(0, width - Px_From_Twips_X(Right_Margin));
    const int gap = Px_From_Twips_X(Gap);

    std::vector<QWidget*> lead;
    QWidget* fill = nullptr;
    int fillMargin = Right_Margin;
    int fillMax = -1;
    if (i == New_Row) {
        lead = {cmd_Close_New, cmd_OK, lbl_New_Tag};
        fill = txt_New_Tag;
        fillMargin = New_Text_Margin;
    } else {
        lead.push_back(cmd_Close_Tag[i]);
        if (cmd_New_Link[i])
            lead.push_back(cmd_New_Link[i]);
        lead.push_back(cmd_Goto[i]);
        if (i == 3)
            lead.push_back(cmd_Here);
        if (cbo_Target[i])
            lead.push_back(cbo_Target[i]);
        fill = cbo_Tag[i];
        if (i == 3 || i == 4)
            fillMax = Px_From_Twips_X(Short_List_Max);
    }
    int x = 0;
    int y = 0;
    for (QWidget* w : lead) {
        int wWidth = w->sizeHint().width();
        if (i != New_Row && w == cbo_Target[i])
            wWidth = Px_From_Twips_X(Target_Width);
        else if (w == cmd_Close_New || (i != New_Row && w == cmd_Close_Tag[i]))
            wWidth = std::max(Px_From_Twips_X(Close_Width), w->fontMetrics().horizontalAdvance(QStringLiteral("CC")) + 12);
        if (x > 0 && x + wWidth > barWidth) {
            x = 0;
            y += h + gap;
        }
        if (apply)
            w->setGeometry(x, y, wWidth, h);
        x += wWidth + gap;
    }
    const int readable = fill->fontMetrics().averageCharWidth() * Readable_Chars;
    int fillWidth = barWidth - x - Px_From_Twips_X(fillMargin);
    if (fillWidth < readable && x > 0) {
        x = 0;
        y += h + gap;
        fillWidth = barWidth - Px_From_Twips_X(fillMargin);
    }
    if (fillMax >= 0)
        fillWidth = std::min(fillWidth, std::max(fillMax, readable));
    if (apply) {
        fill->setGeometry(x, y, std::max(fillWidth, 20), h);
        bar->setGeometry(tb_Tag_Select->x(), tb_Tag_Select->y(), barWidth, y + h);
    }
    return y + h;
}

void TagBars::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    tb_Tag_Select->setGeometry(0, 0, width(), selectRows_.place(QRect(0, 0, width(), 0)));
    const int row = openRow();
    if (row >= 0 && row < Bar_Count)
        layoutRow(tb_Tag_Sel[row], row, width(), true);
    else if (row == New_Row)
        layoutRow(tb_New_Tag, New_Row, width(), true);
}

int TagBars::openRow() const
{
    if (tb_New_Tag->isVisibleTo(this))
        return New_Row;
    for (int i = 0; i < Bar_Count; ++i)
        if (tb_Tag_Sel[i]->isVisibleTo(this))
            return i;
    return -1;
}

// ---- lists ----------------------------------------------------------------------

void TagBars::addSorted(QComboBox* box, const QString& text)
{
    // Position 0 is the placeholder; an entry goes after every entry that does
    // not sort after it, so equal entries keep the order they came in.
    for (int j = 1; j < box->count(); ++j) {
        if (box->itemText(j).compare(text, Qt::CaseInsensitive) > 0) {
            box->insertItem(j, text);
            return;
        }
    }
    box->addItem(text);
}

void TagBars::Retrieve_Tag_Lists()
{
    for (int i = 0; i < tag_lists::Kind_Count; ++i) {
        QComboBox* box = cbo_Tag[i];
        const int remembered = box->currentIndex();
        QStringList entries;
        for (const QString& line : Read_List_Or_Tell(tag_lists::Kind_Path(i, tag_lists::Place::Working)))
            if (tag_lists::Is_Toolbar_Entry(line))
                entries << line;
        if (i >= 2)
            sortIgnoringCase(entries);
        entries.prepend(ti::Placeholder(i));
        setItems(box, entries);
        box->setCurrentIndex(remembered < 0 || remembered >= box->count() ? 0 : remembered);
    }
}

void TagBars::Retrieve_HTML_Pages()
{
    // The same pages, in the same order, as the Open Plus list offers.
    const QStringList pages = srcdoc::Source_List(state().Working_Pages_Folder);
    QComboBox* box = cbo_Tag[4];
    setItems(box, QStringList{ti::Placeholder(4)} + pages);
    box->setCurrentIndex(0);
}

void TagBars::Retrieve_Target_Names()
{
    // The fixed items first, so that reading the names again (a new site)
    // does not pile up the previous site's names.
    const QStringList names = Read_List_Or_Tell(tag_lists::Working_Path(tag_lists::Target_File_Name));
    for (int i : {2, 4}) {
        QComboBox* box = cbo_Target[i];
        setItems(box, ti::Fixed_Targets() + names);
        box->setCurrentIndex(0);
    }
}

void TagBars::Add_Target_Name()
{
    const int i = state().Tag_Index;
    if (i < 0 || i >= Bar_Count || !cbo_Target[i])
        return;
    QComboBox* box = cbo_Target[i];
    QStringList items;
    for (int j = 0; j < box->count(); ++j)
        items << box->itemText(j);
    const tag_lists::TargetChoice c = tag_lists::Choose_Target(box->currentText(), items, false);
    switch (c.What) {
    case tag_lists::TargetChoice::Select_First:
        box->setCurrentIndex(0);
        box->setEditText(box->itemText(0));
        return;
    case tag_lists::TargetChoice::Select_Existing:
        box->setCurrentIndex(c.Index);
        box->setEditText(box->itemText(c.Index));
        return;
    case tag_lists::TargetChoice::Add:
        break;
    }
    // Into both boxes before the file: whatever happens to the file, the name
    // is there for this run, and a second loss of focus finds it listed.
    for (int j : {2, 4})
        cbo_Target[j]->addItem(c.Name);
    box->setCurrentIndex(box->count() - 1);
    box->setEditText(c.Name);
    Q_EMIT Target_Name_Added(c.Name);

    const QString path = tag_lists::Working_Path(tag_lists::Target_File_Name);
    if (path.isEmpty())
        return;
    if (const fs::Result r = tag_lists::Append_One(path, c.Name); r != fs::Result::Ok)
        Show_List_Not_Saved(path, r);
}

void TagBars::Add_Web_Address(const QString& address)
{
    cbo_Tag[2]->insertItem(1, address);
    cbo_Tag[2]->setCurrentIndex(1);
}

void TagBars::Add_List_Entry(int kind, const QString& entry)
{
    if (kind < 0 || kind >= tag_lists::Kind_Count)
        return;
    if (kind >= 2)
        addSorted(cbo_Tag[kind], entry);
    else
        cbo_Tag[kind]->addItem(entry);
}

void TagBars::Add_Target_Entry(const QString& name)
{
    for (int i : {2, 4})
        cbo_Target[i]->addItem(name);
}

// ---- bars -----------------------------------------------------------------------

void TagBars::Select_Tag(int i)
{
    if (i < 0 || i >= Bar_Count)
        return;
    state().Tag_Index = i;
    tb_New_Tag->hide();
    for (int j = 0; j < Bar_Count; ++j)
        if (j != i)
            tb_Tag_Sel[j]->hide();
    layoutRow(tb_Tag_Sel[i], i, width(), true);
    tb_Tag_Sel[i]->show();
    tb_Tag_Select->hide();
    Q_EMIT rowShown();
    cbo_Tag[i]->setFocus(Qt::OtherFocusReason);
}

void TagBars::insertText(const QString& text)
{
    if (!text.isEmpty() && editor_)
        editor_->setSelText(text);
}

void TagBars::Add_Goto_Tag()
{
    const int i = state().Tag_Index;
    if (i < 0 || i >= Bar_Count)
        return;
    QComboBox* target = cbo_Target[i];
    // A name typed into the target box and not yet taken (an access key
    // reaches "Add" without leaving the box) is taken first.
    if (target && target->currentText() != target->itemText(target->currentIndex()))
        Add_Target_Name();

    const ti::Choice c{cbo_Tag[i]->currentIndex(), cbo_Tag[i]->currentText(),
                       editor_ ? editor_->SelText() : QString(),
                       target ? target->currentIndex() : 0, target ? target->currentText() : QString()};
    if (i == 2 && c.position > 0 && c.entry.contains(QLatin1Char('@'))) {
        Add_Email_Tag();
        return;
    }
    insertText(ti::Goto_Text(i, c));
    Close_Tag_Toolbar();
}

void TagBars::Add_Here_Tag()
{
    const ti::Choice c{cbo_Tag[3]->currentIndex(), cbo_Tag[3]->currentText(),
                       editor_ ? editor_->SelText() : QString(), 0, QString()};
    insertText(ti::Here_Text(c));
    Close_Tag_Toolbar();
}

void TagBars::Add_Email_Tag()
{
    QComboBox* box = cbo_Tag[2];
    if (box->currentIndex() > 0 && !box->currentText().isEmpty())
        insertText(ti::Email_Link(box->currentText(), editor_ ? editor_->SelText() : QString()));
    Close_Tag_Toolbar();
}

void TagBars::Add_New_Link()
{
    const int i = state().Tag_Index;
    if (i != 2 && i != 3)
        return;
    lbl_New_Tag->setText(i == 2 ? QStringLiteral("Web address:") : QStringLiteral("Anchor name:"));
    layoutRow(tb_New_Tag, New_Row, width(), true);
    tb_New_Tag->show();
    tb_Tag_Sel[i]->hide();
    Q_EMIT rowShown();
    txt_New_Tag->clear();
    txt_New_Tag->setFocus(Qt::OtherFocusReason);
}

void TagBars::New_Tag()
{
    const int i = state().Tag_Index;
    const QString t = txt_New_Tag->text();
    if (t.isEmpty() || (i != 2 && i != 3))
        return;
    addSorted(cbo_Tag[i], t);
    cbo_Tag[i]->setCurrentIndex(cbo_Tag[i]->findText(t, Qt::MatchExactly | Qt::MatchCaseSensitive));

    const QString path = tag_lists::Kind_Path(i, tag_lists::Place::Working);
    if (!path.isEmpty()) {
        if (const fs::Result r = tag_lists::Append_One(path, t); r != fs::Result::Ok)
            Show_List_Not_Saved(path, r);
    }
    Close_New_Tag();
}

void TagBars::Close_New_Tag()
{
    const int i = state().Tag_Index;
    tb_New_Tag->hide();
    if (i < 0 || i >= Bar_Count) {
        Close_Tag_Toolbar();
        return;
    }
    layoutRow(tb_Tag_Sel[i], i, width(), true);
    tb_Tag_Sel[i]->show();
    Q_EMIT rowShown();
    cmd_Goto[i]->setFocus(Qt::OtherFocusReason);
}

void TagBars::Close_Tag_Toolbar()
{
    for (QWidget* bar : tb_Tag_Sel)
        bar->hide();
    tb_New_Tag->hide();
    tb_Tag_Select->show();
    Q_EMIT rowShown();
    if (editor_ && editor_->isEnabled() && editor_->isVisible())
        editor_->setFocus(Qt::OtherFocusReason);
}

// ---- keys and focus ----------------------------------------------------------------

void TagBars::setFocusMove(QWidget* from, QWidget* tab, QWidget* backtab)
{
    moves_.push_back({from, tab, backtab});
    from->installEventFilter(this);
}

QWidget* TagBars::focusMoveFor(QObject* watched, bool backwards) const
{
    for (const FocusMove& m : moves_)
        if (m.from == watched)
            return backwards ? m.backtab : m.tab;
    return nullptr;
}

bool TagBars::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* k = static_cast<QKeyEvent*>(event);
        bool backwards = false;
        if (isTabKey(k, backwards)) {
            if (QWidget* to = focusMoveFor(watched, backwards)) {
                to->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
                return true;
            }
            break;
        }
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            for (int i : {2, 4}) {
                if (watched == cbo_Target[i]) {
                    cbo_Tag[i]->setFocus(Qt::TabFocusReason);
                    return true;
                }
            }
        }
        break;
    }
    case QEvent::FocusIn:
        if (watched == txt_New_Tag) {
            // After the click that gave the focus has placed the caret.
            QTimer::singleShot(0, txt_New_Tag, &QLineEdit::selectAll);
        }
        break;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Opening the box's own list, or another window coming to the front,
        // is not leaving the box.
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            break;
        for (int i : {2, 4}) {
            QComboBox* box = cbo_Target[i];
            if (watched != box)
                continue;
            // Focus passing inside the box (to its text part) is not leaving it.
            QWidget* now = QApplication::focusWidget();
            if (now && (now == box || box->isAncestorOf(now)))
                break;
            if (!reporting_ && state().Tag_Index == i) {
                reporting_ = true;
                Add_Target_Name();
                reporting_ = false;
            }
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
