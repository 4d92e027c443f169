// tesk-help-shots <resources folder> <picture folder>
//
// Starts the editor in a throw-away program folder with a small sample site,
// opens each window through its own menu command and saves a picture of it
// (PNG) into the picture folder. A window the program does not have yet (its
// menu command does nothing) is skipped with a note, so the pictures can be
// made again whenever windows are added or changed.

#include "app/frm_Start.h"
#include "app/program_icon.h"
#include "app/startup.h"
#include "core/shared_state.h"
#include "core/site_layout.h"
#include "platform/dialogs.h"
#include "platform/web_browser.h"
#include "source/frm_Source.h"
#include "ui/forms.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

struct Shot {
    const char* file;    // picture name, without ".png"
    const char* action;  // menu command (object name); null: none
    const char* window;  // object name of the window to picture; null: the main window
    bool alone = false;  // the other tool windows closed first
};

// In the order the help page shows them.
const Shot kShots[] = {
    {"main-window", nullptr, nullptr},
    {"source-window", nullptr, "frm_Source"},
    {"browser-window", nullptr, "frm_Browser"},
    {"open-plus", "mnu_Source_Open_Plus", "frm_Source_Open"},
    {"search-replace", "mnu_Source_Find", "frm_Find"},
    {"images-tool", "mnu_Window_Images", "frm_Images", true},
    {"colors-tool", "mnu_Window_Colors", "frm_Colors", true},
    {"tag-lists", "mnu_Window_Tags", "frm_Tags"},
    {"working-folder", "mnu_File_Working_Folder", "frm_Working_Folder"},
    {"copy-folders", "mnu_File_Copy", "frm_Copy"},
    {"delete-pages", "mnu_Source_Delete", "frm_Delete"},
    {"rename-pages", "mnu_Source_Rename", "frm_Rename"},
    {"page-setup", "mnu_File_Pg_Setup", "frm_Pg_Setup_Text"},
    {"print-plus", "mnu_File_Print", "frm_Print_Plus"},
    {"print-preview", "mnu_Source_Preview", "frm_Print_Preview"},
    {"options", "mnu_Window_Options", "frm_Options"},
    {"help-window", "mnu_Help_Home", "frm_Help"},
    {"about", "mnu_Help_About", "frm_About"},
};

const char kSamplePage[] =
    "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>My First Site</title>\r\n"
    "<style>\r\nbody { font-family: Arial, sans-serif; margin: 2em; }\r\nh1 { color: #1C469A; }\r\n"
    "</style>\r\n</head>\r\n<body>\r\n<!-- The home page -->\r\n<h1>Welcome</h1>\r\n"
    "<p>This site is made with the <b>Tesk Web Editor</b>.</p>\r\n"
    "<p><a href=\"links.htm\">Links</a> | <a href=\"mailto:me@example.com\">Write to me</a></p>\r\n"
    "<img src=\"Images/logo.png\" width=\"64\" height=\"64\" alt=\"Logo\">\r\n</body>\r\n</html>\r\n";

QString pictureFolder;
QString pendingWindow;  // the modal window expected next, and its picture
QString pendingFile;
bool pendingTaken = false;

void settle(int ms = 300)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool save(QWidget* w, const QString& file)
{
    // A window that is only a frame so far (its controls are still to come)
    // is not worth a picture.
    if (w->findChildren<QWidget*>().size() < 3)
        return false;
    // A window inside the main window is pictured with its frame.
    QWidget* shown = qobject_cast<QMdiSubWindow*>(w->parentWidget()) ? w->parentWidget() : w;
    const QString path = pictureFolder + QLatin1Char('/') + file + QStringLiteral(".png");
    if (!shown->grab().save(path, "PNG")) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(file + QStringLiteral(".png")));
    return true;
}

QWidget* shownWindow(const QString& name)
{
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

void close(QWidget* w)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        frame->close();
    else
        w->close();
    settle(100);
}

void backToStart()
{
    SharedState& s = state();
    s.Browser_Window_Pos = 2;
    s.Source_Window_Pos = 2;
    s.Image_Window_Pos = -2;
    s.Color_Window_Pos = -2;
    s.Tool_Pane_Window = 0;
    frm_Start* start = forms::Start();
    start->setTopMenusEnabled(true);
    start->arrangeWindows();
    settle(100);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    WebBrowser::allowEngineToStart();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tesk Web Editor"));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setWindowIcon(Program_Icon());
    if (argc < 3) {
        std::fprintf(stderr, "usage: tesk-help-shots <resources folder> <picture folder>\n");
        return 2;
    }
    const QString resources = QString::fromLocal8Bit(argv[1]);
    pictureFolder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(pictureFolder);

    // A program folder of its own (nothing of the user's settings shows) and a
    // site with one page.
    // A fixed name reads better in the pictures than a random one.
    QDir root(QDir::tempPath() + QStringLiteral("/Tesk Sites"));
    root.removeRecursively();
    const QString program = root.path() + QStringLiteral("/program/");
    const QString site = root.path() + QStringLiteral("/My First Site/");
    QDir().mkpath(program + QStringLiteral("References"));
    for (const QString& name : {QStringLiteral("TeskEdit.htm"), QStringLiteral("New Page.rtf"),
                                QStringLiteral("References/Button.but")})
        QFile::copy(resources + QLatin1Char('/') + name, program + name);
    QDir().mkpath(site);
    site::Lay_Out_Site(site);
    auto write = [&site](const char* name, const QByteArray& bytes) {
        QFile f(site + QLatin1String(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    };
    write("Working-Pages/index.htm", kSamplePage);
    write("Working-Pages/Color.lst", "<body bgcolor=\"#FFFFCC\" text=\"#000066\" link=\"#0000FF\">\r\n"
                                     "<font color=\"#CC0000\">\r\n");
    write("Working-Pages/URL.lst", "https://www.example.com/\r\nme@example.com\r\n");
    write("Working-Pages/Anchor.lst", "top\r\ncontact\r\n");
    write("Working-Pages/Image.lst", "<img src=\"Images/logo.png\" width=\"64\" height=\"64\" alt=\"Logo\">\r\n");
    QApplication::windowIcon().pixmap(64, 64).save(site + QStringLiteral("Final-Pages/Images/logo.png"), "PNG");

    setProgramExit([] {});
    dialogs::Handlers h;
    h.message = [](const dialogs::Message& m) {
        std::fprintf(stderr, "(message: %s)\n", qPrintable(m.text));
        return m.buttons == dialogs::Buttons::Ok ? dialogs::Answer::Ok : dialogs::Answer::Cancel;
    };
    h.file = [site](const dialogs::FileRequest& r) {
        dialogs::FileResult out;
        out.folder = r.folder;
        if (r.kind == dialogs::FileRequest::Kind::Open && r.folder.startsWith(site))
            out.path = site + QStringLiteral("Working-Pages/index.htm");
        return out;
    };
    h.printer = [](QPrinter&) { return false; };
    h.modal = [](QDialog& d) {
        d.show();
        if (d.objectName() == pendingWindow) {
            settle();
            pendingTaken = save(&d, pendingFile);
            d.hide();
            return int(QDialog::Rejected);
        }
        // Another window on the way (counting pages): its focused button, as
        // Enter would press it, takes it on.
        settle();
        if (auto* button = qobject_cast<QPushButton*>(d.focusWidget()))
            button->click();
        QElapsedTimer t;
        t.start();
        while (d.isVisible() && t.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        if (d.isVisible()) {
            d.hide();
            return int(QDialog::Rejected);
        }
        return d.result();
    };
    dialogs::setHandlers(h);

    Main(program);
    frm_Start* start = forms::Start();
    start->showNormal();
    start->resize(800, 600);
    site::Set_Working_Folder(state(), site);
    frm_Source* source = forms::Source();
    source->Working_Folder_Files();
    source->Open_File();
    source->Color_Code();
    source->Save_Source();
    settle(3000);

    QStringList skipped;
    for (const Shot& shot : kShots) {
        backToStart();
        // The modal windows are pictured while they run, the others after
        // their command.
        pendingWindow = shot.window ? QString::fromLatin1(shot.window) : QString();
        pendingFile = QLatin1String(shot.file);
        pendingTaken = false;
        if (shot.alone) {
            state().Browser_Window_Pos = 0;
            state().Source_Window_Pos = 0;
            start->arrangeWindows();
        }
        if (shot.action) {
            QAction* a = start->findChild<QAction*>(QLatin1String(shot.action));
            if (a)
                a->trigger();
            settle(shot.window && QByteArray(shot.window) == "frm_Help" ? 3000 : 500);
        }
        if (pendingTaken)
            continue;
        QWidget* w = shot.window ? shownWindow(QLatin1String(shot.window)) : start;
        if (!w || !save(w, QLatin1String(shot.file))) {
            skipped << QLatin1String(shot.file);
            if (w && w != start && shot.action)
                close(w);
            continue;
        }
        if (w != start && shot.action)
            close(w);
    }
    for (const QString& s : skipped)
        std::printf("skipped %s: the window is not there yet\n", qPrintable(s));
    forms::Unload_All();
    root.removeRecursively();
    return 0;
}
