#pragma once
// What the source editor does for the user as they type HTML: the end tag
// of a start tag just closed goes in after the caret (source/closing_tags.h),
// and a list of the names that may be typed at the caret pops up
// (source/completion.h). Both read the text as the colour scan sees it, so
// the scan follows the text while either is on (source/live_coloring.h).
//
// The list: Up, Down, Page Up and Page Down choose; Enter or Tab puts the
// chosen name in (a click does too); Esc closes it; typing filters it, and
// a character that cannot go on a name closes it, so the keys do what they
// always do once a name is finished.

#include "source/closing_tags.h"
#include "source/completion.h"

#include <QObject>
#include <QPointer>

class LiveColoring;
class QListWidget;
class RichTextBox;

class EditorAssist : public QObject {
    Q_OBJECT
public:
    EditorAssist(RichTextBox& box, LiveColoring& live);
    ~EditorAssist() override;

    // The options; `namesFile` is read once, when completion first comes on.
    void setOptions(bool closeTags, bool complete, const QString& namesFile);

    // The editor's keys, before anything else sees them: true when the
    // key was the list's.
    bool keyDown(int keyCode, int shift);
    // A character about to be typed: emptied when it types over one the
    // program put after the caret.
    void keyPress(QString& typed);

    QListWidget* list() const { return list_; }
    // The list shows the names for the caret's place now (or closes).
    void showNames();

private:
    void typed(const QString& text);
    void caretMoved();
    void accept();
    void close();

    RichTextBox& box_;
    QPointer<QObject> boxAlive_;  // checked by qobject_cast: the box may be half gone
    LiveColoring& live_;
    bool closeTags_ = false;
    bool complete_ = false;
    completion::HtmlNames names_;
    bool namesRead_ = false;
    completion::Context shown_;
    int listCaret_ = -1;   // the caret the list was made for
    bool erasing_ = false; // Backspace: the list follows the caret back
    closetags::TypeOver typeOver_;
    QListWidget* list_ = nullptr;
};
