// In-memory stand-in for the Windows calls of setupcore/win32.h. It keeps a tiny
// file system, a desktop with at most one application window and the shell's
// COM objects, records every call with its arguments in order, and can be told
// to fail any call. Every path it is handed is also checked: none may be longer
// than 259 bytes or start at the root of the current drive.
#pragma once

#include <map>
#include <set>
#include <string>
#include <cstdint>
#include <vector>

namespace fake {

const char kProgramFiles[] = "C:\\Program Files";
const char kCommonPrograms[] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
const char kCommonDesktop[] = "C:\\Users\\Public\\Desktop";
const char kSource[] = "C:\\dist";
const char kSystem[] = "C:\\Windows\\system32";

struct World {
  std::vector<std::string> calls;     // "Name(arguments)", in call order
  std::vector<std::string> badPaths;  // paths that should never have reached a call
  std::map<std::string, std::set<int>> failures;  // call name -> occurrences (0: all)
  std::map<std::string, int> counts;

  std::string programFiles = kProgramFiles, commonPrograms = kCommonPrograms,
              commonDesktop = kCommonDesktop, currentDirectory = kSource, systemDirectory = kSystem;
  std::set<std::string> folders, files;

  uint32_t version = 0x1DB10106;  // GetVersion's word: 6.1, build 7601
  bool hasDefaultDllDirectories = false;  // SetDefaultDllDirectories exported
  bool hasWow64Directory = false;         // GetSystemWow64DirectoryA exported
  bool hasIsHungAppWindow = true;         // USER32 exports IsHungAppWindow
  std::string wow64Directory;             // what it returns; empty: 32-bit Windows

  bool windowOpen = false;    // a top-level window titled "Vrim"
  bool closesOnRequest = true;
  bool hung = false;          // the window's thread never handles the request
  int pollsBeforeHung = 0;    // IsHungAppWindow answers FALSE this many times first

  std::string fromList;       // SHFileOperationA's pFrom, both NULs included
  std::vector<std::string> boxes;  // text of each MessageBoxA
};

extern World world;

// A fresh machine: the five bases exist, the three sources sit in kSource.
void Reset();

// Makes the `occurrence`-th call of `name` fail, counting from 1; 0 fails every call.
void Fail(const std::string& name, int occurrence = 0);

// The calls whose record starts with `prefix`.
std::vector<std::string> CallsStartingWith(const std::string& prefix);

}  // namespace fake
