#pragma once
// The text-processing commands of the source editor, carried out on the
// rich-text box they are given (the editor passes its own box as Edit_Box):
// colour coding, the Ctrl-key conversions and the standard format, and the
// editor's look from the shared settings.

class RichTextBox;

// Colours the selection, or the whole text when nothing is selected, by HTML
// role (text/color_coding.h), with the colours of Code_Color_Numbers. A text
// longer than 15000 characters with nothing selected asks first. All colours
// change in one step that one undo takes back; the text never changes. The
// caret ends where it was, with nothing selected.
void Color_Code_Source(RichTextBox& Edit_Box);

// Carries out the Ctrl (or Ctrl+Shift, when `shift`) key of the key table
// (text/key_conversion.h). keyCode is set to 0 when the editor must not
// process the key any further; keys not in the table are left unchanged.
void Convert_Key(RichTextBox& Edit_Box, int& keyCode, bool shift);

// Removes bold, italic, underline, strike-through, raised or lowered text,
// alignment, hanging indents and bullets from the selection (or the whole
// text) and gives it the editor font and tab stops, in one undo step. When
// the box is enabled it takes the focus and the caret goes back to where it
// was.
void Standard_Format(RichTextBox& Edit_Box);

// Gives the box the editor font (Font_Name, Font_Size), the tab width
// (Tab_Spacing) and the screen's twips per pixel.
void Apply_Editor_Style(RichTextBox& Edit_Box);
