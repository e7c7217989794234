// The install: the program folder with its two files, the uninstaller copy in
// the system directory, and three shortcuts, then the box when asked for.
#include "layout.h"
#include "procedures.h"
#include "text.h"

namespace {

const DWORD kDirectoryAttribute = 0x10;
const char kInstalled[] = "Install OK!!";
const char kFailedHeading[] = "Install failed!!";

// The failure box's text: the heading, then one line per item not placed.
struct Report {
  char text[sizeof kFailedHeading + 8 * kMaxPath];  // room for all eight items
  size_t length;
  bool failed;
};

// An empty path was refused or sits on an unresolved base; the item is then
// named instead.
void Check(Report& report, bool placed, const char* path, const char* rest) {
  if (placed) return;
  report.failed = true;
  AppendText(report.text, sizeof report.text, report.length, "\n");
  AppendText(report.text, sizeof report.text, report.length, path[0] ? path : ItemName(rest));
}

bool IsFolder(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kDirectoryAttribute);
}

void MakeFolder(Report& report, PathBuffer& folder, const char* base) {
  if (ComposePath(folder, base, layout::kFolder)) CreateDirectoryA(folder, nullptr);
  Check(report, folder[0] && IsFolder(folder), folder, layout::kFolder);
}

void CopyItem(Report& report, const char* sourceBase, const char* intoBase, const char* rest) {
  PathBuffer from, to;
  ComposePath(from, sourceBase, rest);
  ComposePath(to, intoBase, rest);
  Check(report, from[0] && to[0] && CopyFileA(from, to, 0), to, rest);
}

void WriteShortcut(Report& report, const char* target, const char* base, const char* rest) {
  PathBuffer shortcut;
  ComposePath(shortcut, base, rest);
  Check(report, target[0] && shortcut[0] && CreateShortcut(target, shortcut), shortcut, rest);
}

}  // namespace

bool RunInstall(int notify) {
  Report report;
  report.length = 0;
  report.failed = false;
  AppendText(report.text, sizeof report.text, report.length, kFailedHeading);

  PathBuffer programFiles, programFolder, source, system;
  ResolveBase(Base::ProgramFiles, programFiles);
  MakeFolder(report, programFolder, programFiles);

  ResolveBase(Base::Source, source);
  CopyItem(report, source, programFolder, layout::kExecutable);
  CopyItem(report, source, programFolder, layout::kCursor);
  ResolveBase(Base::System, system);
  CopyItem(report, source, system, layout::kUninstaller);

  PathBuffer appTarget, desktop;
  ComposePath(appTarget, programFiles, layout::kAppTarget);
  ResolveBase(Base::CommonDesktop, desktop);
  WriteShortcut(report, appTarget, desktop, layout::kAppShortcut);

  PathBuffer programs, startMenuFolder, uninstallTarget;
  ResolveBase(Base::CommonPrograms, programs);
  MakeFolder(report, startMenuFolder, programs);
  WriteShortcut(report, appTarget, startMenuFolder, layout::kAppShortcut);
  ComposePath(uninstallTarget, system, layout::kUninstaller);
  WriteShortcut(report, uninstallTarget, programs, layout::kUninstallShortcut);

  if (notify == 1) {
    if (report.failed)
      MessageBoxA(nullptr, report.text, layout::kAppName, MB_OK | MB_ICONERROR);
    else
      MessageBoxA(nullptr, kInstalled, layout::kAppName, MB_OK | MB_ICONINFORMATION);
  }
  return !report.failed;
}
