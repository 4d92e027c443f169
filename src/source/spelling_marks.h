#pragma once
// Spelling while typing: the words a visitor reads (sitekit/spelling.h)
// that the dictionary does not know get a red wavy underline, drawn as
// extra selections of the editor, so the saved text, its colours and the
// undo history stay untouched and the other extra selections stay as they
// are. A keystroke only restarts a timer; once typing rests, the lines in
// view are checked at once and the rest of the page in slices, one per
// turn of the event loop, so a big page never holds typing up. Hunspell
// runs on the editor's thread only.

#include "sitekit/spelling.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextCursor>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class RichTextBox;

class SpellingMarks : public QObject {
    Q_OBJECT
public:
    explicit SpellingMarks(RichTextBox& box);
    ~SpellingMarks() override;

    // Off: no marks, nothing is checked. dictionary: the one used when the
    // page's lang names none installed.
    void setOptions(bool on, const QString& dictionary);
    bool enabled() const { return on_; }

    // Checks the page now (the timer's work): the lines in view, then the
    // rest in slices.
    void refresh();
    // True once every slice of the current text is checked.
    bool finished() const { return on_ && !pending_ && !timer_.isActive() && slices_.empty(); }

    struct Mark {
        QTextCursor cursor;  // the word selected, as written
        QString word;        // as read (entities decoded)
    };
    // The misspelt word at a document position, or none.
    std::optional<Mark> wordAt(int docPos) const;
    // The next misspelt word after docPos, wrapping; none when there is none.
    std::optional<Mark> nextAfter(int docPos) const;
    QStringList suggestions(const QString& word);
    // Into the personal word list; false when the list cannot be written
    // (the word still counts as correct until the program ends).
    bool addToDictionary(const QString& word);
    void ignoreAll(const QString& word);

    // The marked words in order.
    const std::vector<Mark>& marks() const { return marks_; }

    // Tells the user of a dictionary that is not installed (once each).
    std::function<void(const QString& problem)> onProblem;

private:
    struct Slice {
        qsizetype from;
        qsizetype to;
    };
    void start();
    void checkSlice(const Slice& s);
    void dropMarksOf(const QString& word);
    void show();
    sitekit::Speller* speller();
    int textPos(qsizetype byte) const;

    RichTextBox& box_;
    QPointer<RichTextBox> boxAlive_;
    QTimer timer_;
    QTimer slicer_;
    bool on_ = false;
    bool pending_ = false;  // the text changed since it was last checked
    QString chosen_ = QStringLiteral("en_US");
    std::unique_ptr<sitekit::Speller> speller_;
    QStringList told_;  // dictionaries the user was told are missing

    // The text being checked, as UTF-8, and every 256th byte's position in
    // the text (empty for a text in ASCII, where both agree).
    QByteArray utf8_;
    std::vector<int> units_;
    std::vector<Slice> slices_;
    std::vector<Mark> marks_;  // ordered by position
};
