#pragma once

#include "application.h"
#include "folder_item.h"
#include "message_sink.h"
#include "program_session.h"
#include "ref.h"
#include "resource_files_testing.h"
#include "startup.h"
#include "startup_testing.h"
#include "test_support.h"
#include "varno.h"
#include "window.h"

#include <gtest/gtest.h>

#include <string>

// A small pool of two sections with three questions each; an exam draws one
// question from each.
inline std::string TwoSectionPool(const std::string& title)
{
    std::string pool = "1\n2\n" + title + "\n2\n1 1 3\n1 4 6\nS1 First\nS2 Second\n";
    for (int q = 1; q <= 6; ++q) {
        const std::string n = std::to_string(q);
        pool += "Question " + n + "?\n" + std::to_string((q % 4) + 1) + "\n0\n";
        for (int a = 1; a <= 4; ++a)
            pool += "Answer " + n + "." + std::to_string(a) + "\n";
        pool += "Q" + n + "\n";
    }
    return pool;
}

// Runs the program's start-up (without the event loop) against a private
// resource folder, and takes it down again after each test.
class ShellTest : public testing::Test {
protected:
    void SetUp() override
    {
        resourceRoot_ = MakeTempFolder("shell");
        WriteFileBytes(resourceRoot_ + "/Resources/TechFile.txt", TwoSectionPool("Technician"));
        WriteFileBytes(resourceRoot_ + "/Resources/GeneralFile.txt", TwoSectionPool("General"));
        WriteFileBytes(resourceRoot_ + "/Resources/ExtraFile.txt", TwoSectionPool("Extra"));
        sink_ = &InstallRecordingMessageSink();
        RunStartupSteps(resourceRoot_ + "/bin/varno");
        App().SetQuitOnLastWindowClosed(false);
    }

    void TearDown() override { StopProgram(); }

    RecordingMessageSink& Sink() { return *sink_; }
    const std::string& ResourceRoot() const { return resourceRoot_; }

private:
    std::string resourceRoot_;
    RecordingMessageSink* sink_ = nullptr;
};
