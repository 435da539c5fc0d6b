#pragma once

#include <string>

// Tests make the flushes to disk fail, as a full or failing disk would: the
// given errno value for every flush of a file, or of a folder (0: succeed).
void SetSyncFailuresForTesting(int fileSyncError, int folderSyncError);

// Tests make the file at path fail to open for reading with the given errno
// value, as a file without read permission does for anyone but root (0: the
// file opens as it is).
void SetOpenFailureForTesting(const std::string& path, int error);
