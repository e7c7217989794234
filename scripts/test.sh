#!/usr/bin/env bash
# Builds everything and runs every test: the core's unit tests on this host,
# the PE checks, and the end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native
