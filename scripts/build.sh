#!/usr/bin/env bash
# Builds dist/Setup.exe and dist/Uninstall.exe (and the test programs beside
# them in build/windows/fixtures), installing the toolchain first when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-machine.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
ls -l dist/Setup.exe dist/Uninstall.exe
