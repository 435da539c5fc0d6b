#include "benchmark_pools.h"

namespace {

std::string PoolOfThousand(int sections, int drawsPerSection)
{
    const int perSection = 1000 / sections;
    std::string text = "150\r" + std::to_string(sections * drawsPerSection) + "\rBenchmark pool\r"
        + std::to_string(sections) + "\r";
    for (int s = 0; s < sections; ++s)
        text += std::to_string(drawsPerSection) + " " + std::to_string(s * perSection + 1) + " "
            + std::to_string((s + 1) * perSection) + "\r";
    for (int s = 0; s < sections; ++s)
        text += "B" + std::to_string(s + 1) + " A topic of the benchmark pool\r";
    for (int q = 1; q <= 1000; ++q) {
        text += "Which of these is the right answer to benchmark question " + std::to_string(q)
            + "?\r";
        text += std::to_string((q % 4) + 1) + "\r0\r";
        for (int k = 1; k <= 4; ++k)
            text += "An answer  with   some  doubled spaces, number " + std::to_string(k) + "\r";
        text += "B" + std::to_string(q) + "\r";
    }
    return text;
}

} // namespace

std::string ThousandQuestionPool()
{
    return PoolOfThousand(50, 4);
}

std::string OneSectionPool()
{
    return PoolOfThousand(1, 200);
}
