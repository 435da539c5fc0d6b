#include "file_type.h"

#include <map>

namespace {

std::map<std::string, FileType>& Registry()
{
    static std::map<std::string, FileType> registry;
    return registry;
}

} // namespace

void FileType::Register() const
{
    Registry().try_emplace(Name, *this);
}

bool FileType::IsRegistered(const std::string& name)
{
    return Registry().contains(name);
}

const FileType* FileType::Find(const std::string& name)
{
    const auto found = Registry().find(name);
    return found == Registry().end() ? nullptr : &found->second;
}
