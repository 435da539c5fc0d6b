#pragma once

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
// successful Close renames it over the old file. A stream destroyed without
// Close, or whose writes failed, leaves the old file untouched.
class BinaryStream {
public:
    // Nil when the file cannot be created. fileType names a registered FileType.
    static Ref<BinaryStream> Create(const FolderItem& item, const std::string& fileType);
    // Read-only. Nil when the file does not exist or cannot be read.
    static Ref<BinaryStream> Open(const FolderItem& item);
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

    void WriteInt32(std::int32_t value);
    void WriteDouble(double value);
    // At most 255 bytes are written; a longer text is cut.
    void WritePString(std::string_view text);
    void Write(std::string_view bytes);

    Integer Position() const;
    Integer Length() const;
    bool EndOfFile() const;

    // Completes the stream. For a created stream: true when the file was
    // replaced with everything written.
    bool Close();

    struct Private;

private:
    explicit BinaryStream(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};
