#pragma once

#include <string>

// A document type the program declares: name, extensions and the classic
// four-character type and creator codes. Registering it once makes the name
// usable with BinaryStream::Create. Linux has no type and creator codes in the
// file system, so they are kept only in this record.
class FileType {
public:
    std::string Name;
    std::string Extensions;
    std::string MacType;
    std::string MacCreator;
    std::string MimeType;
    bool Imported = false;
    std::string ConformsTo;

    // A second registration of the same name does nothing.
    void Register() const;
    static bool IsRegistered(const std::string& name);
    // The registered record of that name, or nullptr.
    static const FileType* Find(const std::string& name);
};
