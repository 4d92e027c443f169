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
    bool Reopen_Last_Page = true;
    bool Match_Tags = true;
    bool Modern_Markup = false;
    // Misspelt words underlined as the user types; Tidy's accessibility
    // checks in Check Page and Check Site.
    bool Spell_While_Typing = true;
    bool Accessibility_Checks = false;
    // The spelling dictionary when a page's lang names none installed; ""
    // is en_US (Chosen_Dictionary).
    QString Dictionary;

    // The page open when the program last ended, to open again at start:
    // its source, the working folder it belongs to, the caret (a position in the editor's text) and the
    // first line in view. Empty when no page was open.
    QString Last_Source;
    QString Last_Folder;
    int Last_Caret = 0;
    int Last_Scroll = 0;

    // "x,y,width,height" of the Find in Site window; "" until it is moved.
    QString Find_In_Site_Window;

    // Lines of names this program does not know, as read.
    std::vector<std::pair<QString, QString>> unknown;
    bool operator==(const MoreSettings&) const = default;
};

QString More_Settings_File_Name();  // "Tesk Web Editor Options.ini"
QString Chosen_Dictionary(const MoreSettings& m);

// A value that does not read as its kind leaves the default; a line without
// "=" is dropped. Nothing here fails.
MoreSettings Parse_More_Settings(const QString& text);
QString Format_More_Settings(const MoreSettings& m);

// In `folder` (the folder of the settings file). A missing file gives the
// defaults.
MoreSettings Read_More_Settings(const QString& folder);
fs::Result Write_More_Settings(const QString& folder, const MoreSettings& m);
