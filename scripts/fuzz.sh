#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time on a scratch copy of its seed corpus:
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash, a sanitizer report or a broken property fails the run; the input that did it is kept
# in build-fuzz/findings/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
shift || true
bash scripts/build.sh fuzz
targets=("$@")
if ((${#targets[@]} == 0)); then
  for source in fuzz/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
# Scratch files of the targets stay in the build folder.
export TMPDIR="$PWD/build-fuzz/tmp"
mkdir -p "$TMPDIR"
failed=0
for target in "${targets[@]}"; do
  work="build-fuzz/corpus/$target"
  findings="build-fuzz/findings/$target"
  mkdir -p "$work" "$findings"
  echo "fuzz_$target: ${seconds}s"
  if ! "build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/" -print_final_stats=0 "$work" "fuzz/corpus/$target" \
      > "build-fuzz/fuzz_$target.log" 2>&1; then
    echo "fuzz_$target FAILED (see build-fuzz/fuzz_$target.log and $findings/)"
    tail -n 30 "build-fuzz/fuzz_$target.log"
    failed=1
  fi
done
exit $failed
