#include "folder_item.h"

#include "message_sink.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Paths are kept as the file system's own bytes; only a trailing separator is
// dropped so that Name and Parent see the last real component.
std::string Normalised(const std::string& given)
{
    std::string path = given;
    if (!given.starts_with('/')) {
        std::error_code error;
        fs::path absolute = fs::current_path(error);
        if (!given.empty())
            absolute /= given;
        path = absolute.string();
    }
    while (path.size() > 1 && path.ends_with('/'))
        path.pop_back();
    return path;
}

// A real folder (not a link to one) of this user that no one else may enter.
bool IsPrivateFolder(const std::string& path)
{
    struct stat status { };
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)
        && status.st_uid == ::getuid() && (status.st_mode & 077) == 0;
}

// The user's home folder: $HOME, else the one the user database gives, else
// the root; never a relative path.
std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return home;
    if (const passwd* user = ::getpwuid(::getuid());
        user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/')
        return user->pw_dir;
    return "/";
}

// $XDG_CONFIG_HOME, else ~/.config. A relative XDG_CONFIG_HOME is invalid by
// the XDG rules and is ignored.
std::string PreferencesPath()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/')
        return configHome;
    std::string home = HomeFolder();
    while (home.ends_with('/'))
        home.pop_back();
    return home + "/.config";
}

// Where temporary files go when TMPDIR names no usable folder.
const char* const kSystemTemporary = "/tmp";

// The error code of a failed launch, in the errno sense.
constexpr Integer kLaunchFileMissing = 2;
constexpr Integer kLaunchRefused = 1;

} // namespace

FolderItem::FolderItem(std::string nativePath)
    : path_(Normalised(nativePath))
{
}

std::string FolderItem::Name() const
{
    if (path_ == "/")
        return path_;
    return path_.substr(path_.rfind('/') + 1);
}

Ref<FolderItem> FolderItem::Child(const std::string& name) const
{
    if (Exists() && !Directory())
        return {};
    return MakeRef<FolderItem>(path_ == "/" ? "/" + name : path_ + "/" + name);
}

Ref<FolderItem> FolderItem::Parent() const
{
    if (path_ == "/")
        return {};
    const std::size_t slash = path_.rfind('/');
    return MakeRef<FolderItem>(slash == 0 ? std::string("/") : path_.substr(0, slash));
}

bool FolderItem::Exists() const
{
    std::error_code error;
    return fs::exists(path_, error);
}

bool FolderItem::Directory() const
{
    std::error_code error;
    return fs::is_directory(path_, error);
}

Integer FolderItem::Length() const
{
    std::error_code error;
    if (!fs::is_regular_file(path_, error))
        return 0;
    const auto size = fs::file_size(path_, error);
    return error ? 0 : static_cast<Integer>(size);
}

bool FolderItem::Delete()
{
    std::error_code error;
    fs::remove(path_, error);
    return !fs::exists(fs::symlink_status(path_, error));
}

void FolderItem::Launch(bool activate)
{
    if (!Exists()) {
        lastErrorCode_ = kLaunchFileMissing;
        return;
    }
    lastErrorCode_ = CurrentMessageSink().OpenDocument(path_, activate) ? 0 : kLaunchRefused;
}

Ref<FolderItem> GetFolderItem(const std::string& path)
{
    return MakeRef<FolderItem>(path);
}

Ref<FolderItem> SpecialFolder::Preferences()
{
    const std::string folder = PreferencesPath();
    std::error_code error;
    fs::create_directories(folder, error);
    return MakeRef<FolderItem>(folder);
}

std::string SpecialFolder::PreferencesProblem()
{
    const std::string folder = PreferencesPath();
    std::error_code error;
    fs::create_directories(folder, error);
    struct stat status { };
    if (::stat(folder.c_str(), &status) == 0)
        return S_ISDIR(status.st_mode) ? std::string() : "it is a file, not a folder";
    const int statError = errno;
    // A file in place of a folder on the way there gives ENOTDIR.
    if (statError == ENOTDIR)
        return "a part of that path is a file, not a folder";
    return std::strerror(error ? error.value() : statError);
}

Ref<FolderItem> SpecialFolder::Temporary()
{
    // Qt names no folder at all for a TMPDIR that does not exist, and resolves
    // a relative one against the current folder; either would put our files
    // wherever the program happened to be started. The system's own folder
    // serves then.
    const char* variable = std::getenv("TMPDIR");
    if (variable != nullptr && variable[0] != '\0' && variable[0] != '/')
        return MakeRef<FolderItem>(kSystemTemporary);
    const std::string folder = QFile::encodeName(QDir::tempPath()).toStdString();
    std::error_code error;
    if (!folder.starts_with('/') || !fs::is_directory(folder, error))
        return MakeRef<FolderItem>(kSystemTemporary);
    return MakeRef<FolderItem>(folder);
}

Ref<FolderItem> SpecialFolder::PrivateTemporary()
{
    const std::string temporary = Temporary()->NativePath();
    std::string wanted;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && IsPrivateFolder(runtime))
        wanted = std::string(runtime) + "/varno";
    else
        wanted = temporary + "/varno-" + std::to_string(::getuid());
    // mkdir never follows a link in the last place, and what is found there
    // is checked as it is, not through a link.
    ::mkdir(wanted.c_str(), 0700);
    if (IsPrivateFolder(wanted))
        return MakeRef<FolderItem>(wanted);

    // The name is taken (by another user, a link, or a folder open to others):
    // a folder of our own under a random name, made once per run.
    static std::string made;
    if (made.empty() || !made.starts_with(temporary + "/") || !IsPrivateFolder(made)) {
        std::string pattern = temporary + "/varno-XXXXXX";
        made = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    if (made.empty())
        return {};
    return MakeRef<FolderItem>(made);
}
