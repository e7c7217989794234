// The shortcut writer: one shell-link object per shortcut, COM around each.
#include "procedures.h"

// Defined here rather than linked from a GUID library, which would bring the
// whole table.
static const GUID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

bool CreateShortcut(const char* target, const char* shortcutPath) {
  bool saved = false;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (CoCreateInstance(&kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, &kIidShellLinkA,
                       reinterpret_cast<void**>(&link)) >= 0) {
    link->vtbl->SetPath(link, target);
    IPersistFile* file = nullptr;
    if (link->vtbl->QueryInterface(link, &kIidPersistFile, reinterpret_cast<void**>(&file)) >= 0) {
      WCHAR wide[kMaxPath];
      // A path that did not convert would hand Save whatever the buffer held.
      if (MultiByteToWideChar(CP_ACP, 0, shortcutPath, -1, wide, kMaxPath) > 0)
        saved = file->vtbl->Save(file, wide, 2) >= 0;
      file->vtbl->Release(file);
    }
    link->vtbl->Release(link);
  }
  CoUninitialize();
  return saved;
}
