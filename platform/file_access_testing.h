#pragma once

// Tests make the flushes to disk fail, as a full or failing disk would: the
// given errno value for every flush of a file, or of a folder (0: succeed).
void SetSyncFailuresForTesting(int fileSyncError, int folderSyncError);
