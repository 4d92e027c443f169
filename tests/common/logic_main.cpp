// The runner of the logic tests: a bare QCoreApplication, no widgets.
// `tests_core_logic SettingsFileTest [qtest options]` runs one class; without
// a class name every class of the executable runs.

#include "tesk_test.h"

#include "core/shared_state.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return tesk::test::runTests([] { resetState(); });
}
