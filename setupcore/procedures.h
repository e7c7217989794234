// The kit's procedures and the shared entry point, as both programs call them.
#pragma once

#include "win32.h"

// Saves a shell shortcut at `shortcutPath` pointing at `target`; returns whether
// it was saved.
bool CreateShortcut(const char* target, const char* shortcutPath);

// Installs for all users. `notify` 1 confirms (or reports failure) in a box; any
// other value is silent. Returns whether every item was placed.
bool RunInstall(int notify);

// Closes the running application and removes what the install placed, the
// uninstaller copy excepted. Returns whether all of it is gone afterwards.
bool RunUninstall();

// Limits the DLL search to the system directory where the platform offers it,
// so that nothing planted beside the program is loaded.
void RestrictDllSearch();

// A function of a loaded system DLL by name, or null where this system lacks it.
void* SystemFunction(const char* module, const char* name);

// The command line with the program name and the blanks after it removed.
const char* CommandTail(const char* line);

// Each program's own entry point, called by the shared start-up with the tail.
int WinMain(HMODULE instance, HMODULE previous, char* tail, int show);
