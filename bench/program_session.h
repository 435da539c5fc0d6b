#pragma once

#include <string>

// The program started as main starts it, without its event loop, for the
// benchmarks of start-up and of opening windows. The main of app_benchmarks
// gives the process a private home and preferences folder and the offscreen
// display, so nothing measured touches the user's own files or screen.

// The start-up steps of main, then the Open event: reads the statistics file
// and shows the exam chooser. The program reads the build's shipped resources.
void StartProgram();
// Closes every window, lets the closed ones go and drops the application
// object, so the next StartProgram begins as a fresh run.
void StopProgram();
// Handles what is pending: layout and painting of what was just shown, and
// the deletion of what was just closed.
void LetEventsRun();

// The statistics file of the private preferences folder.
std::string StatisticsFilePath();
