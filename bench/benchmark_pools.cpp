#include "benchmark_pools.h"

std::string ThousandQuestionPool()
{
    constexpr int kSections = 50;
    constexpr int kPerSection = 20;
    std::string text = "150\r200\rBenchmark pool\r" + std::to_string(kSections) + "\r";
    for (int s = 0; s < kSections; ++s)
        text += "4 " + std::to_string(s * kPerSection + 1) + " "
            + std::to_string((s + 1) * kPerSection) + "\r";
    for (int s = 0; s < kSections; ++s)
        text += "B" + std::to_string(s + 1) + " A topic of the benchmark pool\r";
    for (int q = 1; q <= kSections * kPerSection; ++q) {
        text += "Which of these is the right answer to benchmark question " + std::to_string(q)
            + "?\r";
        text += std::to_string((q % 4) + 1) + "\r0\r";
        for (int k = 1; k <= 4; ++k)
            text += "An answer  with   some  doubled spaces, number " + std::to_string(k) + "\r";
        text += "B" + std::to_string(q) + "\r";
    }
    return text;
}
