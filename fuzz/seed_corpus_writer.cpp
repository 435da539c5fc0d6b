// Writes the seed corpora of the fuzzers, one folder per fuzzer. The ones in
// fuzz/corpus were made with
//     build-asan/bin/varno_fuzz_seed_writer fuzz/corpus
// Seeds are what the program itself writes or holds: records encoded by the
// layout encoders, statistics files written by WritePrefs, pools cut from the
// shipped pool files (the whole pools are added when the fuzzer runs).
#include "property_record_targets.h"

#include "binary_stream.h"
#include "control_records.h"
#include "exam_class.h"
#include "folder_item.h"
#include "mark_canvas.h"
#include "private_environment.h"
#include "property_record.h"
#include "resource_files.h"
#include "runtime.h"
#include "text.h"
#include "varno.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void WriteSeed(const fs::path& folder, const std::string& name, const std::string& bytes)
{
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", (folder / name).c_str());
        std::exit(1);
    }
}

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// ---- property records ----

void WriteRecord(const fs::path& folder, RecordTarget target, const std::string& variant,
    const std::string& record)
{
    const auto selector = static_cast<std::size_t>(target);
    WriteSeed(folder, std::string(kRecordTargetNames[selector]) + "_" + variant,
        std::string(1, static_cast<char>(selector)) + record);
}

TextStyle Styled()
{
    TextStyle style;
    style.textFont = "DejaVu Sans";
    style.textSize = 10.5f;
    style.bold = true;
    style.underline = true;
    return style;
}

Placement Locked(const std::string& name)
{
    Placement place = Placement::At(name, 12, 34, 180, 24, 3);
    place.lockLeft = true;
    place.lockRight = true;
    place.lockBottom = true;
    place.helpTag = "A tip";
    return place;
}

void WriteRecordSeeds(const fs::path& folder)
{
    WindowRecord window;
    WriteRecord(folder, RecordTarget::Window, "default", window.Encode());
    window.title = "Technician Exam";
    window.width = 640;
    window.height = 420;
    window.frame = kFrameMovableModal;
    window.hasBackColor = true;
    window.backColor = Color { 200, 220, 240, 0 };
    window.minWidth = 320;
    window.maxHeight = 800;
    WriteRecord(folder, RecordTarget::Window, "filled", window.Encode());

    LabelRecord label;
    WriteRecord(folder, RecordTarget::Label, "default", label.Encode());
    label.place = Locked("StaticText1");
    label.style = Styled();
    label.text = "Question 1 of 35\r\xC3\xA9";
    label.textAlign = 2;
    label.multiline = true;
    label.textColor = Color { 255, 0, 0, 0 };
    WriteRecord(folder, RecordTarget::Label, "filled", label.Encode());

    RadioButtonRecord radio;
    WriteRecord(folder, RecordTarget::RadioButton, "default", radio.Encode());
    radio.place = Locked("RadioButton1");
    radio.style = Styled();
    radio.caption = "A. 52.525 MHz";
    radio.value = true;
    WriteRecord(folder, RecordTarget::RadioButton, "filled", radio.Encode());

    BevelButtonRecord bevel;
    WriteRecord(folder, RecordTarget::BevelButton, "default", bevel.Encode());
    bevel.place = Locked("BevelButton1");
    bevel.style = Styled();
    bevel.caption = "Next";
    bevel.hasBackColor = true;
    bevel.backColor = Color { 0, 128, 0, 0 };
    bevel.buttonType = 1;
    bevel.value = true;
    WriteRecord(folder, RecordTarget::BevelButton, "filled", bevel.Encode());

    PushButtonRecord push;
    WriteRecord(folder, RecordTarget::PushButton, "default", push.Encode());
    push.place = Locked("PushButton4");
    push.style = Styled();
    push.caption = "Grade Exam";
    push.isDefault = true;
    push.cancel = true;
    WriteRecord(folder, RecordTarget::PushButton, "filled", push.Encode());

    PopupMenuRecord popup;
    WriteRecord(folder, RecordTarget::PopupMenu, "default", popup.Encode());
    popup.place = Locked("SectionButton");
    popup.style = Styled();
    popup.initialValue = "T1 FCC Rules\rT2 Procedures\rEntire Pool\rCurrent Exam";
    popup.listIndex = 2;
    WriteRecord(folder, RecordTarget::PopupMenu, "filled", popup.Encode());

    CanvasRecord canvas;
    WriteRecord(folder, RecordTarget::Canvas, "default", canvas.Encode());
    canvas.place = Locked("Canvas2");
    canvas.transparent = true;
    canvas.doubleBuffer = true;
    canvas.eraseBackground = false;
    WriteRecord(folder, RecordTarget::Canvas, "filled", canvas.Encode());

    WriteRecord(folder, RecordTarget::MarkCanvas, "stored", MarkCanvas::StoredRecord(2, 120, 5));
    WriteRecord(folder, RecordTarget::MarkCanvas, "wrong_choice",
        MarkCanvas::StoredRecord(4, 200, 7) + PropertyRecord().Int("type", 2).Bytes());

    ListboxRecord list;
    WriteRecord(folder, RecordTarget::Listbox, "default", list.Encode());
    list.place = Locked("ListBox1");
    list.style = Styled();
    list.columnCount = 4;
    list.hasHeading = true;
    list.headingIndex = 1;
    list.columnWidths = "31%,23%,23%,80";
    list.gridLinesHorizontal = 2;
    list.gridLinesVertical = 1;
    list.defaultRowHeight = 18;
    list.initialValue = "T1A01\t3\t1\t75%\rT1A02\t0\t2\t0%";
    WriteRecord(folder, RecordTarget::Listbox, "filled", list.Encode());

    RangeRecord range;
    WriteRecord(folder, RecordTarget::Slider, "default", range.Encode());
    WriteRecord(folder, RecordTarget::ScrollBar, "default", range.Encode());
    range.place = Locked("Slider1");
    range.minimum = 1001;
    range.maximum = 1016;
    range.value = 1005;
    range.pageStep = 4;
    range.tickStyle = 2;
    WriteRecord(folder, RecordTarget::Slider, "filled", range.Encode());
    range.place.name = "ScrollBar1";
    range.minimum = -50;
    range.maximum = 700;
    range.value = 650;
    WriteRecord(folder, RecordTarget::ScrollBar, "filled", range.Encode());

    TimerRecord timer;
    WriteRecord(folder, RecordTarget::Timer, "default", timer.Encode());
    timer.mode = 1;
    timer.period = 5;
    WriteRecord(folder, RecordTarget::Timer, "single", timer.Encode());
}

// ---- statistics files ----

void WriteStatisticsSeeds(Varno& app, const fs::path& folder)
{
    const fs::path written
        = fs::path(SpecialFolder::Preferences()->NativePath()) / "Varno Preferences";

    // A fresh user's file: all zeros after the filler.
    app.ReadPrefs();
    app.WritePrefs();
    WriteSeed(folder, "full_fresh", ReadWhole(written));

    // A used one: counts, dates and results in several classes.
    for (Integer c = 1; c <= 14; c += 3) {
        for (Integer j = 1; j <= 1000; j += 37) {
            app.correct(c, j) = j % 7;
            app.incorrect(c, j) = (j + c) % 5;
            app.historyDate(c, j) = 3.9e9 + static_cast<double>(j) * 86400.5;
            app.historyCorrect(c, j) = 20 + j % 15;
            app.historyIncorrect(c, j) = 35 - (20 + j % 15);
        }
    }
    app.correct(1, 1000) = 2147483647;
    app.incorrect(1, 1000) = -2147483648LL;
    app.historyDate(2, 1000) = -1.0;
    app.WritePrefs();
    const std::string used = ReadWhole(written);
    WriteSeed(folder, "full_used", used);

    // Reserved strings that are not empty move the records along.
    std::string reserved = used.substr(0, 8000) + std::string(1, '\x03') + "abc"
        + std::string(1, '\x05') + "Varno" + used.substr(8002);
    WriteSeed(folder, "full_reserved_strings", reserved);

    // Short files: nothing, the filler only, and a file cut in the records.
    WriteSeed(folder, "empty", "");
    WriteSeed(folder, "filler_only", used.substr(0, 8000));
    WriteSeed(folder, "cut_in_records", used.substr(0, 8002 + 24 * 40 + 11));
    WriteSeed(folder, "reserved_string_cut", used.substr(0, 8000) + std::string(1, '\xFF') + "Var");
}

// ---- pools ----

// The pool's header and its first questions: the pool with all its
// sections, but quick to read.
std::string PoolHead(const std::string& pool, Integer questions)
{
    ExamClass parsed;
    parsed.PopulateFromText(pool);
    const Integer lines = 4 + 2 * parsed.numSections + 8 * questions;
    Integer seen = 0;
    for (std::size_t i = 0; i < pool.size(); ++i) {
        if (pool[i] == '\r' || pool[i] == '\n') {
            if (++seen == lines)
                return pool.substr(0, i + 1);
        }
    }
    return pool;
}

std::string WithLineEnds(std::string text, const std::string& lineEnd)
{
    std::string result;
    for (const char c : text) {
        if (c == '\r' || c == '\n')
            result += lineEnd;
        else
            result.push_back(c);
    }
    return result;
}

// Six questions in two sound sections, then a third section that draws
// nothing (so the pool passes its check) but names the questions given: the
// exam window must refuse to list them when it is browsed.
std::string PoolWithIdleSection(const std::string& idleSection)
{
    std::string text = "2\r3\rTechnician\r3\r2 1 3\r1 4 6\r" + idleSection + "\rS1\rS2\rS3\r";
    for (Integer n = 1; n <= 6; ++n) {
        text += "Question " + Str(n) + "?\r" + Str((n - 1) % 4 + 1) + "\r0\r";
        for (Integer k = 1; k <= 4; ++k)
            text += "Answer " + Str(n) + "." + Str(k) + "\r";
        text += "C" + Str(n) + "\r";
    }
    return text;
}

void WritePoolSeeds(const fs::path& folder)
{
    const struct {
        std::string (*text)();
        const char* name;
    } pools[] = {
        { TechFile, "TechFile" },
        { GeneralFile, "GeneralFile" },
        { ExtraFile, "ExtraFile" },
        { fccelement1, "fccelement1" },
        { fccelement8, "fccelement8" },
        { fccelement3, "fccelement3" },
    };
    for (const auto& pool : pools) {
        const std::string text = pool.text();
        if (text.empty()) {
            std::fprintf(stderr, "the pool %s is missing from the resource folder\n", pool.name);
            std::exit(1);
        }
        WriteSeed(folder, std::string(pool.name) + "_head", PoolHead(text, 6));
    }
    WriteSeed(folder, "TechFile_head_cr", WithLineEnds(PoolHead(TechFile(), 3), "\r"));
    WriteSeed(folder, "TechFile_head_crlf", WithLineEnds(PoolHead(TechFile(), 3), "\r\n"));
    WriteSeed(folder, "idle_section_beyond_the_pool", PoolWithIdleSection("0 7 1500"));
    WriteSeed(folder, "idle_section_overflowing", PoolWithIdleSection("0 -1 99999999999999999999"));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const fs::path out = fs::absolute(argv[1]);

    // WritePrefs writes into the preferences folder: a private one, with
    // private folders for everything else too.
    const std::string root = MakePrivateEnvironment("varno-seeds");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    {
        int qtArgc = 1;
        Runtime runtime(qtArgc, argv, "Varno", "seeds");
        Varno app;
        Application::Register(&app);
        WriteRecordSeeds(out / "property_record");
        WriteStatisticsSeeds(app, out / "statistics_file");
        WritePoolSeeds(out / "pool_reader");
        Application::Register(nullptr);
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
