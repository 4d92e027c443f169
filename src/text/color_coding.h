#pragma once
// The colour-coding scan: which of the four colour slots each character of an
// HTML source gets when the user asks for "Color Code". Pure: it reads the
// text and returns colours; the editor command (source/text_commands.h) applies
// them. Positions are 0-based indexes into the editor's Text(), in which a
// line break is CR LF.
//
// Slots: 0 text and values, 1 tags, 2 comments, 3 attributes
// (state().Code_Color_Numbers turns a slot into a palette colour).
//
// The scan works in five passes, each later pass overriding the colours of the
// earlier ones: the main scan over tags, comments, declarations, entities and
// plain text (with style blocks inside it), then quoted attribute values (with
// the names that hold an underscore), then script and server blocks.
//
// Every "next X after p" search remembers where it last found X (or that
// there is none up to the end), so no stretch of text is searched twice for
// the same thing and the scan stays linear however the text is built. The
// Searches switch turns that off, for tests to compare the two ways.

#include <QStringView>
#include <QtGlobal>

#include <utility>
#include <vector>

namespace colorcode {

// A character that keeps the colour it had.
inline constexpr qint8 kKeep = -1;

enum Slot : qint8 { TextSlot = 0, TagSlot = 1, CommentSlot = 2, AttributeSlot = 3 };

struct SlotRun {
    int start;   // position in the text
    int length;  // characters, at least 1
    int slot;    // 0 to 3
    bool operator==(const SlotRun&) const = default;
};

// Where the main scan's elements begin, which stretches belong to style
// blocks, quoted values, script and server blocks, and how much searching the
// scan did; filled only when asked for (tests use it to pick selections that
// begin and end between elements, and to check the work stays linear).
struct ScanTrace {
    std::vector<int> elementStarts;
    std::vector<std::pair<int, int>> blocks;  // [first, last] positions
    long long searched = 0;  // characters the searches looked at, all passes
};

// Remembered: a search reuses what an earlier one found. Afresh: every
// search starts at its own position and looks until it finds (slow: the
// rest of the text again and again).
enum class Searches { Remembered, Afresh };

// The slot of every character of the text after colouring the selection
// [selStart, selStart + selLength), or the whole text when selLength is 0.
// Characters outside the selection are always kKeep.
std::vector<qint8> Color_Code_Slots(QStringView text, int selStart, int selLength,
                                    ScanTrace* trace = nullptr,
                                    Searches searches = Searches::Remembered);

// The same result as runs of one slot each, in text order, not overlapping;
// characters that keep their colour belong to no run.
std::vector<SlotRun> Color_Code_Runs(QStringView text, int selStart, int selLength);

// Runs from per-character slots.
std::vector<SlotRun> Slot_Runs(const std::vector<qint8>& perChar);

// Runs for the editor. A line break there has no colour of its own that
// shows or is saved, unless the line after it is empty (typing there takes
// the break's colour). So a CR LF between two characters of one slot, with
// text on the line after it, takes that slot too: a tag, a line break and the
// next tag make one run instead of three, and the editor has fewer changes to
// make. Every other character keeps exactly its slot.
std::vector<SlotRun> Editor_Runs(QStringView text, std::vector<qint8> perChar);

// Colouring as the user types: the slot of every character kept through
// edits, always what Color_Code_Slots gives for the whole text, at the cost
// of the edit's neighbourhood. Each pass of the scan is kept as its steps;
// an edit rescans each pass from the step before it and stops where a step
// begins (or a search goes on) as it did before the edit.
class LiveColors {
public:
    LiveColors();
    ~LiveColors();
    LiveColors(const LiveColors&) = delete;
    LiveColors& operator=(const LiveColors&) = delete;

    // Scans the whole text afresh.
    void reset(QStringView text);
    // `removed` characters at `pos` gave way to `inserted`. Returns, in
    // positions of the new text, the runs whose slot is no longer what it
    // was, and every run of the inserted text (characters that keep their
    // colour belong to none).
    std::vector<SlotRun> edit(int pos, int removed, QStringView inserted);

    int length() const;
    QString text() const;
    bool sameText(int pos, QStringView s) const;
    // The characters [from, to) (clamped to the text).
    QString textOf(int from, int to) const;
    // How many characters `units` editor positions from pos take, where a
    // CR LF is one position.
    int lengthOfLines(int pos, int units) const;
    // The slots of [from, to), and the same as runs.
    std::vector<qint8> slotsOf(int from, int to) const;
    std::vector<SlotRun> runs(int from, int to) const;

private:
    struct Impl;
    Impl* d;
};

} // namespace colorcode
