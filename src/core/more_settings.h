#pragma once
// "Tesk Web Editor Options.ini", beside the settings file: the options the
// 65-line settings file has no place for (it stays exactly as it is, for
// the programs and people that read it). One "Name=Value" a line, in any
// order; a line this program does not know is kept and written back, so an
// older copy of the program keeps what a newer one stored.

#include "platform/file_system.h"

#include <QString>

#include <utility>
#include <vector>

struct MoreSettings {
    bool Color_While_Typing = true;
    bool Line_Numbers = true;
    bool Close_Tags = true;
    bool Complete_Names = true;

    // Lines of names this program does not know, as read.
    std::vector<std::pair<QString, QString>> unknown;
    bool operator==(const MoreSettings&) const = default;
};

QString More_Settings_File_Name();  // "Tesk Web Editor Options.ini"

// A value that does not read as its kind leaves the default; a line without
// "=" is dropped. Nothing here fails.
MoreSettings Parse_More_Settings(const QString& text);
QString Format_More_Settings(const MoreSettings& m);

// In `folder` (the folder of the settings file). A missing file gives the
// defaults.
MoreSettings Read_More_Settings(const QString& folder);
fs::Result Write_More_Settings(const QString& folder, const MoreSettings& m);
