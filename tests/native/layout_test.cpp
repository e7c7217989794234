// Path composition and base resolution.
#include <cstring>

#include "fake_test.h"
#include "layout.h"

using ::testing::ElementsAre;
using fake::world;

struct CompositionCase {
  std::string base;
  const char* rest;
  bool fits;
  std::string expected;
};

TEST(ComposePath, TableOfBasesAndRests) {
  const std::string base254 = PathOfLength(254), base240 = PathOfLength(240);
  const CompositionCase cases[] = {
      {"C:\\Program Files", layout::kFolder, true, "C:\\Program Files\\VRIM"},
      {"C:\\", layout::kExecutable, true, "C:\\\\Vrim.exe"},  // drive root: two backslashes, kept
      {"C:\\dist", layout::kCursor, true, "C:\\dist\\hourglas.ani"},
      {"", layout::kAppShortcut, false, ""},                  // would name \Vrim.lnk at the root
      {base254, layout::kFolder, true, base254 + "\\VRIM"},   // 259 bytes: exact fit
      {base254 + "d", layout::kFolder, false, ""},            // 260 bytes: one over
      {base240, layout::kUninstallShortcut, true, base240 + "\\VRIM\\Uninstall.lnk"},
      {base240 + "d", layout::kUninstallShortcut, false, ""},
  };
  for (const CompositionCase& c : cases) {
    SCOPED_TRACE("base of " + std::to_string(c.base.size()) + " bytes + " + c.rest);
    PathBuffer out;
    std::memset(out, 'X', sizeof out);  // proves the call wrote the result or emptied it
    EXPECT_EQ(ComposePath(out, c.base.c_str(), c.rest), c.fits);
    EXPECT_EQ(std::string(out), c.expected);

    PathBuffer own;  // composed over the base's own buffer
    std::memset(own, 'X', sizeof own);
    std::memcpy(own, c.base.c_str(), c.base.size() + 1);
    EXPECT_EQ(ComposePath(own, own, c.rest), c.fits);
    EXPECT_EQ(std::string(own), c.expected);
  }
}

TEST(ItemName, IsTheLastComponent) {
  EXPECT_STREQ(ItemName(layout::kFolder), "VRIM");
  EXPECT_STREQ(ItemName(layout::kUninstallShortcut), "Uninstall.lnk");
}

class ResolveBaseTest : public FakeWindowsTest {
 protected:
  // Resolves into a buffer full of stale text, so that clearing shows.
  std::string Resolve(Base base, bool expectResolved) {
    PathBuffer path;
    std::memset(path, 'X', sizeof path);
    EXPECT_EQ(ResolveBase(base, path), expectResolved);
    return std::string(path, strnlen(path, sizeof path));
  }
};

TEST_F(ResolveBaseTest, ShellFoldersAreLookedUpInClearedBuffers) {
  EXPECT_EQ(Resolve(Base::ProgramFiles, true), fake::kProgramFiles);
  EXPECT_EQ(Resolve(Base::CommonPrograms, true), fake::kCommonPrograms);
  EXPECT_THAT(world.calls, ElementsAre("SHGetSpecialFolderPathA(0, cleared, 0x26, 0)",
                                       "SHGetSpecialFolderPathA(0, cleared, 0x17, 0)"));
}

TEST_F(ResolveBaseTest, UnresolvedShellFolderIsEmptyNotStale) {
  fake::Fail("SHGetSpecialFolderPathA");
  EXPECT_EQ(Resolve(Base::ProgramFiles, false), "");
  EXPECT_EQ(Resolve(Base::CommonPrograms, false), "");
}

TEST_F(ResolveBaseTest, DesktopThroughItsIdentifierListFreedThenReleased) {
  EXPECT_EQ(Resolve(Base::CommonDesktop, true), fake::kCommonDesktop);
  EXPECT_THAT(world.calls,
              ElementsAre("SHGetSpecialFolderLocation(0, 0x19)",
                          "SHGetPathFromIDListA(desktop list, cleared)", "SHGetMalloc()",
                          "IMalloc::Free(desktop list)", "IMalloc::Release()"));
}

TEST_F(ResolveBaseTest, DesktopNotLocatedSkipsConversionAndFree) {
  fake::Fail("SHGetSpecialFolderLocation");
  EXPECT_EQ(Resolve(Base::CommonDesktop, false), "");
  EXPECT_THAT(world.calls, ElementsAre("SHGetSpecialFolderLocation(0, 0x19)", "SHGetMalloc()",
                                       "IMalloc::Release()"));
}

TEST_F(ResolveBaseTest, DesktopWithoutAllocatorSkipsFreeAndRelease) {
  fake::Fail("SHGetMalloc");
  EXPECT_EQ(Resolve(Base::CommonDesktop, true), fake::kCommonDesktop);
  EXPECT_THAT(world.calls, ElementsAre("SHGetSpecialFolderLocation(0, 0x19)",
                                       "SHGetPathFromIDListA(desktop list, cleared)",
                                       "SHGetMalloc()"));
}

TEST_F(ResolveBaseTest, DesktopPathNotConvertedIsEmpty) {
  fake::Fail("SHGetPathFromIDListA");
  EXPECT_EQ(Resolve(Base::CommonDesktop, false), "");
  EXPECT_EQ(world.calls.size(), 5u) << "the list is still freed";
}

TEST_F(ResolveBaseTest, CurrentAndSystemDirectoriesOnlyWhenTheyFit) {
  struct Case {
    std::string value;
    bool fits;
  } cases[] = {{"C:\\", true}, {PathOfLength(259), true}, {PathOfLength(260), false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value.size()) + " bytes");
    world.currentDirectory = world.systemDirectory = c.value;
    EXPECT_EQ(Resolve(Base::Source, c.fits), c.fits ? c.value : "");
    EXPECT_EQ(Resolve(Base::System, c.fits), c.fits ? c.value : "");
  }
  EXPECT_EQ(world.calls[0], "GetCurrentDirectoryA(260)");
  EXPECT_EQ(world.calls[3], "GetSystemDirectoryA(260)");
}

TEST_F(ResolveBaseTest, SystemBaseIsWhereA32BitCopyLands) {
  const struct {
    const char* what;
    bool exported;
    std::string wow64;
    std::string expected;
  } cases[] = {
      {"call missing (old 32-bit Windows)", false, "", fake::kSystem},
      {"32-bit Windows: the call returns 0", true, "", fake::kSystem},
      {"64-bit Windows", true, "C:\\Windows\\SysWOW64", "C:\\Windows\\SysWOW64"},
      {"64-bit Windows, too deep", true, PathOfLength(260), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake::Reset();
    world.hasWow64Directory = c.exported;
    world.wow64Directory = c.wow64;
    EXPECT_EQ(Resolve(Base::System, !c.expected.empty()), c.expected);
    EXPECT_EQ(world.calls[0], "GetModuleHandleA(\"kernel32.dll\")");
    EXPECT_EQ(world.calls[1], "GetProcAddress(kernel32, \"GetSystemWow64DirectoryA\")");
  }
}

TEST_F(ResolveBaseTest, FailedDirectoryCallsLeaveTheBufferEmpty) {
  fake::Fail("GetCurrentDirectoryA");
  fake::Fail("GetSystemDirectoryA");
  EXPECT_EQ(Resolve(Base::Source, false), "");
  EXPECT_EQ(Resolve(Base::System, false), "");
}
