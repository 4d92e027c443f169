#include "core/command_line.h"

#include "core/site_layout.h"
#include "platform/file_system.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QtEndian>

namespace {
const QString kProgram = QStringLiteral("tesk-web-editor");
const QString kSynopsis = QStringLiteral("Usage: tesk-web-editor [--help] [--version] [FILE...]\n");
} // namespace

Command_Line Parse_Command_Line(const QStringList& args, const QString& currentFolder)
{
    Command_Line c;
    const QDir here(currentFolder);
    bool options = true;
    for (const QString& a : args) {
        if (options && a == QLatin1String("--")) {
            options = false;
        } else if (options && a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
                c.action = Command_Line::Action::Help;
            } else if (a == QLatin1String("--version")) {
                if (c.action != Command_Line::Action::Help)
                    c.action = Command_Line::Action::Version;
            } else {
                c.action = Command_Line::Action::Bad;
                c.badOption = a;
                break;
            }
        } else {
            c.files << QDir::cleanPath(here.absoluteFilePath(a));
        }
    }
    return c;
}

QString Version_Text()
{
    return kProgram + QLatin1Char(' ') + QStringLiteral(TESK_VERSION) + QLatin1Char('\n');
}

QString Help_Text()
{
    return kSynopsis
        + QStringLiteral("Edit the pages of a web site beside their coloured sources.\n"
                         "\n"
                         "  FILE       a page or source to open, as Source > Open would; when the\n"
                         "             editor is running already, it opens the files instead\n"
                         "  --help     show this help and end\n"
                         "  --version  show the version and end\n"
                         "  --         every later argument is a file, even one starting with -\n");
}

QString Usage_Text(const QString& badOption)
{
    return kProgram + QStringLiteral(": unknown option '") + badOption + QStringLiteral("'\n") + kSynopsis
        + QStringLiteral("Try 'tesk-web-editor --help' for more.\n");
}

// ---- files given from outside ---------------------------------------------------

Outside_File Check_Outside_File(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Outside_File::Missing;
    if (info.isDir())
        return Outside_File::Folder;
    if (!info.isFile())
        return Outside_File::NotOrdinary;
    if (!info.isReadable() || !info.permissions().testFlag(QFileDevice::ReadOwner))
        return Outside_File::Unreadable;
    return Outside_File::Ok;
}

QString Outside_File_Message(const QString& path, Outside_File problem)
{
    QString why;
    switch (problem) {
    case Outside_File::Ok: return QString();
    case Outside_File::Missing: why = QStringLiteral("There is no such file."); break;
    case Outside_File::Folder: why = QStringLiteral("This is a folder, not a page or a source."); break;
    case Outside_File::Unreadable: why = QStringLiteral("You have no permission to read this file."); break;
    case Outside_File::NotOrdinary: why = QStringLiteral("This is not an ordinary file."); break;
    }
    return QDir::toNativeSeparators(path) + QStringLiteral("\r\n") + why + QStringLiteral("\r\nIt has not been opened.");
}

QString Site_Of_File(const QString& path)
{
    for (QString folder = fs::parentFolder(path); !folder.isEmpty() && !fs::isRoot(folder);
         folder = fs::parentFolder(folder)) {
        const QString name = fs::fileName(folder);
        if (!site::Is_Page_Folder_Name(name))
            continue;
        const QString working = fs::withSeparator(fs::parentFolder(folder));
        if (fs::folderExists(working + site::Working_Pages) && fs::folderExists(working + site::Final_Pages))
            return working;
    }
    return QString();
}

QString Other_Site_Question(const QString& path, const QString& site, const QString& current)
{
    return QDir::toNativeSeparators(path) + QStringLiteral("\r\nbelongs to the site in\r\n")
        + QDir::toNativeSeparators(site)
        + QStringLiteral("\r\n\r\nYes: make that the working folder and open it there.\r\n"
                         "No: open it in the working folder ")
        + QDir::toNativeSeparators(current) + QStringLiteral("\r\nCancel: leave it unopened.");
}

// ---- the message between two starts ---------------------------------------------

namespace handover {

namespace {
constexpr char kMagic[4] = {'T', 'W', 'E', '1'};

void appendNumber(QByteArray& out, quint32 n)
{
    char b[4];
    qToBigEndian(n, b);
    out.append(b, 4);
}
} // namespace

QByteArray Encode(const QStringList& paths)
{
    QByteArray out(kMagic, 4);
    appendNumber(out, quint32(paths.size()));
    for (const QString& p : paths) {
        const QByteArray bytes = p.toUtf8();
        appendNumber(out, quint32(bytes.size()));
        out += bytes;
    }
    return out;
}

Reader::State Reader::feed(QByteArrayView bytes)
{
    // Whatever follows a complete list is no part of it.
    if (state_ != State::Incomplete)
        return state_;
    buffer_ += bytes;
    // Consumed bytes leave the buffer, so it never holds more than one
    // path and its length.
    if (!haveHeader_) {
        if (buffer_.size() < 8) {
            const QByteArrayView start = QByteArrayView(buffer_).first(qMin<qsizetype>(buffer_.size(), 4));
            return state_ = QByteArrayView(kMagic, 4).startsWith(start) ? State::Incomplete : State::Bad;
        }
        if (QByteArrayView(buffer_).first(4) != QByteArrayView(kMagic, 4))
            return state_ = State::Bad;
        count_ = qFromBigEndian<quint32>(buffer_.constData() + 4);
        if (count_ > kMaxPaths)
            return state_ = State::Bad;
        buffer_.remove(0, 8);
        haveHeader_ = true;
    }
    while (quint32(paths_.size()) < count_) {
        if (buffer_.size() < 4)
            return state_;
        const quint32 length = qFromBigEndian<quint32>(buffer_.constData());
        if (length > kMaxPathBytes)
            return state_ = State::Bad;
        if (buffer_.size() < 4 + qsizetype(length))
            return state_;
        const QByteArrayView utf8 = QByteArrayView(buffer_).sliced(4, length);
        // A path holds no NUL; a name with one could not be a file anyway.
        if (utf8.contains('\0'))
            return state_ = State::Bad;
        paths_ << QString::fromUtf8(utf8);
        buffer_.remove(0, 4 + qsizetype(length));
    }
    return state_ = State::Complete;
}

QString Socket_Name(const QString& user, const QString& settingsFolder, const QString& runtimeFolder)
{
    const QByteArray key = QCryptographicHash::hash(
        QDir::cleanPath(settingsFolder).toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    const QString name = QStringLiteral("tesk-web-editor-") + user + QLatin1Char('-') + QString::fromLatin1(key);
    return runtimeFolder.isEmpty() ? name : fs::withSeparator(runtimeFolder) + name;
}

} // namespace handover
