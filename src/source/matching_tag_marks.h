#pragma once
// "Mark the matching tag": with the caret on a tag name, that name and its
// partner's (sitekit/matching_tag.h) are marked over the text, as extra
// selections of the editor (the document and its undo history stay
// untouched, other extra selections stay as they are). The page is read
// again only after the text changed, once the caret has rested a moment,
// and on another thread, so neither typing nor moving about waits for it.
// Ctrl+J puts the caret on the partner.

#include "sitekit/matching_tag.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>

class RichTextBox;

class MatchingTagMarks : public QObject {
    Q_OBJECT
public:
    explicit MatchingTagMarks(RichTextBox& box);

    // Off: no marks, and nothing is read.
    void setEnabled(bool on);
    bool enabled() const { return on_; }

    // The caret to the start of the partner of the name it is on; false
    // (the caret stays) when it is on none. Works with the marks off too.
    bool Go_To_Partner();

    // Marks for the caret, as soon as the text is read (the timer's work).
    void refresh();

private:
    std::optional<sitekit::TagPartners> partnersAtCaret();
    void show(const std::optional<sitekit::TagPartners>& p);

    RichTextBox& box_;
    QPointer<RichTextBox> boxAlive_;
    QTimer rest_;
    std::optional<sitekit::TagMap> map_;  // empty when the text changed since
    bool on_ = false;
    bool marked_ = false;  // marks of ours are shown
    bool reading_ = false;  // a thread is reading the text
    int revision_ = 0;      // counts the changes of the text
};
