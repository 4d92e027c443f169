#include "source/spelling_marks.h"

#include "platform/rich_text_box.h"
#include "platform/text_positions.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>

namespace {

// Marks of ours carry this property; the editor's other extra selections
// (the matching tags) carry their own.
constexpr int kOurMark = QTextFormat::UserProperty + 33;
// After the last keystroke: a word being typed is not marked half-typed.
constexpr int kRestMs = 300;
// One slice of the page per turn of the event loop: a few milliseconds.
constexpr qsizetype kSliceBytes = 16 * 1024;
// Lines above and below the view whose marks are shown too: scrolling a
// little shows them at once, and the editor never draws thousands.
constexpr int kShownMargin = 200;

// The end of the line at or after at (its line break included).
qsizetype lineEnd(const QByteArray& t, qsizetype at)
{
    if (at >= t.size())
        return t.size();
    const qsizetype nl = t.indexOf('\n', at);
    return nl < 0 ? t.size() : nl + 1;
}

qsizetype utf8Length(QStringView s)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c < 0x80)
            n += 1;
        else if (c < 0x800)
            n += 2;
        else if (QChar::isHighSurrogate(c) && i + 1 < s.size() && QChar::isLowSurrogate(s[i + 1].unicode()))
            n += 4, ++i;
        else
            n += 3;
    }
    return n;
}

} // namespace

SpellingMarks::SpellingMarks(RichTextBox& box) : QObject(&box), box_(box), boxAlive_(&box)
{
    timer_.setSingleShot(true);
    timer_.setInterval(kRestMs);
    connect(&timer_, &QTimer::timeout, this, [this] { refresh(); });
    slicer_.setSingleShot(true);
    slicer_.setInterval(0);
    connect(&slicer_, &QTimer::timeout, this, [this] {
        if (slices_.empty())
            return;
        const Slice s = slices_.front();
        slices_.erase(slices_.begin());
        checkSlice(s);
        if (!slices_.empty())
            slicer_.start();
    });
    // A keystroke costs a timer's restart; the marks' cursors follow the
    // text until their lines are checked again.
    connect(&box, &RichTextBox::Change, this, [this] {
        if (!on_)
            return;
        pending_ = true;
        slices_.clear();
        slicer_.stop();
        timer_.start();
    });
    connect(box.verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (on_)
            show();
    });
}

SpellingMarks::~SpellingMarks() = default;

void SpellingMarks::setOptions(bool on, const QString& dictionary)
{
    const bool changed = on != on_ || dictionary != chosen_;
    on_ = on;
    chosen_ = dictionary;
    if (!changed)
        return;
    speller_.reset();
    marks_.clear();
    slices_.clear();
    slicer_.stop();
    timer_.stop();
    show();
    if (on_) {
        pending_ = true;
        timer_.start();
    }
}

sitekit::Speller* SpellingMarks::speller()
{
    const QString dictionary = sitekit::dictionaryFor(sitekit::pageLanguage(utf8_), chosen_);
    if (!speller_ || speller_->dictionary() != dictionary)
        speller_ = std::make_unique<sitekit::Speller>(dictionary, sitekit::personalWordListPath());
    if (speller_->problem().isEmpty())
        return speller_.get();
    if (!told_.contains(dictionary)) {
        told_ << dictionary;
        if (onProblem)
            onProblem(speller_->problem());
    }
    return nullptr;
}

int SpellingMarks::textPos(qsizetype byte) const
{
    if (units_.empty())
        return int(byte);
    const size_t k = size_t(byte / 256);
    int pos = units_[k];
    for (qsizetype i = qsizetype(k) * 256; i < byte; ++i) {
        const uchar c = uchar(utf8_[i]);
        if ((c & 0xC0) != 0x80)
            pos += c >= 0xF0 ? 2 : 1;
    }
    return pos;
}

void SpellingMarks::refresh()
{
    timer_.stop();
    if (!on_ || !boxAlive_)
        return;
    start();
}

void SpellingMarks::start()
{
    pending_ = false;
    slices_.clear();
    const QString text = box_.Text();
    utf8_ = text.toUtf8();
    units_.clear();
    if (utf8_.size() != text.size()) {
        units_.reserve(size_t(utf8_.size() / 256 + 1));
        int pos = 0;
        for (qsizetype i = 0; i < utf8_.size(); ++i) {
            if (i % 256 == 0)
                units_.push_back(pos);
            const uchar c = uchar(utf8_[i]);
            if ((c & 0xC0) != 0x80)
                pos += c >= 0xF0 ? 2 : 1;
        }
        units_.push_back(pos);
    }
    if (!speller()) {
        marks_.clear();
        show();
        return;
    }
    // The lines in view first, then the lines below them, then those above.
    const QTextDocument& doc = *box_.document();
    const QWidget* view = box_.viewport();
    const int top = box_.cursorForPosition(QPoint(0, 0)).block().position();
    const QTextBlock last = box_.cursorForPosition(QPoint(view->width() - 1, view->height() - 1)).block();
    const int bottom = last.position() + last.length() - 1;
    const qsizetype from = utf8Length(QStringView(text).first(textpos::fromDocument(doc, top)));
    const qsizetype to = lineEnd(utf8_, utf8Length(QStringView(text).first(textpos::fromDocument(doc, bottom))));
    auto cut = [this](qsizetype a, qsizetype b) {
        while (a < b) {
            const qsizetype e = std::min(b, lineEnd(utf8_, a + kSliceBytes));
            slices_.push_back({a, e});
            a = e;
        }
    };
    cut(to, utf8_.size());
    cut(0, from);
    checkSlice({from, to});
    if (!slices_.empty())
        slicer_.start();
}

void SpellingMarks::checkSlice(const Slice& s)
{
    if (!boxAlive_ || !speller_)
        return;
    QTextDocument& doc = *box_.document();
    textpos::Locator where;
    const bool toEnd = s.to >= utf8_.size();
    const int docFrom = where.toDocument(doc, textPos(s.from));
    const int docTo = toEnd ? doc.characterCount() : where.toDocument(doc, textPos(s.to));
    std::erase_if(marks_, [&](const Mark& m) {
        return m.cursor.selectionStart() >= docFrom && m.cursor.selectionStart() < docTo;
    });
    for (const sitekit::PageWord& w : sitekit::visibleWords(utf8_, s.from, s.to)) {
        // A text crossing the slice's ends gives its words to both slices.
        if (w.start < s.from || w.start >= s.to || speller_->isCorrect(w.word))
            continue;
        QTextCursor c(&doc);
        c.setPosition(where.toDocument(doc, textPos(w.start)));
        c.setPosition(where.toDocument(doc, textPos(w.start + w.length)), QTextCursor::KeepAnchor);
        marks_.push_back({c, w.word});
    }
    std::sort(marks_.begin(), marks_.end(),
              [](const Mark& a, const Mark& b) { return a.cursor.selectionStart() < b.cursor.selectionStart(); });
    show();
}

void SpellingMarks::show()
{
    if (!boxAlive_)
        return;
    QList<QTextEdit::ExtraSelection> all;
    bool hadOurs = false;
    for (const QTextEdit::ExtraSelection& other : box_.extraSelections()) {
        if (other.format.hasProperty(kOurMark))
            hadOurs = true;
        else
            all << other;
    }
    if (!hadOurs && marks_.empty())
        return;
    // Only the marks near the view: the editor draws every extra selection
    // it holds, and a page full of names would hold thousands.
    const QTextDocument& doc = *box_.document();
    const int firstLine = std::max(0, box_.cursorForPosition(QPoint(0, 0)).blockNumber() - kShownMargin);
    const int lastLine = box_.cursorForPosition(QPoint(0, box_.viewport()->height())).blockNumber() + kShownMargin;
    const int from = doc.findBlockByNumber(firstLine).position();
    const QTextBlock end = doc.findBlockByNumber(lastLine);
    const int to = end.isValid() ? end.position() + end.length() : doc.characterCount();
    auto first = std::lower_bound(marks_.begin(), marks_.end(), from,
                                  [](const Mark& m, int p) { return m.cursor.selectionStart() < p; });
    QTextCharFormat wavy;
    wavy.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    wavy.setUnderlineColor(Qt::red);
    wavy.setProperty(kOurMark, true);
    for (auto it = first; it != marks_.end() && it->cursor.selectionStart() < to; ++it)
        if (it->cursor.hasSelection())
            all << QTextEdit::ExtraSelection{it->cursor, wavy};
    box_.setExtraSelections(all);
}

std::optional<SpellingMarks::Mark> SpellingMarks::wordAt(int docPos) const
{
    for (const Mark& m : marks_)
        if (m.cursor.hasSelection() && m.cursor.selectionStart() <= docPos && docPos <= m.cursor.selectionEnd())
            return m;
    return std::nullopt;
}

std::optional<SpellingMarks::Mark> SpellingMarks::nextAfter(int docPos) const
{
    for (const Mark& m : marks_)
        if (m.cursor.hasSelection() && m.cursor.selectionStart() > docPos)
            return m;
    for (const Mark& m : marks_)
        if (m.cursor.hasSelection())
            return m;
    return std::nullopt;
}

QStringList SpellingMarks::suggestions(const QString& word)
{
    return speller_ ? speller_->suggestions(word, 8) : QStringList();
}

void SpellingMarks::dropMarksOf(const QString& word)
{
    std::erase_if(marks_, [&](const Mark& m) { return m.word == word; });
    show();
}

bool SpellingMarks::addToDictionary(const QString& word)
{
    if (!speller_)
        return false;
    const bool written = speller_->addToPersonal(word);
    dropMarksOf(word);
    return written;
}

void SpellingMarks::ignoreAll(const QString& word)
{
    if (!speller_)
        return;
    speller_->ignore(word);
    dropMarksOf(word);
}
