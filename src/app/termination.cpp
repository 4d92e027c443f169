#include "app/termination.h"

#include "app/frm_Start.h"
#include "ui/forms.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int pipeEnds[2] = {-1, -1};

// Only a write is safe in a signal handler: the event loop reads it.
void onTerminate(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(pipeEnds[1], &c, 1);
}
} // namespace

void Catch_Termination()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0)
        return;
    struct sigaction sa = {};
    sa.sa_handler = onTerminate;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
}

void Close_On_Termination()
{
    if (pipeEnds[0] < 0)
        return;
    auto* notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char c = 0;
        [[maybe_unused]] const auto n = ::read(pipeEnds[0], &c, 1);
        if (frm_Start* start = forms::Start_If_Loaded())
            start->close();
        else
            QCoreApplication::exit(0);
    });
}
#else
void Catch_Termination() {}
void Close_On_Termination() {}
#endif
