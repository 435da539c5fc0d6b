#include "varno.h"

#include "binary_stream.h"
#include "folder_item.h"
#include "text.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace {

const std::string kStatisticsFile = "Varno Preferences";
const std::string kFileType = "myprefs";

// The fixed layout: filler, two reserved short strings, then one 24-byte
// record per examination class and index.
constexpr Integer kFillerValues = 2000;
constexpr Integer kClasses = 14;
constexpr Integer kIndices = 1000;
constexpr Integer kRecordBytes = 24;

void ZeroStatistics(Varno& app)
{
    for (Integer c = 1; c <= kClasses; ++c) {
        for (Integer j = 1; j <= kIndices; ++j) {
            app.correct(c, j) = 0;
            app.incorrect(c, j) = 0;
            app.historyDate(c, j) = 0.0;
            app.historyCorrect(c, j) = 0;
            app.historyIncorrect(c, j) = 0;
        }
    }
}

// Moves a statistics file that could not be read in full out of the way of
// the next write, so the user's old data survives this run. Returns the name
// it now has, or "" when it could not be moved.
std::string KeepAside(const FolderItem& file)
{
    const std::filesystem::path original(file.NativePath());
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        std::string name = kStatisticsFile + ".damaged";
        if (attempt > 1)
            name += " " + Str(attempt);
        const std::filesystem::path kept = original.parent_path() / name;
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(kept, error)))
            continue;
        std::filesystem::rename(original, kept, error);
        return error ? std::string() : name;
    }
    return {};
}

} // namespace

void Varno::ReadPrefs()
{
    Ref<FolderItem> file = SpecialFolder::Preferences()->Child(kStatisticsFile);
    if (!file->Exists()) {
        ZeroStatistics(*this);
        return;
    }

    // A short or unreadable file gives what it holds and zeros for the rest
    // (the stream reads zeros past its end); it is then kept aside below, since
    // the quit would otherwise write the zeros over it.
    bool complete = false;
    Ref<BinaryStream> stream = BinaryStream::Open(*file);
    if (stream.IsNil()) {
        ZeroStatistics(*this);
    } else {
        complete = ReadPrefsFrom(*stream);
        stream->Close();
    }
    if (complete)
        return;

    const std::string keptAs = KeepAside(*file);
    if (!keptAs.empty())
        preferencesNotice = "The statistics file \"" + kStatisticsFile
            + "\" could not be read in full, so the statistics and exam histories it could not "
              "give start again from zero. The old file was kept as \""
            + keptAs + "\" in " + file->Parent()->NativePath() + ".";
    else
        preferencesNotice = "The statistics file \"" + kStatisticsFile
            + "\" could not be read in full, and it could not be set aside: it will be "
              "replaced when Varno quits. Copy it now from "
            + file->Parent()->NativePath() + " if you want to keep it.";
}

bool Varno::ReadPrefsFrom(BinaryStream& stream)
{
    for (Integer i = 1; i <= kFillerValues; ++i)
        stream.ReadInt32();
    const std::string reserved1 = stream.ReadPString();
    const std::string reserved2 = stream.ReadPString();
    const Integer needed = kFillerValues * 4 + 1 + static_cast<Integer>(reserved1.size()) + 1
        + static_cast<Integer>(reserved2.size()) + kClasses * kIndices * kRecordBytes;
    const bool complete = stream.Length() >= needed;
    for (Integer c = 1; c <= kClasses; ++c) {
        for (Integer j = 1; j <= kIndices; ++j) {
            correct(c, j) = stream.ReadInt32();
            incorrect(c, j) = stream.ReadInt32();
            historyDate(c, j) = stream.ReadDouble();
            historyCorrect(c, j) = stream.ReadInt32();
            historyIncorrect(c, j) = stream.ReadInt32();
        }
    }
    return complete;
}

void Varno::WritePrefs()
{
    Ref<FolderItem> folder = SpecialFolder::Preferences();
    Ref<FolderItem> file = folder->Child(kStatisticsFile);
    // The stream writes a temporary file that only a complete Close puts in
    // place of the old one.
    Ref<BinaryStream> stream = BinaryStream::Create(*file, kFileType);
    if (stream.IsNil())
        throw NilObjectException("The statistics file \"" + kStatisticsFile
            + "\" could not be created in " + folder->NativePath() + ".");

    // The filler carries no data; it is drawn anew on every write.
    for (Integer i = 1; i <= kFillerValues; ++i) {
        const Integer a = Random(1, 1000);
        const Integer b = Random(1, 1000);
        stream->WriteInt32(static_cast<std::int32_t>(a * b));
    }
    stream->WritePString("");
    stream->WritePString("");
    // Counts keep their low 32 bits.
    for (Integer c = 1; c <= kClasses; ++c) {
        for (Integer j = 1; j <= kIndices; ++j) {
            stream->WriteInt32(static_cast<std::int32_t>(correct(c, j)));
            stream->WriteInt32(static_cast<std::int32_t>(incorrect(c, j)));
            stream->WriteDouble(historyDate(c, j));
            stream->WriteInt32(static_cast<std::int32_t>(historyCorrect(c, j)));
            stream->WriteInt32(static_cast<std::int32_t>(historyIncorrect(c, j)));
        }
    }
    if (!stream->Close())
        throw RuntimeException("The statistics file \"" + kStatisticsFile
            + "\" could not be written in " + folder->NativePath()
            + "; the file of the previous run was kept.");
}
