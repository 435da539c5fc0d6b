// Checks question pool files with the program's own reader and exam drawing.
//
//   varno_pool_check [--draws N] [--giveaways] POOL_FILE...   the files given
//   varno_pool_check [--draws N] [--giveaways] FOLDER         the six pool files in it
//
// --giveaways also lists the pairs of questions where a key's rare words or
// amounts are in another question's stem, for a reviewer to read; they do
// not change the exit status.
//
// Exit status 0 when every pool is good, 1 with the findings otherwise, 2 on
// a usage error.

#include "pool_checker.h"

#include "message_sink.h"
#include "runtime.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

int Usage()
{
    std::fprintf(
        stderr, "usage: varno_pool_check [--draws N] [--giveaways] POOL_FILE... | FOLDER\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    PoolCheckOptions options;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--draws" && i + 1 < argc) {
            options.draws = std::atoi(argv[++i]);
            if (options.draws < 1)
                return Usage();
        } else if (argument == "--giveaways") {
            options.giveAways = true;
        } else if (argument.rfind("--", 0) == 0) {
            return Usage();
        } else {
            paths.push_back(argument);
        }
    }
    if (paths.empty())
        return Usage();

    std::vector<std::string> files;
    bool missing = false;
    for (const std::string& path : paths) {
        if (!fs::is_directory(path)) {
            files.push_back(path);
            continue;
        }
        for (const std::string& name : PoolFileNames()) {
            const fs::path file = fs::path(path) / name;
            if (fs::exists(file)) {
                files.push_back(file.string());
            } else {
                std::printf("%s: missing\n", file.string().c_str());
                missing = true;
            }
        }
    }

    // The program's file layer lives on the GUI runtime; no window is shown,
    // and any message the program would put in a box is recorded instead and
    // reported as a finding.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Runtime runtime(argc, argv, "Varno", "1.0");
    InstallRecordingMessageSink();

    bool allGood = !missing;
    for (const std::string& file : files) {
        const PoolCheckResult result = CheckPoolFile(file, options);
        if (result.lengths.exams > 0) {
            const AnswerLengthFigures& lengths = result.lengths;
            std::printf("%s: key longest in %.1f %%, shortest in %.1f %% of questions; "
                        "always longest: %.1f %% on average, %.2f %% of exams passed; "
                        "always shortest: %.1f %%, %.2f %%\n",
                file.c_str(), 100 * lengths.keyLongestShare, 100 * lengths.keyShortestShare,
                100 * lengths.longest.averageScore, 100 * lengths.longest.passRate,
                100 * lengths.shortest.averageScore, 100 * lengths.shortest.passRate);
        }
        if (result.cues.questions > 0) {
            const AnswerCueFigures& cues = result.cues;
            std::printf("%s: %d numeric questions, key a middle amount in %.1f %%; "
                        "picking among choices without an absolute word: %.2f %% on average\n",
                file.c_str(), cues.numericQuestions, 100 * cues.keyMiddleShare,
                100 * cues.absoluteFreeScore);
        }
        if (options.giveAways) {
            std::printf("%s: %zu pair%s to read for give-aways (a key's rare words or amounts in "
                        "another question's stem)\n",
                file.c_str(), result.giveAways.size(), result.giveAways.size() == 1 ? "" : "s");
            for (const GiveAway& pair : result.giveAways)
                std::printf("  %s's key and %s's stem share %s\n    key  %s: %s\n    stem %s: %s\n",
                    pair.keyCode.c_str(), pair.stemCode.c_str(), pair.shared.c_str(),
                    pair.keyCode.c_str(), pair.key.c_str(), pair.stemCode.c_str(),
                    pair.stem.c_str());
        }
        if (result.findings.empty()) {
            std::printf(
                "%s: good: \"%s\", %lld sections, %lld questions, exam of %lld, %d exams drawn\n",
                file.c_str(), result.title.c_str(), static_cast<long long>(result.sections),
                static_cast<long long>(result.questions), static_cast<long long>(result.examLength),
                result.drawsChecked);
            continue;
        }
        allGood = false;
        std::printf("%s: %zu problem%s\n", file.c_str(), result.findings.size(),
            result.findings.size() == 1 ? "" : "s");
        for (const std::string& finding : result.findings)
            std::printf("  %s\n", finding.c_str());
    }
    SetMessageSink(nullptr);
    return allGood ? 0 : 1;
}
