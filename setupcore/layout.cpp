// Base resolution and path composition for the install layout.
#include "layout.h"

#include "procedures.h"
#include "text.h"

static bool ResolveCommonDesktop(PathBuffer& path) {
  PIDLIST list = nullptr;
  bool located = SHGetSpecialFolderLocation(nullptr, CSIDL_COMMON_DESKTOPDIRECTORY, &list) == 0;
  if (located) SHGetPathFromIDListA(list, path);
  IMalloc* allocator = nullptr;
  if (SHGetMalloc(&allocator) == 0) {
    if (located) allocator->vtbl->Free(allocator, list);
    allocator->vtbl->Release(allocator);
  }
  return path[0] != '\0';
}

// Where a 32-bit program's copy into the system directory really lands: on
// 64-bit Windows that is the 32-bit one (SysWOW64), and a shortcut naming
// System32 would point at nothing for the 64-bit shell.
static DWORD ResolveSystemDirectory(PathBuffer& path) {
  auto wow64 = reinterpret_cast<GetSystemWow64DirectoryACall>(
      SystemFunction("kernel32.dll", "GetSystemWow64DirectoryA"));
  // On 32-bit Windows the call exists and returns 0.
  DWORD n = wow64 ? wow64(path, kMaxPath) : 0;
  return n ? n : GetSystemDirectoryA(path, kMaxPath);
}

bool ResolveBase(Base base, PathBuffer& path) {
  for (unsigned i = 0; i < kMaxPath; ++i) path[i] = '\0';
  DWORD n = 0;
  switch (base) {
    case Base::ProgramFiles:
      SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES, 0);
      return path[0] != '\0';
    case Base::CommonPrograms:
      SHGetSpecialFolderPathA(nullptr, path, CSIDL_COMMON_PROGRAMS, 0);
      return path[0] != '\0';
    case Base::CommonDesktop:
      return ResolveCommonDesktop(path);
    case Base::Source:
      n = GetCurrentDirectoryA(kMaxPath, path);
      break;
    case Base::System:
      n = ResolveSystemDirectory(path);
      break;
  }
  // Both calls return the length on success and the size they would need when
  // the buffer is too small, leaving its contents unspecified.
  if (n == 0 || n >= kMaxPath) {
    path[0] = '\0';
    return false;
  }
  return true;
}

bool ComposePath(PathBuffer& out, const char* base, const char* rest) {
  size_t baseLength = TextLength(base);
  size_t restLength = TextLength(rest);
  // On an empty base the path would name a place at the root of the current drive.
  if (baseLength == 0 || baseLength + restLength >= kMaxPath) {
    out[0] = '\0';
    return false;
  }
  if (out != base)
    for (size_t i = 0; i < baseLength; ++i) out[i] = base[i];
  for (size_t i = 0; i <= restLength; ++i) out[baseLength + i] = rest[i];
  return true;
}

const char* ItemName(const char* rest) {
  const char* name = rest;
  for (const char* p = rest; *p; ++p)
    if (*p == '\\') name = p + 1;
  return name;
}
