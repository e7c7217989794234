#!/usr/bin/env bash
# The main job: builds dist/ and a sample distribution folder, then shows the
# kit installing and uninstalling in a throwaway Wine prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec /usr/bin/python3 scripts/demo.py
