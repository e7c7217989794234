// The uninstall: close the running application, then remove the program
// folder, the Start-menu folder and the desktop shortcut.
#include "layout.h"
#include "procedures.h"

enum : DWORD {
  kAfterCloseMs = 2000,  // the application's time to end after handling WM_CLOSE
  kHungPollMs = 250,
  kFallbackTimeoutMs = 10000,
};

static DWORD WINCALL SendCloseRequest(void* window) {
  SendMessageA(static_cast<HWND>(window), WM_CLOSE, 0, 0);
  return 0;
}

// Waits as long as the window is handling the request, say behind its own save
// prompt, but not on a window that stops responding. The platform calls a
// thread hung only after some seconds without pumping, and a send made before
// that never gives up on its own, so the send runs on a thread of its own
// while this one watches. Without a way to tell (before Windows 2000) or a
// thread, one bounded send has to do.
static void CloseApplication(HWND window) {
  auto isHung =
      reinterpret_cast<IsHungAppWindowCall>(SystemFunction("user32.dll", "IsHungAppWindow"));
  HANDLE sender = isHung ? CreateThread(nullptr, 0, SendCloseRequest, window, 0, nullptr) : nullptr;
  if (!sender) {
    uintptr_t result;
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG,
                        kFallbackTimeoutMs, &result);
    return;
  }
  while (WaitForSingleObject(sender, kHungPollMs) == WAIT_TIMEOUT)
    if (isHung(window)) break;
  CloseHandle(sender);
}

// Gone means not found; a path the platform cannot look at is not proven gone.
static bool IsGone(const char* path) {
  if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return false;
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

static bool RemoveFolder(Base base) {
  // The file operation takes a list ended by a second NUL; the spare byte keeps
  // it there even after a 259-byte path.
  struct {
    PathBuffer path;
    char listEnd;
  } from = {};
  if (!ResolveBase(base, from.path) || !ComposePath(from.path, from.path, layout::kFolder))
    return false;
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.path;
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI;
  SHFileOperationA(&operation);
  return IsGone(from.path);
}

static bool RemoveDesktopShortcut() {
  PathBuffer path;
  if (!ResolveBase(Base::CommonDesktop, path) || !ComposePath(path, path, layout::kAppShortcut))
    return false;
  DeleteFileA(path);
  return IsGone(path);
}

bool RunUninstall() {
  HWND window = FindWindowA(nullptr, layout::kAppName);
  if (window) {
    CloseApplication(window);
    Sleep(kAfterCloseMs);
  }
  bool gone = RemoveFolder(Base::ProgramFiles);
  gone = RemoveFolder(Base::CommonPrograms) && gone;
  gone = RemoveDesktopShortcut() && gone;
  return gone;
}
