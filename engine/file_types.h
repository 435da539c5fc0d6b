#pragma once

#include "file_type.h"
#include "ref.h"

// The program's file types: one, "myprefs", the type of the statistics file.
class FileTypes final {
public:
    // Defines "myprefs" and registers it; start-up calls it once, before the
    // application object exists.
    static void _Initialize();

    static Ref<FileType> pMyprefs;
};
