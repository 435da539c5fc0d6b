#include "fuzz_support.h"

#include "application.h"
#include "message_sink.h"
#include "private_environment.h"
#include "runtime.h"
#include "varno.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

// Removes the private folders when the run ends (libFuzzer ends it with exit).
struct PrivateFolders {
    fs::path root;
    ~PrivateFolders()
    {
        std::error_code ignored;
        if (!root.empty())
            fs::remove_all(root, ignored);
    }
};

PrivateFolders& Folders()
{
    static PrivateFolders folders;
    return folders;
}

} // namespace

void StartFuzzRuntime()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    Folders().root = MakePrivateEnvironment("varno-fuzz");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt keeps argc and argv for the whole run and may take its own options
    // out of them, so it gets a list of its own rather than libFuzzer's.
    static int argc = 1;
    static char name[] = "varno-fuzz";
    static char* argv[] = { name, nullptr };
    // Never destroyed: libFuzzer ends the run with exit(), when Qt's own
    // globals may already be gone, and the Qt application object must not
    // outlive them. It stays reachable from here, so it is no leak either.
    static Runtime& runtime = *new Runtime(argc, argv, "Varno", "fuzz");
    static_cast<void>(runtime);
    InstallRecordingMessageSink();
}

void RegisterFuzzApplication(Application& app)
{
    Application::Register(&app);
    app.BindUnhandledException([](RuntimeException& exception) {
        if (dynamic_cast<OutOfBoundsException*>(&exception) == nullptr
            && dynamic_cast<NilObjectException*>(&exception) == nullptr)
            FuzzFault("unexpected exception in an event: " + exception.Message());
        return true;
    });
}

namespace {

RecordingMessageSink& Sink()
{
    auto* sink = dynamic_cast<RecordingMessageSink*>(&CurrentMessageSink());
    if (sink == nullptr)
        FuzzFault("no recording message sink: a message box would wait for a user");
    return *sink;
}

} // namespace

void ForgetMessages()
{
    Sink().messages.clear();
    Sink().urls.clear();
    Sink().documents.clear();
}

const std::vector<std::string>& RecordedMessages()
{
    return Sink().messages;
}

void FuzzFault(const std::string& what)
{
    std::fprintf(stderr, "\nVarno fuzzer: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

Varno& FuzzApp()
{
    static std::unique_ptr<Varno> app;
    if (!app) {
        app = std::make_unique<Varno>();
        RegisterFuzzApplication(*app);
    }
    return *app;
}
