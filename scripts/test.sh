#!/usr/bin/env bash
# Builds everything and runs every test: the core's unit tests and the fuzz
# targets under AddressSanitizer and UBSan, then the unit tests again, the PE
# and rebuild checks, and the end-to-end tests under Wine (32- and 64-bit).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native
