// Fuzzes path composition with arbitrary bases, 0 to several hundred bytes of
// any value: a composed path either fits in 260 bytes with its NUL and is
// exactly base + rest, or is refused and empty. Composing over the base's own
// buffer must give the same. Buffers are heap blocks of their exact size.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "layout.h"

static const char* const kRests[] = {layout::kFolder,     layout::kExecutable,
                                     layout::kCursor,     layout::kUninstaller,
                                     layout::kAppShortcut, layout::kAppTarget,
                                     layout::kUninstallShortcut};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* rest = kRests[data[0] % (sizeof kRests / sizeof kRests[0])];
  size_t baseSize = size - 1;
  char* base = static_cast<char*>(malloc(baseSize + 1));
  memcpy(base, data + 1, baseSize);
  base[baseSize] = '\0';
  size_t baseLength = strlen(base);
  size_t restLength = strlen(rest);
  bool fits = baseLength > 0 && baseLength + restLength < kMaxPath;

  auto* out = static_cast<PathBuffer*>(malloc(sizeof(PathBuffer)));
  memset(*out, 'X', sizeof *out);
  bool composed = ComposePath(*out, base, rest);
  if (composed != fits) abort();
  if (composed && (memcmp(*out, base, baseLength) != 0 || strcmp(*out + baseLength, rest) != 0))
    abort();
  if (!composed && (*out)[0] != '\0') abort();

  if (baseLength < kMaxPath) {  // a base the platform could have written into a path buffer
    memset(*out, 'X', sizeof *out);
    memcpy(*out, base, baseLength + 1);
    if (ComposePath(*out, *out, rest) != fits) abort();
    if (fits && (memcmp(*out, base, baseLength) != 0 || strcmp(*out + baseLength, rest) != 0))
      abort();
    if (!fits && (*out)[0] != '\0') abort();
  }
  free(out);
  free(base);
  return 0;
}
