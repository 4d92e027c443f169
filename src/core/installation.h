#pragma once
// Where the program finds the files it ships and where it writes its own.
//
// A program run from its build folder keeps everything beside itself: the
// help page, samples, "References", the settings file, and the program
// folder is its first working folder.
//
// An installed program is one whose data folder lies where the build placed
// it relative to the executable (for example bin/../share/tesk-web-editor).
// That folder is shared and usually not writable, so the program reads the
// help page, samples and template from it but keeps the settings file and
// "References" in the user's configuration folder (the shipped References
// copied there on the first run) and starts in "Tesk Sites" in the user's
// documents. Whether a folder can be written is no test: root can write
// everywhere.

#include <QString>

struct ProgramPlaces {
    QString programFolder;         // ends in a separator
    QString userFolder;            // "" when the program runs from its build folder
    QString defaultWorkingFolder;  // "" likewise
};

// The data folder of an installed program, relative to the folder of its
// executable, as the build installs it.
QString Installed_Data_From_Bin();

ProgramPlaces Program_Places(const QString& applicationDir, const QString& dataFromBin,
                             const QString& configFolder, const QString& documentsFolder);

// Makes what an installed program needs and does not have yet: its own
// folder with a copy of the shipped "References" (files already there are
// kept), and the default working folder laid out as a site.
void Prepare_User_Folders(const ProgramPlaces& places);
