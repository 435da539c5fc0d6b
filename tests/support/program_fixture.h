#pragma once

// For tests that link the engine: a registered application object whose
// resource folder is a fresh temporary folder holding only what the test
// writes. Unhandled exceptions and messages are recorded, and every window is
// closed again after the test.

#include "application.h"
#include "exceptions.h"
#include "folder_item.h"
#include "message_sink.h"
#include "ref.h"
#include "resource_files_testing.h"
#include "test_support.h"
#include "varno.h"
#include "window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class ProgramTest : public testing::Test {
protected:
    explicit ProgramTest(std::string folderHint)
        : folderHint_(std::move(folderHint))
    {
    }

    void SetUp() override
    {
        root_ = MakeTempFolder(folderHint_);
        WriteFileBytes(root_ + "/Resources/.keep", "");
        app_ = std::make_unique<Varno>();
        Application::Register(app_.get());
        app_->SetExecutableFile(MakeRef<FolderItem>(root_ + "/bin/varno"));
        app_->BindUnhandledException([this](RuntimeException& error) {
            unhandled_.push_back(error.Message());
            return true;
        });
        ForgetResourceFilesForTesting();
        sink_ = &InstallRecordingMessageSink();
    }

    void TearDown() override
    {
        for (Window* window : Window::OpenWindows())
            window->Close();
        Application::DoEvents();
        ForgetResourceFilesForTesting();
        Application::Register(nullptr);
        app_.reset();
    }

    const std::string& Root() const { return root_; }
    RecordingMessageSink& Sink() { return *sink_; }
    const std::vector<std::string>& Unhandled() const { return unhandled_; }

private:
    std::string folderHint_;
    std::string root_;
    std::unique_ptr<Varno> app_;
    RecordingMessageSink* sink_ = nullptr;
    std::vector<std::string> unhandled_;
};
