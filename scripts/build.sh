#!/usr/bin/env bash
# Configures and builds one configuration: scripts/build.sh [release|debug|sanitize|fuzz]
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-release}"
case "$preset" in
  release) dir=build ;;
  debug) dir=build-debug ;;
  sanitize) dir=build-sanitize ;;
  fuzz) dir=build-fuzz ;;
  *) echo "unknown configuration: $preset" >&2; exit 2 ;;
esac
bash scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build "$dir" -j "$(nproc)"
