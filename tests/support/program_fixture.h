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
#include "text.h"
#include "varno.h"
#include "window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The question records 1 to count of a made-up pool, each line ended by
// lineEnd: question n reads "Question n?", its correct answer is
// ((n - 1) mod 4) + 1, it has no figure, its answers read "Answer n.k" and its
// code is "C<n>".
inline std::string NumberedQuestionRecords(Integer count, const std::string& lineEnd)
{
    std::string text;
    const auto line = [&](const std::string& content) { text += content + lineEnd; };
    for (Integer n = 1; n <= count; ++n) {
        line("Question " + Str(n) + "?");
        line(Str(((n - 1) % 4) + 1));
        line("0");
        for (Integer k = 1; k <= 4; ++k)
            line("Answer " + Str(n) + "." + Str(k));
        line("C" + Str(n));
    }
    return text;
}

// One section line of a pool file as written, numbers included, so a test
// can write damaged ones.
struct SectionLine {
    std::string draws;
    std::string first;
    std::string last;
    std::string label;
};

// A pool file: pass mark, exam length, title, the section lines, then
// questions 1 to `questions` as NumberedQuestionRecords writes them, each line
// ended by lineEnd.
inline std::string PoolFile(Integer passMark, const std::string& title, Integer examLength,
    const std::vector<SectionLine>& sections, Integer questions, const std::string& lineEnd = "\r")
{
    std::string text;
    const auto line = [&](const std::string& content) { text += content + lineEnd; };
    line(Str(passMark));
    line(Str(examLength));
    line(title);
    line(Str(static_cast<Integer>(sections.size())));
    for (const SectionLine& section : sections)
        line(section.draws + " " + section.first + " " + section.last);
    for (const SectionLine& section : sections)
        line(section.label);
    return text + NumberedQuestionRecords(questions, lineEnd);
}

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

    // The application object: made with the fixture, so fixtures may keep a
    // reference to it; registered from SetUp until TearDown lets it go.
    Varno& Program() const { return *app_; }
    const std::string& Root() const { return root_; }
    RecordingMessageSink& Sink() { return *sink_; }
    const std::vector<std::string>& Unhandled() const { return unhandled_; }

private:
    std::string folderHint_;
    std::string root_;
    std::unique_ptr<Varno> app_ = std::make_unique<Varno>();
    RecordingMessageSink* sink_ = nullptr;
    std::vector<std::string> unhandled_;
};
