// Bare-calls install: two folders, three copies, three shortcuts each with its
// own COM initialisation.
#include "bare_calls.h"

static const GUID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

static void Shortcut(const char* target, const char* path) {
  CoInitialize(nullptr);
  IShellLinkA* link;
  CoCreateInstance(&kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, &kIidShellLinkA,
                   reinterpret_cast<void**>(&link));
  link->vtbl->SetPath(link, target);
  IPersistFile* file;
  link->vtbl->QueryInterface(link, &kIidPersistFile, reinterpret_cast<void**>(&file));
  WCHAR wide[kMaxPath];
  MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kMaxPath);
  file->vtbl->Save(file, wide, 2);
  file->vtbl->Release(file);
  link->vtbl->Release(link);
  CoUninitialize();
}

extern "C" void EntryPoint() {
  char programFiles[kMaxPath], programs[kMaxPath], desktop[kMaxPath], source[kMaxPath],
      system[kMaxPath], folder[kMaxPath], menu[kMaxPath], from[kMaxPath], to[kMaxPath],
      target[kMaxPath];
  SHGetSpecialFolderPathA(nullptr, programFiles, CSIDL_PROGRAM_FILES, 0);
  Join(folder, programFiles, "\\VRIM");
  CreateDirectoryA(folder, nullptr);
  GetCurrentDirectoryA(kMaxPath, source);
  Join(from, source, "\\Vrim.exe");
  Join(to, folder, "\\Vrim.exe");
  CopyFileA(from, to, 0);
  Join(from, source, "\\hourglas.ani");
  Join(to, folder, "\\hourglas.ani");
  CopyFileA(from, to, 0);
  GetSystemDirectoryA(system, kMaxPath);
  Join(from, source, "\\Uninstall.exe");
  Join(to, system, "\\Uninstall.exe");
  CopyFileA(from, to, 0);
  SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_COMMON_DESKTOPDIRECTORY, 0);
  Join(target, folder, "\\Vrim.exe");
  Join(to, desktop, "\\Vrim.lnk");
  Shortcut(target, to);
  SHGetSpecialFolderPathA(nullptr, programs, CSIDL_COMMON_PROGRAMS, 0);
  Join(menu, programs, "\\VRIM");
  CreateDirectoryA(menu, nullptr);
  Join(to, menu, "\\Vrim.lnk");
  Shortcut(target, to);
  Join(from, system, "\\Uninstall.exe");
  Join(to, menu, "\\Uninstall.lnk");
  Shortcut(from, to);
  ExitProcess(0);
}
