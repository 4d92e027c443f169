#include "source/editor_assist.h"

#include "platform/rich_text_box.h"
#include "platform/vb_keys.h"
#include "source/live_coloring.h"

#include <QListWidget>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

// Rows the list shows at most before it scrolls.
constexpr int kRows = 10;

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':'; }

} // namespace

EditorAssist::EditorAssist(RichTextBox& box, LiveColoring& live) : QObject(&box), box_(box), boxAlive_(&box), live_(live)
{
    list_ = new QListWidget(box.viewport());
    list_->setObjectName(QStringLiteral("lst_Names"));
    // The editor keeps the focus: the user types on while the list shows.
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setUniformItemSizes(true);
    list_->hide();
    connect(list_, &QListWidget::itemClicked, this, [this] { accept(); });
    // After the widget has settled: a move that no keystroke of ours
    // explains (a click, an arrow key) closes the list.
    connect(&box, &QTextEdit::cursorPositionChanged, this, [this] {
        if (list_->isVisible())
            QTimer::singleShot(0, this, [this] { caretMoved(); });
    });
    connect(&box, &RichTextBox::LostFocus, this, [this] {
        if (!list_->underMouse())
            close();
    });
    box.onTyped = [this](const QString& text) { typed(text); };
}

EditorAssist::~EditorAssist()
{
    // As the box's child this goes while the box is already a bare QWidget:
    // only a box still whole has a hook to clear.
    if (auto* box = qobject_cast<RichTextBox*>(boxAlive_.data()))
        box->onTyped = nullptr;
}

void EditorAssist::setOptions(bool closeTags, bool complete, const QString& namesFile)
{
    closeTags_ = closeTags;
    complete_ = complete;
    if (complete && !namesRead_) {
        names_ = completion::Read_Html_Names(namesFile);
        namesRead_ = true;
    }
    live_.setFollowing(closeTags || complete);
    if (!complete)
        close();
    typeOver_.forget();
}

bool EditorAssist::keyDown(int keyCode, int shift)
{
    erasing_ = keyCode == vb::Key_Back;
    if (!list_->isVisible() || shift != 0)
        return false;
    const int row = list_->currentRow();
    const int last = list_->count() - 1;
    switch (keyCode) {
    case vb::Key_Up: list_->setCurrentRow(std::max(0, row - 1)); return true;
    case vb::Key_Down: list_->setCurrentRow(std::min(last, row + 1)); return true;
    case vb::Key_PageUp: list_->setCurrentRow(std::max(0, row - kRows + 1)); return true;
    case vb::Key_PageDown: list_->setCurrentRow(std::min(last, row + kRows - 1)); return true;
    case vb::Key_Return:
    case vb::Key_Tab: accept(); return true;
    case vb::Key_Escape: close(); return true;
    default: return false;
    }
}

void EditorAssist::keyPress(QString& typed)
{
    if (typed.size() != 1 || box_.SelLength() != 0)
        return;
    // Enter puts a CR LF in.
    if (typeOver_.typesOver(box_.SelStart(), typed[0], typed[0] == u'\r' ? 2 : 1)) {
        box_.setSelStart(box_.SelStart() + 1);
        typed.clear();
    }
}

void EditorAssist::typed(const QString& text)
{
    const colorcode::LiveColors& model = live_.model();
    // The scan must hold this very text (it follows only while on).
    if (model.length() != box_.TextLength())
        return;
    if (closeTags_ && text.endsWith(u'>')) {
        const int caret = box_.SelStart();
        if (const int twice = typeOver_.typedWhole(model, caret)) {
            box_.setSelLength(twice);
            box_.setSelText(QString());
            box_.setSelStart(caret);
            return;
        }
        const QString end = closetags::Closing_Tag(model, caret - 1);
        if (!end.isEmpty()) {
            box_.setSelText(end);
            box_.setSelStart(caret);
            typeOver_.expect(caret, end);
        }
    }
    if (!complete_)
        return;
    const QChar c = text.back();
    // The list opens on "<", "&" and the first letter of an attribute's
    // name, and follows a name being typed while it shows.
    if (list_->isVisible() ? isNameChar(c) : c == u'<' || c == u'&')
        showNames();
    else if (!list_->isVisible() && isNameChar(c)) {
        const completion::Context at = completion::Context_At(model, box_.SelStart());
        if (at.kind == completion::Kind::Attribute && at.typed.size() == 1)
            showNames();
    } else
        close();
}

void EditorAssist::showNames()
{
    const int caret = box_.SelStart();
    const completion::Context context = completion::Context_At(live_.model(), caret);
    const QStringList names = completion::Names_For(names_, context);
    if (names.isEmpty() || box_.SelLength() != 0) {
        close();
        return;
    }
    shown_ = context;
    listCaret_ = caret;
    const QString keep = list_->currentItem() ? list_->currentItem()->text() : QString();
    list_->setUpdatesEnabled(false);
    list_->clear();
    list_->addItems(names);
    const qsizetype again = names.indexOf(keep);
    list_->setCurrentRow(again >= 0 ? int(again) : 0);
    list_->setUpdatesEnabled(true);

    list_->setFont(box_.font());
    const QFontMetrics fm(list_->font());
    int widest = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(names.size(), 400); ++i)
        widest = std::max(widest, fm.horizontalAdvance(names[i]));
    const int frame = 2 * list_->frameWidth();
    const int rowHeight = std::max(list_->sizeHintForRow(0), fm.height());
    const int rows = int(std::min<qsizetype>(names.size(), kRows));
    const QSize size(std::min(widest + fm.averageCharWidth() * 2 + list_->verticalScrollBar()->sizeHint().width() + frame,
                              box_.viewport()->width()),
                     std::min(rows * rowHeight + frame, box_.viewport()->height()));
    box_.syncCursor();
    const QRect at = box_.cursorRect();
    const QRect room = box_.viewport()->rect();
    QPoint p(at.left(), at.bottom() + 1);
    if (p.y() + size.height() > room.bottom())
        p.setY(std::max(0, at.top() - size.height()));
    p.setX(std::clamp(p.x(), 0, std::max(0, room.right() - size.width())));
    list_->setGeometry(QRect(p, size));
    list_->show();
    list_->raise();
}

void EditorAssist::caretMoved()
{
    if (!list_->isVisible() || box_.SelStart() == listCaret_)
        return;
    if (erasing_)
        showNames();
    else
        close();
}

void EditorAssist::accept()
{
    QListWidgetItem* item = list_->currentItem();
    if (!item || !list_->isVisible())
        return;
    const completion::Insertion put = completion::Accepted(shown_, item->text());
    const int typedEnd = listCaret_;
    close();
    box_.setSelStart(shown_.start);
    box_.setSelLength(typedEnd - shown_.start);
    box_.setSelText(put.text);
    const int caret = box_.SelStart() - put.caretBack;
    box_.setSelStart(caret);
    if (put.caretBack > 0)
        typeOver_.expect(caret, put.text.right(put.caretBack));
}

void EditorAssist::close()
{
    list_->hide();
    listCaret_ = -1;
}
