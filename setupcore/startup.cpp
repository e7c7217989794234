// Start-up of both programs, in place of a C runtime: the command-line tail to
// WinMain, its result to ExitProcess. Also the two routines the compiler may
// call on its own for block copies and clears.
#include "procedures.h"

extern "C" __attribute__((force_align_arg_pointer)) void EntryPoint() {
  RestrictDllSearch();
  char* tail = const_cast<char*>(CommandTail(GetCommandLineA()));
  ExitProcess(static_cast<unsigned>(WinMain(GetModuleHandleA(nullptr), nullptr, tail, 10)));
}

extern "C" void* memset(void* to, int byte, size_t n) {
  unsigned char* p = static_cast<unsigned char*>(to);
  while (n--) *p++ = static_cast<unsigned char>(byte);
  return to;
}

extern "C" void* memcpy(void* to, const void* from, size_t n) {
  unsigned char* p = static_cast<unsigned char*>(to);
  const unsigned char* q = static_cast<const unsigned char*>(from);
  while (n--) *p++ = *q++;
  return to;
}
