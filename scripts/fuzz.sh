#!/usr/bin/env bash
# Runs each fuzz target for longer than the test suite does (default 300 s
# each), keeping what it finds in build/sanitize/fuzz-corpus/.
#   scripts/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
scripts/setup-machine.sh
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
for target in tail compose procedures; do
  echo "== fuzz_$target for ${seconds}s"
  mkdir -p "build/sanitize/fuzz-corpus/$target"
  "build/sanitize/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    "build/sanitize/fuzz-corpus/$target" "tests/fuzz/corpus/$target"
done
