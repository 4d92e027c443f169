#pragma once
// "Color code while typing": the editor's colours follow every change of its
// text, with the colours Color Code gives there (text/color_coding.h keeps
// the scan's state between edits, so a change costs its neighbourhood, not
// the page). Only characters whose colour by the rules changed are touched:
// colours given by hand elsewhere stay. The colours of an edit belong to it:
// one undo takes both back, and they are no change of their own.

#include "platform/rich_text_box.h"
#include "text/color_coding.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class LiveColoring : public QObject {
    Q_OBJECT
public:
    explicit LiveColoring(RichTextBox& box);
    ~LiveColoring() override;

    // On: the text is followed from now on, as its colours are. Off: the
    // editor is left alone, as without this class.
    void setEnabled(bool on);
    bool enabled() const { return on_; }
    // The scan follows the text without colouring it, for what reads the
    // text as the scan sees it (closing tags, completion): model() is in
    // step with the text while either is on.
    void setFollowing(bool on);

    // A page in one colour only (an HTML or text file opened as a source)
    // is coloured once when it comes in; a huge one (over 5 MB) the part at
    // the top first and the rest in slices between the user's keystrokes.
    // A change that recolours far beyond itself (a comment opened near the
    // top) colours the lines in view and the change itself at once, the rest
    // in the same slices.
    bool busy() const { return slices_.isActive(); }
    // Gives at once the colours still waiting for their slices.
    void finish();

    const colorcode::LiveColors& model() const { return live_; }

    // A stretch [from, to) of the text.
    struct Span {
        int from, to;
    };

private:
    void textEdited(int pos, int removedUnits, const QString& inserted, RichTextBox::EditKind kind);
    void newText(const QString& text);
    void colorSlice();
    void colorLater(int pos, int added, const std::vector<colorcode::SlotRun>& runs);
    void followOrNot();
    std::vector<RichTextBox::ColorRun> colored(const std::vector<colorcode::SlotRun>& runs) const;

    RichTextBox& box_;
    // Gone first when both go with their window.
    QPointer<RichTextBox> boxAlive_;
    colorcode::LiveColors live_;
    bool on_ = false;
    bool following_ = false;
    bool hooked_ = false;
    // The background colouring of a huge page goes on from here (a text
    // position, kept in step with edits before it).
    int sliceFrom_ = 0;
    // Text still to take the scan's colours after a long recolouring, and
    // text coloured so since (those colours joined whatever undo step was
    // last then: undoing that step takes them away while the text keeps
    // them, so they are given again). Ascending, apart, kept in step with
    // edits.
    std::vector<Span> pending_, done_;
    // Colours to give again once redo can no longer be lost by it.
    bool againAfterRedo_ = false;
    QTimer slices_;
};
