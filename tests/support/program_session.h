#pragma once

#include <string>

// The program started as main starts it, without its event loop, for the
// benchmarks of start-up and of opening windows and for the tests of the
// shell and of whole sessions. The process's main gives it a private home and
// preferences folder and the offscreen display (see private_environment.h),
// so nothing touches the user's own files or screen.

// The start-up steps of main with the program file given (its resource folder
// lies beside it): a fresh menu bar and resource look-up, the application
// object with its menu handlers. Nothing is read or shown yet.
void RunStartupSteps(const std::string& programFile);
// The start-up steps for the build's own program, then the Open event: reads
// the statistics file and shows the exam chooser.
void StartProgram();
// Closes every window, lets the closed ones go and drops the application
// object, so the next start begins as a fresh run.
void StopProgram();
// Handles what is pending: layout and painting of what was just shown, and
// the deletion of what was just closed.
void LetEventsRun();

// The statistics file of the private preferences folder.
std::string StatisticsFilePath();
