// The uninstall procedure: order, the file-operation record, and the mends:
// bounded paths, no deletion on an unresolved base, the double NUL, a bounded
// wait on a hung application, and a result that tells the truth.
#include <algorithm>

#include "fake_test.h"
#include "procedures.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using fake::world;

namespace {

const std::string kProgramFolder = std::string(fake::kProgramFiles) + "\\VRIM";
const std::string kStartMenuFolder = std::string(fake::kCommonPrograms) + "\\VRIM";
const std::string kDesktopShortcut = std::string(fake::kCommonDesktop) + "\\Vrim.lnk";
const std::string kUninstallerCopy = std::string(fake::kSystem) + "\\Uninstall.exe";

const char kUser32Lookup[] = "GetModuleHandleA(\"user32.dll\")";
const char kHungLookup[] = "GetProcAddress(user32, \"IsHungAppWindow\")";

std::string Deletion(const std::string& folder) {
  return "SHFileOperationA(hwnd=0, wFunc=3, pFrom=\"" + folder +
         "\", pTo=0, fFlags=0x0410, hNameMappings=0, lpszProgressTitle=0)";
}

// What an install leaves, plus a file the application wrote itself.
void LayOutInstall() {
  world.folders.insert({kProgramFolder, kStartMenuFolder});
  world.files.insert({kProgramFolder + "\\Vrim.exe", kProgramFolder + "\\hourglas.ani",
                      kProgramFolder + "\\settings.ini", kStartMenuFolder + "\\Vrim.lnk",
                      kStartMenuFolder + "\\Uninstall.lnk", kDesktopShortcut, kUninstallerCopy});
}

bool NothingLeft() {
  return !world.folders.count(kProgramFolder) && !world.folders.count(kStartMenuFolder) &&
         !world.files.count(kDesktopShortcut) && world.files.count(kUninstallerCopy) &&
         std::none_of(world.files.begin(), world.files.end(), [](const std::string& f) {
           return f.find("\\VRIM\\") != std::string::npos;
         });
}

size_t IndexOf(const std::string& prefix) {
  auto it = std::find_if(world.calls.begin(), world.calls.end(), [&](const std::string& c) {
    return c.compare(0, prefix.size(), prefix) == 0;
  });
  return it - world.calls.begin();
}

}  // namespace

class RunUninstallTest : public FakeWindowsTest {
 protected:
  void SetUp() override {
    FakeWindowsTest::SetUp();
    LayOutInstall();
  }
};

TEST_F(RunUninstallTest, NoApplicationNoWaitThenFoldersThenDesktopShortcut) {
  EXPECT_TRUE(RunUninstall());
  EXPECT_THAT(world.calls,
              ElementsAre("FindWindowA(0, \"Vrim\")", "SHGetSpecialFolderPathA(0, cleared, 0x26, 0)",
                          Deletion(kProgramFolder), "GetFileAttributesA(\"" + kProgramFolder + "\")",
                          "SHGetSpecialFolderPathA(0, cleared, 0x17, 0)", Deletion(kStartMenuFolder),
                          "GetFileAttributesA(\"" + kStartMenuFolder + "\")",
                          "SHGetSpecialFolderLocation(0, 0x19)",
                          "SHGetPathFromIDListA(desktop list, cleared)", "SHGetMalloc()",
                          "IMalloc::Free(desktop list)", "IMalloc::Release()",
                          "DeleteFileA(\"" + kDesktopShortcut + "\")",
                          "GetFileAttributesA(\"" + kDesktopShortcut + "\")"));
  EXPECT_TRUE(NothingLeft());
}

TEST_F(RunUninstallTest, RunningApplicationIsClosedAndGivenTwoSecondsFirst) {
  world.windowOpen = true;
  EXPECT_TRUE(RunUninstall());
  EXPECT_THAT(std::vector<std::string>(world.calls.begin(), world.calls.begin() + 8),
              ElementsAre("FindWindowA(0, \"Vrim\")", kUser32Lookup, kHungLookup, "CreateThread()",
                          "SendMessageA(window, 16, 0, 0)", "WaitForSingleObject(sender, 250)",
                          "CloseHandle(sender)", "Sleep(2000)"));
  EXPECT_LT(IndexOf("Sleep"), IndexOf("SHFileOperationA"));
  EXPECT_TRUE(NothingLeft());
}

TEST_F(RunUninstallTest, FileOperationRecordIsExactlyOneFolderAndTwoNuls) {
  RunUninstall();
  EXPECT_EQ(world.fromList, kStartMenuFolder + std::string("\0\0", 2));
}

TEST_F(RunUninstallTest, FolderPathOf259BytesStillEndsInTwoNuls) {
  world.commonPrograms = PathOfLength(254);  // + "\VRIM" = 259 bytes
  world.folders.insert({world.commonPrograms, world.commonPrograms + "\\VRIM"});
  EXPECT_TRUE(RunUninstall());
  EXPECT_EQ(world.fromList, world.commonPrograms + "\\VRIM" + std::string("\0\0", 2));
  EXPECT_EQ(world.fromList.size(), 261u);
}

TEST_F(RunUninstallTest, PathThatWouldNotFitIsNeverUsedAndCountsAsFailed) {
  world.programFiles = PathOfLength(255);  // + "\VRIM" = 260 bytes, one over
  world.folders.insert({world.programFiles, world.programFiles + "\\VRIM"});
  EXPECT_FALSE(RunUninstall());
  EXPECT_EQ(fake::CallsStartingWith("SHFileOperationA").size(), 1u) << "only the Start menu's";
  EXPECT_TRUE(world.folders.count(world.programFiles + "\\VRIM")) << "nothing truncated was deleted";
  EXPECT_FALSE(world.files.count(kDesktopShortcut)) << "later steps still run";
}

TEST_F(RunUninstallTest, UnresolvedBaseDeletesNothingAtTheDriveRoot) {
  const struct {
    const char* failing;
    int occurrence;
    size_t folderDeletions, fileDeletions;
  } cases[] = {
      {"SHGetSpecialFolderPathA", 1, 1, 1},  // program files
      {"SHGetSpecialFolderPathA", 2, 1, 1},  // common programs
      {"SHGetSpecialFolderLocation", 0, 2, 0},
      {"SHGetPathFromIDListA", 0, 2, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.failing) + " #" + std::to_string(c.occurrence));
    fake::Reset();
    LayOutInstall();
    fake::Fail(c.failing, c.occurrence);
    EXPECT_FALSE(RunUninstall());
    EXPECT_EQ(fake::CallsStartingWith("SHFileOperationA").size(), c.folderDeletions);
    EXPECT_EQ(fake::CallsStartingWith("DeleteFileA").size(), c.fileDeletions);
  }
}

TEST_F(RunUninstallTest, HungApplicationEndsTheWaitOnceItStopsResponding) {
  world.windowOpen = true;
  world.hung = true;
  world.pollsBeforeHung = 3;  // just stopped pumping: not yet hung to the platform
  RunUninstall();
  EXPECT_THAT(std::vector<std::string>(world.calls.begin() + 3, world.calls.begin() + 14),
              ElementsAre("CreateThread()",
                          "WaitForSingleObject(sender, 250)", "IsHungAppWindow(window)",
                          "WaitForSingleObject(sender, 250)", "IsHungAppWindow(window)",
                          "WaitForSingleObject(sender, 250)", "IsHungAppWindow(window)",
                          "WaitForSingleObject(sender, 250)", "IsHungAppWindow(window)",
                          "CloseHandle(sender)", "Sleep(2000)"));
  EXPECT_EQ(fake::CallsStartingWith("SHFileOperationA").size(), 2u);
}

TEST_F(RunUninstallTest, WithoutAThreadTheRequestIsStillBounded) {
  world.windowOpen = true;
  fake::Fail("CreateThread");
  EXPECT_TRUE(RunUninstall());
  // SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG, ten seconds.
  EXPECT_THAT(std::vector<std::string>(world.calls.begin(), world.calls.begin() + 6),
              ElementsAre("FindWindowA(0, \"Vrim\")", kUser32Lookup, kHungLookup, "CreateThread()",
                          "SendMessageTimeoutA(window, 16, 0, 0, 10, 10000)", "Sleep(2000)"));
}

TEST_F(RunUninstallTest, BeforeWindows2000OneBoundedSendDoes) {
  world.windowOpen = true;
  world.hasIsHungAppWindow = false;
  EXPECT_TRUE(RunUninstall());
  EXPECT_THAT(std::vector<std::string>(world.calls.begin(), world.calls.begin() + 5),
              ElementsAre("FindWindowA(0, \"Vrim\")", kUser32Lookup, kHungLookup,
                          "SendMessageTimeoutA(window, 16, 0, 0, 10, 10000)", "Sleep(2000)"));
}

TEST_F(RunUninstallTest, ResultIsWhetherEverythingIsGone) {
  const struct {
    const char* failing;
    bool gone;
  } cases[] = {
      {nullptr, true},
      {"SHFileOperationA", false},
      {"DeleteFileA", false},
      {"GetFileAttributesA", false},  // cannot be looked at: not proven gone
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing ? c.failing : "no failure");
    fake::Reset();
    LayOutInstall();
    if (c.failing) fake::Fail(c.failing);
    EXPECT_EQ(RunUninstall(), c.gone);
    EXPECT_EQ(fake::CallsStartingWith("DeleteFileA").size(), 1u) << "every step is attempted";
  }
}

TEST_F(RunUninstallTest, SecondRunFindsNothingAndSucceeds) {
  EXPECT_TRUE(RunUninstall());
  world.calls.clear();
  EXPECT_TRUE(RunUninstall());
  EXPECT_EQ(fake::CallsStartingWith("Sleep").size(), 0u);
  EXPECT_THAT(world.boxes, IsEmpty());
}
