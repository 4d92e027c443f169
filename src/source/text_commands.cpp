#include "source/text_commands.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "platform/screen.h"
#include "text/color_coding.h"
#include "text/key_conversion.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextCursor>

#include <memory>

namespace {

// Colouring a long text took a while in the past; the question stays so the
// user is not surprised by a change all over a long page.
constexpr int kLongText = 15000;

// The progress of a colouring: the scan takes about a fifth of the time.
constexpr int kProgressEnd = 1000;
constexpr int kScanShare = 200;

} // namespace

void Color_Code_Source(RichTextBox& Edit_Box)
{
    const int selLength = Edit_Box.SelLength();
    if (selLength == 0 && Edit_Box.TextLength() > kLongText
        && dialogs::message(QStringLiteral("This is a long file. Color Code it Now?"),
                            dialogs::Buttons::YesNo, dialogs::Icon::None,
                            QStringLiteral("Color Code File"))
            != dialogs::Answer::Yes)
        return;

    const int caret = Edit_Box.SelStart();
    Edit_Box.setHideSelection(true);
    // A page of megabytes takes seconds: the user sees how far it has gone,
    // and may stop it with the colours as they were.
    const std::unique_ptr<dialogs::Progress> progress =
        dialogs::progress(QStringLiteral("Color Coding..."), kProgressEnd, QStringLiteral("Color Code File"));
    const QString text = Edit_Box.Text();
    bool done = progress->step(0);
    if (done) {
        const std::vector<colorcode::SlotRun> runs =
            colorcode::Editor_Runs(text, colorcode::Color_Code_Slots(text, caret, selLength));
        quint32 colours[4];
        for (int i = 0; i < 4; ++i)
            colours[i] = Palette_Color(state().Code_Color_Numbers[size_t(i)]);
        std::vector<RichTextBox::ColorRun> coloured;
        coloured.reserve(runs.size());
        for (const colorcode::SlotRun& r : runs)
            coloured.push_back({r.start, r.length, colours[r.slot]});
        done = progress->step(kScanShare)
            && Edit_Box.applyColorRuns(coloured, [&](int perMille) {
                   return progress->step(kScanShare + perMille * (kProgressEnd - kScanShare) / 1000);
               });
    }
    if (done)
        progress->step(kProgressEnd);  // too late to cancel: the colours are in
    Edit_Box.setSelStart(caret);
    if (!done)
        Edit_Box.setSelLength(selLength);
    Edit_Box.setHideSelection(false);
}

void Convert_Key(RichTextBox& Edit_Box, int& keyCode, bool shift)
{
    const keyconv::KeyRow* row = keyconv::Find_Key_Row(keyCode, shift);
    if (!row)
        return;
    SharedState& s = state();
    switch (row->action) {
    case keyconv::Action::PastePlain:
        Edit_Box.setSelText(QGuiApplication::clipboard()->text());
        break;
    case keyconv::Action::Accent:
        s.Entity_Suffix = QString::fromLatin1(row->text);
        s.Status_Color_Panel.setText(QString::fromLatin1(row->status));
        break;
    case keyconv::Action::NextBookmark:
    case keyconv::Action::PreviousBookmark:
    case keyconv::Action::NextPageBreak: {
        const QString text = Edit_Box.Text();
        const int caret = Edit_Box.SelStart();
        const int to = row->action == keyconv::Action::NextBookmark
            ? keyconv::Next_Mark_Caret(text, caret, s.Bookmark_Chars)
            : row->action == keyconv::Action::PreviousBookmark
            ? keyconv::Previous_Mark_Caret(text, caret, s.Bookmark_Chars)
            : keyconv::Next_Mark_Caret(text, caret, s.Page_Break_Tag);
        if (to >= 0)
            Edit_Box.setSelStart(to);
        break;
    }
    default:
        Edit_Box.setSelText(
            keyconv::Replacement_Text(*row, Edit_Box.SelText(), s.Use_XHTML, s.Page_Break_Tag));
        break;
    }
    if (keyconv::Consumes_Key(*row))
        keyCode = 0;
}

void Standard_Format(RichTextBox& Edit_Box)
{
    const SharedState& s = state();
    const int caret = Edit_Box.SelStart();
    if (Edit_Box.SelLength() == 0) {
        Edit_Box.setSelStart(0);
        Edit_Box.setSelLength(Edit_Box.TextLength());
    }
    // One undo step for the whole reformatting.
    QTextCursor step(Edit_Box.document());
    step.beginEditBlock();
    Edit_Box.setSelBold(false);
    Edit_Box.setSelItalic(false);
    Edit_Box.setSelUnderline(false);
    Edit_Box.setSelStrikeThru(false);
    Edit_Box.setSelCharOffset(0);
    Edit_Box.setSelAlignment(0);
    Edit_Box.setSelHangingIndent(0);
    Edit_Box.setSelBullet(false);
    Edit_Box.setSelFontName(s.Font_Name);
    Edit_Box.setSelFontSize(s.Font_Size);
    std::vector<int> tabs;
    for (int i = 1; i <= 8; ++i)
        tabs.push_back(i * s.Tab_Spacing);
    Edit_Box.setSelTabs(tabs);
    step.endEditBlock();
    if (Edit_Box.isEnabled()) {
        Edit_Box.setFocus();
        Edit_Box.setSelStart(caret);
    }
}

void Apply_Editor_Style(RichTextBox& Edit_Box)
{
    const SharedState& s = state();
    Edit_Box.setEditorStyle({s.Font_Name, s.Font_Size, s.Tab_Spacing, Twips_Per_Pixel_X()});
}
