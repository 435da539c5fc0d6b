// The statistics-file reader on arbitrary bytes: what it reads is checked
// against the file layout decoded here on its own, then an exam is drawn from
// a shipped pool with the statistics read, as the next exam choice would.
#include "fuzz_support.h"

#include "binary_stream.h"
#include "exam_class.h"
#include "ref.h"
#include "varno.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr Integer kClasses = 14;
constexpr Integer kIndices = 1000;
constexpr std::size_t kRecordBytes = 24;
constexpr std::size_t kFillerBytes = 8000;
constexpr Integer kPooledClasses = 6;

// The six shipped pools, parsed once.
const std::array<Ref<ExamClass>, kPooledClasses>& ShippedPools()
{
    static std::array<Ref<ExamClass>, kPooledClasses> pools;
    if (pools[0].IsNil()) {
        for (Integer k = 1; k <= kPooledClasses; ++k) {
            auto pool = MakeRef<ExamClass>();
            pool->PopulateExam(k);
            if (pool->numQuestions <= 0)
                FuzzFault("the shipped pool of class " + std::to_string(k)
                    + " is missing from the resource folder");
            pools[static_cast<std::size_t>(k - 1)] = pool;
        }
    }
    return pools;
}

// The file's bytes as the layout defines them: big-endian, zeros past the end.
class Layout {
public:
    explicit Layout(const std::string& bytes)
        : bytes_(bytes)
    {
    }

    std::uint64_t BigEndian(std::size_t at, std::size_t width) const
    {
        std::uint64_t value = 0;
        // A value cut off by the end of the file reads as 0, like a missing one.
        if (at > bytes_.size() || width > bytes_.size() - at)
            return 0;
        for (std::size_t i = 0; i < width; ++i)
            value = (value << 8) | static_cast<unsigned char>(bytes_[at + i]);
        return value;
    }
    Integer Int32At(std::size_t at) const
    {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(BigEndian(at, 4)));
    }
    double DoubleAt(std::size_t at) const { return std::bit_cast<double>(BigEndian(at, 8)); }

    // Where the records start, or 0 when a reserved string runs past the end
    // (then every record reads as zeros).
    std::size_t RecordsStart() const
    {
        std::size_t at = kFillerBytes;
        for (int reserved = 0; reserved < 2; ++reserved) {
            if (at >= bytes_.size())
                return 0;
            const std::size_t length = static_cast<unsigned char>(bytes_[at]);
            if (length > bytes_.size() - at - 1)
                return 0;
            at += 1 + length;
        }
        return at;
    }

    std::size_t Size() const { return bytes_.size(); }

private:
    const std::string& bytes_;
};

bool SameDouble(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void CheckReadStatistics(const Varno& app, const std::string& bytes, bool complete)
{
    const Layout layout(bytes);
    const std::size_t start = layout.RecordsStart();
    const bool whole = start != 0 && layout.Size() >= start + kClasses * kIndices * kRecordBytes;
    if (complete != whole)
        FuzzFault(std::string("a file of ") + std::to_string(bytes.size()) + " bytes read as "
            + (complete ? "complete" : "incomplete"));
    for (Integer c = 1; c <= kClasses; ++c) {
        for (Integer j = 1; j <= kIndices; ++j) {
            const std::size_t record
                = start + kRecordBytes * static_cast<std::size_t>((c - 1) * kIndices + (j - 1));
            const bool present = start != 0;
            const auto int32At
                = [&](std::size_t offset) { return present ? layout.Int32At(record + offset) : 0; };
            const double date = present ? layout.DoubleAt(record + 8) : 0.0;
            if (app.correct(c, j) != int32At(0) || app.incorrect(c, j) != int32At(4)
                || !SameDouble(app.historyDate(c, j), date)
                || app.historyCorrect(c, j) != int32At(16)
                || app.historyIncorrect(c, j) != int32At(20))
                FuzzFault("record (" + std::to_string(c) + ", " + std::to_string(j)
                    + ") read differently from the layout");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzRuntime();
    FuzzApp();
    ShippedPools();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Varno& app = FuzzApp();
    ForgetMessages();
    const std::string bytes = AsBytes(data, size);

    bool complete = false;
    Ref<BinaryStream> stream = BinaryStream::FromBytes(bytes);
    if (!RunWithSpecifiedExceptions([&] { complete = app.ReadPrefsFrom(*stream); }))
        FuzzFault("the reader raised an exception; it reads zeros past the end instead");
    CheckReadStatistics(app, bytes, complete);

    // The statistics weigh the drawing; draw from one shipped pool, chosen by
    // the file's length so that a failing input replays the same way.
    const Integer examClass = static_cast<Integer>(size % kPooledClasses) + 1;
    app.classNumber = examClass;
    app.exam = ShippedPools()[static_cast<std::size_t>(examClass - 1)];
    RunWithSpecifiedExceptions([&] {
        app.CopyPoolSummary();
        app.CreateExam();
    });
    if (app.testNumberQuestions != app.exam->numQuestions)
        FuzzFault("no exam was drawn from the shipped pool of class " + std::to_string(examClass));
    return 0;
}
