#pragma once

#include <optional>
#include <string>

class FolderItem;
class QString;

// Platform use: the two ways the streams reach the disk.

// The item's path as Qt names files.
QString QtPath(const FolderItem& item);

// The whole file, byte for byte; nothing when it is a folder, missing or
// cannot be read to its end.
std::optional<std::string> ReadWholeFile(const FolderItem& item);
