// The Windows calls the kit makes, declared by hand: only what is used, by the
// 8-bit names. The shipped programs link them from the system DLLs; the native
// tests link a recording stand-in in their place.
#pragma once

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define WINCALL __stdcall
#define WINIMPORT extern "C" __declspec(dllimport)
#else
#define WINCALL
#define WINIMPORT extern "C"
#endif

typedef int BOOL;
typedef uint32_t DWORD;
typedef uint32_t ULONG;
typedef int32_t HRESULT;
typedef uint16_t WCHAR;
typedef void* HANDLE;
typedef void* HWND;
typedef void* HMODULE;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef struct ItemIdList* PIDLIST;  // opaque: only handed back to the shell

struct GUID {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};

enum : unsigned {
  kMaxPath = 260,  // MAX_PATH, the NUL included

  CSIDL_COMMON_PROGRAMS = 0x17,
  CSIDL_COMMON_DESKTOPDIRECTORY = 0x19,
  CSIDL_PROGRAM_FILES = 0x26,

  FO_DELETE = 3,
  FOF_NOCONFIRMATION = 0x0010,
  FOF_NOERRORUI = 0x0400,

  WM_CLOSE = 0x0010,
  SMTO_ABORTIFHUNG = 0x0002,
  SMTO_NOTIMEOUTIFNOTHUNG = 0x0008,
  MB_OK = 0x0000,
  MB_ICONERROR = 0x0010,
  MB_ICONINFORMATION = 0x0040,

  CLSCTX_INPROC_SERVER = 1,
  CP_ACP = 0,
  LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800,
  WAIT_TIMEOUT = 0x102,
  ERROR_FILE_NOT_FOUND = 2,
  ERROR_PATH_NOT_FOUND = 3,
};

const DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

// 32-bit Windows declares this record with byte packing.
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(push, 1)
#endif
struct SHFILEOPSTRUCTA {
  HWND hwnd;
  unsigned wFunc;
  const char* pFrom;  // a list: each path NUL-ended, the list ended by a second NUL
  const char* pTo;
  uint16_t fFlags;
  BOOL fAnyOperationsAborted;
  void* hNameMappings;
  const char* lpszProgressTitle;
};
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(pop)
#endif

// COM interfaces through their published vtables; unused slots are placeholders.
struct IShellLinkA;
struct IShellLinkAVtbl {
  HRESULT(WINCALL* QueryInterface)(IShellLinkA*, const GUID*, void**);
  ULONG(WINCALL* AddRef)(IShellLinkA*);
  ULONG(WINCALL* Release)(IShellLinkA*);
  void* getPathToResolve[17];
  HRESULT(WINCALL* SetPath)(IShellLinkA*, const char*);
};
struct IShellLinkA {
  const IShellLinkAVtbl* vtbl;
};

struct IPersistFile;
struct IPersistFileVtbl {
  HRESULT(WINCALL* QueryInterface)(IPersistFile*, const GUID*, void**);
  ULONG(WINCALL* AddRef)(IPersistFile*);
  ULONG(WINCALL* Release)(IPersistFile*);
  void* getClassIdToLoad[3];
  HRESULT(WINCALL* Save)(IPersistFile*, const WCHAR*, BOOL);
};
struct IPersistFile {
  const IPersistFileVtbl* vtbl;
};

struct IMalloc;
struct IMallocVtbl {
  HRESULT(WINCALL* QueryInterface)(IMalloc*, const GUID*, void**);
  ULONG(WINCALL* AddRef)(IMalloc*);
  ULONG(WINCALL* Release)(IMalloc*);
  void* allocAndRealloc[2];
  void(WINCALL* Free)(IMalloc*, void*);
};
struct IMalloc {
  const IMallocVtbl* vtbl;
};

typedef DWORD(WINCALL* ThreadRoutine)(void*);
// Calls that older systems lack, looked up at run time.
typedef BOOL(WINCALL* SetDefaultDllDirectoriesCall)(DWORD flags);
typedef unsigned(WINCALL* GetSystemWow64DirectoryACall)(char* buffer, unsigned size);
typedef BOOL(WINCALL* IsHungAppWindowCall)(HWND window);  // Windows 2000 and later

// KERNEL32
WINIMPORT char* WINCALL GetCommandLineA(void);
WINIMPORT HMODULE WINCALL GetModuleHandleA(const char* name);
WINIMPORT void* WINCALL GetProcAddress(HMODULE module, const char* name);
WINIMPORT DWORD WINCALL GetVersion(void);
WINIMPORT void WINCALL ExitProcess(unsigned code);
WINIMPORT BOOL WINCALL IsDBCSLeadByte(uint8_t byte);
WINIMPORT DWORD WINCALL GetCurrentDirectoryA(DWORD size, char* buffer);
WINIMPORT unsigned WINCALL GetSystemDirectoryA(char* buffer, unsigned size);
WINIMPORT BOOL WINCALL CreateDirectoryA(const char* path, void* security);
WINIMPORT BOOL WINCALL CopyFileA(const char* from, const char* to, BOOL failIfExists);
WINIMPORT BOOL WINCALL DeleteFileA(const char* path);
WINIMPORT DWORD WINCALL GetFileAttributesA(const char* path);
WINIMPORT DWORD WINCALL GetLastError(void);
WINIMPORT void WINCALL Sleep(DWORD ms);
WINIMPORT int WINCALL MultiByteToWideChar(unsigned codePage, DWORD flags, const char* text,
                                          int length, WCHAR* wide, int wideLength);
WINIMPORT HANDLE WINCALL CreateThread(void* security, size_t stack, ThreadRoutine routine,
                                      void* argument, DWORD flags, DWORD* id);
WINIMPORT DWORD WINCALL WaitForSingleObject(HANDLE handle, DWORD ms);
WINIMPORT BOOL WINCALL CloseHandle(HANDLE handle);

// USER32
WINIMPORT HWND WINCALL FindWindowA(const char* className, const char* title);
WINIMPORT LRESULT WINCALL SendMessageA(HWND window, unsigned msg, WPARAM wp, LPARAM lp);
WINIMPORT LRESULT WINCALL SendMessageTimeoutA(HWND window, unsigned msg, WPARAM wp, LPARAM lp,
                                              unsigned flags, unsigned ms, uintptr_t* result);
WINIMPORT int WINCALL MessageBoxA(HWND owner, const char* text, const char* caption,
                                  unsigned style);

// SHELL32
WINIMPORT BOOL WINCALL SHGetSpecialFolderPathA(HWND owner, char* path, int folder, BOOL create);
WINIMPORT HRESULT WINCALL SHGetSpecialFolderLocation(HWND owner, int folder, PIDLIST* list);
WINIMPORT BOOL WINCALL SHGetPathFromIDListA(PIDLIST list, char* path);
WINIMPORT HRESULT WINCALL SHGetMalloc(IMalloc** allocator);
WINIMPORT int WINCALL SHFileOperationA(SHFILEOPSTRUCTA* operation);

// ole32
WINIMPORT HRESULT WINCALL CoInitialize(void* reserved);
WINIMPORT void WINCALL CoUninitialize(void);
WINIMPORT HRESULT WINCALL CoCreateInstance(const GUID* classId, void* outer, DWORD context,
                                           const GUID* interfaceId, void** object);
