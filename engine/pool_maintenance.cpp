#include "varno.h"

#include "folder_item.h"
#include "pool_maintenance_testing.h"
#include "text.h"
#include "text_stream.h"

// Tools for whoever prepares the question pools; nothing in the program calls
// them. File names are relative to the current folder.

namespace {

// 1-based position of the first occurrence, 0 when absent.
Integer InStr(const std::string& text, const std::string& wanted)
{
    const std::size_t found = text.find(wanted);
    return found == std::string::npos ? 0 : static_cast<Integer>(found) + 1;
}

} // namespace

TestLineValues ReadTestLine(const std::string& line)
{
    TestLineValues values;
    const Integer open = InStr(line, "[");
    const Integer close = InStr(line, "]");
    const Integer a = InStr(line, "(A)");
    const Integer b = InStr(line, "(B)");
    const Integer c = InStr(line, "(C)");
    const Integer d = InStr(line, "(D)");
    if (open > 0 && close > 0 && a + b + c + d > 0) {
        values.isQuestion = true;
        values.code = line.substr(0, static_cast<std::size_t>(InStr(line, " ")));
        if (a > 0)
            values.correct = 1;
        if (b > 0)
            values.correct = 2;
        if (c > 0)
            values.correct = 3;
        if (d > 0)
            values.correct = 4;
    }
    return values;
}

void Varno::PutAnswerString(Integer, Integer, const std::string&, const std::string&,
    const std::string&, const std::string&, Integer)
{
}

void Varno::ParseTestLine(const std::string& line)
{
    // The values were never kept anywhere; reading them is all it does.
    static_cast<void>(ReadTestLine(line));
}

void Varno::ParseTest()
{
    Ref<FolderItem> item = GetFolderItem("2006techpool.txt");
    Ref<TextInputStream> stream = TextInputStream::Open(*item);
    while (!stream->EndOfFile())
        ParseTestLine(stream->ReadLine());
    stream->Close();
}

void Varno::DumpExam()
{
    Ref<FolderItem> item = GetFolderItem("testdump.txt");
    if (item.IsNil())
        return;
    Ref<TextOutputStream> stream = TextOutputStream::Create(*item);
    if (stream.IsNil())
        return;

    for (Integer s = 1; s <= App().numberSections; ++s) {
        for (Integer q = App().sectionStart(s); q <= App().sectionEnd(s); ++q) {
            const Integer n = q - App().sectionStart(s) + 1;
            std::string number = App().GetStringNumber(998, s);
            if (n < 10)
                number += "0";
            number += Str(n);
            stream->Write(number + " ");
            stream->Write(GetExamQuestion(q) + " ");
            stream->WriteLine("");
            const Integer correctAnswer = GetAnswer(q);
            for (Integer k = 1; k <= 4; ++k)
                stream->WriteLine((k == correctAnswer ? "* " : "  ") + GetAnswerNumber(q, k));
        }
    }
    stream->Close();
}

void Varno::BuildFileFromResources(const std::string&, Integer, const std::string&, Integer) { }

void Varno::MyAdjustFile()
{
    Integer n = 1;
    Ref<FolderItem> input = GetFolderItem("fccelement1x.txt");
    Ref<FolderItem> output = GetFolderItem("fccelement1.txt");
    if (output->Exists())
        output->Delete();

    Ref<TextInputStream> in = TextInputStream::Open(*input);
    Ref<TextOutputStream> out = TextOutputStream::Create(*output);
    const auto copyLines = [&](int count) {
        for (int i = 0; i < count; ++i)
            out->WriteLine(in->ReadLine());
    };

    copyLines(3);
    out->WriteLine("24");
    in->ReadLine();
    const std::string sectionLine = in->ReadLine();
    for (int i = 0; i < 24; ++i)
        out->WriteLine(sectionLine);
    copyLines(3);
    // The end is tested between records only; a record cut short reads ""
    // for its missing lines.
    while (!in->EndOfFile()) {
        out->WriteLine("");
        copyLines(4);
        out->WriteLine("ID" + Str(n));
        ++n;
        copyLines(2);
    }
    out->Close();
}
