// The shortcut writer's calls, on success and on each failure branch.
#include "fake_test.h"
#include "procedures.h"

using ::testing::ElementsAreArray;
using fake::world;

namespace {

const char kTarget[] = "C:\\Program Files\\VRIM\\Vrim.exe";
const char kShortcut[] = "C:\\Users\\Public\\Desktop\\Vrim.lnk";
const char kCreate[] =
    "CoCreateInstance({00021401-0000-0000-C000-000000000046}, 0, 1, "
    "{000214EE-0000-0000-C000-000000000046})";
const char kSetPath[] = "IShellLinkA::SetPath(\"C:\\Program Files\\VRIM\\Vrim.exe\")";
const char kQuery[] = "IShellLinkA::QueryInterface({0000010B-0000-0000-C000-000000000046})";
const char kConvert[] =
    "MultiByteToWideChar(0, 0, \"C:\\Users\\Public\\Desktop\\Vrim.lnk\", -1, 260)";
const char kSave[] = "IPersistFile::Save(\"C:\\Users\\Public\\Desktop\\Vrim.lnk\", 2)";

struct BranchCase {
  const char* failing;
  bool saved;
  std::vector<std::string> calls;
};

}  // namespace

class CreateShortcutTest : public FakeWindowsTest {};

TEST_F(CreateShortcutTest, EachBranchReleasesWhatItGotAndUninitialises) {
  const BranchCase cases[] = {
      {nullptr, true,
       {"CoInitialize(0)", kCreate, kSetPath, kQuery, kConvert, kSave, "IPersistFile::Release()",
        "IShellLinkA::Release()", "CoUninitialize()"}},
      {"CoCreateInstance", false, {"CoInitialize(0)", kCreate, "CoUninitialize()"}},
      {"IShellLinkA::QueryInterface", false,
       {"CoInitialize(0)", kCreate, kSetPath, kQuery, "IShellLinkA::Release()", "CoUninitialize()"}},
      {"IPersistFile::Save", false,
       {"CoInitialize(0)", kCreate, kSetPath, kQuery, kConvert, kSave, "IPersistFile::Release()",
        "IShellLinkA::Release()", "CoUninitialize()"}},
      // Save is never handed a buffer the conversion did not fill.
      {"MultiByteToWideChar", false,
       {"CoInitialize(0)", kCreate, kSetPath, kQuery, kConvert, "IPersistFile::Release()",
        "IShellLinkA::Release()", "CoUninitialize()"}},
      // The results of these two are not examined.
      {"CoInitialize", true,
       {"CoInitialize(0)", kCreate, kSetPath, kQuery, kConvert, kSave, "IPersistFile::Release()",
        "IShellLinkA::Release()", "CoUninitialize()"}},
      {"IShellLinkA::SetPath", true,
       {"CoInitialize(0)", kCreate, kSetPath, kQuery, kConvert, kSave, "IPersistFile::Release()",
        "IShellLinkA::Release()", "CoUninitialize()"}},
  };
  for (const BranchCase& c : cases) {
    SCOPED_TRACE(c.failing ? c.failing : "no failure");
    fake::Reset();
    if (c.failing) fake::Fail(c.failing);
    EXPECT_EQ(CreateShortcut(kTarget, kShortcut), c.saved);
    EXPECT_THAT(world.calls, ElementsAreArray(c.calls));
    EXPECT_EQ(world.files.count(kShortcut) == 1, c.saved);
  }
}

TEST_F(CreateShortcutTest, NeitherPathIsLookedAtBeforehand) {
  // The folder is missing: the platform's Save refuses, nothing was checked first.
  EXPECT_FALSE(CreateShortcut("C:\\nowhere\\x.exe", "C:\\missing\\x.lnk"));
  EXPECT_EQ(world.calls[2], "IShellLinkA::SetPath(\"C:\\nowhere\\x.exe\")");
  EXPECT_EQ(world.calls[5], "IPersistFile::Save(\"C:\\missing\\x.lnk\", 2)");
}
