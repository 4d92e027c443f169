#pragma once
// Registers a Qt Test class with the shared test runner:
//     class SettingsFileTest : public QObject { Q_OBJECT ... };
//     TESK_TEST(SettingsFileTest)
// (at the start of a line, after the class; CTest finds it there).

#include <QCoreApplication>
#include <QObject>
#include <QTest>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace tesk::test {
using Factory = std::function<QObject*()>;
inline std::map<std::string, Factory>& registry()
{
    static std::map<std::string, Factory> r;
    return r;
}
inline void registerTest(const char* name, Factory factory) { registry()[name] = std::move(factory); }

// Runs every registered class, or only the one named by the first argument,
// calling afterEach after each; 0 when all passed.
inline int runTests(const std::function<void()>& afterEach)
{
    QStringList args = QCoreApplication::arguments();
    QString only;
    if (args.size() > 1 && !args[1].startsWith(QLatin1Char('-'))) {
        only = args.takeAt(1);
        if (!registry().count(only.toStdString())) {
            qCritical("No test class %s in this executable", qPrintable(only));
            return 1;
        }
    }
    int failures = 0;
    for (const auto& [name, factory] : registry()) {
        if (!only.isEmpty() && only != QString::fromStdString(name))
            continue;
        std::unique_ptr<QObject> test(factory());
        failures += QTest::qExec(test.get(), args);
        afterEach();
    }
    return failures == 0 ? 0 : 1;
}
} // namespace tesk::test

#define TESK_TEST(Class)                                                               \
    namespace {                                                                        \
    const bool tesk_registered_##Class = (tesk::test::registerTest(#Class,            \
                                              [] { return new Class(); }), true);     \
    }
