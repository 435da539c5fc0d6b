#pragma once

#include "file_access.h"
#include "ref.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class FolderItem;

// Text read as raw bytes: no encoding and no line-end conversion.
class TextInputStream {
public:
    // Nil when the file does not exist, is not a regular file (a pipe or a
    // device is never opened for reading), is larger than maxBytes or cannot
    // be read; fault then says which.
    static Ref<TextInputStream> Open(const FolderItem& item,
        std::uint64_t maxBytes = kDefaultReadLimit, ReadFault* fault = nullptr);

    explicit TextInputStream(std::string content);

    // Everything not yet read, byte for byte.
    std::string ReadAll();
    // The next line without its end (a LF, a CR, or CR LF); at the end, "".
    std::string ReadLine();
    bool EndOfFile() const;
    void Close();

private:
    std::string content_;
    std::size_t position_ = 0;
};

// Text written as raw bytes; WriteLine ends the line with a line feed.
class TextOutputStream {
public:
    // Nil when the file cannot be created. An existing file is replaced.
    static Ref<TextOutputStream> Create(const FolderItem& item);
    ~TextOutputStream();

    void Write(std::string_view text);
    void WriteLine(std::string_view text);
    // Flushes and closes; false when the bytes did not reach the file.
    bool Close();

private:
    struct Private;
    explicit TextOutputStream(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};
