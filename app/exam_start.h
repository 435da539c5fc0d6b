#pragma once

#include "types.h"

// Starts a Technician (1), General (2) or Extra (3) exam the way the Exam
// menu and the exam chooser do: the class is recorded, the figure viewer comes
// up, the exam window draws a new exam and ends shown and in front.
void StartAmateurExam(Integer examClass);

// Records the examination class and has the exam window draw a new exam of
// it. A pool that cannot be loaded leaves the class as it was, so the exam the
// window still shows is graded under its own class; its message has been
// shown. Any other failure comes after the new pool is in place, keeps the
// new class and goes on to the caller.
void InitExamWindow(Integer examClass);
