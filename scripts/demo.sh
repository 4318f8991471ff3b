#!/usr/bin/env bash
# Builds the project and runs the main job.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh release
exec build/bin/rodhost "$@"
