#pragma once

#include <string>

// Shared by every test executable. The test main gives the process a private
// HOME, XDG_CONFIG_HOME (the preferences folder), TMPDIR and XDG_RUNTIME_DIR
// under one fresh temporary folder, makes the GUI runtime (offscreen) and
// installs a recording message sink; nothing a test does reaches the real home
// or runtime folder or a screen.

// The private root folder of this test process.
const std::string& TestRootFolder();

// A fresh empty folder under the test root, removed with the process's root.
std::string MakeTempFolder(const std::string& hint = "folder");

// Writes bytes to a file, creating folders as needed; fails the test if it can't.
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes, or "" when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// The folder where tests keep screenshots: <build>/screenshots.
std::string ScreenshotFolder();
