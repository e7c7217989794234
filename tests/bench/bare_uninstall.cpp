// Bare-calls uninstall: the window look-up, two folder deletions, one file
// deletion.
#include "bare_calls.h"

static void DeleteFolder(int csidl) {
  char base[kMaxPath], list[kMaxPath + 1];
  SHGetSpecialFolderPathA(nullptr, base, csidl, 0);
  Join(list, base, "\\VRIM");
  list[TextEnd(list) + 1] = '\0';
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = list;
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI;
  SHFileOperationA(&operation);
}

extern "C" void EntryPoint() {
  FindWindowA(nullptr, "Vrim");
  DeleteFolder(CSIDL_PROGRAM_FILES);
  DeleteFolder(CSIDL_COMMON_PROGRAMS);
  char desktop[kMaxPath], shortcut[kMaxPath];
  SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_COMMON_DESKTOPDIRECTORY, 0);
  Join(shortcut, desktop, "\\Vrim.lnk");
  DeleteFileA(shortcut);
  ExitProcess(0);
}
