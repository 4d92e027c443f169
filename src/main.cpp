#include "ui/forms.h"
#include "app/program_icon.h"
#include "app/startup.h"
#include "app/termination.h"
#include "platform/web_browser.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    // The page engine shares its graphics context with the widgets; this must
    // be set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    WebBrowser::allowEngineToStart();
    Catch_Termination();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tesk Web Editor"));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setWindowIcon(Program_Icon());

    Close_On_Termination();
    Main();
    const int rc = QApplication::exec();
    forms::Unload_All();
    return rc;
}
