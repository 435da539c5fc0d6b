#include "termination_signals.h"

#include "exceptions.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kSignals = { SIGTERM, SIGHUP, SIGINT };

// The write end of the pipe, for the handler; -1 while nothing listens.
volatile sig_atomic_t signalWriteEnd = -1;

extern "C" void WakeEventLoop(int signalNumber)
{
    const int savedErrno = errno;
    const int writeEnd = signalWriteEnd;
    if (writeEnd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(signalNumber);
        // Non-blocking: when the pipe is full a wake-up is pending anyway.
        [[maybe_unused]] const ssize_t ignored = ::write(writeEnd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

struct TerminationSignals::Private {
    std::array<int, 2> ends { -1, -1 }; // read, write
    std::unique_ptr<QSocketNotifier> notifier;
    std::array<struct sigaction, kSignals.size()> previous {};
    std::array<bool, kSignals.size()> installed {};
};

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : d(std::make_unique<Private>())
{
    if (signalWriteEnd >= 0)
        throw RuntimeException("termination signals are already being handled");
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, d->ends.data()) != 0)
        throw RuntimeException("no pipe for the termination signals");
    d->notifier = std::make_unique<QSocketNotifier>(d->ends[0], QSocketNotifier::Read);
    const int readEnd = d->ends[0];
    QObject::connect(d->notifier.get(), &QSocketNotifier::activated, d->notifier.get(),
        [readEnd, onSignal = std::move(onSignal)] {
            unsigned char bytes[64];
            while (::read(readEnd, bytes, sizeof bytes) > 0) { }
            if (onSignal)
                onSignal();
        });
    signalWriteEnd = d->ends[1];

    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        struct sigaction current { };
        if (::sigaction(kSignals[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action { };
        action.sa_handler = WakeEventLoop;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        d->installed[i] = ::sigaction(kSignals[i], &action, &d->previous[i]) == 0;
    }
}

TerminationSignals::~TerminationSignals()
{
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (d->installed[i])
            ::sigaction(kSignals[i], &d->previous[i], nullptr);
    }
    signalWriteEnd = -1;
    d->notifier.reset();
    for (int end : d->ends) {
        if (end >= 0)
            ::close(end);
    }
}
