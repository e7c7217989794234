// Uninstall: takes no switches; any command line gives the same uninstall. The
// exit code is 0 when everything the install placed is gone.
#include "procedures.h"

int WinMain(HMODULE, HMODULE, char*, int) {
  return RunUninstall() ? 0 : 1;
}
