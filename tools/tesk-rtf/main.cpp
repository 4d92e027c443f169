// tesk-rtf: a source file as the editor sees it, for scripts and checks.
//   tesk-rtf text FILE       the text the editor would hold (UTF-8, CR LF)
//   tesk-rtf json FILE       text, colour runs and indents as JSON
//   tesk-rtf copy IN OUT     IN re-saved as the editor saves a source file
// The editor font written by "copy" comes from the settings file beside the
// program when there is one. Exit status: 0 done, 1 a file could not be read
// or written, 2 wrong arguments.

#include "core/settings_file.h"
#include "core/shared_state.h"
#include "platform/file_system.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: tesk-rtf text FILE\n"
               "       tesk-rtf json FILE\n"
               "       tesk-rtf copy IN OUT\n",
               stderr);
    return 2;
}

void complain(const QString& path, fs::Result r, const char* what)
{
    const QByteArray msg = QStringLiteral("tesk-rtf: cannot %1 %2: %3\n")
                               .arg(QLatin1String(what), path, fs::describe(r))
                               .toLocal8Bit();
    std::fputs(msg.constData(), stderr);
}

bool load(const QString& path, rtf::Content& out)
{
    QByteArray bytes;
    const fs::Result r = fs::readBytes(path, bytes);
    if (r != fs::Result::Ok) {
        complain(path, r, "read");
        return false;
    }
    // As the editor opens it: a picture or a program is no source.
    if (!rtf::readSource(bytes, out)) {
        complain(path, fs::Result::NotText, "read");
        return false;
    }
    return true;
}

bool print(const QByteArray& bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
        && std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args[0];
    rtf::Content content;

    if ((command == QLatin1String("text") || command == QLatin1String("json")) && args.size() == 2) {
        if (!load(args[1], content))
            return 1;
        const QByteArray out = command == QLatin1String("text")
            ? fs::encodeText(rtf::crlfText(content))
            : rtf::toJson(content);
        if (!print(out)) {
            std::fputs("tesk-rtf: cannot write the output\n", stderr);
            return 1;
        }
        return 0;
    }

    if (command == QLatin1String("copy") && args.size() == 3) {
        if (!load(args[1], content))
            return 1;
        SharedState settings;
        settings.Program_Folder = Program_Folder_From(QCoreApplication::applicationDirPath());
        Read_Settings_File(settings);
        const fs::Result r =
            fs::writeBytes(args[2], rtf::write(content, settings.Font_Name, settings.Font_Size));
        if (r != fs::Result::Ok) {
            complain(args[2], r, "write");
            return 1;
        }
        return 0;
    }
    return usage();
}
