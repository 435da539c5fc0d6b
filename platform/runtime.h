#pragma once

#include <memory>
#include <string>

// The process-wide GUI runtime (the Qt application object). Exactly one exists
// while any window, picture or timer is used; main and the test harness make it
// first thing. A TMPDIR that is not an absolute path to a folder is replaced
// then by the system's temporary folder, for Qt and every program started.
class Runtime {
public:
    Runtime(int& argc, char** argv, const std::string& applicationName,
        const std::string& shortVersion);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    static bool Exists();
    static std::string ShortVersion();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
