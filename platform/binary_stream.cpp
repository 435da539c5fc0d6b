#include "binary_stream.h"

#include "big_endian.h"
#include "file_access.h"
#include "folder_item.h"

#include <algorithm>
#include <bit>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

// A read stream holds the whole file; a created stream collects its bytes and
// hands them to the replacing file at Close, so nothing reaches the target
// before the stream is complete.
struct BinaryStream::Private {
    std::string data;
    std::size_t position = 0;
    std::unique_ptr<ReplacingFile> target; // set for created streams
    bool closed = false;
    bool closeResult = false;
    FileIdentity identity;

    std::size_t Remaining() const { return position < data.size() ? data.size() - position : 0; }

    // The next count bytes, or nothing when fewer are left; a partial value at
    // the end is skipped so that every later read sees the end as well.
    const unsigned char* Take(std::size_t count)
    {
        if (target || Remaining() < count) {
            position = std::max(position, data.size());
            return nullptr;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(data.data() + position);
        position += count;
        return bytes;
    }
};

Ref<BinaryStream> BinaryStream::Create(
    const FolderItem& item, const std::string& fileType, std::string* whyNot, bool followLink)
{
    // The type's codes have no place in a Linux file system; an unregistered
    // name is no reason to lose the user's data, so it is not checked.
    static_cast<void>(fileType);
    if (item.Directory()) {
        if (whyNot != nullptr)
            *whyNot = "a folder has that name";
        return {};
    }
    auto d = std::make_unique<Private>();
    d->target = std::make_unique<ReplacingFile>(item.NativePath(), followLink);
    if (!d->target->Open()) {
        if (whyNot != nullptr)
            *whyNot = d->target->ErrorText();
        return {};
    }
    return Ref<BinaryStream>(std::shared_ptr<BinaryStream>(new BinaryStream(std::move(d))));
}

Ref<BinaryStream> BinaryStream::Open(const FolderItem& item, Integer maxBytes, ReadFault* fault)
{
    WholeFile file
        = ReadWholeFile(item, static_cast<std::uint64_t>(std::max<Integer>(maxBytes, 0)));
    if (fault != nullptr)
        *fault = file.fault;
    if (file.fault != ReadFault::None)
        return {};
    Ref<BinaryStream> stream = FromBytes(std::move(file.content));
    stream->d->identity = file.identity;
    return stream;
}

Ref<FolderItem> BinaryStream::Destination(const FolderItem& item, bool followLink)
{
    return MakeRef<FolderItem>(ReplacedPath(item.NativePath(), followLink));
}

void BinaryStream::RemoveLeftovers(const FolderItem& item, bool followLink)
{
    // A save through a link writes beside the file the link leads to.
    Ref<FolderItem> target = Destination(item, followLink);
    Ref<FolderItem> folder = target->Parent();
    if (!folder)
        return;
    const std::string targetName = target->Name();
    // Never the throwing forms: a folder that cannot be read (at the start or
    // half-way) only ends the clean-up.
    namespace fs = std::filesystem;
    std::error_code error;
    for (auto it = fs::directory_iterator(folder->NativePath(), error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::directory_entry& entry = *it;
        const std::string name = entry.path().filename().string();
        if (!ReplacingFile::IsTemporaryNameFor(name, targetName))
            continue;
        struct stat status { };
        if (::lstat(entry.path().c_str(), &status) != 0 || !S_ISREG(status.st_mode)
            || status.st_uid != ::getuid())
            continue;
        ::unlink(entry.path().c_str());
    }
}

Ref<BinaryStream> BinaryStream::FromBytes(std::string bytes)
{
    auto d = std::make_unique<Private>();
    d->data = std::move(bytes);
    return Ref<BinaryStream>(std::shared_ptr<BinaryStream>(new BinaryStream(std::move(d))));
}

BinaryStream::BinaryStream(std::unique_ptr<Private> d)
    : d(std::move(d))
{
}

// Destroying a created stream without Close discards its temporary file and
// leaves the old file as it was (the replacing file's destructor does that).
BinaryStream::~BinaryStream() = default;

std::int32_t BinaryStream::ReadInt32()
{
    const unsigned char* bytes = d->Take(4);
    if (bytes == nullptr)
        return 0;
    return static_cast<std::int32_t>(LoadBigEndian<std::uint32_t>(bytes));
}

double BinaryStream::ReadDouble()
{
    const unsigned char* bytes = d->Take(8);
    if (bytes == nullptr)
        return 0;
    return std::bit_cast<double>(LoadBigEndian<std::uint64_t>(bytes));
}

std::string BinaryStream::ReadPString()
{
    const unsigned char* lengthByte = d->Take(1);
    if (lengthByte == nullptr)
        return {};
    const std::size_t length = *lengthByte;
    const unsigned char* bytes = d->Take(length);
    if (bytes == nullptr)
        return {};
    return std::string(reinterpret_cast<const char*>(bytes), length);
}

std::string BinaryStream::Read(Integer count)
{
    return std::string(ReadView(count));
}

std::string_view BinaryStream::ReadView(Integer count)
{
    if (count <= 0 || d->target)
        return {};
    const std::size_t length = std::min(static_cast<std::size_t>(count), d->Remaining());
    const std::size_t start = std::min(d->position, d->data.size());
    d->position = start + length;
    return std::string_view(d->data).substr(start, length);
}

void BinaryStream::WriteInt32(std::int32_t value)
{
    if (!d->target || d->closed)
        return;
    char bytes[4];
    StoreBigEndian(bytes, static_cast<std::uint32_t>(value));
    d->data.append(bytes, sizeof bytes);
}

void BinaryStream::WriteDouble(double value)
{
    if (!d->target || d->closed)
        return;
    char bytes[8];
    StoreBigEndian(bytes, std::bit_cast<std::uint64_t>(value));
    d->data.append(bytes, sizeof bytes);
}

void BinaryStream::WritePString(std::string_view text)
{
    if (!d->target || d->closed)
        return;
    const std::string_view kept = text.substr(0, 255);
    d->data.push_back(static_cast<char>(kept.size()));
    d->data.append(kept);
}

void BinaryStream::Write(std::string bytes)
{
    if (!d->target || d->closed)
        return;
    // A whole file handed in at once becomes the stream's buffer as it is.
    if (d->data.empty())
        d->data = std::move(bytes);
    else
        d->data.append(bytes);
}

Integer BinaryStream::Position() const
{
    return static_cast<Integer>(d->target ? d->data.size() : d->position);
}

Integer BinaryStream::Length() const
{
    return static_cast<Integer>(d->data.size());
}

bool BinaryStream::EndOfFile() const
{
    return d->target || d->position >= d->data.size();
}

bool BinaryStream::Close()
{
    if (d->closed)
        return d->closeResult;
    d->closed = true;
    if (!d->target) {
        d->closeResult = true;
        d->position = d->data.size();
        return true;
    }
    d->closeResult = d->target->Commit(d->data);
    if (d->closeResult)
        d->identity = d->target->Written();
    return d->closeResult;
}

const std::string& BinaryStream::ErrorText() const
{
    static const std::string none;
    return d->target ? d->target->ErrorText() : none;
}

bool BinaryStream::TargetReplaced() const
{
    return d->target && d->target->TargetReplaced();
}

const FileIdentity& BinaryStream::Identity() const
{
    return d->identity;
}
