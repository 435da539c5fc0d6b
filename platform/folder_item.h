#pragma once

#include "ref.h"
#include "types.h"

#include <string>

// A file or folder named by its path; the file need not exist.
class FolderItem {
public:
    explicit FolderItem(std::string nativePath);

    const std::string& NativePath() const { return path_; }
    std::string Name() const;

    // The item of that name inside this folder. Nil only when this item is an
    // existing file (a file has no children); a folder that does not exist
    // yet still yields items, which then do not exist either.
    Ref<FolderItem> Child(const std::string& name) const;
    // The enclosing folder; nil at the root.
    Ref<FolderItem> Parent() const;

    bool Exists() const;
    bool Directory() const;
    Integer Length() const; // bytes; 0 when missing
    // Removes the file (or empty folder); true when nothing is left behind.
    bool Delete();

    // Opens the file in the user's default application (through the message
    // sink, so tests record it). LastErrorCode is 0 on success.
    void Launch(bool activate = true);
    Integer LastErrorCode() const { return lastErrorCode_; }

private:
    std::string path_;
    Integer lastErrorCode_ = 0;
};

// A path relative to the current folder, or absolute.
Ref<FolderItem> GetFolderItem(const std::string& path);

struct SpecialFolder {
    // The user's preferences folder: $XDG_CONFIG_HOME, else ~/.config. Created
    // when missing.
    static Ref<FolderItem> Preferences();
    // Why the preferences folder cannot be used, in words for the user ("it
    // is a file, not a folder", "Permission denied"); "" when it is a folder.
    static std::string PreferencesProblem();
    // The temporary folder: $TMPDIR when it names an existing folder by an
    // absolute path, else /tmp. Never a path relative to the current folder.
    static Ref<FolderItem> Temporary();
    // A folder of the temporary kind that belongs to this user alone, for
    // files handed to other programs: nobody else can plant a file or a link
    // in it. $XDG_RUNTIME_DIR/varno, else <temporary folder>/varno-<uid>; when
    // that name is taken by anything but such a folder, a fresh one with a
    // random name. Nil when none can be made.
    static Ref<FolderItem> PrivateTemporary();
};
