#pragma once
// "Tesk Web Editor.ini": 65 positional lines beside the program. Labels are
// written for the human reader and never checked when reading; the reader
// counts items.

#include "core/shared_state.h"
#include "platform/file_system.h"

#include <QString>

inline constexpr int kSettingsLines = 65;
QString Settings_File_Name();  // "Tesk Web Editor.ini"

// The settings file in the program folder, found without regard to letter
// case; when none exists, the path it is written to.
QString Settings_Path(const QString& programFolder);

// The editor's sizes run from 8 to 18 points; anything else becomes 8.
int Usable_Font_Size(int points);

// The whole file as Store_Defaults writes it. A string the notation cannot
// hold exactly (a double quote or a line break in it) is written without
// those characters rather than shifting the lines after it. A
// Source_Window_Pos below 1 is first changed to -2 in the state, as the
// stored value is.
QString Format_Settings(SharedState& s);

enum class SettingsRead {
    Missing,  // no file: defaults stay, no message
    Ok,
    Failed,   // short or damaged: values read so far stay
};

// Reads the items into the state, applying each line's rule. Stops at the
// first item that is missing or not of its kind. A colour number outside
// 0 .. 15 gives its slot the built-in colour and name; a font size outside
// 8 .. 18 becomes 8. A picture or background pattern that is exactly an
// older built-in one becomes today's (Current_Pattern).
SettingsRead Parse_Settings(const QString& text, SharedState& s);

// The built-in picture patterns of earlier versions knew neither PNG, WebP
// nor SVG. A stored pattern that is exactly such a default was never chosen
// by the user, so it is read as today's default; any other stays as it is.
QString Current_Image_Pattern(const QString& stored);
QString Current_Background_Pattern(const QString& stored);

// File-level read and write (the messages are the caller's).
SettingsRead Read_Settings_File(SharedState& s);
fs::Result Write_Settings_File(SharedState& s);
