// The recording stand-in; see fake_windows.h.
#include "fake_windows.h"

#include <cstdio>
#include <cstring>

#include "win32.h"

namespace fake {

World world;

void Reset() {
  world = World();
  for (const char* folder : {"C:", kProgramFiles, "C:\\ProgramData", kCommonPrograms, kCommonDesktop,
                             kSource, "C:\\Windows", kSystem})
    world.folders.insert(folder);
  for (const char* name : {"Vrim.exe", "hourglas.ani", "Uninstall.exe"})
    world.files.insert(std::string(kSource) + "\\" + name);
}

void Fail(const std::string& name, int occurrence) { world.failures[name].insert(occurrence); }

std::vector<std::string> CallsStartingWith(const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& call : world.calls)
    if (call.compare(0, prefix.size(), prefix) == 0) out.push_back(call);
  return out;
}

}  // namespace fake

using fake::world;

BOOL WINCALL FakeIsHungAppWindow(HWND window);  // USER32's, found through GetProcAddress

namespace {

const HRESULT kFailed = static_cast<HRESULT>(0x80004005);  // E_FAIL
DWORD lastError = 0;

// Counts the call and says whether it is one told to fail.
bool Failing(const std::string& name) {
  int n = ++world.counts[name];
  auto it = world.failures.find(name);
  return it != world.failures.end() && (it->second.count(0) || it->second.count(n));
}

void Record(const std::string& text) { world.calls.push_back(text); }

std::string Quote(const char* text) {
  if (!text) return "0";
  return "\"" + std::string(text) + "\"";
}

std::string CheckedPath(const char* path) {
  std::string p = path ? path : "";
  bool driveRoot = p.size() >= 1 && p[0] == '\\' && (p.size() < 2 || p[1] != '\\');  // UNC is fine
  if (p.size() >= kMaxPath || p.empty() || driveRoot) world.badPaths.push_back(p);
  return Quote(path);
}

std::string Parent(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool Exists(const std::string& path) { return world.folders.count(path) || world.files.count(path); }

std::string Guid(const GUID* g) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g->data1,
                g->data2, g->data3, g->data4[0], g->data4[1], g->data4[2], g->data4[3], g->data4[4],
                g->data4[5], g->data4[6], g->data4[7]);
  return text;
}

const char kIidPersistFile[] = "{0000010B-0000-0000-C000-000000000046}";

// Fills a path buffer the way the platform does: only when it fits.
DWORD FillDirectory(const std::string& value, char* buffer, DWORD size) {
  if (value.size() + 1 > size) return static_cast<DWORD>(value.size() + 1);
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return static_cast<DWORD>(value.size());
}

// ---- COM objects -----------------------------------------------------------

IShellLinkAVtbl linkVtbl;
IPersistFileVtbl fileVtbl;
IMallocVtbl mallocVtbl;
IShellLinkA link{&linkVtbl};
IPersistFile persistFile{&fileVtbl};
IMalloc allocator{&mallocVtbl};
std::string linkTarget;
ItemIdList* const kDesktopList = reinterpret_cast<ItemIdList*>(0x1D1);

HRESULT WINCALL LinkQueryInterface(IShellLinkA*, const GUID* iid, void** out) {
  Record("IShellLinkA::QueryInterface(" + Guid(iid) + ")");
  if (Failing("IShellLinkA::QueryInterface") || Guid(iid) != kIidPersistFile) {
    *out = nullptr;
    return static_cast<HRESULT>(0x80004002);  // E_NOINTERFACE
  }
  *out = &persistFile;
  return 0;
}
ULONG WINCALL LinkRelease(IShellLinkA*) {
  Record("IShellLinkA::Release()");
  return 0;
}
HRESULT WINCALL LinkSetPath(IShellLinkA*, const char* path) {
  Record("IShellLinkA::SetPath(" + CheckedPath(path) + ")");
  if (Failing("IShellLinkA::SetPath")) return kFailed;
  linkTarget = path;
  return 0;
}
ULONG WINCALL FileRelease(IPersistFile*) {
  Record("IPersistFile::Release()");
  return 0;
}
HRESULT WINCALL FileSave(IPersistFile*, const WCHAR* wide, BOOL remember) {
  std::string path;
  for (const WCHAR* p = wide; *p; ++p) path += *p < 128 ? static_cast<char>(*p) : '?';
  Record("IPersistFile::Save(" + CheckedPath(path.c_str()) + ", " + std::to_string(remember) + ")");
  if (Failing("IPersistFile::Save") || !world.folders.count(Parent(path))) return kFailed;
  world.files.insert(path);
  return 0;
}
void WINCALL MallocFree(IMalloc*, void* block) {
  Record(std::string("IMalloc::Free(") + (block == kDesktopList ? "desktop list" : "?") + ")");
}
ULONG WINCALL MallocRelease(IMalloc*) {
  Record("IMalloc::Release()");
  return 0;
}

struct VtblSetup {
  VtblSetup() {
    linkVtbl.QueryInterface = LinkQueryInterface;
    linkVtbl.Release = LinkRelease;
    linkVtbl.SetPath = LinkSetPath;
    fileVtbl.Release = FileRelease;
    fileVtbl.Save = FileSave;
    mallocVtbl.Free = MallocFree;
    mallocVtbl.Release = MallocRelease;
  }
} vtblSetup;

HMODULE const kKernel32 = reinterpret_cast<HMODULE>(0x7C800000);
HMODULE const kUser32 = reinterpret_cast<HMODULE>(0x7E410000);

BOOL WINCALL FakeSetDefaultDllDirectories(DWORD flags) {
  char text[48];
  std::snprintf(text, sizeof text, "SetDefaultDllDirectories(0x%X)", flags);
  Record(text);
  return 1;
}

unsigned WINCALL FakeGetSystemWow64DirectoryA(char* buffer, unsigned size) {
  Record("GetSystemWow64DirectoryA(" + std::to_string(size) + ")");
  if (world.wow64Directory.empty()) return 0;  // ERROR_CALL_NOT_IMPLEMENTED
  return FillDirectory(world.wow64Directory, buffer, size);
}

HWND const kWindow = reinterpret_cast<HWND>(0x3E0);
HANDLE const kThread = reinterpret_cast<HANDLE>(0x7E0);

}  // namespace

// ---- KERNEL32 --------------------------------------------------------------

char* WINCALL GetCommandLineA(void) {
  static char line[] = "Setup.exe";
  return line;
}
HMODULE WINCALL GetModuleHandleA(const char* name) {
  Record("GetModuleHandleA(" + Quote(name) + ")");
  if (name && std::strcmp(name, "kernel32.dll") == 0) return kKernel32;
  if (name && std::strcmp(name, "user32.dll") == 0) return kUser32;
  return nullptr;
}

void* WINCALL GetProcAddress(HMODULE module, const char* name) {
  Record("GetProcAddress(" +
         std::string(module == kKernel32 ? "kernel32" : module == kUser32 ? "user32" : "?") + ", " +
         Quote(name) + ")");
  if (module == kUser32)
    return std::strcmp(name, "IsHungAppWindow") == 0 && world.hasIsHungAppWindow
               ? reinterpret_cast<void*>(FakeIsHungAppWindow)
               : nullptr;
  if (module != kKernel32) return nullptr;
  if (std::strcmp(name, "SetDefaultDllDirectories") == 0 && world.hasDefaultDllDirectories)
    return reinterpret_cast<void*>(FakeSetDefaultDllDirectories);
  if (std::strcmp(name, "GetSystemWow64DirectoryA") == 0 && world.hasWow64Directory)
    return reinterpret_cast<void*>(FakeGetSystemWow64DirectoryA);
  return nullptr;
}

DWORD WINCALL GetVersion(void) {
  Record("GetVersion()");
  return world.version;
}
void WINCALL ExitProcess(unsigned) {}

// Code page 932's lead bytes, so that the tail rule can be tested with a real one.
BOOL WINCALL IsDBCSLeadByte(uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

DWORD WINCALL GetCurrentDirectoryA(DWORD size, char* buffer) {
  Record("GetCurrentDirectoryA(" + std::to_string(size) + ")");
  if (Failing("GetCurrentDirectoryA")) return 0;
  return FillDirectory(world.currentDirectory, buffer, size);
}

unsigned WINCALL GetSystemDirectoryA(char* buffer, unsigned size) {
  Record("GetSystemDirectoryA(" + std::to_string(size) + ")");
  if (Failing("GetSystemDirectoryA")) return 0;
  return FillDirectory(world.systemDirectory, buffer, size);
}

BOOL WINCALL CreateDirectoryA(const char* path, void* security) {
  Record("CreateDirectoryA(" + CheckedPath(path) + ", " + (security ? "security" : "0") + ")");
  if (Failing("CreateDirectoryA") || Exists(path) || !world.folders.count(Parent(path))) return 0;
  world.folders.insert(path);
  return 1;
}

BOOL WINCALL CopyFileA(const char* from, const char* to, BOOL failIfExists) {
  Record("CopyFileA(" + CheckedPath(from) + ", " + CheckedPath(to) + ", " +
         std::to_string(failIfExists) + ")");
  if (Failing("CopyFileA") || !world.files.count(from) || !world.folders.count(Parent(to)) ||
      (failIfExists && Exists(to)))
    return 0;
  world.files.insert(to);
  return 1;
}

BOOL WINCALL DeleteFileA(const char* path) {
  Record("DeleteFileA(" + CheckedPath(path) + ")");
  if (Failing("DeleteFileA") || !world.files.erase(path)) return 0;
  return 1;
}

DWORD WINCALL GetFileAttributesA(const char* path) {
  Record("GetFileAttributesA(" + CheckedPath(path) + ")");
  if (Failing("GetFileAttributesA")) {
    lastError = 5;  // ERROR_ACCESS_DENIED
    return INVALID_FILE_ATTRIBUTES;
  }
  if (world.folders.count(path)) return 0x10;
  if (world.files.count(path)) return 0x20;
  lastError = world.folders.count(Parent(path)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  return INVALID_FILE_ATTRIBUTES;
}

DWORD WINCALL GetLastError(void) { return lastError; }

void WINCALL Sleep(DWORD ms) { Record("Sleep(" + std::to_string(ms) + ")"); }

int WINCALL MultiByteToWideChar(unsigned codePage, DWORD flags, const char* text, int length,
                                WCHAR* wide, int wideLength) {
  Record("MultiByteToWideChar(" + std::to_string(codePage) + ", " + std::to_string(flags) + ", " +
         CheckedPath(text) + ", " + std::to_string(length) + ", " + std::to_string(wideLength) + ")");
  if (Failing("MultiByteToWideChar")) return 0;
  int n = static_cast<int>(std::strlen(text)) + 1;
  if (length != -1 || n > wideLength) return 0;
  for (int i = 0; i < n; ++i) wide[i] = static_cast<unsigned char>(text[i]);
  return n;
}

HANDLE WINCALL CreateThread(void*, size_t, ThreadRoutine routine, void* argument, DWORD, DWORD*) {
  Record("CreateThread()");
  if (Failing("CreateThread")) return nullptr;
  // The request is handled at once unless the application is hung; it then
  // stays pending for good.
  if (!world.hung) routine(argument);
  return kThread;
}

DWORD WINCALL WaitForSingleObject(HANDLE handle, DWORD ms) {
  Record("WaitForSingleObject(" + std::string(handle == kThread ? "sender" : "?") + ", " +
         std::to_string(ms) + ")");
  return world.hung ? static_cast<DWORD>(WAIT_TIMEOUT) : 0;
}

BOOL WINCALL CloseHandle(HANDLE handle) {
  Record(std::string("CloseHandle(") + (handle == kThread ? "sender" : "?") + ")");
  return 1;
}

// ---- USER32 ----------------------------------------------------------------

HWND WINCALL FindWindowA(const char* className, const char* title) {
  Record("FindWindowA(" + Quote(className) + ", " + Quote(title) + ")");
  if (Failing("FindWindowA") || !world.windowOpen || std::strcmp(title, "Vrim") != 0) return nullptr;
  return kWindow;
}

LRESULT WINCALL SendMessageA(HWND window, unsigned msg, WPARAM wp, LPARAM lp) {
  Record("SendMessageA(" + std::string(window == kWindow ? "window" : "?") + ", " +
         std::to_string(msg) + ", " + std::to_string(wp) + ", " + std::to_string(lp) + ")");
  if (window == kWindow && msg == WM_CLOSE && world.closesOnRequest) world.windowOpen = false;
  return 0;
}

LRESULT WINCALL SendMessageTimeoutA(HWND window, unsigned msg, WPARAM wp, LPARAM lp, unsigned flags,
                                    unsigned ms, uintptr_t* result) {
  Record("SendMessageTimeoutA(" + std::string(window == kWindow ? "window" : "?") + ", " +
         std::to_string(msg) + ", " + std::to_string(wp) + ", " + std::to_string(lp) + ", " +
         std::to_string(flags) + ", " + std::to_string(ms) + ")");
  *result = 0;
  if (world.hung) return 0;
  if (window == kWindow && msg == WM_CLOSE && world.closesOnRequest) world.windowOpen = false;
  return 1;
}

BOOL WINCALL FakeIsHungAppWindow(HWND window) {
  Record(std::string("IsHungAppWindow(") + (window == kWindow ? "window" : "?") + ")");
  return world.hung && world.counts["IsHungAppWindow"]++ >= world.pollsBeforeHung;
}

int WINCALL MessageBoxA(HWND owner, const char* text, const char* caption, unsigned style) {
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%02X", style);
  Record("MessageBoxA(" + std::string(owner ? "owner" : "0") + ", " + Quote(text) + ", " +
         Quote(caption) + ", " + flags + ")");
  world.boxes.push_back(text);
  return 1;  // IDOK
}

// ---- SHELL32 ---------------------------------------------------------------

static bool IsCleared(const char* buffer) {
  for (unsigned i = 0; i < kMaxPath; ++i)
    if (buffer[i]) return false;
  return true;
}

BOOL WINCALL SHGetSpecialFolderPathA(HWND owner, char* path, int folder, BOOL create) {
  char id[8];
  std::snprintf(id, sizeof id, "0x%02X", folder);
  Record("SHGetSpecialFolderPathA(" + std::string(owner ? "owner" : "0") + ", " +
         (IsCleared(path) ? "cleared" : "dirty") + ", " + id + ", " + std::to_string(create) + ")");
  if (Failing("SHGetSpecialFolderPathA")) return 0;
  const std::string& value =
      folder == CSIDL_PROGRAM_FILES ? world.programFiles : world.commonPrograms;
  std::memcpy(path, value.c_str(), value.size() + 1);  // the caller promised 260 bytes
  return 1;
}

HRESULT WINCALL SHGetSpecialFolderLocation(HWND owner, int folder, PIDLIST* list) {
  char id[8];
  std::snprintf(id, sizeof id, "0x%02X", folder);
  Record("SHGetSpecialFolderLocation(" + std::string(owner ? "owner" : "0") + ", " + id + ")");
  if (Failing("SHGetSpecialFolderLocation")) return kFailed;
  *list = kDesktopList;
  return 0;
}

BOOL WINCALL SHGetPathFromIDListA(PIDLIST list, char* path) {
  Record(std::string("SHGetPathFromIDListA(") + (list == kDesktopList ? "desktop list" : "?") + ", " +
         (IsCleared(path) ? "cleared" : "dirty") + ")");
  if (Failing("SHGetPathFromIDListA")) return 0;
  std::memcpy(path, world.commonDesktop.c_str(), world.commonDesktop.size() + 1);
  return 1;
}

HRESULT WINCALL SHGetMalloc(IMalloc** out) {
  Record("SHGetMalloc()");
  if (Failing("SHGetMalloc")) return kFailed;
  *out = &allocator;
  return 0;
}

int WINCALL SHFileOperationA(SHFILEOPSTRUCTA* op) {
  // The list ends at the first empty entry; a missing second NUL runs past the
  // caller's buffer, which the sanitizer builds catch.
  const char* p = op->pFrom;
  std::string list;
  while (*p) {
    size_t n = std::strlen(p);
    list.append(p, n + 1);
    p += n + 1;
  }
  list.push_back('\0');
  world.fromList = list;
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%04X", op->fFlags);
  Record("SHFileOperationA(hwnd=" + std::string(op->hwnd ? "owner" : "0") + ", wFunc=" +
         std::to_string(op->wFunc) + ", pFrom=" + CheckedPath(op->pFrom) +
         ", pTo=" + Quote(op->pTo) + ", fFlags=" + flags + ", hNameMappings=" +
         (op->hNameMappings ? "set" : "0") + ", lpszProgressTitle=" + Quote(op->lpszProgressTitle) +
         ")");
  if (Failing("SHFileOperationA")) return 0x7C;  // DE_INVALIDFILES
  std::string folder = op->pFrom;
  if (!world.folders.count(folder)) return 0x7C;
  for (auto* set : {&world.folders, &world.files})
    for (auto it = set->begin(); it != set->end();)
      it = (*it == folder || it->compare(0, folder.size() + 1, folder + "\\") == 0) ? set->erase(it)
                                                                                  : std::next(it);
  return 0;
}

// ---- ole32 -----------------------------------------------------------------

HRESULT WINCALL CoInitialize(void* reserved) {
  Record(std::string("CoInitialize(") + (reserved ? "reserved" : "0") + ")");
  return Failing("CoInitialize") ? kFailed : 0;
}

void WINCALL CoUninitialize(void) { Record("CoUninitialize()"); }

HRESULT WINCALL CoCreateInstance(const GUID* classId, void* outer, DWORD context,
                                 const GUID* interfaceId, void** object) {
  Record("CoCreateInstance(" + Guid(classId) + ", " + (outer ? "outer" : "0") + ", " +
         std::to_string(context) + ", " + Guid(interfaceId) + ")");
  if (Failing("CoCreateInstance")) {
    *object = nullptr;
    return static_cast<HRESULT>(0x80040154);  // REGDB_E_CLASSNOTREG
  }
  *object = &link;
  return 0;
}
