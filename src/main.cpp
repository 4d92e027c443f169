#include "ui/forms.h"
#include "app/outside_files.h"
#include "app/program_icon.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "core/command_line.h"
#include "platform/web_browser.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    // The command line is read before anything needs a display, so --help
    // and --version work anywhere.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const Command_Line line = Parse_Command_Line(args, QDir::currentPath());
    switch (line.action) {
    case Command_Line::Action::Help:
        std::fputs(Help_Text().toLocal8Bit().constData(), stdout);
        return 0;
    case Command_Line::Action::Version:
        std::fputs(Version_Text().toLocal8Bit().constData(), stdout);
        return 0;
    case Command_Line::Action::Bad:
        std::fputs(Usage_Text(line.badOption).toLocal8Bit().constData(), stderr);
        return 2;
    case Command_Line::Action::Run:
        break;
    }

    // The page engine shares its graphics context with the widgets; this must
    // be set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    WebBrowser::allowEngineToStart();
    // The files are no business of Qt's: one named "-reverse" would turn
    // the layout round.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Tesk Web Editor"));
    // Lets a Wayland desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("invalid.tesk.WebEditor"));

    const QString socket = Instance_Socket_Name(Settings_Folder_Of_This_Program());
    if (Hand_Over_Files(socket, line.files))
        return 0;
    Listen_For_Later_Starts(socket);

    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setWindowIcon(Program_Icon());
    Main();
    // Once the window is up, so its questions have something to stand on.
    QTimer::singleShot(0, &app, [files = line.files] { Open_Outside_Files(files); });
    const int rc = QApplication::exec();
    forms::Unload_All();
    return rc;
}
