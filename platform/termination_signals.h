#pragma once

#include <functional>
#include <memory>

// While one exists, SIGTERM (a logout, kill), SIGHUP (the terminal went away)
// and SIGINT (Ctrl+C) no longer end the process on the spot: each is turned
// into a call of onSignal from the event loop, where the program can quit in
// good order. The signal handler itself only writes a byte to a pipe. A signal
// that was ignored when the program started (nohup) stays ignored. The
// previous handlers come back when it is destroyed. One at a time.
class TerminationSignals final {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
