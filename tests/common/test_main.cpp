// The shared runner: `tests_core SettingsFileTest [qtest options]` runs one
// class; without a class name every class of the executable runs.

#include "tesk_test.h"
#include "test_support.h"

#include "app/startup.h"
#include "app/wiring.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                "--disable-gpu --no-sandbox --disable-background-networking "
                "--disable-component-update --disable-sync");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tesk Web Editor"));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));

    // No test may end the run or wait on a modal window.
    setProgramExit([] {});
    Wire_Windows();
    tesk::test::installStrictDialogs();

    return tesk::test::runTests([] { tesk::test::resetProgram(); });
}
