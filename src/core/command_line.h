#pragma once
// The program's command line and the message a second start sends to the
// editor already running. No windows here: startup decides what to show.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// ---- the command line -------------------------------------------------------

struct Command_Line {
    enum class Action { Run, Help, Version, Bad };
    Action action = Action::Run;
    QStringList files;  // absolute paths, in the order given
    QString badOption;  // the option not understood (Action::Bad)
};

// args without the program's own name; relative files are taken from
// currentFolder. "--help" and "--version" win over files; "--" makes every
// later argument a file, so a file may start with "-".
Command_Line Parse_Command_Line(const QStringList& args, const QString& currentFolder);

// "tesk-web-editor 1.0.0", the help page of --help, and the short usage
// printed for an option not understood.
QString Version_Text();
QString Help_Text();
QString Usage_Text(const QString& badOption);

// ---- files given from outside ---------------------------------------------------

enum class Outside_File { Ok, Missing, Folder, Unreadable, NotOrdinary };

// Whether path names a file the editor can read. Root reads anything, so
// a file whose owner may not read it counts as unreadable, as a file whose
// owner may not write it counts as read-only.
Outside_File Check_Outside_File(const QString& path);
QString Outside_File_Message(const QString& path, Outside_File problem);

// The working folder of the site a file lies in: the folder holding the
// nearest Working-Pages or Final-Pages above the file, when that folder has
// both; "" for a file outside any site.
QString Site_Of_File(const QString& path);

// The question asked before a file of another site is opened.
QString Other_Site_Question(const QString& path, const QString& site, const QString& current);
inline const QString kOtherSiteTitle = QStringLiteral("TWE - Another Site");

// ---- the message between two starts ---------------------------------------------

namespace handover {

// A list of paths as sent between two starts: "TWE1", the count, then each
// path's UTF-8 length and bytes (32-bit big-endian numbers). The running
// editor greets with the empty list, the second start sends its files, and
// the running editor answers with what it has open.
QByteArray Encode(const QStringList& paths);

// Reads one such list from bytes arriving in pieces. Anything that is not
// such a list, or one beyond the limits, is Bad at once, before its bytes
// are waited for or kept.
class Reader {
public:
    enum class State { Incomplete, Complete, Bad };
    static constexpr quint32 kMaxPaths = 1024;
    static constexpr quint32 kMaxPathBytes = 16 * 1024;

    State feed(QByteArrayView bytes);
    State state() const { return state_; }
    const QStringList& paths() const { return paths_; }

private:
    State state_ = State::Incomplete;
    QByteArray buffer_;
    bool haveHeader_ = false;
    quint32 count_ = 0;
    QStringList paths_;
};

// The name of the socket a running editor listens on: one per user and
// settings folder, so a program of its own folder (a test's) never talks to
// the user's editor. Under runtimeFolder when one is given (the user's
// private XDG_RUNTIME_DIR), else a bare name that Qt places in the
// temporary folder.
QString Socket_Name(const QString& user, const QString& settingsFolder, const QString& runtimeFolder);

} // namespace handover
