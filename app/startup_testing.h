#pragma once

#include <memory>
#include <string>

class FolderItem;
class InstanceLock;

// Tests run the start-up steps more than once per process: this releases the
// application object that _NewAppInstance made and unregisters it.
void DisposeAppInstanceForTesting();

// The menu bar is built once per run; tests that start the program again
// need a freshly built one.
void ResetMenuBarForTesting();

// The single-copy lock of the run, taken as _Main takes it before the event
// loop: mayRun is false when another copy holds it (the user has been told).
// Any other lock problem is told and the run goes on, with or without a lock.
std::unique_ptr<InstanceLock> TakeSingleCopyLock(bool& mayRun);

// What the start-up says when no lock can be taken at lockFile, and why.
std::string LockUnavailableMessage(const FolderItem& lockFile, const std::string& why);
