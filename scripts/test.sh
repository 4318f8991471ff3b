#!/usr/bin/env bash
# Builds and runs the whole test suite: scripts/test.sh [release|debug|sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-release}"
bash scripts/build.sh "$preset"
case "$preset" in
  release) dir=build ;;
  debug) dir=build-debug ;;
  sanitize) dir=build-sanitize ;;
esac
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
