#include "source/matching_tag_marks.h"

#include "platform/rich_text_box.h"
#include "platform/text_positions.h"

#include <QCoreApplication>
#include <QColor>
#include <QThreadPool>

#include <memory>
#include <QTextEdit>

namespace {

// Marks of ours carry this property; the editor's other extra selections
// do not.
constexpr int kOurMark = QTextFormat::UserProperty + 32;
// Long enough that holding an arrow key down reads nothing, short enough
// to show the moment the caret stops.
constexpr int kRestMs = 150;

} // namespace

MatchingTagMarks::MatchingTagMarks(RichTextBox& box) : QObject(&box), box_(box), boxAlive_(&box)
{
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMs);
    connect(&rest_, &QTimer::timeout, this, [this] { refresh(); });
    connect(&box, &QTextEdit::cursorPositionChanged, this, [this] {
        if (on_)
            rest_.start();
    });
    connect(&box, &RichTextBox::Change, this, [this] {
        map_.reset();
        ++revision_;
        if (on_) {
            show(std::nullopt);
            rest_.start();
        }
    });
}

void MatchingTagMarks::setEnabled(bool on)
{
    on_ = on;
    if (!on) {
        rest_.stop();
        show(std::nullopt);
        map_.reset();
    }
}

std::optional<sitekit::TagPartners> MatchingTagMarks::partnersAtCaret()
{
    if (!boxAlive_ || box_.SelLength() != 0)
        return std::nullopt;
    if (!map_)
        map_.emplace(box_.Text());
    return map_->at(box_.SelStart());
}

void MatchingTagMarks::refresh()
{
    if (!on_ || !boxAlive_)
        return;
    if (map_) {
        show(partnersAtCaret());
        return;
    }
    if (reading_)
        return;
    // A big page takes a parser a good part of a second: it is read on
    // another thread, and the marks come when it is done (unless the text
    // changed meanwhile: then it is read again).
    reading_ = true;
    QPointer<MatchingTagMarks> self = this;
    QThreadPool::globalInstance()->start([self, text = box_.Text(), revision = revision_] {
        auto map = std::make_shared<sitekit::TagMap>(text);
        QMetaObject::invokeMethod(
            qApp,
            [self, map, revision] {
                if (!self)
                    return;
                self->reading_ = false;
                if (revision == self->revision_)
                    self->map_.emplace(std::move(*map));
                self->refresh();
            },
            Qt::QueuedConnection);
    });
}

bool MatchingTagMarks::Go_To_Partner()
{
    const std::optional<sitekit::TagPartners> p = partnersAtCaret();
    if (!p)
        return false;
    box_.setSelStart(p->partner.start);
    refresh();
    return true;
}

void MatchingTagMarks::show(const std::optional<sitekit::TagPartners>& p)
{
    // Typing with nothing marked costs nothing here.
    if (!boxAlive_ || (!p && !marked_))
        return;
    marked_ = p.has_value();
    QList<QTextEdit::ExtraSelection> marks;
    for (const QTextEdit::ExtraSelection& other : box_.extraSelections())
        if (!other.format.hasProperty(kOurMark))
            marks << other;
    if (p) {
        textpos::Locator where;
        QTextDocument& doc = *box_.document();
        for (const sitekit::NameSpan& name : {p->here, p->partner}) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(&doc);
            // A tag name holds no line break: its length is the same in
            // the document.
            mark.cursor.setPosition(where.toDocument(doc, name.start));
            mark.cursor.setPosition(where.toDocument(doc, name.start) + name.length, QTextCursor::KeepAnchor);
            mark.format.setBackground(QColor(0xFF, 0xE8, 0x90));
            mark.format.setProperty(kOurMark, true);
            marks << mark;
        }
    }
    box_.setExtraSelections(marks);
}
