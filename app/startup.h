#pragma once

#include "ref.h"

class AppleMenuItem;
class MenuItem;

// The program's start-up, run once by main before the event loop.
int _Main();
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _LateStartup();

// The menu items the application events work on, looked up by name in the
// application's menu bar on every call; nil when no item bears the name.
Ref<MenuItem> ExamMenu0();
Ref<MenuItem> ExamTechnician();
Ref<MenuItem> ExamGeneral();
Ref<MenuItem> ExamExtra();
Ref<AppleMenuItem> AppleAboutVarno();
