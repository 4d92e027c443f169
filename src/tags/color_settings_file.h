#pragma once
// Colour setting files (".clr"): a whole set of the Colours tool's choices,
// 29 lines in the quoted data-file notation (platform/data_file.h), CR LF
// after each:
//
//    1 Boolean  body uses a pattern        13 Boolean  table uses a pattern
//    2 string   body pattern               14 string   table pattern
//    3 string   body colour text           15 string   table colour text
//    4 integer  body colour value          16 integer  table colour value
//    5, 6       text colour text, value    17 string   cell spacing as typed
//    7, 8       link                       18 Boolean  cells use a pattern
//    9, 10      active link                19 string   cell pattern
//   11, 12      visited link               20, 21      cell colour text, value
//                                          22-29       fonts 1-4: text, value
//
// Colour values are 0x00BBGGRR, or below 0 for a system colour. Pattern names
// are file names only and refer to the "Backgrnd" folder of the site that is
// current when the file is opened.
//
// A string is written between double quotes with nothing escaped. A string
// item fills its line, so the reader takes everything between the line's
// first and last quote: a text holding a double quote reads back exactly.
// A file is read whole and checked before any of it is used: a short or
// damaged file gives nothing at all, never half a setting.

#include "platform/file_system.h"
#include "tags/color_tags.h"

#include <QString>

#include <optional>

namespace color_settings {

constexpr int Line_Count = 29;

// The file's text: 29 lines, each ended by CR LF. A line break inside a text
// (which no field of the tool can hold) is written as a blank.
QString Format_Color_File(const color_tags::Color_Choices& c);
// The choices of a file's text, or nothing when it has fewer than 29 lines
// or a line is not of its kind (a string not in quotes, a Boolean other than
// #TRUE# / #FALSE#, an integer that is not a whole 32-bit number). Lines
// after the 29th are ignored.
std::optional<color_tags::Color_Choices> Parse_Color_File(const QString& text);

// Writes the file through a temporary file and a rename, so a failed write
// keeps the previous file.
fs::Result Write_Color_File(const QString& path, const color_tags::Color_Choices& c);
// Reads and checks a file; nothing when it cannot be read or is damaged.
std::optional<color_tags::Color_Choices> Read_Color_File(const QString& path);

// On opening, a colour still at a system colour is shown as a fixed one:
// body and cells white, table light grey, text, links and fonts black.
color_tags::Color_Choices With_Fixed_Colors(color_tags::Color_Choices c);

// ---- names from the file dialogs -------------------------------------------------
extern const QString Extension;  // ".clr"
// A name typed without an extension gets ".clr", so the Open dialog's filter
// shows the file; a name with an extension of its own keeps it.
QString With_Extension(const QString& path);
// The folder of a chosen path and the name within it, taken from the path.
QString Folder_Of(const QString& path);
QString Short_Name_Of(const QString& path);

// ---- telling the user ------------------------------------------------------------
extern const QString Retrieval_Failed;    // "Retrieval not Successful"
extern const QString Not_Saved_Title;     // "TWE - Color Setting Not Saved"
QString Not_Saved_Message(const QString& path, fs::Result result);
// Find_Pattern's message: the name followed by " Not Found".
QString Pattern_Not_Found(const QString& name);
extern const QString Pattern_Not_Found_Title;  // "Background Pattern"

} // namespace color_settings
