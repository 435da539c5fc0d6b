#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class FolderItem;
class QString;
struct stat;

// Platform use: the two ways the streams reach the disk.

// The item's path as Qt names files.
QString QtPath(const FolderItem& item);

// The bound of the streams' whole-file reads unless a caller gives its own.
inline constexpr std::uint64_t kDefaultReadLimit = std::uint64_t { 256 } * 1024 * 1024;

// Why a whole file could not be read.
enum class ReadFault {
    None,
    Missing, // nothing of that name, or a folder
    NotRegular, // a pipe, a device, a socket: never read, since it may block or never end
    TooLarge, // more bytes than the reader's bound
    Unreadable, // the system refused to open or read it
};

// Which file a path led to when it was looked at, and in what state. A file
// that was replaced or rewritten since differs in at least one field: a
// replacement is a new file (a new inode, though a freed one may come back),
// and every write moves the modification time.
struct FileIdentity {
    bool exists = false;
    bool regularFile = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    // The file at path now, a link followed; exists is false when there is none.
    static FileIdentity Of(const std::string& path);
    // From the system's status of an open file.
    static FileIdentity From(const struct stat& status);

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

struct WholeFile {
    std::string content; // empty unless fault is None
    ReadFault fault = ReadFault::None;
    std::string errorText; // the system's reason for Unreadable
    FileIdentity identity; // the file that was read, when fault is None
};

// The whole file, byte for byte, when it is a regular file (a link to one is
// followed) of at most maxBytes bytes. Opening never blocks: a pipe or a
// device is refused before a byte is read.
WholeFile ReadWholeFile(const FolderItem& item, std::uint64_t maxBytes);

// The file a ReplacingFile for targetPath writes: with followLink, the file a
// symbolic link at targetPath leads to (a link that leads nowhere is itself
// replaced); otherwise targetPath itself.
std::string ReplacedPath(const std::string& targetPath, bool followLink);

// A file written whole and put in place of the old one only once it is on the
// disk: the bytes go to a new temporary file beside the target (named
// "<target name>.saving-XXXXXX", six random letters or digits, created
// exclusively, never through a link), which is flushed and then renamed over
// the target; the folder is flushed after the rename. Destroyed without a
// successful Commit, it removes its temporary file and the old file stays as
// it was.
class ReplacingFile {
public:
    // followLink: when the target is a symbolic link, the file it leads to is
    // replaced (the link stays); otherwise the link itself is replaced, and a
    // folder that is itself a link is refused.
    ReplacingFile(std::string targetPath, bool followLink);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Makes the temporary file; false (with ErrorText) when it cannot be made.
    bool Open();
    // Writes, flushes, renames and flushes the folder. False when any step
    // failed; TargetReplaced then says whether the rename had already happened
    // (only a failed flush of the folder comes after it).
    bool Commit(std::string_view bytes);
    bool TargetReplaced() const { return replaced_; }
    // The file a successful Commit put in place.
    const FileIdentity& Written() const { return written_; }
    // What failed and the system's reason, e.g. "writing the file failed: No
    // space left on device".
    const std::string& ErrorText() const { return errorText_; }

    // The names Open gives its temporary files, for the target's own name:
    // "<targetName>.saving-" and six letters or digits, nothing else.
    static bool IsTemporaryNameFor(const std::string& fileName, const std::string& targetName);

private:
    void Discard();
    bool Fail(const std::string& step, int error);

    std::string targetPath_;
    bool followLink_;
    int folderDescriptor_ = -1;
    int fileDescriptor_ = -1;
    std::string targetName_;
    std::string temporaryName_;
    std::string errorText_;
    bool replaced_ = false;
    FileIdentity written_;
};
