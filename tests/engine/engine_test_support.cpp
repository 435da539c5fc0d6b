#include "engine_test_support.h"

#include "debug_messages_testing.h"
#include "folder_item.h"
#include "message_sink.h"
#include "resource_files_testing.h"
#include "test_support.h"
#include "text.h"
#include "window.h"

std::string PoolText(const PoolSpec& spec, const std::string& lineEnd)
{
    std::string text;
    const auto line = [&](const std::string& content) { text += content + lineEnd; };
    line(Str(spec.passMark));
    line(Str(spec.examLength));
    line(spec.title);
    line(Str(static_cast<Integer>(spec.sections.size())));
    for (const PoolSection& section : spec.sections)
        line(Str(section.draws) + " " + Str(section.first) + " " + Str(section.last));
    for (const PoolSection& section : spec.sections)
        line(section.label);
    for (const PoolQuestion& question : spec.questions) {
        line(question.text);
        line(Str(question.correct));
        line(Str(question.picture));
        for (const std::string& answer : question.answers)
            line(answer);
        line(question.code);
    }
    return text;
}

PoolSpec UniformPool(const std::vector<SizeAndDraws>& sections, Integer passMark)
{
    PoolSpec spec;
    spec.passMark = passMark;
    spec.title = "Uniform";
    Integer next = 1;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const SizeAndDraws& wanted = sections[s];
        spec.sections.push_back({ wanted.draws, next, next + wanted.size - 1,
            "S" + Str(static_cast<Integer>(s) + 1) + " Topic" });
        spec.examLength += wanted.draws;
        for (Integer i = 0; i < wanted.size; ++i, ++next) {
            PoolQuestion question;
            question.text = "Question " + Str(next);
            question.correct = ((next - 1) % 4) + 1;
            for (Integer k = 0; k < 4; ++k)
                question.answers[static_cast<std::size_t>(k)]
                    = "Answer " + Str(next) + "." + Str(k + 1);
            question.code = "C" + Str(next);
            spec.questions.push_back(question);
        }
    }
    return spec;
}

void EngineTest::SetUp()
{
    ProgramTest::SetUp();
    rootFolder = Root();
    resourceFolder = rootFolder + "/Resources";
    SetDebugMessageObserver(nullptr);
}

void EngineTest::TearDown()
{
    SetDebugMessageObserver(nullptr);
    ProgramTest::TearDown();
}

void EngineTest::WriteResource(const std::string& name, const std::string& bytes) const
{
    WriteFileBytes(resourceFolder + "/" + name, bytes);
}

void EngineTest::LoadTechPool(const PoolSpec& spec)
{
    ForgetResourceFilesForTesting();
    WriteResource("TechFile.txt", PoolText(spec));
    app->classNumber = 1;
    app->SetExam(1);
}

std::vector<std::string>& EngineTest::Messages() const
{
    return static_cast<RecordingMessageSink&>(CurrentMessageSink()).messages;
}
