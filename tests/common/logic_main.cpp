// The runner of the logic tests: a bare QCoreApplication, no widgets.
// `tests_core_logic SettingsFileTest [qtest options]` runs one class; without
// a class name every class of the executable runs.

#include "tesk_test.h"

#include "core/shared_state.h"

#include <QCoreApplication>

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
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    QString only;
    if (args.size() > 1 && !args[1].startsWith(QLatin1Char('-'))) {
        only = args.takeAt(1);
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
        resetState();
    }
    return failures == 0 ? 0 : 1;
}
