#include "core/forms.h"
#include "core/program_icon.h"
#include "core/startup.h"

#include <QApplication>
#include <QFont>

#include <unistd.h>

int main(int argc, char** argv)
{
    // The page engine shares its graphics context with the widgets; this must
    // be set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#ifdef Q_OS_UNIX
    // Chromium refuses to start its sandbox as root; without this the
    // preview would stay blank for an administrator.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tesk Web Editor"));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setWindowIcon(Program_Icon());

    Main();
    const int rc = QApplication::exec();
    forms::Unload_All();
    return rc;
}
