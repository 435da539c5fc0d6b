#pragma once

// Tests run the start-up steps more than once per process: this releases the
// application object that _NewAppInstance made and unregisters it.
void DisposeAppInstanceForTesting();

// The menu bar is built once per run; tests that start the program again
// need a freshly built one.
void ResetMenuBarForTesting();
