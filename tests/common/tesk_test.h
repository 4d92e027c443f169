#pragma once
// Registers a Qt Test class with the shared test runner:
//     class SettingsFileTest : public QObject { Q_OBJECT ... };
//     TESK_TEST(SettingsFileTest)
// (at the start of a line, after the class; CTest finds it there).

#include <QObject>
#include <QTest>

#include <functional>

namespace tesk::test {
using Factory = std::function<QObject*()>;
void registerTest(const char* name, Factory factory);
} // namespace tesk::test

#define TESK_TEST(Class)                                                               \
    namespace {                                                                        \
    const bool tesk_registered_##Class = (tesk::test::registerTest(#Class,            \
                                              [] { return new Class(); }), true);     \
    }
