#pragma once

// The resource accessors keep what they loaded for the whole run. Tests that
// need "missing at first use, then present" start each case from the state of
// a fresh run: nothing asked for, nothing loaded.
void ForgetResourceFilesForTesting();
