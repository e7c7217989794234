// The DLL-search restriction made at start-up, and its skips.
#include "fake_test.h"
#include "procedures.h"

using ::testing::ElementsAreArray;
using fake::world;

TEST(RestrictDllSearch, SystemDirectoryOnlyWhereOfferedAndNotOnVista) {
  const std::string lookUp[] = {"GetVersion()", "GetModuleHandleA(\"kernel32.dll\")",
                                "GetProcAddress(kernel32, \"SetDefaultDllDirectories\")"};
  const struct {
    const char* system;
    uint32_t version;
    bool exported;
    std::vector<std::string> calls;
  } cases[] = {
      {"Windows 7 with the update", 0x1DB10106, true,
       {lookUp[0], lookUp[1], lookUp[2], "SetDefaultDllDirectories(0x800)"}},
      {"Windows 8 and later (6.2 to a program without a manifest)", 0x23F00206, true,
       {lookUp[0], lookUp[1], lookUp[2], "SetDefaultDllDirectories(0x800)"}},
      {"Windows 7 without the update", 0x1DB10106, false, {lookUp[0], lookUp[1], lookUp[2]}},
      {"Windows XP", 0x0A280105, false, {lookUp[0], lookUp[1], lookUp[2]}},
      {"Windows Vista with the update", 0x17720006, true, {lookUp[0]}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.system);
    fake::Reset();
    world.version = c.version;
    world.hasDefaultDllDirectories = c.exported;
    RestrictDllSearch();
    EXPECT_THAT(world.calls, ElementsAreArray(c.calls));
  }
}
