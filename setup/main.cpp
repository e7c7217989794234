// Setup: "/s" installs silently, "/u" uninstalls, anything else installs and
// says how it went. The exit code is 0 only when the procedure fully succeeded.
#include "procedures.h"
#include "text.h"

int WinMain(HMODULE, HMODULE, char* tail, int) {
  bool done;
  if (SameTextIgnoringCase(tail, "/s"))
    done = RunInstall(0);
  else if (SameTextIgnoringCase(tail, "/u"))
    done = RunUninstall();
  else
    done = RunInstall(1);
  return done ? 0 : 1;
}
