#pragma once

#include "types.h"

// Starts a Technician (1), General (2) or Extra (3) exam the way the Exam
// menu and the exam chooser do: the class is recorded, the figure viewer comes
// up, the exam window draws a new exam and ends shown and in front.
void StartAmateurExam(Integer examClass);
