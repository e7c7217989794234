#!/usr/bin/env bash
# Size and run-time benchmark of the kit against its floors and an NSIS peer.
#   scripts/benchmark.sh            (VRIM_BENCH_ROUNDS=21 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-machine.sh nsis hyperfine
scripts/build.sh >/dev/null
mkdir -p build/peer
exec /usr/bin/python3 scripts/benchmark.py
