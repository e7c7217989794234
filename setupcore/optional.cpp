// Calls that only newer systems have, found at run time so that the programs
// still load where they are missing.
#include "procedures.h"

void* SystemFunction(const char* module, const char* name) {
  HMODULE loaded = GetModuleHandleA(module);
  return loaded ? GetProcAddress(loaded, name) : nullptr;
}

void RestrictDllSearch() {
  // On Vista (6.0) the restriction makes CoCreateInstance of the shell-link
  // object fail.
  DWORD version = GetVersion();
  if ((version & 0xFF) == 6 && ((version >> 8) & 0xFF) == 0) return;
  auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesCall>(
      SystemFunction("kernel32.dll", "SetDefaultDllDirectories"));
  if (setDefaultDllDirectories) setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
