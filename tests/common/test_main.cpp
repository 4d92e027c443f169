// The shared runner: `tests_core SettingsFileTest [qtest options]` runs one
// class; without a class name every class of the executable runs.

#include "tesk_test.h"
#include "test_support.h"

#include "app/startup.h"
#include "app/wiring.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QFont>

#include <map>
#include <memory>
#include <string>

namespace tesk::test {

static std::map<std::string, Factory>& registry()
{
    static std::map<std::string, Factory> r;
    return r;
}

void registerTest(const char* name, Factory factory) { registry()[name] = std::move(factory); }

} // namespace tesk::test

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

    QStringList args = QCoreApplication::arguments();
    QString only;
    if (args.size() > 1 && !args[1].startsWith(QLatin1Char('-'))) {
        only = args[1];
        args.removeAt(1);
        if (!tesk::test::registry().count(only.toStdString())) {
            qCritical("No test class %s in this executable", qPrintable(only));
            return 1;
        }
    }
    int failures = 0;
    for (const auto& [name, factory] : tesk::test::registry()) {
        if (!only.isEmpty() && only != QString::fromStdString(name))
            continue;
        std::unique_ptr<QObject> test(factory());
        failures += QTest::qExec(test.get(), args);
        tesk::test::resetProgram();
    }
    return failures == 0 ? 0 : 1;
}
