#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string MakeTempFolder(const std::string& hint)
{
    static std::atomic<int> counter { 0 };
    const fs::path folder = fs::path(TestRootFolder()) / (hint + "-" + std::to_string(++counter));
    fs::create_directories(folder);
    return folder.string();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty())
        fs::create_directories(parent);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "could not write " << path;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ScreenshotFolder()
{
    const fs::path folder = fs::path(VARNO_BUILD_DIR) / "screenshots";
    fs::create_directories(folder);
    return folder.string();
}
