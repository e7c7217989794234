// Fuzzes the install and the uninstall over arbitrary base folders, through
// the recording stand-in: whatever the shell folders, the current and the
// system directory are, no over-long or drive-root path reaches a Windows
// call and nothing reads or writes past a buffer. Input: the bases separated
// by newlines, then a last byte choosing failures.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fake_windows.h"
#include "procedures.h"

using fake::world;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n')
      parts.emplace_back();
    else if (data[i] != '\0')
      parts.back() += static_cast<char>(data[i]);
  }
  parts.resize(7);
  for (const std::string& base : parts)
    if (base.size() >= 1 && base[0] == '\\' && (base.size() < 2 || base[1] != '\\'))
      return 0;  // a rooted base is the platform's own answer, not ours to refuse
  fake::Reset();
  // The shell's folder calls never write more than MAX_PATH; the directory
  // calls report the size they would need instead.
  world.programFiles = parts[0].substr(0, kMaxPath - 1);
  world.commonPrograms = parts[1].substr(0, kMaxPath - 1);
  world.commonDesktop = parts[2].substr(0, kMaxPath - 1);
  world.currentDirectory = parts[3];
  world.systemDirectory = parts[4];
  world.hasWow64Directory = !parts[5].empty();
  world.wow64Directory = parts[5];
  unsigned choice = parts[6].empty() ? 0 : static_cast<unsigned char>(parts[6][0]);
  const char* failing[] = {"SHGetSpecialFolderPathA", "SHGetSpecialFolderLocation",
                           "SHGetPathFromIDListA",    "SHGetMalloc",
                           "GetCurrentDirectoryA",    "GetSystemDirectoryA",
                           "CreateDirectoryA",        "CoCreateInstance"};
  for (unsigned bit = 0; bit < 8; ++bit)
    if (choice & (1u << bit)) fake::Fail(failing[bit]);

  RunInstall(1);
  RunUninstall();
  if (!world.badPaths.empty()) abort();
  return 0;
}
