// The uninstaller's entry point ignores its command line.
#include "fake_test.h"
#include "procedures.h"

using fake::world;

TEST(UninstallEntry, AnyCommandLineGivesTheSameUninstall) {
  fake::Reset();
  world.folders.insert(std::string(fake::kProgramFiles) + "\\VRIM");
  char none[] = "";
  EXPECT_EQ(WinMain(nullptr, nullptr, none, 10), 0);
  const std::vector<std::string> reference = world.calls;
  for (const char* line : {"/s", "/u", "/S /U", "anything at all"}) {
    fake::Reset();
    world.folders.insert(std::string(fake::kProgramFiles) + "\\VRIM");
    char tail[32];
    snprintf(tail, sizeof tail, "%s", line);
    EXPECT_EQ(WinMain(nullptr, nullptr, tail, 10), 0) << line;
    EXPECT_EQ(world.calls, reference) << line;
    EXPECT_TRUE(world.boxes.empty());
  }
}

TEST(UninstallEntry, ExitCodeOneWhenSomethingStayed) {
  fake::Reset();
  world.folders.insert(std::string(fake::kProgramFiles) + "\\VRIM");
  fake::Fail("SHFileOperationA");
  char none[] = "";
  EXPECT_EQ(WinMain(nullptr, nullptr, none, 10), 1);
}
