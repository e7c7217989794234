// The install procedure: its steps in order with their arguments, the boxes,
// and the mends: refused paths are never used and a failure is reported.
#include "fake_test.h"
#include "procedures.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using fake::world;

namespace {

const std::string kProgramFolder = std::string(fake::kProgramFiles) + "\\VRIM";
const std::string kStartMenuFolder = std::string(fake::kCommonPrograms) + "\\VRIM";
const std::string kAppTarget = kProgramFolder + "\\Vrim.exe";
const std::string kUninstallerCopy = std::string(fake::kSystem) + "\\Uninstall.exe";
const std::string kDesktopShortcut = std::string(fake::kCommonDesktop) + "\\Vrim.lnk";
const std::string kMenuShortcut = kStartMenuFolder + "\\Vrim.lnk";
const std::string kUninstallShortcut = kStartMenuFolder + "\\Uninstall.lnk";

std::string Q(const std::string& s) { return "\"" + s + "\""; }

std::vector<std::string> Shortcut(const std::string& target, const std::string& path) {
  return {"CoInitialize(0)",
          "CoCreateInstance({00021401-0000-0000-C000-000000000046}, 0, 1, "
          "{000214EE-0000-0000-C000-000000000046})",
          "IShellLinkA::SetPath(" + Q(target) + ")",
          "IShellLinkA::QueryInterface({0000010B-0000-0000-C000-000000000046})",
          "MultiByteToWideChar(0, 0, " + Q(path) + ", -1, 260)",
          "IPersistFile::Save(" + Q(path) + ", 2)",
          "IPersistFile::Release()",
          "IShellLinkA::Release()",
          "CoUninitialize()"};
}

std::vector<std::string> Copy(const std::string& name, const std::string& into) {
  return {"CopyFileA(" + Q(std::string(fake::kSource) + "\\" + name) + ", " + Q(into + "\\" + name) +
          ", 0)"};
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const char kOkBox[] = "MessageBoxA(0, \"Install OK!!\", \"Vrim\", 0x40)";

}  // namespace

class RunInstallTest : public FakeWindowsTest {};

TEST_F(RunInstallTest, EightStepsInOrderWithTheirArguments) {
  EXPECT_TRUE(RunInstall(1));
  std::vector<std::string> expected =
      std::vector<std::string>{"SHGetSpecialFolderPathA(0, cleared, 0x26, 0)",
                               "CreateDirectoryA(" + Q(kProgramFolder) + ", 0)",
                               "GetFileAttributesA(" + Q(kProgramFolder) + ")",
                               "GetCurrentDirectoryA(260)"} +
      Copy("Vrim.exe", kProgramFolder) + Copy("hourglas.ani", kProgramFolder) +
      std::vector<std::string>{"GetModuleHandleA(\"kernel32.dll\")",
                               "GetProcAddress(kernel32, \"GetSystemWow64DirectoryA\")",
                               "GetSystemDirectoryA(260)"} +
      Copy("Uninstall.exe", fake::kSystem) +
      std::vector<std::string>{"SHGetSpecialFolderLocation(0, 0x19)",
                               "SHGetPathFromIDListA(desktop list, cleared)", "SHGetMalloc()",
                               "IMalloc::Free(desktop list)", "IMalloc::Release()"} +
      Shortcut(kAppTarget, kDesktopShortcut) +
      std::vector<std::string>{"SHGetSpecialFolderPathA(0, cleared, 0x17, 0)",
                               "CreateDirectoryA(" + Q(kStartMenuFolder) + ", 0)",
                               "GetFileAttributesA(" + Q(kStartMenuFolder) + ")"} +
      Shortcut(kAppTarget, kMenuShortcut) + Shortcut(kUninstallerCopy, kUninstallShortcut) +
      std::vector<std::string>{kOkBox};
  EXPECT_THAT(world.calls, ElementsAreArray(expected));
  for (const std::string& file :
       {kAppTarget, kProgramFolder + "\\hourglas.ani", kUninstallerCopy, kDesktopShortcut,
        kMenuShortcut, kUninstallShortcut})
    EXPECT_EQ(world.files.count(file), 1u) << file;
}

TEST_F(RunInstallTest, BoxOnlyWhenNotifyIsOne) {
  for (int notify : {0, 1, 2, -1}) {
    fake::Reset();
    EXPECT_TRUE(RunInstall(notify));
    auto boxes = fake::CallsStartingWith("MessageBoxA");
    if (notify == 1)
      EXPECT_THAT(boxes, ElementsAre(kOkBox));
    else
      EXPECT_THAT(boxes, IsEmpty()) << "notify " << notify;
  }
}

TEST_F(RunInstallTest, On64BitWindowsTheUninstallerAndItsShortcutUseSysWow64) {
  const std::string wow64 = "C:\\Windows\\SysWOW64";
  world.folders.insert(wow64);
  world.hasWow64Directory = true;
  world.wow64Directory = wow64;
  EXPECT_TRUE(RunInstall(0));
  EXPECT_THAT(fake::CallsStartingWith("CopyFileA").back(),
              ::testing::HasSubstr(Q(wow64 + "\\Uninstall.exe")));
  EXPECT_THAT(fake::CallsStartingWith("IShellLinkA::SetPath").back(),
              ::testing::HasSubstr(Q(wow64 + "\\Uninstall.exe")));
}

TEST_F(RunInstallTest, SecondInstallReplacesTheCopiesWithoutAsking) {
  EXPECT_TRUE(RunInstall(0));
  world.calls.clear();
  EXPECT_TRUE(RunInstall(1));  // the folders exist already: that is no failure
  EXPECT_THAT(fake::CallsStartingWith("CopyFileA").size(), 3u);
  EXPECT_THAT(world.boxes, ElementsAre("Install OK!!"));
}

struct FailureCase {
  const char* what;
  void (*arrange)();
  std::vector<std::string> lines;  // after "Install failed!!"
  size_t shortcutsAttempted;
};

TEST_F(RunInstallTest, FailureBoxNamesEveryItemNotPlaced) {
  const FailureCase cases[] = {
      {"source executable missing",
       [] { world.files.erase(std::string(fake::kSource) + "\\Vrim.exe"); }, {kAppTarget}, 3},
      {"no shell-link object", [] { fake::Fail("CoCreateInstance"); },
       {kDesktopShortcut, kMenuShortcut, kUninstallShortcut}, 3},
      // Without a target the application shortcuts are not written at all.
      {"program files unresolved", [] { fake::Fail("SHGetSpecialFolderPathA", 1); },
       {"VRIM", "Vrim.exe", "hourglas.ani", kDesktopShortcut, kMenuShortcut}, 1},
      {"desktop unresolved", [] { fake::Fail("SHGetSpecialFolderLocation"); }, {"Vrim.lnk"}, 2},
      {"Start menu unresolved", [] { fake::Fail("SHGetSpecialFolderPathA", 2); },
       {"VRIM", "Vrim.lnk", "Uninstall.lnk"}, 1},
      {"current directory too deep for the sources",
       [] { world.currentDirectory = PathOfLength(250); },
       {kAppTarget, kProgramFolder + "\\hourglas.ani", kUninstallerCopy}, 3},
      {"program folder not created", [] { fake::Fail("CreateDirectoryA", 1); },
       {kProgramFolder, kAppTarget, kProgramFolder + "\\hourglas.ani"}, 3},
      {"system directory unresolved", [] { fake::Fail("GetSystemDirectoryA"); },
       {"Uninstall.exe", kUninstallShortcut}, 2},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    fake::Reset();
    c.arrange();
    EXPECT_FALSE(RunInstall(1));
    std::string text = "Install failed!!";
    for (const std::string& line : c.lines) text += "\n" + line;
    EXPECT_THAT(fake::CallsStartingWith("MessageBoxA"),
                ElementsAre("MessageBoxA(0, " + Q(text) + ", \"Vrim\", 0x10)"));
    EXPECT_EQ(fake::CallsStartingWith("CoInitialize").size(), c.shortcutsAttempted);
  }
}

TEST_F(RunInstallTest, SilentFailureShowsNothingAndStillRunsEveryStep) {
  fake::Fail("CopyFileA");
  fake::Fail("CreateDirectoryA");
  EXPECT_FALSE(RunInstall(0));
  EXPECT_THAT(world.boxes, IsEmpty());
  EXPECT_EQ(fake::CallsStartingWith("CreateDirectoryA").size(), 2u);
  EXPECT_EQ(fake::CallsStartingWith("CopyFileA").size(), 3u);
  EXPECT_EQ(fake::CallsStartingWith("CoInitialize").size(), 3u) << "three shortcuts, each with COM";
}
