// Fuzzes the command-line tail and the installer's switch comparison against
// a second, index-based reading of the same rules. The line sits in a buffer
// of its exact size, so any read past its NUL is caught by AddressSanitizer.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "procedures.h"
#include "text.h"

static size_t ExpectedTailAt(const unsigned char* s, size_t n) {
  size_t i = 0;
  if (n > 0 && s[0] == '"') {
    for (i = 1; i < n && s[i] != '"'; ++i)
      if (IsDBCSLeadByte(s[i]) && i + 1 < n) ++i;
    if (i < n) ++i;  // the closing quote
  } else {
    while (i < n && s[i] > 32) ++i;
  }
  while (i < n && s[i] >= 1 && s[i] <= 32) ++i;
  return i;
}

static bool ExpectedSwitch(const char* tail, char letter) {
  return strlen(tail) == 2 && tail[0] == '/' && (tail[1] == letter || tail[1] == letter - 32);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  char* line = static_cast<char*>(malloc(size + 1));
  memcpy(line, data, size);
  line[size] = '\0';
  size_t n = strlen(line);  // the platform's line ends at its first NUL

  const char* tail = CommandTail(line);
  if (tail < line || tail > line + n) abort();  // a suffix of the line
  if (static_cast<size_t>(tail - line) != ExpectedTailAt(reinterpret_cast<unsigned char*>(line), n))
    abort();
  if (SameTextIgnoringCase(tail, "/s") != ExpectedSwitch(tail, 's')) abort();
  if (SameTextIgnoringCase(tail, "/u") != ExpectedSwitch(tail, 'u')) abort();
  free(line);
  return 0;
}
