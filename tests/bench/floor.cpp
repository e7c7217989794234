// Size floor for the benchmark: a CRT-free GUI program of the same toolchain,
// flags and icon whose entry point only ends the process.
#include "win32.h"

extern "C" void EntryPoint() { ExitProcess(0); }
