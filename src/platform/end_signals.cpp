#include "platform/end_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

std::function<void()>& handler()
{
    static std::function<void()> fn;
    return fn;
}

#ifdef Q_OS_UNIX
int wakeFds[2] = {-1, -1};

extern "C" void onEndSignal(int sig)
{
    const int saved = errno;
    const char byte = char(sig);
    // A full pipe already holds a wake-up; losing this one changes nothing.
    [[maybe_unused]] const ssize_t n = ::write(wakeFds[1], &byte, 1);
    errno = saved;
}

bool install()
{
    if (::pipe(wakeFds) != 0)
        return false;
    for (int fd : wakeFds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    auto* notifier = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char buffer[64];
        while (::read(wakeFds[0], buffer, sizeof buffer) > 0) {
        }
        // Once: a second signal while the program ends changes nothing.
        if (std::function<void()> fn = std::exchange(handler(), nullptr))
            fn();
    });
    struct sigaction sa {};
    sa.sa_handler = onEndSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
    return true;
}
#endif

} // namespace

void Watch_End_Signals(std::function<void()> fn)
{
    handler() = std::move(fn);
#ifdef Q_OS_UNIX
    static const bool installed = install();
    (void)installed;
#endif
}
