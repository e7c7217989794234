#!/usr/bin/env bash
# Retakes the README's screenshots of Setup's boxes (docs/*.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-machine.sh x11-apps x11-utils imagemagick
scripts/build.sh >/dev/null
exec /usr/bin/python3 scripts/screenshots.py
