#pragma once

#include "application.h"
#include "exceptions.h"
#include "folder_item.h"
#include "message_sink.h"
#include "ref.h"
#include "resource_files_testing.h"
#include "test_support.h"
#include "text.h"
#include "varno.h"
#include "window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A pool file of consecutive sections of the given sizes, one question drawn
// from each, every line ended by a carriage return. Question n reads
// "Question n?", its answers "Answer n.k", its correct answer ((n - 1) mod 4)
// + 1 and its code "C<n>".
inline std::string ResultsPool(const std::string& title, const std::vector<Integer>& sectionSizes)
{
    std::string text;
    const auto line = [&text](const std::string& content) { text += content + "\r"; };
    line("1");
    line(Str(static_cast<Integer>(sectionSizes.size())));
    line(title);
    line(Str(static_cast<Integer>(sectionSizes.size())));
    Integer first = 1;
    for (const Integer size : sectionSizes) {
        line("1 " + Str(first) + " " + Str(first + size - 1));
        first += size;
    }
    for (std::size_t s = 1; s <= sectionSizes.size(); ++s)
        line("S" + Str(static_cast<Integer>(s)) + " Topic");
    for (Integer n = 1; n < first; ++n) {
        line("Question " + Str(n) + "?");
        line(Str(((n - 1) % 4) + 1));
        line("0");
        for (Integer k = 1; k <= 4; ++k)
            line("Answer " + Str(n) + "." + Str(k));
        line("C" + Str(n));
    }
    return text;
}

// A registered application object whose resource folder is a fresh temporary
// folder; unhandled exceptions and messages are recorded, and every window is
// closed again after the test.
class ResultsTest : public testing::Test {
protected:
    void SetUp() override
    {
        root_ = MakeTempFolder("results");
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

    // Loads the pool as the Technician pool, as starting an exam does, with
    // examination class 1 current.
    void LoadPool(const std::string& poolText)
    {
        WriteFileBytes(root_ + "/Resources/TechFile.txt", poolText);
        ForgetResourceFilesForTesting();
        App().SetExam(1);
        App().classNumber = 1;
    }

    template <class W> static std::vector<W*> OpenWindowsOf()
    {
        std::vector<W*> found;
        for (Window* window : Window::OpenWindows()) {
            if (auto* typed = dynamic_cast<W*>(window))
                found.push_back(typed);
        }
        return found;
    }

    const std::string& Root() const { return root_; }
    RecordingMessageSink& Sink() { return *sink_; }
    const std::vector<std::string>& Unhandled() const { return unhandled_; }

private:
    std::string root_;
    std::unique_ptr<Varno> app_;
    RecordingMessageSink* sink_ = nullptr;
    std::vector<std::string> unhandled_;
};
