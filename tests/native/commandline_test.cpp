// The command-line tail and the installer's mode selection.
#include <cstring>

#include "fake_test.h"
#include "procedures.h"

using fake::world;

struct TailCase {
  const char* line;
  const char* tail;
};

TEST(CommandTail, TableOfLines) {
  // The stand-in's lead bytes are code page 932's: 0x81-0x9F and 0xE0-0xFC.
  const TailCase cases[] = {
      {"", ""},
      {"Setup.exe", ""},
      {"Setup.exe /s", "/s"},
      {"\"C:\\My Files\\Setup.exe\" /u", "/u"},
      {"\"Setup.exe\"/s", "/s"},                 // no blank needed after the quote
      {"\"C:\\My Files\\Setup.exe /u", ""},      // no closing quote: all name
      {"\"C:\\\x82\"x\" /u", "/u"},              // lead byte then a quote byte: one character
      {"\"C:\\Setup\x82", ""},                   // lead byte right before the NUL
      {"C:\\\xE9t\xE9\\Set\xA0up.exe /s", "/s"},  // unquoted: bytes 128-255 are the name's
      {"Setup.exe\t\x01\x1f \x20/s", "/s"},      // blanks 1 to 32 skipped
      {"Setup.exe /s  ", "/s  "},                // trailing blanks kept
      {"Setup.exe \x7f/s", "\x7f/s"},            // 127 is no blank
      {"Setup.exe \xA0/s", "\xA0/s"},            // nor is 160
  };
  for (const TailCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::string(c.line)));
    const char* tail = CommandTail(c.line);
    EXPECT_STREQ(tail, c.tail);
    EXPECT_EQ(tail, c.line + strlen(c.line) - strlen(c.tail)) << "not a suffix of the line";
  }
}

// Which procedure a Setup start ran, told from the calls it made.
static std::string ModeOf(const char* tail) {
  fake::Reset();
  char copy[64];
  snprintf(copy, sizeof copy, "%s", tail);
  int code = WinMain(nullptr, nullptr, copy, 10);
  EXPECT_EQ(code, 0) << "tail " << tail;
  int installs = static_cast<int>(fake::CallsStartingWith("CreateDirectoryA").size()) / 2;
  int uninstalls = static_cast<int>(fake::CallsStartingWith("FindWindowA").size());
  if (installs + uninstalls != 1) return "runs " + std::to_string(installs + uninstalls);
  if (uninstalls) return "uninstall";
  return world.boxes.empty() ? "silent" : "interactive";
}

TEST(SetupMode, WholeTailComparedIgnoringAsciiCase) {
  const struct {
    const char* tail;
    const char* mode;
  } cases[] = {
      {"/s", "silent"},        {"/S", "silent"},         {"/u", "uninstall"},
      {"/U", "uninstall"},     {"", "interactive"},      {"-s", "interactive"},
      {"/sx", "interactive"},  {"/s ", "interactive"},   {"/s /u", "interactive"},
      {"/x", "interactive"},   {"/\xF3", "interactive"},  // no case folding beyond ASCII
  };
  for (const auto& c : cases) EXPECT_EQ(ModeOf(c.tail), c.mode) << "tail \"" << c.tail << "\"";
}

TEST(SetupMode, ExitCodeIsOneWhenTheProcedureFailed) {
  for (const char* tail : {"/s", "", "/u"}) {
    fake::Reset();
    fake::Fail("GetFileAttributesA");  // nothing can be confirmed placed or gone
    char copy[8];
    snprintf(copy, sizeof copy, "%s", tail);
    EXPECT_EQ(WinMain(nullptr, nullptr, copy, 10), 1) << "tail " << tail;
  }
}
