// The install layout: every name, base and path format the kit uses, so that
// what the install places the uninstall finds. Nothing here is configurable.
#pragma once

#include "win32.h"

namespace layout {

constexpr char kAppName[] = "Vrim";  // the application's window title, the boxes' caption

// Path formats. A path is its base followed by one of these rests, each starting
// with one backslash. The last component is the item's name.
constexpr char kFolder[] = "\\VRIM";                      // program folder, Start-menu folder
constexpr char kExecutable[] = "\\Vrim.exe";              // in the source and program folders
constexpr char kCursor[] = "\\hourglas.ani";              // in the source and program folders
constexpr char kUninstaller[] = "\\Uninstall.exe";        // in the source and system folders
constexpr char kAppShortcut[] = "\\Vrim.lnk";             // on the desktop, in the Start-menu folder
constexpr char kAppTarget[] = "\\VRIM\\Vrim.exe";         // on program files
constexpr char kUninstallShortcut[] = "\\VRIM\\Uninstall.lnk";  // on common programs

}  // namespace layout

enum class Base {
  ProgramFiles,    // CSIDL_PROGRAM_FILES
  CommonPrograms,  // the all-users Start menu's Programs folder
  CommonDesktop,   // the all-users desktop
  Source,          // the current directory, not the folder of the running program
  System,          // the Windows system directory
};

typedef char PathBuffer[kMaxPath];

// Clears `path` and reads the base into it. Returns whether it now holds a
// usable path: an unresolved or oversized base leaves it empty.
bool ResolveBase(Base base, PathBuffer& path);

// Writes base + rest into `out`, which may be `base` itself. An empty base, or a
// result that would not fit with its NUL, is refused, never truncated: `out` is
// then emptied, so an empty path always means "not to be used".
bool ComposePath(PathBuffer& out, const char* base, const char* rest);

// The last component of a format, for naming an item whose path was refused.
const char* ItemName(const char* rest);
