// Benchmarks run inside a (headless) application, because several of them
// measure documents shown in editor widgets.
#include <benchmark/benchmark.h>

#include "platform/dialogs.h"

#include <QApplication>
#include <QDialog>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // Nobody answers a question during a benchmark: one a benchmark did not
    // expect ends the run with its text instead of waiting for ever.
    dialogs::Handlers unexpected;
    unexpected.message = [](const dialogs::Message& m) -> dialogs::Answer {
        std::fprintf(stderr, "unexpected question: %s\n", qPrintable(m.text));
        std::abort();
    };
    unexpected.modal = [](QDialog& d) -> int {
        std::fprintf(stderr, "unexpected dialog: %s\n", qPrintable(d.windowTitle()));
        std::abort();
    };
    dialogs::setHandlers(unexpected);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
