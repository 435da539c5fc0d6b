#pragma once

#include "file_access.h"
#include "ref.h"
#include "types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class FolderItem;

// Binary files in one fixed byte order, big-endian on every host.
//
// Reading: the whole file is read at Open; a read past the end yields 0 (or
// the empty string) and raises nothing, so a short or damaged file reads as
// what is there followed by zeros.
//
// Writing: Create writes into a temporary file beside the target, and only a
// successful Close, once the bytes are on the disk, renames it over the old
// file. A stream destroyed without Close, or whose writes failed, leaves the
// old file untouched.
class BinaryStream {
public:
    // Nil when the file cannot be created; whyNot then says why. fileType
    // names a registered FileType. A link at the item's place is followed
    // (the file it leads to is replaced) unless followLink is false, when the
    // link itself is replaced.
    static Ref<BinaryStream> Create(const FolderItem& item, const std::string& fileType,
        std::string* whyNot = nullptr, bool followLink = true);
    // Read-only. Nil when the file does not exist, is not a regular file, is
    // larger than maxBytes or cannot be read; fault then says which.
    static Ref<BinaryStream> Open(
        const FolderItem& item, Integer maxBytes = kDefaultReadLimit, ReadFault* fault = nullptr);
    // The file a Create for this item writes: the file a link at the item's
    // place leads to, unless followLink is false.
    static Ref<FolderItem> Destination(const FolderItem& item, bool followLink = true);
    // Removes the temporary files that a Create for this item left behind
    // when the program was stopped half-way: beside its Destination, only the
    // names Create makes, and only regular files of this user.
    static void RemoveLeftovers(const FolderItem& item, bool followLink = true);
    // A stream over bytes in memory (read-only); for tests and fuzzing.
    static Ref<BinaryStream> FromBytes(std::string bytes);

    ~BinaryStream();
    BinaryStream(const BinaryStream&) = delete;
    BinaryStream& operator=(const BinaryStream&) = delete;

    std::int32_t ReadInt32();
    double ReadDouble();
    // A length byte, then that many bytes.
    std::string ReadPString();
    std::string Read(Integer count);
    // As Read, without a copy: the bytes stay the stream's, valid until it
    // is closed or destroyed.
    std::string_view ReadView(Integer count);

    void WriteInt32(std::int32_t value);
    void WriteDouble(double value);
    // At most 255 bytes are written; a longer text is cut.
    void WritePString(std::string_view text);
    void Write(std::string bytes);

    Integer Position() const;
    Integer Length() const;
    bool EndOfFile() const;

    // Completes the stream. For a created stream: true when the file was
    // replaced with everything written and is on the disk.
    bool Close();
    // For a created stream whose Close failed: what went wrong, and whether
    // the old file had already been replaced at that point.
    const std::string& ErrorText() const;
    bool TargetReplaced() const;
    // The file the stream was read from, or (after a successful Close) the
    // file it put in place; exists is false for a stream over bytes in memory.
    const FileIdentity& Identity() const;

    struct Private;

private:
    explicit BinaryStream(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};
