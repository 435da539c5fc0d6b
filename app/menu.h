#pragma once

#include "menu_item.h"

// The application's one menu bar: File, Exam, Edit, Help.
class Menu final : public MenuBar {
public:
    Menu();

    void Untitled0(); // File
    void Untitled1(); // Exam
    void Untitled2(); // Edit
    void Untitled3(); // Help
};

// The menu bar, built on the first call and kept for the run.
Menu& Menu();
